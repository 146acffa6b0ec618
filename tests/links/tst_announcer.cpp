#include "foundation/Engine.h"
#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "links/Announcer.h"
#include "recording/SheetModel.h"
#include "tests/support/ScriptedDialogs.h"
#include "tools/ReadyMadeDatabases.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Dialogs that only note the messages shown; for engine failures whose
// text is the engine's own.
class NotingDialogs : public Dialogs
{
public:
    QStringList messages;
    void message(const QString &text) override { messages << text; }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &) override { return false; }
    void chooseFile(FileChoice &) override {}
};

struct Team
{
    QString name;
    bool scoring = true;
};

// A two-event gala in memory with one heat of the given teams, event 1 shown.
struct Sheet
{
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;
    std::unique_ptr<SheetModel> model;

    explicit Sheet(const QList<Team> &teams)
    {
        gala.NoOfEvents = 2;
        gala.resizeEvents(2);
        const char *events[][4] = {{"1", "G10", "50", "FS"}, {"2", "B Open", "100", "BK"}};
        for (int e = 1; e <= 2; ++e) {
            gala.EventNo[e] = QLatin1String(events[e - 1][0]);
            gala.EventSexAge[e] = QLatin1String(events[e - 1][1]);
            gala.EventDistance[e] = QLatin1String(events[e - 1][2]);
            gala.EventStroke[e] = QLatin1String(events[e - 1][3]);
        }
        gala.NoOfTeams = int(teams.size());
        gala.resizeTeams(gala.NoOfTeams);
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            gala.TeamName[t] = teams[t - 1].name;
            gala.TeamHeat[t] = 1;
            gala.TeamLane[t] = t;
            gala.TeamScoring[t] = teams[t - 1].scoring;
            gala.NoOfScoringTeams += teams[t - 1].scoring ? 1 : 0;
        }
        model = std::make_unique<SheetModel>(shared, gala, dialogs);
        model->setUpRows();
        model->ShowEvent(1);
    }
    void type(int row, SheetModel::Column column, const QString &text)
    {
        model->setText(column, row, text);
    }
};

struct Posted
{
    int priority;
    QString message;
};

QList<Posted> announcements(const QString &path)
{
    Database db(path);
    Recordset set = db.openRecordset(QStringLiteral("Announcement"));
    QList<Posted> all;
    if (set.recordCount() > 0) {
        for (set.moveFirst(); !set.atEnd(); set.moveNext())
            all.push_back({set.value(QStringLiteral("Priority")).toInt(),
                           set.text(QStringLiteral("Message"))});
    }
    return all;
}

// Team names of the result lines, in the order announced.
QStringList announcedOrder(const QString &text)
{
    QStringList names;
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i)
        names << lines[i].mid(3, 20).trimmed();
    return names;
}

} // namespace

class TstAnnouncer : public QObject
{
    Q_OBJECT
private slots:
    void offChangesNothing();
    void missingFileThenOpensOnce();
    void engineFailureIsShownAndDropped_data();
    void engineFailureIsShownAndDropped();
    void resultLinesInAnnouncedOrder();
    void teamNameFitted_data();
    void teamNameFitted();
    void exchangeSort_data();
    void exchangeSort();
    void unknownEventIsNotAnnounced();

private:
    QTemporaryDir m_dir;
};

void TstAnnouncer::offChangesNothing()
{
    const QString path = m_dir.filePath(QStringLiteral("off.mdb"));
    ReadyMade::createAnnouncerDatabase(path);
    Sheet sheet({{QStringLiteral("Harbourside")}, {QStringLiteral("Ashford")}});
    sheet.shared.AnnouncerDbPath = path;
    sheet.type(0, SheetModel::Time, QStringLiteral("35.00"));

    ResultToAnnouncer(sheet.shared, sheet.gala, *sheet.model, sheet.dialogs);
    PostAnnouncement(sheet.shared, sheet.dialogs, QStringLiteral("anything"), 2);

    QVERIFY(!sheet.shared.AnnouncerDbOpen);
    QVERIFY(!sheet.shared.AnnouncerDb);
    QVERIFY(announcements(path).isEmpty());
    QVERIFY2(sheet.dialogs.finished(), sheet.dialogs.faults());
}

void TstAnnouncer::missingFileThenOpensOnce()
{
    const QString path = m_dir.filePath(QStringLiteral("late.mdb"));
    SharedState shared;
    shared.AnnouncerOn = true;
    shared.AnnouncerDbPath = path;
    ScriptedDialogs dialogs;
    dialogs.expectMessage(QStringLiteral("Can't locate the announcer database"));

    PostAnnouncement(shared, dialogs, QStringLiteral("lost"), 2);
    QVERIFY(!shared.AnnouncerDbOpen);

    ReadyMade::createAnnouncerDatabase(path);
    PostAnnouncement(shared, dialogs, QStringLiteral("first"), 2);
    QVERIFY(shared.AnnouncerDbOpen);
    const Database *opened = shared.AnnouncerDb.get();
    PostAnnouncement(shared, dialogs, QStringLiteral("second\r\nline two"), 2);
    PostAnnouncement(shared, dialogs, QStringLiteral("heats"), 3);
    QCOMPARE(shared.AnnouncerDb.get(), opened);

    const QList<Posted> rows = announcements(path);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].message, QStringLiteral("first"));
    QCOMPARE(rows[1].message, QStringLiteral("second\r\nline two"));
    QCOMPARE(rows[2].message, QStringLiteral("heats"));
    QCOMPARE(rows[1].priority, 2);
    QCOMPARE(rows[2].priority, 3);
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstAnnouncer::engineFailureIsShownAndDropped_data()
{
    QTest::addColumn<bool>("isDatabase");
    QTest::newRow("file is no database") << false;
    QTest::newRow("database without Announcement") << true;
}

void TstAnnouncer::engineFailureIsShownAndDropped()
{
    QFETCH(bool, isDatabase);
    const QString path = m_dir.filePath(QStringLiteral("broken%1.mdb").arg(isDatabase));
    if (isDatabase) {
        Database::create(path);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    SharedState shared;
    shared.AnnouncerOn = true;
    shared.AnnouncerDbPath = path;
    NotingDialogs dialogs;

    PostAnnouncement(shared, dialogs, QStringLiteral("dropped"), 2);

    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(!dialogs.messages[0].isEmpty());
    QVERIFY(dialogs.messages[0] != QStringLiteral("Can't locate the announcer database"));
    // Only a file that opened counts as open; a broken one is tried again.
    QCOMPARE(shared.AnnouncerDbOpen, isDatabase);
}

void TstAnnouncer::resultLinesInAnnouncedOrder()
{
    const QString path = m_dir.filePath(QStringLiteral("result.mdb"));
    ReadyMade::createAnnouncerDatabase(path);
    Sheet sheet({{QStringLiteral("Harbourside")},
                 {QStringLiteral("Ashford Otters")},
                 {QStringLiteral("Bramley Dolphins")},
                 {QStringLiteral("Castleton Guests"), false},
                 {QStringLiteral("Castleton")}});
    sheet.shared.AnnouncerOn = true;
    sheet.shared.AnnouncerDbPath = path;
    const char *swimmers[] = {"Amy Lee", "Bea Jones", "Cara Smith", "Dee Brown", "Eve Green"};
    const char *times[] = {"36.10", "D", "35.20", "34.00", ""};
    for (int r = 0; r < 5; ++r) {
        sheet.type(r, SheetModel::SwimmerName, QLatin1String(swimmers[r]));
        sheet.type(r, SheetModel::Time, QLatin1String(times[r]));
    }
    sheet.type(1, SheetModel::Notes, QStringLiteral("False start"));

    ResultToAnnouncer(sheet.shared, sheet.gala, *sheet.model, sheet.dialogs);

    const QString expected =
        QStringLiteral("Event 1 : G10 50m Freestyle\r\n"
                       "   Castleton                     Eve Green           \r\n"
                       "1  Bramley Dolphins    35.20     Cara Smith          \r\n"
                       "2  Harbourside         36.10     Amy Lee             \r\n"
                       "DQ Ashford Otters                Bea Jones           False start\r\n"
                       "   Castleton Guests    34.00     Dee Brown           \r\n");
    const QList<Posted> rows = announcements(path);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].message, expected);
    QCOMPARE(rows[0].priority, 2);
    QVERIFY2(sheet.dialogs.finished(), sheet.dialogs.faults());
}

void TstAnnouncer::teamNameFitted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("20 characters whole")
        << QStringLiteral("Harbourside Swimmers") << QStringLiteral("Harbourside Swimmers");
    QTest::newRow("21 characters cut")
        << QStringLiteral("Harbourside Swimmers2") << QStringLiteral("Harbourside Swimmer>");
    QTest::newRow("short padded") << QStringLiteral("Ash")
                                  << QStringLiteral("Ash                 ");
}

void TstAnnouncer::teamNameFitted()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    Sheet sheet({{name}});
    sheet.type(0, SheetModel::Time, QStringLiteral("40.00"));
    const QStringList lines =
        EventResultText(sheet.gala, *sheet.model).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(1), QStringLiteral("1  ") + shown + QStringLiteral("40.00     ") +
                                 QString(20, QLatin1Char(' ')));
}

void TstAnnouncer::exchangeSort_data()
{
    // One letter per team: S scoring, N non-scoring; times typed, then positions
    // typed by hand where given ("-" types nothing).
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<QStringList>("positions");
    QTest::addColumn<QStringList>("order");
    const QStringList none = {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    QTest::newRow("no position before first place")
        << "SS" << QStringList{"", "30.00"} << none.mid(0, 2) << QStringList{"T1", "T2"};
    QTest::newRow("disqualified after placed")
        << "SSS" << QStringList{"D", "31.00", "30.00"} << none << QStringList{"T3", "T2", "T1"};
    QTest::newRow("two disqualified change places")
        << "SSS" << QStringList{"D", "D", "30.00"} << none << QStringList{"T3", "T2", "T1"};
    QTest::newRow("fastest non-scoring last")
        << "NSS" << QStringList{"20.00", "31.00", "30.00"} << none << QStringList{"T3", "T2", "T1"};
    QTest::newRow("non-scoring keep their exchanges")
        << "NNS" << QStringList{"", "", "30.00"} << none << QStringList{"T3", "T2", "T1"};
    QTest::newRow("tie typed by hand")
        << "SSS" << QStringList{"", "", ""} << QStringList{"2", "1", "1"}
        << QStringList{"T2", "T3", "T1"};
    QTest::newRow("position read to nearest whole")
        << "SS" << QStringList{"", ""} << QStringList{"2.6", "2.4"} << QStringList{"T2", "T1"};
}

void TstAnnouncer::exchangeSort()
{
    QFETCH(QString, kinds);
    QFETCH(QStringList, times);
    QFETCH(QStringList, positions);
    QFETCH(QStringList, order);
    QList<Team> teams;
    for (qsizetype i = 0; i < kinds.size(); ++i)
        teams.push_back({QStringLiteral("T%1").arg(i + 1), kinds[i] == QLatin1Char('S')});
    Sheet sheet(teams);
    for (int r = 0; r < int(kinds.size()); ++r)
        sheet.type(r, SheetModel::Time, times[r]);
    for (int r = 0; r < int(kinds.size()); ++r)
        if (positions[r] != QLatin1String("-"))
            sheet.type(r, SheetModel::Position, positions[r]);
    QCOMPARE(announcedOrder(EventResultText(sheet.gala, *sheet.model)), order);
}

void TstAnnouncer::unknownEventIsNotAnnounced()
{
    const QString path = m_dir.filePath(QStringLiteral("unknown.mdb"));
    ReadyMade::createAnnouncerDatabase(path);
    Sheet sheet({{QStringLiteral("Harbourside")}});
    sheet.shared.AnnouncerOn = true;
    sheet.shared.AnnouncerDbPath = path;
    // A typed number the sheet refused: the rows still show event 1.
    sheet.model->setEvNo(QStringLiteral("15"));
    sheet.dialogs.expectMessage(QStringLiteral("Invalid Event Number"));

    ResultToAnnouncer(sheet.shared, sheet.gala, *sheet.model, sheet.dialogs);

    QVERIFY(announcements(path).isEmpty());
    QVERIFY2(sheet.dialogs.finished(), sheet.dialogs.faults());
}

QTEST_APPLESS_MAIN(TstAnnouncer)
#include "tst_announcer.moc"
