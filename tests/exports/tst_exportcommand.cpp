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
    QProcess process;
    process.start(EXPORT_PROGRAM, arguments);
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
    return run;
}

} // namespace

class TstExportCommand : public QObject
{
    Q_OBJECT
private slots:
    // The command line and the sheet's Export menu write the same bytes, a
    // repeated option writes each file, and the gala database stays as it was.
    void commandEqualsMenu_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("online");
        QTest::newRow("zipped") << "gala.lxf" << false;
        QTest::newRow("plain") << "gala.lef" << false;
        QTest::newRow("zipped with split times") << "splits.lxf" << true;
    }
    void commandEqualsMenu()
    {
        QFETCH(QString, name);
        QFETCH(bool, online);
        RecordedDemo demo;
        const QString onlinePath = demo.file.dir.filePath("online.mdb");
        MakeOnlineTimes(onlinePath);
        OnlineTimes times{onlinePath, std::make_unique<Database>(onlinePath), "M1"};
        GalaRecSheet sheet(demo.shared, demo.gala, demo.dialogs, online ? &times : nullptr);
        QTemporaryDir byMenu, byCommand;
        demo.dialogs.expectChooser("Select File for Lenex Results", byMenu.path() + "/", name);
        QAction *entry = sheet.findChild<QAction *>("Export_Lenex");
        QVERIFY(entry && entry->isEnabled());
        QCOMPARE(entry->text(), QStringLiteral("Lenex Results File"));
        entry->trigger();

        const QByteArray databaseBefore = readFile(demo.file.path);
        QStringList arguments = {"--db",    demo.file.path,
                                 "--code",  "DEMO",
                                 "--date",  "12/10/26",
                                 "--lenex", byCommand.filePath(name),
                                 "--lenex", byCommand.filePath("also.lef")};
        if (online)
            arguments << "--online" << onlinePath << "--meet-code"
                      << "M1";
        const Run run = runExport(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, "Wrote " + byCommand.filePath(name) + "\nWrote " +
                              byCommand.filePath("also.lef") + "\n");
        QCOMPARE(readFile(demo.file.path), databaseBefore);

        const QByteArray menuBytes = readFile(byMenu.filePath(name));
        QCOMPARE(readFile(byCommand.filePath(name)), menuBytes);
        const QByteArray xml =
            name.endsWith(".lxf") ? Unzipped(byMenu.filePath(name)).data : menuBytes;
        QCOMPARE(readFile(byCommand.filePath("also.lef")), xml);
        const LenexReadBack back(xml);
        QCOMPARE(back.swims.size(), 14);
        QCOMPARE(back.splits.value("11|1|1").size(), online ? 3 : 0);
    }

    // What the command says and how it exits; it writes nothing and leaves
    // the gala database alone whenever it fails.
    void runs_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {db}, {dir} and {file} stand for paths
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // on stdout for exit 0, else on stderr
        const QStringList gala = {"--db", "{db}", "--code", "DEMO", "--date", "12/10/26"};
        const QStringList lenex = {"--lenex", "{dir}/gala.lxf"};
        const auto with = [&](int at, const QString &value) {
            QStringList changed = gala + lenex;
            changed[at] = value;
            return changed;
        };
        QTest::newRow("missing database")
            << with(1, "{dir}/none.mdb") << 1 << "Cannot open the gala database {dir}/none.mdb";
        QTest::newRow("not a database") << with(1, "{file}") << 1 << "file is not a database";
        QTest::newRow("unknown code") << with(3, "NOPE") << 1 << "Unknown gala code NOPE in {db}";
        QTest::newRow("no gala that day")
            << with(5, "13/10/26") << 1 << "Gala DEMO has no date 13/10/26";
        QTest::newRow("not a date") << with(5, "12th") << 1 << "Not a date: 12th";
        QTest::newRow("no teams on that date")
            << with(5, "14/09/26") << 1 << "No teams currently entered";
        QTest::newRow("unwritable folder")
            << with(7, "{file}/gala.lxf") << 1 << "{file}/gala.lxf: ";
        QTest::newRow("a folder for a file")
            << with(7, "{dir}") << 1 << "{dir}: a folder, not a file name";
        QTest::newRow("missing online database")
            << gala + lenex + QStringList{"--online", "{dir}/none.mdb"} << 1
            << "No database of online times";
        QTest::newRow("no code") << QStringList{"--db", "{db}", "--date", "12/10/26"} + lenex << 2
                                 << "--code is required.";
        QTest::newRow("web pages not built yet")
            << gala + QStringList{"--web", "{dir}/gala.lxf"} << 2 << "--web is not available yet.";
        QTest::newRow("nothing to write") << gala << 2 << "Nothing to write";
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << "Web results sheet (HTML). (Not available yet.)";
    }
    void runs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestGala demo(true);
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.txt");
        QFile notes(file);
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no database, no folder\n") > 0);
        notes.close();
        const auto fill = [&](QString text) {
            return text.replace("{db}", demo.path)
                .replace("{dir}", dir.path())
                .replace("{file}", file);
        };
        for (QString &argument : arguments)
            argument = fill(argument);
        const QByteArray databaseBefore = readFile(demo.path);

        const Run run = runExport(arguments);
        QCOMPARE(run.exitCode, exitCode);
        const QString said = exitCode == 0 ? run.out : run.err;
        QVERIFY2(said.contains(fill(message)), qPrintable(run.out + run.err));
        QVERIFY2(exitCode == 0 ? run.err.isEmpty()
                               : run.out.isEmpty() && said.startsWith("aqgalarec-export: "),
                 qPrintable(run.out + run.err));
        QVERIFY(!QFile::exists(dir.filePath("gala.lxf")));
        QCOMPARE(readFile(demo.path), databaseBefore);
    }
};

QTEST_MAIN(TstExportCommand)
#include "tst_exportcommand.moc"
