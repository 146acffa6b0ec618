#include "core/values/PbUtil.h"
#include "core/values/SettingsFile.h"
#include "core/values/SharedState.h"
#include "core/values/StartUp.h"
#include "tests/support/DataRow.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QFile>
#include <QtTest>

namespace {

// The start-up of a desk whose program folder is a fresh temporary folder.
struct Desk
{
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    StartUp startUp{shared, dialogs, dir.path()};
    QString ini() const { return dir.filePath("aqrecord.ini"); }
    QByteArray settings() const
    {
        QFile f(ini());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

class TstStartUp : public QObject
{
    Q_OBJECT
private slots:
    void firstRunThenRoundTrip()
    {
        Desk desk;
        SharedState &shared = desk.shared;
        const QString db = desk.dir.filePath("gala_record.mdb");
        QCOMPARE(desk.startUp.load(), db);
        QCOMPARE(desk.startUp.settingsPath(), desk.ini());
        QVERIFY(!shared.AnnouncerOn);
        QVERIFY(!shared.OnlineOn);
        QVERIFY(desk.startUp.exit());
        QCOMPARE(desk.settings(), "\"" + db.toUtf8() +
                                      "\"\r\n\"\"\r\n\"\"\r\n#FALSE#,\"\"\r\n#FALSE#,\"\",\"\"\r\n"
                                      "\"\"\r\n\"\"\r\n#FALSE#,\"\"\r\n");

        static_cast<Settings &>(shared) = {"/data/galas, \"club\".mdb",
                                           "DEMO",
                                           "12/10/26",
                                           true,
                                           "/data/announcer.mdb",
                                           false,
                                           "/data/ares.mdb",
                                           "M1",
                                           true,
                                           "/srv/live \"pool\""};
        QVERIFY(desk.startUp.exit());
        QVERIFY(desk.settings().endsWith(
            "#TRUE#,\"/data/announcer.mdb\"\r\n#FALSE#,\"/data/ares.mdb\",\"M1\"\r\n"
            "\"\"\r\n\"\"\r\n#TRUE#,\"/srv/live \"\"pool\"\"\"\r\n"));
        SharedState again;
        StartUp second(again, desk.dialogs, desk.dir.path());
        QCOMPARE(second.load(), QString("/data/galas, \"club\".mdb"));
        QCOMPARE(SettingsFile::lines(again), SettingsFile::lines(shared));
        QVERIFY(again.PublishOn);
        // Lines 6 and 7 another version wrote are skipped when reading.
        const Settings other = SettingsFile::parse(
            "\"a\"\r\n\"b\"\r\n\"c\"\r\n#FALSE#,\"\"\r\n#FALSE#,\"\",\"\"\r\n\"x@y\"\r\n"
            "#TRUE#,\"/copy\"\r\n#TRUE#,\"/srv/live\"\r\n");
        QVERIFY(other.PublishOn);
        QCOMPARE(other.PublishFolder, QString("/srv/live"));
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }

    void damagedSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("defaultPath");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("announcer");
        QTest::addColumn<QString>("meetCode");
        DataRow("empty path keeps default",
                QByteArray("\"\"\r\n\"C\"\r\n\"\"\r\n#TRUE#,\"a\"\r\n#FALSE#,\"\",\"\"\r\n"), true,
                "C", true, "");
        DataRow("two lines only", QByteArray("\"/x.mdb\"\r\n\"C\"\r\n"), false, "C", false, "");
        DataRow("empty file", QByteArray(), true, "", false, "");
        DataRow("unquoted fields, numeric flags", QByteArray("/x.mdb\nC\n01/01/26\n-1,a\n0,b,M\n"),
                false, "C", true, "M");
        DataRow("garbage flags read false",
                QByteArray("\"/x.mdb\"\r\n\"C\"\r\n\"\"\r\nyes,\"a\"\r\n#FALSE#\r\n"), false, "C",
                false, "");
        DataRow("unterminated quote",
                QByteArray("\"/x.mdb\r\n\"C\"\r\n\"\"\r\n#TRUE#,\"a\r\n#FALSE#,\"\",\"M\"\r\n"),
                false, "C", true, "M");
    }
    void damagedSettings()
    {
        QFETCH(QByteArray, file);
        Desk desk;
        QFile f(desk.ini());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        f.close();
        const QString db = desk.startUp.load();
        QTEST(db == desk.dir.filePath("gala_record.mdb"), "defaultPath");
        QCOMPARE(desk.shared.GalaDbPath, db);
        QTEST(desk.shared.ProgCode, "code");
        QTEST(desk.shared.AnnouncerOn, "announcer");
        QTEST(desk.shared.OnlineMeetCode, "meetCode");
    }

    void browseThenEnterOtherFilesKeepsStartScreenUsable()
    {
        TestGala gala;
        Desk desk;
        const QString text = desk.dir.filePath("notes.mdb");
        QVERIFY(PBUTIL::WriteTextFile(text, {QString(2048, 'n')}));
        const QString announcer = desk.dir.filePath("announcer.mdb");
        ReadyMade::createAnnouncerDatabase(announcer);
        desk.dialogs.expectChooser("Select Database for Gala Recording", "/data/", "club.mdb")
            .expectChooser("Select Database for Gala Recording", "", "")
            .expectMessage("No Database selected")
            .expectMessage("Cannot locate database for gala recording")
            .expectMessage("file is not a database: " + text)
            .expectMessage("Could not find table 'Gala_Name'.");
        desk.startUp.load();
        QCOMPARE(desk.startUp.browse(), QString("/data/club.mdb"));
        QVERIFY(desk.shared.Choice.FileMustExist);
        QCOMPARE(desk.shared.GalaDbPath, QString("/data/club.mdb"));
        QCOMPARE(desk.startUp.browse(), QString()); // cancelled: the path stays
        QCOMPARE(desk.shared.GalaDbPath, QString("/data/club.mdb"));
        QVERIFY(!desk.startUp.enter(desk.dir.filePath("missing.mdb")));
        QVERIFY(!desk.startUp.enter(text));
        QVERIFY(!desk.startUp.enter(announcer));
        QVERIFY(!desk.shared.GalaDb);
        QVERIFY(!desk.shared.GalaDbOpen);
        // The official picks the right file and carries on; a second enter reopens.
        TestGala demo(true);
        QVERIFY(desk.startUp.enter(demo.path));
        QVERIFY(desk.startUp.enter(gala.path));
        QVERIFY(desk.shared.GalaDbOpen);
        QCOMPARE(desk.shared.GalaDb->path(), gala.path);
        QCOMPARE(desk.shared.GalaDb->openRecordset("Gala_Name").recordCount(), 0);
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }
};

QTEST_APPLESS_MAIN(TstStartUp)
#include "tst_startup.moc"
