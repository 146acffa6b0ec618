#include "core/links/SplitTimes.h"

#include "core/links/OnlineRows.h"
#include "core/values/Engine.h"

#include <utility>

SplitTimes::SplitTimes(Database *aresDb, QString meetCode)
    : m_db(aresDb), m_meetCode(std::move(meetCode))
{
}

QStringList SplitTimes::splits(double eventNo, int heat, int lane)
{
    if (!m_db)
        return {};
    if (eventNo != m_cachedEvent || heat != m_cachedHeat) {
        m_rows.clear();
        // Forget the old rows first, so a refused query never leaves another
        // heat's splits behind.
        m_cachedEvent = -1;
        QueryDef query = m_db->queryDef(QStringLiteral("Times for 1 event"));
        query.setParameter(QStringLiteral("Meet code"), m_meetCode);
        query.setParameter(QStringLiteral("Event number"), eventNo);
        query.setParameter(QStringLiteral("Heat number"), heat);
        Recordset rows = query.openRecordset();
        // An opened set stands on its first row; one with no rows (an event
        // the timing system has nothing for) has no splits.
        for (; !rows.atEnd(); rows.moveNext()) {
            // Only the timing system's own mark counts: exactly "I".
            if (rows.text(QStringLiteral("Kind_of_time")) != QLatin1String("I"))
                continue;
            int rowLane = 0;
            if (!OnlineRows::ReadWhole(rows.value(QStringLiteral("Lane_number")), rowLane))
                continue;
            // A time that reads as nothing still holds its place in the
            // order of the splits; it is written empty.
            const OnlineRows::LaneTime time =
                OnlineRows::ReadTime(rows.value(QStringLiteral("Lane_time")));
            m_rows.append({rowLane, time.readable && !time.invalid ? time.text : QString()});
        }
        rows.close();
        m_cachedEvent = eventNo;
        m_cachedHeat = heat;
    }
    QStringList result;
    for (const Row &row : std::as_const(m_rows)) {
        if (row.lane == lane)
            result.append(row.time);
    }
    return result;
}
