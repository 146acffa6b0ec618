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
    QProcess p;
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
        QStringList arguments =
            QString("--db %1 --code DEMO --date 12/10/26 --lenex %2 --lenex %3")
                .arg(demo.file.path, byCommand.filePath(name), byCommand.filePath("also.lef"))
                .split(' ');
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
        QTest::addColumn<QString>("message"); // on stdout for exit 0, else on stderr
        const QString gala = "--db {db} --code DEMO --date 12/10/26 ",
                      lenex = " --lenex {dir}/gala.lxf";
        QTest::newRow("missing database")
            << "--db {dir}/none.mdb --code DEMO --date 12/10/26" + lenex << 1
            << "Cannot open the gala database {dir}/none.mdb";
        QTest::newRow("not a database")
            << "--db {file} --code DEMO --date 12/10/26" + lenex << 1 << "file is not a database";
        QTest::newRow("unknown code") << "--db {db} --code NOPE --date 12/10/26" + lenex << 1
                                      << "Unknown gala code NOPE in {db}";
        QTest::newRow("no gala that day") << "--db {db} --code DEMO --date 13/10/26" + lenex << 1
                                          << "Gala DEMO has no date 13/10/26";
        QTest::newRow("unwritable folder")
            << gala + "--lenex {file}/gala.lxf" << 1 << "{file}/gala.lxf: ";
        QTest::newRow("old file kept") << gala + "--lenex {old}" << 1 << "{old}: ";
        QTest::newRow("a folder for a file")
            << gala + "--lenex {dir}" << 1 << "{dir}: a folder, not a file name";
        QTest::newRow("no online database")
            << gala + "--online {dir}/none.mdb" + lenex << 1 << "No database of online times";
        QTest::newRow("no code") << "--db {db} --date 12/10/26" + lenex << 2
                                 << "--code is required.";
        QTest::newRow("web pages not yet")
            << gala + "--web {dir}/gala.lxf" << 2 << "--web is not available yet.";
        QTest::newRow("help") << "--help" << 0 << "Web results sheet (HTML). (Not available yet.)";
    }
    void runs()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
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
        QCOMPARE(readFile(demo.path), databaseBefore);
        QCOMPARE(readFile(old), QByteArray("last week\r\n"));
    }
};

QTEST_MAIN(TstExportCommand)
#include "tst_exportcommand.moc"
