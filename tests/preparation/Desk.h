#pragma once

#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

// A recording desk for one test: a temporary gala database (blank or the
// demonstration gala) open in the shared state, an empty gala state and
// scripted dialogs.
struct Desk
{
    TestGala file;
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;

    explicit Desk(bool demo = true) : file(demo)
    {
        shared.GalaDbPath = file.path;
        shared.GalaDb = file.open();
        shared.GalaDbOpen = true;
    }
    Database &db() { return *shared.GalaDb; }
};
