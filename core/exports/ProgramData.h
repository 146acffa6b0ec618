#pragma once

#include <QString>
#include <QStringList>

struct GalaState;

// The data file the printed competition programme is typeset from: per
// event a heading, one line per scoring team entry (lane, swimmer when known,
// team), and a blank line.
namespace ProgramData {

// The file's lines, without line ends; no events give no lines.
QStringList Lines(const GalaState &gala);

// Builds the lines and writes them to `path`. Callable without any window;
// false with `error` naming the file when it cannot be written, any earlier
// file of that name then kept.
[[nodiscard]] bool Write(const QString &path, const GalaState &gala, QString &error);

} // namespace ProgramData
