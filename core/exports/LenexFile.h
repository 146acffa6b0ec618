#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class Dialogs;
struct GalaState;
struct OnlineTimes;
struct SharedState;

namespace LenexFile {

// The file a typed name stands for: a name ending in .lef or .lxf (any case)
// as it is, any other name with .lxf added.
QString FileName(const QString &typed);

// True when the name asks for the plain XML (.lef) rather than the zipped file.
bool IsPlain(const QString &path);

// Writes the document to `path`: plain for a .lef name, otherwise as a zip
// archive holding one .lef named after the file. The archive entry carries
// `stamp` as its date so that one gala always gives the same bytes. The file
// is replaced as a whole: a failed write leaves any old file untouched.
[[nodiscard]] bool Write(const QString &path, const QByteArray &xml, const QDate &stamp,
                         QString *error);

// Exports the gala in memory as a Lenex results file at the file name of
// `typed`; the same step for the sheet's menu and the command line. Without
// a contact e-mail in `shared` it writes nothing and says why. Split
// times come from `online` (null without online timing). Gives the path
// written, or false with the reason; throws EngineError when a database
// refuses.
[[nodiscard]] bool Export(SharedState &shared, const GalaState &gala, OnlineTimes *online,
                          const QString &typed, QString *written, QString *error);

// True for a text that reads as one e-mail address ("desk@club.org.uk").
bool IsEmailAddress(const QString &text);

// The desk's contact for Lenex files: asked once, when the settings have
// none, and kept in them (written to the settings file on the start
// screen's Exit). False, after telling the official, when not given.
[[nodiscard]] bool AskContact(SharedState &shared, Dialogs &dialogs);

// "Lenex Results File" on the sheet: asks for the contact when there is
// none yet, then for the file, and exports.
void ExportFromMenu(SharedState &shared, const GalaState &gala, OnlineTimes *online,
                    Dialogs &dialogs);

} // namespace LenexFile
