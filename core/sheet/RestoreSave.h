#pragma once

#include "core/sheet/SaveHistory.h"

#include <QList>
#include <QStringList>

struct SharedState;
class Dialogs;

// "Restore Previous Save...": the saves of the gala chosen on the set-up
// screen, and making one of them the current results.
namespace RestoreSave {

// The chosen gala's saves, newest first; empty, after telling the official
// why, when no gala is chosen or it has no saves.
QList<SaveHistory::Entry> Saves(SharedState &shared, Dialogs &dialogs);

// The texts of one line of the list: time, action, event shown, events
// with results.
QStringList Columns(const SaveHistory::Entry &entry);

// Asks first ("No" is the default), then makes the save the gala's current
// results and writes the second copy; true when restored.
bool Restore(SharedState &shared, Dialogs &dialogs, const SaveHistory::Entry &entry);

} // namespace RestoreSave
