// The print-position rules and each report's layout on the recording surface:
// texts, places, fonts, pages and jobs.

#include "core/links/SplitTimes.h"
#include "core/reports/Reports.h"
#include "print/FontSubstitutes.h"
#include "print/RecordingSurface.h"
#include "tests/core/sheet/RecordingFixture.h"
#include "tests/support/DataRow.h"
#include "tools/ReadyMadeDatabases.h"

namespace {

using Text = RecordingSurface::Text;

// Inches compared to a thousandth.
#define QCOMPARE_IN(actual, expected)                                                              \
    QVERIFY2(qAbs((actual) - (expected)) < 0.001,                                                  \
             qPrintable(QStringLiteral("%1 is not %2").arg(actual).arg(expected)))

inline QStringList textsOf(const QList<Text> &list)
{
    QStringList out;
    for (const Text &t : list)
        out << t.text;
    return out;
}

// A gala in memory for the reports, event 1 on the sheet: `teams` scoring
// entries T1, T2, ... (heat 1, lane = index) and `events` 50m freestyle
// events "G10", numbered 1 ...
struct ReportGala : MemorySheet
{
    RecordingSurface printer;

    ReportGala(int teams, int events)
        : MemorySheet(QString(teams, 'Y'), {}, QStringList(events, "G10"))
    {
        shared.GalaDate = "12/10/26";
        shared.Promoter = "Harbourside SC";
        gala.GalaName = "Autumn Gala";
    }

    QList<Text> all(const QString &text) const
    {
        QList<Text> out;
        std::copy_if(printer.texts.begin(), printer.texts.end(), std::back_inserter(out),
                     [&](const Text &t) { return t.text == text; });
        return out;
    }
    // The one text equal to `text`; one printed twice or never is off the page.
    Text one(const QString &text) const
    {
        const auto found = all(text);
        return found.size() == 1 ? found[0] : Text{0, 0, PrinterSurface::Portrait, -9, -9, {}, {}};
    }
    // Texts of one page at one x, in print order.
    QStringList column(int job, int page, double x) const
    {
        QStringList out;
        for (const Text &t : printer.on(job, page))
            if (qAbs(t.x - x) < 0.001)
                out << t.text;
        return out;
    }
    // The line of `text` as "text@x" in print order: the texts and their places at a glance.
    QString line(const QString &text) const { return line(one(text)); }
    QString line(const Text &at) const
    {
        QStringList out;
        for (const auto &o : printer.on(at.job, at.page))
            if (qFuzzyCompare(o.y + 1, at.y + 1))
                out << QStringLiteral("%1@%2").arg(o.text).arg(qRound(o.x * 1000) / 1000.0);
        return out.join(" | ");
    }
    // Where a line starting at `at` begins when `whole` is centred on 7 inches in its font.
    double centred(const Text &at, const QString &whole)
    {
        printer.restore({at.orientation, at.font});
        return (7.0 - printer.textWidth(whole)) / 2;
    }
};

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    void surface()
    {
        RecordingSurface p;
        const PrintFont courier{"Courier New", 12, true};
        p.restore({PrinterSurface::Landscape, courier});
        p.setCurrentX(1.0);
        p.print("Team"); // stays on the line
        p.printLine("Name");
        QCOMPARE_IN(p.texts[1].x, 1.0 + p.textWidth("Team"));
        for (int i = 0; i < 100; ++i) // flows onto the next page: A4 less half an inch
            p.printLine(QString::number(i));
        for (const auto &t : p.texts)
            QVERIFY(t.y + p.lineHeight() <= 8.27 - 0.5 + 0.001);
        QCOMPARE_IN(p.on(1, 2).value(0).y, 0.0);
        p.setOrientation(PrinterSurface::Portrait); // governs the pages started after it
        p.setCurrentX(3.0);
        p.newPage();
        p.endDoc(); // after NewPage: no blank page
        p.printLine("a");
        p.newPage();
        p.newPage();  // a page with nothing on it is still a page
        p.print("b"); // top left, the font kept
        p.endDoc();
        p.endDoc(); // nothing printed: no job
        QCOMPARE(p.jobsEnded, 2);
        QString orientations;
        for (const auto &page : p.pages)
            orientations += page.orientation == PrinterSurface::Landscape ? 'L' : 'P';
        QCOMPARE(orientations, QStringLiteral("LLLPPP"));
        const Text b = p.texts.last();
        QCOMPARE((QList<int>{b.job, b.page}), (QList<int>{2, 3}));
        QCOMPARE_IN(b.x + b.y, 0.0);
        QCOMPARE(b.font, courier);
        // The tickets' shifted origin is put back by the next report's inches.
        p.setScaleLeft(-0.2);
        p.setScaleModeInches();
        p.setCurrentX(2.63);
        p.print("c");
        QCOMPARE_IN(p.texts.last().x, 2.63);
        // A text cut to its column ends in the mark, no blank before it.
        const QString cut = PrinterSurface::CutMark;
        p.setFontName("Arial Narrow");
        QCOMPARE(p.fitted("Bramley Dolphins Junior", p.textWidth("Bramley Dolphins Jun" + cut)),
                 "Bramley Dolphins Jun" + cut);
        QCOMPARE(p.fitted("Mixed Open 100m Breaststroke", p.textWidth("Mixed Open " + cut)),
                 "Mixed Open" + cut);
        QCOMPARE(p.fitted("Harbourside", p.textWidth(".")), QString()); // not even the mark fits
    }

    // Placed first, no time next, the disqualification last: a row without a
    // place never comes before the winner.
    void thisResult()
    {
        const QStringList times{"32.00", "D", "31.00", ""};
        ReportGala g(4, 3);
        for (int r = 0; r < 4; ++r) {
            g.model.setText(SheetModel::Time, r, times[r]);
            g.model.setText(SheetModel::Notes, r, QStringLiteral("Reason %1").arg(r + 1));
        }
        const QString longName = "Alexandra Konstantinopoulou-Smythe";
        g.model.setText(SheetModel::SwimmerName, 2, longName);
        g.gala.TeamTotal[3] = 12.5f;
        PrintThisResult(g.shared, g.gala, g.model, g.printer);
        QCOMPARE(g.column(1, 1, 2.0).join(','), "T3,T1,T4,T2");
        // The two headings, then the positions.
        QCOMPARE(g.column(1, 1, 0).join(','),
                 "Autumn Gala (12/10/26),Event 1 : G10 50m Freestyle, 1, 2,DQ");
        // The reason prints only for a disqualified row, and no time for it.
        QCOMPARE(g.column(1, 1, 4.8).join(','), "Reason 2");
        QVERIFY(g.all("D").isEmpty());
        QCOMPARE(g.line("T3").section(" | ", 2), "T3@2 | 31.00@3.5 |  12.5@7");
        // A long name is cut before the team column, and shows it.
        const QString cut = g.line("T3").section(" | ", 1, 1).chopped(4);
        QVERIFY2(cut.endsWith(PrinterSurface::CutMark) && longName.startsWith(cut.chopped(1)) &&
                     0.5 + g.printer.textWidth(cut) <= 2.0,
                 qPrintable(cut));
        // The reason for a disqualification is never cut: it wraps under
        // its column, below its row and above the next.
        const QString reason = "Non-simultaneous touch at the turn and at the finish, reported "
                               "by the judge of strokes";
        g.model.setText(SheetModel::Notes, 1, reason);
        PrintThisResult(g.shared, g.gala, g.model, g.printer);
        QList<Text> lines;
        for (const Text &t : g.printer.on(2, 1))
            if (qAbs(t.x - 4.8) < 0.001)
                lines << t;
        QCOMPARE(textsOf(lines).join(' '), reason);
        // Each line fits (the whole would not) and stands below the one before.
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY(4.8 + g.printer.textWidth(lines[i].text) <= 7.0 &&
                    (i == 0 || lines[i].y > lines[i - 1].y));
        g.model.setEvNo("5"); // outside the programme: nothing prints
        PrintThisResult(g.shared, g.gala, g.model, g.printer);
        QCOMPARE(g.printer.jobsEnded, 2);
    }

    void resultsSheets_data()
    {
        // Per landscape page: first team, first event, number of cumulative lines and the
        // last cumulative total of T1 or T7 (a point an event after the first).
        QTest::addColumn<int>("teams");
        QTest::addColumn<int>("events");
        QTest::addColumn<bool>("graded"); // and T3 disqualified in event 1
        QTest::addColumn<QString>("pages");
        DataRow("8 x 28, graded", 8, 28, true, "T1 1 5 24,T1 26 1 27,T7 1 5 24,T7 26 1 27");
        DataRow("6 x 12, none disqualified", 6, 12, false, "T1 1 3 11");
    }
    void resultsSheets()
    {
        QFETCH(int, teams);
        QFETCH(int, events);
        QFETCH(bool, graded);
        QFETCH(QString, pages);
        // The position of T1 and the time of T3 in event 1.
        const QString tooFast = graded ? "TF@3.1 | " : "", dq = graded ? "D@5.3 | " : "";
        ReportGala g(teams, events);
        g.shared.Graded = graded ? "Y" : "N";
        for (int e = 2; e <= events; ++e)
            for (int k = 1; k <= teams; ++k)
                g.gala.LanePoints(e, k) = 1.0f;
        // Too fast, non-scoring and as fast, disqualified or not swum, placed.
        // T5's words are no swim: never TF.
        const QStringList times{"29.50", "29.50", dq.section('@', 0, 0), "31.00", "abc"};
        for (int k = 1; k <= 5; ++k)
            g.gala.LaneTime(1, k) = times[k - 1];
        g.gala.TeamScoring[2] = false;
        g.gala.LanePos(1, 4) = 2;
        g.gala.LaneName(1, 3) = "Joe Bloggs";
        g.gala.LaneNotes(1, 3) = "False start";
        PrintResultsSheets(g.shared, g.gala, g.printer);
        QCOMPARE(g.printer.jobsEnded, 1);
        const int landscape = int(pages.count(',')) + 1;
        QCOMPARE(g.printer.pages.size(), landscape + 1);
        QStringList printed; // column 0: promoter, "Event Details", then the event numbers
        for (int page = 1; page <= landscape; ++page)
            printed << QStringLiteral("%1 %2 %3 %4")
                           .arg(g.column(1, page, 2.5).value(0), g.column(1, page, 0).value(2))
                           .arg(g.column(1, page, 0.3).count("Cumulative Points"))
                           .arg(g.column(1, page, 3.35).last());
        QCOMPARE(printed.join(','), pages);
        QCOMPARE(g.printer.pages[landscape - 1].orientation, PrinterSurface::Landscape);
        QCOMPARE(g.line(g.all("Harbourside SC").value(0)),
                 "Harbourside SC@0 | 12/10/26 - Autumn Gala@5");
        QCOMPARE(g.line(g.all("T3").value(0)),
                 "T1@2.5 | T2@3.9 | T3@5.3 | T4@6.7 | T5@8.1 | T6@9.5");
        // Points of 0 print "0"; a column's position is empty without a place.
        QCOMPARE(g.line(g.all("G10 50m Freestyle").value(0)),
                 "1@0 | G10 50m Freestyle@0.3 | 29.50@2.5 | " + tooFast +
                     "0@3.35 | 29.50@3.9 | 0@4.75 | " + dq +
                     "0@6.15 | 31.00@6.7 | 2@7.3 | 0@7.55 | abc@8.1 | 0@8.95 | 0@10.35");
        // The disqualifications page follows, portrait, even with none.
        QCOMPARE(g.printer.pages.last().orientation, PrinterSurface::Portrait);
        const QList<Text> last = g.printer.on(1, landscape + 1);
        QCOMPARE(textsOf(last).join(','),
                 "Disqualifications,Event,Team,Swimmer,Reason for Disqualification" +
                     QString(graded ? ",1,T3,Joe Bloggs,False start" : ""));
        QCOMPARE(g.line(last[1]), "Event@0 | Team@0.7 | Swimmer@2 | Reason for Disqualification@4");
    }

    void teamResults_data()
    {
        QTest::addColumn<int>("heat");      // of T1, in a gala of one heat
        QTest::addColumn<QString>("title"); // as printed, a text a part
        QTest::addColumn<QString>("x");     // of time, position, reason and splits
        // A split that reads as nothing still takes its place.
        DataRow("narrow", 1, "Results sheet for |T1| Lane 1", "1.9,2.4,2.7,3.5,3.9");
        // A swimmer's name widens the page by a name column.
        DataRow("named, two heats", 2, "Results sheet for |T1| Heat 2| Lane 1",
                "3.5,4,4.3,5.1,5.5");
    }
    void teamResults()
    {
        QFETCH(int, heat);
        QFETCH(QString, title);
        QFETCH(QString, x);
        const QStringList at = x.split(',');
        const QString named = heat > 1 ? "Name@1.9 | " : "";
        QTemporaryDir dir;
        auto ares = ReadyMade::createOnlineTimesDatabase(dir.filePath("ares.mdb"));
        // The intermediate times of T1's heat (one that reads as nothing, one
        // of another kind), and none of a disqualified swim.
        ares->execute(
            QStringLiteral("INSERT INTO Online_Times (\"Meet code\", \"Event number\", "
                           "\"Heat number\", Kind_of_time, Lane_number, Lane_time) VALUES "
                           "('M1', 1, %1, ' I', 1, '20.5'), ('M1', 1, %1, 'I', 1, ' 15.2 '), "
                           "('M1', 1, %1, 'I', 1, 'abc'), ('M1', 1, %1, 'I', 1, '31.4'), "
                           "('M1', 1, %1, 'I', 1, '62.5'), ('M1', 2, %1, 'I', 1, '20.00')")
                .arg(heat));
        SplitTimes splits(ares.get(), "M1");
        ReportGala g(2, 3);
        g.gala.TeamHeat[1] = heat;
        g.gala.LaneTime(1, 1) = "31.00";
        g.gala.LanePos(1, 1) = 2;
        g.gala.LaneNotes(1, 1) = "split 15.00"; // notes of a swim that counts never print
        g.gala.LaneTime(2, 1) = "D";
        g.gala.LaneNotes(2, 1) = "False start";
        g.gala.LaneName(3, 1) = named.isEmpty() ? "" : "Jane";
        PrintTeamResults(g.shared, g.gala, splits, g.printer);
        QCOMPARE(g.printer.pages.size(), 2); // a portrait page a team
        QCOMPARE(g.printer.pages[0].orientation, PrinterSurface::Portrait);
        const QList<Text> page = g.printer.on(1, 1);
        QCOMPARE(textsOf(page.mid(0, title.count('|') + 2)).join('|'),
                 "12/10/26 - Autumn Gala|" + title);
        QCOMPARE_IN(page[0].x, g.centred(page[0], page[0].text));
        QCOMPARE(
            g.line(g.all("Pos")[0]),
            QStringLiteral("Event@0 | %1Time@%2 | Pos@%3 | Splits/Reason for Disqualification@%4")
                .arg(named, at[0], at[1], at[2]));
        QCOMPARE(g.line("31.00"), QStringLiteral("1@0 | G10 50m Freestyle@0.3 | 31.00@%1 |  2 @%2 "
                                                 "| 15.20@%3 | 31.40@%4 | 1:02.50@%5")
                                      .arg(at[0], at[1], at[2], at[3], at[4]));
        QCOMPARE(g.line("False start"),
                 QStringLiteral("2@0 | G10 50m Freestyle@0.3 | D@%1 |  0 @%2 | False start@%3")
                     .arg(at[0], at[1], at[2]));
        // Unswum events and the disqualification print position " 0 ".
        QCOMPARE(g.all(" 0 ").size(), 5);
        QVERIFY(g.all("split 15.00").isEmpty() && g.all("20.00").isEmpty());
        QVERIFY(g.all("20.50").isEmpty()); // a kind of time that is not exactly "I"
    }

    void timekeeperSheets_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("lanes");
        DataRow("six lanes", QString("6"), 6);
        DataRow("below none", QString("-3"), 0);
        DataRow("at most 99", QString("150"), 99);
    }
    void timekeeperSheets()
    {
        QFETCH(QString, answer);
        QFETCH(int, lanes);
        ReportGala g(1, 5);
        g.gala.EventTime[1] = "1:10.00";
        g.dialogs.expectInput("Number of Lanes", answer);
        for (int lane = 1; lane <= lanes; ++lane)
            g.dialogs.expectInput(QStringLiteral("Team in Lane  %1").arg(lane),
                                  lane == 2 ? QString() : QStringLiteral("Team %1").arg(lane));
        PrintTimekeeperSheets(g.shared, g.gala, AskTimekeeperLanes(g.dialogs), g.printer);
        QCOMPARE(g.all("_____________________").size(), 5 * lanes);
        if (lanes >= 2) {
            // An empty answer leaves the team column empty, the rules still print.
            const QString rules = " | ______________@3 | _________@4.5 | _____________________@5.5";
            QCOMPARE(g.line(g.all("2").value(0)), "2@0" + rules);
            QCOMPARE(g.line(g.all("Team 1").value(0)), "1@0 | Team 1@1" + rules);
        }
        if (lanes > 6)
            return; // the forms run over pages
        const QList<Text> galaLines = g.all("Autumn Gala (12/10/26)");
        QStringList forms; // page and place of each form's first line: two forms a page
        for (const Text &t : galaLines)
            forms << QStringLiteral("%1@%2").arg(t.page).arg(t.y);
        QCOMPARE(forms, QStringList({"1@0.6", "1@6.2", "2@0.6", "2@6.2", "3@0.6"}));
        QCOMPARE_IN(galaLines[0].x, g.centred(galaLines[0], galaLines[0].text));
        QCOMPARE(g.one("Event 1  G10  50m  Freestyle(1:10.00)").page, 1);
        QCOMPARE(g.one("Grade Time : 1:10.00").page, 1);
        QCOMPARE(g.all("Event 2  G10  50m  Freestyle").size(), 1);
        QCOMPARE(g.line(g.all("Disq?").value(0)),
                 "Lane@0 | Swimmers Name/Team@1 | Time@3 | Pos@4.5 | Disq?@5.5");
    }

    // ---- Analysis of Positions ----
    void analysisCounts()
    {
        ReportGala g(3, 5);
        g.gala.TeamScoring[3] = false; // counted like any other
        const int places[5][3] = {{1, 2, 0}, {1, 0, 2}, {1, 2, 3}, {2, 1, 1}, {0, 0, 9}};
        for (int e = 1; e <= 5; ++e)
            for (int k = 1; k <= 3; ++k)
                g.gala.LanePos(e, k) = places[e - 1][k - 1];
        PrintPositionAnalysis(g.gala, g.printer);
        QCOMPARE(g.printer.pages[0].orientation, PrinterSurface::Landscape);
        QCOMPARE(g.one("Analysis of Placings").page, 1);
        QCOMPARE(g.line("Team Name"), "Team Name@0 | 1@2 | 2@2.5 | 3@3");
        // T1: three firsts and one second; T2: one first, two seconds;
        // T3: one first, one second, one third (place 9 has no column).
        QCOMPARE(g.line("T1"), "T1@0 | 3@2 | 1@2.5");
        QCOMPARE(g.line("T2"), "T2@0 | 1@2 | 2@2.5");
        QCOMPARE(g.line("T3"), "T3@0 | 1@2 | 1@2.5 | 1@3");
    }

    // ---- Speeding Tkts ----
    // A ticket, a job of its own, for each position typed exactly "TF".
    void speedingTickets()
    {
        ReportGala g(4, 1);
        const QStringList names{"Ann", "Bob", "Cat", "Dee"}, positions{"TF", "tf", "TF ", "TF"};
        for (int r = 0; r < 4; ++r) {
            g.model.setText(SheetModel::SwimmerName, r, names[r]);
            g.model.setText(SheetModel::Time, r, QStringLiteral("1:2%1.00").arg(r));
        }
        for (int r = 0; r < 4; ++r) // typed over the places the times gave
            g.model.setText(SheetModel::Position, r, positions[r]);
        QCOMPARE(PrintSpeedingTickets(g.gala, g.model, g.printer), 2);
        QCOMPARE(g.printer.jobsEnded, 2);
        QStringList printed; // job:text@y
        for (const Text &t : g.printer.texts) {
            // At 2.63 across and 2.7, 3.6, 4.05 down, the origin moved 0.2 left and 0.1 down.
            QCOMPARE_IN(t.x, 2.83);
            printed << QStringLiteral("%1:%2@%3").arg(t.job).arg(t.text).arg(t.y);
        }
        QCOMPARE(printed.join(','), "1:Ann@2.6,1:50m Freestyle@3.5,1:1:20.00@3.95,"
                                    "2:Dee@2.6,2:50m Freestyle@3.5,2:1:23.00@3.95");
    }

    // ---- List of Swimmers for Announcer ----
    void announcerList()
    {
        ReportGala g(4, 4);
        g.gala.EventDistance[4] = "100";
        g.gala.EventStroke[4] = "BK";
        g.gala.TeamHeat[2] = g.gala.TeamHeat[4] = 2; // heats 1, 2, 1, 2: four heat changes
        g.gala.TeamLane[4] = 12;
        g.gala.LaneName(4, 3) = "Jane";
        g.gala.LaneName(4, 4) = "Alexandra Konstantinopoulou";
        PrintAnnouncerList(g.gala, g.printer);
        QCOMPARE(g.printer.texts.last().font, (PrintFont{"Courier New", 12, true}));
        const QStringList texts = textsOf(g.printer.texts);
        const QString noName(25, ' ');
        QCOMPARE(
            texts.mid(texts.indexOf("Event: 4  Heat: 1 G10 100m Backstroke")),
            QStringList({"Event: 4  Heat: 1 G10 100m Backstroke", "1   " + noName + "T1",
                         "3   Jane                     T3", "Event: 4  Heat: 2 G10 100m Backstroke",
                         "2   " + noName + "T2", "12  Alexandra Konstantinopou>T4",
                         "Event: 4  Heat: 3 G10 100m Backstroke",
                         "Event: 4  Heat: 4 G10 100m Backstroke"}));
        // A heading, a blank line, the two lanes of heat 1 and a blank line.
        QCOMPARE_IN(g.one("Event: 1  Heat: 1 G10 50m Freestyle").y, 0.0);
        QCOMPARE_IN(g.one("Event: 1  Heat: 2 G10 50m Freestyle").y, 5 * g.printer.lineHeight());
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
