#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What every export shares: writing a file, turning a typed name into a
// file name that stays in the chosen folder, and keeping a separator out of
// a comma-separated field. No widgets: the menu entries and the command line
// both come through here.
namespace Exports {

// The context of the exports' words for translation.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(Exports)
};

// Writes one export file: UTF-8, each line ended by CR LF, created or
// replaced as a whole, so a failed write (full disk, folder without write
// access) leaves any earlier file of that name as it was. On failure `error`
// names the file and says why.
[[nodiscard]] bool WriteFile(const QString &path, const QStringList &lines, QString &error);

// A typed name (a team name, a meet code) as a file name inside the chosen
// folder: path separators, "..", control characters and the characters no
// file name may hold anywhere (\ / : * ? " < > |) become "_", a leading "."
// that would hide the file becomes "_", blanks at either end go, and the name
// is cut to 50 characters. May give "" (the caller decides the stand-in).
QString CleanFileName(const QString &name);

// A text as one field of a comma-separated line: its commas are removed, so
// the fields after it cannot shift.
QString BareField(QString text);

} // namespace Exports
