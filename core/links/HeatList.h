#pragma once

#include <QStringList>

struct SharedState;
struct GalaState;
class Dialogs;
class SheetModel;

// One announcement per heat of the event shown: a title, then lane, swimmer
// and team of every entry of the heat by lane, non-scoring teams marked
// " (N/S)". Lines end CR LF. Empty when the event number box holds no event
// of the programme.
QStringList HeatListMessages(const GalaState &gala, const SheetModel &sheet);

// "Heats List to Announcer": posts the messages in heat order, as heats lists.
void HeatsListToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                          Dialogs &dialogs);
