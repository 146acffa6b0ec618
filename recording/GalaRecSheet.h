#pragma once

class QWidget;
struct SharedState;
struct GalaState;
class Dialogs;

// "Record Results": loads the chosen gala into memory and shows the
// recording sheet modally until the official leaves it.
void RecordResults(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent);
