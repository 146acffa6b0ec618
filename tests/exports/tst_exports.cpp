#include "exports/ExportFile.h"
#include "exports/ExportMenu.h"
#include "exports/ProgramData.h"
#include "exports/RankingFiles.h"
#include "exports/WebResults.h"
#include "exports/WebTeamResults.h"
#include "foundation/SharedState.h"
#include "links/SplitTimes.h"
#include "tests/exports/ExportFixture.h"
#include "tests/recording/RecordingFixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString Day = QStringLiteral("12/10/26");

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A gala of one event and one scoring team entry "Otters, Kent" in lane 4,
// with one swim.
GalaState oneSwim(const QString &distance, const QString &stroke, const QString &sexAge,
                  const QString &time, const QString &name, const QString &club, const QString &dob)
{
    GalaState g;
    g.NoOfEvents = 1;
    g.resizeEvents(1);
    g.EventNo[1] = QStringLiteral("1");
    g.EventDistance[1] = distance;
    g.EventStroke[1] = stroke;
    g.EventSexAge[1] = sexAge;
    g.NoOfTeams = 1;
    g.resizeTeams(1);
    g.TeamName[1] = QStringLiteral("Otters, Kent");
    g.TeamHeat[1] = 1;
    g.TeamLane[1] = 4;
    g.TeamScoring[1] = true;
    g.LaneTime(1, 1) = time;
    g.LaneName(1, 1) = name;
    g.LaneClub(1, 1) = club;
    g.LaneDoB(1, 1) = dob;
    return g;
}

// Team entries named as given, all in heat 1 unless `heats` says otherwise,
// lanes 1, 2, 3 ...
GalaState teams(const QStringList &names, const QList<int> &heats = {})
{
    GalaState g;
    g.NoOfTeams = int(names.size());
    g.resizeTeams(g.NoOfTeams);
    for (int t = 1; t <= g.NoOfTeams; ++t) {
        g.TeamName[t] = names[t - 1];
        g.TeamHeat[t] = heats.value(t - 1, 1);
        g.TeamLane[t] = t;
    }
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
        rlimit small = saved;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace

class TstExports : public QObject
{
    Q_OBJECT
private slots:
    void webResultsPage_data()
    {
        QTest::addColumn<QString>("firstTime");
        QTest::addColumn<QString>("expected");
        QTest::newRow("disqualified D is listed") << "D"
                                                  << "small_results.htm";
        QTest::newRow("lower-case d is no disqualification") << "d"
                                                             << "small_results_nodq.htm";
    }
    void webResultsPage()
    {
        QFETCH(QString, firstTime);
        QFETCH(QString, expected);
        GalaState gala = smallGala();
        gala.LaneTime(1, 2) = firstTime;
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("results.htm"));
        QString error;
        QVERIFY(WebResults::Write(path, gala, Day, error));
        QVERIFY(sameFile(path, expected));
    }

    void teamPages_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("graded");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("names, TF, no splits offline even with notes")
            << false << true << "Smith & Jones.htm"
            << "small_team1_offline.htm";
        QTest::newRow("ungraded gala: no TF") << false << false << "Smith & Jones.htm"
                                              << "small_team1_ungraded.htm";
        QTest::newRow("splits of this lane, this meet, intermediate only")
            << true << true << "Smith & Jones.htm"
            << "small_team1_online.htm";
        QTest::newRow("disqualified shows reason, not splits")
            << true << true << "Harbourside, North.htm"
            << "small_team2_online.htm";
        QTest::newRow("guests without names: no Name column, no TF")
            << false << true << "Guests.htm"
            << "small_team3_offline.htm";
    }
    void teamPages()
    {
        QFETCH(bool, online);
        QFETCH(bool, graded);
        QFETCH(QString, page);
        QFETCH(QString, expected);
        const QTemporaryDir dir;
        const QString ares = dir.filePath(QStringLiteral("ares.mdb"));
        makeOnlineTimes(ares, {"M1|1|1|1|I|14.20", "M1|1|1|1|I| 29.85 ", "M1|1|1|1|F|35.20",
                               "M1|1|1|2|I|16.00", "M1|1|1|3|I|15.00", "M1|2|1|1|I|45.1",
                               "M2|3|1|1|I|1:00.00"});
        Database db(ares);
        SplitTimes splits(&db, QStringLiteral("M1"));
        const QString folder = dir.filePath(QStringLiteral("pages"));
        QDir().mkpath(folder);
        QString error;
        QVERIFY(WebTeamResults::Write(folder, smallGala(), Day, graded, online ? &splits : nullptr,
                                      error));
        QCOMPARE(filesIn(folder),
                 (QStringList{"Guests.htm", "Harbourside, North.htm", "Smith & Jones.htm"}));
        QVERIFY(sameFile(folder + QLatin1Char('/') + page, expected));
    }

    void heatsInTheHeading_data()
    {
        QTest::addColumn<QList<int>>("heats");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("lastHeading");
        QTest::newRow("one heat: lane only")
            << QList<int>{1, 1, 1} << 1 << "Results sheet for C Lane 3";
        QTest::newRow("two heats: heat after lane")
            << QList<int>{1, 1, 2, 2} << 2 << "Results sheet for D Lane 4 Heat 2";
        QTest::newRow("heat changes counted, not heats")
            << QList<int>{1, 2, 1} << 3 << "Results sheet for C Lane 3 Heat 1";
    }
    void heatsInTheHeading()
    {
        QFETCH(QList<int>, heats);
        QFETCH(int, count);
        QFETCH(QString, lastHeading);
        const GalaState gala = teams(QStringList{"A", "B", "C", "D"}.mid(0, heats.size()), heats);
        QCOMPARE(WebTeamResults::HeatCount(gala), count);
        const auto pages = WebTeamResults::Pages(gala, Day, false, nullptr);
        QCOMPARE(pages.last().lines.value(7),
                 QStringLiteral("<h2><center>") + lastHeading + QStringLiteral("</center></h2>"));
    }

    void pageNamesStayInTheFolder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("plain") << QStringList{"Harbourside", "Smith & Jones"}
                               << QStringList{"Harbourside.htm", "Smith & Jones.htm"};
        QTest::newRow("separators and ..") << QStringList{"../../escape", "a\\b/c", ".."}
                                           << QStringList{"____escape.htm", "a_b_c.htm", "_.htm"};
        QTest::newRow("characters no file may hold")
            << QStringList{"A:B*C?", "\"Q\" <x>|y", QStringLiteral("tab\there")}
            << QStringList{"A_B_C_.htm", "_Q_ _x__y.htm", "tab_here.htm"};
        QTest::newRow("empty and blank names get a stand-in")
            << QStringList{"", "   "} << QStringList{"Heat 1 Lane 1.htm", "Heat 1 Lane 2.htm"};
        QTest::newRow("hidden and long names")
            << QStringList{".htaccess", QString(60, QLatin1Char('x'))}
            << QStringList{"_htaccess.htm", QString(50, QLatin1Char('x')) + ".htm"};
        QTest::newRow("same name twice, any case")
            << QStringList{"Otters", "Bramley", "OTTERS"}
            << QStringList{"Otters Heat 1 Lane 1.htm", "Bramley.htm", "OTTERS Heat 1 Lane 3.htm"};
        QTest::newRow("a name that is another's stand-in")
            << QStringList{"A", "A", "A Heat 1 Lane 2"}
            << QStringList{"A Heat 1 Lane 1.htm", "A Heat 1 Lane 2.htm", "A Heat 1 Lane 2 (2).htm"};
    }
    void pageNamesStayInTheFolder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, files);
        const GalaState gala = teams(names);
        QCOMPARE(WebTeamResults::PageNames(gala), files);

        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("web/pages"));
        QDir().mkpath(folder);
        QString error;
        QVERIFY2(WebTeamResults::Write(folder + QLatin1Char('/'), gala, Day, false, nullptr, error),
                 qPrintable(error));
        QCOMPARE(filesIn(folder).size(), names.size()); // every page, none replaced
        QCOMPARE(filesIn(dir.filePath(QStringLiteral("web"))), QStringList());
        QCOMPARE(filesIn(dir.path()), QStringList());
    }

    void rankingLines_data()
    {
        QTest::addColumn<QStringList>("swim"); // distance stroke sex/age time name club dob
        QTest::addColumn<QString>("line");     // "" for no line
        auto row = [](const char *tag, QStringList swim, const char *line) {
            QTest::newRow(tag) << swim << QString::fromUtf8(line);
        };
        row("medley 100: code 29, girls F, club from team",
            {"100", "MED", "G12", "1:32.45", "Mary Ann Smith", "", "05/03/92"},
            "F,Smith,Mary,Otters Kent,050392,013245,29");
        row("backstroke 50: code 13, boys M, no date of birth",
            {"50", "BK", "B10", "28.30", "Tom", "Bramley", ""},
            "M,Tom,Tom,Bramley,      ,002830,13");
        row("ladies F", {"50", "FS", "Ladies", "28.3", "A B", "C", ""}, "F,B,A,C,      ,002830,01");
        row("F is female", {"50", "FS", "F12", "31", "A B", "C", ""}, "F,B,A,C,      ,003100,01");
        row("men M", {"1500", "FS", "Men", "17:05.3", "A B", "C", ""}, "M,B,A,C,      ,170530,06");
        row("open event: blank sex", {"200", "BR", "Open", "2:40", "A B", "C", ""},
            " ,B,A,C,      ,024000,09");
        row("lower-case sex: blank", {"200", "FLY", "g12", "2:40", "A B", "C", ""},
            " ,B,A,C,      ,024000,12");
        row("59.999 s written as 60.00", {"50", "FS", "G", "59.999", "A B", "C", ""},
            "F,B,A,C,      ,006000,01");
        row("just under an hour", {"400", "MED", "G", "59:59.99", "A B", "C", ""},
            "F,B,A,C,      ,595999,17");
        row("commas leave the fields", {"50", "FS", "G", "30", "Jo O,Neill", "Bramley, Kent", ""},
            "F,ONeill,Jo,Bramley Kent,      ,003000,01");
        row("date of birth d/m/yyyy", {"50", "FS", "G", "30", "A B", "C", "5/3/1992"},
            "F,B,A,C,050392,003000,01");
        row("date of birth not a date: its characters", {"50", "FS", "G", "30", "A B", "C", "1992"},
            "F,B,A,C,192   ,003000,01");
        row("distance with unit not exported", {"50m", "FS", "G", "30", "A B", "C", ""}, "");
        row("relay not exported", {"200", "FSR", "G", "2:00", "A B", "C", ""}, "");
        row("combined stroke not exported", {"100", "FLBK", "G", "1:20", "A B", "C", ""}, "");
        row("an hour not exported", {"50", "FS", "G", "60:00.00", "A B", "C", ""}, "");
        row("disqualified", {"50", "FS", "G", "D", "A B", "C", ""}, "");
        row("disqualified with a time after the D", {"50", "FS", "G", "DQ 1:05.23", "A B", "C", ""},
            "");
        row("no time", {"50", "FS", "G", "", "A B", "C", ""}, "");
        row("no swimmer", {"50", "FS", "G", "30", "", "C", ""}, "");
        row("a name of blanks is no swimmer", {"50", "FS", "G", "30", "   ", "C", ""}, "");
    }
    void rankingLines()
    {
        QFETCH(QStringList, swim);
        QFETCH(QString, line);
        const GalaState gala =
            oneSwim(swim[0], swim[1], swim[2], swim[3], swim[4], swim[5], swim[6]);
        QCOMPARE(RankingFiles::ResultLines(gala),
                 line.isEmpty() ? QStringList() : QStringList{line});
    }

    void rankingFiles_data()
    {
        QTest::addColumn<QString>("meetCode");
        QTest::addColumn<bool>("longCourse");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("header");
        QTest::newRow("long course") << "HSC26" << true << "HSC26"
                                     << "small_long.HDR";
        QTest::newRow("short course") << "HSC26" << false << "HSC26"
                                      << "small_short.HDR";
        QTest::newRow("a meet code cannot leave the folder") << "../up" << true << "__up"
                                                             << "small_long.HDR";
        QTest::newRow("no meet code") << "" << true << ""
                                      << "small_long.HDR";
    }
    void rankingFiles()
    {
        QFETCH(QString, meetCode);
        QFETCH(bool, longCourse);
        QFETCH(QString, stem);
        QFETCH(QString, header);
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("asa"));
        QDir().mkpath(folder);
        QString error;
        QVERIFY(RankingFiles::Write(folder, meetCode, longCourse, smallGala(), Day, error));
        QCOMPARE(filesIn(folder), (QStringList{stem + ".HDR", stem + ".MRF"}));
        QVERIFY(sameFile(folder + QLatin1Char('/') + stem + ".HDR", header));
        QVERIFY(sameFile(folder + QLatin1Char('/') + stem + ".MRF", QStringLiteral("small.MRF")));
    }

    void rankingRefusesAGalaDateThatIsNoDate_data()
    {
        QTest::addColumn<QString>("galaDate");
        QTest::newRow("no such day") << "31/02/26";
        QTest::newRow("empty") << "";
        QTest::newRow("words") << "Saturday";
    }
    void rankingRefusesAGalaDateThatIsNoDate()
    {
        QFETCH(QString, galaDate);
        const QTemporaryDir dir;
        QString error;
        QVERIFY(!RankingFiles::Write(dir.path(), QStringLiteral("X"), true, smallGala(), galaDate,
                                     error));
        QCOMPARE(error,
                 QStringLiteral("The gala date \"%1\" is not a date: no ranking files written")
                     .arg(galaDate));
        QCOMPARE(filesIn(dir.path()), QStringList());

        // Through the menu nothing is asked before the message.
        SharedState shared;
        shared.GalaDate = galaDate;
        ScriptedDialogs dialogs;
        dialogs.expectMessage(error);
        ExportMenu::AsaRankingFiles(shared, smallGala(), dialogs);
        QVERIFY2(dialogs.finished(), dialogs.faults());
    }

    void programData_data()
    {
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("expected");
        QTest::newRow("scoring entries, names when known, commas removed")
            << 3 << "small_program.txt";
        QTest::newRow("no events: empty file") << 0 << "empty.txt";
    }
    void programData()
    {
        QFETCH(int, events);
        QFETCH(QString, expected);
        GalaState gala = smallGala();
        gala.NoOfEvents = events;
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("program.txt"));
        QString error;
        QVERIFY(ProgramData::Write(path, gala, error));
        QVERIFY(sameFile(path, expected));
    }

    void failedWriteKeepsTheOldFile()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("results.htm"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the page of last week\r\n");
        old.close();
        QString error;
        {
            const FullDisk full(200);
            QVERIFY(!WebResults::Write(path, smallGala(), Day, error));
        }
        QVERIFY2(error.startsWith(QStringLiteral("The file %1 could not be written: ").arg(path)),
                 qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray("the page of last week\r\n"));
        QCOMPARE(filesIn(dir.path()), QStringList{"results.htm"}); // no half-written leftovers
    }

    void failedWriteNamesTheFile_data()
    {
        QTest::addColumn<QString>("blocked"); // a folder standing where the file goes
        QTest::addColumn<QString>("named");
        QTest::newRow("results page in a folder that is a file") << ""
                                                                 << "x/results.htm";
        QTest::newRow("one team page blocked") << "Guests.htm"
                                               << "pages/Guests.htm";
    }
    void failedWriteNamesTheFile()
    {
        QFETCH(QString, blocked);
        QFETCH(QString, named);
        const QTemporaryDir dir;
        QString error;
        if (blocked.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("x")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QVERIFY(!WebResults::Write(dir.filePath(named), smallGala(), Day, error));
        } else {
            QDir().mkpath(dir.filePath(QStringLiteral("pages/") + blocked));
            QVERIFY(!WebTeamResults::Write(dir.filePath(QStringLiteral("pages")), smallGala(), Day,
                                           false, nullptr, error));
        }
        QVERIFY2(error.startsWith(
                     QStringLiteral("The file %1 could not be written: ").arg(dir.filePath(named))),
                 qPrintable(error));
    }

    void menusWriteNothingWhenCancelled_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("WEB Results Sheet") << 0 << "Select File for WEB results page";
        QTest::newRow("WEB Team Results") << 1 << "Select Directory for WEB team results pages";
        QTest::newRow("ASA Ranking Files") << 2 << "Select Directory for Ranking Files";
        QTest::newRow("Data for Competition Program") << 3 << "Select File for Program Data";
    }
    void menusWriteNothingWhenCancelled()
    {
        QFETCH(int, entry);
        QFETCH(QString, caption);
        const QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path())); // where bare names would land
        SharedState shared;
        shared.GalaDate = Day;
        shared.Choice.SelectedDir = dir.path() + QLatin1Char('/');
        ScriptedDialogs dialogs;
        dialogs.expectChooser(caption, QString(), QString())
            .expectMessage(QStringLiteral("No Output File Specified"));
        const GalaState gala = smallGala();
        switch (entry) {
        case 0:
            ExportMenu::WebResultsSheet(shared, gala, dialogs);
            break;
        case 1:
            ExportMenu::WebTeamResults(shared, gala, dialogs, nullptr);
            break;
        case 2:
            ExportMenu::AsaRankingFiles(shared, gala, dialogs);
            break;
        default:
            ExportMenu::DataForProgram(shared, gala, dialogs);
            break;
        }
        QDir::setCurrent(before);
        QVERIFY2(dialogs.finished(), dialogs.faults());
        QCOMPARE(filesIn(dir.path()), QStringList());
    }

    void menuShowsAFailedWrite()
    {
        // The chooser hands back the folder and name it was given: a folder
        // that is not there.
        const QTemporaryDir dir;
        SharedState shared;
        shared.Choice.SelectedDir = dir.filePath(QStringLiteral("gone")) + QLatin1Char('/');
        shared.Choice.SelectedFile = QStringLiteral("results.htm");
        NotingDialogs dialogs;
        ExportMenu::WebResultsSheet(shared, smallGala(), dialogs);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(
            dialogs.messages[0].startsWith(
                QStringLiteral("The file %1 could not be written: ").arg(shared.Choice.path())),
            qPrintable(dialogs.messages[0]));
    }
};

QTEST_GUILESS_MAIN(TstExports)
#include "tst_exports.moc"
