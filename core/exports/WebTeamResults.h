#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct GalaState;
class SplitTimes;

// The web team results: one page per team entry (one lane in one heat) with
// every event's swimmer, time, place and, for a valid swim, the split times
// of the online timing, or the reason of a disqualification.
namespace WebTeamResults {

// The file name of every team entry's page (index t - 1 for team index t):
// the team name made safe as a file name, with ".htm". An empty name becomes
// "Heat h Lane l"; names that two entries share (ignoring case) get
// " Heat h Lane l" after the name, so no page replaces another.
QStringList PageNames(const GalaState &gala);

struct Page
{
    QString fileName; // from PageNames
    QStringList lines;
};

// Every team entry's page, in team order. `splits` reads the online-times
// database; null when online timing is not in use (no splits then). Throws
// EngineError when that database refuses its query.
QList<Page> Pages(const GalaState &gala, const QString &galaDate, bool graded, SplitTimes &splits);

// Builds every page first, then writes them into `folder` (which must exist;
// a trailing "/" or none). Callable without any window. Stops at the first
// page that cannot be written: false with `error` naming that file, any
// earlier file of that name kept. Throws EngineError as Pages does, before
// writing anything.
[[nodiscard]] bool Write(const QString &folder, const GalaState &gala, const QString &galaDate,
                         bool graded, SplitTimes &splits, QString &error);

} // namespace WebTeamResults
