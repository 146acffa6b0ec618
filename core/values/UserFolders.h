#pragma once

#include <QString>
#include <QStringList>

// Where the desk keeps its databases and settings. Run from the build, both
// sit beside the program, as they always have. An installed program keeps its
// ready-made databases in <prefix>/share/aqgalarec/ and never writes there:
// each user gets copies in $XDG_DATA_HOME/aqgalarec/ and the settings file in
// the user's configuration folder.
class UserFolders
{
public:
    explicit UserFolders(const QString &programFolder);

    // True when the ready-made databases are installed beside the program's
    // folder (<prefix>/bin next to <prefix>/share/aqgalarec).
    bool installed() const { return !m_readyMadeFolder.isEmpty(); }

    // The folder of the user's databases: the default gala_record.mdb,
    // the demonstration galas, the announcer and online-times databases.
    QString dataFolder() const { return m_dataFolder; }

    // The settings file aqrecord.ini.
    QString settingsPath() const { return m_settingsPath; }

    // The databases every desk starts with.
    static QStringList readyMadeNames();

    // An installed program copies each ready-made database the user's data
    // folder lacks; a database already there (a recorded gala) is never
    // replaced. Gives an error text, or "" when every file is in place.
    // Run from the build it does nothing.
    QString provide() const;

private:
    QString m_readyMadeFolder;
    QString m_dataFolder;
    QString m_settingsPath;
};
