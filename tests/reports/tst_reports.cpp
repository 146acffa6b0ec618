// Each report's layout on the recording surface: texts, places, fonts, pages.

#include "foundation/Engine.h"
#include "links/SplitTimes.h"
#include "reports/FontSubstitutes.h"
#include "reports/Reports.h"
#include "tests/reports/ReportFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using Text = RecordingSurface::Text;

namespace {

// Texts of one page at one x, in print order.
QStringList column(const RecordingSurface &p, int job, int page, double x)
{
    QStringList out;
    for (const Text &t : p.on(job, page)) {
        if (qAbs(t.x - x) < 0.001)
            out << t.text;
    }
    return out;
}

QStringList texts(const QList<Text> &list)
{
    QStringList out;
    for (const Text &t : list)
        out << t.text;
    return out;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    // ---- This Result ----
    void thisResultOrder_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QStringList>("teams");
        QTest::addColumn<QStringList>("positions");
        QTest::newRow("no time first, disqualified last")
            << QStringList{"32.00", "D", "31.00", ""} << QStringList{"T4", "T3", "T1", "T2"}
            << QStringList{" 0", " 1", " 2", "DQ"};
        // The two disqualified rows change places with each other on the way.
        QTest::newRow("two disqualified")
            << QStringList{"D", "D", "30.00", "31.00"} << QStringList{"T3", "T4", "T2", "T1"}
            << QStringList{" 1", " 2", "DQ", "DQ"};
    }
    void thisResultOrder()
    {
        QFETCH(QStringList, times);
        QFETCH(QStringList, teams);
        QFETCH(QStringList, positions);
        ReportGala g(4, 3);
        g.show(1);
        for (int r = 0; r < 4; ++r) {
            g.sheet.setText(SheetModel::Time, r, times[r]);
            g.sheet.setText(SheetModel::SwimmerName, r, QStringLiteral("Swimmer %1").arg(r + 1));
            if (times[r] == QLatin1String("D"))
                g.sheet.setText(SheetModel::Notes, r, QStringLiteral("Reason %1").arg(r + 1));
        }
        PrintThisResult(g.shared, g.gala, g.sheet, g.printer);
        QCOMPARE(g.printer.jobsEnded, 1);
        QCOMPARE(column(g.printer, 1, 1, 2.0), teams);
        QCOMPARE(column(g.printer, 1, 1, 0).mid(2), positions); // after the two headings
        // The reason prints only for a disqualified row; its time is empty.
        for (int i = 0; i < 4; ++i) {
            const Text team = g.one(teams[i]);
            const int row = teams[i].mid(1).toInt() - 1;
            const QStringList line = g.lineOf(team);
            QCOMPARE(line.contains(QStringLiteral("Reason %1").arg(row + 1)), positions[i] == "DQ");
            QCOMPARE(line.contains(times[row]), positions[i] != "DQ" && !times[row].isEmpty());
        }
    }

    void thisResultLayout()
    {
        ReportGala g(2, 3);
        g.show(1);
        g.sheet.setText(SheetModel::Time, 0, QStringLiteral("31.00"));
        g.sheet.setText(SheetModel::Time, 1, QStringLiteral("D"));
        g.sheet.setText(SheetModel::Notes, 1, QStringLiteral("False start"));
        g.sheet.setText(SheetModel::SwimmerName, 0, QStringLiteral("Jane"));
        g.gala.TeamTotal[1] = 12.5f;
        g.gala.TeamTotal[2] = 3.0f;
        PrintThisResult(g.shared, g.gala, g.sheet, g.printer);

        const Text galaLine = g.one(QStringLiteral("Autumn Gala (12/10/26)"));
        QCOMPARE(galaLine.font.name, QStringLiteral("Verdana"));
        QCOMPARE(galaLine.font.size, 10.0);
        QVERIFY(!galaLine.font.bold);
        QCOMPARE(galaLine.orientation, PrinterSurface::Portrait);
        const Text heading = g.one(QStringLiteral("Event 1 : G10 50m Freestyle"));
        QVERIFY(heading.font.bold);
        QCOMPARE_IN(g.one(QStringLiteral("Jane")).x, 0.5);
        QCOMPARE_IN(g.one(QStringLiteral("T1")).x, 2.0);
        QCOMPARE_IN(g.one(QStringLiteral("31.00")).x, 3.5);
        QCOMPARE_IN(g.one(QStringLiteral("False start")).x, 4.8);
        QCOMPARE_IN(g.one(QStringLiteral(" 12.5")).x, 7.0);
        QCOMPARE_IN(g.one(QStringLiteral(" 3")).x, 7.0);
        QVERIFY(!g.one(QStringLiteral(" 12.5")).font.bold);
    }

    void thisResultOutsideTheProgrammePrintsNothing()
    {
        ReportGala g(2, 3);
        g.show(1);
        g.sheet.setEvNo(QStringLiteral("5")); // above NoOfEvents + 1
        PrintThisResult(g.shared, g.gala, g.sheet, g.printer);
        QVERIFY(g.printer.texts.isEmpty());
        QCOMPARE(g.printer.jobsEnded, 0);
    }

    void thisResultCutsLongNamesAtTheNextColumn()
    {
        ReportGala g(1, 1);
        g.show(1);
        const QString longName = QStringLiteral("Alexandra Konstantinopoulou-Smythe");
        g.sheet.setText(SheetModel::SwimmerName, 0, longName);
        PrintThisResult(g.shared, g.gala, g.sheet, g.printer);
        const Text name = g.printer.texts.value(3);
        QVERIFY(longName.startsWith(name.text) && name.text.size() < longName.size());
        QVERIFY(name.x + g.printer.textWidth(name.text) <= 2.0); // Verdana 10 still set
    }

    // ---- Results Sheets ----
    void resultsSheetsPageOrder_data()
    {
        QTest::addColumn<int>("teams");
        QTest::addColumn<int>("events");
        // Per landscape page: first team, first event, last cumulative total of
        // T1-or-T7 (one point an event), number of cumulative lines.
        QTest::addColumn<QStringList>("firstTeams");
        QTest::addColumn<QStringList>("firstEvents");
        QTest::addColumn<QList<int>>("cumulativeLines");
        QTest::addColumn<QStringList>("lastTotals");
        QTest::newRow("8 x 30") << 8 << 30 << QStringList{"T1", "T1", "T7", "T7"}
                                << QStringList{"1", "26", "1", "26"} << QList<int>{5, 1, 5, 1}
                                << QStringList{"25", "30", "25", "30"};
        QTest::newRow("8 x 28") << 8 << 28 << QStringList{"T1", "T1", "T7", "T7"}
                                << QStringList{"1", "26", "1", "26"} << QList<int>{5, 1, 5, 1}
                                << QStringList{"25", "28", "25", "28"};
        QTest::newRow("6 x 12") << 6 << 12 << QStringList{"T1"} << QStringList{"1"} << QList<int>{3}
                                << QStringList{"12"};
    }
    void resultsSheetsPageOrder()
    {
        QFETCH(int, teams);
        QFETCH(int, events);
        QFETCH(QStringList, firstTeams);
        QFETCH(QStringList, firstEvents);
        QFETCH(QList<int>, cumulativeLines);
        QFETCH(QStringList, lastTotals);
        ReportGala g(teams, events);
        for (int e = 1; e <= events; ++e) {
            for (int k = 1; k <= teams; ++k)
                g.gala.LanePoints(e, k) = 1.0f;
        }
        PrintResultsSheets(g.shared, g.gala, g.printer);
        QCOMPARE(g.printer.jobsEnded, 1);
        const int landscape = int(firstTeams.size());
        QCOMPARE(g.printer.pages.size(), landscape + 1);
        for (int page = 1; page <= landscape; ++page) {
            QCOMPARE(g.printer.pages[page - 1].orientation, PrinterSurface::Landscape);
            QCOMPARE(column(g.printer, 1, page, 2.5).value(0), firstTeams[page - 1]);
            const QStringList numbers = column(g.printer, 1, page, 0);
            // Promoter, "Event Details", then the event numbers.
            QCOMPARE(numbers.value(2), firstEvents[page - 1]);
            const QStringList labels = column(g.printer, 1, page, 0.3);
            QCOMPARE(labels.count(QStringLiteral("Cumulative Points")), cumulativeLines[page - 1]);
            QCOMPARE(labels.last(), QStringLiteral("Cumulative Points"));
            QCOMPARE(column(g.printer, 1, page, 3.35).last(), lastTotals[page - 1]);
        }
        QCOMPARE(g.printer.pages.last().orientation, PrinterSurface::Portrait);
        QCOMPARE(g.printer.on(1, landscape + 1).value(0).text, QStringLiteral("Disqualifications"));
    }

    void resultsSheetsCells_data()
    {
        QTest::addColumn<bool>("graded");
        QTest::addColumn<bool>("scoring");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shownPosition");
        QTest::newRow("graded, too fast") << true << true << "29.50" << 0 << "TF";
        QTest::newRow("graded, non-scoring") << true << false << "29.50" << 0 << "";
        QTest::newRow("not graded, no place") << false << true << "29.50" << 0 << "";
        QTest::newRow("graded, disqualified") << true << true << "D" << 0 << "";
        QTest::newRow("placed") << true << true << "31.00" << 2 << "2";
    }
    void resultsSheetsCells()
    {
        QFETCH(bool, graded);
        QFETCH(bool, scoring);
        QFETCH(QString, time);
        QFETCH(int, position);
        QFETCH(QString, shownPosition);
        ReportGala g(2, 1);
        g.shared.Graded = graded ? QStringLiteral("Y") : QStringLiteral("N");
        g.gala.TeamScoring[2] = scoring;
        g.gala.LaneTime(1, 2) = time;
        g.gala.LanePos(1, 2) = position;
        PrintResultsSheets(g.shared, g.gala, g.printer);
        // Team 2 is column 2: time at 3.9, position at 4.5, points at 4.75.
        QCOMPARE(column(g.printer, 1, 1, 3.9), QStringList({"T2", "Time", time}));
        QCOMPARE(column(g.printer, 1, 1, 4.5),
                 QStringList({"Pos"}) +
                     (shownPosition.isEmpty() ? QStringList() : QStringList{shownPosition}));
        // Points of 0 print "0", and the cumulative total after the last event.
        QCOMPARE(column(g.printer, 1, 1, 4.75), QStringList({"Pts", "0", "0"}));
    }

    void resultsSheetsHeadingAndDisqualifications()
    {
        ReportGala g(3, 2);
        g.gala.LaneTime(2, 3) = QStringLiteral("DQ");
        g.gala.LaneName(2, 3) = QStringLiteral("Joe Bloggs");
        g.gala.LaneNotes(2, 3) = QStringLiteral("False start");
        PrintResultsSheets(g.shared, g.gala, g.printer);
        const Text promoter = g.one(QStringLiteral("Harbourside SC"));
        QCOMPARE(promoter.font, (PrintFont{QStringLiteral("Arial Narrow"), 12, true}));
        QVERIFY(promoter.y > 0); // after the opening blank line
        QCOMPARE_IN(g.one(QStringLiteral("12/10/26 - Autumn Gala")).x, 5.0);
        const Text team = g.all(QStringLiteral("T3")).value(0);
        QCOMPARE(team.font, (PrintFont{QStringLiteral("Arial Narrow"), 10, true, false, true}));
        QCOMPARE_IN(team.x, 2.5 + 2 * 1.4);
        QCOMPARE_IN(g.one(QStringLiteral("Event Details")).x, 0.0);
        QVERIFY(!g.one(QStringLiteral("Event Details")).font.bold);

        const QList<Text> dq = g.printer.on(1, 2);
        QCOMPARE(texts(dq), QStringList({"Disqualifications", "Event", "Team", "Swimmer",
                                         "Reason for Disqualification", "2", "T3", "Joe Bloggs",
                                         "False start"}));
        const double xs[] = {0, 0, 0.7, 2.0, 4.0, 0, 0.7, 2.0, 4.0};
        for (int i = 0; i < 9; ++i)
            QCOMPARE_IN(dq[i].x, xs[i]);
        QVERIFY(dq[0].font.bold && !dq[0].font.underline);
        QVERIFY(dq[1].font.underline && !dq[5].font.underline);
        QCOMPARE(dq[5].orientation, PrinterSurface::Portrait);
    }

    void resultsSheetsWithoutDisqualificationsStillHaveTheirPage()
    {
        ReportGala g(2, 2);
        PrintResultsSheets(g.shared, g.gala, g.printer);
        QCOMPARE(texts(g.printer.on(1, 2)),
                 QStringList({"Disqualifications", "Event", "Team", "Swimmer",
                              "Reason for Disqualification"}));
    }

    // ---- Team Results ----
    void teamResultsLayouts_data()
    {
        QTest::addColumn<bool>("named");
        QTest::addColumn<double>("timeX");
        QTest::addColumn<double>("positionX");
        QTest::addColumn<double>("reasonX");
        QTest::newRow("narrow") << false << 1.9 << 2.4 << 2.7;
        QTest::newRow("wide") << true << 3.5 << 4.0 << 4.3;
    }
    void teamResultsLayouts()
    {
        QFETCH(bool, named);
        QFETCH(double, timeX);
        QFETCH(double, positionX);
        QFETCH(double, reasonX);
        ReportGala g(1, 3);
        g.gala.LaneTime(1, 1) = QStringLiteral("31.00");
        g.gala.LanePos(1, 1) = 2;
        g.gala.LaneNotes(1, 1) = QStringLiteral("split 15.00");
        g.gala.LaneTime(2, 1) = QStringLiteral("D");
        g.gala.LaneNotes(2, 1) = QStringLiteral("False start");
        if (named)
            g.gala.LaneName(3, 1) = QStringLiteral("Jane");
        PrintTeamResults(g.shared, g.gala, nullptr, g.printer);

        QCOMPARE(g.all(QStringLiteral("Name")).size(), named ? 1 : 0);
        if (named)
            QCOMPARE_IN(g.one(QStringLiteral("Name")).x, 1.9);
        const Text time = g.one(QStringLiteral("Time"));
        QVERIFY(time.font.bold && time.font.underline && time.font.size == 10.0);
        QCOMPARE_IN(time.x, timeX);
        QCOMPARE_IN(g.one(QStringLiteral("Pos")).x, positionX);
        QCOMPARE_IN(g.one(QStringLiteral("Splits/Reason for Disqualification")).x, reasonX);
        QCOMPARE_IN(g.one(QStringLiteral("31.00")).x, timeX);
        QCOMPARE_IN(g.one(QStringLiteral(" 2 ")).x, positionX);
        // The unswum event and the disqualification print position " 0 ".
        QCOMPARE(g.all(QStringLiteral(" 0 ")).size(), 2);
        QCOMPARE_IN(g.one(QStringLiteral("D")).x, timeX);
        QCOMPARE_IN(g.one(QStringLiteral("False start")).x, reasonX);
        QVERIFY(g.all(QStringLiteral("split 15.00")).isEmpty());
        QCOMPARE_IN(g.all(QStringLiteral("G10 50m Freestyle")).value(0).x, 0.3);
        QCOMPARE(g.printer.pages.size(), 1);
        QCOMPARE(g.printer.pages[0].orientation, PrinterSurface::Portrait);
    }

    void teamResultsTitle_data()
    {
        QTest::addColumn<bool>("twoHeats");
        QTest::addColumn<QStringList>("line");
        QTest::newRow("one heat") << false << QStringList{"Results sheet for ", "T3", " Lane 3"};
        QTest::newRow("two heats")
            << true << QStringList{"Results sheet for ", "T3", " Heat 2", " Lane 3"};
    }
    void teamResultsTitle()
    {
        QFETCH(bool, twoHeats);
        QFETCH(QStringList, line);
        ReportGala g(3, 1);
        if (twoHeats)
            g.gala.TeamHeat[3] = 2;
        PrintTeamResults(g.shared, g.gala, nullptr, g.printer);
        QCOMPARE(g.printer.pages.size(), 3);
        const QList<Text> page = g.printer.on(1, 3);
        QCOMPARE(page[0].text, QStringLiteral("12/10/26 - Autumn Gala"));
        QCOMPARE(g.lineOf(page[1]), line);
        QVERIFY(page[2].font.underline && !page[1].font.underline && !page[3].font.underline);
        // Centred on a 7-inch line; the team line on the width of the whole
        // line, the lane measured last.
        RecordingSurface measure;
        measure.setFontName(QStringLiteral("Arial Narrow"));
        measure.setFontSize(12);
        measure.setFontBold(true);
        QCOMPARE_IN(page[0].x, (7.0 - measure.textWidth(page[0].text)) / 2);
        const QString whole = twoHeats ? QStringLiteral("Results sheet for T3 Lane 3 Heat 2")
                                       : QStringLiteral("Results sheet for T3 Lane 3");
        QCOMPARE_IN(page[1].x, (7.0 - measure.textWidth(whole)) / 2);
    }

    void teamResultsSplits()
    {
        QTemporaryDir dir;
        auto ares = Database::create(dir.filePath(QStringLiteral("ares.mdb")));
        ares->execute(QStringLiteral(
            "CREATE TABLE Times (Meet TEXT, Event DOUBLE, Heat INTEGER, Lane_number INTEGER, "
            "Kind_of_time TEXT, Lane_time TEXT)"));
        ares->addStoredQuery(QStringLiteral("Times for 1 event"),
                             QStringLiteral("SELECT * FROM Times WHERE Meet = ?1 AND Event = ?2 "
                                            "AND Heat = ?3 ORDER BY rowid"),
                             {QStringLiteral("Meet code"), QStringLiteral("Event number"),
                              QStringLiteral("Heat number")},
                             QStringLiteral("Times"));
        ares->execute(QStringLiteral(
            "INSERT INTO Times VALUES ('M1', 1, 1, 1, 'I', ' 15.2 '), ('M1', 1, 1, 2, 'I', "
            "'16.00'), ('M1', 1, 1, 1, 'I', '31.4'), ('M1', 1, 1, 1, 'F', '47.00'), "
            "('M1', 1, 1, 1, 'I', '62.5'), ('M1', 2, 1, 1, 'I', '20.00')"));
        ReportGala g(1, 2);
        g.gala.LaneTime(1, 1) = QStringLiteral("47.00");
        g.gala.LaneTime(2, 1) = QStringLiteral("D"); // no splits for a disqualified swim
        SplitTimes splits(ares.get(), QStringLiteral("M1"));
        PrintTeamResults(g.shared, g.gala, &splits, g.printer);
        const QStringList shown{"15.20", "31.40", "1:02.50"};
        for (int n = 0; n < 3; ++n) {
            const Text split = g.one(shown[n]);
            QCOMPARE_IN(split.x, 2.7 + 0.4 * n);
            QCOMPARE(split.y, g.one(QStringLiteral("47.00")).y);
        }
        QVERIFY(g.all(QStringLiteral("16.00")).isEmpty());
        QVERIFY(g.all(QStringLiteral("20.00")).isEmpty());
    }

    // ---- Chief TK Sheets ----
    void timekeeperQuestions_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("lanes");
        QTest::newRow("six lanes") << "6" << 6;
        QTest::newRow("cancel") << "" << 0;
        QTest::newRow("number first") << "3 lanes" << 3;
    }
    void timekeeperQuestions()
    {
        QFETCH(QString, answer);
        QFETCH(int, lanes);
        ReportGala g(1, 1);
        g.dialogs.expectInput(QStringLiteral("Number of Lanes"), answer);
        for (int lane = 1; lane <= lanes; ++lane)
            g.dialogs.expectInput(QStringLiteral("Team in Lane  %1").arg(lane),
                                  lane == 2 ? QString() : QStringLiteral("Team %1").arg(lane));
        const Slots<QString> teams = AskTimekeeperLanes(g.dialogs);
        PrintTimekeeperSheets(g.shared, g.gala, teams, g.printer);
        QCOMPARE(g.all(QStringLiteral("______________")).size(), lanes);
        QCOMPARE(g.all(QStringLiteral("_________")).size(), lanes);
        QCOMPARE(g.all(QStringLiteral("_____________________")).size(), lanes);
        QCOMPARE(g.all(QStringLiteral("Lane")).size(), 1);
        if (lanes >= 2) {
            // An empty answer leaves the team column empty, the rules still print.
            QCOMPARE(g.lineOf(g.one(QStringLiteral("2"))),
                     QStringList({"2", "______________", "_________", "_____________________"}));
            const Text team = g.one(QStringLiteral("Team 1"));
            QCOMPARE_IN(team.x, 1.0);
            QCOMPARE(g.lineOf(team), QStringList({"1", "Team 1", "______________", "_________",
                                                  "_____________________"}));
        }
    }

    void timekeeperForms()
    {
        ReportGala g(1, 5);
        g.gala.EventTime[1] = QStringLiteral("1:10.00");
        PrintTimekeeperSheets(g.shared, g.gala, Slots<QString>(2, QStringLiteral("A")), g.printer);
        QCOMPARE(g.printer.jobsEnded, 1);
        QCOMPARE(g.printer.pages.size(), 3);
        const QList<Text> galaLines = g.all(QStringLiteral("Autumn Gala (12/10/26)"));
        QCOMPARE(galaLines.size(), 5);
        const int pages[] = {1, 1, 2, 2, 3};
        const double ys[] = {0.6, 6.2, 0.6, 6.2, 0.6};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(galaLines[i].page, pages[i]);
            QCOMPARE_IN(galaLines[i].y, ys[i]);
            QCOMPARE(galaLines[i].font, (PrintFont{QStringLiteral("Arial"), 16, true}));
        }
        RecordingSurface measure;
        measure.setFontName(QStringLiteral("Arial"));
        measure.setFontSize(16);
        measure.setFontBold(true);
        QCOMPARE_IN(galaLines[0].x, (7.0 - measure.textWidth(galaLines[0].text)) / 2);
        const Text graded = g.one(QStringLiteral("Event 1  G10  50m  Freestyle(1:10.00)"));
        QCOMPARE(graded.font, (PrintFont{QStringLiteral("Arial"), 14, true, false, true}));
        QCOMPARE(g.one(QStringLiteral("Grade Time : 1:10.00")).page, 1);
        QCOMPARE(g.all(QStringLiteral("Event 2  G10  50m  Freestyle")).size(), 1);
        QCOMPARE(g.all(QStringLiteral("Grade Time : 1:10.00")).size(), 1);
        const Text heading = g.all(QStringLiteral("Swimmers Name/Team")).value(0);
        QCOMPARE(heading.font, (PrintFont{QStringLiteral("Arial Narrow"), 12, false, false, true}));
        const QStringList headings{"Lane", "Swimmers Name/Team", "Time", "Pos", "Disq?"};
        const double xs[] = {0, 1.0, 3.0, 4.5, 5.5};
        for (int i = 0; i < 5; ++i)
            QCOMPARE_IN(g.all(headings[i]).value(0).x, xs[i]);
        QVERIFY(!g.all(QStringLiteral("A")).value(0).font.underline);
    }

    // ---- Analysis of Positions ----
    void analysisCounts()
    {
        ReportGala g(3, 5);
        g.gala.TeamScoring[3] = false; // counted like any other
        const int places[5][3] = {{1, 2, 0}, {1, 0, 2}, {1, 2, 3}, {2, 1, 1}, {0, 0, 9}};
        for (int e = 1; e <= 5; ++e) {
            for (int k = 1; k <= 3; ++k)
                g.gala.LanePos(e, k) = places[e - 1][k - 1];
        }
        PrintPositionAnalysis(g.gala, g.printer);
        QCOMPARE(g.printer.pages.size(), 1);
        QCOMPARE(g.printer.pages[0].orientation, PrinterSurface::Landscape);
        const Text title = g.one(QStringLiteral("Analysis of Placings"));
        QVERIFY(title.font.bold);
        const QStringList heading = g.lineOf(g.one(QStringLiteral("Team Name")));
        QCOMPARE(heading, QStringList({"Team Name", "1", "2", "3"}));
        // T1: three firsts and one second; T2: one first, two seconds;
        // T3: one first, one second, one third (place 9 has no column).
        const QStringList rows[3] = {{"T1", "3", "1"}, {"T2", "1", "2"}, {"T3", "1", "1", "1"}};
        const double xs[3][4] = {{0, 2.0, 2.5}, {0, 2.0, 2.5}, {0, 2.0, 2.5, 3.0}};
        for (int k = 0; k < 3; ++k) {
            const Text name = g.one(QStringLiteral("T%1").arg(k + 1));
            QCOMPARE(g.lineOf(name), rows[k]);
            int i = 0;
            for (const Text &t : g.printer.texts) {
                if (qFuzzyCompare(t.y + 1, name.y + 1)) {
                    QCOMPARE_IN(t.x, xs[k][i]);
                    ++i;
                }
            }
        }
        for (const Text &t : g.all(QStringLiteral("1")))
            QVERIFY(t.font.underline == (t.y < g.one(QStringLiteral("T1")).y));
    }

    void analysisWithoutResults()
    {
        ReportGala g(2, 3);
        PrintPositionAnalysis(g.gala, g.printer);
        QCOMPARE(texts(g.printer.texts),
                 QStringList({"Analysis of Placings", "Team Name", "1", "2", "T1", "T2"}));
        QCOMPARE_IN(g.one(QStringLiteral("2")).x, 2.5);
        QCOMPARE(g.printer.jobsEnded, 1);
    }

    // ---- Speeding Tkts ----
    void speedingTickets_data()
    {
        QTest::addColumn<QStringList>("positions");
        QTest::addColumn<QStringList>("swimmers");
        QTest::newRow("none") << QStringList{"1", "2", "", ""} << QStringList{};
        QTest::newRow("three") << QStringList{"TF", "1", "TF", "TF"}
                               << QStringList{"Ann", "Cat", "Dee"};
        QTest::newRow("exact only") << QStringList{"tf", " TF", "TF ", "TF"} << QStringList{"Dee"};
    }
    void speedingTickets()
    {
        QFETCH(QStringList, positions);
        QFETCH(QStringList, swimmers);
        ReportGala g(4, 1);
        g.gala.EventDistance[1] = QStringLiteral("100");
        g.gala.EventStroke[1] = QStringLiteral("BR");
        g.show(1);
        const QStringList names{"Ann", "Bob", "Cat", "Dee"};
        for (int r = 0; r < 4; ++r) {
            g.sheet.setText(SheetModel::SwimmerName, r, names[r]);
            g.sheet.setText(SheetModel::Time, r, QStringLiteral("1:2%1.00").arg(r));
        }
        // Typed over the places the times gave.
        for (int r = 0; r < 4; ++r)
            g.sheet.setText(SheetModel::Position, r, positions[r]);
        QCOMPARE(PrintSpeedingTickets(g.gala, g.sheet, g.printer), int(swimmers.size()));
        QCOMPARE(g.printer.jobsEnded, int(swimmers.size()));
        QCOMPARE(g.printer.texts.size(), 3 * swimmers.size());
        for (int job = 1; job <= swimmers.size(); ++job) {
            const QList<Text> ticket = g.printer.on(job, 1);
            const int row = int(names.indexOf(swimmers[job - 1]));
            QCOMPARE(texts(ticket), QStringList({swimmers[job - 1], "100m Breaststroke",
                                                 QStringLiteral("1:2%1.00").arg(row)}));
            // Set at 2.63 across and 2.7, 3.6, 4.05 down, the origin moved
            // 0.2 inch left and 0.1 inch down.
            const double ys[] = {2.6, 3.5, 3.95};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE_IN(ticket[i].x, 2.83);
                QCOMPARE_IN(ticket[i].y, ys[i]);
                QCOMPARE(ticket[i].font, (PrintFont{QStringLiteral("Monotype Corsiva"), 14, true}));
                QCOMPARE(ticket[i].orientation, PrinterSurface::Portrait);
            }
        }
    }

    // ---- List of Swimmers for Announcer ----
    void announcerList()
    {
        ReportGala g(4, 4);
        g.gala.EventDistance[4] = QStringLiteral("100");
        g.gala.EventStroke[4] = QStringLiteral("BK");
        const int heats[] = {1, 2, 1, 2}; // stored in this order: four heat changes
        for (int k = 1; k <= 4; ++k)
            g.gala.TeamHeat[k] = heats[k - 1];
        g.gala.TeamLane[3] = 3;
        g.gala.TeamLane[4] = 12;
        g.gala.LaneName(4, 3) = QStringLiteral("Jane");
        g.gala.LaneName(4, 4) = QStringLiteral("Alexandra Konstantinopoulou");
        PrintAnnouncerList(g.gala, g.printer);
        QCOMPARE(g.printer.jobsEnded, 1);

        QStringList event4;
        for (const Text &t : g.printer.texts) {
            QCOMPARE_IN(t.x, 0.0);
            QCOMPARE(t.font, (PrintFont{QStringLiteral("Courier New"), 12, true}));
            if (t.text.startsWith(QLatin1String("Event: 4 ")) || !event4.isEmpty())
                event4 << t.text;
        }
        QCOMPARE(
            event4,
            QStringList({"Event: 4  Heat: 1 G10 100m Backstroke",
                         "1   " + QString(25, QLatin1Char(' ')) + "T1",
                         "3   Jane                     T3", "Event: 4  Heat: 2 G10 100m Backstroke",
                         "2   " + QString(25, QLatin1Char(' ')) + "T2",
                         "12  Alexandra Konstantinopou>T4", "Event: 4  Heat: 3 G10 100m Backstroke",
                         "Event: 4  Heat: 4 G10 100m Backstroke"}));
        QCOMPARE(g.all(QStringLiteral("Event: 1  Heat: 4 G10 50m Freestyle")).size(), 1);
        // A heading, a blank line, the two lanes of heat 1 and a blank line.
        const Text heat1 = g.one(QStringLiteral("Event: 1  Heat: 1 G10 50m Freestyle"));
        const Text heat2 = g.one(QStringLiteral("Event: 1  Heat: 2 G10 50m Freestyle"));
        RecordingSurface measure;
        measure.setFontName(QStringLiteral("Courier New"));
        measure.setFontSize(12);
        measure.setFontBold(true);
        QCOMPARE_IN(heat1.y, 0.0);
        QCOMPARE_IN(heat2.y - heat1.y, 5 * measure.lineHeight());
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
