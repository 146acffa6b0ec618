#include "preparation/GalaChoice.h"
#include "preparation/GalaCodes.h"
#include "preparation/ProgrammeEditor.h"
#include "preparation/ProgrammeFile.h"
#include "preparation/TeamEntry.h"
#include "tests/preparation/Desk.h"
#include "tests/support/DataRow.h"

#include <QFile>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A programme of `n` events numbered from 1.
void fill(ProgrammeEditor &editor, int n)
{
    for (int i = 1; i <= n; ++i)
        editor.add({QString::number(i), {}, {}, {}, {}, {}});
}

// Asks the team entry for `lanes` and `heats` and fills each heat with `fillHeat`.
void enterTeams(Desk &desk, const QString &lanes, const QString &heats, const QString &refusal,
                const std::function<bool(int, int, std::vector<LaneChoice> &)> &fillHeat)
{
    desk.shared.ProgCode = QStringLiteral("DEMO");
    if (!lanes.isEmpty())
        desk.dialogs.expectInput("How many lanes in pool?", lanes);
    if (!heats.isEmpty())
        desk.dialogs.expectInput("How many heats per event?", heats);
    if (!refusal.isEmpty())
        desk.dialogs.expectMessage(refusal);
    TeamEntry(desk.shared, desk.dialogs).run(fillHeat);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

} // namespace

// The preparation rules below the screens.
class TstPreparationLogic : public QObject
{
    Q_OBJECT
private slots:
    void readyToRecord_data()
    {
        QTest::addColumn<QString>("links"); // announcer and online files: on, missing, off
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("teams"); // the demonstration gala has 8 on 12/10/26
        QTest::addColumn<QString>("refusal");
        DataRow("ready", "on", "12/10/26", 8, "");
        DataRow("both missing", "missing", "12/10/26", 8, "No announcer screen");
        DataRow("online missing", "online missing", "12/10/26", 8, "No database of online times");
        DataRow("no teams", "off", "14/09/26", 8, "No teams currently entered");
        DataRow("no date", "off", "", 8, "No teams currently entered");
        DataRow("a team per sheet row", "off", "12/10/26", 17, "");
        DataRow("more teams than sheet rows", "off", "12/10/26", 18,
                "Too many teams entered: the recording sheet has room for 17");
    }
    void readyToRecord()
    {
        QFETCH(QString, links);
        QFETCH(int, teams);
        Desk desk;
        std::vector<TeamEntryRecord> entries;
        for (int i = 0; i < teams; ++i)
            entries.push_back({i % 10 + 1, i / 10 + 1, QStringLiteral("Team"), true});
        TeamEntry::replaceTeams(desk.db(), "DEMO", "12/10/26", entries);
        desk.shared.AnnouncerOn = links == "on" || links == "missing";
        desk.shared.OnlineOn = links != "off";
        desk.shared.AnnouncerDbPath = desk.shared.AresDbPath =
            desk.file.path + (links == "on" ? "" : ".missing");
        desk.shared.ProgCode = QStringLiteral("DEMO");
        QFETCH(QString, date);
        desk.shared.GalaDate = date;
        QString why;
        const bool ready = GalaChoice(desk.shared).readyToRecord(&why);
        QCOMPARE(ready, why.isEmpty());
        QTEST(why, "refusal");
    }

    void addDate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("stored"); // "" when refused
        DataRow("length with unit", "5/3/27", "25m", "2027-03-05|25");
        DataRow("unit first", "5/3/27", "m25", "2027-03-05|0");
        DataRow("decimal length", "05/03/2027", "33.33", "2027-03-05|33.33");
        DataRow("no such day", "31/02/27", "25", "");
        DataRow("words", "next Saturday", "25", "");
        DataRow("no date", "", "25", "");
        DataRow("day zero of the date scale", "30/12/1899", "25", "");
    }
    void addDate()
    {
        QFETCH(QString, date);
        QFETCH(QString, length);
        QFETCH(QString, stored);
        Desk desk;
        QCOMPARE(
            GalaCodes::addDate(desk.db(), "DEMO", date, "Bramley", "Bramley SC", length, false),
            !stored.isEmpty());
        QCOMPARE(desk.records("Gala_Date", {"Date", "Pool Length"}).mid(2),
                 stored.isEmpty() ? QStringList() : QStringList{stored});
    }

    void listLine_data()
    {
        QTest::addColumn<QString>("fields"); // number|sex age|distance|stroke|time|scoring
        QTest::addColumn<QString>("line");
        DataRow("2X gets a star", "12|G12|50|FS||2X", "12* G12       50m  FS   ");
        DataRow("no star", "3|B10|50|BK|40.00|", "3   B10       50m  BK   40.00");
        DataRow("star is what gets cut", "1234|S|25|FLY||2X", "123>S         25m  FLY  ");
        DataRow("long fields cut with >", "7|Mixed Open Age|15000|MEDLEY|12:30.00|",
                "7   Mixed Ope>1500>MEDL>12:30.00");
    }
    void listLine()
    {
        QFETCH(QString, fields);
        const QStringList f = fields.split('|');
        GalaState gala;
        Programme programme(gala);
        programme.add({f[0], f[1], f[2], f[3], f[4], f[5]});
        QTEST(programme.listLine(1), "line");
    }

    void hundredEventsAtMost_data()
    {
        QTest::addColumn<QString>("refusal"); // the row name is the action
        const QString full =
            QStringLiteral("The programme is full: it can hold at most 100 events");
        DataRow("add", full);
        DataRow("insert", full);
        DataRow("load a file of 101",
                QStringLiteral("The programme file lists 101 events but a programme can hold at "
                               "most 100; the programme has not been changed"));
        DataRow("open a stored programme of 101",
                QStringLiteral(
                    "This programme has more than 100 events; only the first 100 are shown"));
    }
    void hundredEventsAtMost()
    {
        QFETCH(QString, refusal);
        const QString action = QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, 0);
        Desk desk(false);
        desk.shared.ProgCode = QStringLiteral("BIG");
        ProgrammeEditor editor(desk.shared, desk.gala, desk.dialogs);
        fill(editor, 100);
        QTemporaryDir dir;
        if (action == "load") {
            QByteArray many = "101\r\n";
            for (int i = 1; i <= 101; ++i)
                many += "0,S,50,FS,,\r\n";
            writeBytes(dir.filePath("p.txt"), many);
            desk.dialogs.expectChooser("Open program file", dir.path() + '/', "p.txt");
        }
        desk.dialogs.expectMessage(refusal);
        if (action == "add") {
            editor.add({"101", {}, {}, {}, {}, {}});
        } else if (action == "insert") {
            editor.insert(50, {"0", {}, {}, {}, {}, {}});
        } else if (action == "load") {
            editor.loadFromFile();
        } else {
            editor.programme().store(desk.db(), "BIG");
            desk.db().execute("INSERT INTO Gala_Program (\"Program code\", \"Event No\") "
                              "VALUES ('BIG', 101)");
            editor.loadFromDatabase();
        }
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
        QCOMPARE(editor.programme().count(), 100);
        QCOMPARE(editor.programme().event(51).no, QStringLiteral("51"));
        QCOMPARE(editor.programme().event(100).no, QStringLiteral("100"));
    }

    void fileRoundTrip_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("start");
        DataRow("demonstration programme", "DEMO",
                QByteArray("12\r\n1\r\nG10\r\n50\r\nFS\r\n38.00\r\n\r\n2\r\n"));
        DataRow("empty programme", "NONE", QByteArray("\r\n"));
    }
    void fileRoundTrip()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, start);
        Desk desk;
        desk.shared.ProgCode = code;
        QTemporaryDir dir;
        ProgrammeEditor editor(desk.shared, desk.gala, desk.dialogs);
        editor.loadFromDatabase();
        const QStringList before = editor.programme().listLines();
        desk.dialogs.expectChooser("Open output file", dir.path() + '/', "prog.txt");
        editor.saveToFile();
        QFile file(dir.filePath("prog.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.startsWith(start), bytes.constData());
        QCOMPARE(bytes.count("\r\n"), 1 + 6 * before.size());

        fill(editor, 3);
        desk.dialogs.expectChooser("Open program file", dir.path() + '/', "prog.txt");
        editor.loadFromFile();
        QCOMPARE(editor.programme().listLines(), before);
        // Cancelling the chooser keeps what is being edited.
        desk.dialogs.expectChooser("Open program file", "", "");
        editor.loadFromFile();
        QCOMPARE(editor.programme().listLines(), before);
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }

    void fileReading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines"); // or the refusal
        DataRow("comma separated",
                QByteArray("3\r\n1,G10,50,FS,38.00,\r\n 2 , B10 , 50 , FS ,\"1:02.00\" x,2X\r\n"
                           "3,\"G 9, 10\",100,MED,,\n"),
                QStringList{"1   G10       50m  FS   38.00", "2*  B10       50m  FS   1:02.00",
                            "3   G 9, 10   100m MED  "});
        // 0x96 is an en dash in Windows-1252 but an invisible control code in Latin-1.
        DataRow("windows code page", QByteArray("1\r\n1\rG\xe9n\x96\n50\r\nFS\r\n\r\n\r\n"),
                QStringList{"1   G\u00e9n\u2013      50m  FS   "});
        DataRow("fewer fields than announced",
                QByteArray("2\r\n1,G10,50,FS,38.00,\r\n2,B10,50\r\n"),
                QStringList{"The programme file lists 2 events but holds only 1 complete "
                            "events; the programme has not been changed"});
    }
    void fileReading()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        writeBytes(dir.filePath("p.txt"), content);
        const ProgrammeFile::Reading reading = ProgrammeFile::readFile(dir.filePath("p.txt"));
        GalaState gala;
        Programme programme(gala);
        programme.replace(reading.events);
        QTEST(reading.refusal.isEmpty() ? programme.listLines() : QStringList{reading.refusal},
              "lines");
    }

    void saving()
    {
        Desk desk;
        desk.shared.ProgCode = QStringLiteral("DEMO");
        ProgrammeEditor editor(desk.shared, desk.gala, desk.dialogs);
        const QStringList fields = {"Program code", "Event No", "Sex age", "Distance", "Scoring"};
        const QStringList stored = desk.records("Gala_Program", fields);
        desk.dialogs.expectMessage("No event details to store")
            .expectChooser("Open output file", QString(), QString())
            .expectMessage("No Output File Specified")
            .expectYesNoDefaultNo("Overwrite existing programme details?", false)
            .expectYesNoDefaultNo("Overwrite existing programme details?", true);
        editor.saveToDatabase();
        editor.loadFromDatabase();
        editor.remove(0);
        editor.add({"13a", "Open", "m50", "FSR", "", "2X"});
        editor.saveToFile();
        editor.saveToDatabase();
        QCOMPARE(desk.records("Gala_Program", fields), stored);
        editor.saveToDatabase();
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
        const QStringList now = desk.records("Gala_Program", fields);
        QCOMPARE(now.first(), QStringLiteral("DEMO|2|B10|50|"));
        QCOMPARE(now.last(), QStringLiteral("DEMO|13|Open|0|2X")); // numbers the texts start with
    }

    void teamEntry_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QStringList>("heats"); // lanes of a heat; "-" No Team, "*" Non Scoring
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("stored"); // none: the old teams stay
        DataRow("3 lanes, 2 heats, an empty lane", "12/10/26",
                QStringList{"Ashford,-,Castleton", "Ashford B,Bramley,Guests*"}, "",
                QStringList{"1|1|Ashford|true", "1|3|Castleton|true", "2|1|Ashford B|true",
                            "2|2|Bramley|true", "2|3|Guests|false"});
        DataRow("every lane empty", "12/10/26", QStringList{"-,-,-"}, "No teams entered",
                QStringList());
        DataRow("no date chosen", "", QStringList(),
                "Choose a meet code and a gala date before entering teams", QStringList());
    }
    void teamEntry()
    {
        QFETCH(QString, date);
        QFETCH(QStringList, heats);
        QFETCH(QString, refusal);
        QFETCH(QStringList, stored);
        Desk desk;
        const QStringList before = desk.teams();
        desk.shared.GalaDate = date;
        const bool asked = !date.isEmpty();
        enterTeams(
            desk, asked ? "3" : "", asked ? QString::number(heats.size()) : "", refusal,
            [&](int heat, int lanes, std::vector<LaneChoice> &rows) {
                if (lanes != 3)
                    return false;
                for (QString lane : heats.at(heat - 1).split(',')) {
                    const bool nonScoring = lane.endsWith('*');
                    lane.chop(nonScoring ? 1 : 0);
                    rows.push_back({lane == "-" ? QString() : lane, lane == "-", nonScoring});
                }
                return true;
            });
        QCOMPARE(desk.teams(), stored.isEmpty() ? before : stored);
    }

    void laneAndHeatCounts_data()
    {
        QTest::addColumn<QString>("lanes");
        QTest::addColumn<QString>("heats");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("stored"); // teams, one per lane of every heat
        DataRow("no lanes", "0", "", "Incorrect number of lanes", 8);
        DataRow("eleven lanes", "11", "", "Incorrect number of lanes", 8);
        DataRow("4.5 lanes are 4", "4.5", "1", "", 4);
        DataRow("no heats", "3", "0", "Incorrect number of heats", 8);
        DataRow("eleven heats", "3", "11", "Incorrect number of heats", 8);
        DataRow("4.5 heats are 4", "3", "4.5", "", 12);
        DataRow("ten of each", "10", "10", "", 100);
    }
    void laneAndHeatCounts()
    {
        QFETCH(QString, lanes);
        QFETCH(QString, heats);
        QFETCH(QString, refusal);
        Desk desk;
        desk.shared.GalaDate = QStringLiteral("12/10/26");
        enterTeams(desk, lanes, heats, refusal, [](int, int n, std::vector<LaneChoice> &rows) {
            rows.assign(size_t(n), {QStringLiteral("Team")});
            return true;
        });
        QTEST(int(desk.teams().size()), "stored");
    }

    void failedReplacementKeepsTheOldTeams()
    {
        Desk desk;
        const QStringList before = desk.teams();
        QCOMPARE(before.size(), 8);
        // The engine refuses the third new entry, after the old ones were deleted.
        desk.db().execute("CREATE TRIGGER refuse BEFORE INSERT ON Gala_Team WHEN NEW.\"Team "
                          "Name\" = 'Boom' BEGIN SELECT RAISE(ABORT, 'refused by test'); END");
        const std::vector<TeamEntryRecord> entries = {{1, 1, "A"}, {2, 1, "B"}, {3, 1, "Boom"}};
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 TeamEntry::replaceTeams(desk.db(), "DEMO", "12/10/26", entries));
        QCOMPARE(desk.teams(), before);
    }
};

QTEST_MAIN(TstPreparationLogic)
#include "tst_preparationlogic.moc"
