#include "core/sheet/TeamScores.h"
#include "tests/core/sheet/RecordingFixture.h"
#include "tests/support/DataRow.h"

namespace {

// Times typed into one heat, lists separated by commas.
struct Rank
{
    QString scoring, graded, limit, times, positions;
};

const QString AddQuestion =
    QStringLiteral("There are already results for this gala, do you want to add to them?");

} // namespace

Q_DECLARE_METATYPE(Rank)

// The sheet model with the opening and saving of a gala and the team scores.
class TstRecording : public QObject
{
    Q_OBJECT
private slots:
    void ranking_data()
    {
        QTest::addColumn<Rank>("c");
        // The exchanges leave the later of two equal times ahead here...
        DataRow("tie behind a faster swim", Rank{"YYY", "N", "", "30,30,29", "3,2,1"});
        // ...and the earlier one ahead when nothing moves them.
        DataRow("tie in row order", Rank{"YYY", "N", "", "30,30,31", "1,2,3"});
        DataRow("guests fastest, between", Rank{"NYNY", "N", "", "28,30,29,31", ",1,,2"});
        // No place for no time, 0, an unreadable one, D, or D with a time.
        DataRow("unplaced", Rank{"YYYYYYY", "N", "", ",0,abc,D,D 28.00,31,30", ",,,,,2,1"});
        // Below the grade time, equal, slower, no time, a guest below.
        DataRow("graded", Rank{"YYYYN", "Y", "30.00", "29.50,30.00,31,,29", "TF,1,2,,"});
        DataRow("not graded: limit ignored", Rank{"YY", "N", "30", "29.5,30", "1,2"});
    }
    void ranking()
    {
        QFETCH(Rank, c);
        MemorySheet s(c.scoring);
        s.shared.Graded = c.graded;
        s.gala.EventTime[1] = c.limit;
        for (int r = 0; r < c.scoring.size(); ++r)
            s.model.setText(SheetModel::Time, r, c.times.split(',')[r]);
        QCOMPARE(s.column(SheetModel::Position), c.positions.split(','));
    }

    void points_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("positions"); // typed row by row; seven scoring teams, a guest
        QTest::addColumn<QString>("points");
        DataRow("places", "", "1,7,2,,TF,0,3.5,", " 7, 1, 6,,,, 4.5,");
        DataRow("2X", "2X", "1,7,,,,,,", " 14, 2,,,,,,");
        DataRow("no points event", "0", "1,,,,,,,", ",,,,,,,");
    }
    void points()
    {
        QFETCH(QString, scheme);
        QFETCH(QString, positions);
        MemorySheet s(QStringLiteral("YYYYYYYN"));
        s.gala.EventScoring[1] = scheme;
        for (int r = 0; r < 8; ++r) {
            s.model.setText(SheetModel::Position, r, QStringLiteral("TF")); // every row changes
            s.model.setText(SheetModel::Position, r, positions.split(',')[r]);
        }
        QTEST(s.column(SheetModel::Points).join(QLatin1Char(',')), "points");
    }

    // A slip into the position box: refused with the range, the box back to
    // what it held, points and total as they were.
    void positionSlips_data()
    {
        QTest::addColumn<int>("row"); // seven scoring teams and a guest in row 7
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // "" for a text taken
        QTest::addColumn<QString>("after");   // position, points, total
        const QString range = "Position %1 is out of range: positions run from 1 to 7, the "
                              "number of scoring teams.";
        DataRow("one past the last place", 0, "8", range.arg("8"), "3| 5| 5");
        DataRow("a time in minutes", 0, "1:05.23", range.arg("1:05.23"), "3| 5| 5");
        DataRow("below the first place", 0, "0.4", range.arg("0.4"), "3| 5| 5");
        DataRow("a tie typed by hand", 0, "1", "", "1| 7| 7");
        DataRow("guest", 7, "1",
                "T8 is a non-scoring team and takes no position: positions run from 1 to 7, for "
                "the scoring teams only.",
                "|| 0");
    }
    void positionSlips()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        MemorySheet s(QStringLiteral("YYYYYYYN"));
        s.model.setText(SheetModel::Position, 0, QStringLiteral("3"));
        s.model.PositionLostFocus(0);
        s.model.setText(SheetModel::Position, 1, QStringLiteral("1"));
        if (!message.isEmpty())
            s.dialogs.expectMessage(message);
        s.model.setText(SheetModel::Position, row, typed);
        QTEST(s.model.text(SheetModel::Position, row) + '|' +
                  s.model.text(SheetModel::Points, row) + '|' +
                  s.model.text(SheetModel::Total, row),
              "after");
    }

    void totalsAndShownEvents()
    {
        MemorySheet s(QStringLiteral("YYN"));
        // Points typed event by event. 2^24 + 1 is not a single-precision number, so team 1's
        // total shows the order of the sum.
        const QStringList typed[] = {{"16777216", " 6"}, {"1", " 2.5"}, {"1", ""}};
        for (int e = 1; e <= 3; ++e) {
            s.model.ShowEvent(e);
            for (int r = 0; r < 2; ++r)
                s.model.setText(SheetModel::Points, r, typed[e - 1][r]);
        }
        // Compared as doubles: QCOMPARE on floats is fuzzy and would hide the order.
        QCOMPARE(double(s.gala.TeamTotal[1]), 16777216.0);
        s.model.setBu(1, true);
        s.model.ShowEvent(2);
        // Negative points typed by hand are refused, the box back to what it held.
        s.dialogs.expectMessage(QStringLiteral("Points cannot be negative."));
        s.model.setText(SheetModel::Points, 0, QStringLiteral("-37.2"));
        QCOMPARE(s.column(SheetModel::Points) + s.column(SheetModel::Total).mid(1),
                 (QStringList{"1", "2.5", "0", "8.5", "0"}));
        QVERIFY(!s.model.bu(1));

        // Outside the programme the rows stay, and nothing typed reaches any lane.
        const QStringList before = laneSnapshot(s.gala);
        for (int e : {0, 4, -3}) {
            s.dialogs.expectMessage(QStringLiteral("Invalid Event Number"));
            s.model.ShowEvent(e);
            for (int c = SheetModel::Time; c < SheetModel::ColumnCount; ++c)
                s.model.setText(SheetModel::Column(c), 1, QStringLiteral("01/01/15"));
            s.model.DobLostFocus(1);
            s.model.TimeLostFocus(1);
        }
        // The heading says why the rows take no typing.
        QCOMPARE(s.model.eventDetails(), QStringLiteral("Invalid Event Number"));
        QCOMPARE(laneSnapshot(s.gala), before);
    }

    void typedResultsAreSavedOnEveryMoveAndComeBack()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        // Event 1 (limit 38.00, graded): 37.90 is too fast, the guests score nothing and
        // only a capital "D" asks for a reason.
        s.dialogs.expectMessage(QStringLiteral("Invalid Time"))
            .expectInput("Enter reason for Disqualification", "Early take-over")
            .expectMessage(QStringLiteral("Invalid Date of Birth"));
        const QStringList times{"39.1", "38.5", "37.9", "40", "3600.5", "D", "3600", "d"};
        for (int r = 0; r < 8; ++r) {
            s.model.setText(SheetModel::Time, r, times[r]);
            s.model.TimeLostFocus(r); // the official leaves the box
        }
        QCOMPARE(s.gala.LaneTime(1, 5) + '|' + s.gala.LaneTime(1, 7), "|60:00.00");
        s.model.setText(SheetModel::SwimmerName, 1, QStringLiteral("Amy Ash"));
        s.model.setText(SheetModel::Club, 1, QStringLiteral("Ashford SC"));
        // Born the day after the gala's date in 2026 can only be 1926.
        for (const char *typed : {"1 31/02/14", "1 05/06/14", "2 05/06/1925", "3 13/10/26"}) {
            const int row = typed[0] - '0';
            s.model.setText(SheetModel::DoB, row, QString::fromLatin1(typed + 2));
            s.model.DobLostFocus(row);
        }
        s.model.NextEvent();
        QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 2 B10 50m FS"));
        Database &db = *s.shared.GalaDb;
        const QStringList rows = galaRows(db, "DEMO");
        QCOMPARE(rows.value(12), "DEMO|2026-10-12|1|2|38.50|1|7||1|Amy Ash|Ashford SC|2014-06-05");
        // An event without entries: empty time, position 0, points 0, no date of birth.
        QCOMPARE(rows.value(1), QStringLiteral("DEMO|2026-10-12|2|1||0|0||1|||<null>"));
        QCOMPARE(rows.value(60), "DEMO|2026-10-12|1|2|D|0|0|Early take-over|2|||<null>");
        QCOMPARE(rows.value(24).section('|', 11) + ' ' + rows.value(36).section('|', 11),
                 "1925-06-05 1926-10-13");

        // Next Event on the last event says so. (Leaving the event box saves: tst_sheetwindow.)
        s.model.setEvNo(QStringLiteral("12"));
        s.model.EvNoLostFocus();
        s.dialogs.expectMessage(QStringLiteral("This is the last event"));
        s.model.NextEvent();

        // Opened again, everything comes back, the birth year in two digits.
        const QStringList typed = laneSnapshot(s.gala).replaceInStrings("05/06/1925", "05/06/25");
        s.dialogs.expectYesNo(AddQuestion, true);
        QVERIFY(s.open().opened());
        QCOMPARE(laneSnapshot(s.gala), typed);
        // Saved again, the date keeps its century, even from an emptied box.
        s.model.setText(SheetModel::DoB, 2, QString());
        s.model.DobLostFocus(2);
        QVERIFY(s.model.SaveResults(SaveAction::Save));
        const QStringList current = galaRows(db, "DEMO"), backup = galaRows(db, "backup");
        QCOMPARE(current.value(24).section('|', 11), "1925-06-05");

        // The disk refuses the 50th new row of the next save: both generations stay.
        db.execute("CREATE TRIGGER refuse BEFORE INSERT ON Gala_Record WHEN (SELECT count(*) "
                   "FROM Gala_Record WHERE \"Program code\" = 'DEMO') >= 49 BEGIN SELECT "
                   "RAISE(ABORT, 'disk full'); END");
        s.model.setText(SheetModel::Time, 2, QStringLiteral("41.00"));
        s.dialogs.expectMessage(QStringLiteral("Results not saved: disk full (Gala_Record)"));
        // Only a save that stored the gala is announced, with what caused it.
        QSignalSpy announced(&s.model, &SheetModel::resultsSaved);
        QVERIFY(!s.model.SaveResults(SaveAction::Save));
        QCOMPARE(announced.count(), 0);
        QCOMPARE(galaRows(db, "DEMO") + galaRows(db, "backup"), current + backup);
        // Once the disk accepts rows again the same gala saves, its rows carrying the
        // programme's own event numbers, not the places of the events, and the save
        // before is kept as the backup generation.
        db.execute(QStringLiteral("DROP TRIGGER refuse"));
        s.gala.EventNo[3] = QStringLiteral("5");
        QVERIFY(s.model.SaveResults(SaveAction::Exit));
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.at(0).at(0).value<SaveAction>(), SaveAction::Exit);
        QCOMPARE(galaRows(db, "backup"), QStringList(current).replaceInStrings("DEMO|", "backup|"));
        QCOMPARE(galaRows(db, "DEMO").value(2).section('|', 2, 4), QStringLiteral("5|1|"));
    }

    void opening_data()
    {
        QTest::addColumn<QString>("sql");     // run on the demonstration gala first
        QTest::addColumn<QString>("online");  // online timing off, its file "missing" or its text
        QTest::addColumn<QString>("answers"); // to adding to stored results, then destroying them
        QTest::addColumn<QString>("message"); // or the question asked
        QTest::addColumn<QString>("shown");   // gala name | total of row 5 | lane caption of row 17
        const auto heat3 = [](int lanes) {    // entries in a third heat after the demo's two
            return QStringLiteral("WITH RECURSIVE n(l) AS (SELECT 1 UNION ALL SELECT l + 1 FROM n "
                                  "WHERE l < %1) INSERT INTO Gala_Team SELECT 'DEMO', "
                                  "'2026-10-12', 3, l, 'T', 1 FROM n")
                .arg(lanes);
        };
        // Stored by an earlier save for lane 1 of heats 2 (team 5) and 1: event, points, heat;
        // the record of event 13, in no event, adds nothing.
        const QString results = QStringLiteral(
            "INSERT INTO Gala_Record SELECT 'DEMO', '2026-10-12', column1, 1, '', 1, column2, '', "
            "column3, '', '', NULL FROM (VALUES (3, 6, 2), (5, 7.5, 2), (13, 7, 1))");
        const QString renumber = QStringLiteral(
            "UPDATE Gala_Program SET \"Event No\" = \"Event No\" * 2 - 1 WHERE \"Event No\" > 2;");
        const QString refused = QStringLiteral("previous gala||"),
                      demo = "Harbourside Junior Team Gala|",
                      mismatch = "Serious error lane/event mismatch";
        // Asked for the name, the official answers "Winter League".
        DataRow("no name", "DELETE FROM Gala_Name", "", "", "", "Winter League|0|");
        DataRow("17 entries fill the sheet", heat3(9), "", "", "", demo + "0|3:9");
        DataRow("18 entries are refused", heat3(10), "", "", // before anything is asked or loaded
                "This gala has 18 team entries; the recording sheet has room for 17", refused);
        DataRow("no programme", "DELETE FROM Gala_Program", "", "", "Gala program empty", refused);
        const QString noOnline = QStringLiteral("Can't open online times database");
        DataRow("online times missing", "", "missing", "", noOnline, demo + "0|");
        DataRow("online times no database", "", "Meet,Event", "", noOnline, demo + "0|");
        DataRow("results: destroyed", results, "", "NY", "", demo + "0|");
        DataRow("results: kept after all", results, "", "NN", mismatch, demo + "13.5|");
        // Read by the programme's event numbers 1, 2, 5, 7, ..: event 3 is in none.
        DataRow("results: by event number", renumber + results, "", "Y", mismatch, demo + "7.5|");
    }
    void opening()
    {
        QFETCH(QString, online);
        QFETCH(QString, answers);
        QFETCH(QString, message);
        DemoSheet s;
        QFETCH(QString, sql);
        s.shared.GalaDb->execute(sql);
        s.shared.OnlineOn = !online.isEmpty();
        s.shared.AresDbPath = s.file.dir.filePath(QStringLiteral("ares.mdb"));
        if (online != QLatin1String("missing"))
            QVERIFY(PBUTIL::WriteTextFile(s.shared.AresDbPath, {online}, nullptr));
        s.gala.GalaName = QStringLiteral("previous gala");
        if (!answers.isEmpty())
            s.dialogs.expectYesNo(AddQuestion, answers[0] == 'Y');
        if (answers.size() > 1)
            s.dialogs.expectYesNoDefaultNo("Are you REALLY SURE that you want to destroy "
                                           "existing results for this gala?",
                                           answers[1] == 'Y');
        if (sql.startsWith(QLatin1String("DELETE FROM Gala_Name")))
            s.dialogs.expectInput("Competition Name", "Winter League");
        if (!message.isEmpty())
            s.dialogs.expectMessage(message);
        const QStringList stored = galaRows(*s.shared.GalaDb, "DEMO");
        const OpenedGala opened = s.open();
        QCOMPARE(opened.opened(), s.gala.GalaName != QLatin1String("previous gala"));
        // What the desk was told is kept for a caller without a window.
        QCOMPARE(opened.told, message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(s.gala.GalaName + '|' + s.model.text(SheetModel::Total, 4) + '|' +
                  s.model.laneCaption(16),
              "shown");
        QVERIFY(!opened.OnlineOn && !s.shared.OnlineOn);
        // Opening saves nothing: the set-up screen behind the sheet goes on reading the gala
        // database, and starting afresh leaves the stored rows for the next save to back up.
        QCOMPARE(galaRows(*s.shared.GalaDb, "DEMO"), stored);
    }

    void teamScores()
    {
        MemorySheet s(QStringLiteral("YYNYYY"),
                      {"Ashford", "Twenty One Characters", "Castleton Guests", "Bramley",
                       "Nil Points", "Deal"},
                      {"G10", "Open", "open", "G Open"}); // only "Open" makes an open event
        // Event by event, team by team.
        const float points[] = {1.25f, 0, 9, 0, 0, 0, 0, 2.25f, 0, 4.75f, 0, 0,
                                0,     2, 0, 0, 0, 0, 3, 0,     0, 0,     0, 0};
        for (int e = 1; e <= 4; ++e)
            for (int t = 1; t <= 6; ++t)
                s.gala.TeamTotal[t] += s.gala.LanePoints(e, t) = points[(e - 1) * 6 + t - 1];
        // Sorted by exchanges on greater totals: Ashford falls behind its equal when
        // Bramley takes the lead, the teams without points keep their order; the guests
        // are left out.
        QCOMPARE(TeamScores::PointScoresText(s.gala, s.model).split("\r\n"),
                 (QStringList{"Point scores after event 1", "1   Bramley             5",
                              "2   Twenty One Characte>4", "3   Ashford             4",
                              "4   Nil Points          ", "5   Deal                ", ""}));
        const auto table = [](const QString &heading, const QStringList &sums) {
            QStringList out{heading + " Competition to event number 4", ""};
            const QStringList names{"Ashford", "Twenty One Charac>", "Bramley", "Nil Points",
                                    "Deal"};
            for (int i = 0; i < 5; ++i)
                out << names[i].leftJustified(18) + sums[i];
            return out << QString();
        };
        QCOMPARE(TeamScores::CompetitionScores(s.gala, "4").shown().split("\r\n"),
                 table("Age Group", {" 1.25", " 2", " 0", " 0", " 0"}) +
                     table("Open", {" 3", " 2.25", " 4.75", " 0", " 0"}) +
                     table("Overall", {" 4.25", " 4.25", " 4.75", " 0", " 0"}));
    }
};

QTEST_APPLESS_MAIN(TstRecording)
#include "tst_recording.moc"
