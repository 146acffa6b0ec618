#include "recording/GalaRecSheet.h"
#include "tests/exports/LenexFixture.h"

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
    // The reports draw through Qt's GUI platform, which wants a runtime folder
    // as a user's session has one.
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
    // as it was.
    void commandEqualsMenu_data()
    {
        QTest::addColumn<QString>("entry");   // of the menu
        QTest::addColumn<QString>("caption"); // of its chooser
        QTest::addColumn<QString>("option");  // with any option it needs
        QTest::addColumn<QString>("name");    // of the file; "" for a folder
        QTest::addColumn<bool>("online");
        const QString lenex = "Select File for Lenex Results",
                      rankings = "Select Directory for Ranking Files";
        QTest::newRow("Lenex zipped") << "Export_Lenex" << lenex << "--lenex"
                                      << "gala.lxf" << false;
        QTest::newRow("Lenex plain") << "Export_Lenex" << lenex << "--lenex"
                                     << "gala.lef" << false;
        QTest::newRow("Lenex zipped with split times") << "Export_Lenex" << lenex << "--lenex"
                                                       << "splits.lxf" << true;
        QTest::newRow("web results") << "WEB_Results_Sheet"
                                     << "Select File for WEB results page"
                                     << "--web"
                                     << "results.htm" << false;
        QTest::newRow("team pages with split times")
            << "WEB_Team_Results"
            << "Select Directory for WEB team results pages"
            << "--team-pages"
            << "" << true;
        QTest::newRow("rankings, short course") << "Export_ASA_Rankings" << rankings << "--rankings"
                                                << "" << false;
        QTest::newRow("rankings, long course")
            << "Export_ASA_Rankings" << rankings << "--long-course --rankings"
            << "" << false;
        QTest::newRow("programme data") << "Data_for_Program"
                                        << "Select File for Program Data"
                                        << "--program-data"
                                        << "prog.txt" << false;
    }
    void commandEqualsMenu()
    {
        QFETCH(QString, entry);
        QFETCH(QString, caption);
        QFETCH(QString, option);
        QFETCH(QString, name);
        QFETCH(bool, online);
        RecordedDemo demo;
        const QString onlinePath = demo.file.dir.filePath("online.mdb");
        MakeOnlineTimes(onlinePath);
        OnlineTimes times{onlinePath, std::make_unique<Database>(onlinePath), "M1"};
        GalaRecSheet sheet(demo.shared, demo.gala, demo.dialogs, online ? &times : nullptr);
        QTemporaryDir byMenu, byCommand;
        demo.dialogs.expectChooser(caption, byMenu.path() + "/", name);
        if (entry == "Export_ASA_Rankings") // the meet code as the gala code
            demo.dialogs.expectInput("Enter meet code for ASA", "DEMO")
                .expectYesNo("Long course (YES) or Short course (NO)",
                             option.contains("--long-course"));
        QAction *action = sheet.findChild<QAction *>(entry);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QVERIFY2(demo.dialogs.finished(), demo.dialogs.faults());

        const QByteArray databaseBefore = readFile(demo.file.path);
        const bool lenex = option == "--lenex";
        QStringList arguments = QString("--db %1 --code DEMO --date 12/10/26 %2 %3")
                                    .arg(demo.file.path, option, byCommand.filePath(name))
                                    .split(' ');
        if (lenex)
            arguments << "--lenex" << byCommand.filePath("also.lef");
        if (online)
            arguments << "--online" << onlinePath << "--meet-code"
                      << "M1";
        const Run run = runExport(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(demo.file.path), databaseBefore);

        // Every file the menu wrote, written alike and told; nothing else.
        const QDir menuDir(byMenu.path()), commandDir(byCommand.path());
        QStringList files = menuDir.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        QStringList told;
        for (const QString &file : std::as_const(files)) {
            QCOMPARE(readFile(commandDir.filePath(file)), readFile(menuDir.filePath(file)));
            told << "Wrote " + commandDir.filePath(file);
        }
        if (lenex) {
            files << "also.lef";
            told << "Wrote " + commandDir.filePath("also.lef");
            files.sort();
            told.sort();
        }
        QCOMPARE(commandDir.entryList(QDir::Files), files);
        QStringList said = run.out.split('\n', Qt::SkipEmptyParts);
        said.sort();
        QCOMPARE(said, told);
        if (!lenex)
            return;
        const QByteArray menuBytes = readFile(byMenu.filePath(name));
        const QByteArray xml =
            name.endsWith(".lxf") ? Unzip("-p", byMenu.filePath(name)) : menuBytes;
        QCOMPARE(readFile(byCommand.filePath("also.lef")), xml);
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
                      lenex = " --lenex {dir}/gala.lxf";
        QTest::newRow("missing database")
            << "--db {dir}/none.mdb --code DEMO --date 12/10/26" + lenex << 1
            << "Cannot open the gala database {dir}/none.mdb" << QStringList();
        QTest::newRow("not a database") << "--db {file} --code DEMO --date 12/10/26" + lenex << 1
                                        << "file is not a database" << QStringList();
        QTest::newRow("unknown code") << "--db {db} --code NOPE --date 12/10/26" + lenex << 1
                                      << "Unknown gala code NOPE in {db}" << QStringList();
        QTest::newRow("no gala that day") << "--db {db} --code DEMO --date 13/10/26" + lenex << 1
                                          << "Gala DEMO has no date 13/10/26" << QStringList();
        QTest::newRow("unwritable folder")
            << gala + "--lenex {file}/gala.lxf" << 1 << "{file}/gala.lxf: " << QStringList();
        QTest::newRow("old file kept") << gala + "--lenex {old}" << 1 << "{old}: " << QStringList();
        QTest::newRow("a folder for a file")
            << gala + "--lenex {dir}" << 1 << "{dir}: a folder, not a file name" << QStringList();
        QTest::newRow("no online database") << gala + "--online {dir}/none.mdb" + lenex << 1
                                            << "No database of online times" << QStringList();
        QTest::newRow("no code") << "--db {db} --date 12/10/26" + lenex << 2
                                 << "--code is required." << QStringList();
        QTest::newRow("reports: one PDF each")
            << gala + "--reports {dir}/out" << 0 << "Wrote {dir}/out/Results Sheets "
            << QStringList{"Analysis of Positions.pdf", "List of Swimmers for Announcer.pdf",
                           "Results Sheets.pdf", "Team Results.pdf"};
        QTest::newRow("reports: unwritable folder")
            << gala + "--reports {file}/out" << 1
            << "Results Sheets could not be printed. The folder {file}/out cannot be made."
            << QStringList();
        QTest::newRow("help") << "--help" << 0 << "--reports <folder>" << QStringList();
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
