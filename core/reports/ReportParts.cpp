#include "core/gala/GalaState.h"
#include "core/reports/Reports.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

QString EventDetailsText(const GalaState &gala, int e)
{
    return gala.EventSexAge[e] + QLatin1Char(' ') + gala.EventDistance[e] + QStringLiteral("m ") +
           PBUTIL::StrokeName(gala.EventStroke[e]);
}

bool TooFast(const SharedState &shared, const GalaState &gala, int e, int k)
{
    return gala.LanePos(e, k) == 0 && gala.TeamScoring[k] && shared.Graded == QLatin1String("Y") &&
           PBUTIL::SwimTime(gala.LaneTime(e, k)) > 0.0f;
}
