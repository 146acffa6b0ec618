#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

struct GalaState;

// The national ranking files: a header file (.HDR) describing the meet and a
// results file (.MRF) with one comma-separated line per valid individual
// swim of a recognised event.
namespace RankingFiles {

// The ranking code of an event from its distance and stroke code ("100FS"
// gives "02"); "00" for an event the rankings do not take.
QString EventCode(const QString &distance, const QString &stroke);

// "F" for girls' and ladies' events (G, F, L), "M" for boys' and men's (B, M),
// else one blank; from the first character of the sex/age text.
QString SexCode(const QString &sexAge);

// The gala date as the header wants it; a null date when it does not read
// as a date (the files are then not written).
QDate GalaDay(const QString &galaDate);
// The message for a gala date that does not read as a date.
QString BadDateMessage(const QString &galaDate);

// The header line: gala name, pool name, date as ddmmyy, course code ("11"
// long course, "31" short course). `day` must be valid.
QString HeaderLine(const GalaState &gala, const QDate &day, bool longCourse);

// The results lines, events and team entries in order. Dates of birth typed
// without a century are read as births not after `galaDay`.
QStringList ResultLines(const GalaState &gala, const QDate &galaDay);

// The two file names in the chosen folder: the meet code made safe as a file
// name, then ".HDR" and ".MRF" (an empty code gives ".HDR" and ".MRF").
QString HeaderFileName(const QString &meetCode);
QString ResultsFileName(const QString &meetCode);

// Checks the gala date, then writes the header file and the results file
// into `folder` (which must exist). Callable without any window. False with
// `error` when the date does not read as a date or no swim can be ranked
// (nothing written either way) or a file cannot be written (named in `error`; any earlier file of
// that name kept).
[[nodiscard]] bool Write(const QString &folder, const QString &meetCode, bool longCourse,
                         const GalaState &gala, const QString &galaDate, QString &error);

} // namespace RankingFiles
