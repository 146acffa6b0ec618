#include "core/values/PbUtil.h"
#include "core/values/SecondCopy.h"
#include "core/values/SettingsFile.h"
#include "core/values/SharedState.h"
#include "core/values/StartUp.h"
#include "core/values/UserFolders.h"
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
    StartUp startUp{shared, dialogs, UserFolders(dir.path())};
    QString ini() const { return dir.filePath("aqrecord.ini"); }
};

// An installed program under <root>/usr, with the user's home folders in
// <root>/home as XDG_DATA_HOME and XDG_CONFIG_HOME name them.
struct Installed
{
    QTemporaryDir root;
    QString bin = root.filePath("usr/bin");
    QString share = root.filePath("usr/share/aqgalarec");
    QString data = root.filePath("home/data/aqgalarec");
    QString config = root.filePath("home/config/Aquaplan/AQGalaRec");
    Installed()
    {
        QDir().mkpath(bin);
        QVERIFY(ReadyMade::writeAll(share).isEmpty());
        qputenv("XDG_DATA_HOME", root.filePath("home/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", root.filePath("home/config").toUtf8());
        QCoreApplication::setOrganizationName("Aquaplan");
        QCoreApplication::setApplicationName("AQGalaRec");
    }
    ~Installed()
    {
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }
    QStringList installedFiles() const
    {
        return QDir(share).entryList(QDir::Files) + QDir(bin).entryList(QDir::Files);
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
        const QString db = desk.dir.filePath("gala_record.mdb");
        QCOMPARE(desk.startUp.load(), db);
        QVERIFY(desk.startUp.exit());
        QCOMPARE(readAll(desk.ini()),
                 "\"" + db.toUtf8() +
                     "\"\r\n\"\"\r\n\"\"\r\n#FALSE#,\"\"\r\n#FALSE#,\"\",\"\"\r\n"
                     "\"\",\"\"\r\n#FALSE#,\"\"\r\n#FALSE#,\"\"\r\n");

        // Every field filled, with quotes (doubled in the file) and commas
        // inside: read into the desk and written back unchanged. Line 6 holds
        // the Lenex contact, line 7 the second copy, line 8 the publish folder.
        const QByteArray full =
            "\"/data/galas, \"\"club\"\".mdb\"\r\n\"DEMO\"\r\n\"12/10/26\"\r\n"
            "#TRUE#,\"/data/announcer.mdb\"\r\n#FALSE#,\"/data/ares.mdb\",\"M1\"\r\n"
            "\"desk@bramley.example\",\"Bramley \"\"Dolphins\"\", SC\"\r\n"
            "#TRUE#,\"/media/usb, stick\"\r\n#TRUE#,\"/srv/live \"\"pool\"\"\"\r\n";
        QVERIFY(PBUTIL::WriteTextFile(desk.ini(), {QString::fromUtf8(full).chopped(2)}));
        QCOMPARE(desk.startUp.load(), QString("/data/galas, \"club\".mdb"));
        QCOMPARE(desk.shared.ContactOrganisation, QString("Bramley \"Dolphins\", SC"));
        QVERIFY(desk.shared.AnnouncerOn && !desk.shared.OnlineOn && desk.shared.PublishOn);
        QVERIFY(desk.startUp.exit());
        QCOMPARE(readAll(desk.ini()), full);
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
        const QString notGala = "%1 is not a gala database. Choose the gala recording database, "
                                "such as gala_record.mdb.";
        desk.dialogs.expectChooser("Select Database for Gala Recording", "/data/", "club.mdb")
            .expectChooser("Select Database for Gala Recording", "", "")
            .expectMessage("No Database selected")
            .expectMessage(notGala.arg(text))
            .expectMessage(notGala.arg(announcer))
            .expectMessage("Cannot locate database for gala recording");
        const QString first = desk.startUp.load();
        QCOMPARE(desk.startUp.browse(), QString("/data/club.mdb"));
        QVERIFY(desk.shared.Choice.FileMustExist);
        QCOMPARE(desk.startUp.browse(), QString()); // cancelled
        QVERIFY(!desk.startUp.enter(text));
        QVERIFY(!desk.startUp.enter(announcer));
        QCOMPARE(desk.shared.GalaDbPath, first);
        // The official picks the right file and carries on; a second enter reopens.
        TestGala demo(true);
        QVERIFY(desk.startUp.enter(demo.path));
        QVERIFY(desk.startUp.enter(gala.path));
        QCOMPARE(desk.shared.GalaDb->path(), gala.path);
        // A path that failed is never remembered: Exit keeps the last one that opened.
        QVERIFY(!desk.startUp.enter(desk.dir.filePath("typo.mdb")));
        QVERIFY(desk.startUp.exit());
        QVERIFY(readAll(desk.ini()).startsWith('"' + gala.path.toUtf8() + "\"\r\n"));
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }

    void installedDeskWorksOnTheUsersCopiesAndTellsProblems()
    {
        Installed inst;
        const QStringList before = inst.installedFiles();
        const UserFolders folders(inst.bin);
        // A gala the user recorded before survives every start.
        QDir().mkpath(inst.data);
        QVERIFY(PBUTIL::WriteTextFile(inst.data + "/demo_gala.mdb", {"recorded"}));
        QCOMPARE(folders.provide(), QString());
        QCOMPARE(QDir(inst.data).entryList(QDir::Files),
                 QStringList({"announcer.mdb", "demo_gala.mdb", "demo_online.mdb",
                              "gala_record.mdb", "online_times.mdb"}));
        QCOMPARE(readAll(inst.data + "/demo_gala.mdb"), "recorded\r\n");

        SharedState shared;
        ScriptedDialogs dialogs;
        StartUp startUp(shared, dialogs, folders);
        QCOMPARE(startUp.load(), inst.data + "/gala_record.mdb");
        // A bare name as the README prints it opens the user's copy, wherever
        // the program was started.
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(inst.root.path()));
        const bool opened = startUp.enter("gala_record.mdb");
        QDir::setCurrent(cwd);
        QVERIFY(opened);
        QVERIFY(startUp.exit());
        QVERIFY(QFile::exists(inst.config + "/aqrecord.ini"));
        QCOMPARE(inst.installedFiles(), before);
        QVERIFY2(dialogs.finished(), dialogs.faults());

        // A ready-made database lost from the installation: the rest are
        // copied, and no half-copied file is left behind.
        QVERIFY(QDir(inst.data).removeRecursively());
        QVERIFY(QFile::remove(inst.share + "/announcer.mdb"));
        QCOMPARE(UserFolders(inst.bin).provide(),
                 "Cannot copy the database " + inst.data + "/announcer.mdb");
        QCOMPARE(QDir(inst.data).entryList(QDir::Files),
                 QStringList({"demo_gala.mdb", "gala_record.mdb"}));
        QVERIFY(QDir(inst.root.filePath("home/data")).removeRecursively());
        // A file where the data folder should be: nothing can be made there.
        QVERIFY(PBUTIL::WriteTextFile(inst.root.filePath("home/data"), {"x"}));
        QCOMPARE(UserFolders(inst.bin).provide(), "Cannot create the folder " + inst.data);
        // From the build folder nothing is copied: the databases are beside the program.
        const UserFolders build(inst.root.filePath("home"));
        QVERIFY(!build.installed());
        QCOMPARE(build.dataFolder(), inst.root.filePath("home"));
        QCOMPARE(build.provide(), QString());
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
};

QTEST_APPLESS_MAIN(TstStartUp)
#include "tst_startup.moc"
