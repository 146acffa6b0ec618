#include "core/values/PbUtil.h"
#include "core/values/SecondCopy.h"
#include "core/values/SettingsFile.h"
#include "core/values/SharedState.h"
#include "core/values/StartUp.h"
#include "tests/support/DataRow.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <sqlite3.h>

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

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
                                      "\"\"\r\n#FALSE#,\"\"\r\n\"\"\r\n");

        static_cast<Settings &>(shared) = {"/data/galas, \"club\".mdb",
                                           "DEMO",
                                           "12/10/26",
                                           true,
                                           "/data/announcer.mdb",
                                           false,
                                           "/data/ares.mdb",
                                           "M1",
                                           true,
                                           "/media/usb, stick"};
        QVERIFY(desk.startUp.exit());
        // Line 7 holds the second copy; lines 6 and 8 belong to other
        // settings and stay empty here.
        QVERIFY(desk.settings().endsWith(
            "#TRUE#,\"/data/announcer.mdb\"\r\n#FALSE#,\"/data/ares.mdb\",\"M1\"\r\n"
            "\"\"\r\n#TRUE#,\"/media/usb, stick\"\r\n\"\"\r\n"));
        SharedState again;
        StartUp second(again, desk.dialogs, desk.dir.path());
        QCOMPARE(second.load(), QString("/data/galas, \"club\".mdb"));
        QCOMPARE(SettingsFile::lines(again), SettingsFile::lines(shared));
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

    void damagedDatabaseRefused_data()
    {
        QTest::addColumn<bool>("copyThere");
        QTest::addColumn<bool>("useCopy");
        DataRow("no second copy", false, false);
        DataRow("second copy declined", true, false);
        DataRow("second copy put in its place", true, true);
    }
    void damagedDatabaseRefused()
    {
        QFETCH(bool, copyThere);
        QFETCH(bool, useCopy);
        Desk desk;
        TestGala gala(true);
        QTemporaryDir stick;
        desk.shared.SecondCopyFolder = stick.path();
        if (copyThere)
            QCOMPARE(SecondCopy::copyNow(gala.path, stick.path()), QString());
        // A page in the middle of the file overwritten, as a failing disk does.
        QFile file(gala.path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.size() >= 3 * 4096);
        QVERIFY(file.seek(file.size() - 4096) && file.write(QByteArray(512, '\xff')) == 512);
        file.close();
        const QByteArray damaged = readAll(gala.path);

        // What the engine itself reports, read without the program's code.
        sqlite3 *raw = nullptr;
        QCOMPARE(sqlite3_open(gala.path.toUtf8().constData(), &raw), SQLITE_OK);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw, "PRAGMA quick_check", -1, &st, nullptr);
        QStringList found;
        while (sqlite3_step(st) == SQLITE_ROW)
            found << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        sqlite3_close(raw);
        QVERIFY(!found.isEmpty() && found != QStringList{"ok"});

        desk.dialogs.expectMessage(
            QStringLiteral("The gala database %1 is damaged and was not "
                           "opened. The check found: %2")
                .arg(QDir::toNativeSeparators(gala.path), found.mid(0, 5).join("; ")));
        if (copyThere)
            desk.dialogs.expectYesNo(
                QStringLiteral("A second copy of the gala database, written %1, is in %2. Put it "
                               "in place of the damaged file? The damaged file is kept as %3.")
                    .arg(QFileInfo(SecondCopy::copyPath(gala.path, stick.path()))
                             .lastModified()
                             .toString("dd/MM/yy HH:mm"),
                         stick.path(), gala.path + ".damaged"),
                useCopy);
        QCOMPARE(desk.startUp.enter(gala.path), useCopy);
        QCOMPARE(bool(desk.shared.GalaDb), useCopy);
        QCOMPARE(desk.shared.GalaDbOpen, useCopy);
        const QStringList kept =
            QDir(QFileInfo(gala.path).path()).entryList({"gala_record.mdb.damaged*"});
        if (useCopy) {
            QCOMPARE(desk.shared.GalaDb->check(true), QStringList());
            QCOMPARE(kept.size(), 1);
            QCOMPARE(readAll(QFileInfo(gala.path).dir().filePath(kept.first())), damaged);
        } else {
            QVERIFY(kept.isEmpty());
            QCOMPARE(readAll(gala.path), damaged); // left exactly as found
        }
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }

    void settingsOfOtherLinesAreRead()
    {
        // Lines 6 and 8 as other settings write them; line 7 is the second copy.
        const Settings s = SettingsFile::parse(
            "\"/g.mdb\"\r\n\"C\"\r\n\"\"\r\n#FALSE#,\"\"\r\n#FALSE#,\"\",\"\"\r\n"
            "\"desk@club.org\",\"Desk\"\r\n#TRUE#,\"/media/usb\"\r\n#TRUE#,\"/srv/pub\"\r\n");
        QVERIFY(s.SecondCopyOn);
        QCOMPARE(s.SecondCopyFolder, QString("/media/usb"));
        QVERIFY(!SettingsFile::parse("\"/g.mdb\"\r\n").SecondCopyOn);
    }
};

QTEST_APPLESS_MAIN(TstStartUp)
#include "tst_startup.moc"
