#include "core/sheet/SaveResults.h"

#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/sheet/SaveHistory.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

namespace ResultStore {

namespace {

const QString Backup = QStringLiteral("backup");
const QString ProgramCode = QStringLiteral("Program code");

QueryDef galaRecords(Database &db, const QString &code, const QString &galaDate)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Record_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), galaDate);
    return q;
}

// The steps every save shares: the date's backup goes, the gala's rows
// become the backup, `writeRows` adds the new ones; with a note, the rows
// replaced and the rows written go into the history. One transaction.
template <typename WriteRows>
void replaceGeneration(Database &db, const QString &progCode, const QString &galaDate,
                       const SaveNote *note, WriteRows writeRows)
{
    Database::Transaction transaction(db);
    if (note) {
        SaveHistory::CreateTable(db);
        SaveHistory::KeepReplaced(db, progCode, galaDate);
    }

    // One backup generation per date: the previous one goes, and the rows
    // stored so far become the backup.
    galaRecords(db, Backup, galaDate).openRecordset().removeAll();
    galaRecords(db, progCode, galaDate).openRecordset().setAll(ProgramCode, Backup);
    writeRows();

    if (note)
        SaveHistory::Record(db, progCode, galaDate, note->action, note->eventShown);
    transaction.commit();
}

void writeGala(Database &db, const QString &progCode, const QString &galaDate,
               const GalaState &gala);

} // namespace

void SaveResults(Database &db, const QString &progCode, const QString &galaDate,
                 const GalaState &gala, const SaveNote &note)
{
    replaceGeneration(db, progCode, galaDate, &note,
                      [&] { writeGala(db, progCode, galaDate, gala); });
}

void SaveResultsWithoutHistory(Database &db, const QString &progCode, const QString &galaDate,
                               const GalaState &gala)
{
    replaceGeneration(db, progCode, galaDate, nullptr,
                      [&] { writeGala(db, progCode, galaDate, gala); });
}

void RestoreResults(Database &db, const QString &progCode, const QString &galaDate, qint64 number)
{
    // Read before anything changes: the restore's own first step would
    // otherwise replace the date's backup rows it may be restoring.
    const SaveHistory::Generation chosen = SaveHistory::Load(db, progCode, galaDate, number);
    QString eventShown;
    for (const SaveHistory::Entry &e : SaveHistory::List(db, progCode, galaDate)) {
        if (e.number == number)
            eventShown = e.eventShown;
    }
    const SaveNote note{SaveAction::Restore, eventShown};
    replaceGeneration(db, progCode, galaDate, &note,
                      [&] { SaveHistory::WriteRows(db, progCode, galaDate, chosen); });
}

namespace {

void writeGala(Database &db, const QString &progCode, const QString &galaDate,
               const GalaState &gala)
{
    static const QString GalaDate = QStringLiteral("Gala Date"),
                         EventNo = QStringLiteral("Event No"), LaneNo = QStringLiteral("Lane No"),
                         LaneTime = QStringLiteral("Lane Time"),
                         LanePos = QStringLiteral("Lane Pos"),
                         LanePoints = QStringLiteral("Lane Points"),
                         LaneNotes = QStringLiteral("Lane Notes"),
                         HeatNo = QStringLiteral("Heat No"), LaneName = QStringLiteral("Lane Name"),
                         LaneClub = QStringLiteral("Lane Club"),
                         LaneDoB = QStringLiteral("Lane DoB");

    // Event numbers and the gala's own values are the same for every team.
    Slots<double> eventNumbers(gala.NoOfEvents + 1);
    for (int e = 1; e <= gala.NoOfEvents; ++e)
        eventNumbers[e] = PBUTIL::LeadingNumber(gala.EventNo[e]);
    // The date read once; a text that is no date goes to the engine as typed
    // so its refusal names it.
    const QDate day = PBUTIL::ReadDate(galaDate);
    const QVariant code(progCode), date = day.isValid() ? QVariant(day) : QVariant(galaDate);

    Recordset table = db.openRecordset(QStringLiteral("Gala_Record"));
    for (int t = 1; t <= gala.NoOfTeams; ++t) {
        const QVariant lane(gala.TeamLane[t]), heat(gala.TeamHeat[t]);
        for (int e = 1; e <= gala.NoOfEvents; ++e) {
            table.addNew();
            table.setValue(ProgramCode, code);
            table.setValue(GalaDate, date);
            table.setValue(EventNo, eventNumbers[e]);
            table.setValue(LaneNo, lane);
            table.setValue(LaneTime, gala.LaneTime(e, t));
            table.setValue(LanePos, gala.LanePos(e, t));
            table.setValue(LanePoints, double(gala.LanePoints(e, t)));
            table.setValue(LaneNotes, gala.LaneNotes(e, t));
            table.setValue(HeatNo, heat);
            table.setValue(LaneName, gala.LaneName(e, t));
            table.setValue(LaneClub, gala.LaneClub(e, t));
            // An empty date of birth keeps the table's default; a text that is
            // no date (the sheet refuses those) is left out rather than losing
            // the whole save.
            const QDate born = GalaRules::BirthDate(gala, e, t, day);
            if (born.isValid())
                table.setValue(LaneDoB, born);
            table.update();
        }
    }
    table.close();
}

} // namespace

} // namespace ResultStore
