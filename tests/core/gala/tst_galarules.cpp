#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "tests/support/DataRow.h"

#include <QtTest>

using namespace GalaRules;

namespace {

// One event (G10 50 FS) and one team entry holding the lane given.
GalaState oneLane(const QString &time, int position, bool scoring)
{
    GalaState g;
    g.NoOfEvents = 1;
    g.resizeEvents(1);
    g.EventSexAge[1] = QStringLiteral("G10");
    g.EventDistance[1] = QStringLiteral("50");
    g.EventStroke[1] = QStringLiteral("FS");
    g.NoOfTeams = 1;
    g.resizeTeams(1);
    g.TeamScoring[1] = scoring;
    g.LaneTime(1, 1) = time;
    g.LanePos(1, 1) = position;
    return g;
}

} // namespace

class TstGalaRules : public QObject
{
    Q_OBJECT

private slots:
    void tooFast_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("scoring");
        QTest::addColumn<bool>("graded");
        QTest::addColumn<bool>("disqualified");
        QTest::addColumn<bool>("tooFast");
        DataRow("faster than the grade: no place", "37.00", 0, true, true, false, true);
        DataRow("placed", "39.00", 2, true, true, false, false);
        DataRow("not a graded gala", "37.00", 0, true, false, false, false);
        DataRow("a guest gets no place anyway", "37.00", 0, false, true, false, false);
        DataRow("no time typed", "", 0, true, true, false, false);
        DataRow("D alone", "D", 0, true, true, true, false);
        DataRow("D with a time after it", "DQ 1:05.23", 0, true, true, true, false);
        DataRow("words typed instead of a time are no swim", "DNS", 0, true, true, true, false);
        DataRow("words that are no disqualification either", "abc", 0, true, true, false, false);
        DataRow("nought is no swim", "0.00", 0, true, true, false, false);
    }
    void tooFast()
    {
        QFETCH(QString, time);
        QFETCH(int, position);
        QFETCH(bool, scoring);
        QFETCH(bool, graded);
        QFETCH(bool, disqualified);
        QFETCH(bool, tooFast);
        QCOMPARE(IsDisqualification(time), disqualified);
        QCOMPARE(TooFast(oneLane(time, position, scoring), graded, 1, 1), tooFast);
    }

    // The time a lane counts with: only a real swim is above 0.
    void swimTime()
    {
        QCOMPARE(SwimTime("1:05.23"), 65.23f);
        for (const char *none : {"abc", "0.00", "D", "D 1:05.00", ""})
            QCOMPARE(SwimTime(none), 0.0f);
    }

    void eventSex_data()
    {
        QTest::addColumn<QString>("sexAge");
        QTest::addColumn<int>("sex");
        for (const char *female : {"G10", "F Open", "Ladies"})
            DataRow(female, QString::fromLatin1(female), int(Sex::Female));
        for (const char *male : {"B12", "Men", "M Open"})
            DataRow(male, QString::fromLatin1(male), int(Sex::Male));
        for (const char *neither : {"Open", "g10", ""})
            DataRow(neither, QString::fromLatin1(neither), int(Sex::Neither));
    }
    void eventSex()
    {
        QFETCH(QString, sexAge);
        QFETCH(int, sex);
        QCOMPARE(int(EventSex(sexAge)), sex);
    }

    // Placed swims by place, disqualifications after them, guests last; a
    // swim without a place ("TF") stands first or last among the placed.
    void placingOrder()
    {
        struct Row : Placing
        {
            char name = ' ';
        };
        for (const Unplaced unplaced : {Unplaced::First, Unplaced::Last}) {
            Slots<Row> rows(7);
            const char names[] = "gdcabu";
            const int positions[] = {1, 0, 3, 1, 2, 0};
            for (int i = 1; i <= 6; ++i) {
                rows[i].name = names[i - 1];
                rows[i].position = positions[i - 1];
            }
            rows[1].guest = true;
            rows[2].disqualified = true;
            SortByPlace(rows, 6, unplaced);
            QString order;
            for (int i = 1; i <= 6; ++i)
                order += rows[i].name;
            QCOMPARE(order, unplaced == Unplaced::First ? "uabcdg" : "abcudg");
        }
    }
};

QTEST_MAIN(TstGalaRules)
#include "tst_galarules.moc"
