#pragma once

#include "core/preparation/Programme.h"

#include <QString>
#include <QStringList>

#include <vector>

// The programme file: the event count, then six lines per event (number,
// sex/age, distance, stroke, limit time, scoring), written bare.
namespace ProgrammeFile {

// The lines of the file for `programme`.
QStringList lines(const Programme &programme);

// True when some text of the programme would not load back as written: one
// holding a comma, starting with a double quote or with blanks around it.
bool losesTexts(const Programme &programme);

// The fields of a file's text: a field ends at a comma or a line end, blanks
// around it are dropped, and a field starting with a double quote runs to
// the next double quote (commas and line ends included).
QStringList fields(const QString &content);

// The events a file holds; a file that cannot be loaded throws EngineError
// saying why.
std::vector<ProgrammeEvent> read(const QString &content);

// A file's bytes as text: UTF-8 when they are valid UTF-8, else Windows-1252.
QString decode(const QByteArray &bytes);

// The events of the file at `path`; a file that cannot be read is refused
// the same way.
std::vector<ProgrammeEvent> readFile(const QString &path);

} // namespace ProgrammeFile
