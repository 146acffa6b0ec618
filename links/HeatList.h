#pragma once

#include <QStringList>

struct SharedState;
struct GalaState;
class Dialogs;
class SheetModel;

// The number of heats of the gala: how often the heat changes along the
// team entries in order. Heats are then 1 to this count.
int HeatCount(const GalaState &gala);

// One announcement per heat of the event shown: a title, then lane, swimmer
// and team of every entry of the heat by lane, non-scoring teams marked
// " (N/S)". Lines end CR LF. Empty when the event number box holds no event
// of the programme.
QStringList HeatListMessages(const GalaState &gala, const SheetModel &sheet);

// "Heats List to Announcer": posts the messages in heat order, priority 3.
void HeatsListToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                          Dialogs &dialogs);
