#include "core/preparation/TeamEntry.h"

#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/Guarded.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

TeamEntry::TeamEntry(SharedState &shared, Dialogs &dialogs) : m_shared(shared), m_dialogs(dialogs)
{
}

int TeamEntry::askCount(const QString &question, int most, const QString &refusal)
{
    // A cancelled or empty answer reads as 0 and is refused with the rest.
    const int n = PBUTIL::LeadingWhole(m_dialogs.input(question));
    if (n < 1 || n > most) {
        m_dialogs.message(refusal);
        return 0;
    }
    return n;
}

TeamEntry::Outcome TeamEntry::run(const HeatForm &form)
{
    m_entries.clear();
    // Teams stored without a code or date could never be found again.
    if (m_shared.ProgCode.isEmpty() || m_shared.GalaDate.isEmpty()) {
        m_dialogs.message(QCoreApplication::translate(
            "TeamEntry", "Choose a meet code and a gala date before entering teams"));
        return Outcome::Refused;
    }
    const int lanes =
        askCount(QCoreApplication::translate("TeamEntry", "How many lanes in pool?"), MaxLanes,
                 QCoreApplication::translate("TeamEntry", "Incorrect number of lanes"));
    if (lanes == 0)
        return Outcome::Refused;
    const int heats =
        askCount(QCoreApplication::translate("TeamEntry", "How many heats per event?"), MaxHeats,
                 QCoreApplication::translate("TeamEntry", "Incorrect number of heats"));
    if (heats == 0)
        return Outcome::Refused;

    for (int h = 1; h <= heats; ++h) {
        std::vector<LaneChoice> rows;
        if (!form(h, lanes, rows)) {
            // The form has no cancel of its own: closing it ends the entry.
            m_entries.clear();
            m_dialogs.message(QCoreApplication::translate(
                "TeamEntry", "Team entry cancelled: the stored teams have not been changed"));
            return Outcome::Cancelled;
        }
        for (int l = 1; l <= lanes && l <= int(rows.size()); ++l) {
            const LaneChoice &row = rows[l - 1];
            if (!row.noTeam)
                m_entries.push_back({l, h, row.name, !row.nonScoring});
        }
    }
    if (m_entries.empty()) {
        m_dialogs.message(QCoreApplication::translate("TeamEntry", "No teams entered"));
        return Outcome::Refused;
    }
    replaceTeams(GalaDatabase(m_shared), m_shared.ProgCode, m_shared.GalaDate, m_entries);
    return Outcome::Stored;
}

QString TeamEntry::heatCaption(int heat)
{
    return QCoreApplication::translate("TeamEntry", "Enter Teams for Heat ") +
           PBUTIL::NumberText(float(heat));
}

void TeamEntry::replaceTeams(Database &db, const QString &code, const QString &date,
                             const std::vector<TeamEntryRecord> &entries)
{
    Database::Transaction tx(db);
    QueryDef q = db.queryDef(QStringLiteral("Gala_Team_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), date);
    Recordset teams = q.openRecordset();
    if (teams.recordCount() > 0) {
        for (teams.moveFirst(); !teams.atEnd(); teams.moveNext())
            teams.remove();
    }
    for (const TeamEntryRecord &e : entries) {
        teams.addNew();
        teams.setValue(QStringLiteral("Lane No"), e.lane);
        teams.setValue(QStringLiteral("Heat No"), e.heat);
        teams.setValue(QStringLiteral("Team Name"), e.name);
        teams.setValue(QStringLiteral("Scoring"), e.scoring);
        teams.setValue(QStringLiteral("Program code"), code);
        teams.setValue(QStringLiteral("Gala Date"), date);
        teams.update();
    }
    teams.close();
    tx.commit();
}
