#pragma once

#include <QString>

class Database;

// Gala codes (Gala_Name) and dated galas (Gala_Date) as the entry screens
// add them.
namespace GalaCodes {

// True when `code` is already a programme code; the comparison is exact,
// letter case included.
bool codeUsed(Database &db, const QString &code);

// Adds a gala code with its description and notes, as typed.
void addCode(Database &db, const QString &code, const QString &description, const QString &notes);

// Adds a dated gala of `code`. The date is typed day first; the pool
// length is the number the text starts with (0 when none). False, with
// nothing stored, when the date cannot be read.
[[nodiscard]] bool addDate(Database &db, const QString &code, const QString &dateText,
                           const QString &pool, const QString &promoter, const QString &lengthText,
                           bool graded);

} // namespace GalaCodes
