#pragma once

#include <QString>

struct SharedState;
class Dialogs;
class UserFolders;

// What the start screen does, without its widgets: the remembered settings,
// the choice of the gala database, opening it, and the settings written on
// the way out.
class StartUp
{
public:
    StartUp(SharedState &shared, Dialogs &dialogs, const UserFolders &folders);

    // Reads the settings into the shared state; gives the database path to
    // show (the remembered one, else gala_record.mdb in the data folder).
    QString load();

    // "Browse": the chosen database path, or "" (after "No Database
    // selected") when the chooser was cancelled.
    QString browse();

    // "Enter": opens the named database (closing one opened before) and
    // remembers its path; false, after telling the user why, when it cannot
    // be opened (the path remembered before stays). A relative name not
    // found in the current folder is looked for in the databases' folder. A
    // file that fails the engine's quick check is not opened for recording;
    // when its second copy exists, the user may put that copy in its place
    // (the damaged file is kept beside it).
    bool enter(const QString &typed);

    // "Exit": closes the database and writes the settings file; false, after
    // telling the user, when the file could not be written.
    bool exit();

private:
    QString resolve(const QString &typed) const;
    // Opens and checks the file; "" when it is a sound gala database, else
    // what was found, with `damaged` set when the engine's check failed.
    QString open(const QString &dbPath, bool &damaged);
    bool offerSecondCopy(const QString &dbPath);

    SharedState &m_shared;
    Dialogs &m_dialogs;
    QString m_dataFolder;
    QString m_settingsPath;
};
