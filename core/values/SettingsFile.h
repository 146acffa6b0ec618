#pragma once

#include <QString>
#include <QStringList>

// The remembered values of aqrecord.ini.
struct Settings
{
    QString GalaDbPath;
    QString ProgCode;
    QString LastGalaDate;
    bool AnnouncerOn = false;
    QString AnnouncerDbPath;
    bool OnlineOn = false;
    QString AresDbPath;
    QString OnlineMeetCode;
    // The desk's contact in Lenex files (line 6).
    QString ContactEmail;
    QString ContactOrganisation;
    // Line 7: a second copy of the gala database after every save.
    bool SecondCopyOn = false;
    QString SecondCopyFolder;
    // Line 8: the results published into a folder after every save.
    bool PublishOn = false;
    QString PublishFolder;
};

// aqrecord.ini: lines of quoted texts and #TRUE#/#FALSE# flags, separated
// by commas, CR LF line ends. Lines 1-5 are the database, gala, announcer
// and online settings, line 6 the Lenex contact ("e-mail", "organisation"),
// line 7 the second copy and line 8 the publish option (flag, folder).
// Files written before a line existed read as having none.
namespace SettingsFile {

// Where the settings file lives: the program's folder, or the user's
// configuration folder when the program's folder cannot be written.
QString location(const QString &programFolder);

// The values of the file; a missing file, missing lines and unreadable
// fields leave their defaults (empty texts, flags off).
Settings read(const QString &path);
// The same for the file's bytes.
Settings parse(const QByteArray &content);

// The lines as they are written.
QStringList lines(const Settings &settings);

// Writes the file afresh; false with the reason in `error` when it failed.
[[nodiscard]] bool write(const QString &path, const Settings &settings, QString *error);

} // namespace SettingsFile
