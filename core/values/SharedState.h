#pragma once

#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SecondCopy.h"
#include "core/values/SettingsFile.h"

#include <QString>

#include <memory>

class LivePublisher;
class PrinterChoice;

// The settings and choices every screen shares, owned by the application and
// handed to each screen by reference. The remembered settings (database path,
// programme code, last gala date, announcer and online options) come from
// the settings file.
struct SharedState : Settings
{
    // Gala database, open from the start screen's Enter to its Exit.
    std::unique_ptr<Database> GalaDb;
    bool GalaDbOpen = false;

    // The gala chosen on the set-up screen.
    QString GalaDate; // dd/mm/yy
    QString Promoter;
    QString Graded = QStringLiteral("N"); // "Y" for a time graded gala
    bool graded() const { return Graded == QLatin1String("Y"); }

    // The announcer database opens on the first post.
    std::unique_ptr<Database> AnnouncerDb;
    bool AnnouncerDbOpen = false;

    // The second copy after every save (SecondCopyOn, SecondCopyFolder).
    SecondCopy Copy;

    // The file chooser's inputs and results, kept between uses.
    FileChoice Choice;

    // The printer chosen with "Printer Set-up", kept for the run; made by the
    // first report or set-up.
    std::shared_ptr<PrinterChoice> Printing;

    // Publishes every save into PublishFolder while PublishOn; made by the
    // first sheet that publishes, kept so the last save is written before
    // the program ends.
    std::shared_ptr<LivePublisher> Publishing;
};
