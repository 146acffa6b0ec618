#pragma once

#include "cli/BatchDialogs.h"
#include "core/gala/GalaState.h"
#include "core/links/SplitTimes.h"
#include "core/sheet/GalaOpening.h"
#include "core/values/SharedState.h"

namespace ExportCommand {

class CommandLine;

// The gala as the recording sheet holds it, opened from the command line.
struct Session
{
    SharedState shared;
    GalaState gala;
    OpenedGala opened;
    BatchDialogs dialogs;
    QString code;            // the gala code, also the ranking files' meet code
    bool longCourse = false; // the course of the ranking files

    OnlineTimes *online() { return opened.OnlineOn ? &opened.online : nullptr; }
    // Split times as the sheet reads them: none without online timing.
    SplitTimes splits()
    {
        return online() ? SplitTimes(opened.online.AresDb.get(), opened.online.MeetCode)
                        : SplitTimes(nullptr, QString());
    }
};

// Chooses the gala as the set-up screen does and opens it as the recording
// sheet does; false with the reason when it cannot.
[[nodiscard]] bool openGala(Session &s, const CommandLine &line, QString *why);

} // namespace ExportCommand
