#include "exports/ExportMenu.h"
#include "exports/ProgramData.h"
#include "exports/RankingFiles.h"
#include "exports/WebResults.h"
#include "exports/WebTeamResults.h"
#include "links/SplitTimes.h"
#include "recording/GalaRecSheet.h"
#include "tests/exports/LenexFixture.h"
#include "tests/support/DataRow.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString Day = QStringLiteral("12/10/26");

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A written file against an expected file of tests/exports/data, kept there
// with plain line ends (the program ends each line with CR LF); line by line,
// so a failure names the first differing line.
#define COMPARE_FILE(path, expected)                                                               \
    QCOMPARE(QString::fromUtf8(readFile(path)).split(QLatin1Char('\n')),                           \
             QString::fromUtf8(                                                                    \
                 readFile(QStringLiteral(EXPORT_DATA "/") + (expected)).replace("\n", "\r\n"))     \
                 .split(QLatin1Char('\n')))

// Team entries named as given, one heat, lanes 1, 2, 3 ...; with `swims`
// ("distance|stroke|sex/age|time|name|club|dob[|stored dob, yyyy-mm-dd]"),
// one event per swim, each swum by the first entry "Otters, Kent".
GalaState gala(const QStringList &names, const QStringList &swims = {})
{
    GalaState g;
    g.NoOfEvents = int(swims.size()); // sizes the lane grids with the teams
    g.resizeEvents(g.NoOfEvents);
    g.NoOfTeams = int(names.size());
    g.resizeTeams(g.NoOfTeams);
    for (int t = 1; t <= g.NoOfTeams; ++t) {
        g.TeamName[t] = names[t - 1];
        g.TeamHeat[t] = 1;
        g.TeamLane[t] = t;
        g.TeamScoring[t] = true;
    }
    for (int e = 1; e <= g.NoOfEvents; ++e) {
        const QStringList f = swims[e - 1].split(QLatin1Char('|'));
        g.EventNo[e] = QString::number(e);
        g.EventDistance[e] = f[0], g.EventStroke[e] = f[1], g.EventSexAge[e] = f[2];
        g.LaneTime(e, 1) = f[3], g.LaneName(e, 1) = f[4], g.LaneClub(e, 1) = f[5];
        g.LaneDoB(e, 1) = f[6];
        g.LaneDoBStored(e, 1) = QDate::fromString(f.value(7), Qt::ISODate);
    }
    return g;
}

// A gala with the texts that trouble exports: markup and "&" in names, a
// comma in a team and a club, a disqualification whose reason holds markup,
// points of 2.5 and .5, a relay, a guest team and a swim too fast for the
// grade. One heat of three lanes.
GalaState smallGala()
{
    GalaState g = gala({"Smith & Jones", "Harbourside, North", "Guests"},
                       {"50|FS|G10|35.20|Mary  Ann Smith||05/03/92",
                        "100|MED|B12|1:32.45|Ann Lee|Bramley, Kent|5/3/1992", "200|FSR|Mixed||||"});
    g.GalaName = QStringLiteral("Harbourside & District <Junior> Gala");
    g.PoolName = QStringLiteral("Harbourside Baths, Pool 2");
    g.TeamScoring[3] = false;
    g.NoOfScoringTeams = 2;
    // event|team|time|place|points
    for (const char *lane :
         {"1|1|35.20|1|2", "1|2|D|0|0", "1|3|33.00|0|0", "2|1|1:32.45|2|2", "2|2|1:30.00|1|2.5",
          "2|3||0|0.5", "3|1|2:10.00|0|0", "3|2|2:15.00|1|3"}) {
        const QStringList f = QString::fromLatin1(lane).split(QLatin1Char('|'));
        const int e = f[0].toInt(), t = f[1].toInt();
        g.LaneTime(e, t) = f[2];
        g.LanePos(e, t) = f[3].toInt();
        g.LanePoints(e, t) = f[4].toFloat();
        g.TeamTotal[t] += f[4].toFloat();
    }
    g.LaneName(1, 2) = QStringLiteral("Jo <b>Bloggs</b>");
    g.LaneDoB(1, 2) = QStringLiteral("01/02/93");
    g.LaneNotes(1, 2) = QStringLiteral("False start <early> & \"late\"");
    g.LaneNotes(2, 1) = QStringLiteral("split 45.1");
    g.LaneName(2, 2) = QStringLiteral("Tom");
    g.LaneDoB(2, 2) = QStringLiteral("12/11/93");
    g.LaneClub(1, 2) = QStringLiteral("Harbourside SC");
    return g;
}

// Files beyond a size limit fail as on a full disk, for this process only.
struct FullDisk
{
    rlimit saved{};
    explicit FullDisk(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &saved); }
};

// Menu entry 0 to 3: WEB results sheet, WEB team results, ranking files,
// programme data.
void runEntry(int entry, SharedState &shared, Dialogs &dialogs)
{
    const GalaState small = smallGala();
    if (entry == 0)
        ExportMenu::WebResultsSheet(shared, small, dialogs);
    else if (entry == 1)
        ExportMenu::WebTeamResults(shared, small, dialogs, nullptr);
    else if (entry == 2)
        ExportMenu::AsaRankingFiles(shared, small, dialogs);
    else
        ExportMenu::DataForProgram(shared, small, dialogs);
}

} // namespace

class TstExports : public QObject
{
    Q_OBJECT
private slots:
    // Every export of the small gala into one folder, compared file by file.
    void smallGalaFiles_data()
    {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        DataRow("escaped, DQ table, points .5", "", "results.htm", "small_results.htm");
        DataRow("lower-case d: no DQ table", "d", "results.htm", "small_results_nodq.htm");
        DataRow("names, TF, no splits offline", "", "Smith & Jones.htm", "small_team1_offline.htm");
        DataRow("ungraded: no TF", "ungraded", "Smith & Jones.htm", "small_team1_ungraded.htm");
        DataRow("splits of lane and meet", "online", "Smith & Jones.htm", "small_team1_online.htm");
        DataRow("DQ reason, no splits", "online", "Harbourside, North.htm",
                "small_team2_online.htm");
        DataRow("guests without names", "", "Guests.htm", "small_team3_offline.htm");
        // The meet code "HSC/26" becomes a file name in the folder.
        DataRow("ranking header, long course", "", "HSC_26.HDR", "small_long.HDR");
        DataRow("ranking header, short course", "short", "HSC_26.HDR", "small_short.HDR");
        DataRow("ranking: DQ skipped, d/m/yyyy, commas", "", "HSC_26.MRF", "small.MRF");
        DataRow("programme data: commas removed", "", "program.txt", "small_program.txt");
    }
    void smallGalaFiles()
    {
        QFETCH(QString, variant);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        GalaState small = smallGala();
        if (variant == QLatin1String("d"))
            small.LaneTime(1, 2) = QStringLiteral("d");
        const QTemporaryDir dir;
        MakeOnlineTimes(dir.filePath("ares.mdb"),
                        "('M1',1,1,1,'I','14.20'), ('M1',1,1,1,'I',' 29.85 '), "
                        "('M1',1,1,1,'F','35.20'), ('M1',1,1,2,'I','16.00'), "
                        "('M1',1,1,3,'I','15.00'), ('M1',2,1,1,'I','45.1'), "
                        "('M2',3,1,1,'I','1:00.00')");
        Database ares(dir.filePath("ares.mdb"));
        SplitTimes splits(&ares, QStringLiteral("M1"));
        QString error;
        QVERIFY(WebResults::Write(dir.filePath("results.htm"), small, Day, error));
        QVERIFY(WebTeamResults::Write(dir.path(), small, Day, variant != QLatin1String("ungraded"),
                                      variant == QLatin1String("online") ? &splits : nullptr,
                                      error));
        QVERIFY(RankingFiles::Write(dir.path(), QStringLiteral("HSC/26"), variant != "short", small,
                                    Day, error));
        QVERIFY(ProgramData::Write(dir.filePath("program.txt"), small, error));
        COMPARE_FILE(dir.filePath(file), expected);
    }

    void pageNamesStayInTheFolder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("files"); // in team order
        DataRow("separators, .. and characters no file may hold",
                QStringList{"../../escape", "a\\b/c", "..", "A:B*C?", "\"Q\" <x>|y", "tab\there"},
                QStringList{"____escape.htm", "a_b_c.htm", "_.htm", "A_B_C_.htm", "_Q_ _x__y.htm",
                            "tab_here.htm"});
        DataRow("stand-ins, hidden and long names",
                QStringList{"", "   ", ".htaccess", QString(60, QLatin1Char('x'))},
                QStringList{"Heat 1 Lane 1.htm", "Heat 1 Lane 2.htm", "_htaccess.htm",
                            QString(50, QLatin1Char('x')) + ".htm"});
        DataRow("names that two entries share, any case",
                QStringList{"Otters", "Bramley", "OTTERS", "A", "A", "A Heat 1 Lane 5"},
                QStringList{"Otters Heat 1 Lane 1.htm", "Bramley.htm", "OTTERS Heat 1 Lane 3.htm",
                            "A Heat 1 Lane 4.htm", "A Heat 1 Lane 5.htm",
                            "A Heat 1 Lane 5 (2).htm"});
    }
    void pageNamesStayInTheFolder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, files);
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("web/pages"));
        QDir().mkpath(folder);
        QString error;
        QVERIFY2(WebTeamResults::Write(folder, gala(names), Day, false, nullptr, error),
                 qPrintable(error));
        files.sort();
        QCOMPARE(filesIn(folder), files); // every page in the folder, none replaced
    }

    void rankingLines_data()
    {
        QTest::addColumn<QString>("swim");
        QTest::addColumn<QString>("line"); // "" for no line
        DataRow("50 back: 13, boys M, no dob", "50|BK|B10|28.30|Tom|Bramley|",
                "M,Tom,Tom,Bramley,      ,002830,13");
        DataRow("ladies F", "50|FS|Ladies|28.3|A B|C|", "F,B,A,C,      ,002830,01");
        DataRow("men M", "1500|FS|Men|17:05.3|A B|C|", "M,B,A,C,      ,170530,06");
        DataRow("open: blank sex", "200|BR|Open|2:40|A B|C|", " ,B,A,C,      ,024000,09");
        DataRow("lower-case sex: blank", "200|FLY|g12|2:40|A B|C|", " ,B,A,C,      ,024000,12");
        DataRow("F is female, 59.999 s as 60.00", "50|FS|F12|59.999|A B|C|",
                "F,B,A,C,      ,006000,01");
        DataRow("commas leave name and team", "50|FS|G|30|Jo O,Neill||",
                "F,ONeill,Jo,Otters Kent,      ,003000,01");
        DataRow("dob not a date: its characters", "50|FS|G|30|A B|C|1992",
                "F,B,A,C,192   ,003000,01");
        DataRow("stored dob keeps its century", "50|FS|G|30|A B|C|05/06/25|1925-06-05",
                "F,B,A,C,050625,003000,01");
        DataRow("relay", "200|FSR|G|2:00|A B|C|", "");
        DataRow("an hour", "50|FS|G|60:00.00|A B|C|", "");
        DataRow("disqualified with a time after the D", "50|FS|G|DQ 1:05.23|A B|C|", "");
        DataRow("no time", "50|FS|G||A B|C|", "");
        DataRow("a name of blanks", "50|FS|G|30|   |C|", "");
    }
    void rankingLines()
    {
        QFETCH(QString, swim);
        QFETCH(QString, line);
        QCOMPARE(RankingFiles::ResultLines(gala({"Otters, Kent"}, {swim}), QDate(2026, 10, 12)),
                 line.isEmpty() ? QStringList() : QStringList{line});
    }

    // A cancelled chooser, a gala date that is no date (asking nothing), or a
    // disk that fills up: nothing written, a chosen file's old bytes kept.
    void menuWritesNothing_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("galaDate");
        QTest::addColumn<QString>("chosen");  // the chooser's file in the folder; "" for Cancel
        QTest::addColumn<QString>("message"); // its start; {path} for the chosen file
        const QString cancelled = "No Output File Specified";
        const auto badDate = [](const char *date) {
            return QStringLiteral("The gala date \"%1\" is not a date: no ranking files written")
                .arg(QLatin1String(date));
        };
        DataRow("WEB Results Sheet", 0, Day, "", cancelled);
        DataRow("WEB Team Results", 1, Day, "", cancelled);
        DataRow("ASA Ranking Files", 2, Day, "", cancelled);
        DataRow("Data for Competition Program", 3, Day, "", cancelled);
        DataRow("gala date: no such day", 2, "31/02/26", "", badDate("31/02/26"));
        DataRow("gala date: empty", 2, "", "", badDate(""));
        DataRow("gala date: words", 2, "Saturday", "", badDate("Saturday"));
        DataRow("full disk: results page", 0, Day, "results.htm",
                "The file {path} could not be written: ");
        DataRow("full disk: first team page", 1, Day, "Smith & Jones.htm",
                "The file {path} could not be written: ");
    }
    void menuWritesNothing()
    {
        QFETCH(int, entry);
        QFETCH(QString, galaDate);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        const QString before = QDir::currentPath(), path = dir.filePath(chosen);
        QVERIFY(QDir::setCurrent(dir.path())); // where bare names would land
        SharedState shared;
        shared.GalaDate = galaDate;
        if (!chosen.isEmpty()) {
            shared.Choice.SelectedDir = dir.path() + QLatin1Char('/');
            shared.Choice.SelectedFile = chosen;
            QVERIFY(PBUTIL::WriteTextFile(path, {"last week"}));
        }
        if (galaDate != Day) { // also when called without the menu
            QString error;
            QVERIFY(!RankingFiles::Write(dir.path(), "X", true, smallGala(), galaDate, error));
            QCOMPARE(error, message);
        }
        NotingDialogs dialogs; // its chooser keeps the choice above
        {
            const FullDisk full(200);
            runEntry(entry, shared, dialogs);
        }
        QDir::setCurrent(before);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].startsWith(message.replace("{path}", path)),
                 qPrintable(dialogs.messages[0]));
        QCOMPARE(dialogs.questions, QStringList());
        QCOMPARE(filesIn(dir.path()), chosen.isEmpty() ? QStringList() : QStringList{chosen});
        if (!chosen.isEmpty())
            QCOMPARE(readFile(path), QByteArray("last week\r\n"));
    }

    // The demonstration gala recorded on the sheet as an official would, with
    // online timing in use, then written out through the WEB and Export menus.
    void demonstrationGalaThroughTheMenus()
    {
        DemoSheet desk;
        QVERIFY(OpenGala(desk.shared, desk.gala, desk.dialogs).opened());
        const QTemporaryDir dir;
        const QString ares = dir.filePath(QStringLiteral("ares.mdb"));
        MakeOnlineTimes(ares, "('DEMO',1,1,1,'I','18.40'), ('DEMO',1,2,1,'I','19.10')");
        OnlineTimes online{ares, std::make_unique<Database>(ares), QStringLiteral("DEMO")};
        GalaRecSheet sheet(desk.shared, desk.gala, desk.dialogs, &online);
        sheet.show();
        sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        auto type = [&](const char *design, int row, const QString &text) {
            auto *box = sheet.findChild<QLineEdit *>(
                QStringLiteral("%1_%2").arg(QLatin1String(design)).arg(row));
            box->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Tab); // leaves the box
        };
        // Event 1, grade time 38.00: a disqualification, a swim too fast for
        // the grade, and the guests' fastest time that scores nothing.
        const QStringList times = {"39.50", "40.12", "", "37.90", "41.00", "38.00", "", "36.00"};
        const QStringList names = {"Amy  Jones", "Beth Smith", "Cat <Lee>", "Dee Ray",
                                   "",           "Eve",        "",          "Fay Guest"};
        for (int r = 0; r < 8; ++r) {
            type("TeamTime", r, times[r]);
            type("Swimmer_Name", r, names[r]);
        }
        type("Swimmer_Dob", 0, QStringLiteral("05/03/16"));
        type("Swimmer_Club", 1, QStringLiteral("Ashford, Kent"));
        desk.dialogs.expectInput("Enter reason for Disqualification", "Did not finish");
        type("TeamTime", 2, QStringLiteral("D"));
        // Event 2: one placed swim, and points typed by hand.
        QTest::mouseClick(sheet.findChild<QPushButton *>("Next_Event"), Qt::LeftButton);
        type("TeamTime", 1, QStringLiteral("37.60"));
        type("TeamPts", 0, QStringLiteral("2.5"));
        type("TeamPts", 6, QStringLiteral("0.5"));

        const QString folder = dir.filePath(QStringLiteral("out/"));
        QDir().mkpath(folder);
        desk.dialogs.expectChooser("Select File for WEB results page", folder, "results.htm")
            .expectChooser("Select Directory for WEB team results pages", folder, "results.htm")
            .expectChooser("Select Directory for Ranking Files", folder, "results.htm")
            .expectInput("Enter meet code for ASA", "DEMO26")
            .expectYesNo("Long course (YES) or Short course (NO)", true)
            .expectChooser("Select File for Program Data", folder, "program.txt");
        for (const char *entry :
             {"WEB_Results_Sheet", "WEB_Team_Results", "Export_ASA_Rankings", "Data_for_Program"}) {
            QAction *action = sheet.findChild<QAction *>(QLatin1String(entry));
            QVERIFY2(action && action->isEnabled(), entry);
            action->trigger();
        }
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
        QCOMPARE(filesIn(folder),
                 (QStringList{"Ashford B.htm", "Ashford Otters.htm", "Bramley B.htm",
                              "Bramley Dolphins.htm", "Castleton Guests.htm", "Castleton.htm",
                              "DEMO26.HDR", "DEMO26.MRF", "Harbourside B.htm", "Harbourside.htm",
                              "program.txt", "results.htm"}));
        COMPARE_FILE(folder + "results.htm", "demo_results.htm");
        COMPARE_FILE(folder + "Castleton.htm", "demo_castleton.htm");
        COMPARE_FILE(folder + "DEMO26.HDR", "demo.HDR");
        COMPARE_FILE(folder + "DEMO26.MRF", "demo.MRF");
        COMPARE_FILE(folder + "program.txt", "demo_program.txt");
        // Heat 1 lane 1 and heat 2 lane 1 each get their own split in event 1.
        QVERIFY(readFile(folder + "Harbourside.htm").contains("<td>18.40 </td>"));
        QVERIFY(readFile(folder + "Harbourside B.htm").contains("<td>19.10 </td>"));
    }
};

QTEST_MAIN(TstExports)
#include "tst_exports.moc"
