#include "core/preparation/GalaChoice.h"
#include "core/preparation/GalaCodes.h"
#include "core/preparation/ProgrammeEditor.h"
#include "core/preparation/ProgrammeFile.h"
#include "core/preparation/TeamEntry.h"
#include "core/values/Guarded.h"
#include "tests/core/preparation/Desk.h"
#include "tests/support/DataRow.h"

// The preparation rules below the screens.
class TstPreparationLogic : public QObject
{
    Q_OBJECT
private slots:
    // A date stored with its pool length; no such day and day zero of the date scale refused.
    void addDate()
    {
        Desk desk;
        for (const char *date : {"31/02/27", "30/12/1899", "05/03/2027"})
            QCOMPARE(GalaCodes::addDate(desk.db(), "DEMO", date, "Bramley", "Bramley SC", "33.33",
                                        false),
                     date[0] == '0');
        QCOMPARE(desk.records("Gala_Date", {"Date", "Pool Length"}).mid(2).join(' '),
                 "2027-03-05|33.33");
    }

    // A programme file read and shown as list lines: a "*" after the number
    // for 2X, fields cut with ">".
    void fileReading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines"); // or the refusal
        DataRow("comma separated",
                QByteArray("6\r\n1,G10,50,FS,38.00,\r\n 2 , B10 , 50 , FS ,\"1:02.00\" x,2X\r\n"
                           "3,\"G 9, 10\",100,MED,,\n12,G12,50,FS,,2X\r\n1234,S,25,FLY,,2X\r\n"
                           "7,Mixed Open Age,15000,MEDLEY,12:30.00,\r\n"),
                QStringList{"1   G10       50m  FS   38.00", "2*  B10       50m  FS   1:02.00",
                            "3   G 9, 10   100m MED  ", "12* G12       50m  FS   ",
                            "123>S         25m  FLY  ", "7   Mixed Ope>1500>MEDL>12:30.00"});
        // 0x96 is an en dash in Windows-1252 but an invisible control code in Latin-1.
        DataRow("windows code page", QByteArray("1\r\n1\rG\xe9n\x96\n50\r\nFS\r\n\r\n\r\n"),
                QStringList{"1   G\u00e9n\u2013      50m  FS   "});
        DataRow("no events", QByteArray("\r\n"), QStringList());
        DataRow("fewer fields than announced",
                QByteArray("2\r\n1,G10,50,FS,38.00,\r\n2,B10,50\r\n"),
                QStringList{"The programme file lists 2 events but holds only 1 complete "
                            "events; the programme has not been changed"});
        DataRow("more events than a programme holds",
                QByteArray("101\r\n") + QByteArray("0,S,50,FS,,\r\n").repeated(101),
                QStringList{"The programme file lists 101 events but a programme can hold at "
                            "most 100; the programme has not been changed"});
    }
    void fileReading()
    {
        QFETCH(QByteArray, content);
        GalaState gala;
        Programme programme(gala);
        QStringList shown;
        try {
            programme.replace(ProgrammeFile::read(ProgrammeFile::decode(content)));
            shown = programme.listLines();
        } catch (const EngineError &e) {
            shown = {e.message()};
        }
        QTEST(shown, "lines");
    }

    // The editor's file and database actions on the demonstration programme.
    void fileAndDatabase()
    {
        Desk desk;
        desk.shared.ProgCode = QStringLiteral("DEMO");
        ProgrammeEditor editor(desk.shared, desk.gala, desk.dialogs);
        const QString folder = desk.file.dir.path() + '/'; // the gala database's own folder
        const QStringList fields = {"Program code", "Event No", "Sex age", "Distance", "Scoring"};
        const QStringList stored = desk.records("Gala_Program", fields);
        desk.dialogs.expectMessage("No event details to store")
            .expectChooser("Open output file", folder, "prog.txt")
            .expectChooser("Open program file", folder, "prog.txt")
            .expectChooser("Open program file", "", "")
            .expectYesNoDefaultNo("Overwrite existing programme details?", false)
            .expectYesNoDefaultNo("Overwrite existing programme details?", true);
        editor.saveToDatabase();
        editor.loadFromDatabase();
        const QStringList demo = editor.programme().listLines();
        editor.saveToFile();
        QFile file(folder + "prog.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.startsWith("12\r\n1\r\nG10\r\n50\r\nFS\r\n38.00\r\n\r\n2\r\n"), bytes);
        QCOMPARE(bytes.count("\r\n"), 1 + 6 * 12);
        editor.clear();
        editor.loadFromFile();
        QCOMPARE(editor.programme().listLines(), demo);
        editor.loadFromFile(); // cancelled: what is being edited stays
        QCOMPARE(editor.programme().listLines(), demo);

        editor.clear();
        editor.add({"2", "B10", "50", "FS", "", ""});
        editor.add({"13a", "Open", "m50", "FSR", "", "2X"});
        editor.saveToDatabase();
        QCOMPARE(desk.records("Gala_Program", fields), stored);
        editor.saveToDatabase();
        // Numbers are the numbers the texts start with.
        QCOMPARE(desk.records("Gala_Program", fields),
                 QStringList({"DEMO|2|B10|50|", "DEMO|13|Open|0|2X"}));

        // Add, insert and the stored programme each refuse a 101st event (a file: above).
        editor.clear();
        for (int i = 1; i <= 100; ++i)
            editor.add({QString::number(i), {}, "50", {}, {}, {}});
        const QStringList hundred = editor.programme().listLines();
        const QString full = "The programme is full: it can hold at most 100 events";
        desk.dialogs.expectMessage(full)
            .expectMessage(full)
            .expectYesNoDefaultNo("Overwrite existing programme details?", true)
            .expectMessage("This programme has more than 100 events; only the first 100 are shown");
        editor.add({"101", {}, {}, {}, {}, {}});
        editor.insert(50, {"0", {}, {}, {}, {}, {}});
        QCOMPARE(editor.programme().listLines(), hundred);
        editor.saveToDatabase();
        desk.db().execute("INSERT INTO Gala_Program (\"Program code\", \"Event No\") "
                          "VALUES ('DEMO', 101)");
        editor.loadFromDatabase();
        QCOMPARE(editor.programme().listLines(), hundred);
    }

    // Teams entered, then the gala opened for recording.
    void teamEntryThenReady_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("answers"); // lanes and heats, by ","
        QTest::addColumn<QString>("forms");   // heats by ";", "-" No Team; "" a "Team" a lane
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("stored"); // the number of teams stored
        QTest::addColumn<QString>("links");  // announcer and online files: on, missing
        QTest::addColumn<QString>("ready");  // the refusal to record
        const QString d = "12/10/26", none = "No teams currently entered";
        const QString lanesNo = "Incorrect number of lanes";
        const QString tooMany = "Too many teams entered: the recording sheet has room for 17";
        DataRow("every lane empty", d, "3,1", "-,-,-", "No teams entered", "8", "", "");
        DataRow("no date chosen", "", "", "",
                "Choose a meet code and a gala date before entering teams", "8", "",
                "Choose a gala date first: pick the meet code, then the date in \"Gala Date\".");
        DataRow("no lanes, a gala without teams", "14/09/26", "0", "", lanesNo, "8", "", none);
        DataRow("eleven lanes, both links missing", d, "11", "", lanesNo, "8", "missing",
                "No announcer screen");
        DataRow("4.5 lanes are 4, links found", d, "4.5,1", "", "", "4", "on", "");
        // The engine refuses the third new entry, after the old ones were deleted.
        DataRow("a failed replacement", d, "3,1", "A,B,Boom", "refused by test (Gala_Team)", "8",
                "", "");
        DataRow("eleven heats, online missing", d, "3,11", "", "Incorrect number of heats", "8",
                "online missing", "No database of online times");
        DataRow("ten of each", d, "10,10", "", "", "100", "", tooMany);
        DataRow("a team per sheet row", d, "9,2", "A,B,C,D,E,F,G,H,I;A,B,C,D,E,F,G,H,-", "", "17",
                "", "");
        DataRow("more teams than sheet rows", d, "9,2", "", "", "18", "", tooMany);
    }
    void teamEntryThenReady()
    {
        QFETCH(QString, answers);
        QFETCH(QString, forms);
        QFETCH(QString, refusal);
        QFETCH(QString, links);
        Desk desk;
        QFETCH(QString, date);
        desk.shared.GalaDate = date;
        desk.shared.ProgCode = QStringLiteral("DEMO");
        const QStringList questions{"How many lanes in pool?", "How many heats per event?"};
        const QStringList given = answers.split(',', Qt::SkipEmptyParts);
        for (int i = 0; i < given.size(); ++i)
            desk.dialogs.expectInput(questions[i], given[i]);
        if (!refusal.isEmpty())
            desk.dialogs.expectMessage(refusal);
        desk.db().execute("CREATE TRIGGER refuse BEFORE INSERT ON Gala_Team WHEN NEW.\"Team "
                          "Name\" = 'Boom' BEGIN SELECT RAISE(ABORT, 'refused by test'); END");
        (void)Guarded(desk.dialogs, [&] {
            TeamEntry(desk.shared, desk.dialogs).run([&](int heat, int n, auto &rows) {
                if (forms.isEmpty())
                    rows.assign(size_t(n), {QStringLiteral("Team")});
                for (const QString &lane :
                     forms.section(';', heat - 1, heat - 1).split(',', Qt::SkipEmptyParts))
                    rows.push_back({lane == "-" ? QString() : lane, lane == "-"});
                return true;
            });
        });
        QTEST(QString::number(desk.teams().size()), "stored");

        desk.shared.AnnouncerOn = links == "on" || links == "missing";
        desk.shared.OnlineOn = !links.isEmpty();
        desk.shared.AnnouncerDbPath = desk.shared.AresDbPath =
            desk.file.path + (links == "on" ? "" : ".missing");
        QString why;
        const bool ready = GalaChoice(desk.shared).readyToRecord(&why);
        QCOMPARE(ready, why.isEmpty());
        QTEST(why, "ready");
    }
};

QTEST_MAIN(TstPreparationLogic)
#include "tst_preparationlogic.moc"
