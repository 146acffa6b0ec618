#pragma once

#include "core/gala/GalaState.h"

#include <QDateTime>
#include <QString>

struct SharedState;
struct OnlineTimes;

// The gala as one save left it, copied on the desk's thread so that the
// publisher can write it on its own thread while the official types on.
struct LiveSnapshot
{
    GalaState gala;
    QString galaDate; // dd/mm/yy
    bool graded = false;
    int lastEvent = 0;     // the event index shown at the save, 0 for none
    QDateTime savedAt;     // UTC
    double poolLength = 0; // metres, for the Lenex file; 0 when unknown
    // The Lenex file's contact; without an e-mail it is not published.
    QString contactEmail;
    QString organisation;
    QString galaCode;
    // The online-times database the team pages take splits from; empty
    // when online timing is not in use. The publisher opens it read-only.
    QString aresDbPath;
    QString meetCode;
};

// Copies what a publish needs; reads no database. `poolLength` is the
// gala's pool length (PoolLengthOf), read once when the sheet opens.
LiveSnapshot TakeSnapshot(const SharedState &shared, const GalaState &gala, int lastEvent,
                          const OnlineTimes *online, double poolLength);
