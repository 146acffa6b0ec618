#include "foundation/Engine.h"
#include "links/AresOnlineTimes.h"
#include "links/OnlineRows.h"
#include "links/SplitTimes.h"
#include "tests/links/OnlineFixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

using Lanes = QList<OnlineTimesFeed::LaneEntry>;

namespace {

// The demonstration gala on the sheet with the demonstration online times.
struct OnlineDemo : DemoSheet
{
    TestOnline times{true};
    OnlineTimes online;
    AresOnlineTimes fetch{&online, gala, model, dialogs};

    OnlineDemo()
    {
        open();
        connectOnline(online, times.path);
    }
    void show(int e)
    {
        model.setEvNo(QString::number(e));
        model.ShowEvent(e);
    }
};

// One value another program might write into a field, and how it reads.
struct Raw
{
    const char *sql;
    bool readable;
    int whole = 0;         // lanes and positions
    const char *time = ""; // lane times: "" for none, "!" above an hour
};

const Raw Wholes[] = {
    {"3", true, 3},        {"'4'", true, 4},
    {"' 5 '", true, 5},    {"9.0", true, 9},
    {"-1", true, -1},      {"0", true, 0},
    {"2", true, 2},        {"1", true, 1},
    {"NULL", false},       {"'abc'", false},
    {"3.5", false},        {"1e20", false},
    {"4294967299", false},                                   // 2^32 + 3: must not read as lane 3
    {"70000", false},      {"CAST(X'33FF' AS TEXT)", false}, // "3" and a byte that is no UTF-8
    {"X'03'", false},
};

const Raw Times[] = {
    {"'35.2'", true, 0, "35.20"},
    {"35.2", true, 0, "35.20"},
    {"' 1:05.23 '", true, 0, "1:05.23"},
    {"'1.05.2'", true, 0, "1:05.20"},
    {"CAST(X'33352E32FF' AS TEXT)", true, 0, "35.20"},
    {"'61:40.00'", true, 0, "!"},
    {"'99999999999999999999999999999999999999999999999'", true, 0, "!"},
    {"NULL", false},
    {"''", false},
    {"'abc'", false},
    {"'-5'", true, 0, "05.00"}, // "-" separates minutes, as typed times may
    {"'0'", false},
    {"'0.004'", false}, // would be written as a time of nothing
    {"CAST(X'FF3335' AS TEXT)", false},
    {"X'00'", false},
};

struct MutatedRow
{
    int event, heat, type;
    bool intermediate;
    QString meet;
    const Raw *lane, *position, *time;
};

// `count` rows of a fixed seed written with raw SQL into a blank database.
QList<MutatedRow> mutate(const QString &path, quint32 seed, int count)
{
    QRandomGenerator random(seed);
    auto pick = [&random](const auto &pool) { return &pool[random.bounded(int(std::size(pool)))]; };
    QList<MutatedRow> rows;
    Database db(path);
    Database::Transaction tx(db);
    for (int i = 0; i < count; ++i) {
        MutatedRow r{random.bounded(1, 3),
                     random.bounded(1, 3),
                     random.bounded(2, 7),
                     random.bounded(4) == 0,
                     random.bounded(10) == 0 ? QStringLiteral("OTHER") : QStringLiteral("DEMO"),
                     pick(Wholes),
                     pick(Wholes),
                     pick(Times)};
        db.execute(QStringLiteral("INSERT INTO Online_Times VALUES ('%1', %2, %3, %4, '%5', %6, "
                                  "%7, %8)")
                       .arg(r.meet)
                       .arg(r.event)
                       .arg(r.heat)
                       .arg(r.type)
                       .arg(r.intermediate ? QLatin1Char('I') : QLatin1Char('F'))
                       .arg(QLatin1String(r.lane->sql), QLatin1String(r.time->sql),
                            QLatin1String(r.position->sql)));
        rows << r;
    }
    tx.commit();
    return rows;
}

QString describe(const OnlineRows::FinishRow &row)
{
    return QStringLiteral("%1/%2/%3")
        .arg(row.lane)
        .arg(row.position)
        .arg(row.time.invalid ? QStringLiteral("!") : row.time.text);
}

struct Fetch
{
    int event;
    QStringList typed, times;
    QString label;
    int invalidTimes;
};

} // namespace

Q_DECLARE_METATYPE(Fetch)

class TstOnlineTimes : public QObject
{
    Q_OBJECT
private slots:
    void demonstrationGala_data()
    {
        QTest::addColumn<Fetch>("c");
        const QStringList none(8, QString());
        QTest::newRow("previous result, then only current results")
            << Fetch{1,
                     none,
                     {"40.12", "41.30", "39.87", "40.55", "40.50", "38.90", "43.10", "39.50"},
                     "Current results",
                     0};
        // Place 9 is ignored: lane 2:4 keeps what was typed.
        QTest::newRow("online times before current results, place 9 ignored")
            << Fetch{2,
                     {"", "", "", "", "", "", "", "41.00"},
                     {"38.40", "39.10", "40.22", "38.95", "39.75", "41.02", "38.66", "41.00"},
                     "Previous result with backups",
                     0};
        QTest::newRow("time beyond an hour, lane without entry")
            << Fetch{3,
                     {"", "", "", "45.00", "", "", "", ""},
                     {"42.30", "44.02", "43.15", "", "41.90", "42.60", "40.80", "45.20"},
                     "Online times",
                     1};
        QTest::newRow("event without times") << Fetch{4,
                                                      {"44.00", "", "", "", "", "", "", ""},
                                                      {"44.00", "", "", "", "", "", "", ""},
                                                      "No online times",
                                                      0};
        QTest::newRow("first heat fetched, second has none")
            << Fetch{7, none, {"1:10.42", "1:12.90", "", "", "", "", "", ""}, "No online times", 0};
    }
    void demonstrationGala()
    {
        QFETCH(Fetch, c);
        OnlineDemo s;
        s.show(c.event);
        for (int r = 0; r < 8; ++r)
            s.model.setText(SheetModel::Time, r, c.typed[r]);
        for (int i = 0; i < c.invalidTimes; ++i)
            s.dialogs.expectMessage(QStringLiteral("Invalid Time"));

        s.fetch.GetOnlineTimes();

        QCOMPARE(s.column(SheetModel::Time), c.times);
        QCOMPARE(s.fetch.aresTimeType(), c.label);
        for (int r = 0; r < 8; ++r)
            QCOMPARE(s.gala.LaneTime(c.event, r + 1), c.times[r]);
    }

    void fetchedTimesRankAndScore()
    {
        OnlineDemo s;
        s.fetch.GetOnlineTimes();
        // Seven scoring entries; 2:4 swims as a guest. Fastest first: 2:2,
        // 1:3, 1:1, 2:1, 1:4, 1:2, 2:3.
        QCOMPARE(s.column(SheetModel::Position),
                 (QStringList{"3", "6", "2", "5", "4", "1", "7", ""}));
        QCOMPARE(s.column(SheetModel::Points),
                 (QStringList{" 5", " 2", " 6", " 3", " 4", " 7", " 1", "0"}));
        QCOMPARE(s.column(SheetModel::Total),
                 (QStringList{" 5", " 2", " 6", " 3", " 4", " 7", " 1", "0"}));
        QCOMPARE(s.gala.TeamTotal[6], 7.0f);
    }

    void heatRuns_data()
    {
        QTest::addColumn<QList<int>>("heats");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("times");
        // Heat 1 has previous results, heat 2 only current results: every
        // type tried shows in the label in turn.
        const QStringList heat2 = {"Online times", "Previous result with backups",
                                   "Current results"};
        QTest::newRow("1 1 2 2") << QList<int>{1, 1, 2, 2} << QStringList{"Previous result"} + heat2
                                 << QStringList{"35.20", "36.00", "37.10", "38.00"};
        QTest::newRow("1 2 1 fetches heat 1 twice")
            << QList<int>{1, 2, 1}
            << QStringList{"Previous result"} + heat2 + QStringList{"Previous result"}
            << QStringList{"35.20", "37.10", "36.00"};
    }
    void heatRuns()
    {
        QFETCH(QList<int>, heats);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, times);
        TestOnline db;
        db.add(1, 1, OnlineTimesFeed::PreviousResult, Lanes{{1, "35.2", 1}, {2, "36", 2}});
        db.add(1, 2, OnlineTimesFeed::CurrentResults, Lanes{{1, "37.1", 1}, {2, "38", 2}});
        HeatsSheet s(heats, db.path);

        s.fetch.GetOnlineTimes();

        QCOMPARE(s.labelTexts, labels);
        QCOMPARE(s.column(SheetModel::Time), times);
    }

    void rowsLeftAlone_data()
    {
        QTest::addColumn<Lanes>("rows");
        QTest::addColumn<QStringList>("times");
        QTest::newRow("places 0 and 9 and below 1 ignored")
            << Lanes{{1, "30.00", 0}, {2, "61:40.00", 9}, {3, "30.00", -1}, {4, "30.00", 8}}
            << QStringList{"t1", "t2", "t3", "30.00"};
        // Timing rows that say nothing keep what the desk typed.
        QTest::newRow("unreadable times count as no row")
            << Lanes{{1, "abc", 1}, {2, "", 2}, {3, "30", 3}}
            << QStringList{"t1", "t2", "30.00", "t4"};
        QTest::newRow("lane without entry, lane twice: the later row wins")
            << Lanes{{7, "30.00", 1}, {1, "31.00", 2}, {1, "32.5", 3}}
            << QStringList{"32.50", "t2", "t3", "t4"};
    }
    void rowsLeftAlone()
    {
        QFETCH(Lanes, rows);
        QFETCH(QStringList, times);
        TestOnline db;
        db.add(1, 1, OnlineTimesFeed::OnlineTimes, rows);
        HeatsSheet s({1, 1, 1, 1}, db.path);
        for (int r = 0; r < 4; ++r)
            s.model.setText(SheetModel::Time, r, QStringLiteral("t%1").arg(r + 1));
        s.fetch.GetOnlineTimes();
        QCOMPARE(s.column(SheetModel::Time), times);
        QCOMPARE(s.fetch.aresTimeType(), QStringLiteral("Online times"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("message");
        QTest::newRow("file removed") << "remove"
                                      << "Can't open online times database";
        QTest::newRow("locked by the timing system")
            << "lock"
            << "Online times could not be read for heat 1: database is locked (Finish times "
               "for 1 event)";
        QTest::newRow("query missing")
            << "query"
            << "Online times could not be read for heat 1: Item not found in this collection: "
               "Finish times for 1 event";
        QTest::newRow("event number refused") << "event"
                                              << "Invalid Event Number";
    }
    void failures()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, message);
        TestOnline db(true);
        HeatsSheet s({1, 1}, db.path);
        s.model.setText(SheetModel::Time, 0, QStringLiteral("40.00"));
        std::unique_ptr<Database> timing;
        if (breakage == QLatin1String("remove")) {
            QVERIFY(QFile::remove(db.path));
        } else if (breakage == QLatin1String("lock")) {
            timing = std::make_unique<Database>(db.path);
            timing->execute(QStringLiteral("BEGIN EXCLUSIVE"));
        } else if (breakage == QLatin1String("query")) {
            Database(db.path).execute(QStringLiteral("DELETE FROM StoredQuery"));
        } else {
            s.model.setEvNo(QStringLiteral("9"));
        }
        s.dialogs.expectMessage(message);

        s.fetch.GetOnlineTimes();

        QCOMPARE(s.column(SheetModel::Time), (QStringList{"40.00", ""}));
        QCOMPARE(s.gala.LaneTime(1, 1), QStringLiteral("40.00"));
        QVERIFY(s.fetch.aresTimeType().isEmpty());
        if (timing) {
            // Once the timing system lets go, the same button fetches.
            timing->execute(QStringLiteral("ROLLBACK"));
            s.fetch.GetOnlineTimes();
            QCOMPARE(s.column(SheetModel::Time), (QStringList{"40.12", "41.30"}));
        }
    }

    void withoutOnlineTimingNothingHappens()
    {
        MemorySheet s(QStringLiteral("YY"));
        AresOnlineTimes fetch(nullptr, s.gala, s.model, s.dialogs);
        s.model.setText(SheetModel::Time, 0, QStringLiteral("40.00"));
        fetch.GetOnlineTimes();
        QCOMPARE(s.column(SheetModel::Time), (QStringList{"40.00", ""}));
    }

    void splitsFromRealDatabase()
    {
        TestOnline db(true);
        db.add(1, 1, OnlineTimesFeed::OnlineTimes, Lanes{{1, " 38.1 ", 0}, {3, "abc", 0}}, true);
        Database ares(db.path);
        SplitTimes splits(&ares, QStringLiteral("DEMO"));
        QCOMPARE(splits.splits(1, 1, 1), (QStringList{"19.40", "38.10"}));
        QCOMPARE(splits.splits(1, 1, 3), QStringList{"19.02"});
        QCOMPARE(splits.splits(1, 1, 2), QStringList());
        QCOMPARE(splits.splits(7, 1, 2), QStringList{"34.25"});
        QCOMPARE(splits.splits(1, 2, 1), QStringList()); // finish times only
        QCOMPARE(SplitTimes(&ares, QStringLiteral("OTHER")).splits(1, 1, 1), QStringList());
        QCOMPARE(SplitTimes(nullptr, QStringLiteral("DEMO")).splits(1, 1, 1), QStringList());
        ares.execute(QStringLiteral("DELETE FROM StoredQuery"));
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 SplitTimes(&ares, QStringLiteral("DEMO")).splits(1, 1, 1));
    }

    void blankDatabaseHasTheQueriesAndNoRows()
    {
        const QTemporaryDir dir;
        QVERIFY(ReadyMade::writeAll(dir.path()).isEmpty());
        Database blank(dir.filePath(QStringLiteral("online_times.mdb")));
        QVERIFY(OnlineRows::FinishTimes(blank, QStringLiteral("DEMO"), 1, 1, 5).isEmpty());
        QCOMPARE(SplitTimes(&blank, QStringLiteral("DEMO")).splits(1, 1, 1), QStringList());
        Database demo(dir.filePath(QStringLiteral("demo_online.mdb")));
        QCOMPARE(OnlineRows::FinishTimes(demo, QStringLiteral("DEMO"), 1, 1, 5).size(), 4);
    }

    void feederWritesAHeatTheButtonFetches()
    {
        TestOnline db;
        auto feed = [&db](QStringList args) {
            QProcess p;
            p.start(QStringLiteral(FEEDER), QStringList{"--db", db.path} + args);
            p.waitForFinished();
            return p.exitCode();
        };
        QCOMPARE(feed({"--meet", "DEMO", "--event", "1", "--heat", "1", "--type", "3", "2", "35.2",
                       "1", "1", "36.04", "2"}),
                 0);
        QCOMPARE(feed({"--meet", "DEMO", "--event", "1", "--heat", "1", "--split", "2", "17.1"}),
                 0);
        // No meet code, a pair for a triple, a message type the timing
        // system has not, a time that is no time.
        for (const QStringList &refused :
             {QStringList{"--event", "1", "--heat", "1", "1", "35.2", "1"},
              QStringList{"--meet", "DEMO", "--event", "1", "--heat", "1", "1", "35.2"},
              QStringList{"--meet", "DEMO", "--event", "1", "--heat", "1", "--type", "7", "1",
                          "35.2", "1"},
              QStringList{"--meet", "DEMO", "--event", "1", "--heat", "1", "1", "fast", "1"}})
            QVERIFY2(feed(refused) == 2, qPrintable(refused.join(QLatin1Char(' '))));

        HeatsSheet s({1, 1}, db.path);
        s.fetch.GetOnlineTimes();
        QCOMPARE(s.column(SheetModel::Time), (QStringList{"36.04", "35.20"}));
        QCOMPARE(s.fetch.aresTimeType(), QStringLiteral("Current results"));
        QCOMPARE(s.column(SheetModel::Position), (QStringList{"2", "1"}));
        Database ares(db.path);
        QCOMPARE(SplitTimes(&ares, QStringLiteral("DEMO")).splits(1, 1, 2), QStringList{"17.10"});
    }

    // Rows from another program, mutated from fixed seeds: the reader keeps
    // exactly the rows whose lane, position and time can be read.
    void mutatedRowsReader_data()
    {
        QTest::addColumn<quint32>("seed");
        for (const quint32 seed : {1u, 20261206u, 0xBADC0DEu})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void mutatedRowsReader()
    {
        QFETCH(quint32, seed);
        TestOnline db;
        const QList<MutatedRow> rows = mutate(db.path, seed, 400);
        Database ares(db.path);
        for (int e = 1; e <= 2; ++e) {
            for (int h = 1; h <= 2; ++h) {
                for (int type = 2; type <= 6; ++type) {
                    QStringList expected, read;
                    for (const MutatedRow &r : rows) {
                        if (r.event == e && r.heat == h && r.type == type && !r.intermediate &&
                            r.meet == QLatin1String("DEMO") && r.lane->readable &&
                            r.position->readable && r.time->readable)
                            expected << QStringLiteral("%1/%2/%3")
                                            .arg(r.lane->whole)
                                            .arg(r.position->whole)
                                            .arg(QLatin1String(r.time->time));
                    }
                    for (const auto &row :
                         OnlineRows::FinishTimes(ares, QStringLiteral("DEMO"), e, h, type))
                        read << describe(row);
                    QCOMPARE(read, expected);
                }
                SplitTimes splits(&ares, QStringLiteral("DEMO"));
                for (int lane = -1; lane <= 10; ++lane) {
                    QStringList expected;
                    for (const MutatedRow &r : rows) {
                        const QString time = QLatin1String(r.time->time);
                        if (r.event == e && r.heat == h && r.intermediate &&
                            r.meet == QLatin1String("DEMO") && r.lane->readable &&
                            r.lane->whole == lane && r.time->readable && time != u"!")
                            expected << time;
                    }
                    QCOMPARE(splits.splits(e, h, lane), expected);
                }
            }
        }
    }

    // The same rows fetched onto a sheet: only the event shown changes, and
    // every time box holds a time, or is empty after "Invalid Time".
    void mutatedRowsOnTheSheet_data() { mutatedRowsReader_data(); }
    void mutatedRowsOnTheSheet()
    {
        QFETCH(quint32, seed);
        TestOnline db;
        mutate(db.path, seed, 400);
        NotingDialogs quiet;
        MemorySheet s(QStringLiteral("YYYYYYNY"));
        SheetModel model(s.shared, s.gala, quiet);
        for (int t = 1; t <= 8; ++t) {
            s.gala.TeamHeat[t] = (t + 1) / 2;
            s.gala.TeamLane[t] = t % 4;
        }
        model.setUpRows();
        model.ShowEvent(2);
        const GalaState before = s.gala;
        OnlineTimes online;
        connectOnline(online, db.path);
        AresOnlineTimes fetch(&online, s.gala, model, quiet);

        fetch.GetOnlineTimes();

        for (int t = 1; t <= 8; ++t) {
            for (int e : {1, 3})
                QCOMPARE(s.gala.LaneTime(e, t), before.LaneTime(e, t));
            const QString time = model.text(SheetModel::Time, t - 1);
            QVERIFY2(time.isEmpty() || PBUTIL::TimeToText(PBUTIL::TimeFromText(time)).text == time,
                     qPrintable(time));
            QCOMPARE(s.gala.LaneTime(2, t), time);
        }
        for (const QString &m : std::as_const(quiet.messages))
            QCOMPARE(m, QStringLiteral("Invalid Time"));
    }
};

QTEST_GUILESS_MAIN(TstOnlineTimes)
#include "tst_onlinetimes.moc"
