#pragma once

#include <QList>
#include <QString>

class Database;

// Writes times into an online-times database as the pool's timing system
// does: one message of finish times, or intermediate times, for one heat.
namespace OnlineTimesFeed {

// The timing system's message types, as the recording sheet prefers them.
enum MessageType
{
    OnlineTimes = 2,
    CurrentResults = 3,
    CurrentResultsWithBackups = 4,
    PreviousResult = 5,
    PreviousResultWithBackups = 6
};

struct Heat
{
    QString meetCode;
    int eventNo = 0;
    int heat = 0;
    int messageType = OnlineTimes;
};

// One lane of a message; `position` is 0 for an intermediate time.
struct LaneEntry
{
    int lane = 0;
    QString time;
    int position = 0;
};

// Appends the lanes as finish times ("F") or intermediate times ("I"), all
// in one step. Throws EngineError when the database refuses them.
void AddTimes(Database &db, const Heat &heat, const QList<LaneEntry> &lanes, bool intermediate);

} // namespace OnlineTimesFeed
