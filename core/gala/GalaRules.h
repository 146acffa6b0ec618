#pragma once

#include "core/values/Slots.h"

#include <QDate>
#include <QString>

#include <utility>

struct GalaState;

// The swimming rules the recording desk, its reports, links and exports all
// go by. Each is decided here once; callers ask.
namespace GalaRules {

// A time text starting with an upper-case "D" records a disqualification
// ("D", "DQ", "D 1:05.00"): never a swim time, a place or points.
bool IsDisqualification(const QString &laneTime);

// The time a lane's time text counts with; 0 for no swim: an empty box, a
// disqualification ("D", "DQ 1:05.23") or words typed instead of a time
// ("DNS", "abc"). The text itself stays as typed; only a swim above 0 is
// ever placed, marked "TF" or given points.
float SwimTime(const QString &laneTime);

// "TF": a scoring entry's swim in a graded gala that is a swim (SwimTime
// above 0) and got no place, because it was faster than the grade time.
bool TooFast(const GalaState &gala, bool graded, int e, int t);

// An event's title: sex/age, distance and stroke name ("G10 50m Freestyle").
QString EventTitle(const GalaState &gala, int e);

// Team entry t's points from the first event to event `last`, summed afresh
// in event order and in single precision: the same total the desk keeps.
float CumulativePoints(const GalaState &gala, int t, int last);

// The full date of birth of event e, team t: the stored one while the sheet
// still shows it, else the shown dd/mm/yy text read as a birth not after
// `galaDay`; null when there is none.
QDate BirthDate(const GalaState &gala, int e, int t, const QDate &galaDay);

// The sex of an event's swimmers by the first letter of its sex/age text:
// G(irls), F(emale), L(adies) or B(oys), M(ale/en); anything else is neither.
enum class Sex
{
    Female,
    Male,
    Neither
};
Sex EventSex(const QString &sexAge);

// One line of a placed list of an event.
struct Placing
{
    bool guest = false; // a non-scoring entry, listed after every scoring one where that counts
    bool disqualified = false;
    int position = 0;
};

// Where swims without a place (no swim, "TF") stand among the placed ones.
enum class Unplaced
{
    First, // as place 0: the announcer's list
    Last,  // after every place: the printed result
};

// True when `a` must be listed before `b`: guests last, then
// disqualifications, the others by place.
bool PlacedBefore(const Placing &a, const Placing &b, Unplaced unplaced);

// The desk's exchange sort of rows 1 .. n by PlacedBefore: rows of equal
// rank keep the order the exchanges leave them in.
template <typename Row> void SortByPlace(Slots<Row> &rows, int n, Unplaced unplaced)
{
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (PlacedBefore(rows[j], rows[i], unplaced))
                std::swap(rows[i], rows[j]);
}

} // namespace GalaRules
