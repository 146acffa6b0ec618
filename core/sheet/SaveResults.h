#pragma once

#include <QDate>
#include <QString>

class Database;
struct GalaState;

namespace ResultStore {

// Writes the whole gala into Gala_Record: the date's "backup" rows are
// deleted, the gala's stored rows become the new "backup", and one row per
// team entry and event is added. All of it is one transaction: on an
// EngineError nothing has changed in the database. The gala state is only
// read.
void SaveResults(Database &db, const QString &progCode, const QString &galaDate,
                 const GalaState &gala);

} // namespace ResultStore
