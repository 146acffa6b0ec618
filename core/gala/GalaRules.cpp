#include "core/gala/GalaRules.h"

#include "core/gala/GalaState.h"
#include "core/values/PbUtil.h"

#include <limits>

namespace GalaRules {

bool IsDisqualification(const QString &laneTime)
{
    return laneTime.startsWith(QLatin1Char('D'));
}

float SwimTime(const QString &laneTime)
{
    if (IsDisqualification(laneTime))
        return 0.0f;
    const float time = PBUTIL::TimeFromText(laneTime);
    return time > 0.0f ? time : 0.0f;
}

bool TooFast(const GalaState &gala, bool graded, int e, int t)
{
    return gala.LanePos(e, t) == 0 && gala.TeamScoring[t] && graded &&
           SwimTime(gala.LaneTime(e, t)) > 0.0f;
}

QString EventTitle(const GalaState &gala, int e)
{
    return gala.EventSexAge[e] + QLatin1Char(' ') + gala.EventDistance[e] + QStringLiteral("m ") +
           PBUTIL::StrokeName(gala.EventStroke[e]);
}

float CumulativePoints(const GalaState &gala, int t, int last)
{
    float total = 0.0f;
    for (int e = 1; e <= last; ++e)
        total += gala.LanePoints(e, t);
    return total;
}

QDate BirthDate(const GalaState &gala, int e, int t, const QDate &galaDay)
{
    const QString &dob = gala.LaneDoB(e, t);
    const QDate stored = gala.LaneDoBStored(e, t);
    if (stored.isValid() && PBUTIL::DateText(stored) == dob)
        return stored;
    return dob.isEmpty() ? QDate() : PBUTIL::ReadBirthDate(dob, galaDay);
}

Sex EventSex(const QString &sexAge)
{
    const QString first = sexAge.left(1);
    if (first == QLatin1String("G") || first == QLatin1String("F") || first == QLatin1String("L"))
        return Sex::Female;
    if (first == QLatin1String("B") || first == QLatin1String("M"))
        return Sex::Male;
    return Sex::Neither;
}

bool PlacedBefore(const Placing &a, const Placing &b, Unplaced unplaced)
{
    // Of two guests or two disqualifications the exchange sort moves the later up.
    if (b.guest)
        return true;
    if (a.guest)
        return false;
    if (b.disqualified)
        return true;
    if (a.disqualified)
        return false;
    const auto rank = [unplaced](const Placing &p) {
        return p.position == 0 && unplaced == Unplaced::Last ? std::numeric_limits<int>::max()
                                                             : p.position;
    };
    return rank(b) > rank(a);
}

} // namespace GalaRules
