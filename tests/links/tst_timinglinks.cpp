#include "announce/AnnounceBoard.h"
#include "links/AnnouncementBoard.h"
#include "links/Announcer.h"
#include "links/HeatList.h"
#include "links/OfficialTime.h"
#include "recording/GalaRecSheet.h"
#include "tests/links/OnlineFixture.h"

#include <QCryptographicHash>
#include <QtTest>
#include <QtWidgets>

namespace {

// The announcer database of a test, in a temporary folder.
struct TestAnnouncer
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("announcer.mdb"));
    TestAnnouncer() { ReadyMade::createAnnouncerDatabase(path); }
    void useFrom(SharedState &shared) const
    {
        shared.AnnouncerOn = true;
        shared.AnnouncerDbPath = path;
    }
};

// The demonstration gala on a recording sheet with online timing and the
// announcer in use.
struct OnlineDesk : DemoSheet
{
    TestOnline times{true};
    TestAnnouncer announcer;
    OpenedGala opened;
    std::unique_ptr<GalaRecSheet> sheet;

    OnlineDesk()
    {
        shared.OnlineOn = true;
        shared.AresDbPath = times.path;
        shared.OnlineMeetCode = QStringLiteral("DEMO");
        announcer.useFrom(shared);
        opened = OpenGala(shared, gala, dialogs);
        sheet = std::make_unique<GalaRecSheet>(shared, gala, dialogs, &opened.online);
        sheet->show(); // laid out, so a click lands on its box
    }
    template <typename W = QPushButton> W *child(const QString &name) const
    {
        return sheet->findChild<W *>(name);
    }
    QCheckBox *bu(int row) const { return child<QCheckBox>(QStringLiteral("BU_%1").arg(row)); }
    QLineEdit *time(int row) const
    {
        return child<QLineEdit>(QStringLiteral("TeamTime_%1").arg(row));
    }
};

QString fileHash(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly)
               ? QString::fromLatin1(
                     QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex())
               : QString();
}

} // namespace

class TstTimingLinks : public QObject
{
    Q_OBJECT
private slots:
    void officialTimeText_data()
    {
        QTest::addColumn<QString>("swimmer");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("announced");
        QTest::newRow("named swimmer") << "A"
                                       << "1:05.23"
                                       << "The official time for A of B was 1:05.23";
        QTest::newRow("no swimmer name") << ""
                                         << "1:05.23"
                                         << "The official time for B was 1:05.23";
        QTest::newRow("empty time box") << "A"
                                        << ""
                                        << "The official time for A of B was ";
    }
    void officialTimeText()
    {
        QFETCH(QString, swimmer);
        QFETCH(QString, time);
        QFETCH(QString, announced);
        MemorySheet s(QStringLiteral("YY"), {"B", "C"}, {"G10", "G10", "B10", "S"});
        s.gala.EventDistance[4] = QStringLiteral("100");
        s.gala.EventStroke[4] = QStringLiteral("BR");
        s.model.ShowEvent(4);
        s.model.setText(SheetModel::SwimmerName, 0, swimmer);
        s.model.setText(SheetModel::Time, 0, time);
        QCOMPARE(OfficialTimeText(s.gala, s.model, 0),
                 QStringLiteral("Event 4 : S 100m Breaststroke : Official time\r\n") + announced);
        // A hidden row has no team entry to announce.
        QCOMPARE(OfficialTimeText(s.gala, s.model, 2), QString());
    }

    void buPostsOnATickOnly()
    {
        OnlineDesk desk;
        QVERIFY(desk.bu(7)->isVisibleTo(desk.sheet.get()));
        QVERIFY(!desk.bu(8)->isVisibleTo(desk.sheet.get()));
        QTest::keyClicks(desk.time(1), QStringLiteral("41.3"));
        QTest::mouseClick(desk.bu(1), Qt::LeftButton);
        QTest::mouseClick(desk.bu(1), Qt::LeftButton); // unticked: nothing more
        QVERIFY(!desk.bu(1)->isChecked());
        QTest::mouseClick(desk.bu(2), Qt::LeftButton);
        QVERIFY(desk.bu(2)->isChecked());
        // Showing another event clears the boxes without a word.
        QTest::mouseClick(desk.child(QStringLiteral("Next_Event")), Qt::LeftButton);
        QVERIFY(!desk.bu(2)->isChecked());
        QCOMPARE(posted(desk.announcer.path),
                 (QStringList{"2:Event 1 : G10 50m Freestyle : Official time\r\n"
                              "The official time for Ashford Otters was 41.3",
                              "2:Event 1 : G10 50m Freestyle : Official time\r\n"
                              "The official time for Bramley Dolphins was "}));
    }

    void onlineTimesOnTheSheetWindow()
    {
        OnlineDesk desk;
        auto *button = desk.child(QStringLiteral("Command7"));
        QVERIFY(button->isVisibleTo(desk.sheet.get()) && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(desk.child<QLabel>(QStringLiteral("Ares_time_ty"))->text(),
                 QStringLiteral("Current results"));
        QCOMPARE(desk.time(5)->text(), QStringLiteral("38.90"));
        QCOMPARE(desk.child<QLineEdit>(QStringLiteral("TeamPosition_5"))->text(),
                 QStringLiteral("1"));
        QCOMPARE(desk.child<QLineEdit>(QStringLiteral("TeamTotPoints_5"))->text(),
                 QStringLiteral(" 7"));

        QTest::mouseClick(desk.child(QStringLiteral("HeatList")), Qt::LeftButton);
        const QStringList heats = posted(desk.announcer.path);
        QCOMPARE(heats.size(), 2);
        QVERIFY(heats[0].startsWith(
            QStringLiteral("3:Swimmers for Event 1 : G10 50m Freestyle (Heat 1)\r\n")));
        QVERIFY(heats[1].endsWith(
            QStringLiteral(" 4                     Castleton Guests     (N/S)\r\n")));
    }

    void heatsList_data()
    {
        QTest::addColumn<QList<int>>("heats");
        QTest::addColumn<QList<int>>("lanes");
        QTest::addColumn<QString>("scoring");
        QTest::addColumn<QStringList>("messages");
        const QString title = QStringLiteral("3:Swimmers for Event 1 : G10 50m Freestyle");
        QTest::newRow("one heat: no heat in the title, lanes in order")
            << QList<int>{1, 1, 1} << QList<int>{3, 10, 1} << "YNY"
            << QStringList{title + "\r\n"
                                   " 1 Cara                Dolphins            \r\n"
                                   " 3 Alexandra Montgomer>Harbourside Swimmers\r\n"
                                   " 10Bea                 Ashford              (N/S)\r\n"};
        QTest::newRow("heats 1 2 1 2 count four")
            << QList<int>{1, 2, 1, 2} << QList<int>{1, 1, 2, 2} << "YYYY"
            << QStringList{title + " (Heat 1)\r\n"
                                   " 1 Alexandra Montgomer>Harbourside Swimmers\r\n"
                                   " 2 Cara                Dolphins            \r\n",
                           title + " (Heat 2)\r\n"
                                   " 1 Bea                 Ashford             \r\n"
                                   " 2                     Team 4              \r\n",
                           title + " (Heat 3)\r\n", title + " (Heat 4)\r\n"};
    }
    void heatsList()
    {
        QFETCH(QList<int>, heats);
        QFETCH(QList<int>, lanes);
        QFETCH(QString, scoring);
        QFETCH(QStringList, messages);
        TestAnnouncer announcer;
        // A swimmer name of 22 characters, a team name of exactly 20.
        MemorySheet s(scoring, {"Harbourside Swimmers", "Ashford", "Dolphins", "Team 4"});
        for (int t = 1; t <= s.gala.NoOfTeams; ++t) {
            s.gala.TeamHeat[t] = heats[t - 1];
            s.gala.TeamLane[t] = lanes[t - 1];
        }
        s.model.setUpRows();
        const QStringList swimmers = {"Alexandra Montgomery-J", "Bea", "Cara", ""};
        for (int r = 0; r < s.gala.NoOfTeams; ++r)
            s.model.setText(SheetModel::SwimmerName, r, swimmers[r]);
        announcer.useFrom(s.shared);

        HeatsListToAnnouncer(s.shared, s.gala, s.model, s.dialogs);

        QCOMPARE(posted(announcer.path), messages);
    }

    void heatsListNeedsAnEvent()
    {
        TestAnnouncer announcer;
        MemorySheet s(QStringLiteral("YY"));
        announcer.useFrom(s.shared);
        s.model.setEvNo(QStringLiteral("7"));
        s.dialogs.expectMessage(QStringLiteral("Invalid Event Number"));
        HeatsListToAnnouncer(s.shared, s.gala, s.model, s.dialogs);
        QVERIFY(posted(announcer.path).isEmpty());
    }

    // The board reads the file the desk writes: a post that finds it busy
    // gives up and says so, and the next one goes through.
    void busyAnnouncerIsReported()
    {
        TestAnnouncer announcer;
        MemorySheet s(QStringLiteral("Y"));
        announcer.useFrom(s.shared);
        PostAnnouncement(s.shared, s.dialogs, QStringLiteral("first"), 2);
        Database reader(announcer.path);
        reader.execute(QStringLiteral("BEGIN EXCLUSIVE"));
        s.dialogs.expectMessage(
            QStringLiteral("The announcement was not posted: database is locked (Announcement)"));
        PostAnnouncement(s.shared, s.dialogs, QStringLiteral("lost"), 2);
        reader.execute(QStringLiteral("ROLLBACK"));
        PostAnnouncement(s.shared, s.dialogs, QStringLiteral("third"), 3);
        QCOMPARE(posted(announcer.path), (QStringList{"2:first", "3:third"}));
    }

    void boardGroupsNewestFirst()
    {
        TestAnnouncer announcer;
        MemorySheet s(QStringLiteral("Y"));
        announcer.useFrom(s.shared);
        for (const auto &[text, priority] :
             {std::pair{"result 1\r\nline", 2}, std::pair{"heats", 3}, std::pair{"result 2", 2}})
            PostAnnouncement(s.shared, s.dialogs, QString::fromLatin1(text), priority);
        const QString before = fileHash(announcer.path);

        AnnouncementBoard board(announcer.path);
        QString error;
        bool changed = false;
        QVERIFY(board.refresh(error, changed));
        QVERIFY(changed);
        using M = AnnouncementBoard::Message;
        QCOMPARE(board.groups(), (QList<AnnouncementBoard::Group>{
                                     {2, {M{3, 2, "result 2"}, M{1, 2, "result 1\nline"}}},
                                     {3, {M{2, 3, "heats"}}}}));
        QCOMPARE(board.newest(), 3);
        QVERIFY(board.refresh(error, changed));
        QVERIFY(!changed);
        // Nothing written, and no lock kept: the desk takes the file at once.
        QCOMPARE(fileHash(announcer.path), before);
        Database desk(announcer.path, Database::Access::ReadWrite, 0);
        desk.execute(QStringLiteral("BEGIN EXCLUSIVE"));
        QVERIFY(!board.refresh(error, changed));
        QVERIFY(error.contains(QStringLiteral("locked")));
        desk.execute(QStringLiteral("ROLLBACK"));

        // A file that went away, or holds no announcements, keeps what was shown.
        AnnouncementBoard gone(announcer.dir.filePath(QStringLiteral("gone.mdb")));
        QVERIFY(!gone.refresh(error, changed));
        QCOMPARE(error, QStringLiteral("No announcer database at ") + gone.path());
        TestGala gala;
        AnnouncementBoard wrong(gala.path);
        QVERIFY(!wrong.refresh(error, changed));
        QCOMPARE(error, QStringLiteral("Could not find table 'Announcement'."));
        QVERIFY(board.refresh(error, changed) && board.groups().size() == 2);
    }

    void boardWindowShowsPosts()
    {
        TestAnnouncer announcer;
        MemorySheet s(QStringLiteral("Y"));
        announcer.useFrom(s.shared);
        AnnounceBoard window(announcer.path);
        QVERIFY(window.findChildren<QTextBrowser *>().isEmpty());
        PostAnnouncement(s.shared, s.dialogs, QStringLiteral("Event 1 : Official time"), 2);
        // The board's own poll brings the message up.
        QTRY_VERIFY(window.findChild<QTextBrowser *>(QStringLiteral("Priority_2")));
        auto *column = window.findChild<QTextBrowser *>(QStringLiteral("Priority_2"));
        QVERIFY(column->toPlainText().contains(QStringLiteral("Event 1 : Official time")));
        QCOMPARE(column->accessibleName(), QStringLiteral("Results, times and scores"));
        QVERIFY(window.findChild<QLabel *>(QStringLiteral("BoardStatus"))
                    ->text()
                    .startsWith(QStringLiteral("Messages posted: 1 ")));
    }
};

QTEST_MAIN(TstTimingLinks)
#include "tst_timinglinks.moc"
