#pragma once

#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SharedState.h"

// The gala database every preparation step works on. A step started without
// it fails like any other engine failure, so the screens need no extra test.
inline Database &GalaDatabase(SharedState &shared)
{
    if (!shared.GalaDb)
        throw EngineError(QStringLiteral("The gala database is not open"));
    return *shared.GalaDb;
}

// Runs one user action: an engine failure ends the action with the engine's
// message and the program carries on. Gives false when the action failed.
template <typename Action> bool Guarded(Dialogs &dialogs, Action &&action)
{
    try {
        action();
        return true;
    } catch (const EngineError &e) {
        dialogs.message(e.message());
        return false;
    }
}
