#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

class Database;
enum class SaveAction;

// Every save of a gala kept: the generations of its Gala_Record rows, each
// with when and why it was saved, in the table Gala_Save_History. The
// last 100 of each gala are kept, never the same content twice in a row.
// Gala_Record and its "backup" rows stay as they were; the history sits
// beside them and is written in the save's own transaction.
namespace SaveHistory {

// How many generations of one gala are kept.
constexpr int Kept = 100;

// One generation as the list shows it.
struct Entry
{
    // The number the command line restores it by; 0 for the date's
    // "backup" rows of a database saved before the history existed.
    qint64 number = 0;
    QDateTime savedAt; // null when not known (an earlier save, the backup)
    QString action;    // as shown: "Next Event", "Save", ...
    QString eventShown;
    int eventsWithResults = 0;
};

// The stored rows of one generation, as the engine gives them.
struct Generation
{
    QList<QVariantList> rows;
};

// Creates the history table when the database has none (a database from
// before the history); run inside the save's transaction.
void CreateTable(Database &db);

// Before a save replaces the gala's rows: keeps them in the history when
// its newest generation is not the same (rows another program or an older
// version wrote, or a database from before the history; its backup
// generation is then kept first).
void KeepReplaced(Database &db, const QString &progCode, const QString &galaDate);

// After the save wrote the gala's rows: records them as the newest
// generation, unless they are the newest already, and trims to Kept.
void Record(Database &db, const QString &progCode, const QString &galaDate, SaveAction action,
            const QString &eventShown);

// The gala's generations, newest first; for a database without history
// the date's "backup" rows, when there are any. Writes nothing.
QList<Entry> List(Database &db, const QString &progCode, const QString &galaDate);

// The rows of generation `number` (0: the date's "backup" rows); throws
// EngineError when the gala has no such generation.
Generation Load(Database &db, const QString &progCode, const QString &galaDate, qint64 number);

// The gala's current rows in Gala_Record.
Generation Current(Database &db, const QString &progCode, const QString &galaDate);

// Adds the rows of a generation to Gala_Record under the gala's code and date.
void WriteRows(Database &db, const QString &progCode, const QString &galaDate,
               const Generation &generation);

// The shown name of a save action.
QString ActionName(SaveAction action);

} // namespace SaveHistory
