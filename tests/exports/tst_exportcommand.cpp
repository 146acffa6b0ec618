#include "recording/GalaRecSheet.h"
#include "tests/exports/LenexFixture.h"
#include "tests/support/DataRow.h"

#include <QtTest>
#include <QtWidgets>

namespace {

struct Run
{
    int exitCode = -1;
    QString out, err;
};

Run runExport(const QStringList &arguments)
{
    // Qt's GUI platform, which draws the reports, wants a runtime folder.
    static const QTemporaryDir runtime;
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    p.setProcessEnvironment(environment);
    p.start(EXPORT_PROGRAM, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TstExportCommand : public QObject
{
    Q_OBJECT
private slots:
    // The command line and the sheet's WEB and Export menus write the same
    // bytes, a repeated option writes each file, and the gala database stays
    // as it was. One row with online timing, long course and a zipped Lenex
    // file; one without, short course and a plain one.
    void commandEqualsMenu_data()
    {
        QTest::addColumn<bool>("online");
        QTest::newRow("online, long course, zipped") << true;
        QTest::newRow("offline, short course, plain") << false;
    }
    void commandEqualsMenu()
    {
        QFETCH(bool, online);
        RecordedDemo demo;
        const QString onlinePath = demo.file.dir.filePath("online.mdb");
        MakeOnlineTimes(onlinePath);
        OnlineTimes times{onlinePath, std::make_unique<Database>(onlinePath), "M1"};
        GalaRecSheet sheet(demo.shared, demo.gala, demo.dialogs, online ? &times : nullptr);
        QTemporaryDir byMenu, byCommand;
        const QString menu = byMenu.path() + "/", lenex = online ? "gala.lxf" : "gala.lef";
        demo.dialogs.expectChooser("Select File for WEB results page", menu, "results.htm")
            .expectChooser("Select Directory for WEB team results pages", menu, "")
            .expectChooser("Select Directory for Ranking Files", menu, "")
            .expectInput("Enter meet code for ASA", "DEMO") // the gala code, as the command's
            .expectYesNo("Long course (YES) or Short course (NO)", online)
            .expectChooser("Select File for Program Data", menu, "prog.txt")
            .expectChooser("Select File for Lenex Results", menu, lenex);
        for (const char *entry : {"WEB_Results_Sheet", "WEB_Team_Results", "Export_ASA_Rankings",
                                  "Data_for_Program", "Export_Lenex"}) {
            QAction *action = sheet.findChild<QAction *>(entry);
            QVERIFY2(action && action->isEnabled(), entry);
            action->trigger();
        }
        QVERIFY2(demo.dialogs.finished(), demo.dialogs.faults());

        const QByteArray databaseBefore = readFile(demo.file.path);
        QStringList arguments = QString("--db %1 --code DEMO --date 12/10/26 --web %2/results.htm "
                                        "--team-pages %2 --rankings %2 --program-data %2/prog.txt "
                                        "--lenex %2/%3 --lenex %2/also.lef")
                                    .arg(demo.file.path, byCommand.path(), lenex)
                                    .split(' ');
        if (online)
            arguments << "--long-course"
                      << "--online" << onlinePath << "--meet-code"
                      << "M1";
        const Run run = runExport(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(demo.file.path), databaseBefore);

        // Every file the menus wrote, written alike and told; nothing else.
        const QDir menuDir(byMenu.path()), commandDir(byCommand.path());
        QStringList files = menuDir.entryList(QDir::Files), told;
        QCOMPARE(files.size(), 13); // 8 team pages, 2 ranking files
        for (const QString &file : std::as_const(files)) {
            QCOMPARE(readFile(commandDir.filePath(file)), readFile(menuDir.filePath(file)));
            told << "Wrote " + commandDir.filePath(file);
        }
        files << "also.lef";
        told << "Wrote " + commandDir.filePath("also.lef");
        files.sort();
        told.sort();
        QCOMPARE(commandDir.entryList(QDir::Files, QDir::Name), files);
        QStringList said = run.out.split('\n', Qt::SkipEmptyParts);
        said.sort();
        QCOMPARE(said, told);
        const QByteArray xml =
            online ? Unzip("-p", menuDir.filePath(lenex)) : readFile(menuDir.filePath(lenex));
        QCOMPARE(readFile(commandDir.filePath("also.lef")), xml);
        const LenexReadBack back(xml);
        QCOMPARE(back.swims.size(), 14);
        QCOMPARE(back.splits.value("11|1|1").size(), online ? 3 : 0);
    }

    // What the command says and how it exits. Whenever it fails it writes
    // nothing, leaves the gala database alone, and an old file it could not
    // replace (no room for a temporary name beside it) stays whole.
    void runs_data()
    {
        QTest::addColumn<QString>("arguments"); // {db}, {dir}, {file}, {old} stand for paths
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");  // on stdout for exit 0, else on stderr
        QTest::addColumn<QStringList>("made"); // the files in {dir}/out, without the time
        const QString gala = "--db {db} --code DEMO --date 12/10/26 ",
                      lenex = " --lenex {dir}/gala.lxf", on = "--code DEMO --date 12/10/26" + lenex;
        const QStringList none;
        DataRow("missing database", "--db {dir}/none.mdb " + on, 1,
                "Cannot open the gala database {dir}/none.mdb", none);
        DataRow("not a database", "--db {file} " + on, 1, "file is not a database", none);
        DataRow("unknown code", "--db {db} --code NOPE --date 12/10/26" + lenex, 1,
                "Unknown gala code NOPE in {db}", none);
        DataRow("no gala that day", "--db {db} --code DEMO --date 13/10/26" + lenex, 1,
                "Gala DEMO has no date 13/10/26", none);
        DataRow("unwritable folder", gala + "--lenex {file}/gala.lxf", 1,
                "{file}/gala.lxf: ", none);
        DataRow("old file kept", gala + "--lenex {old}", 1, "{old}: ", none);
        DataRow("a folder for a file", gala + "--lenex {dir}", 1,
                "{dir}: a folder, not a file name", none);
        DataRow("no online database", gala + "--online {dir}/none.mdb" + lenex, 1,
                "No database of online times", none);
        DataRow("no code", "--db {db} --date 12/10/26" + lenex, 2, "--code is required.", none);
        DataRow("reports: one PDF each", gala + "--reports {dir}/out", 0,
                "Wrote {dir}/out/Results Sheets ",
                QStringList{"Analysis of Positions.pdf", "List of Swimmers for Announcer.pdf",
                            "Results Sheets.pdf", "Team Results.pdf"});
        DataRow("reports: unwritable folder", gala + "--reports {file}/out", 1,
                "Results Sheets could not be printed. The folder {file}/out cannot be made.", none);
        DataRow("help", "--help", 0, "--reports <folder>", none);
    }
    void runs()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QStringList, made);
        TestGala demo(true);
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.txt");
        const QString old = dir.filePath(QString(250, 'a') + ".lxf");
        QVERIFY(PBUTIL::WriteTextFile(file, {"no database, no folder"}));
        QVERIFY(PBUTIL::WriteTextFile(old, {"last week"}));
        const auto fill = [&](QString text) {
            return text.replace("{db}", demo.path)
                .replace("{dir}", dir.path())
                .replace("{file}", file)
                .replace("{old}", old);
        };
        const QByteArray databaseBefore = readFile(demo.path);

        const Run run = runExport(fill(arguments).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(run.exitCode, exitCode);
        const QString said = exitCode == 0 ? run.out : run.err;
        QVERIFY2(said.contains(fill(message)), qPrintable(run.out + run.err));
        QVERIFY2(exitCode == 0 ? run.err.isEmpty()
                               : run.out.isEmpty() && said.startsWith("aqgalarec-export: "),
                 qPrintable(run.out + run.err));
        QVERIFY(!QFile::exists(dir.filePath("gala.lxf")));
        QStringList out = QDir(dir.filePath("out")).entryList(QDir::Files);
        out.replaceInStrings(QRegularExpression(" \\d{4}(-\\d\\d){2} \\d\\d(-\\d\\d){2}"), "");
        QCOMPARE(out, made);
        QCOMPARE(readFile(demo.path), databaseBefore);
        QCOMPARE(readFile(old), QByteArray("last week\r\n"));
    }
};

QTEST_MAIN(TstExportCommand)
#include "tst_exportcommand.moc"
