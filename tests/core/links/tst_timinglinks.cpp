#include "announce/AnnounceBoardWindow.h"
#include "core/links/AnnouncementBoardModel.h"
#include "core/links/Announcer.h"
#include "core/links/AresOnlineTimes.h"
#include "core/links/HeatList.h"
#include "core/links/OfficialTime.h"
#include "core/links/OnlineRows.h"
#include "core/links/SplitTimes.h"
#include "tests/core/sheet/RecordingFixture.h"
#include "tests/support/DataRow.h"
#include "tools/OnlineTimesFeed.h"
#include "tools/ReadyMadeDatabases.h"
#include "ui/GalaRecSheet.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <QtWidgets>

using Lanes = QList<OnlineTimesFeed::LaneEntry>;
using Feed = OnlineTimesFeed::MessageType;

namespace {

// The ready-made files in a temporary folder: the blank online-times
// database, the demonstration times and a blank announcer database.
struct Files
{
    QTemporaryDir dir;
    QString online = dir.filePath(QStringLiteral("online_times.mdb"));
    QString demo = dir.filePath(QStringLiteral("demo_online.mdb"));
    QString announcer = dir.filePath(QStringLiteral("announcer.mdb"));

    Files() { QVERIFY(ReadyMade::writeAll(dir.path()).isEmpty()); }
};

// A sheet in memory whose team entries swim in the given heats, lanes 1, 2 ..
// within each heat, fetching from the blank online-times database (a lock
// is waited for only briefly) and posting to the announcer database.
struct Desk : MemorySheet
{
    Files files;
    OnlineTimes online;
    AresOnlineTimes fetch{&online, gala, model, dialogs};
    QStringList labels; // every text the label showed

    explicit Desk(const QList<int> &heats, const QString &scoring = {},
                  const QStringList &names = {}, const QList<int> &lanes = {})
        : MemorySheet(scoring.isEmpty() ? QString(heats.size(), QLatin1Char('Y')) : scoring, names)
    {
        QHash<int, int> next;
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            gala.TeamHeat[t] = heats[t - 1];
            gala.TeamLane[t] = lanes.isEmpty() ? ++next[heats[t - 1]] : lanes[t - 1];
        }
        model.setUpRows();
        shared.AnnouncerOn = true;
        shared.AnnouncerDbPath = files.announcer;
        online.AresDbInUse = files.online;
        online.AresDb = std::make_unique<Database>(files.online, Database::Access::ReadWrite, 50);
        online.MeetCode = QStringLiteral("DEMO");
        QObject::connect(&fetch, &AresOnlineTimes::aresTimeTypeChanged,
                         [this] { labels << fetch.aresTimeType(); });
    }
};

// Values another program might write into a field, as "SQL => what it reads
// as"; one that cannot be read makes the row count as no row. 4294967299
// (2^32 + 3) must not read as lane 3; X'33FF' and X'FF3335' hold bytes that
// are no UTF-8; "-" separates minutes, as in typed times; "!": above an hour;
// 0.004 would be written as a time of nothing.
const char Wholes[] = "3 => 3; '4' => 4; ' 5 ' => 5; 9.0 => 9; -1 => -1; 0 => 0; 2 => 2; 1 => 1; "
                      "NULL; 'abc'; 3.5; 1e20; 4294967299; 70000; X'03'; CAST(X'33FF' AS TEXT)";
const char Times[] = "'35.2' => 35.20; 35.2 => 35.20; ' 1:05.23 ' => 1:05.23; '1.05.2' => 1:05.20; "
                     "CAST(X'33352E32FF' AS TEXT) => 35.20; '61:40.00' => !; "
                     "'9' || hex(zeroblob(23)) => !; '-5' => 05.00; NULL; ''; 'abc'; '0'; "
                     "'0.004'; CAST(X'FF3335' AS TEXT); X'00'";
} // namespace

class TstTimingLinks : public QObject
{
    Q_OBJECT
private slots:
    // Four team entries in heat 1 with t1 .. t4 typed: the timing system's
    // rows, what breaks, the message shown, the time boxes and the label.
    void fetch_data()
    {
        QTest::addColumn<Lanes>("rows");
        QTest::addColumn<QString>("breakage"); // or the SQL the timing system runs
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("times"); // the boxes, "|" between
        QTest::addColumn<QString>("label");
        const QString no, on = "Online times", t = "t1|t2|t3|t4";
        const Lanes two{{1, "30.00", 1}, {2, "31.00", 2}};
        const QString unread = QStringLiteral("Online times could not be read for heat 1: ");
        DataRow("places 0, 9 and -1 say nothing",
                Lanes{{1, "30.00", 0}, {2, "61:40.00", 9}, {3, "30.00", -1}, {4, "30.00", 8}}, no,
                no, "t1|t2|t3|30.00", on);
        DataRow("time above an hour names its heat and lane",
                Lanes{{1, "35.2", 2}, {2, "61:40.00", 1}}, no, "Invalid Time in heat 1, lane 2",
                "35.20||t3|t4", on);
        DataRow("lane without entry; the later row of a lane wins",
                Lanes{{7, "30.00", 1}, {1, "31.00", 2}, {1, "32.5", 3}}, no, no, "32.50|t2|t3|t4",
                on);
        DataRow("no rows", Lanes{}, no, no, t, "No online times");
        DataRow("file removed", two, "remove", "Can't open online times database", t, no);
        DataRow("locked by the timing system", two, "BEGIN EXCLUSIVE",
                unread + "database is locked (Finish times for 1 event)", t, no);
        DataRow("event number refused", two, "event", "Invalid Event Number", t, no);
        // A disqualification is the referee's: its "D" stays, the rest of the heat fills.
        DataRow("disqualification kept", two, "D",
                "Disqualification kept, no online time written: heat 1 lane 2", "30.00|D|t3|t4",
                on);
    }
    void fetch()
    {
        QFETCH(Lanes, rows);
        QFETCH(QString, breakage);
        QFETCH(QString, message);
        Desk s({1, 1, 1, 1});
        Database timing(s.files.online);
        OnlineTimesFeed::AddTimes(timing, {"DEMO", 1, 1, Feed::OnlineTimes}, rows, false);
        for (int r = 0; r < 4; ++r)
            s.model.setText(SheetModel::Time, r, QStringLiteral("t%1").arg(r + 1));
        if (breakage == u"remove")
            QVERIFY(QFile::remove(s.files.online));
        else if (breakage == u"event")
            s.model.setEvNo(QStringLiteral("9"));
        else if (breakage == u"D")
            s.model.setText(SheetModel::Time, 1, breakage);
        else if (!breakage.isEmpty())
            timing.execute(breakage);
        if (!message.isEmpty())
            s.dialogs.expectMessage(message);

        s.fetch.GetOnlineTimes();

        // What the timing system could not give keeps what was typed.
        QTEST(s.column(SheetModel::Time).join('|'), "times");
        QTEST(s.fetch.aresTimeType(), "label");
        if (breakage == u"event") { // ticking BU or asking for the heats list: the same
            s.dialogs.expectMessage(message).expectMessage(message);
            AnnounceOfficialTime(s.shared, s.gala, s.model, s.dialogs, 0);
            HeatsListToAnnouncer(s.shared, s.gala, s.model, s.dialogs);
            QCOMPARE(posted(s.files.announcer), QStringList());
        }
    }

    // The feeder writes heats 1 and 2, the button fetches them heat by heat
    // in team order: every message type tried shows in the label in turn.
    void feederWritesHeatsTheButtonFetches()
    {
        Desk s({1, 2, 1});
        auto feed = [&s](const QStringList &args) {
            return QProcess::execute(QStringLiteral(FEEDER),
                                     QStringList{"--db", s.files.online} + args);
        };
        const QStringList heat{"--meet", "DEMO", "--event", "1", "--heat", "1"};
        QCOMPARE(feed(heat + QStringList{"--type", "5", "2", "35.2", "1", "1", "36.04", "2"}), 0);
        QCOMPARE(feed(heat + QStringList{"--split", "2", "17.1"}), 0);
        QCOMPARE(feed(heat.mid(0, 5) + QStringList{"2", "--type", "3", "1", "37.1", "1"}), 0);
        // No meet code, a pair for a triple, a message type the timing
        // system has not, a time that is no time.
        for (const QStringList &refused :
             {heat.mid(2) + QStringList{"1", "35.2", "1"}, heat + QStringList{"1", "35.2"},
              heat + QStringList{"--type", "7", "1", "35.2", "1"},
              heat + QStringList{"1", "fast", "1"}})
            QVERIFY2(feed(refused) == 2, qPrintable(refused.join(QLatin1Char(' '))));

        s.fetch.GetOnlineTimes();
        QCOMPARE(s.column(SheetModel::Time), (QStringList{"36.04", "37.10", "35.20"}));
        QCOMPARE(s.labels,
                 (QStringList{"Previous result", "Online times", "Previous result with backups",
                              "Current results", "Previous result"}));
        SplitTimes splits(s.online.AresDb.get(), "DEMO");
        QCOMPARE(splits.splits(1, 1, 2), QStringList{"17.10"});
        QCOMPARE(splits.splits(1, 3, 1), QStringList()); // a heat with no rows
        s.online.AresDb->execute(QStringLiteral("DELETE FROM StoredQuery"));
        QVERIFY_THROWS_EXCEPTION(EngineError, splits.splits(1, 1, 1));
    }

    // Rows from another program, mutated from a fixed seed: the reader keeps
    // exactly the finish rows whose lane, position and time can be read, and
    // every split row of a readable lane, empty where its time reads as nothing.
    void mutatedRows()
    {
        Files files;
        Database ares(files.online);
        QRandomGenerator random(20261206u);
        auto pick = [&random](const char *pool) {
            const QStringList values = QString::fromLatin1(pool).split(QStringLiteral("; "));
            return values[random.bounded(int(values.size()))].split(QStringLiteral(" => "));
        };
        // event, heat, type, split, other meet, lane, position, time; the
        // last three as {SQL, what it reads as}
        QList<std::tuple<int, int, int, bool, bool, QStringList, QStringList, QStringList>> rows;
        Database::Transaction tx(ares);
        for (int i = 0; i < 1200; ++i) {
            rows.append({random.bounded(1, 3), random.bounded(1, 3), random.bounded(2, 7),
                         random.bounded(4) == 0, random.bounded(10) == 0, pick(Wholes),
                         pick(Wholes), pick(Times)});
            const auto &[e, h, type, split, other, lane, position, time] = rows.last();
            ares.execute(QStringLiteral("INSERT INTO Online_Times VALUES ('%1', %2, %3, %4, '%5', "
                                        "%6, %7, %8)")
                             .arg(other ? "OTHER" : "DEMO", QString::number(e), QString::number(h),
                                  QString::number(type), split ? "I" : "F", lane[0], time[0],
                                  position[0]));
        }
        tx.commit();
        for (int e = 1; e <= 2; ++e)
            for (int h = 1; h <= 2; ++h) {
                SplitTimes splits(&ares, QStringLiteral("DEMO"));
                for (int n = -1; n <= 10; ++n) { // message types 2 .. 6, lanes
                    QStringList finish, lanes, read;
                    for (const auto &[re, rh, type, split, other, lane, position, time] : rows) {
                        if (re != e || rh != h || other || lane.value(1).isEmpty())
                            continue;
                        if (!split && type == n && !position.value(1).isEmpty() &&
                            !time.value(1).isEmpty())
                            finish << QStringList{lane[1], position[1], time[1]};
                        // A split that reads as nothing keeps its place, empty.
                        if (split && QString::number(n) == lane[1])
                            lanes << (time.value(1) == u"!" ? QString() : time.value(1));
                    }
                    for (const auto &row : OnlineRows::FinishTimes(ares, "DEMO", e, h, n))
                        read << QStringList{QString::number(row.lane),
                                            QString::number(row.position),
                                            row.time.invalid ? "!" : row.time.text};
                    QCOMPARE(read, finish);
                    QCOMPARE(splits.splits(e, h, n), lanes);
                }
            }
    }

    // The demonstration times on the recording sheet, then the official's
    // ticks and the heats list posted to the announcer.
    void onTheSheetWindow()
    {
        DemoSheet s;
        Files files;
        s.shared.OnlineOn = true;
        s.shared.AresDbPath = files.demo;
        s.shared.OnlineMeetCode = QStringLiteral("DEMO");
        s.shared.AnnouncerOn = true;
        s.shared.AnnouncerDbPath = files.announcer;
        OpenedGala opened = OpenGala(s.shared, s.gala, s.dialogs);
        GalaRecSheet sheet(s.shared, s.gala, s.dialogs, &opened.online);
        sheet.show(); // laid out, so a click lands on its box
        auto child = [&sheet](const char *name) { return sheet.findChild<QWidget *>(name); };
        auto text = [&](const char *name) { return child(name)->property("text").toString(); };
        auto bu = [&](int r) { return sheet.findChild<QCheckBox *>("BU_" + QString::number(r)); };

        // Heat 2 of event 1 has only current results.
        QTest::mouseClick(child("Command7"), Qt::LeftButton);
        QCOMPARE((QStringList{text("Ares_time_ty"), text("TeamTime_5"), text("TeamPosition_5"),
                              text("TeamTotPoints_5")}),
                 (QStringList{"Current results", "38.90", "1", " 7"}));

        QTest::keyClicks(child("Swimmer_Name_1"), QStringLiteral("Ann"));
        QTest::mouseClick(bu(1), Qt::LeftButton);
        QTest::mouseClick(bu(1), Qt::LeftButton); // unticked: nothing more
        QTest::mouseClick(bu(2), Qt::LeftButton);
        // Showing another event clears the boxes without a word.
        QTest::mouseClick(child("Next_Event"), Qt::LeftButton);
        QVERIFY(!bu(2)->isChecked());
        QTest::mouseClick(child("HeatList"), Qt::LeftButton);
        const QStringList all = posted(files.announcer);
        const QString event1 = QStringLiteral("2:Event 1 : G10 50m Freestyle : Official time\r\n");
        QCOMPARE(all.mid(0, 2),
                 (QStringList{event1 + "The official time for Ann of Ashford Otters was 41.30",
                              event1 + "The official time for Bramley Dolphins was 39.87"}));
        QCOMPARE(all.size(), 4);
        QVERIFY(all[2].startsWith("3:Swimmers for Event 2 : B10 50m Freestyle (Heat 1)\r\n"));
    }

    // Each heat's swimmers in lane order, a heat a message; heats 1 2 1 2
    // count four. A swimmer name of 22 characters is cut, a team name of
    // exactly 20 is not. On the board every line fits its column at 1024
    // pixels wide and more: no horizontal scroll bar, the " (N/S)" of a
    // full-width line in sight. At 1600, where slightly smaller type fits,
    // no line wraps. The board shows a post made after it opened on its own
    // poll.
    void heatsListOnTheBoard()
    {
        Desk s({1, 2, 1, 2}, "YNYY", {"Harbourside Swimmers", "Ashford", "Dolphins", "Team 4"},
               {10, 2, 3, 1});
        const QStringList swimmers = {"Alexandra Montgomery-J", "Bea", "Cara", ""};
        for (int r = 0; r < 4; ++r)
            s.model.setText(SheetModel::SwimmerName, r, swimmers[r]);
        HeatsListToAnnouncer(s.shared, s.gala, s.model, s.dialogs);
        const QString title = QStringLiteral("3:Swimmers for Event 1 : G10 50m Freestyle");
        QCOMPARE(posted(s.files.announcer),
                 (QStringList{title + " (Heat 1)\r\n"
                                      " 3 Cara                Dolphins            \r\n"
                                      " 10Alexandra Montgomer>Harbourside Swimmers\r\n",
                              title + " (Heat 2)\r\n"
                                      " 1                     Team 4              \r\n"
                                      " 2 Bea                 Ashford              (N/S)\r\n",
                              title + " (Heat 3)\r\n", title + " (Heat 4)\r\n"}));
        // At 1600 pixels the heats lists and a result; at 1024 a third column,
        // of a priority the desk never posts.
        for (const int width : {1600, 1024}) {
            AnnounceBoardWindow window(s.files.announcer);
            window.resize(width, 700);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            PostAnnouncement(s.shared, s.dialogs,
                             width == 1600 ? "The official time for Bea was 41.30" : "Results",
                             AnnouncerPriority(width == 1600 ? 2 : 1));
            const int columns = width == 1600 ? 2 : 3; // four heats lists posted before
            QTRY_VERIFY(window.findChild<QLabel *>("BoardStatus")
                            ->text()
                            .startsWith(QStringLiteral("Messages posted: %1 ").arg(columns + 3)));
            QVERIFY(window.findChild<QLabel *>("BoardNotice")->isHidden());
            const QList<QTextBrowser *> shown = window.findChildren<QTextBrowser *>();
            QCOMPARE(shown.size(), columns);
            for (QTextBrowser *column : shown)
                QTRY_COMPARE(column->horizontalScrollBar()->maximum(), 0);
            QTextBrowser *heats = window.findChild<QTextBrowser *>("Priority_3");
            QVERIFY(heats->find(" (N/S)"));
            const QRect mark = heats->cursorRect();
            QVERIFY(mark.right() <= heats->viewport()->width());
            // Unwrapped, " (N/S)" ends the line of its lane and swimmer.
            QVERIFY(heats->find("Bea", QTextDocument::FindBackward));
            if (width == 1600)
                QCOMPARE(heats->cursorRect().top(), mark.top());
        }
    }

    // Off, nothing is posted nor opened; on, a missing file is said once a
    // post; found, it opens once and the placings go in announced order. A
    // post that finds the file busy gives up and says so. The board reads
    // the file the desk writes, newest first in each priority, and holds no
    // lock between reads; started on another kind of file it says so.
    void resultsPostedWhenOnAndFound()
    {
        const QTemporaryDir dir;
        // Names of 21 and of 20 characters, the longest shown whole.
        MemorySheet s("YYYNY", {"Harbourside Swimmers2", "Ashford Otters", "Bramley Dolphins ASC",
                                "Castleton Guests", "Castleton"});
        const QStringList swimmers{"Amy Lee", "Bea Jones", "Cara Smith", "Dee Brown", "Eve Green"};
        const QStringList times{"36.10", "D", "35.20", "34.00", ""};
        for (int r = 0; r < 5; ++r) {
            s.model.setText(SheetModel::SwimmerName, r, swimmers[r]);
            s.model.setText(SheetModel::Time, r, times[r]);
        }
        s.model.setText(SheetModel::Notes, 1, "False start");
        // Places typed by hand read as their nearest whole; a tie stays in
        // the order the exchange sort leaves it (Cara passes Amy on the way).
        s.model.setText(SheetModel::Position, 0, "1.6");
        s.model.setText(SheetModel::Position, 2, "2.4");
        const QString path = dir.filePath("announcer.mdb");
        s.shared.AnnouncerDbPath = path;
        PostAnnouncement(s.shared, s.dialogs, "anything", AnnouncerPriority::Results);
        QVERIFY(!s.shared.AnnouncerDb);

        s.shared.AnnouncerOn = true;
        s.dialogs.expectMessage("Can't locate the announcer database");
        PostAnnouncement(s.shared, s.dialogs, "lost", AnnouncerPriority::Results);
        QVERIFY(!s.shared.AnnouncerDbOpen);
        ReadyMade::createAnnouncerDatabase(path);
        ResultToAnnouncer(s.shared, s.gala, s.model, s.dialogs);
        const Database *opened = s.shared.AnnouncerDb.get();
        QVERIFY(opened && s.shared.AnnouncerDbOpen);
        Database reader(path);
        reader.execute(QStringLiteral("BEGIN EXCLUSIVE"));
        s.dialogs.expectMessage(
            "The announcement was not posted: database is locked (Announcement)");
        PostAnnouncement(s.shared, s.dialogs, "lost", AnnouncerPriority::Results);
        reader.execute(QStringLiteral("ROLLBACK"));
        PostAnnouncement(s.shared, s.dialogs, "heats", AnnouncerPriority::HeatsLists);
        PostAnnouncement(s.shared, s.dialogs, "result 2", AnnouncerPriority::Results);
        QCOMPARE(s.shared.AnnouncerDb.get(), opened);
        QCOMPARE(posted(path),
                 QStringList({"2:Event 1 : G10 50m Freestyle\r\n"
                              "   Castleton                     Eve Green           \r\n"
                              "2  Bramley Dolphins ASC35.20     Cara Smith          \r\n"
                              "2  Harbourside Swimmer>36.10     Amy Lee             \r\n"
                              "DQ Ashford Otters                Bea Jones           False start\r\n"
                              "   Castleton Guests    34.00     Dee Brown           \r\n",
                              "3:heats", "2:result 2"}));

        AnnouncementBoardModel board(path);
        QString error;
        bool changed = false;
        QVERIFY(board.refresh(error, changed) && changed);
        using M = AnnouncementBoardModel::Message;
        const QString result = posted(path)[0].mid(2).replace("\r\n", "\n");
        QCOMPARE(board.groups(),
                 (QList<AnnouncementBoardModel::Group>{{2, {M{3, 2, "result 2"}, M{1, 2, result}}},
                                                       {3, {M{2, 3, "heats"}}}}));
        reader.execute(QStringLiteral("BEGIN EXCLUSIVE"));
        QVERIFY(!board.refresh(error, changed) && error.contains(QStringLiteral("locked")));
        reader.execute(QStringLiteral("ROLLBACK"));
        const QString online = dir.filePath("online.mdb"), text = dir.filePath("notes.txt");
        ReadyMade::createOnlineTimesDatabase(online);
        QVERIFY(PBUTIL::WriteTextFile(text, {QString(2048, 'n')}));
        for (const QString &wrong : {online, text}) {
            AnnounceBoardWindow window(wrong);
            const QLabel *notice = window.findChild<QLabel *>("BoardNotice");
            QCOMPARE(notice->text(), wrong + " is not an announcer database");
            QVERIFY(!notice->isHidden() && notice->font().pointSize() >= 20);
        }
    }
};

QTEST_MAIN(TstTimingLinks)
#include "tst_timinglinks.moc"
