#include "core/sheet/SaveHistory.h"
#include "core/sheet/SaveResults.h"
#include "tests/core/sheet/LargestGala.h"
#include "tests/core/sheet/RecordingFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>

namespace {

const QString Date = QStringLiteral("12/10/26");

// The list as the official reads it: action, event shown, events with results.
QStringList listed(Database &db, const QString &code = QStringLiteral("DEMO"))
{
    QStringList out;
    for (const SaveHistory::Entry &e : SaveHistory::List(db, code, Date))
        out << QStringLiteral("%1/%2/%3").arg(e.action, e.eventShown).arg(e.eventsWithResults);
    return out;
}

qint64 numberAt(Database &db, int index)
{
    return SaveHistory::List(db, QStringLiteral("DEMO"), Date).value(index).number;
}

// The markers of a generation's rows (notes, the 7th field): one for a whole one.
QSet<QString> markers(const SaveHistory::Generation &g)
{
    QSet<QString> out;
    for (const QVariantList &row : g.rows)
        out.insert(row.value(6).toString());
    return out;
}

} // namespace

// Every save kept, any save restored, the second copy, and the kill test.
class TstSaveHistory : public QObject
{
    Q_OBJECT
private slots:
    void saveRestoreAndUndoTheRestore()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        Database &db = *s.shared.GalaDb;
        s.model.setText(SheetModel::Time, 0, QStringLiteral("39.10"));
        s.model.setText(SheetModel::SwimmerName, 0, QStringLiteral("Amy Ash"));
        s.model.NextEvent(); // saves with event 1 shown
        const QStringList first = galaRows(db, "DEMO");
        s.model.setText(SheetModel::Time, 1, QStringLiteral("41.20"));
        s.model.setText(SheetModel::Position, 2, QStringLiteral("1"));
        QVERIFY(s.model.SaveResults(SaveAction::Save));
        const QStringList second = galaRows(db, "DEMO");
        QVERIFY(first != second);
        QCOMPARE(listed(db), QStringList({"Save/2/2", "Next Event/1/1"}));

        // Restoring the first save: every field of every row comes back, the
        // results it replaced are the backup and the newest save in the list.
        ResultStore::RestoreResults(db, "DEMO", Date, numberAt(db, 1));
        QCOMPARE(galaRows(db, "DEMO"), first);
        QCOMPARE(galaRows(db, "backup"), QStringList(second).replaceInStrings("DEMO|", "backup|"));
        QCOMPARE(listed(db), QStringList({"Restore/1/1", "Save/2/2", "Next Event/1/1"}));
        // Undone: the second save is current again.
        ResultStore::RestoreResults(db, "DEMO", Date, numberAt(db, 1));
        QCOMPARE(galaRows(db, "DEMO"), second);
        QCOMPARE(listed(db).size(), 4);
        // The generations kept are the rows as stored, field by field.
        QCOMPARE(SaveHistory::Load(db, "DEMO", Date, numberAt(db, 0)).rows,
                 SaveHistory::Current(db, "DEMO", Date).rows);

        // Reopened, the sheet shows the restored results.
        s.dialogs.expectYesNo(
            "There are already results for this gala, do you want to add to them?", true);
        QVERIFY(s.open().opened());
        QCOMPARE(s.gala.LaneTime(2, 2), QStringLiteral("41.20"));
        QCOMPARE(s.gala.LaneName(1, 1), QStringLiteral("Amy Ash"));

        // A number that is not one of this gala's changes nothing.
        QVERIFY_THROWS_EXCEPTION(EngineError, ResultStore::RestoreResults(db, "DEMO", Date, 9999));
        QCOMPARE(galaRows(db, "DEMO"), second);
    }

    void keepsTheLastHundredAndNoRepeats()
    {
        TestGala file;
        auto db = file.open();
        GalaState gala;
        const auto save = [&](int variant) {
            fillLargestGala(gala, QStringLiteral("g%1").arg(variant), variant);
            ResultStore::SaveResults(*db, "BIG", Date, gala, {SaveAction::NextEvent, "7"});
        };
        save(0);
        save(0); // the same results again: not kept twice in a row
        QCOMPARE(SaveHistory::List(*db, "BIG", Date).size(), 1);
        for (int v = 1; v <= 104; ++v)
            save(v);
        save(104);
        const QList<SaveHistory::Entry> kept = SaveHistory::List(*db, "BIG", Date);
        QCOMPARE(kept.size(), SaveHistory::Kept);
        QCOMPARE(markers(SaveHistory::Load(*db, "BIG", Date, kept.first().number)),
                 QSet<QString>{"g104"});
        QCOMPARE(markers(SaveHistory::Load(*db, "BIG", Date, kept.last().number)),
                 QSet<QString>{"g5"});
        QCOMPARE(kept.first().eventsWithResults, 100);
        QVERIFY(kept.first().savedAt.isValid());
        // Another gala's history is its own.
        QVERIFY(SaveHistory::List(*db, "OTHER", Date).isEmpty());
        db.reset();
        // The size after well over 100 saves of the largest gala.
        QVERIFY2(QFileInfo(file.path).size() < 20 * 1024 * 1024,
                 qPrintable(QString::number(QFileInfo(file.path).size())));
    }

    void databaseFromBeforeTheHistory()
    {
        DemoSheet s;
        Database &db = *s.shared.GalaDb;
        db.execute("DROP TABLE Gala_Save_History");
        QVERIFY(s.open().opened());
        s.model.setText(SheetModel::Time, 0, QStringLiteral("39.10"));
        // Saved twice as the program before the history did.
        ResultStore::SaveResultsWithoutHistory(db, "DEMO", Date, s.gala);
        const QStringList older = galaRows(db, "DEMO");
        s.model.setText(SheetModel::Time, 1, QStringLiteral("40.00"));
        ResultStore::SaveResultsWithoutHistory(db, "DEMO", Date, s.gala);
        const QStringList newer = galaRows(db, "DEMO");

        // The list holds the one earlier generation there is; listing writes nothing.
        QCOMPARE(listed(db), QStringList{"Backup generation//1"});
        QVERIFY(!db.hasTable("Gala_Save_History"));
        ResultStore::RestoreResults(db, "DEMO", Date, 0);
        QCOMPARE(galaRows(db, "DEMO"), older);
        QCOMPARE(galaRows(db, "backup"), QStringList(newer).replaceInStrings("DEMO|", "backup|"));
        // The results the restore replaced are kept: it can be undone.
        QCOMPARE(listed(db),
                 QStringList({"Restore//1", "Earlier save//1", "Backup generation//1"}));
        ResultStore::RestoreResults(db, "DEMO", Date, numberAt(db, 1));
        QCOMPARE(galaRows(db, "DEMO"), newer);
    }

    void secondCopyFailsThenRecovers()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        QTemporaryDir stick;
        const QString folder = stick.filePath("usb");
        s.shared.GalaDbPath = s.file.path;
        s.shared.SecondCopyOn = true;
        s.shared.SecondCopyFolder = folder;
        // The stick is not there: the save stands, the copy is told once.
        s.dialogs.expectMessage(
            QStringLiteral("The second copy could not be written to %1: the folder is not "
                           "there. The gala database itself is saved; every save tries the "
                           "copy again.")
                .arg(QDir::toNativeSeparators(folder)));
        s.model.setText(SheetModel::Time, 0, QStringLiteral("39.10"));
        QVERIFY(s.model.SaveResults(SaveAction::Save));
        QVERIFY(s.shared.Copy.waitForIdle(10000));
        QVERIFY(s.model.SaveResults(SaveAction::NextEvent));
        QVERIFY(s.shared.Copy.waitForIdle(10000));
        QCOMPARE(galaRows(*s.shared.GalaDb, "DEMO").value(0).section('|', 4, 4), "39.10");

        // Plugged in again: the next save writes it, and says so once.
        QVERIFY(QDir().mkpath(folder));
        s.dialogs.expectMessage(QStringLiteral("The second copy in %1 is written again.")
                                    .arg(QDir::toNativeSeparators(folder)));
        QVERIFY(s.model.SaveResults(SaveAction::Save));
        QVERIFY(s.shared.Copy.waitForIdle(10000));
        s.model.setText(SheetModel::Time, 1, QStringLiteral("40.50"));
        QVERIFY(s.model.SaveResults(SaveAction::Exit));
        QVERIFY(s.shared.Copy.waitForIdle(10000));
        Database copy(SecondCopy::copyPath(s.file.path, folder), Database::Access::ReadOnly);
        QVERIFY(copy.check(true).isEmpty());
        QCOMPARE(galaRows(copy, "DEMO"), galaRows(*s.shared.GalaDb, "DEMO"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"gala_record.mdb"});
        // Never a copy onto the database itself.
        QVERIFY(!SecondCopy::copyNow(s.file.path, s.file.dir.path()).isEmpty());
    }

    // Saves of the largest gala killed at random moments: after each kill the
    // database, its history and the second copy hold whole generations.
    // GALAREC_KILLS sets the number of kills (default 12, within 20 s).
    void killedDuringSaves()
    {
        TestGala file;
        QTemporaryDir stick;
        const QString copyPath = SecondCopy::copyPath(file.path, stick.path());
        const int kills = qEnvironmentVariableIsSet("GALAREC_KILLS")
                              ? qEnvironmentVariableIntValue("GALAREC_KILLS")
                              : 12;
        const qint64 budgetMs = qEnvironmentVariableIsSet("GALAREC_KILLS") ? 1LL << 40 : 20000;
        QRandomGenerator random(18);
        QElapsedTimer clock;
        clock.start();
        int done = 0, duringCopy = 0;
        for (; done < kills && clock.elapsed() < budgetMs; ++done) {
            QProcess victim;
            victim.start(QStringLiteral(SAVE_LOOP), {file.path, stick.path()});
            QVERIFY(victim.waitForStarted());
            QVERIFY2(victim.waitForReadyRead(30000), victim.readAllStandardError().constData());
            QThread::msleep(random.bounded(1, 400));
            ::kill(pid_t(victim.processId()), SIGKILL);
            QVERIFY(victim.waitForFinished(10000));
            QCOMPARE(victim.exitStatus(), QProcess::CrashExit);
            duringCopy += QFile::exists(copyPath + ".part") ? 1 : 0;

            Database db(file.path);
            QCOMPARE(db.check(true), QStringList());
            const SaveHistory::Generation current = SaveHistory::Current(db, "BIG", Date);
            QCOMPARE(current.rows.size(), 1700);
            QCOMPARE(markers(current).size(), 1);
            QCOMPARE(markers(SaveHistory::Current(db, "backup", Date)).size(), 1);
            const QList<SaveHistory::Entry> kept = SaveHistory::List(db, "BIG", Date);
            // The newest generation kept is the current one: both or neither.
            QCOMPARE(markers(SaveHistory::Load(db, "BIG", Date, kept.first().number)),
                     markers(current));
            for (const SaveHistory::Entry &e : kept) {
                const SaveHistory::Generation g = SaveHistory::Load(db, "BIG", Date, e.number);
                QCOMPARE(g.rows.size(), 1700);
                QCOMPARE(markers(g).size(), 1);
            }
            if (QFile::exists(copyPath)) {
                Database copy(copyPath, Database::Access::ReadOnly);
                QCOMPARE(copy.check(true), QStringList());
                QCOMPARE(markers(SaveHistory::Current(copy, "BIG", Date)).size(), 1);
            }
        }
        qInfo("%d kills in %lld ms (%d with a copy being written)", done, clock.elapsed(),
              duringCopy);
        QVERIFY(done >= qMin(kills, 3));
    }
};

QTEST_GUILESS_MAIN(TstSaveHistory)
#include "tst_savehistory.moc"
