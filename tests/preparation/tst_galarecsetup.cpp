#include "preparation/GalaRecSetup.h"
#include "preparation/TeamEntry.h"
#include "tests/preparation/Desk.h"
#include "tests/preparation/ScreenDriver.h"

#include <QCheckBox>
#include <QFile>
#include <QtTest>

using namespace Drive;

class TstGalaRecSetup : public QObject
{
    Q_OBJECT
private slots:
    void opensWithCodesAndNothingChosen();
    void meetDetailsOfTheDemoCode();
    void galaDetails_data();
    void galaDetails();
    void codeWithoutEventsOrNotes();
    void sameDayTwiceKeepsEachPromoter();
    void addCodeRefreshesGalaDetails();
    void recordResults_data();
    void recordResults();
    void optionsFollowTheTicks();
    void browse_data();
    void browse();
    void engineFailureEndsOnlyTheAction();
};

namespace {

// A set-up screen on the desk whose sub-screens close at once and whose
// recording sheet only counts its openings.
struct SetUp
{
    GalaRecSetup screen;
    int sheetsOpened = 0;
    explicit SetUp(Desk &desk) : screen(desk.shared, desk.gala, desk.dialogs)
    {
        screen.setModalRunner([](QDialog &d) {
            d.accept();
            return d.result();
        });
        screen.setSheetOpener([this] { ++sheetsOpened; });
    }
};

} // namespace

void TstGalaRecSetup::opensWithCodesAndNothingChosen()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("FROMINI");
    SetUp s(desk);
    QCOMPARE(s.screen.windowTitle(), QStringLiteral("Gala Recording Set-Up"));
    auto *codes = child<QComboBox>(&s.screen, QStringLiteral("MeetCodeList"));
    QCOMPARE(lines(codes), QStringList{QStringLiteral("DEMO")});
    QCOMPARE(codes->currentText(), QString());
    QCOMPARE(codes->accessibleName(), QStringLiteral("Meet Code"));
    QCOMPARE(shown(&s.screen, QStringLiteral("MeetDetails")), QString());
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")), QString());
    // The code from the settings file stands until a code is clicked.
    QCOMPARE(desk.shared.ProgCode, QStringLiteral("FROMINI"));
    QVERIFY(!child<QPushButton>(&s.screen, QStringLiteral("Command4"))->isEnabled());
    QVERIFY(!child<QPushButton>(&s.screen, QStringLiteral("Command5"))->isEnabled());
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaRecSetup::meetDetailsOfTheDemoCode()
{
    Desk desk;
    SetUp s(desk);
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    QCOMPARE(shown(&s.screen, QStringLiteral("MeetDetails")),
             QStringLiteral("Harbourside Junior Team Gala\n"
                            "Demonstration gala: try recording the graded gala of 12/10/26.\n"
                            "Number of event= 12"));
    QCOMPARE(s.screen.choice().eventCount(), 12);
    QCOMPARE(desk.shared.ProgCode, QStringLiteral("DEMO"));
    auto *dates = child<QComboBox>(&s.screen, QStringLiteral("GalaDateBox"));
    QCOMPARE(lines(dates), (QStringList{QStringLiteral("14/09/26"), QStringLiteral("12/10/26")}));
    QCOMPARE(dates->currentText(), QString());
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")), QString());
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaRecSetup::galaDetails_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("details");
    QTest::addColumn<QString>("graded");
    QTest::newRow("graded gala with 8 teams")
        << "12/10/26"
        << "12/10/26 Harbourside SC TIME GRADED GALA\n8 teams entered"
        << "Y";
    QTest::newRow("ungraded gala without teams")
        << "14/09/26"
        << "14/09/26 Harbourside SC\nNo teams currently entered"
        << "N";
}

void TstGalaRecSetup::galaDetails()
{
    QFETCH(QString, date);
    QFETCH(QString, details);
    QFETCH(QString, graded);
    Desk desk;
    SetUp s(desk);
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    choose(&s.screen, QStringLiteral("GalaDateBox"), date);
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")), details);
    QCOMPARE(desk.shared.GalaDate, date);
    QCOMPARE(desk.shared.LastGalaDate, date);
    QCOMPARE(desk.shared.Promoter, QStringLiteral("Harbourside SC"));
    QCOMPARE(desk.shared.Graded, graded);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaRecSetup::codeWithoutEventsOrNotes()
{
    Desk desk;
    Recordset names = desk.db().openRecordset(QStringLiteral("Gala_Name"));
    names.addNew();
    names.setValue(QStringLiteral("Program code"), QStringLiteral("EMPTY"));
    names.setValue(QStringLiteral("Program description"), QStringLiteral("Not planned yet"));
    names.update();
    names.close();
    SetUp s(desk);
    QCOMPARE(lines(child<QComboBox>(&s.screen, QStringLiteral("MeetCodeList"))),
             (QStringList{QStringLiteral("DEMO"), QStringLiteral("EMPTY")}));
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("EMPTY"));
    QCOMPARE(shown(&s.screen, QStringLiteral("MeetDetails")),
             QStringLiteral("Not planned yet\nNo events list for this gala"));
    QCOMPARE(child<QComboBox>(&s.screen, QStringLiteral("GalaDateBox"))->count(), 0);
}

void TstGalaRecSetup::sameDayTwiceKeepsEachPromoter()
{
    Desk desk;
    Recordset dates = desk.db().openRecordset(QStringLiteral("Gala_Date"));
    dates.addNew();
    dates.setValue(QStringLiteral("Program code"), QStringLiteral("DEMO"));
    dates.setValue(QStringLiteral("Date"), QStringLiteral("12/10/26"));
    dates.setValue(QStringLiteral("Promoter"), QStringLiteral("Ashford ASC"));
    dates.setValue(QStringLiteral("Graded"), false);
    dates.update();
    dates.close();
    SetUp s(desk);
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    auto *box = child<QComboBox>(&s.screen, QStringLiteral("GalaDateBox"));
    QCOMPARE(lines(box), (QStringList{QStringLiteral("14/09/26"), QStringLiteral("12/10/26"),
                                      QStringLiteral("12/10/26")}));
    box->setCurrentIndex(2);
    emit box->activated(2);
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")),
             QStringLiteral("12/10/26 Ashford ASC\n8 teams entered"));
    QCOMPARE(desk.shared.Graded, QStringLiteral("N"));
    box->setCurrentIndex(1);
    emit box->activated(1);
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")),
             QStringLiteral("12/10/26 Harbourside SC TIME GRADED GALA\n8 teams entered"));
}

void TstGalaRecSetup::addCodeRefreshesGalaDetails()
{
    Desk desk;
    SetUp s(desk);
    // No code chosen yet: there is no gala to describe.
    desk.shared.GalaDate = QStringLiteral("12/10/26");
    click(&s.screen, QStringLiteral("Command2"));
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")), QString());
    QCOMPARE(desk.shared.GalaDate, QStringLiteral("12/10/26"));

    // A code but no date chosen: the details of "no date".
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    click(&s.screen, QStringLiteral("Command2"));
    QCOMPARE(child<QComboBox>(&s.screen, QStringLiteral("MeetCodeList"))->currentText(), QString());
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")),
             QStringLiteral(" \nNo teams currently entered"));
    QCOMPARE(desk.shared.GalaDate, QString());

    // A chosen date stays chosen and is described again.
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    choose(&s.screen, QStringLiteral("GalaDateBox"), QStringLiteral("14/09/26"));
    click(&s.screen, QStringLiteral("Command2"));
    QCOMPARE(shown(&s.screen, QStringLiteral("GalaDetails")),
             QStringLiteral("14/09/26 Harbourside SC\nNo teams currently entered"));
    QCOMPARE(desk.shared.GalaDate, QStringLiteral("14/09/26"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaRecSetup::recordResults_data()
{
    QTest::addColumn<bool>("announcerOn");
    QTest::addColumn<bool>("announcerThere");
    QTest::addColumn<bool>("onlineOn");
    QTest::addColumn<bool>("onlineThere");
    QTest::addColumn<bool>("untickOnline");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("teams"); // entries of 12/10/26; 8 in the demonstration gala
    QTest::addColumn<QString>("refusal");
    QTest::newRow("ready") << true << true << true << true << false << "12/10/26" << 8 << "";
    QTest::newRow("links off") << false << false << false << false << false << "12/10/26" << 8
                               << "";
    QTest::newRow("announcer file missing")
        << true << false << false << false << false << "12/10/26" << 8 << "No announcer screen";
    QTest::newRow("announcer tested before online")
        << true << false << true << false << false << "12/10/26" << 8 << "No announcer screen";
    QTest::newRow("online file missing") << false << false << true << false << false << "12/10/26"
                                         << 8 << "No database of online times";
    QTest::newRow("unticked online is not tested")
        << false << false << true << false << true << "12/10/26" << 8 << "";
    QTest::newRow("gala without teams") << false << false << false << false << false << "14/09/26"
                                        << 8 << "No teams currently entered";
    QTest::newRow("no date clicked")
        << false << false << false << false << false << "" << 8 << "No teams currently entered";
    QTest::newRow("as many teams as sheet rows")
        << false << false << false << false << false << "12/10/26" << 17 << "";
    QTest::newRow("more teams than sheet rows")
        << false << false << false << false << false << "12/10/26" << 20
        << "Too many teams entered: the recording sheet has room for 17";
}

void TstGalaRecSetup::recordResults()
{
    QFETCH(bool, announcerOn);
    QFETCH(bool, announcerThere);
    QFETCH(bool, onlineOn);
    QFETCH(bool, onlineThere);
    QFETCH(bool, untickOnline);
    QFETCH(QString, date);
    QFETCH(QString, refusal);
    QFETCH(int, teams);
    Desk desk;
    if (teams != 8) {
        std::vector<TeamEntryRecord> entries;
        for (int i = 0; i < teams; ++i)
            entries.push_back({i % 10 + 1, i / 10 + 1, QStringLiteral("Team"), true});
        TeamEntry::replaceTeams(desk.db(), QStringLiteral("DEMO"), QStringLiteral("12/10/26"),
                                entries);
    }
    QTemporaryDir links;
    auto linkFile = [&](const char *name, bool there) {
        const QString path = links.filePath(QString::fromLatin1(name));
        if (there) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
        }
        return path;
    };
    desk.shared.AnnouncerOn = announcerOn;
    desk.shared.AnnouncerDbPath = linkFile("announcer.mdb", announcerThere);
    desk.shared.OnlineOn = onlineOn;
    desk.shared.AresDbPath = linkFile("ares.mdb", onlineThere);
    // The code comes from the settings file until one is clicked.
    desk.shared.ProgCode = QStringLiteral("DEMO");
    SetUp s(desk);
    if (!date.isEmpty()) {
        choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
        choose(&s.screen, QStringLiteral("GalaDateBox"), date);
    }
    if (untickOnline)
        click(&s.screen, QStringLiteral("AresOnlineTiming"));
    if (!refusal.isEmpty())
        desk.dialogs.expectMessage(refusal);
    click(&s.screen, QStringLiteral("RecordResults"));
    QCOMPARE(s.sheetsOpened, refusal.isEmpty() ? 1 : 0);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaRecSetup::optionsFollowTheTicks()
{
    Desk desk;
    desk.shared.AnnouncerOn = true;
    desk.shared.AnnouncerDbPath = QStringLiteral("/pool/announcer.mdb");
    desk.shared.OnlineOn = false;
    desk.shared.AresDbPath = QStringLiteral("/pool/ares.mdb");
    desk.shared.OnlineMeetCode = QStringLiteral("M1");
    SetUp s(desk);
    auto *ann = child<QLineEdit>(&s.screen, QStringLiteral("AnnDbName"));
    auto *online = child<QLineEdit>(&s.screen, QStringLiteral("OnlineDbName"));
    auto *code = child<QLineEdit>(&s.screen, QStringLiteral("OnlineResultsCode"));
    QVERIFY(child<QCheckBox>(&s.screen, QStringLiteral("AnnouncerYes"))->isChecked());
    QVERIFY(!ann->isHidden());
    QCOMPARE(ann->text(), QStringLiteral("/pool/announcer.mdb"));
    QVERIFY(online->isHidden());
    QVERIFY(code->isHidden());
    // Hidden boxes still hold their texts.
    QCOMPARE(online->text(), QStringLiteral("/pool/ares.mdb"));
    QCOMPARE(code->text(), QStringLiteral("M1"));

    click(&s.screen, QStringLiteral("AnnouncerYes"));
    QVERIFY(!desk.shared.AnnouncerOn);
    QVERIFY(ann->isHidden());
    QCOMPARE(ann->text(), QStringLiteral("/pool/announcer.mdb"));
    click(&s.screen, QStringLiteral("AresOnlineTiming"));
    QVERIFY(desk.shared.OnlineOn);
    QVERIFY(!online->isHidden());
    QVERIFY(!code->isHidden());
    QTest::keyClicks(code, QStringLiteral("23"));
    QCOMPARE(desk.shared.OnlineMeetCode, QStringLiteral("M123"));
    code->clear();
    QCOMPARE(desk.shared.OnlineMeetCode, QString());
}

void TstGalaRecSetup::browse_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("caption");
    QTest::newRow("announcer") << "AnouncerDbFind"
                               << "AnnDbName"
                               << "Select Database for Announcements";
    QTest::newRow("online") << "OnLineDbBrowse"
                            << "OnlineDbName"
                            << "Select Database for ARES Online Times";
}

void TstGalaRecSetup::browse()
{
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, caption);
    Desk desk;
    desk.shared.AnnouncerOn = desk.shared.OnlineOn = true;
    desk.shared.AnnouncerDbPath = desk.shared.AresDbPath = QStringLiteral("/old.mdb");
    SetUp s(desk);
    const bool announcer = box == QLatin1String("AnnDbName");
    const QString &path = announcer ? desk.shared.AnnouncerDbPath : desk.shared.AresDbPath;

    desk.dialogs.expectChooser(caption, QString(), QString())
        .expectMessage(QStringLiteral("No Database selected"));
    click(&s.screen, button);
    QCOMPARE(path, QStringLiteral("/old.mdb"));
    QCOMPARE(child<QLineEdit>(&s.screen, box)->text(), QStringLiteral("/old.mdb"));

    desk.dialogs.expectChooser(caption, QStringLiteral("/pool/"), QStringLiteral("new.mdb"));
    click(&s.screen, button);
    QCOMPARE(path, QStringLiteral("/pool/new.mdb"));
    QCOMPARE(child<QLineEdit>(&s.screen, box)->text(), QStringLiteral("/pool/new.mdb"));
    QVERIFY(desk.shared.Choice.FileMustExist);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaRecSetup::engineFailureEndsOnlyTheAction()
{
    Desk desk;
    // A database whose team query has gone missing.
    desk.db().execute(QStringLiteral("DELETE FROM StoredQuery WHERE Name = 'Gala_Team_Query'"));
    SetUp s(desk);
    const QString failure = QStringLiteral("Item not found in this collection: Gala_Team_Query");
    choose(&s.screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    desk.dialogs.expectMessage(failure);
    choose(&s.screen, QStringLiteral("GalaDateBox"), QStringLiteral("12/10/26"));
    desk.dialogs.expectMessage(failure);
    click(&s.screen, QStringLiteral("RecordResults"));
    QCOMPARE(s.sheetsOpened, 0);
    // The screen goes on working for what does not need the query.
    QCOMPARE(shown(&s.screen, QStringLiteral("MeetDetails")).section(QLatin1Char('\n'), 2),
             QStringLiteral("Number of event= 12"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

QTEST_MAIN(TstGalaRecSetup)
#include "tst_galarecsetup.moc"
