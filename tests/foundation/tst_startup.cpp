#include "foundation/SettingsFile.h"
#include "foundation/SharedState.h"
#include "foundation/StartUp.h"
#include "tests/support/DataRow.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QFile>
#include <QtTest>

class TstStartUp : public QObject
{
    Q_OBJECT
private slots:
    void firstRunWritesDefaults();
    void roundTrip();
    void damagedSettings_data();
    void damagedSettings();
    void notAGalaDatabaseKeepsStartScreenUsable();
    void secondEnterReopens();
    void browse();
};

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeRaw(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

void TstStartUp::firstRunWritesDefaults()
{
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    StartUp startUp(shared, dialogs, dir.path());
    const QString db = dir.filePath("gala_record.mdb");
    QCOMPARE(startUp.load(), db);
    QCOMPARE(startUp.settingsPath(), dir.filePath("aqrecord.ini"));
    QVERIFY(!shared.AnnouncerOn);
    QVERIFY(!shared.OnlineOn);
    QVERIFY(startUp.exit());
    QCOMPARE(contents(dir.filePath("aqrecord.ini")),
             "\"" + db.toUtf8() + "\"\r\n\"\"\r\n\"\"\r\n#FALSE#,\"\"\r\n#FALSE#,\"\",\"\"\r\n");
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstStartUp::roundTrip()
{
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    StartUp first(shared, dialogs, dir.path());
    first.load();
    shared.GalaDbPath = "/data/galas, \"club\".mdb";
    shared.ProgCode = "DEMO";
    shared.LastGalaDate = "12/10/26";
    shared.AnnouncerOn = true;
    shared.AnnouncerDbPath = "/data/announcer.mdb";
    shared.OnlineOn = false;
    shared.AresDbPath = "/data/ares.mdb";
    shared.OnlineMeetCode = "M1";
    QVERIFY(first.exit());
    QVERIFY(
        contents(dir.filePath("aqrecord.ini"))
            .contains("#TRUE#,\"/data/announcer.mdb\"\r\n#FALSE#,\"/data/ares.mdb\",\"M1\"\r\n"));

    SharedState again;
    StartUp second(again, dialogs, dir.path());
    QCOMPARE(second.load(), QString("/data/galas, \"club\".mdb"));
    QCOMPARE(SettingsFile::lines(again), SettingsFile::lines(shared));
}

void TstStartUp::damagedSettings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("defaultPath");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("announcer");
    QTest::addColumn<QString>("meetCode");
    DataRow("empty path keeps default",
            QByteArray("\"\"\r\n\"C\"\r\n\"\"\r\n#TRUE#,\"a\"\r\n#FALSE#,\"\",\"\"\r\n"), true, "C",
            true, "");
    DataRow("two lines only", QByteArray("\"/x.mdb\"\r\n\"C\"\r\n"), false, "C", false, "");
    DataRow("empty file", QByteArray(), true, "", false, "");
    DataRow("unquoted fields, numeric flags", QByteArray("/x.mdb\nC\n01/01/26\n-1,a\n0,b,M\n"),
            false, "C", true, "M");
    DataRow("garbage flags read false",
            QByteArray("\"/x.mdb\"\r\n\"C\"\r\n\"\"\r\nyes,\"a\"\r\n#FALSE#\r\n"), false, "C",
            false, "");
    DataRow("unterminated quote",
            QByteArray("\"/x.mdb\r\n\"C\"\r\n\"\"\r\n#TRUE#,\"a\r\n#FALSE#,\"\",\"M\"\r\n"), false,
            "C", true, "M");
}

void TstStartUp::damagedSettings()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, defaultPath);
    QFETCH(QString, code);
    QFETCH(bool, announcer);
    QFETCH(QString, meetCode);
    QTemporaryDir dir;
    writeRaw(dir.filePath("aqrecord.ini"), file);
    SharedState shared;
    ScriptedDialogs dialogs;
    StartUp startUp(shared, dialogs, dir.path());
    const QString db = startUp.load();
    QCOMPARE(db == dir.filePath("gala_record.mdb"), defaultPath);
    QCOMPARE(shared.GalaDbPath, db);
    QCOMPARE(shared.ProgCode, code);
    QCOMPARE(shared.AnnouncerOn, announcer);
    QCOMPARE(shared.OnlineMeetCode, meetCode);
}

void TstStartUp::notAGalaDatabaseKeepsStartScreenUsable()
{
    TestGala gala;
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.mdb");
    writeRaw(text, QByteArray(2048, 'n'));
    SharedState shared;
    ScriptedDialogs dialogs;
    const QString announcer = dir.filePath("announcer.mdb");
    ReadyMade::createAnnouncerDatabase(announcer);
    dialogs.expectMessage("Cannot locate database for gala recording")
        .expectMessage("file is not a database: " + text)
        .expectMessage("Could not find table 'Gala_Name'.");
    StartUp startUp(shared, dialogs, dir.path());
    QVERIFY(!startUp.enter(dir.filePath("missing.mdb")));
    QVERIFY(!startUp.enter(text));
    QVERIFY(!startUp.enter(announcer));
    QVERIFY(!shared.GalaDb);
    QVERIFY(!shared.GalaDbOpen);
    // The official picks the right file and carries on.
    QVERIFY(startUp.enter(gala.path));
    QVERIFY(shared.GalaDbOpen);
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstStartUp::secondEnterReopens()
{
    TestGala one(true), two;
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    StartUp startUp(shared, dialogs, dir.path());
    QVERIFY(startUp.enter(one.path));
    QVERIFY(startUp.enter(two.path));
    QCOMPARE(shared.GalaDb->path(), two.path);
    QCOMPARE(shared.GalaDb->openRecordset("Gala_Name").recordCount(), 0);
}

void TstStartUp::browse()
{
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    dialogs.expectChooser("Select Database for Gala Recording", "/data/", "club.mdb")
        .expectChooser("Select Database for Gala Recording", "", "")
        .expectMessage("No Database selected");
    StartUp startUp(shared, dialogs, dir.path());
    startUp.load();
    QCOMPARE(startUp.browse(), QString("/data/club.mdb"));
    QVERIFY(shared.Choice.FileMustExist);
    QCOMPARE(shared.GalaDbPath, QString("/data/club.mdb"));
    QCOMPARE(startUp.browse(), QString());
    QCOMPARE(shared.GalaDbPath, QString("/data/club.mdb"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

QTEST_APPLESS_MAIN(TstStartUp)
#include "tst_startup.moc"
