#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class Database;
class Dialogs;
struct GalaState;
struct SharedState;

// The online-times database the sheet takes finish times and splits from.
struct OnlineTimes
{
    QString AresDbInUse;              // the path opened
    std::unique_ptr<Database> AresDb; // open while online timing is in use
    QString MeetCode;                 // the gala's meet code in that database
};

// How opening a gala on the recording sheet ended.
enum class OpenOutcome
{
    Opened,       // the gala is in memory; show the sheet
    ProgramEmpty, // "Gala program empty"
    TooManyTeams, // more team entries than the sheet has rows
    NoTeams,      // "No teams defined"
    Failed,       // the database refused a read; its message was shown
};

// What becomes of results already stored for the gala being opened.
enum class StoredResults
{
    Ask,  // the official decides: add to them, or (after a second question) start afresh
    Keep, // they are loaded, asking nothing (a program writing what was recorded)
};

struct OpenedGala
{
    OpenOutcome outcome = OpenOutcome::Failed;
    QString GalaName;
    bool OnlineOn = false; // online timing in use for this sheet
    OnlineTimes online;
    // What the desk was told while the gala opened: a failure's reasons, or
    // online timing turned off. A caller without a window reports these.
    QStringList told;

    bool opened() const { return outcome == OpenOutcome::Opened; }
    QString caption() const { return QStringLiteral("Gala Recording : ") + GalaName; }
};

// The pool length of a dated gala in metres, 0 when it has none. Throws
// EngineError when the database refuses.
double PoolLengthOf(Database &galaDb, const QString &code, const QString &galaDate);

// Loads the gala shared.ProgCode / shared.GalaDate from shared.GalaDb into
// `gala`: programme, gala name, team entries, pool name, stored results (after
// asking whether to keep them when `stored` is Ask), and opens the
// online-times database when online timing is on (turning it off when the
// file is missing). The gala
// state is replaced only when the gala opens; the gala database always stays
// open. On success the sheet sets up its rows and shows event 1.
OpenedGala OpenGala(SharedState &shared, GalaState &gala, Dialogs &dialogs,
                    StoredResults stored = StoredResults::Ask);
