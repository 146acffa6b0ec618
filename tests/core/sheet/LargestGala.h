#pragma once

#include "core/gala/GalaState.h"

#include <QString>

// The largest gala the sheet holds in memory, 17 team entries x 100 events,
// every lane carrying `marker` in its notes, so a stored generation is whole
// exactly when all its rows carry one marker.
inline void fillLargestGala(GalaState &g, const QString &marker, int variant)
{
    if (g.NoOfTeams != GalaState::MaxSheetRows) {
        g.NoOfEvents = GalaState::MaxEvents;
        g.resizeEvents(g.NoOfEvents);
        for (int e = 1; e <= g.NoOfEvents; ++e)
            g.EventNo[e] = QString::number(e);
        g.NoOfTeams = GalaState::MaxSheetRows;
        g.resizeTeams(g.NoOfTeams);
        for (int t = 1; t <= g.NoOfTeams; ++t) {
            g.TeamHeat[t] = 1 + (t - 1) / 9;
            g.TeamLane[t] = 1 + (t - 1) % 9;
            g.TeamScoring[t] = true;
        }
        g.NoOfScoringTeams = g.NoOfTeams;
    }
    for (int e = 1; e <= g.NoOfEvents; ++e) {
        for (int t = 1; t <= g.NoOfTeams; ++t) {
            g.LaneTime(e, t) = QStringLiteral("%1.%2").arg(30 + t).arg((e + variant) % 100, 2, 10,
                                                                       QLatin1Char('0'));
            g.LanePos(e, t) = t;
            g.LanePoints(e, t) = float(18 - t);
            g.LaneName(e, t) = QStringLiteral("Swimmer %1-%2").arg(e).arg(t);
            g.LaneClub(e, t) = QStringLiteral("Club %1").arg(t);
            g.LaneNotes(e, t) = marker;
        }
    }
}
