#include "core/links/AresOnlineTimes.h"

#include "core/gala/GalaState.h"
#include "core/links/OnlineRows.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <algorithm>

namespace {

// The timing system's message types, in the order they are preferred.
struct MessageType
{
    int type;
    const char *label;
};
constexpr MessageType MessageTypes[] = {
    {5, QT_TRANSLATE_NOOP("AresOnlineTimes", "Previous result")},
    {2, QT_TRANSLATE_NOOP("AresOnlineTimes", "Online times")},
    {6, QT_TRANSLATE_NOOP("AresOnlineTimes", "Previous result with backups")},
    {3, QT_TRANSLATE_NOOP("AresOnlineTimes", "Current results")},
    {4, QT_TRANSLATE_NOOP("AresOnlineTimes", "Current results with backups")},
};

// Places the timing system reports for the swims of one heat.
constexpr int FirstPlace = 1;
constexpr int LastPlace = 8;

} // namespace

AresOnlineTimes::AresOnlineTimes(OnlineTimes *online, const GalaState &gala, SheetModel &sheet,
                                 Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_online(online), m_gala(gala), m_sheet(sheet), m_dialogs(dialogs)
{
}

void AresOnlineTimes::setAresTimeType(const QString &text)
{
    if (m_aresTimeType == text)
        return;
    m_aresTimeType = text;
    emit aresTimeTypeChanged();
}

void AresOnlineTimes::GetOnlineTimes()
{
    if (!m_online || !m_online->AresDb)
        return;
    const int e = m_sheet.currentEvent();
    // A refused event number leaves the previous event's rows on the sheet:
    // times must not land there.
    if (e < 1 || e > m_gala.NoOfEvents) {
        m_dialogs.message(tr("Invalid Event Number"));
        return;
    }
    // The open file would still read after the timing system removed it;
    // its times would then be stale.
    if (!PBUTIL::FileExists(m_online->AresDbInUse)) {
        m_dialogs.message(tr("Can't open online times database"));
        return;
    }
    const int n = std::clamp(m_gala.NoOfTeams, 0, int(SheetModel::Rows));
    m_keptDisqualified.clear();
    int current = 0;
    for (int t = 1; t <= n; ++t) {
        if (m_gala.TeamHeat[t] == current)
            continue;
        current = m_gala.TeamHeat[t];
        if (!fetchHeat(e, current))
            break;
    }
    if (!m_keptDisqualified.isEmpty())
        m_dialogs.message(tr("Disqualification kept, no online time written: %1")
                              .arg(m_keptDisqualified.join(QStringLiteral(", "))));
}

bool AresOnlineTimes::fetchHeat(int e, int h)
{
    QList<OnlineRows::FinishRow> rows;
    try {
        for (const MessageType &type : MessageTypes) {
            setAresTimeType(tr(type.label));
            rows = OnlineRows::FinishTimes(*m_online->AresDb, m_online->MeetCode, e, h, type.type);
            if (!rows.isEmpty())
                break;
        }
    } catch (const EngineError &error) {
        // Locked by the timing system, or not the database it should be:
        // the heats fetched so far keep their times, nothing else changes.
        setAresTimeType(QString());
        m_dialogs.message(
            tr("Online times could not be read for heat %1: %2").arg(h).arg(error.message()));
        return false;
    }
    if (rows.isEmpty()) {
        setAresTimeType(tr("No online times"));
        return false;
    }
    const int n = std::clamp(m_gala.NoOfTeams, 0, int(SheetModel::Rows));
    for (const OnlineRows::FinishRow &row : std::as_const(rows)) {
        if (row.position < FirstPlace || row.position > LastPlace)
            continue;
        bool invalidShown = false;
        for (int u = 1; u <= n; ++u) {
            if (m_gala.TeamLane[u] != row.lane || m_gala.TeamHeat[u] != h)
                continue;
            // A disqualification is the referee's decision: the timing
            // system's time must not replace it.
            if (m_sheet.text(SheetModel::Time, u - 1).startsWith(QLatin1Char('D'))) {
                const QString lane = tr("heat %1 lane %2").arg(h).arg(row.lane);
                if (!m_keptDisqualified.contains(lane))
                    m_keptDisqualified << lane;
                continue;
            }
            if (row.time.invalid && !invalidShown) {
                m_dialogs.message(tr("Invalid Time in heat %1, lane %2").arg(h).arg(row.lane));
                invalidShown = true;
            }
            m_sheet.setText(SheetModel::Time, u - 1, row.time.text);
        }
    }
    return true;
}
