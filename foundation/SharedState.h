#pragma once

#include "foundation/Dialogs.h"
#include "foundation/Engine.h"

#include <QString>

#include <memory>

// The settings and choices every screen shares, owned by the application and
// handed to each screen by reference.
struct SharedState
{
    // Gala database, open from the start screen's Enter to its Exit.
    QString GalaDbPath;
    std::unique_ptr<Database> GalaDb;
    bool GalaDbOpen = false;

    // The gala chosen on the set-up screen.
    QString ProgCode;
    QString GalaDate;     // dd/mm/yy
    QString LastGalaDate; // dd/mm/yy, remembered in the settings file
    QString Promoter;
    QString Graded = QStringLiteral("N"); // "Y" for a time graded gala

    // Announcer link; the announcer database opens on the first post.
    bool AnnouncerOn = false;
    QString AnnouncerDbPath;
    std::unique_ptr<Database> AnnouncerDb;
    bool AnnouncerDbOpen = false;

    // Online timing.
    bool OnlineOn = false;
    QString AresDbPath;
    QString OnlineMeetCode;

    // The file chooser's inputs and results, kept between uses.
    FileChoice Choice;
};
