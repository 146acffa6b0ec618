#pragma once

#include <QString>
#include <QStringList>

namespace ExportCommand {

struct Session;

// Writes one output to `target` with the menu's own function; adds the
// files written to `written`.
using Writer = bool (*)(Session &session, const QString &target, QStringList *written,
                        QString *error);

// One output: its option, and how it is written.
struct Output
{
    const char *option;
    const char *valueName;
    const char *help;
    Writer write;
};
// The outputs in the order they are written, each with the menu's own function.
extern const Output Outputs[6];

// The Lenex file, which needs the desk's contact.
bool writeLenex(Session &s, const QString &target, QStringList *written, QString *error);

} // namespace ExportCommand
