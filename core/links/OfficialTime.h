#pragma once

#include <QString>

struct SharedState;
struct GalaState;
class Dialogs;
class SheetModel;

// The official time of one lane for the announcer: the event, the swimmer
// when named, the team and the time as its box shows it. Lines end CR LF.
// Empty when the event number box holds no event of the programme or the
// row shows no team entry.
QString OfficialTimeText(const GalaState &gala, const SheetModel &sheet, int row);

// A user's tick of the row's BU box: posts the official time. Called only
// for a tick; a box cleared by the program, or unticked, posts nothing.
void AnnounceOfficialTime(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                          Dialogs &dialogs, int row);
