#include "preparation/GalaRecSetup.h"
#include "preparation/TeamNames.h"
#include "tests/preparation/Desk.h"
#include "tests/preparation/ScreenDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

using namespace Drive;

namespace {

// What the official does on the team names form of one heat.
struct Heat
{
    QStringList names;       // lane 1 first
    QList<int> noTeam;       // lanes ticked "No Team"
    QList<int> nonScoring;   // lanes ticked "Non Scoring"
    bool closeFrame = false; // closed by the window frame instead of "Done"
};

// What the form looked like when it was shown.
struct Seen
{
    QString caption;
    int visibleRows = 0;
    bool emptied = true;
};

const QStringList DemoTeams = {QStringLiteral("1:1 Harbourside scoring"),
                               QStringLiteral("1:2 Ashford Otters scoring"),
                               QStringLiteral("1:3 Bramley Dolphins scoring"),
                               QStringLiteral("1:4 Castleton scoring"),
                               QStringLiteral("2:1 Harbourside B scoring"),
                               QStringLiteral("2:2 Ashford B scoring"),
                               QStringLiteral("2:3 Bramley B scoring"),
                               QStringLiteral("2:4 Castleton Guests non-scoring")};

// The set-up screen of the demonstration gala's graded date, whose team
// names form is filled heat by heat from `heats`.
struct TeamDesk
{
    Desk desk;
    GalaRecSetup screen{desk.shared, desk.gala, desk.dialogs};
    QList<Heat> heats;
    QList<Seen> seen;

    TeamDesk()
    {
        screen.setModalRunner([this](QDialog &d) { return fill(d); });
        choose(&screen, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
        choose(&screen, QStringLiteral("GalaDateBox"), QStringLiteral("12/10/26"));
    }

    int fill(QDialog &d)
    {
        Seen s;
        s.caption = d.windowTitle();
        for (int i = 0; i < TeamNames::Rows; ++i) {
            auto *name = child<QLineEdit>(&d, QStringLiteral("TeamName_%1").arg(i));
            if (name->isHidden())
                continue;
            ++s.visibleRows;
            s.emptied = s.emptied && name->text().isEmpty() &&
                        !child<QCheckBox>(&d, QStringLiteral("NoTeam_%1").arg(i))->isChecked() &&
                        !child<QCheckBox>(&d, QStringLiteral("NonScoring_%1").arg(i))->isChecked();
        }
        seen << s;
        const Heat h = heats.value(seen.size() - 1);
        d.show();
        for (int i = 0; i < h.names.size(); ++i)
            QTest::keyClicks(child<QLineEdit>(&d, QStringLiteral("TeamName_%1").arg(i)),
                             h.names[i]);
        for (int lane : h.noTeam)
            child<QCheckBox>(&d, QStringLiteral("NoTeam_%1").arg(lane - 1))->click();
        for (int lane : h.nonScoring)
            child<QCheckBox>(&d, QStringLiteral("NonScoring_%1").arg(lane - 1))->click();
        if (h.closeFrame)
            d.close();
        else
            click(&d, QStringLiteral("Command1"));
        return d.result();
    }

    QStringList stored()
    {
        return storedTeams(desk.db(), QStringLiteral("DEMO"), QStringLiteral("12/10/26"));
    }
};

} // namespace

class TstTeamEntry : public QObject
{
    Q_OBJECT
private slots:
    void threeLanesTwoHeatsWithAnEmptyLane();
    void counts_data();
    void counts();
    void frameCloseCancelsEverything();
    void everyLaneEmptyStoresNothing();
    void noDateChosenIsRefused();
    void failedStoreLeavesTheOldTeams();
    void formNamesItsControls();
};

void TstTeamEntry::threeLanesTwoHeatsWithAnEmptyLane()
{
    TeamDesk t;
    t.heats = {{{"Ashford", "", "Castleton"}, {2}, {}},
               {{"Ashford B", "Bramley", "Guests"}, {}, {3}}};
    t.desk.dialogs.expectInput(QStringLiteral("How many lanes in pool?"), QStringLiteral("3"))
        .expectInput(QStringLiteral("How many heats per event?"), QStringLiteral("2"));
    click(&t.screen, QStringLiteral("Command6"));
    QVERIFY2(t.desk.dialogs.finished(), t.desk.dialogs.faults());
    QCOMPARE(t.seen.size(), 2);
    QCOMPARE(t.seen[0].caption, QStringLiteral("Enter Teams for Heat  1"));
    QCOMPARE(t.seen[1].caption, QStringLiteral("Enter Teams for Heat  2"));
    for (const Seen &s : t.seen) {
        QCOMPARE(s.visibleRows, 3);
        QVERIFY(s.emptied);
    }
    // The demonstration teams are replaced, heat by heat, lane by lane.
    QCOMPARE(
        t.stored(),
        (QStringList{QStringLiteral("1:1 Ashford scoring"), QStringLiteral("1:3 Castleton scoring"),
                     QStringLiteral("2:1 Ashford B scoring"), QStringLiteral("2:2 Bramley scoring"),
                     QStringLiteral("2:3 Guests non-scoring")}));
    QCOMPARE(shown(&t.screen, QStringLiteral("GalaDetails")),
             QStringLiteral("12/10/26 Harbourside SC TIME GRADED GALA\n5 teams entered"));
}

void TstTeamEntry::counts_data()
{
    QTest::addColumn<QString>("lanes");
    QTest::addColumn<QString>("heats");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("forms");
    QTest::newRow("no lanes") << "0"
                              << ""
                              << "Incorrect number of lanes" << 0 << 0;
    QTest::newRow("eleven lanes") << "11"
                                  << ""
                                  << "Incorrect number of lanes" << 0 << 0;
    QTest::newRow("cancelled lanes") << ""
                                     << ""
                                     << "Incorrect number of lanes" << 0 << 0;
    QTest::newRow("lanes not a number") << "six"
                                        << ""
                                        << "Incorrect number of lanes" << 0 << 0;
    QTest::newRow("half lane rounds down to 0") << "0.5"
                                                << ""
                                                << "Incorrect number of lanes" << 0 << 0;
    QTest::newRow("4.5 lanes round to even 4") << "4.5"
                                               << "1"
                                               << "" << 4 << 1;
    QTest::newRow("1.5 lanes round to even 2") << "1.5"
                                               << "1"
                                               << "" << 2 << 1;
    QTest::newRow("10.5 lanes round to 10") << "10.5"
                                            << "1"
                                            << "" << 10 << 1;
    QTest::newRow("a number with words") << "6 lanes"
                                         << "1"
                                         << "" << 6 << 1;
    QTest::newRow("no heats") << "3"
                              << "0"
                              << "Incorrect number of heats" << 0 << 0;
    QTest::newRow("eleven heats") << "3"
                                  << "11"
                                  << "Incorrect number of heats" << 0 << 0;
    QTest::newRow("4.5 heats round to 4") << "3"
                                          << "4.5"
                                          << "" << 3 << 4;
    QTest::newRow("ten of each") << "10"
                                 << "10"
                                 << "" << 10 << 10;
}

void TstTeamEntry::counts()
{
    QFETCH(QString, lanes);
    QFETCH(QString, heats);
    QFETCH(QString, refusal);
    QFETCH(int, rows);
    QFETCH(int, forms);
    TeamDesk t;
    for (int h = 0; h < 10; ++h)
        t.heats << Heat{QStringList(10, QStringLiteral("Team")), {}, {}};
    t.desk.dialogs.expectInput(QStringLiteral("How many lanes in pool?"), lanes);
    if (refusal != QLatin1String("Incorrect number of lanes"))
        t.desk.dialogs.expectInput(QStringLiteral("How many heats per event?"), heats);
    if (!refusal.isEmpty())
        t.desk.dialogs.expectMessage(refusal);
    click(&t.screen, QStringLiteral("Command6"));
    QVERIFY2(t.desk.dialogs.finished(), t.desk.dialogs.faults());
    QCOMPARE(t.seen.size(), forms);
    for (const Seen &s : t.seen)
        QCOMPARE(s.visibleRows, rows);
    QCOMPARE(t.stored().size(), refusal.isEmpty() ? rows * forms : DemoTeams.size());
}

void TstTeamEntry::frameCloseCancelsEverything()
{
    TeamDesk t;
    t.heats = {{{"A", "B"}, {}, {}}, {{"C"}, {}, {}, true}};
    t.desk.dialogs.expectInput(QStringLiteral("How many lanes in pool?"), QStringLiteral("2"))
        .expectInput(QStringLiteral("How many heats per event?"), QStringLiteral("3"))
        .expectMessage(
            QStringLiteral("Team entry cancelled: the stored teams have not been changed"));
    click(&t.screen, QStringLiteral("Command6"));
    QVERIFY2(t.desk.dialogs.finished(), t.desk.dialogs.faults());
    QCOMPARE(t.seen.size(), 2); // no third heat is asked for
    QCOMPARE(t.stored(), DemoTeams);
    QCOMPARE(shown(&t.screen, QStringLiteral("GalaDetails")),
             QStringLiteral("12/10/26 Harbourside SC TIME GRADED GALA\n8 teams entered"));
}

void TstTeamEntry::everyLaneEmptyStoresNothing()
{
    TeamDesk t;
    t.heats = {{{}, {1, 2}, {}}};
    t.desk.dialogs.expectInput(QStringLiteral("How many lanes in pool?"), QStringLiteral("2"))
        .expectInput(QStringLiteral("How many heats per event?"), QStringLiteral("1"))
        .expectMessage(QStringLiteral("No teams entered"));
    click(&t.screen, QStringLiteral("Command6"));
    QVERIFY2(t.desk.dialogs.finished(), t.desk.dialogs.faults());
    QCOMPARE(t.stored(), DemoTeams);
}

void TstTeamEntry::noDateChosenIsRefused()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    GalaRecSetup screen(desk.shared, desk.gala, desk.dialogs);
    int forms = 0;
    screen.setModalRunner([&](QDialog &) { return ++forms, 0; });
    desk.dialogs.expectMessage(
        QStringLiteral("Choose a meet code and a gala date before entering teams"));
    click(&screen, QStringLiteral("Command6"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(forms, 0);
}

void TstTeamEntry::failedStoreLeavesTheOldTeams()
{
    TeamDesk t;
    // The engine refuses the third new entry, after the old ones were deleted.
    t.desk.db().execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON Gala_Team WHEN NEW.\"Team Name\" = 'Boom' "
        "BEGIN SELECT RAISE(ABORT, 'refused by test'); END"));
    t.heats = {{{"A", "B", "Boom"}, {}, {}}};
    t.desk.dialogs.expectInput(QStringLiteral("How many lanes in pool?"), QStringLiteral("3"))
        .expectInput(QStringLiteral("How many heats per event?"), QStringLiteral("1"))
        .expectMessage(QStringLiteral("refused by test (Gala_Team)"));
    click(&t.screen, QStringLiteral("Command6"));
    QVERIFY2(t.desk.dialogs.finished(), t.desk.dialogs.faults());
    QCOMPARE(t.stored(), DemoTeams);
}

void TstTeamEntry::formNamesItsControls()
{
    TeamNames form;
    form.prepare(3, 4);
    QCOMPARE(form.windowTitle(), QStringLiteral("Enter Teams for Heat  3"));
    QCOMPARE(child<QLineEdit>(&form, QStringLiteral("TeamName_0"))->accessibleName(),
             QStringLiteral("Team Name lane 1"));
    QCOMPARE(child<QCheckBox>(&form, QStringLiteral("NoTeam_9"))->accessibleName(),
             QStringLiteral("No Team lane 10"));
    QCOMPARE(child<QCheckBox>(&form, QStringLiteral("NonScoring_3"))->accessibleName(),
             QStringLiteral("Non Scoring lane 4"));
    QCOMPARE(child<QLabel>(&form, QStringLiteral("LaneNo_3"))->text(), QStringLiteral("4"));
    QVERIFY(!child<QLabel>(&form, QStringLiteral("LaneNo_3"))->isHidden());
    QVERIFY(child<QLabel>(&form, QStringLiteral("LaneNo_4"))->isHidden());
    QCOMPARE(child<QPushButton>(&form, QStringLiteral("Command1"))->text(), QStringLiteral("Done"));
}

QTEST_MAIN(TstTeamEntry)
#include "tst_teamentry.moc"
