#include "recording/GalaRecSheet.h"
#include "tests/exports/LenexFixture.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Run
{
    int exitCode = -1;
    QString out, err;
};

Run runExport(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(EXPORT_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TstExportCommand : public QObject
{
    Q_OBJECT
private slots:
    // The command line and the sheet's Export menu write the same bytes,
    // and the command leaves the gala database as it was.
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
        QTemporaryDir byMenu, byCommand;

        OnlineTimes times;
        times.AresDb = std::make_unique<Database>(onlinePath);
        times.MeetCode = QStringLiteral("M1");
        GalaRecSheet sheet(demo.shared, demo.gala, demo.dialogs, online ? &times : nullptr);
        demo.dialogs.expectChooser(QStringLiteral("Select File for Lenex Results"),
                                   byMenu.path() + "/", name);
        QAction *entry = sheet.findChild<QAction *>(QStringLiteral("Export_Lenex"));
        QVERIFY(entry);
        QCOMPARE(entry->text(), QStringLiteral("Lenex Results File"));
        QVERIFY(entry->isEnabled());
        entry->trigger();

        const QByteArray databaseBefore = readFile(demo.file.path);
        // A repeated option writes each file.
        QStringList arguments = {"--db", demo.file.path, "--code", "DEMO", "--date", "12/10/26"};
        arguments << "--lenex" << byCommand.filePath(name) << "--lenex"
                  << byCommand.filePath("also.lef");
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
        QVERIFY(!menuBytes.isEmpty());
        QCOMPARE(readFile(byCommand.filePath(name)), menuBytes);
        const QByteArray xml =
            name.endsWith(".lxf") ? UnzipSingle(byMenu.filePath(name)) : menuBytes;
        QCOMPARE(readFile(byCommand.filePath("also.lef")), xml);
        QCOMPARE(LenexReadBack(xml).count("RESULT"), 14);
        QCOMPARE(LenexReadBack(xml).count("SPLIT"), online ? 3 : 0);
    }

    void menuCancelled()
    {
        RecordedDemo demo;
        GalaRecSheet sheet(demo.shared, demo.gala, demo.dialogs, nullptr);
        demo.dialogs.expectChooser(QStringLiteral("Select File for Lenex Results"), "", "")
            .expectMessage(QStringLiteral("No Output File Specified"));
        sheet.findChild<QAction *>(QStringLiteral("Export_Lenex"))->trigger();
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {db}, {dir} and {file} stand for paths
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList gala = {"--db", "{db}", "--code", "DEMO", "--date", "12/10/26"};
        const QStringList lenex = {"--lenex", "{dir}/gala.lxf"};
        QTest::newRow("missing database")
            << QStringList{"--db", "{dir}/none.mdb", "--code", "DEMO", "--date", "12/10/26"} + lenex
            << 1 << "Cannot open the gala database {dir}/none.mdb";
        QTest::newRow("not a database")
            << QStringList{"--db", "{file}", "--code", "DEMO", "--date", "12/10/26"} + lenex << 1
            << "file is not a database";
        QTest::newRow("unknown code")
            << QStringList{"--db", "{db}", "--code", "NOPE", "--date", "12/10/26"} + lenex << 1
            << "Unknown gala code NOPE in {db}";
        QTest::newRow("no gala that day")
            << QStringList{"--db", "{db}", "--code", "DEMO", "--date", "13/10/26"} + lenex << 1
            << "Gala DEMO has no date 13/10/26";
        QTest::newRow("not a date")
            << QStringList{"--db", "{db}", "--code", "DEMO", "--date", "12th"} + lenex << 1
            << "Not a date: 12th";
        QTest::newRow("no teams on that date")
            << QStringList{"--db", "{db}", "--code", "DEMO", "--date", "14/09/26"} + lenex << 1
            << "No teams currently entered";
        QTest::newRow("unwritable folder")
            << gala + QStringList{"--lenex", "{file}/gala.lxf"} << 1 << "{file}/gala.lxf: ";
        QTest::newRow("a folder for a file")
            << gala + QStringList{"--lenex", "{dir}"} << 1 << "{dir}: a folder, not a file name";
        QTest::newRow("missing online database")
            << gala + lenex + QStringList{"--online", "{dir}/none.mdb"} << 1
            << "No database of online times";
        QTest::newRow("no code") << QStringList{"--db", "{db}", "--date", "12/10/26"} + lenex << 2
                                 << "--code is required.";
        QTest::newRow("unknown option")
            << gala + lenex + QStringList{"--colour"} << 2 << "Unknown option 'colour'.";
        QTest::newRow("web pages not built yet") << gala + QStringList{"--web", "{dir}/results.htm"}
                                                 << 2 << "--web is not available yet.";
        QTest::newRow("nothing to write") << gala << 2 << "Nothing to write";
        QTest::newRow("long course without rankings")
            << gala + lenex + QStringList{"--long-course"} << 2
            << "--long-course applies to --rankings only.";
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestGala demo(true);
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.txt");
        QFile notes(file);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a database, and no folder\n");
        notes.close();
        auto fill = [&](QString text) {
            return text.replace("{db}", demo.path)
                .replace("{dir}", dir.path())
                .replace("{file}", file);
        };
        for (QString &argument : arguments)
            argument = fill(argument);
        const QByteArray databaseBefore = readFile(demo.path);

        const Run run = runExport(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith("aqgalarec-export: "), qPrintable(run.err));
        QVERIFY2(run.err.contains(fill(message)), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(dir.filePath("gala.lxf")));
        QCOMPARE(readFile(demo.path), databaseBefore);
    }

    // A stored result that fits no event is skipped as on the sheet, and said.
    void mismatchedResultWarns()
    {
        TestGala demo(true);
        {
            auto db = demo.open();
            Recordset records = db->openRecordset(QStringLiteral("Gala_Record"));
            records.addNew();
            records.setValue("Program code", "DEMO");
            records.setValue("Gala Date", "12/10/26");
            records.setValue("Event No", 13.0);
            records.setValue("Heat No", 1);
            records.setValue("Lane No", 1);
            records.setValue("Lane Time", "30.00");
            records.update();
        }
        QTemporaryDir dir;
        const Run run = runExport({"--db", demo.path, "--code", "DEMO", "--date", "12/10/26",
                                   "--lenex", dir.filePath("gala.lef")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err,
                 QStringLiteral("aqgalarec-export: warning: Serious error lane/event mismatch\n"));
        QCOMPARE(run.out, "Wrote " + dir.filePath("gala.lef") + "\n");
        QCOMPARE(LenexReadBack(readFile(dir.filePath("gala.lef"))).count("RESULT"), 0);
    }

    void help()
    {
        const Run run = runExport({"--help"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        for (const char *expected : {"Usage: ", "--db <file>", "--code <code>", "--date <date>",
                                     "--lenex <file>", "--online <file>", "--long-course",
                                     "--web <file>", "(Not available yet.)", "Exit status: 0"})
            QVERIFY2(run.out.contains(QLatin1String(expected)), expected);
    }
};

QTEST_MAIN(TstExportCommand)
#include "tst_exportcommand.moc"
