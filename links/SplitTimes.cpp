#include "links/SplitTimes.h"

#include "foundation/Engine.h"
#include "foundation/PbUtil.h"

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
        // An opened set stands on its first record; a heat the timing system
        // holds no times for has none to move to.
        for (; !rows.atEnd(); rows.moveNext()) {
            if (rows.text(QStringLiteral("Kind_of_time")).trimmed() != QLatin1String("I"))
                continue;
            bool laneOk = false;
            const int rowLane = rows.value(QStringLiteral("Lane_number")).toInt(&laneOk);
            const PBUTIL::TimeText time = PBUTIL::TimeToText(
                PBUTIL::TimeFromText(rows.text(QStringLiteral("Lane_time")).trimmed()));
            if (!laneOk || time.invalid || time.text.isEmpty())
                continue;
            m_rows.append({rowLane, time.text});
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
