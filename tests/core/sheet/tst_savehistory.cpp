#include "bench/LargestGala.h"
#include "core/sheet/SaveHistory.h"
#include "core/sheet/SaveResults.h"
#include "tests/core/sheet/RecordingFixture.h"

#include <csignal>
#include <cstdio>

namespace {

const QString Date = QStringLiteral("12/10/26");

// The list as the official reads it: action, event shown, events with results.
QStringList listed(Database &db)
{
    QStringList out;
    for (const SaveHistory::Entry &e : SaveHistory::List(db, QStringLiteral("DEMO"), Date))
        out << QStringLiteral("%1/%2/%3").arg(e.action, e.eventShown).arg(e.eventsWithResults);
    return out;
}

// The markers of a generation's rows (notes, the 7th field): one for a whole one.
QSet<QString> markers(const SaveHistory::Generation &g)
{
    QSet<QString> out;
    for (const QVariantList &row : g.rows)
        out.insert(row.value(6).toString());
    return out;
}

// The largest gala the sheet holds (17 team entries x 100 events), the
// benchmarks' results with `marker` in the notes of every lane.
void fillLargestGala(GalaState &g, const QString &marker)
{
    g.NoOfEvents = LargestGala::Events;
    g.NoOfTeams = g.NoOfScoringTeams = LargestGala::Teams;
    g.resizeEvents(g.NoOfEvents);
    g.resizeTeams(g.NoOfTeams);
    LargestGala::fillResults(g);
    for (int e = 1; e <= g.NoOfEvents; ++e) {
        g.EventNo[e] = QString::number(e);
        for (int t = 1; t <= g.NoOfTeams; ++t)
            g.LaneNotes(e, t) = marker;
    }
}

// The kill test's victim, this program run as "-save-loop DATABASE COPY-FOLDER":
// saves the largest gala again and again, with the save history and the second
// copy on, until it is killed.
int saveLoop(const QString &path, const QString &copyFolder)
{
    SharedState shared;
    LargestGala::YesDialogs dialogs; // messages go to stderr
    shared.GalaDb = std::make_unique<Database>(path);
    shared.SecondCopyOn = true;
    shared.SecondCopyFolder = copyFolder;
    GalaState gala;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QString run = QString::number(QCoreApplication::applicationPid());
    for (int generation = 1;; ++generation) {
        fillLargestGala(gala, run + QLatin1Char('-') + QString::number(generation));
        ResultStore::SaveResults(*shared.GalaDb, QStringLiteral("BIG"), Date, gala,
                                 {SaveAction::NextEvent, QString::number(generation % 100 + 1)});
        RequestSecondCopy(shared, dialogs);
        QCoreApplication::processEvents();
        if (generation == 1)
            std::puts("saving");
    }
}

} // namespace

// Every save kept, any save restored, the second copy, and the kill test.
class TstSaveHistory : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheLastHundredAndNoRepeats()
    {
        TestGala file;
        auto db = file.open();
        GalaState gala;
        // 105 saves, then the same results again: not kept twice in a row.
        for (int g = 0; g <= 105; ++g) {
            fillLargestGala(gala, QStringLiteral("g%1").arg(qMin(g, 104)));
            ResultStore::SaveResults(*db, "BIG", Date, gala, {SaveAction::NextEvent, "7"});
        }
        const QList<SaveHistory::Entry> kept = SaveHistory::List(*db, "BIG", Date);
        QCOMPARE(kept.size(), SaveHistory::Kept);
        QCOMPARE(markers(SaveHistory::Load(*db, "BIG", Date, kept.first().number)),
                 QSet<QString>{"g104"});
        QCOMPARE(markers(SaveHistory::Load(*db, "BIG", Date, kept.last().number)),
                 QSet<QString>{"g5"});
        // Another gala's history is its own.
        QVERIFY(SaveHistory::List(*db, "OTHER", Date).isEmpty());
        db.reset();
        // The size after well over 100 saves of the largest gala.
        QVERIFY2(QFileInfo(file.path).size() < 20 * 1024 * 1024,
                 qPrintable(QString::number(QFileInfo(file.path).size())));
    }

    // A save restored and the restore undone, in a database from before the history.
    void restoreAndUndoInADatabaseFromBeforeTheHistory()
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
        // The results the restore replaced are kept: it can be undone, now by the history.
        QCOMPARE(listed(db),
                 QStringList({"Restore//1", "Earlier save//1", "Backup generation//1"}));
        ResultStore::RestoreResults(db, "DEMO", Date,
                                    SaveHistory::List(db, "DEMO", Date)[1].number);
        QCOMPARE(galaRows(db, "DEMO"), newer);
        QCOMPARE(galaRows(db, "backup"), QStringList(older).replaceInStrings("DEMO|", "backup|"));
        // A number that is not one of this gala's changes nothing.
        QVERIFY_THROWS_EXCEPTION(EngineError, ResultStore::RestoreResults(db, "DEMO", Date, 9999));
        QCOMPARE(galaRows(db, "DEMO"), newer);
    }

    void secondCopyFailsThenRecovers()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        QTemporaryDir stick;
        const QString folder = stick.filePath("usb");
        s.shared.SecondCopyOn = true;
        s.shared.SecondCopyFolder = folder;
        const auto save = [&](SaveAction action) {
            QVERIFY(s.model.SaveResults(action));
            QVERIFY(s.shared.Copy.waitForIdle(10000));
        };
        // The stick is not there: the save stands, the copy is told once.
        s.dialogs.expectMessage(
            QStringLiteral("The second copy could not be written to %1: the folder is not "
                           "there. The gala database itself is saved; every save tries the "
                           "copy again.")
                .arg(QDir::toNativeSeparators(folder)));
        s.model.setText(SheetModel::Time, 0, QStringLiteral("39.10"));
        save(SaveAction::Save);
        save(SaveAction::NextEvent);

        // Plugged in again: the next save writes it, and says so once.
        QVERIFY(QDir().mkpath(folder));
        s.dialogs.expectMessage(QStringLiteral("The second copy in %1 is written again.")
                                    .arg(QDir::toNativeSeparators(folder)));
        save(SaveAction::Save);
        s.model.setText(SheetModel::Time, 1, QStringLiteral("40.50"));
        save(SaveAction::Exit);
        Database copy(SecondCopy::copyPath(s.file.path, folder), Database::Access::ReadOnly);
        QVERIFY(copy.check(true).isEmpty());
        QCOMPARE(galaRows(copy, "DEMO"), galaRows(*s.shared.GalaDb, "DEMO"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"gala_record.mdb"});
        // Never a copy onto the database itself.
        QVERIFY(!SecondCopy::copyNow(s.file.path, s.file.dir.path()).isEmpty());
    }

    // Saves of the largest gala killed at random moments: after each kill the
    // database, its history and the second copy hold whole generations:
    // 12 kills within 20 s.
    void killedDuringSaves()
    {
        TestGala file;
        QTemporaryDir stick;
        const QString copyPath = SecondCopy::copyPath(file.path, stick.path());
        QRandomGenerator random(18);
        QElapsedTimer clock;
        clock.start();
        int done = 0, duringCopy = 0;
        for (; done < 12 && clock.elapsed() < 20000; ++done) {
            QProcess victim;
            victim.start(QCoreApplication::applicationFilePath(),
                         {"-save-loop", file.path, stick.path()});
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
        QVERIFY(done >= 3);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "-save-loop") == 0)
        return saveLoop(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TstSaveHistory test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_savehistory.moc"
