#include "tools/OnlineTimesFeed.h"

#include "core/values/Engine.h"

namespace OnlineTimesFeed {

void AddTimes(Database &db, const Heat &heat, const QList<LaneEntry> &lanes, bool intermediate)
{
    Database::Transaction tx(db);
    Recordset rows = db.openRecordset(QStringLiteral("Online_Times"));
    for (const LaneEntry &entry : lanes) {
        rows.addNew();
        rows.setValue(QStringLiteral("Meet code"), heat.meetCode);
        rows.setValue(QStringLiteral("Event number"), heat.eventNo);
        rows.setValue(QStringLiteral("Heat number"), heat.heat);
        rows.setValue(QStringLiteral("Message type"), heat.messageType);
        rows.setValue(QStringLiteral("Kind_of_time"),
                      intermediate ? QStringLiteral("I") : QStringLiteral("F"));
        rows.setValue(QStringLiteral("Lane_number"), entry.lane);
        rows.setValue(QStringLiteral("Lane_time"), entry.time);
        rows.setValue(QStringLiteral("Position"), intermediate ? QVariant() : entry.position);
        rows.update();
    }
    rows.close();
    tx.commit();
}

} // namespace OnlineTimesFeed
