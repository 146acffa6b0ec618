#pragma once

#include <QString>

#include <functional>
#include <vector>

class Database;
class Dialogs;
struct SharedState;

// One lane of the team names form as the official left it.
struct LaneChoice
{
    QString name;
    bool noTeam = false;
    bool nonScoring = false;
};

// One team in one lane of one heat.
struct TeamEntryRecord
{
    int lane = 0;
    int heat = 0;
    QString name;
    bool scoring = true;
};

// "Enter Teams": asks for lanes and heats, collects the teams heat by heat
// and replaces the gala's stored team entries with them.
class TeamEntry
{
public:
    static constexpr int MaxLanes = 10;
    static constexpr int MaxHeats = 10;

    // Shows the team names form for one heat with `lanes` rows and fills
    // `rows` (one per lane); false when the form was closed without "Done".
    using HeatForm = std::function<bool(int heat, int lanes, std::vector<LaneChoice> &rows)>;

    enum class Outcome
    {
        Stored,
        Refused,
        Cancelled
    };

    TeamEntry(SharedState &shared, Dialogs &dialogs);

    // The whole entry; only Stored changes the database.
    Outcome run(const HeatForm &form);

    // The entries collected by the last run, heat by heat, lane by lane.
    const std::vector<TeamEntryRecord> &entries() const { return m_entries; }

    static QString heatCaption(int heat);

    // Replaces every stored entry of the gala, all or nothing.
    static void replaceTeams(Database &db, const QString &code, const QString &date,
                             const std::vector<TeamEntryRecord> &entries);

private:
    // A count typed in the input box, or 0 after the refusal was shown.
    int askCount(const QString &question, int most, const QString &refusal);

    SharedState &m_shared;
    Dialogs &m_dialogs;
    std::vector<TeamEntryRecord> m_entries;
};
