#pragma once

#include <QString>

#include <vector>

// A 1-based two-dimensional array indexed (event, team); slot 0 and the last
// slot of each dimension are unused, as in the arrays it replaces.
template <typename T> class Grid
{
public:
    void resize(int events, int teams)
    {
        m_teams = teams + 2;
        m_cells.assign(static_cast<size_t>(events + 2) * m_teams, T{});
    }
    T &operator()(int e, int t) { return m_cells[static_cast<size_t>(e) * m_teams + t]; }
    const T &operator()(int e, int t) const
    {
        return m_cells[static_cast<size_t>(e) * m_teams + t];
    }

private:
    int m_teams = 0;
    std::vector<T> m_cells;
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
    std::vector<QString> EventNo, EventSexAge, EventDistance, EventStroke, EventTime, EventScoring;

    // Per team index t.
    std::vector<QString> TeamName;
    std::vector<int> TeamLane, TeamHeat;
    std::vector<bool> TeamScoring;
    std::vector<float> TeamTotal;

    // Per event and team.
    Grid<QString> LaneTime;
    Grid<int> LanePos;
    Grid<float> LanePoints;
    Grid<QString> LaneName, LaneDoB, LaneClub, LaneNotes;

    // Sizes the six event arrays to events 0 .. events + 1, all empty.
    void resizeEvents(int events)
    {
        for (auto *a :
             {&EventNo, &EventSexAge, &EventDistance, &EventStroke, &EventTime, &EventScoring})
            a->assign(static_cast<size_t>(events + 2), QString());
    }

    // Sizes the team arrays and the lane grids for NoOfEvents and `teams`.
    void resizeTeams(int teams)
    {
        const auto n = static_cast<size_t>(teams + 2);
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
        LaneClub.resize(NoOfEvents, teams);
        LaneNotes.resize(NoOfEvents, teams);
    }
};
