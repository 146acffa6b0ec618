#include "recording/SaveResults.h"
#include "tests/recording/RecordingFixture.h"
#include "tools/ReadyMadeDatabases.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString Demo = QStringLiteral("DEMO");
const QString Date = QStringLiteral("12/10/26");
const QString Backup = QStringLiteral("backup");
const QString AddQuestion =
    QStringLiteral("There are already results for this gala, do you want to add to them?");
const QString SureQuestion =
    QStringLiteral("Are you REALLY SURE that you want to destroy existing results for this gala?");

void addTeam(Database &db, const QString &date, int heat, int lane)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Team_Query"));
    q.setParameter(QStringLiteral("Enter program code"), Demo);
    q.setParameter(QStringLiteral("Enter gala date"), date);
    Recordset rs = q.openRecordset();
    rs.addNew();
    rs.setValue(QStringLiteral("Program code"), Demo);
    rs.setValue(QStringLiteral("Gala Date"), date);
    rs.setValue(QStringLiteral("Heat No"), heat);
    rs.setValue(QStringLiteral("Lane No"), lane);
    rs.setValue(QStringLiteral("Team Name"), QStringLiteral("Team %1:%2").arg(heat).arg(lane));
    rs.setValue(QStringLiteral("Scoring"), true);
    rs.update();
}

// Dialogs that only note the messages shown (for engine messages whose
// wording is the engine's own).
struct NotingDialogs : Dialogs
{
    QStringList messages;
    void message(const QString &text) override { messages << text; }
    QString input(const QString &) override { return QStringLiteral("unexpected"); }
    bool yesNo(const QString &) override { return true; }
    void chooseFile(FileChoice &) override {}
};

} // namespace

class TstGalaStore : public QObject
{
    Q_OBJECT
private slots:
    void opensDemonstrationGala();
    void storedResultsQuestions_data();
    void storedResultsQuestions();
    void mismatchedRecordsAreReported();
    void codeWithoutNameAsksForIt();
    void sheetRowLimit_data();
    void sheetRowLimit();
    void emptyProgrammeKeepsDatabaseOpen();
    void onlineTimesDatabase_data();
    void onlineTimesDatabase();
    void twoSavesKeepOneBackup();
    void sameDateOtherCodeSharesBackup();
    void failedSaveChangesNothing();
    void datesOfBirth();
};

void TstGalaStore::opensDemonstrationGala()
{
    DemoSheet s;
    s.gala.PoolName = QStringLiteral("kept when the date has no record");
    const OpenedGala opened = s.open();
    QVERIFY(opened.opened());
    QCOMPARE(opened.caption(), QStringLiteral("Gala Recording : Harbourside Junior Team Gala"));
    QVERIFY(!opened.OnlineOn);
    QVERIFY(!opened.online.AresDb);
    QCOMPARE(s.gala.NoOfEvents, 12);
    QCOMPARE(s.gala.NoOfTeams, 8);
    QCOMPARE(s.gala.NoOfScoringTeams, 7);
    QCOMPARE(s.gala.EventNo[12], QStringLiteral("12"));
    QCOMPARE(s.gala.EventDistance[12], QStringLiteral("200"));
    QCOMPARE(s.gala.EventTime[7], QStringLiteral("1:05.00"));
    QCOMPARE(s.gala.EventScoring[12], QStringLiteral("2X"));
    QCOMPARE(s.gala.PoolName, QStringLiteral("Harbourside Baths"));
    QStringList captions;
    for (int r = 0; r < SheetModel::Rows; ++r) {
        QCOMPARE(s.model.rowVisible(r), r < 8);
        if (r < 8)
            captions << s.model.laneCaption(r);
    }
    QCOMPARE(captions, (QStringList{"1:1", "1:2", "1:3", "1:4", "2:1", "2:2", "2:3", "2:4"}));
    QCOMPARE(s.model.teamNameCaption(7), QStringLiteral("Castleton Guests"));
    QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 1 G10 50m FS"));
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::storedResultsQuestions_data()
{
    QTest::addColumn<bool>("addToThem");
    QTest::addColumn<bool>("reallySure");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("Yes") << true << false << true;
    QTest::newRow("No, then Yes") << false << true << false;
    QTest::newRow("No, then No") << false << false << true;
}

void TstGalaStore::storedResultsQuestions()
{
    QFETCH(bool, addToThem);
    QFETCH(bool, reallySure);
    QFETCH(bool, loaded);

    DemoSheet s;
    addRecord(*s.shared.GalaDb, Demo, 3, 2, 1, QStringLiteral("41.20"), 2, 6.0,
              QStringLiteral("Ben Bramley"), QStringLiteral("07/08/13"));
    addRecord(*s.shared.GalaDb, Demo, 5, 2, 1, QStringLiteral("44.00"), 1, 7.5);
    s.dialogs.expectYesNo(AddQuestion, addToThem);
    if (!addToThem)
        s.dialogs.expectYesNo(SureQuestion, reallySure);
    QVERIFY(s.open().opened());

    // Heat 2 lane 1 is team index 5.
    QCOMPARE(s.gala.LaneTime(3, 5), loaded ? QStringLiteral("41.20") : QString());
    QCOMPARE(s.gala.LanePos(3, 5), loaded ? 2 : 0);
    QCOMPARE(s.gala.LaneName(3, 5), loaded ? QStringLiteral("Ben Bramley") : QString());
    QCOMPARE(s.gala.LaneDoB(3, 5), loaded ? QStringLiteral("07/08/13") : QString());
    QCOMPARE(s.gala.TeamTotal[5], loaded ? 13.5f : 0.0f);
    QCOMPARE(s.model.text(SheetModel::Total, 4),
             loaded ? QStringLiteral("13.5") : QStringLiteral("0"));
    // Starting afresh leaves the stored rows for the next save to back up.
    QCOMPARE(galaRows(*s.shared.GalaDb, Demo, Date).size(), 2);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::mismatchedRecordsAreReported()
{
    DemoSheet s;
    addRecord(*s.shared.GalaDb, Demo, 13, 1, 1, QStringLiteral("30.00"), 1, 7.0);
    addRecord(*s.shared.GalaDb, Demo, 2, 3, 1, QStringLiteral("30.00"), 1, 7.0);
    addRecord(*s.shared.GalaDb, Demo, 2, 1, 1, QStringLiteral("31.00"), 1, 7.0);
    s.dialogs.expectYesNo(AddQuestion, true)
        .expectMessage(QStringLiteral("Serious error lane/event mismatch"))
        .expectMessage(QStringLiteral("Serious error lane/event mismatch"));
    QVERIFY(s.open().opened());
    QCOMPARE(s.gala.LaneTime(2, 1), QStringLiteral("31.00"));
    QCOMPARE(s.gala.TeamTotal[1], 7.0f);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::codeWithoutNameAsksForIt()
{
    DemoSheet s;
    s.shared.GalaDb->execute(QStringLiteral("DELETE FROM Gala_Name"));
    s.dialogs.expectInput(QStringLiteral("Competition Name"), QStringLiteral("Winter League"));
    const OpenedGala opened = s.open();
    QVERIFY(opened.opened());
    QCOMPARE(opened.caption(), QStringLiteral("Gala Recording : Winter League"));
    QCOMPARE(s.gala.GalaName, QStringLiteral("Winter League"));
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::sheetRowLimit_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<bool>("opens");
    QTest::newRow("17 entries fill the sheet") << 17 << true;
    QTest::newRow("18 entries are refused") << 18 << false;
}

void TstGalaStore::sheetRowLimit()
{
    QFETCH(int, teams);
    QFETCH(bool, opens);

    DemoSheet s;
    s.shared.GalaDate = QStringLiteral("14/09/26"); // the demo date without teams
    for (int i = 0; i < teams; ++i)
        addTeam(*s.shared.GalaDb, s.shared.GalaDate, i / 10 + 1, i % 10 + 1);
    s.gala.GalaName = QStringLiteral("previous gala");
    if (!opens)
        s.dialogs.expectMessage(
            QStringLiteral("This gala has 18 team entries; the recording sheet has room for 17"));

    const OpenedGala opened = s.open();
    QCOMPARE(opened.opened(), opens);
    if (opens) {
        QCOMPARE(s.gala.NoOfTeams, 17);
        QVERIFY(s.model.rowVisible(16));
        QCOMPARE(s.model.laneCaption(16), QStringLiteral("2:7"));
    } else {
        QVERIFY(opened.outcome == OpenOutcome::TooManyTeams);
        QCOMPARE(s.gala.GalaName, QStringLiteral("previous gala"));
        QCOMPARE(s.gala.NoOfTeams, 0);
    }
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::emptyProgrammeKeepsDatabaseOpen()
{
    DemoSheet s;
    s.shared.ProgCode = QStringLiteral("NONE");
    s.dialogs.expectMessage(QStringLiteral("Gala program empty"));
    const OpenedGala opened = s.open();
    QVERIFY(opened.outcome == OpenOutcome::ProgramEmpty);
    QVERIFY(s.shared.GalaDb);
    QVERIFY(s.shared.GalaDbOpen);
    // The set-up screen goes on reading the same database.
    QueryDef q = s.shared.GalaDb->queryDef(QStringLiteral("Gala_Program_Query"));
    q.setParameter(QStringLiteral("Enter program code"), Demo);
    QCOMPARE(q.openRecordset().recordCount(), 12);
    QCOMPARE(s.gala.NoOfEvents, 0);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::onlineTimesDatabase_data()
{
    QTest::addColumn<QString>("file"); // "database", "missing" or "not a database"
    QTest::addColumn<bool>("online");
    QTest::newRow("present") << "database" << true;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("not a database") << "not a database" << false;
}

void TstGalaStore::onlineTimesDatabase()
{
    QFETCH(QString, file);
    QFETCH(bool, online);

    DemoSheet s;
    const QString path = s.file.dir.filePath(QStringLiteral("ares.mdb"));
    if (file == QLatin1String("database")) {
        ReadyMade::createAnnouncerDatabase(path);
    } else if (file == QLatin1String("not a database")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    s.shared.OnlineOn = true;
    s.shared.AresDbPath = path;
    s.shared.OnlineMeetCode = QStringLiteral("M42");
    if (!online)
        s.dialogs.expectMessage(QStringLiteral("Can't open online times database"));

    const OpenedGala opened = s.open();
    QVERIFY(opened.opened());
    QCOMPARE(opened.OnlineOn, online);
    QCOMPARE(s.shared.OnlineOn, online);
    QCOMPARE(bool(opened.online.AresDb), online);
    QCOMPARE(opened.online.AresDbInUse, path);
    QCOMPARE(opened.online.MeetCode, online ? QStringLiteral("M42") : QString());
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::twoSavesKeepOneBackup()
{
    DemoSheet s;
    QVERIFY(s.open().opened());
    Database &db = *s.shared.GalaDb;

    s.typeTime(0, QStringLiteral("39.00"));
    QVERIFY(s.model.SaveResults());
    const QStringList first = galaRows(db, Demo, Date);
    QCOMPARE(first.size(), 8 * 12);
    QCOMPARE(galaRows(db, Backup, Date).size(), 0);
    // An event without entries: empty time, position 0, points 0, no date of birth.
    QCOMPARE(first[1], QStringLiteral("DEMO|2026-10-12|2|1||0|0||1|||<null>"));

    s.typeTime(1, QStringLiteral("38.20"));
    QVERIFY(s.model.SaveResults());
    const QStringList second = galaRows(db, Demo, Date);
    QCOMPARE(second.size(), 96);
    QStringList backup = galaRows(db, Backup, Date);
    QCOMPARE(backup.size(), 96);
    backup.replaceInStrings(QRegularExpression(QStringLiteral("^backup")), Demo);
    QCOMPARE(backup, first);
    QVERIFY(second != first);

    // Saving without a change: the backup equals the current rows.
    QVERIFY(s.model.SaveResults());
    backup = galaRows(db, Backup, Date);
    backup.replaceInStrings(QRegularExpression(QStringLiteral("^backup")), Demo);
    QCOMPARE(backup, second);
    QCOMPARE(galaRows(db, Demo, Date), second);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstGalaStore::sameDateOtherCodeSharesBackup()
{
    DemoSheet s;
    QVERIFY(s.open().opened());
    Database &db = *s.shared.GalaDb;
    QVERIFY(s.model.SaveResults());
    QVERIFY(s.model.SaveResults());
    QCOMPARE(galaRows(db, Backup, Date).size(), 96);

    ResultStore::SaveResults(db, QStringLiteral("OTHER"), Date, s.gala);
    QCOMPARE(galaRows(db, Backup, Date).size(), 0);
    QCOMPARE(galaRows(db, QStringLiteral("OTHER"), Date).size(), 96);
    QCOMPARE(galaRows(db, Demo, Date).size(), 96);
}

void TstGalaStore::failedSaveChangesNothing()
{
    TestGala file(true);
    SharedState shared;
    shared.GalaDb = file.open();
    shared.ProgCode = Demo;
    shared.GalaDate = Date;
    GalaState gala;
    NotingDialogs dialogs;
    SheetModel model(shared, gala, dialogs);
    QVERIFY(OpenGala(shared, gala, dialogs).opened());
    model.setUpRows();
    model.ShowEvent(1);
    Database &db = *shared.GalaDb;

    model.setText(SheetModel::Time, 0, QStringLiteral("40.00"));
    QVERIFY(model.SaveResults());
    model.setText(SheetModel::Time, 1, QStringLiteral("39.00"));
    QVERIFY(model.SaveResults());
    const QStringList current = galaRows(db, Demo, Date), backup = galaRows(db, Backup, Date);

    // The disk refuses the 50th new row of the next save.
    db.execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON Gala_Record WHEN (SELECT count(*) FROM "
        "Gala_Record WHERE \"Program code\" = 'DEMO') >= 49 BEGIN SELECT RAISE(ABORT, "
        "'disk full'); END"));
    model.setText(SheetModel::Time, 2, QStringLiteral("41.00"));
    const QStringList inMemory = laneSnapshot(gala);
    QVERIFY(!model.SaveResults());

    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].startsWith(QLatin1String("Results not saved: ")));
    QVERIFY(dialogs.messages[0].contains(QLatin1String("disk full")));
    QCOMPARE(galaRows(db, Demo, Date), current);
    QCOMPARE(galaRows(db, Backup, Date), backup);
    QCOMPARE(laneSnapshot(gala), inMemory);

    // Once the disk accepts rows again the same gala saves.
    db.execute(QStringLiteral("DROP TRIGGER refuse"));
    QVERIFY(model.SaveResults());
    QCOMPARE(galaRows(db, Backup, Date), QStringList(current).replaceInStrings(
                                             QRegularExpression(QStringLiteral("^DEMO")), Backup));
    QCOMPARE(galaRows(db, Demo, Date).size(), 96);
    QCOMPARE(dialogs.messages.size(), 1);
}

void TstGalaStore::datesOfBirth()
{
    DemoSheet s;
    QVERIFY(s.open().opened());
    s.gala.LaneDoB(1, 1) = QStringLiteral("09/10/12");
    s.gala.LaneDoB(2, 1) = QStringLiteral("not a date"); // never let through by the sheet
    QVERIFY(s.model.SaveResults());
    const QStringList rows = galaRows(*s.shared.GalaDb, Demo, Date);
    QVERIFY(rows[0].endsWith(QLatin1String("|2012-10-09")));
    QVERIFY(rows[1].endsWith(QLatin1String("|<null>")));
    QVERIFY(rows[2].endsWith(QLatin1String("|<null>")));
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

QTEST_APPLESS_MAIN(TstGalaStore)
#include "tst_galastore.moc"
