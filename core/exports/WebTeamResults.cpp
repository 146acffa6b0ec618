#include "core/exports/WebTeamResults.h"

#include "core/exports/ExportFile.h"
#include "core/exports/WebPage.h"
#include "core/gala/GalaState.h"
#include "core/links/SplitTimes.h"
#include "core/values/PbUtil.h"

#include <QDir>
#include <QHash>
#include <QSet>

namespace WebTeamResults {

namespace {

using Exports::Texts;
using WebPage::cell;
using WebPage::html;

QString heatAndLane(const GalaState &gala, int t)
{
    return Texts::tr("Heat %1 Lane %2")
        .arg(PBUTIL::FormatHash(gala.TeamHeat[t]), PBUTIL::FormatHash(gala.TeamLane[t]));
}

// "TF" marks a scoring team's swim faster than the grade time: it got no
// place. Any other place is the number with its sign blank (" 3", " 0").
QString positionText(const GalaState &gala, bool graded, int e, int t)
{
    if (WebPage::fasterThanGrade(gala, graded, e, t))
        return QStringLiteral("TF");
    return PBUTIL::NumberText(float(gala.LanePos(e, t)));
}

// The last column: a disqualification's reason, or the splits each followed
// by a blank.
QString splitsOrReason(const GalaState &gala, SplitTimes *splits, int e, int t)
{
    if (WebPage::disqualified(gala.LaneTime(e, t)))
        return gala.LaneNotes(e, t);
    if (!splits)
        return QString();
    QString text;
    const QStringList times =
        splits->splits(PBUTIL::LeadingNumber(gala.EventNo[e]), gala.TeamHeat[t], gala.TeamLane[t]);
    for (const QString &time : times)
        text += time + QLatin1Char(' ');
    return text;
}

QStringList pageLines(const GalaState &gala, const QString &galaDate, bool graded,
                      SplitTimes *splits, bool severalHeats, int t)
{
    const QString title = html(galaDate + QStringLiteral(" - ") + gala.GalaName);
    QString teamHeading = Texts::tr("Results sheet for ") + gala.TeamName[t] + Texts::tr(" Lane ") +
                          PBUTIL::FormatHash(gala.TeamLane[t]);
    if (severalHeats)
        teamHeading += Texts::tr(" Heat ") + PBUTIL::FormatHash(gala.TeamHeat[t]);
    bool names = false;
    for (int e = 1; e <= gala.NoOfEvents && !names; ++e)
        names = !gala.LaneName(e, t).isEmpty();

    QStringList lines = WebPage::opening(title);
    lines << WebPage::heading(title) << WebPage::heading(html(teamHeading))
          << QStringLiteral("<br>") << QStringLiteral("<center>") << WebPage::TableStart
          << QStringLiteral("<tr><td colspan=2>") + Texts::tr("Event") + QStringLiteral("</td>");
    if (names)
        lines << cell(Texts::tr("Name"));
    lines << cell(Texts::tr("Time")) + cell(Texts::tr("Pos")) +
                 cell(Texts::tr("Splits/Reason for Disqualification")) + QStringLiteral("</tr>");
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        lines << QStringLiteral("<tr>") << cell(html(gala.EventNo[e]))
              << cell(html(WebPage::eventDetails(gala, e)));
        if (names)
            lines << cell(html(gala.LaneName(e, t)));
        lines << cell(html(gala.LaneTime(e, t))) << cell(positionText(gala, graded, e, t));
        const QString last = splitsOrReason(gala, splits, e, t);
        lines << (last.isEmpty() ? QStringLiteral("<td><br></td>") : cell(html(last)))
              << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>") << QStringLiteral("</center>") << WebPage::closing();
    return lines;
}

} // namespace

QStringList PageNames(const GalaState &gala)
{
    QStringList bases;
    QHash<QString, int> uses;
    for (int t = 1; t <= gala.NoOfTeams; ++t) {
        const QString clean = Exports::CleanFileName(gala.TeamName[t]);
        bases << (clean.isEmpty() ? heatAndLane(gala, t) : clean);
        ++uses[bases.last().toCaseFolded()];
    }
    QStringList names;
    QSet<QString> taken;
    for (int t = 1; t <= gala.NoOfTeams; ++t) {
        QString name = bases[t - 1];
        if (uses.value(name.toCaseFolded()) > 1)
            name += QLatin1Char(' ') + heatAndLane(gala, t);
        // Only contrived names ("A" and "A Heat 1 Lane 2" both twice) clash still.
        const QString wanted = name;
        for (int k = 2; taken.contains(name.toCaseFolded()); ++k)
            name = wanted + QStringLiteral(" (%1)").arg(k);
        taken.insert(name.toCaseFolded());
        names << name + QStringLiteral(".htm");
    }
    return names;
}

QList<Page> Pages(const GalaState &gala, const QString &galaDate, bool graded, SplitTimes *splits)
{
    const bool severalHeats = gala.HeatCount() > 1;
    const QStringList names = PageNames(gala);
    QList<Page> pages;
    for (int t = 1; t <= gala.NoOfTeams; ++t)
        pages.append({names[t - 1], pageLines(gala, galaDate, graded, splits, severalHeats, t)});
    return pages;
}

bool Write(const QString &folder, const GalaState &gala, const QString &galaDate, bool graded,
           SplitTimes *splits, QString &error)
{
    const QDir dir(folder);
    for (const Page &page : Pages(gala, galaDate, graded, splits)) {
        if (!Exports::WriteFile(dir.filePath(page.fileName), page.lines, error))
            return false;
    }
    return true;
}

} // namespace WebTeamResults
