#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "tests/support/DataRow.h"

#include <QtTest>

using namespace GalaRules;

namespace {

// One event and one team entry holding the lane given.
GalaState oneLane(const QString &time, int position, bool scoring)
{
    GalaState g;
    g.NoOfEvents = 1;
    g.resizeEvents(1);
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
    // Each row: the time typed, its place, and what the rules make of it. The
    // time a lane counts with is above 0 only for a real swim.
    void tooFast_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("scoring");
        QTest::addColumn<bool>("graded");
        QTest::addColumn<bool>("disqualified");
        QTest::addColumn<bool>("tooFast");
        QTest::addColumn<float>("swim");
        DataRow("faster than the grade: no place", "1:05.23", 0, true, true, false, true, 65.23f);
        DataRow("placed", "39.00", 2, true, true, false, false, 39.0f);
        DataRow("not a graded gala", "37.00", 0, true, false, false, false, 37.0f);
        DataRow("a guest gets no place anyway", "37.00", 0, false, true, false, false, 37.0f);
        DataRow("D with a time after it", "D 1:05.00", 0, true, true, true, false, 0.0f);
        DataRow("DNS typed: no swim", "DNS", 0, true, true, true, false, 0.0f);
        DataRow("words, no disqualification either", "abc", 0, true, true, false, false, 0.0f);
        DataRow("nought is no swim", "0.00", 0, true, true, false, false, 0.0f);
    }
    void tooFast()
    {
        QFETCH(QString, time);
        QFETCH(int, position);
        QFETCH(bool, scoring);
        QFETCH(bool, graded);
        QTEST(IsDisqualification(time), "disqualified");
        QTEST(TooFast(oneLane(time, position, scoring), graded, 1, 1), "tooFast");
        QTEST(SwimTime(time), "swim");
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
            for (int i = 1; i <= 6; ++i) {
                rows[i].name = "gdcabu"[i - 1];
                rows[i].position = "103120"[i - 1] - '0';
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
