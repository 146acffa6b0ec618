#pragma once

#include <QString>

struct SharedState;
class Dialogs;

// What the start screen does, without its widgets: the remembered settings,
// the choice of the gala database, opening it, and the settings written on
// the way out.
class StartUp
{
public:
    StartUp(SharedState &shared, Dialogs &dialogs, const QString &programFolder);

    // Reads the settings into the shared state; gives the database path to
    // show (the remembered one, else gala_record.mdb in the program folder).
    QString load();

    QString settingsPath() const { return m_settingsPath; }

    // "Browse": the chosen database path, or "" (after "No Database
    // selected") when the chooser was cancelled.
    QString browse();

    // "Enter": opens the named database (closing one opened before); false,
    // after telling the user why, when it cannot be opened. A file that
    // fails the engine's quick check is not opened for recording; when its
    // second copy exists, the user may put that copy in its place (the
    // damaged file is kept beside it).
    bool enter(const QString &dbPath);

    // "Exit": closes the database and writes the settings file; false, after
    // telling the user, when the file could not be written.
    bool exit();

private:
    // Opens and checks the file; "" when it is a sound gala database, else
    // what was found.
    QString open(const QString &dbPath);
    bool offerSecondCopy(const QString &dbPath);

    SharedState &m_shared;
    Dialogs &m_dialogs;
    QString m_programFolder;
    QString m_settingsPath;
};
