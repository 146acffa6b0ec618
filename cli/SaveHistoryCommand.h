#pragma once

#include <QStringList>

class QTextStream;

// The save history from the command line, for a desk whose screen will not
// open: --list-saves lists a gala's saves, --restore-save N makes save N its
// current results. Restoring is the only thing the command line writes to a
// gala database.
namespace SaveHistoryCommand {

// True when the command line asks for the save history.
bool Wanted(const QStringList &arguments);

// Runs it (`arguments` starts with the program name); exit codes as the
// export command's: 0 done, 1 the database or the gala failed, 2 usage.
int Run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The options, for the export command's --help.
QString HelpText();

} // namespace SaveHistoryCommand
