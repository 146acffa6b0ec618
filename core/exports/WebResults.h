#pragma once

#include <QString>
#include <QStringList>

struct GalaState;

// The web results page: one table row per event with every team entry's
// time, place and points, the cumulative points per team, and the
// disqualifications when there are any. Reads the gala in memory only.
namespace WebResults {

// The page's lines, without line ends. `galaDate` is the gala's dd/mm/yy date.
QStringList Lines(const GalaState &gala, const QString &galaDate);

// Builds the page and writes it to `path` exactly as named (no extension
// added). Callable without any window; false with `error` naming the file
// when it cannot be written, any earlier file of that name then kept.
[[nodiscard]] bool Write(const QString &path, const GalaState &gala, const QString &galaDate,
                         QString &error);

} // namespace WebResults
