#include "recording/SaveResults.h"
#include "tests/recording/RecordingFixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A gala built in memory: three 50m events and one team entry per letter of
// `scoring` ("Y" scoring, "N" not), all in heat 1.
struct MemorySheet
{
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;
    SheetModel model{shared, gala, dialogs};

    explicit MemorySheet(const QString &scoring, const QString &eventScoring = {},
                         const QString &limit = {})
    {
        gala.NoOfEvents = 3;
        gala.resizeEvents(3);
        for (int e = 1; e <= 3; ++e) {
            gala.EventNo[size_t(e)] = QString::number(e);
            gala.EventSexAge[size_t(e)] = QStringLiteral("G12");
            gala.EventDistance[size_t(e)] = QStringLiteral("50");
            gala.EventStroke[size_t(e)] = QStringLiteral("BK");
            gala.EventTime[size_t(e)] = limit;
            gala.EventScoring[size_t(e)] = eventScoring;
        }
        gala.NoOfTeams = int(scoring.size());
        gala.resizeTeams(gala.NoOfTeams);
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            gala.TeamName[size_t(t)] = QStringLiteral("Team %1").arg(t);
            gala.TeamHeat[size_t(t)] = 1;
            gala.TeamLane[size_t(t)] = t;
            gala.TeamScoring[size_t(t)] = scoring[t - 1] == QLatin1Char('Y');
            gala.NoOfScoringTeams += gala.TeamScoring[size_t(t)] ? 1 : 0;
        }
        model.setUpRows();
        model.ShowEvent(1);
    }

    QStringList column(SheetModel::Column c) const { return columnTexts(model, gala.NoOfTeams, c); }
};

} // namespace

class TstSheetModel : public QObject
{
    Q_OBJECT
private slots:
    void ranking_data();
    void ranking();
    void points_data();
    void points();
    void totalsSumInSinglePrecision_data();
    void totalsSumInSinglePrecision();
    void leavingTimeBox_data();
    void leavingTimeBox();
    void swimmerBoxes();
    void showEventEdgeCases();
    void showEventRanksStoredTimes();
    void outOfRangeEventTouchesNothing();
    void nextEventMessages();
    void typedTimesReachSavedRowsAndComeBack();
};

void TstSheetModel::ranking_data()
{
    QTest::addColumn<QString>("scoring");
    QTest::addColumn<bool>("graded");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<QStringList>("positions");

    using L = QStringList;
    QTest::newRow("fastest first")
        << "YYY" << false << "" << L{"30.00", "29.00", "31.00"} << L{"2", "1", "3"};
    // The exchanges leave the later of two equal times ahead here...
    QTest::newRow("tie after a faster swim")
        << "YYY" << false << "" << L{"30.00", "30.00", "29.00"} << L{"3", "2", "1"};
    // ...and the earlier one ahead when nothing moves them.
    QTest::newRow("tie in row order")
        << "YYY" << false << "" << L{"30.00", "30.00", "31.00"} << L{"1", "2", "3"};
    QTest::newRow("non-scoring fastest")
        << "NYY" << false << "" << L{"28.00", "30.00", "29.00"} << L{"", "2", "1"};
    QTest::newRow("non-scoring in between")
        << "YNY" << false << "" << L{"30.00", "29.00", "31.00"} << L{"1", "", "2"};
    QTest::newRow("no time") << "YYY" << false << "" << L{"", "30.00", "29.00"} << L{"", "2", "1"};
    QTest::newRow("unreadable time")
        << "YYY" << false << "" << L{"abc", "31.00", "30.00"} << L{"", "2", "1"};
    QTest::newRow("disqualified") << "YYY" << false << "" << L{"D", "31.00", "30.00"}
                                  << L{"", "2", "1"};
    // A disqualification that also carries the time swum is still no swim.
    QTest::newRow("disqualified with a time")
        << "YYY" << false << "" << L{"D 28.00", "31.00", "30.00"} << L{"", "2", "1"};
    QTest::newRow("graded: below limit")
        << "YYY" << true << "30.00" << L{"29.50", "30.00", "31.00"} << L{"TF", "1", "2"};
    QTest::newRow("not graded: limit ignored")
        << "YYY" << false << "30.00" << L{"29.50", "30.00", "31.00"} << L{"1", "2", "3"};
    QTest::newRow("graded: minutes limit")
        << "YY" << true << "1:05.00" << L{"1:04.99", "1:05.01"} << L{"TF", "1"};
    QTest::newRow("graded: non-scoring below limit")
        << "YYN" << true << "30.00" << L{"31.00", "32.00", "29.00"} << L{"1", "2", ""};
    QTest::newRow("graded: no time is no TF")
        << "YY" << true << "30.00" << L{"", "30.00"} << L{"", "1"};
    QTest::newRow("graded without limit")
        << "YY" << true << "" << L{"29.00", "28.00"} << L{"2", "1"};
}

void TstSheetModel::ranking()
{
    QFETCH(QString, scoring);
    QFETCH(bool, graded);
    QFETCH(QString, limit);
    QFETCH(QStringList, times);
    QFETCH(QStringList, positions);

    MemorySheet s(scoring, {}, limit);
    s.shared.Graded = graded ? QStringLiteral("Y") : QStringLiteral("N");
    for (int r = 0; r < times.size(); ++r)
        s.model.setText(SheetModel::Time, r, times[r]);

    QCOMPARE(s.column(SheetModel::Position), positions);
    for (int r = 0; r < times.size(); ++r) {
        QCOMPARE(s.gala.LaneTime(1, r + 1), times[r]);
        QCOMPARE(s.gala.LanePos(1, r + 1), PBUTIL::LeadingWhole(positions[r]));
    }
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstSheetModel::points_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("points");
    QTest::addColumn<int>("storedPos");

    // Seven scoring entries and one guest.
    QTest::newRow("first") << ""
                           << "1"
                           << " 7" << 1;
    QTest::newRow("last scoring place") << ""
                                        << "7"
                                        << " 1" << 7;
    QTest::newRow("beyond the scoring teams") << ""
                                              << "8"
                                              << " 0" << 8;
    QTest::newRow("empty") << ""
                           << ""
                           << "" << 0;
    QTest::newRow("TF") << ""
                        << "TF"
                        << "" << 0;
    QTest::newRow("zero") << ""
                          << "0"
                          << "" << 0;
    QTest::newRow("2X first") << "2X"
                              << "1"
                              << " 14" << 1;
    QTest::newRow("2X third") << "2X"
                              << "3"
                              << " 10" << 3;
    QTest::newRow("no points event") << "0"
                                     << "1"
                                     << "" << 1;
    QTest::newRow("half place, even") << ""
                                      << "2.5"
                                      << " 5.5" << 2;
    QTest::newRow("half place, odd") << ""
                                     << "3.5"
                                     << " 4.5" << 4;
}

void TstSheetModel::points()
{
    QFETCH(QString, scheme);
    QFETCH(QString, position);
    QFETCH(QString, points);
    QFETCH(int, storedPos);

    MemorySheet s(QStringLiteral("YYYYYYYN"), scheme);
    s.model.setText(SheetModel::Position, 0, QStringLiteral("99")); // so every case is a change
    s.model.setText(SheetModel::Position, 0, position);

    QCOMPARE(s.model.text(SheetModel::Points, 0), points);
    QCOMPARE(s.gala.LanePos(1, 1), storedPos);
    QCOMPARE(s.gala.LanePoints(1, 1), float(PBUTIL::LeadingNumber(points)));
    QCOMPARE(s.gala.TeamTotal[1], s.gala.LanePoints(1, 1));
}

void TstSheetModel::totalsSumInSinglePrecision_data()
{
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<float>("total");

    // 2^24 + 1 is not a single-precision number: the order of the sum shows.
    QTest::newRow("large first") << QStringList{"16777216", "1", "1"} << 16777216.0f;
    QTest::newRow("large last") << QStringList{"1", "1", "16777216"} << 16777218.0f;
    QTest::newRow("fractions and an empty box") << QStringList{" 6", "", " 2.5"} << 8.5f;
}

void TstSheetModel::totalsSumInSinglePrecision()
{
    QFETCH(QStringList, points);
    QFETCH(float, total);

    MemorySheet s(QStringLiteral("YY"));
    for (int e = 1; e <= 3; ++e) {
        s.model.setEvNo(QString::number(e));
        s.model.setText(SheetModel::Points, 0, QString());
        s.model.setText(SheetModel::Points, 0, points[e - 1]);
    }
    QCOMPARE(s.gala.TeamTotal[1], total);
    QCOMPARE(s.model.text(SheetModel::Total, 0), PBUTIL::NumberText(total));
    // The other events keep their own points.
    QCOMPARE(s.gala.LanePoints(1, 1), float(PBUTIL::LeadingNumber(points[0])));
    QCOMPARE(s.gala.TeamTotal[2], 0.0f);
}

void TstSheetModel::leavingTimeBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // expected message, "" for none
    QTest::addColumn<bool>("asksReason");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("notes");

    QTest::newRow("seconds") << "35.2"
                             << "" << false << ""
                             << "35.20"
                             << "old note";
    QTest::newRow("dots") << "1.05.23"
                          << "" << false << ""
                          << "1:05.23"
                          << "old note";
    QTest::newRow("semicolon") << "1;05.23"
                               << "" << false << ""
                               << "1:05.23"
                               << "old note";
    QTest::newRow("too long") << "3600.5"
                              << "Invalid Time" << false << ""
                              << ""
                              << "old note";
    QTest::newRow("longest") << "3600"
                             << "" << false << ""
                             << "60:00.00"
                             << "old note";
    QTest::newRow("D with reason") << "D"
                                   << "" << true << "False start"
                                   << "D"
                                   << "False start";
    QTest::newRow("D cancelled") << "D"
                                 << "" << true << ""
                                 << "D"
                                 << "old note";
    QTest::newRow("lower case d") << "d"
                                  << "" << false << ""
                                  << "d"
                                  << "old note";
    QTest::newRow("D with more text") << "DQ"
                                      << "" << false << ""
                                      << "DQ"
                                      << "old note";
}

void TstSheetModel::leavingTimeBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, asksReason);
    QFETCH(QString, reason);
    QFETCH(QString, time);
    QFETCH(QString, notes);

    MemorySheet s(QStringLiteral("YY"));
    s.model.setText(SheetModel::Notes, 0, QStringLiteral("old note"));
    if (!message.isEmpty())
        s.dialogs.expectMessage(message);
    if (asksReason)
        s.dialogs.expectInput(QStringLiteral("Enter reason for Disqualification"), reason);

    s.model.setText(SheetModel::Time, 0, typed);
    s.model.TimeLostFocus(0);

    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
    QCOMPARE(s.model.text(SheetModel::Time, 0), time);
    QCOMPARE(s.gala.LaneTime(1, 1), time);
    QCOMPARE(s.model.text(SheetModel::Notes, 0), notes);
    QCOMPARE(s.gala.LaneNotes(1, 1), notes);
    const bool placed = PBUTIL::TimeFromText(time) > 0.0f && !time.startsWith(QLatin1Char('D'));
    QCOMPARE(s.model.text(SheetModel::Position, 0), placed ? QStringLiteral("1") : QString());
}

void TstSheetModel::swimmerBoxes()
{
    MemorySheet s(QStringLiteral("YY"));
    s.model.setText(SheetModel::SwimmerName, 0, QStringLiteral("Jane Smith"));
    s.model.setText(SheetModel::Club, 0, QStringLiteral("Ashford"));
    s.model.setText(SheetModel::DoB, 0, QStringLiteral("03/04/14"));
    QCOMPARE(s.gala.LaneDoB(1, 1), QString()); // only when the box is left
    s.model.DobLostFocus(0);
    QCOMPARE(s.gala.LaneDoB(1, 1), QStringLiteral("03/04/14"));

    // Clearing name and club clears them; clearing the date keeps it.
    s.model.setText(SheetModel::SwimmerName, 0, QString());
    s.model.setText(SheetModel::Club, 0, QString());
    s.model.setText(SheetModel::DoB, 0, QString());
    s.model.DobLostFocus(0);
    QCOMPARE(s.gala.LaneName(1, 1), QString());
    QCOMPARE(s.gala.LaneClub(1, 1), QString());
    QCOMPARE(s.gala.LaneDoB(1, 1), QStringLiteral("03/04/14"));

    // A text that is no date is refused and the box shows the stored date.
    s.dialogs.expectMessage(QStringLiteral("Invalid Date of Birth"));
    s.model.setText(SheetModel::DoB, 0, QStringLiteral("31/02/14"));
    s.model.DobLostFocus(0);
    QCOMPARE(s.model.text(SheetModel::DoB, 0), QStringLiteral("03/04/14"));
    QCOMPARE(s.gala.LaneDoB(1, 1), QStringLiteral("03/04/14"));
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstSheetModel::showEventEdgeCases()
{
    MemorySheet s(QStringLiteral("YYN"));
    QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 1 G12 50m BK"));
    for (int r = 0; r < SheetModel::Rows; ++r)
        QCOMPARE(s.model.rowVisible(r), r < 3);
    QCOMPARE(s.model.laneCaption(2), QStringLiteral("1:3"));

    s.gala.LanePoints(2, 1) = 0.0f;
    s.gala.LanePoints(2, 2) = 2.5f;
    s.gala.TeamTotal[2] = 2.5f;
    s.gala.LaneDoB(2, 2) = QStringLiteral("01/02/13");
    s.model.setBu(1, true);
    s.model.setText(SheetModel::Notes, 5, QStringLiteral("hidden row")); // beyond the teams

    s.model.ShowEvent(2);
    QCOMPARE(s.model.evNo(), QStringLiteral("2"));
    QCOMPARE(s.column(SheetModel::Points), (QStringList{"0", "2.5", "0"}));
    QCOMPARE(s.column(SheetModel::Total), (QStringList{"0", "2.5", "0"}));
    QCOMPARE(s.column(SheetModel::Position), (QStringList{"", "", ""}));
    QCOMPARE(s.model.text(SheetModel::DoB, 1), QStringLiteral("01/02/13"));
    QVERIFY(!s.model.bu(1));
    QCOMPARE(s.model.text(SheetModel::Notes, 5), QStringLiteral("hidden row"));

    // Outside the programme: the box shows the number, the rows stay.
    s.dialogs.expectMessage(QStringLiteral("Invalid Event Number"))
        .expectMessage(QStringLiteral("Invalid Event Number"));
    s.model.ShowEvent(0);
    QCOMPARE(s.model.evNo(), QString());
    s.model.ShowEvent(4);
    QCOMPARE(s.model.evNo(), QStringLiteral("4"));
    QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 2 G12 50m BK"));
    QCOMPARE(s.column(SheetModel::Points), (QStringList{"0", "2.5", "0"}));
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstSheetModel::showEventRanksStoredTimes()
{
    MemorySheet s(QStringLiteral("YYY"));
    QSignalSpy spy(&s.model, &SheetModel::textChanged);
    s.gala.LaneTime(2, 1) = QStringLiteral("31.00");
    s.gala.LaneTime(2, 2) = QStringLiteral("30.00");
    s.gala.LaneTime(2, 3) = QStringLiteral("32.00");
    s.model.ShowEvent(2);

    QCOMPARE(s.column(SheetModel::Position), (QStringList{"2", "1", "3"}));
    QCOMPARE(s.gala.LanePos(2, 2), 1);
    QCOMPARE(s.gala.LanePoints(2, 2), 3.0f);
    QCOMPARE(s.gala.TeamTotal[2], 3.0f);
    QCOMPARE(s.model.text(SheetModel::Total, 1), QStringLiteral("3"));
    QVERIFY(spy.count() > 0);

    // Showing it again only trims the number texts; a third time changes nothing.
    const QStringList stored = laneSnapshot(s.gala);
    s.model.ShowEvent(2);
    QCOMPARE(laneSnapshot(s.gala), stored);
    spy.clear();
    s.model.ShowEvent(2);
    QCOMPARE(spy.count(), 0);
}

void TstSheetModel::outOfRangeEventTouchesNothing()
{
    MemorySheet s(QStringLiteral("YY"));
    const QStringList before = laneSnapshot(s.gala);
    for (const char *number : {"0", "4", "40000", "-3"}) {
        s.model.setEvNo(QLatin1String(number));
        s.model.setText(SheetModel::Time, 0, QStringLiteral("30.00") + QLatin1String(number));
        s.model.setText(SheetModel::Position, 1, QLatin1String(number));
        s.model.setText(SheetModel::Points, 1, QStringLiteral("5"));
        s.model.setText(SheetModel::SwimmerName, 1, QLatin1String(number));
        s.model.setText(SheetModel::DoB, 1, QStringLiteral("01/01/15"));
        s.model.DobLostFocus(1);
        s.model.TimeLostFocus(0);
    }
    QCOMPARE(laneSnapshot(s.gala), before);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstSheetModel::nextEventMessages()
{
    DemoSheet s;
    QVERIFY(s.open().opened());

    s.model.NextEvent();
    QCOMPARE(s.model.evNo(), QStringLiteral("2"));
    QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 2 B10 50m FS"));

    s.model.setEvNo(QStringLiteral("12"));
    s.model.EvNoLostFocus();
    QCOMPARE(s.model.eventDetails(), QStringLiteral("Event 12 Mixed Open 200m FSR"));
    s.dialogs.expectMessage(QStringLiteral("This is the last event"));
    s.model.NextEvent();
    QCOMPARE(s.model.evNo(), QStringLiteral("12"));

    s.dialogs.expectMessage(QStringLiteral("Current event number is invalid"));
    s.model.setEvNo(QStringLiteral("12 "));
    s.model.NextEvent();
    QCOMPARE(s.model.evNo(), QStringLiteral("12 "));

    // Every move saved the gala first.
    QCOMPARE(galaRows(*s.shared.GalaDb, QStringLiteral("DEMO"), QStringLiteral("12/10/26")).size(),
             8 * 12);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

void TstSheetModel::typedTimesReachSavedRowsAndComeBack()
{
    DemoSheet s;
    QVERIFY(s.open().opened());

    // Event 1 (limit 38.00, graded): 37.90 is too fast, the guests score nothing.
    s.dialogs.expectInput(QStringLiteral("Enter reason for Disqualification"),
                          QStringLiteral("Early take-over"));
    const QStringList times{"39.1", "38.5", "37.9", "40", "", "D", "41", "36"};
    for (int r = 0; r < 8; ++r)
        s.typeTime(r, times[r]);
    s.model.setText(SheetModel::SwimmerName, 1, QStringLiteral("Amy Ash"));
    s.model.setText(SheetModel::Club, 1, QStringLiteral("Ashford SC"));
    s.model.setText(SheetModel::DoB, 1, QStringLiteral("05/06/14"));
    s.model.DobLostFocus(1);
    QCOMPARE(s.column(SheetModel::Position), (QStringList{"2", "1", "TF", "3", "", "", "4", ""}));
    // Rows never placed keep the "0" the event was shown with.
    QCOMPARE(s.column(SheetModel::Points),
             (QStringList{" 6", " 7", "", " 5", "0", "0", " 4", "0"}));
    QCOMPARE(s.model.text(SheetModel::Notes, 5), QStringLiteral("Early take-over"));

    // Event 12 scores double.
    s.model.setEvNo(QStringLiteral("12"));
    s.model.EvNoLostFocus();
    s.typeTime(0, QStringLiteral("2:10"));
    s.typeTime(1, QStringLiteral("2:05.5"));
    QCOMPARE(s.column(SheetModel::Points).mid(0, 2), (QStringList{" 12", " 14"}));
    QCOMPARE(s.column(SheetModel::Total).mid(0, 2), (QStringList{" 18", " 21"}));
    QVERIFY(s.model.SaveResults());

    const QStringList rows =
        galaRows(*s.shared.GalaDb, QStringLiteral("DEMO"), QStringLiteral("12/10/26"));
    QCOMPARE(rows.size(), 96);
    // Team 2 (heat 1 lane 2): rows 12 .. 23, events in order.
    QCOMPARE(rows[12], QStringLiteral("DEMO|2026-10-12|1|2|38.50|1|7||1|Amy Ash|Ashford SC|"
                                      "2014-06-05"));
    QCOMPARE(rows[23], QStringLiteral("DEMO|2026-10-12|12|2|2:05.50|1|14||1|||<null>"));
    QCOMPARE(rows[5 * 12], QStringLiteral("DEMO|2026-10-12|1|2|D|0|0|Early take-over|2|||<null>"));

    // Opening the gala again brings everything back.
    const QStringList before = laneSnapshot(s.gala);
    GalaState reloaded;
    s.dialogs.expectYesNo(
        QStringLiteral("There are already results for this gala, do you want to add to them?"),
        true);
    QVERIFY(OpenGala(s.shared, reloaded, s.dialogs).opened());
    QCOMPARE(laneSnapshot(reloaded), before);
    QCOMPARE(reloaded.TeamTotal[2], 21.0f);
    QVERIFY2(s.dialogs.finished(), s.dialogs.faults());
}

QTEST_APPLESS_MAIN(TstSheetModel)
#include "tst_sheetmodel.moc"
