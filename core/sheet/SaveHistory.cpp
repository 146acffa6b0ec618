#include "core/sheet/SaveHistory.h"

#include "core/sheet/SheetModel.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <QCoreApplication>
#include <QCryptographicHash>

namespace SaveHistory {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SaveHistory", text);
}

// The fields of a Gala_Record row that make a generation; the code and date
// are the gala's own.
const QString Fields = QStringLiteral(
    R"("Event No", "Lane No", "Heat No", "Lane Time", "Lane Pos", "Lane Points", "Lane Notes", )"
    R"("Lane Name", "Lane Club", "Lane DoB")");

// Actions as stored: stable words, shown through ActionName.
const char *const EarlierSave = "Earlier";
const char *const BackupRows = "Backup";

QString storedAction(SaveAction action)
{
    switch (action) {
    case SaveAction::NextEvent:
        return QStringLiteral("NextEvent");
    case SaveAction::EventBoxLeft:
        return QStringLiteral("EventBoxLeft");
    case SaveAction::Save:
        return QStringLiteral("Save");
    case SaveAction::Exit:
        return QStringLiteral("Exit");
    case SaveAction::Restore:
        return QStringLiteral("Restore");
    }
    return QString();
}

QString shownAction(const QString &stored)
{
    for (SaveAction a : {SaveAction::NextEvent, SaveAction::EventBoxLeft, SaveAction::Save,
                         SaveAction::Exit, SaveAction::Restore}) {
        if (storedAction(a) == stored)
            return ActionName(a);
    }
    if (stored == QLatin1String(BackupRows))
        return tr("Backup generation");
    return tr("Earlier save");
}

// The gala date as the rows store it; a text that is no date matches no row.
QVariant dateKey(const QString &galaDate)
{
    const QDate d = PBUTIL::ReadDate(galaDate);
    return d.isValid() ? QVariant(d) : QVariant(galaDate);
}

const QString RowsOfGala =
    QStringLiteral("SELECT ") + Fields +
    QStringLiteral(R"( FROM Gala_Record WHERE "Program code" = ?1 AND "Gala Date" = ?2 )"
                   R"(ORDER BY rowid)");

// The gala's rows as stored, packed by the engine: what the history keeps.
QByteArray packedRows(Database &db, const QString &code, const QString &galaDate)
{
    return db.selectPacked(RowsOfGala, {code, dateKey(galaDate)});
}

// Events of the rows with a time, a place or points in any lane.
int eventsWithResults(Database &db, const QString &code, const QString &galaDate)
{
    return db
        .select(
            QStringLiteral(R"(SELECT count(DISTINCT "Event No") FROM Gala_Record WHERE )"
                           R"("Program code" = ?1 AND "Gala Date" = ?2 AND )"
                           R"((coalesce("Lane Time", '') <> '' OR coalesce("Lane Pos", 0) <> 0 )"
                           R"(OR coalesce("Lane Points", 0) <> 0))"),
            {code, dateKey(galaDate)})
        .first()
        .first()
        .toInt();
}

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// The content hash of the gala's newest generation; empty when none.
QByteArray newestHash(Database &db, const QString &code, const QString &galaDate)
{
    const auto rows = db.select(
        QStringLiteral(R"(SELECT "Content Hash" FROM Gala_Save_History WHERE "Program code" = ?1 )"
                       R"(AND "Gala Date" = ?2 ORDER BY "Save No" DESC LIMIT 1)"),
        {code, dateKey(galaDate)});
    return rows.isEmpty() ? QByteArray() : rows.first().value(0).toByteArray();
}

// Adds the rows stored under `rowsCode` as the gala's newest generation,
// unless they are that already.
void add(Database &db, const QString &code, const QString &galaDate, const QString &rowsCode,
         const QVariant &savedAt, const QString &action, const QString &eventShown)
{
    const QByteArray packed = packedRows(db, rowsCode, galaDate);
    const QByteArray hash = hashOf(packed);
    if (hash == newestHash(db, code, galaDate))
        return;
    db.run(QStringLiteral(R"(INSERT INTO Gala_Save_History ("Program code", "Gala Date", )"
                          R"("Saved At", "Action", "Event Shown", "Events With Results", )"
                          R"("Content Hash", "Content") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8))"),
           {code, dateKey(galaDate), savedAt, action, eventShown,
            eventsWithResults(db, rowsCode, galaDate), hash, qCompress(packed, 1)});
}

// True once any gala of the date was saved with the history: the date's
// "backup" rows are then kept in that gala's history already. Before that
// (a database from before the history) they are the only earlier
// generation there is, of whichever gala of the date was saved last.
bool dateHasHistory(Database &db, const QString &galaDate)
{
    return db.hasTable(QStringLiteral("Gala_Save_History")) &&
           !db.select(QStringLiteral(
                          R"(SELECT 1 FROM Gala_Save_History WHERE "Gala Date" = ?1 LIMIT 1)"),
                      {dateKey(galaDate)})
                .isEmpty();
}

bool hasRows(Database &db, const QString &code, const QString &galaDate)
{
    return !db.select(QStringLiteral(R"(SELECT 1 FROM Gala_Record WHERE "Program code" = ?1 )"
                                     R"(AND "Gala Date" = ?2 LIMIT 1)"),
                      {code, dateKey(galaDate)})
                .isEmpty();
}

} // namespace

void CreateTable(Database &db)
{
    db.execute(QStringLiteral(
        R"(CREATE TABLE IF NOT EXISTS Gala_Save_History ("Save No" INTEGER PRIMARY KEY, )"
        R"("Program code" TEXT NOT NULL, "Gala Date" DATE NOT NULL, "Saved At" TEXT, )"
        R"("Action" TEXT, "Event Shown" TEXT, "Events With Results" INTEGER, )"
        R"("Content Hash" BLOB, "Content" BLOB);)"
        R"(CREATE INDEX IF NOT EXISTS Gala_Save_History_Gala ON Gala_Save_History )"
        R"(("Program code", "Gala Date", "Save No"))"));
}

void KeepReplaced(Database &db, const QString &progCode, const QString &galaDate)
{
    if (!hasRows(db, progCode, galaDate))
        return;
    if (!dateHasHistory(db, galaDate) && hasRows(db, QStringLiteral("backup"), galaDate))
        add(db, progCode, galaDate, QStringLiteral("backup"), QVariant(), QLatin1String(BackupRows),
            QString());
    add(db, progCode, galaDate, progCode, QVariant(), QLatin1String(EarlierSave), QString());
}

void Record(Database &db, const QString &progCode, const QString &galaDate, SaveAction action,
            const QString &eventShown)
{
    add(db, progCode, galaDate, progCode, QDateTime::currentDateTime().toString(Qt::ISODate),
        storedAction(action), eventShown);
    db.run(QStringLiteral(
               R"(DELETE FROM Gala_Save_History WHERE "Program code" = ?1 AND "Gala Date" = ?2 )"
               R"(AND "Save No" NOT IN (SELECT "Save No" FROM Gala_Save_History WHERE )"
               R"("Program code" = ?1 AND "Gala Date" = ?2 ORDER BY "Save No" DESC LIMIT ?3))"),
           {progCode, dateKey(galaDate), Kept});
}

QList<Entry> List(Database &db, const QString &progCode, const QString &galaDate)
{
    QList<Entry> entries;
    if (db.hasTable(QStringLiteral("Gala_Save_History"))) {
        const auto rows = db.select(
            QStringLiteral(R"(SELECT "Save No", "Saved At", "Action", "Event Shown", )"
                           R"("Events With Results" FROM Gala_Save_History WHERE )"
                           R"("Program code" = ?1 AND "Gala Date" = ?2 ORDER BY "Save No" DESC)"),
            {progCode, dateKey(galaDate)});
        for (const QVariantList &r : rows) {
            entries << Entry{r[0].toLongLong(), QDateTime::fromString(r[1].toString(), Qt::ISODate),
                             shownAction(r[2].toString()), r[3].toString(), r[4].toInt()};
        }
    }
    if (!dateHasHistory(db, galaDate) && hasRows(db, QStringLiteral("backup"), galaDate)) {
        entries << Entry{0, QDateTime(), shownAction(QLatin1String(BackupRows)), QString(),
                         eventsWithResults(db, QStringLiteral("backup"), galaDate)};
    }
    return entries;
}

Generation Load(Database &db, const QString &progCode, const QString &galaDate, qint64 number)
{
    const QList<Entry> entries = List(db, progCode, galaDate);
    const bool listed = std::any_of(entries.begin(), entries.end(),
                                    [number](const Entry &e) { return e.number == number; });
    if (!listed)
        throw EngineError(
            tr("Gala %1 %2 has no save numbered %3").arg(progCode, galaDate).arg(number));
    if (number == 0)
        return Current(db, QStringLiteral("backup"), galaDate);
    const auto rows =
        db.select(QStringLiteral(R"(SELECT "Content" FROM Gala_Save_History WHERE "Save No" = ?1)"),
                  {number});
    const QByteArray packed = qUncompress(rows.first().value(0).toByteArray());
    if (packed.isEmpty())
        throw EngineError(tr("Save %1 of the history cannot be read").arg(number));
    return {Database::unpack(packed)};
}

Generation Current(Database &db, const QString &progCode, const QString &galaDate)
{
    return {db.select(RowsOfGala, {progCode, dateKey(galaDate)})};
}

void WriteRows(Database &db, const QString &progCode, const QString &galaDate,
               const Generation &generation)
{
    const QString insert =
        QStringLiteral(R"(INSERT INTO Gala_Record ("Program code", "Gala Date", )") + Fields +
        QStringLiteral(") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
    const QVariant date = dateKey(galaDate);
    for (const QVariantList &row : generation.rows)
        db.run(insert, QVariantList{progCode, date} + row);
}

QString ActionName(SaveAction action)
{
    switch (action) {
    case SaveAction::NextEvent:
        return tr("Next Event");
    case SaveAction::EventBoxLeft:
        return tr("Event number box left");
    case SaveAction::Save:
        return tr("Save");
    case SaveAction::Exit:
        return tr("Exit");
    case SaveAction::Restore:
        return tr("Restore");
    }
    return QString();
}

} // namespace SaveHistory
