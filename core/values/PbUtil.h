#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The swimming values every screen, report and export shares: reading and
// writing swim times, stroke names, fixed-width columns, word splitting, and
// the small number and date texts the whole program prints.
namespace PBUTIL {

// Largest swim time that can be written as text (60 minutes).
inline constexpr float MaxTime = 3600.0f;

// The leading decimal number of a text: blanks skipped, "." always the
// decimal point, reading stops at the first character that cannot continue
// the number; a text with no number reads 0.
double LeadingNumber(const QString &text);

// Leading number rounded to a whole number, half to even.
int LeadingWhole(const QString &text);

// Rounds half to even, as the desk's old platform did for typed counts.
int RoundHalfEven(double value);

// Reads a swim time ("1:05.23", "1.05.23", "65.23", "35.2").
float TimeFromText(const QString &text);

// A written swim time, or why there is none.
struct TimeText
{
    QString text;         // "" for no time
    bool invalid = false; // true above 3600 s: the caller shows "Invalid Time"
};
TimeText TimeToText(float seconds);

// The time a lane's time text counts with; 0 for no swim: an empty box, a
// disqualification ("D", "DQ 1:05.23") or words typed instead of a time
// ("DNS", "abc"). The text itself stays as typed; only a swim above 0 is
// ever placed, marked "TF" or given points.
float SwimTime(const QString &laneTime);

// Full stroke name of a stroke code ("FS" -> "Freestyle"), "" when unknown.
QString StrokeName(const QString &code);

// Text of exactly `width` characters: padded with blanks, or cut to
// width - 1 characters followed by ">".
QString FitText(const QString &text, int width);

// The words of a text split at `separator` (a blank when empty); runs of
// separators give no empty words; at most 1000 words.
QStringList SplitWords(const QString &text, QString separator = QString());

// Whole number with the pattern "#": no leading zeros, 0 shows empty.
QString FormatHash(double value);

// Number with the pattern "0": whole number, 0 shows "0".
QString FormatZero(double value);

// Number with the pattern "00.00": at least two integer digits, two decimals.
QString FormatTwoDecimals(double value);

// The platform's number text: a leading blank for zero and above, "-" for
// negatives, up to seven significant digits for single precision (" 12",
// " 2.5", "-3").
QString NumberText(float value);

// The same number text without the leading blank ("12", "2.5", ".5").
QString TrimmedNumberText(float value);

// Reads a date typed as dd/mm/yy (also d/m/yyyy, "-" and "." as
// separators). A two-digit year is the one within 80 years before and 20
// years after `today`'s year (the machine's date when null), so the window
// slides with the calendar. An invalid text gives a null date.
QDate ReadDate(const QString &text, const QDate &today = QDate());

// Reads a date of birth the same way, except that a two-digit year is the
// latest such year that does not put the birth after `galaDay`: a swimmer is
// born before the gala. Without a gala date it reads as ReadDate.
QDate ReadBirthDate(const QString &text, const QDate &galaDay);

// A date as dd/mm/yy, "" for a null date.
QString DateText(const QDate &date);

// True when the file can be opened for reading; never reports anything.
bool FileExists(const QString &path);

// Writes the lines as a text file: UTF-8, each line ended by CR LF, created
// or replaced as a whole so a failed write leaves the old file untouched.
// False with the reason in `error` (when given) if the file was not written.
[[nodiscard]] bool WriteTextFile(const QString &path, const QStringList &lines,
                                 QString *error = nullptr);

} // namespace PBUTIL
