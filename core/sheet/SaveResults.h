#pragma once

#include <QDate>
#include <QString>

class Database;
struct GalaState;
enum class SaveAction : int;

namespace ResultStore {

// What the save history records of a save besides its rows.
struct SaveNote
{
    SaveAction action;
    QString eventShown;
};

// Writes the whole gala into Gala_Record: the date's "backup" rows are
// deleted, the gala's stored rows become the new "backup", and one row per
// team entry and event is added. The rows replaced and the rows written are
// kept in the save history. All of it is one transaction: on an EngineError
// nothing has changed in the database. The gala state is only read.
void SaveResults(Database &db, const QString &progCode, const QString &galaDate,
                 const GalaState &gala, const SaveNote &note);

// The same save without the save history, as the gala was saved before it
// existed; the benchmark measures the history's cost against it.
void SaveResultsWithoutHistory(Database &db, const QString &progCode, const QString &galaDate,
                               const GalaState &gala);

// Makes save `number` of the history (SaveHistory::List) the gala's current
// results, as a save would: the results it replaces become the backup and
// stay in the history, so the restore can be undone. One transaction;
// throws EngineError, changing nothing, for a number the gala does not have.
void RestoreResults(Database &db, const QString &progCode, const QString &galaDate, qint64 number);

} // namespace ResultStore
