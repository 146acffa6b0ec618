#include "foundation/GalaState.h"
#include "foundation/PbUtil.h"
#include "foundation/SharedState.h"
#include "reports/Reports.h"

int HeatCount(const GalaState &gala)
{
    int count = 0;
    int heat = 0;
    for (int k = 1; k <= gala.NoOfTeams; ++k) {
        if (gala.TeamHeat[k] != heat) {
            ++count;
            heat = gala.TeamHeat[k];
        }
    }
    return count;
}

QString EventDetailsText(const GalaState &gala, int e)
{
    return gala.EventSexAge[e] + QLatin1Char(' ') + gala.EventDistance[e] + QStringLiteral("m ") +
           PBUTIL::StrokeName(gala.EventStroke[e]);
}

bool TooFast(const SharedState &shared, const GalaState &gala, int e, int k)
{
    const QString &time = gala.LaneTime(e, k);
    return gala.LanePos(e, k) == 0 && gala.TeamScoring[k] && shared.Graded == QLatin1String("Y") &&
           !time.isEmpty() && !time.startsWith(QLatin1Char('D'));
}
