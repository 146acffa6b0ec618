#include "recording/TeamScores.h"
#include "tests/recording/RecordingFixture.h"
#include "tests/support/DataRow.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

QStringList split(const QString &list)
{
    return list.split(QLatin1Char(','));
}

// Times typed into one heat, lists separated by commas.
struct Rank
{
    QString scoring, graded, limit, times, positions;
};
struct Placing
{
    QString scheme, position, points;
    int storedPos;
};

const QString Demo = QStringLiteral("DEMO");
const QString Backup = QStringLiteral("backup");
const QString AddQuestion =
    QStringLiteral("There are already results for this gala, do you want to add to them?");

// A stored result record of DEMO, as an earlier save would have left it:
// event, lane, time, position, points, notes, heat, name.
void addRecord(Database &db, const char *values)
{
    db.execute(QStringLiteral("INSERT INTO Gala_Record VALUES ('DEMO', '2026-10-12', %1, '', NULL)")
                   .arg(QLatin1String(values)));
}

QStringList asBackup(QStringList rows)
{
    return rows.replaceInStrings(QRegularExpression(QStringLiteral("^DEMO")), Backup);
}
QStringList lines(const QString &text)
{
    return text.split(QStringLiteral("\r\n"));
}

struct Cut
{
    QString name, inPointScores, inCompetition;
};

} // namespace

Q_DECLARE_METATYPE(Rank)
Q_DECLARE_METATYPE(Placing)
Q_DECLARE_METATYPE(Cut)

// The sheet model with the opening and saving of a gala and the team scores.
class TstRecording : public QObject
{
    Q_OBJECT
private slots:
    void ranking_data()
    {
        QTest::addColumn<Rank>("c");
        DataRow("fastest first", Rank{"YYY", "N", "", "30.00,29.00,31.00", "2,1,3"});
        // The exchanges leave the later of two equal times ahead here...
        DataRow("tie behind a faster swim", Rank{"YYY", "N", "", "30,30,29", "3,2,1"});
        // ...and the earlier one ahead when nothing moves them.
        DataRow("tie in row order", Rank{"YYY", "N", "", "30,30,31", "1,2,3"});
        DataRow("guests fastest, between", Rank{"NYNY", "N", "", "28,30,29,31", ",1,,2"});
        DataRow("no, zero, unreadable", Rank{"YYYY", "N", "", ",0,abc,30", ",,,1"});
        DataRow("D, D with a time", Rank{"YYYY", "N", "", "D,D 28.00,31,30", ",,2,1"});
        DataRow("graded: below, equal", Rank{"YYY", "Y", "30.00", "29.50,30.00,31", "TF,1,2"});
        DataRow("graded: minutes", Rank{"YY", "Y", "1:05.00", "1:04.99,1:05.01", "TF,1"});
        DataRow("graded: guest below", Rank{"YYN", "Y", "30", "31,32,29", "1,2,"});
        DataRow("graded: no time", Rank{"YY", "Y", "30", ",30", ",1"});
        DataRow("not graded: limit ignored", Rank{"YY", "N", "30", "29.5,30", "1,2"});
    }
    void ranking()
    {
        QFETCH(Rank, c);
        MemorySheet s(c.scoring);
        s.shared.Graded = c.graded;
        s.gala.EventTime[1] = c.limit;
        for (int r = 0; r < c.scoring.size(); ++r)
            s.model.setText(SheetModel::Time, r, split(c.times)[r]);
        QCOMPARE(s.column(SheetModel::Position), split(c.positions));
        QCOMPARE(s.gala.LanePos(1, 1), PBUTIL::LeadingWhole(split(c.positions)[0]));
    }

    void points_data()
    {
        QTest::addColumn<Placing>("c");
        // Seven scoring entries and one guest.
        DataRow("first", Placing{"", "1", " 7", 1});
        DataRow("last scoring place", Placing{"", "7", " 1", 7});
        DataRow("beyond the scoring teams", Placing{"", "8", " 0", 8});
        DataRow("empty", Placing{"", "", "", 0});
        DataRow("TF", Placing{"", "TF", "", 0});
        DataRow("zero", Placing{"", "0", "", 0});
        DataRow("2X first", Placing{"2X", "1", " 14", 1});
        DataRow("no points event", Placing{"0", "1", "", 1});
        DataRow("half place", Placing{"", "3.5", " 4.5", 4});
    }
    void points()
    {
        QFETCH(Placing, c);
        MemorySheet s(QStringLiteral("YYYYYYYN"));
        s.gala.EventScoring[1] = c.scheme;
        s.model.setText(SheetModel::Position, 0, QStringLiteral("99")); // so every case is a change
        s.model.setText(SheetModel::Position, 0, c.position);
        QCOMPARE(s.model.text(SheetModel::Points, 0), c.points);
        QCOMPARE(s.gala.LanePos(1, 1), c.storedPos);
        QCOMPARE(s.gala.LanePoints(1, 1), float(PBUTIL::LeadingNumber(c.points)));
    }

    void totalsSumInSinglePrecision_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<float>("total");
        // 2^24 + 1 is not a single-precision number: the order of the sum shows.
        DataRow("large first", QStringLiteral("16777216,1,1"), 16777216.0f);
        DataRow("large last", QStringLiteral("1,1,16777216"), 16777218.0f);
        DataRow("fractions, an empty box", QStringLiteral(" 6,, 2.5"), 8.5f);
    }
    void totalsSumInSinglePrecision()
    {
        QFETCH(QString, points);
        QFETCH(float, total);
        MemorySheet s(QStringLiteral("YY"));
        for (int e = 1; e <= 3; ++e) {
            s.model.setEvNo(QString::number(e));
            s.model.setText(SheetModel::Points, 0, QString());
            s.model.setText(SheetModel::Points, 0, split(points)[e - 1]);
        }
        QCOMPARE(s.gala.TeamTotal[1], total);
        QCOMPARE(s.model.text(SheetModel::Total, 0), PBUTIL::NumberText(total));
        QCOMPARE(s.gala.TeamTotal[2], 0.0f);
    }

    void showEventEdgeCases()
    {
        MemorySheet s(QStringLiteral("YYN"));
        s.points(2, 2, 2.5f);
        s.model.setBu(1, true);
        s.model.ShowEvent(2);
        QCOMPARE(s.column(SheetModel::Points), (QStringList{"0", "2.5", "0"}));
        QCOMPARE(s.column(SheetModel::Total), (QStringList{"0", "2.5", "0"}));
        QVERIFY(!s.model.bu(1));

        // Outside the programme: the box shows the number, the rows stay, and
        // nothing typed reaches any lane.
        const QStringList before = laneSnapshot(s.gala);
        for (int e : {0, 4, -3}) {
            s.dialogs.expectMessage(QStringLiteral("Invalid Event Number"));
            s.model.ShowEvent(e);
            QCOMPARE(s.model.evNo(), e == 0 ? QString() : QString::number(e));
            for (int c = SheetModel::Time; c < SheetModel::ColumnCount; ++c)
                s.model.setText(SheetModel::Column(c), 1, QStringLiteral("01/01/15"));
            s.model.setText(SheetModel::Time, 0, QStringLiteral("30.00"));
            s.model.DobLostFocus(1);
            s.model.TimeLostFocus(0);
        }
        // The heading says why the rows take no typing.
        QCOMPARE(s.model.eventDetails(), QStringLiteral("Invalid Event Number"));
        QVERIFY(!s.model.eventShown());
        QCOMPARE(laneSnapshot(s.gala), before);
    }

    void everyMoveSaves()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        const auto storedTime = [&](int e, int t) {
            return galaRows(*s.shared.GalaDb, Demo).value((t - 1) * 12 + e - 1).section('|', 4, 4);
        };
        // A lower-case "d" is no disqualification: no reason is asked.
        s.model.setText(SheetModel::Time, 0, QStringLiteral("d"));
        s.model.TimeLostFocus(0);
        s.model.setText(SheetModel::Time, 1, QStringLiteral("40.00"));
        s.model.NextEvent();
        QCOMPARE(storedTime(1, 2), QStringLiteral("40.00"));
        QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 2 B10 50m FS"));

        s.model.setText(SheetModel::Time, 1, QStringLiteral("41.00"));
        s.model.setEvNo(QStringLiteral("12"));
        s.model.EvNoLostFocus();
        QCOMPARE(storedTime(2, 2), QStringLiteral("41.00"));
        s.dialogs.expectMessage(QStringLiteral("This is the last event"));
        s.model.NextEvent();
        QCOMPARE(s.model.evNo(), QStringLiteral("12"));

        s.dialogs.expectMessage(QStringLiteral("Invalid Event Number"))
            .expectMessage(QStringLiteral("Current event number is invalid"));
        s.model.setEvNo(QString());
        s.model.EvNoLostFocus();
        s.model.NextEvent();
        QCOMPARE(s.model.eventDetails(), QStringLiteral("Invalid Event Number"));
    }

    void datesOfBirthKeepTheirCentury()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        const auto storedDoB = [&](int t) {
            return galaRows(*s.shared.GalaDb, Demo).value((t - 1) * 12).section('|', 11, 11);
        };
        s.model.setText(SheetModel::DoB, 1, QStringLiteral("05/06/1925"));
        s.model.DobLostFocus(1);
        // Born the day after the gala's date in 2026 can only be 1926.
        s.model.setText(SheetModel::DoB, 2, QStringLiteral("13/10/26"));
        s.model.DobLostFocus(2);
        QVERIFY(s.model.SaveResults());
        QCOMPARE(storedDoB(3), QStringLiteral("1926-10-13"));
        for (int round = 0; round < 2; ++round) {
            s.dialogs.expectYesNo(AddQuestion, true);
            QVERIFY(s.open().opened());
            QCOMPARE(s.model.text(SheetModel::DoB, 1), QStringLiteral("05/06/25"));
            if (round == 1) { // an emptied box keeps the stored date
                s.model.setText(SheetModel::DoB, 1, QString());
                s.model.DobLostFocus(1);
            }
            QVERIFY(s.model.SaveResults());
            QCOMPARE(storedDoB(2), QStringLiteral("1925-06-05"));
        }
    }

    void resultsKeepTheProgrammesEventNumbers()
    {
        DemoSheet s; // events 1, 2, 5, 7, 9, ...
        s.shared.GalaDb->execute(QStringLiteral(
            "UPDATE Gala_Program SET \"Event No\" = \"Event No\" * 2 - 1 WHERE \"Event No\" > 2"));
        QVERIFY(s.open().opened());
        s.model.setEvNo(QStringLiteral("3")); // the box takes the place in the programme
        s.model.EvNoLostFocus();
        QVERIFY(s.model.eventDetails().startsWith(QLatin1String("Event 5 ")));
        s.model.setText(SheetModel::Time, 0, QStringLiteral("40.00"));
        QVERIFY(s.model.SaveResults());
        QCOMPARE(galaRows(*s.shared.GalaDb, Demo).value(2).section('|', 2, 4),
                 QStringLiteral("5|1|40.00"));
        s.dialogs.expectYesNo(AddQuestion, true);
        QVERIFY(s.open().opened());
        QCOMPARE(s.gala.LaneTime(3, 1), QStringLiteral("40.00"));
    }

    void onlineTimesDatabaseThatWillNotOpen_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        DataRow("missing", QByteArray());
        DataRow("not a database", QByteArray("Meet,Event\r\n"));
    }
    void onlineTimesDatabaseThatWillNotOpen()
    {
        QFETCH(QByteArray, content);
        DemoSheet s;
        s.shared.OnlineOn = true;
        s.shared.AresDbPath = s.file.dir.filePath(QStringLiteral("ares.mdb"));
        if (!content.isEmpty()) {
            QFile f(s.shared.AresDbPath);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        }
        s.dialogs.expectMessage(QStringLiteral("Can't open online times database"));
        const OpenedGala opened = s.open();
        QVERIFY(opened.opened());
        QVERIFY(!opened.OnlineOn);
        QVERIFY(!s.shared.OnlineOn);
    }

    void typedTimesReachSavedRowsAndComeBack()
    {
        DemoSheet s;
        QVERIFY(s.open().opened());
        // Event 1 (limit 38.00, graded): 37.90 is too fast, the guests score nothing.
        s.dialogs.expectMessage(QStringLiteral("Invalid Time"))
            .expectInput(QStringLiteral("Enter reason for Disqualification"),
                         QStringLiteral("Early take-over"))
            .expectMessage(QStringLiteral("Invalid Date of Birth"));
        const QStringList times{"39.1", "38.5", "37.9", "40", "3600.5", "D", "3600", "36"};
        for (int r = 0; r < 8; ++r) {
            s.model.setText(SheetModel::Time, r, times[r]);
            s.model.TimeLostFocus(r); // the official leaves the box
        }
        QCOMPARE(s.gala.LaneTime(1, 5), QString());
        QCOMPARE(s.gala.LaneTime(1, 7), QStringLiteral("60:00.00"));
        s.model.setText(SheetModel::SwimmerName, 1, QStringLiteral("Amy Ash"));
        s.model.setText(SheetModel::Club, 1, QStringLiteral("Ashford SC"));
        for (const char *dob : {"31/02/14", "05/06/14"}) {
            s.model.setText(SheetModel::DoB, 1, QLatin1String(dob));
            s.model.DobLostFocus(1);
        }
        QCOMPARE(s.column(SheetModel::Position),
                 (QStringList{"2", "1", "TF", "3", "", "", "4", ""}));
        // Rows never placed keep the "0" the event was shown with; a refused time has none.
        QCOMPARE(s.column(SheetModel::Points),
                 (QStringList{" 6", " 7", "", " 5", "", "0", " 4", "0"}));

        // Event 12 scores double.
        s.model.setEvNo(QStringLiteral("12"));
        s.model.EvNoLostFocus();
        s.model.setText(SheetModel::Time, 0, QStringLiteral("2:10"));
        s.model.setText(SheetModel::Time, 1, QStringLiteral("2.05.5"));
        s.model.TimeLostFocus(1);
        QCOMPARE(s.column(SheetModel::Total).mid(0, 2), (QStringList{" 18", " 21"}));
        QVERIFY(s.model.SaveResults());

        const QStringList rows = galaRows(*s.shared.GalaDb, Demo);
        QCOMPARE(rows[12], QStringLiteral("DEMO|2026-10-12|1|2|38.50|1|7||1|Amy Ash|Ashford SC|"
                                          "2014-06-05"));
        QCOMPARE(rows[23], QStringLiteral("DEMO|2026-10-12|12|2|2:05.50|1|14||1|||<null>"));
        QCOMPARE(rows[60], QStringLiteral("DEMO|2026-10-12|1|2|D|0|0|Early take-over|2|||<null>"));

        // Opening the gala again brings everything back.
        const QStringList before = laneSnapshot(s.gala);
        GalaState reloaded;
        s.dialogs.expectYesNo(AddQuestion, true);
        QVERIFY(OpenGala(s.shared, reloaded, s.dialogs).opened());
        QCOMPARE(laneSnapshot(reloaded), before);
    }

    void storedResultsQuestions_data()
    {
        QTest::addColumn<bool>("addToThem");
        QTest::addColumn<bool>("reallySure");
        QTest::addColumn<bool>("loaded");
        DataRow("Yes", true, false, true);
        DataRow("No, then Yes", false, true, false);
        DataRow("No, then No", false, false, true);
    }
    void storedResultsQuestions()
    {
        QFETCH(bool, addToThem);
        QFETCH(bool, reallySure);
        QFETCH(bool, loaded);
        DemoSheet s;
        addRecord(*s.shared.GalaDb, "3, 1, '41.20', 2, 6, '', 2, 'Ben Bramley'");
        addRecord(*s.shared.GalaDb, "5, 1, '44.00', 1, 7.5, '', 2, ''");
        addRecord(*s.shared.GalaDb, "13, 1, '30.00', 1, 7, '', 1, ''"); // no event 13
        s.dialogs.expectYesNo(AddQuestion, addToThem);
        if (!addToThem)
            s.dialogs.expectYesNoDefaultNo(
                QStringLiteral("Are you REALLY SURE that you want to destroy "
                               "existing results for this gala?"),
                reallySure);
        if (loaded)
            s.dialogs.expectMessage(QStringLiteral("Serious error lane/event mismatch"));
        QVERIFY(s.open().opened());

        // Heat 2 lane 1 is team 5; the record of no event adds nothing.
        QCOMPARE(s.gala.LaneTime(3, 5), loaded ? QStringLiteral("41.20") : QString());
        QCOMPARE(s.gala.LaneName(3, 5), loaded ? QStringLiteral("Ben Bramley") : QString());
        QCOMPARE(s.model.text(SheetModel::Total, 4), loaded ? "13.5" : "0");
        QCOMPARE(s.gala.TeamTotal[1], 0.0f);
        // Starting afresh leaves the stored rows for the next save to back up.
        QCOMPARE(galaRows(*s.shared.GalaDb, Demo).size(), 3);
    }

    void codeWithoutNameAsksForIt()
    {
        DemoSheet s;
        s.shared.GalaDb->execute(QStringLiteral("DELETE FROM Gala_Name"));
        s.dialogs.expectInput(QStringLiteral("Competition Name"), QStringLiteral("Winter League"));
        QCOMPARE(s.open().caption(), QStringLiteral("Gala Recording : Winter League"));
    }

    void sheetRowLimit_data()
    {
        QTest::addColumn<int>("teams");
        DataRow("17 entries fill the sheet", 17);
        DataRow("18 entries are refused", 18);
    }
    void sheetRowLimit()
    {
        QFETCH(int, teams);
        DemoSheet s;
        for (int lane = 1; lane <= teams - 8; ++lane) // a third heat after the demo's two
            s.shared.GalaDb->execute(
                QStringLiteral("INSERT INTO Gala_Team VALUES ('DEMO', '2026-10-12', 3, %1, 'T', 1)")
                    .arg(lane));
        s.gala.GalaName = QStringLiteral("previous gala");
        if (teams > 17)
            s.dialogs.expectMessage(QStringLiteral(
                "This gala has 18 team entries; the recording sheet has room for 17"));

        const OpenedGala opened = s.open();
        QCOMPARE(opened.opened(), teams == 17);
        QCOMPARE(s.model.laneCaption(16), teams == 17 ? "3:9" : "");
        QCOMPARE(s.gala.GalaName, teams == 17 ? "Harbourside Junior Team Gala" : "previous gala");
    }

    void emptyProgrammeKeepsDatabaseOpen()
    {
        DemoSheet s;
        s.shared.ProgCode = QStringLiteral("NONE");
        s.dialogs.expectMessage(QStringLiteral("Gala program empty"));
        QVERIFY(s.open().outcome == OpenOutcome::ProgramEmpty);
        QVERIFY(s.shared.GalaDbOpen);
        // The set-up screen goes on reading the same database.
        QueryDef q = s.shared.GalaDb->queryDef(QStringLiteral("Gala_Program_Query"));
        q.setParameter(QStringLiteral("Enter program code"), Demo);
        QCOMPARE(q.openRecordset().recordCount(), 12);
    }

    void twoSavesThenAFailedOne()
    {
        DemoSheet s;
        NotingDialogs dialogs; // the failure is worded by the engine
        SheetModel model(s.shared, s.gala, dialogs);
        QVERIFY(s.open(&model).opened());
        Database &db = *s.shared.GalaDb;
        model.setText(SheetModel::Time, 0, QStringLiteral("40.00"));
        QVERIFY(model.SaveResults());
        const QStringList first = galaRows(db, Demo);
        QCOMPARE(first.size(), 8 * 12);
        QVERIFY(galaRows(db, Backup).isEmpty());
        // An event without entries: empty time, position 0, points 0, no date of birth.
        QCOMPARE(first[1], QStringLiteral("DEMO|2026-10-12|2|1||0|0||1|||<null>"));
        model.setText(SheetModel::Time, 1, QStringLiteral("39.00"));
        QVERIFY(model.SaveResults());
        const QStringList current = galaRows(db, Demo), backup = galaRows(db, Backup);
        QCOMPARE(backup, asBackup(first));

        // The disk refuses the 50th new row of the next save.
        db.execute(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON Gala_Record WHEN (SELECT count(*) FROM "
            "Gala_Record WHERE \"Program code\" = 'DEMO') >= 49 BEGIN SELECT RAISE(ABORT, "
            "'disk full'); END"));
        model.setText(SheetModel::Time, 2, QStringLiteral("41.00"));
        const QStringList inMemory = laneSnapshot(s.gala);
        QVERIFY(!model.SaveResults());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains(QLatin1String("disk full")));
        QCOMPARE(galaRows(db, Demo), current);
        QCOMPARE(galaRows(db, Backup), backup);
        QCOMPARE(laneSnapshot(s.gala), inMemory);

        // Once the disk accepts rows again the same gala saves.
        db.execute(QStringLiteral("DROP TRIGGER refuse"));
        QVERIFY(model.SaveResults());
        QCOMPARE(galaRows(db, Backup), asBackup(current));
    }

    void teamNamesCut_data()
    {
        QTest::addColumn<Cut>("c");
        DataRow("18", Cut{"Eighteen Chars Tea", "Eighteen Chars Tea  ", "Eighteen Chars Tea"});
        DataRow("19", Cut{"Nineteen Chars Team", "Nineteen Chars Team ", "Nineteen Chars Te>"});
        DataRow("20", Cut{"Twenty Characters Tm", "Twenty Characters Tm", "Twenty Characters>"});
        DataRow("21", Cut{"Twenty One Characters", "Twenty One Characte>", "Twenty One Charac>"});
    }
    void teamNamesCut()
    {
        QFETCH(Cut, c);
        MemorySheet s(QStringLiteral("Y"), {c.name});
        s.points(1, 1, 5);
        QCOMPARE(lines(TeamScores::PointScoresText(s.gala, s.model)).value(1),
                 QStringLiteral("1   ") + c.inPointScores + QStringLiteral("5"));
        QCOMPARE(lines(TeamScores::CompetitionScores(s.gala, QString()).overall).value(2),
                 c.inCompetition + QStringLiteral(" 5"));
    }

    void openCompetitionByExactCase_data()
    {
        QTest::addColumn<QString>("sexAge");
        QTest::addColumn<bool>("open");
        DataRow("Open", "Open", true);
        DataRow("open", "open", false);
        DataRow("G Open", "G Open", true);
        DataRow("G12", "G12", false);
    }
    void openCompetitionByExactCase()
    {
        QFETCH(QString, sexAge);
        QFETCH(bool, open);
        // Event 1 always counts for the age group; event 2 is the one under test.
        MemorySheet s(QStringLiteral("Y"), {"Harbourside"}, {"G10", sexAge});
        s.points(1, 1, 1.5f);
        s.points(2, 1, 4);
        const auto comp = TeamScores::CompetitionScores(s.gala, QStringLiteral("2"));
        const QString name = QStringLiteral("Harbourside       ");
        QCOMPARE(lines(comp.ageGroup).value(2), name + (open ? " 1.5" : " 5.5"));
        QCOMPARE(lines(comp.open).value(2), name + (open ? " 4" : " 0"));
        QCOMPARE(lines(comp.overall).value(2), name + QStringLiteral(" 5.5"));
    }

    void zeroPointsAndGuests()
    {
        MemorySheet s(QStringLiteral("YNY"), {"Nil Points", "Castleton Guests", "Ashford"});
        s.points(1, 2, 9);
        s.points(1, 3, 2);
        QCOMPARE(TeamScores::PointScoresText(s.gala, s.model),
                 QStringLiteral("Point scores after event 1\r\n"
                                "1   Ashford             2\r\n"
                                "2   Nil Points          \r\n"));
        const auto comp = TeamScores::CompetitionScores(s.gala, QStringLiteral("1"));
        QCOMPARE(comp.ageGroup, QStringLiteral("Age Group Competition to event number 1\r\n\r\n"
                                               "Nil Points         0\r\n"
                                               "Ashford            2\r\n"));
        QCOMPARE(lines(comp.open).mid(2),
                 (QStringList{"Nil Points         0", "Ashford            0", ""}));
        QVERIFY(!comp.overall.contains(QStringLiteral("Guests")));
    }

    void equalTotalsOrder_data()
    {
        QTest::addColumn<QList<float>>("totals");
        QTest::addColumn<QString>("order");
        DataRow("all equal keep sheet order", QList<float>{3, 3, 3}, "T1 T2 T3");
        DataRow("earlier stays ahead", QList<float>{5, 7, 5}, "T2 T1 T3");
        DataRow("third team moves it", QList<float>{5, 5, 7}, "T3 T2 T1");
        DataRow("fractions count", QList<float>{2.5f, 2.75f, 1}, "T2 T1 T3");
    }
    void equalTotalsOrder()
    {
        QFETCH(QList<float>, totals);
        QFETCH(QString, order);
        MemorySheet s(QStringLiteral("YYY"));
        for (int t = 1; t <= 3; ++t)
            s.points(1, t, totals[t - 1]);
        QStringList got;
        for (const QString &line : lines(TeamScores::PointScoresText(s.gala, s.model)).mid(1, 3))
            got << line.mid(4, 20).trimmed();
        QCOMPARE(got.join(QLatin1Char(' ')), order);
    }
};

QTEST_APPLESS_MAIN(TstRecording)
#include "tst_recording.moc"
