#include "core/exports/WebResults.h"

#include "core/exports/ExportFile.h"
#include "core/exports/WebPage.h"
#include "core/gala/GalaState.h"
#include "core/values/PbUtil.h"

namespace WebResults {

namespace {

using Exports::Texts;
using WebPage::cell;
using WebPage::disqualified;
using WebPage::html;

QString eventNumber(const QString &eventNo)
{
    return PBUTIL::FormatHash(PBUTIL::LeadingNumber(eventNo));
}

} // namespace

QStringList Lines(const GalaState &gala, const QString &galaDate)
{
    const QString title = html(galaDate + QStringLiteral(" - ") + gala.GalaName);
    QStringList lines = WebPage::opening(title);
    lines << WebPage::heading(title) << QStringLiteral("<br>") << WebPage::TableStart
          << QStringLiteral("<tr>")
          << QStringLiteral("<td rowspan=2>") + Texts::tr("Event") + QStringLiteral("</td>")
          << QStringLiteral("<td rowspan=2>") + Texts::tr("Details") + QStringLiteral("</td>");
    for (int t = 1; t <= gala.NoOfTeams; ++t)
        lines << QStringLiteral("<td colspan=3>") + html(gala.TeamName[t]) +
                     QStringLiteral("</td>");
    lines << QStringLiteral("</tr>") << QStringLiteral("<tr>");
    const QString columnHeads =
        cell(Texts::tr("Time")) + cell(Texts::tr("Pos")) + cell(Texts::tr("Pts"));
    for (int t = 1; t <= gala.NoOfTeams; ++t)
        lines << columnHeads;
    lines << QStringLiteral("</tr>");

    int disqualifications = 0;
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        lines << QStringLiteral("<tr>") << cell(eventNumber(gala.EventNo[e]))
              << cell(html(WebPage::eventDetails(gala, e)));
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            lines << cell(html(gala.LaneTime(e, t))) << cell(PBUTIL::FormatHash(gala.LanePos(e, t)))
                  << cell(PBUTIL::TrimmedNumberText(gala.LanePoints(e, t)));
            disqualifications += disqualified(gala.LaneTime(e, t)) ? 1 : 0;
        }
        lines << QStringLiteral("</tr>");
    }

    lines << QStringLiteral("<tr>")
          << QStringLiteral("<td></td>") + cell(Texts::tr("Cumulative Points"));
    for (int t = 1; t <= gala.NoOfTeams; ++t) {
        // Worked out afresh in single precision, event by event.
        float cumulative = 0.0f;
        for (int e = 1; e <= gala.NoOfEvents; ++e)
            cumulative += gala.LanePoints(e, t);
        lines << QStringLiteral("<td></td><td></td>") + cell(PBUTIL::TrimmedNumberText(cumulative));
    }
    lines << QStringLiteral("</tr>") << QStringLiteral("</table>") << QStringLiteral("<br><br>");

    if (disqualifications > 0) {
        lines << QStringLiteral("<h2>") + Texts::tr("Disqualifications") + QStringLiteral("</h2>")
              << QStringLiteral("<br>") << WebPage::TableStart
              << QStringLiteral("<tr>") + cell(Texts::tr("Event")) + cell(Texts::tr("Team")) +
                     cell(Texts::tr("Swimmer")) + cell(Texts::tr("Reason for disqualification")) +
                     QStringLiteral("</tr>");
        for (int e = 1; e <= gala.NoOfEvents; ++e) {
            for (int t = 1; t <= gala.NoOfTeams; ++t) {
                if (!disqualified(gala.LaneTime(e, t)))
                    continue;
                lines << QStringLiteral("<tr>") + cell(eventNumber(gala.EventNo[e]))
                      << cell(html(gala.TeamName[t])) << cell(html(gala.LaneName(e, t)))
                      << cell(html(gala.LaneNotes(e, t))) + QStringLiteral("</tr>");
            }
        }
        lines << QStringLiteral("</table>");
    }
    lines << WebPage::closing();
    return lines;
}

bool Write(const QString &path, const GalaState &gala, const QString &galaDate, QString &error)
{
    return Exports::WriteFile(path, Lines(gala, galaDate), error);
}

} // namespace WebResults
