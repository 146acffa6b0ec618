#pragma once

#include <QCoreApplication>
#include <QStringList>

class QTextStream;

// aqgalarec-export: writes the files of the recording sheet's menus from a
// gala database without any window, through the same functions as the menus.
// It never changes the gala database.
namespace ExportCommand {

// The command's own texts, translated under "ExportCommand".
inline QString tr(const char *text)
{
    return QCoreApplication::translate("ExportCommand", text);
}

// Exit codes.
enum Exit
{
    Done = 0,
    Failed = 1, // the database, the gala or a file failed
    Usage = 2,  // the command line was wrong
};

// Runs one command line (`arguments` starts with the program name): the
// exports, or the save history's command when its options are given. What it
// wrote goes to `out`, failures to `err`.
int Run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace ExportCommand
