#pragma once

#include "core/values/Slots.h"

#include <QDate>
#include <QString>

// A 1-based two-dimensional array indexed (event, team); slot 0 and the last
// slot of each dimension are unused, as in the arrays it replaces.
template <typename T> class Grid
{
public:
    void resize(int events, int teams)
    {
        m_teams = teams + 2;
        m_cells.assign((events + 2) * m_teams);
    }
    T &operator()(int e, int t) { return m_cells[index(e, t)]; }
    const T &operator()(int e, int t) const { return m_cells[index(e, t)]; }

private:
    int index(int e, int t) const
    {
        Q_ASSERT_X(t >= 0 && t < m_teams, "Grid", "team index out of range");
        return e * m_teams + t;
    }

    int m_teams = 0;
    Slots<T> m_cells;
};

// The gala in memory: header, programme, team entries and every lane's
// result. All arrays are 1-based.
struct GalaState
{
    // Largest programme the editor holds, and the rows of the recording sheet.
    static constexpr int MaxEvents = 100;
    static constexpr int MaxSheetRows = 17;

    QString GalaName;
    QString PoolName;
    int NoOfEvents = 0;
    int NoOfTeams = 0;
    int NoOfScoringTeams = 0;

    // Per event index e.
    Slots<QString> EventNo, EventSexAge, EventDistance, EventStroke, EventTime, EventScoring;

    // Per team index t.
    Slots<QString> TeamName;
    Slots<int> TeamLane, TeamHeat;
    Slots<bool> TeamScoring;
    Slots<float> TeamTotal;

    // Per event and team.
    Grid<QString> LaneTime;
    Grid<int> LanePos;
    Grid<float> LanePoints;
    Grid<QString> LaneName, LaneDoB, LaneClub, LaneNotes;
    // The date of birth the gala was opened with, in full: the dd/mm/yy text
    // in LaneDoB has lost its century, so a save uses this date for as long
    // as LaneDoB still shows it.
    Grid<QDate> LaneDoBStored;

    // The number of heats: how often the heat changes along the team entries
    // in order, the first entry counting as a change from heat 0. Heats are
    // then numbered 1 to this count.
    int HeatCount() const
    {
        int count = 0;
        int heat = 0;
        for (int t = 1; t <= NoOfTeams; ++t) {
            if (TeamHeat[t] != heat) {
                heat = TeamHeat[t];
                ++count;
            }
        }
        return count;
    }

    // Sizes the six event arrays to events 0 .. events + 1, all empty.
    void resizeEvents(int events)
    {
        for (auto *a :
             {&EventNo, &EventSexAge, &EventDistance, &EventStroke, &EventTime, &EventScoring})
            a->assign(events + 2);
    }

    // Sizes the team arrays and the lane grids for NoOfEvents and `teams`.
    void resizeTeams(int teams)
    {
        const int n = teams + 2;
        TeamName.assign(n, QString());
        TeamLane.assign(n, 0);
        TeamHeat.assign(n, 0);
        TeamScoring.assign(n, false);
        TeamTotal.assign(n, 0.0f);
        LaneTime.resize(NoOfEvents, teams);
        LanePos.resize(NoOfEvents, teams);
        LanePoints.resize(NoOfEvents, teams);
        LaneName.resize(NoOfEvents, teams);
        LaneDoB.resize(NoOfEvents, teams);
        LaneDoBStored.resize(NoOfEvents, teams);
        LaneClub.resize(NoOfEvents, teams);
        LaneNotes.resize(NoOfEvents, teams);
    }
};
