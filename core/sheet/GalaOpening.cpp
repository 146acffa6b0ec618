#include "core/sheet/GalaOpening.h"

#include "core/gala/GalaState.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

namespace {

const QString CodeParameter = QStringLiteral("Enter program code");
const QString DateParameter = QStringLiteral("Enter gala date");

Recordset openQuery(Database &db, const QString &name, const QString &code,
                    const QString *galaDate = nullptr)
{
    QueryDef q = db.queryDef(name);
    q.setParameter(CodeParameter, code);
    if (galaDate)
        q.setParameter(DateParameter, *galaDate);
    return q.openRecordset();
}

void loadEvents(Recordset &events, GalaState &g)
{
    g.NoOfEvents = events.recordCount();
    g.resizeEvents(g.NoOfEvents);
    events.moveFirst();
    for (int e = 1; !events.atEnd(); ++e, events.moveNext()) {
        g.EventNo[e] = PBUTIL::FormatHash(events.value(QStringLiteral("Event No")).toDouble());
        g.EventSexAge[e] = events.text(QStringLiteral("Sex age"));
        g.EventDistance[e] =
            PBUTIL::FormatHash(events.value(QStringLiteral("Distance")).toDouble());
        g.EventStroke[e] = events.text(QStringLiteral("Stroke"));
        g.EventTime[e] = events.text(QStringLiteral("Time"));
        g.EventScoring[e] = events.text(QStringLiteral("Scoring"));
    }
}

void loadTeams(Recordset &teams, GalaState &g)
{
    g.NoOfTeams = teams.recordCount();
    g.NoOfScoringTeams = 0;
    g.resizeTeams(g.NoOfTeams); // every lane starts empty, totals at 0
    teams.moveFirst();
    for (int t = 1; !teams.atEnd(); ++t, teams.moveNext()) {
        g.TeamName[t] = teams.text(QStringLiteral("Team Name"));
        g.TeamTotal[t] = 0.0f;
        g.TeamLane[t] = teams.value(QStringLiteral("Lane No")).toInt();
        g.TeamHeat[t] = teams.value(QStringLiteral("Heat No")).toInt();
        g.TeamScoring[t] = teams.value(QStringLiteral("Scoring")).toBool();
        if (g.TeamScoring[t])
            ++g.NoOfScoringTeams;
    }
}

// Stored results are matched to the programme by event number and to the
// team entries by heat and lane; a record that fits neither is reported and
// skipped (the next save keeps it only in the backup generation).
void loadResults(Recordset &records, GalaState &g, Dialogs &dialogs)
{
    Slots<double> eventNumbers(g.NoOfEvents + 1);
    for (int e = 1; e <= g.NoOfEvents; ++e)
        eventNumbers[e] = PBUTIL::LeadingNumber(g.EventNo[e]);

    records.moveFirst();
    for (; !records.atEnd(); records.moveNext()) {
        const int eventNo =
            PBUTIL::RoundHalfEven(records.value(QStringLiteral("Event No")).toDouble());
        const int laneNo = records.value(QStringLiteral("Lane No")).toInt();
        const int heatNo = records.value(QStringLiteral("Heat No")).toInt();
        int e = 0, t = 0;
        for (int x = 1; x <= g.NoOfEvents && e == 0; ++x) {
            if (eventNumbers[x] == eventNo)
                e = x;
        }
        for (int x = 1; x <= g.NoOfTeams && t == 0; ++x) {
            if (g.TeamHeat[x] == heatNo && g.TeamLane[x] == laneNo)
                t = x;
        }
        if (e == 0 || t == 0) {
            dialogs.message(
                QCoreApplication::translate("GalaOpening", "Serious error lane/event mismatch"));
            continue;
        }
        g.LaneTime(e, t) = records.text(QStringLiteral("Lane Time"));
        g.LanePos(e, t) = records.value(QStringLiteral("Lane Pos")).toInt();
        g.LanePoints(e, t) = float(records.value(QStringLiteral("Lane Points")).toDouble());
        g.TeamTotal[t] += g.LanePoints(e, t);
        g.LaneName(e, t) = records.text(QStringLiteral("Lane Name"));
        g.LaneNotes(e, t) = records.text(QStringLiteral("Lane Notes"));
        g.LaneClub(e, t) = records.text(QStringLiteral("Lane Club"));
        g.LaneDoBStored(e, t) = records.value(QStringLiteral("Lane DoB")).toDate();
        g.LaneDoB(e, t) = PBUTIL::DateText(g.LaneDoBStored(e, t));
    }
}

// The desk's dialogs, every message also kept, so a caller without a
// window gives the reasons the sheet shows.
class Telling : public Dialogs
{
public:
    Telling(Dialogs &desk, QStringList &told) : m_desk(desk), m_told(told) {}
    void message(const QString &text) override
    {
        m_told << text;
        m_desk.message(text);
    }
    QString input(const QString &prompt) override { return m_desk.input(prompt); }
    bool yesNo(const QString &question) override { return m_desk.yesNo(question); }
    bool yesNoDefaultNo(const QString &question) override
    {
        return m_desk.yesNoDefaultNo(question);
    }
    void chooseFile(FileChoice &choice) override { m_desk.chooseFile(choice); }

private:
    Dialogs &m_desk;
    QStringList &m_told;
};

OpenedGala openGala(SharedState &shared, GalaState &gala, Dialogs &dialogs, StoredResults stored)
{
    OpenedGala opened;
    Database &db = *shared.GalaDb;
    const QString &code = shared.ProgCode;
    const QString &date = shared.GalaDate;

    // The sheet has a row per team entry and no more: a larger gala is
    // refused before anything is loaded or asked.
    {
        Recordset teams = openQuery(db, QStringLiteral("Gala_Team_Query"), code, &date);
        const int count = teams.recordCount();
        if (count > GalaState::MaxSheetRows) {
            dialogs.message(QCoreApplication::translate(
                                "GalaOpening", "This gala has %1 team entries; the recording sheet "
                                               "has room for %2")
                                .arg(count)
                                .arg(GalaState::MaxSheetRows));
            opened.outcome = OpenOutcome::TooManyTeams;
            return opened;
        }
    }

    // Loaded aside, so a gala that does not open leaves the state as it was.
    GalaState g;
    g.PoolName = gala.PoolName;

    Recordset events = openQuery(db, QStringLiteral("Gala_Program_Query"), code);
    if (events.recordCount() == 0) {
        // The gala database stays open: the set-up screen behind the sheet
        // goes on using it.
        dialogs.message(QCoreApplication::translate("GalaOpening", "Gala program empty"));
        opened.outcome = OpenOutcome::ProgramEmpty;
        return opened;
    }
    loadEvents(events, g);
    events.close();

    Recordset names = openQuery(db, QStringLiteral("Gala_Name_Query"), code);
    if (names.recordCount() > 0) {
        names.moveFirst();
        g.GalaName = names.text(QStringLiteral("Program description"));
    } else {
        g.GalaName = dialogs.input(QCoreApplication::translate("GalaOpening", "Competition Name"));
    }
    names.close();
    opened.GalaName = g.GalaName;

    Recordset teams = openQuery(db, QStringLiteral("Gala_Team_Query"), code, &date);
    if (teams.recordCount() == 0) {
        dialogs.message(QCoreApplication::translate("GalaOpening", "No teams defined"));
        opened.outcome = OpenOutcome::NoTeams;
        return opened;
    }
    loadTeams(teams, g);
    teams.close();

    Recordset pool = openQuery(db, QStringLiteral("Gala_Date_Query"), code, &date);
    if (pool.recordCount() > 0) {
        pool.moveFirst();
        g.PoolName = pool.text(QStringLiteral("Pool Name"));
    }
    pool.close();

    Recordset records = openQuery(db, QStringLiteral("Gala_Record_Query"), code, &date);
    if (records.recordCount() > 0) {
        bool load = stored == StoredResults::Keep ||
                    dialogs.yesNo(QCoreApplication::translate(
                        "GalaOpening",
                        "There are already results for this gala, do you want to add to them?"));
        // Starting afresh leaves the stored results in the database until the
        // next save makes them the backup generation.
        if (!load)
            load = !dialogs.yesNoDefaultNo(QCoreApplication::translate(
                "GalaOpening",
                "Are you REALLY SURE that you want to destroy existing results for this gala?"));
        if (load)
            loadResults(records, g, dialogs);
    }
    records.close();

    opened.online.AresDbInUse = shared.AresDbPath;
    if (shared.OnlineOn && !PBUTIL::FileExists(opened.online.AresDbInUse)) {
        dialogs.message(
            QCoreApplication::translate("GalaOpening", "Can't open online times database"));
        shared.OnlineOn = false;
    }
    if (shared.OnlineOn) {
        try {
            opened.online.AresDb = std::make_unique<Database>(opened.online.AresDbInUse);
            opened.online.MeetCode = shared.OnlineMeetCode;
        } catch (const EngineError &) {
            // A file that is there but is no database: recording goes on
            // without online timing, as for a missing file.
            dialogs.message(
                QCoreApplication::translate("GalaOpening", "Can't open online times database"));
            shared.OnlineOn = false;
        }
    }
    opened.OnlineOn = shared.OnlineOn;

    gala = std::move(g);
    opened.outcome = OpenOutcome::Opened;
    return opened;
}

} // namespace

OpenedGala OpenGala(SharedState &shared, GalaState &gala, Dialogs &dialogs, StoredResults stored)
{
    QStringList told;
    Telling telling(dialogs, told);
    OpenedGala opened;
    if (!shared.GalaDb) {
        telling.message(
            QCoreApplication::translate("GalaOpening", "The gala database is not open"));
    } else {
        try {
            opened = openGala(shared, gala, telling, stored);
        } catch (const EngineError &error) {
            telling.message(error.message());
            opened = OpenedGala();
        }
    }
    opened.told = told;
    return opened;
}

double PoolLengthOf(Database &galaDb, const QString &code, const QString &galaDate)
{
    QueryDef q = galaDb.queryDef(QStringLiteral("Gala_Date_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), galaDate);
    Recordset dates = q.openRecordset();
    double length = 0;
    if (dates.recordCount() > 0) {
        dates.moveFirst();
        length = dates.value(QStringLiteral("Pool Length")).toDouble();
    }
    dates.close();
    return length;
}
