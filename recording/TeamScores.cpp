#include "recording/TeamScores.h"

#include "foundation/Dialogs.h"
#include "foundation/GalaState.h"
#include "foundation/PbUtil.h"
#include "foundation/SharedState.h"
#include "links/Announcer.h"
#include "recording/SheetModel.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>
#include <vector>

namespace TeamScores {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// One table: heading, a blank line, then each scoring team with its sum.
QString competitionTable(const GalaState &gala, const QString &heading, const Slots<float> &sums)
{
    QString text = heading + CrLf + CrLf;
    for (int t = 1; t <= gala.NoOfTeams; ++t)
        if (gala.TeamScoring[t])
            text += PBUTIL::FitText(gala.TeamName[t], 18) + PBUTIL::NumberText(sums[t]) + CrLf;
    return text;
}

} // namespace

bool IsOpenEvent(const QString &sexAge)
{
    return sexAge.contains(QLatin1String("Open"), Qt::CaseSensitive);
}

QString PointScoresText(const GalaState &gala, const SheetModel &sheet)
{
    std::vector<std::pair<QString, float>> list;
    for (int t = 1; t <= gala.NoOfTeams; ++t) {
        if (!gala.TeamScoring[t])
            continue;
        // The row label is what the desk sees; past the sheet's rows use the entry.
        const QString name =
            t <= SheetModel::Rows ? sheet.teamNameCaption(t - 1) : gala.TeamName[t];
        list.emplace_back(name, gala.TeamTotal[t]);
    }
    // Exchange sort on strictly greater points: equal totals never swap directly.
    const size_t n = list.size();
    for (size_t i = 0; i + 1 < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (list[j].second > list[i].second)
                std::swap(list[i], list[j]);

    QString text = QStringLiteral("Point scores after event ") + sheet.evNo() + CrLf;
    for (size_t k = 0; k < n; ++k)
        text += PBUTIL::FitText(PBUTIL::FormatHash(double(k + 1)), 4) +
                PBUTIL::FitText(list[k].first, 20) + PBUTIL::FormatHash(list[k].second) + CrLf;
    return text;
}

QString CompetitionTexts::shown() const
{
    return ageGroup + CrLf + open + CrLf + overall;
}

CompetitionTexts CompetitionScores(const GalaState &gala, const QString &upTo)
{
    const int size = gala.NoOfTeams + 2;
    Slots<float> ageGroup(size), open(size), overall(size);
    // Every event counts, whatever the heading says: the sums are summed in
    // event order, in single precision, as the printed totals are.
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        const bool isOpen = IsOpenEvent(gala.EventSexAge[e]);
        for (int t = 1; t <= gala.NoOfTeams; ++t)
            (isOpen ? open : ageGroup)[t] += gala.LanePoints(e, t);
    }
    for (int t = 0; t < size; ++t)
        overall[t] = ageGroup[t] + open[t];

    CompetitionTexts texts;
    texts.ageGroup = competitionTable(
        gala, QStringLiteral("Age Group Competition to event number ") + upTo, ageGroup);
    texts.open =
        competitionTable(gala, QStringLiteral("Open Competition to event number ") + upTo, open);
    texts.overall = competitionTable(
        gala, QStringLiteral("Overall Competition to event number ") + upTo, overall);
    return texts;
}

void PointScoresToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                            Dialogs &dialogs)
{
    if (AnnouncerInUse(shared, dialogs))
        PostAnnouncement(shared, dialogs, PointScoresText(gala, sheet), 2);
}

QString UpdateCompetitionScores(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
{
    const QString upTo =
        dialogs.input(QCoreApplication::translate("TeamScores", "Up to event number?"));
    const CompetitionTexts texts = CompetitionScores(gala, upTo);
    // The sheet shows the scores even when the announcer screen is off.
    if (AnnouncerInUse(shared, dialogs)) {
        PostAnnouncement(shared, dialogs, texts.ageGroup, 2);
        PostAnnouncement(shared, dialogs, texts.open, 2);
        PostAnnouncement(shared, dialogs, texts.overall, 2);
    }
    return texts.shown();
}

} // namespace TeamScores
