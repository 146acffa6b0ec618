#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class Database;

// The rows the timing system writes into the online-times database. They
// come from another program, so every field is read with suspicion: a lane,
// position or time that cannot be read makes the row count as no row.
namespace OnlineRows {

// A lane or position: a whole number that fits 16 bits. False for null,
// text that is no whole number, a fraction, or a number beyond 16 bits.
[[nodiscard]] bool ReadWhole(const QVariant &value, int &whole);

// A lane time, trimmed and read as a swim time.
struct LaneTime
{
    bool readable = false; // false: null, not a number, or not above 0
    bool invalid = false;  // above 3600 s: no time text can show it
    QString text;          // the time as the sheet writes it ("35.20")
};
LaneTime ReadTime(const QVariant &value);

// One finish time of a heat.
struct FinishRow
{
    int lane = 0;
    int position = 0;
    LaneTime time;
};

// The finish times of one heat in one message type of the timing system
// ("Finish times for 1 event"), in the order of its rows; unreadable rows
// are left out. Throws EngineError when the database refuses the query.
QList<FinishRow> FinishTimes(Database &db, const QString &meetCode, int eventNo, int heat,
                             int messageType);

} // namespace OnlineRows
