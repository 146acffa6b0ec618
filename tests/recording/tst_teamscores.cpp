#include "foundation/Engine.h"
#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "recording/SheetModel.h"
#include "recording/TeamScores.h"
#include "tests/support/ScriptedDialogs.h"
#include "tools/ReadyMadeDatabases.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

struct Team
{
    QString name;
    bool scoring = true;
};

// A gala in memory with one heat of the given teams and one event per
// sex/age text, event 1 shown on the sheet.
struct Sheet
{
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;
    std::unique_ptr<SheetModel> model;

    Sheet(const QList<Team> &teams, const QStringList &sexAges = {QStringLiteral("G10")})
    {
        gala.NoOfEvents = int(sexAges.size());
        gala.resizeEvents(gala.NoOfEvents);
        for (int e = 1; e <= gala.NoOfEvents; ++e) {
            gala.EventNo[e] = QString::number(e);
            gala.EventSexAge[e] = sexAges[e - 1];
            gala.EventDistance[e] = QStringLiteral("50");
            gala.EventStroke[e] = QStringLiteral("FS");
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
    // Points of one lane straight into the state, with the team's total.
    void points(int e, int t, float value)
    {
        gala.LanePoints(e, t) = value;
        gala.TeamTotal[t] += value;
    }
};

QList<Team> named(const QStringList &names)
{
    QList<Team> teams;
    for (const QString &n : names)
        teams.push_back({n});
    return teams;
}

QStringList lines(const QString &text)
{
    return text.split(CrLf);
}

QStringList posted(const QString &path)
{
    Database db(path);
    Recordset set = db.openRecordset(QStringLiteral("Announcement"));
    QStringList all;
    if (set.recordCount() > 0) {
        for (set.moveFirst(); !set.atEnd(); set.moveNext()) {
            if (set.value(QStringLiteral("Priority")).toInt() != 2)
                all << QStringLiteral("wrong priority");
            all << set.text(QStringLiteral("Message"));
        }
    }
    return all;
}

} // namespace

class TstTeamScores : public QObject
{
    Q_OBJECT
private slots:
    void nonScoringTeamsInNeitherTable();
    void teamNamesCut_data();
    void teamNamesCut();
    void openCompetitionByExactCase_data();
    void openCompetitionByExactCase();
    void zeroPoints();
    void equalTotalsOrder_data();
    void equalTotalsOrder();
    void typedTimesReachThePointScores();
    void competitionPostedInOrder();
    void cancelledAnswerWithoutAnnouncer();

private:
    QTemporaryDir m_dir;
};

void TstTeamScores::nonScoringTeamsInNeitherTable()
{
    Sheet sheet({{QStringLiteral("Harbourside")},
                 {QStringLiteral("Castleton Guests"), false},
                 {QStringLiteral("Ashford")}});
    sheet.points(1, 1, 3);
    sheet.points(1, 2, 9);
    sheet.points(1, 3, 2);
    const QString point = TeamScores::PointScoresText(sheet.gala, *sheet.model);
    const auto comp = TeamScores::CompetitionScores(sheet.gala, QStringLiteral("1"));
    for (const QString &text : {point, comp.ageGroup, comp.open, comp.overall}) {
        QVERIFY(!text.contains(QStringLiteral("Guests")));
        QVERIFY(text.contains(QStringLiteral("Harbourside")));
        QVERIFY(text.contains(QStringLiteral("Ashford")));
    }
    QCOMPARE(lines(point).size(), 4); // heading, two teams, nothing after the last break
}

void TstTeamScores::teamNamesCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("inPointScores");
    QTest::addColumn<QString>("inCompetition");
    QTest::newRow("18") << QStringLiteral("Eighteen Chars Tea")
                        << QStringLiteral("Eighteen Chars Tea  ")
                        << QStringLiteral("Eighteen Chars Tea");
    QTest::newRow("19") << QStringLiteral("Nineteen Chars Team")
                        << QStringLiteral("Nineteen Chars Team ")
                        << QStringLiteral("Nineteen Chars Te>");
    QTest::newRow("20") << QStringLiteral("Twenty Characters Tm")
                        << QStringLiteral("Twenty Characters Tm")
                        << QStringLiteral("Twenty Characters>");
    QTest::newRow("21") << QStringLiteral("Twenty One Characters")
                        << QStringLiteral("Twenty One Characte>")
                        << QStringLiteral("Twenty One Charac>");
}

void TstTeamScores::teamNamesCut()
{
    QFETCH(QString, name);
    QFETCH(QString, inPointScores);
    QFETCH(QString, inCompetition);
    Sheet sheet({{name}});
    sheet.points(1, 1, 5);
    QCOMPARE(lines(TeamScores::PointScoresText(sheet.gala, *sheet.model)).value(1),
             QStringLiteral("1   ") + inPointScores + QStringLiteral("5"));
    QCOMPARE(lines(TeamScores::CompetitionScores(sheet.gala, QString()).overall).value(2),
             inCompetition + QStringLiteral(" 5"));
}

void TstTeamScores::openCompetitionByExactCase_data()
{
    QTest::addColumn<QString>("sexAge");
    QTest::addColumn<bool>("open");
    QTest::newRow("Open") << QStringLiteral("Open") << true;
    QTest::newRow("open") << QStringLiteral("open") << false;
    QTest::newRow("OPEN") << QStringLiteral("OPEN") << false;
    QTest::newRow("G Open") << QStringLiteral("G Open") << true;
    QTest::newRow("Opens inside") << QStringLiteral("Mixed Opens") << true;
    QTest::newRow("G12") << QStringLiteral("G12") << false;
}

void TstTeamScores::openCompetitionByExactCase()
{
    QFETCH(QString, sexAge);
    QFETCH(bool, open);
    // Event 1 always counts for the age group; event 2 is the one under test.
    Sheet sheet(named({QStringLiteral("Harbourside")}), {QStringLiteral("G10"), sexAge});
    sheet.points(1, 1, 1.5f);
    sheet.points(2, 1, 4);
    const auto comp = TeamScores::CompetitionScores(sheet.gala, QStringLiteral("2"));
    const QString name = QStringLiteral("Harbourside       ");
    QCOMPARE(lines(comp.ageGroup).value(2),
             name + (open ? QStringLiteral(" 1.5") : QStringLiteral(" 5.5")));
    QCOMPARE(lines(comp.open).value(2),
             name + (open ? QStringLiteral(" 4") : QStringLiteral(" 0")));
    QCOMPARE(lines(comp.overall).value(2), name + QStringLiteral(" 5.5"));
}

void TstTeamScores::zeroPoints()
{
    Sheet sheet(named({QStringLiteral("Nil Points"), QStringLiteral("Ashford")}));
    sheet.points(1, 2, 2);
    QCOMPARE(TeamScores::PointScoresText(sheet.gala, *sheet.model),
             QStringLiteral("Point scores after event 1\r\n"
                            "1   Ashford             2\r\n"
                            "2   Nil Points          \r\n"));
    const auto comp = TeamScores::CompetitionScores(sheet.gala, QStringLiteral("1"));
    QCOMPARE(comp.ageGroup, QStringLiteral("Age Group Competition to event number 1\r\n\r\n"
                                           "Nil Points         0\r\n"
                                           "Ashford            2\r\n"));
    QCOMPARE(comp.open, QStringLiteral("Open Competition to event number 1\r\n\r\n"
                                       "Nil Points         0\r\n"
                                       "Ashford            0\r\n"));
}

void TstTeamScores::equalTotalsOrder_data()
{
    QTest::addColumn<QList<float>>("totals");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("all equal keep sheet order")
        << QList<float>{3, 3, 3} << QStringList{"A", "B", "C"};
    QTest::newRow("earlier stays ahead") << QList<float>{5, 7, 5} << QStringList{"B", "A", "C"};
    QTest::newRow("third team moves it") << QList<float>{5, 5, 7} << QStringList{"C", "B", "A"};
    QTest::newRow("fractions count") << QList<float>{2.5f, 2.75f, 1} << QStringList{"B", "A", "C"};
}

void TstTeamScores::equalTotalsOrder()
{
    QFETCH(QList<float>, totals);
    QFETCH(QStringList, order);
    Sheet sheet(named({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    for (int t = 1; t <= 3; ++t)
        sheet.points(1, t, totals[t - 1]);
    const QStringList text = lines(TeamScores::PointScoresText(sheet.gala, *sheet.model));
    QStringList got;
    for (int k = 1; k <= 3; ++k) {
        QCOMPARE(text[k].left(4), QString::number(k) + QStringLiteral("   "));
        got << text[k].mid(4, 20).trimmed();
    }
    QCOMPARE(got, order);
}

void TstTeamScores::typedTimesReachThePointScores()
{
    Sheet sheet(named({QStringLiteral("Harbourside"), QStringLiteral("Ashford"),
                       QStringLiteral("Bramley")}),
                {QStringLiteral("G10"), QStringLiteral("B Open")});
    sheet.model->setText(SheetModel::Time, 0, QStringLiteral("31.00"));
    sheet.model->setText(SheetModel::Time, 1, QStringLiteral("30.00"));
    sheet.model->setText(SheetModel::Time, 2, QStringLiteral("32.00"));
    QCOMPARE(TeamScores::PointScoresText(sheet.gala, *sheet.model),
             QStringLiteral("Point scores after event 1\r\n"
                            "1   Ashford             3\r\n"
                            "2   Harbourside         2\r\n"
                            "3   Bramley             1\r\n"));
    const auto comp = TeamScores::CompetitionScores(sheet.gala, QStringLiteral("1"));
    QVERIFY(comp.ageGroup.contains(QStringLiteral("Ashford            3\r\n")));
    QVERIFY(comp.open.contains(QStringLiteral("Ashford            0\r\n")));
}

void TstTeamScores::competitionPostedInOrder()
{
    const QString path = m_dir.filePath(QStringLiteral("scores.mdb"));
    ReadyMade::createAnnouncerDatabase(path);
    Sheet sheet(named({QStringLiteral("Harbourside"), QStringLiteral("Ashford")}),
                {QStringLiteral("G10"), QStringLiteral("Mixed Open")});
    sheet.shared.AnnouncerOn = true;
    sheet.shared.AnnouncerDbPath = path;
    sheet.points(1, 1, 2);
    sheet.points(2, 2, 4);
    sheet.dialogs.expectInput(QStringLiteral("Up to event number?"), QStringLiteral("twelve"));

    const QString shown =
        TeamScores::UpdateCompetitionScores(sheet.shared, sheet.gala, sheet.dialogs);
    TeamScores::PointScoresToAnnouncer(sheet.shared, sheet.gala, *sheet.model, sheet.dialogs);

    const QStringList rows = posted(path);
    QCOMPARE(rows.size(), 4);
    QVERIFY(rows[0].startsWith(QStringLiteral("Age Group Competition to event number twelve\r\n")));
    QVERIFY(rows[1].startsWith(QStringLiteral("Open Competition to event number twelve\r\n")));
    QVERIFY(rows[2].startsWith(QStringLiteral("Overall Competition to event number twelve\r\n")));
    QVERIFY(rows[3].startsWith(QStringLiteral("Point scores after event 1\r\n")));
    QCOMPARE(shown, rows[0] + CrLf + rows[1] + CrLf + rows[2]);
    QVERIFY2(sheet.dialogs.finished(), sheet.dialogs.faults());
}

void TstTeamScores::cancelledAnswerWithoutAnnouncer()
{
    Sheet sheet(named({QStringLiteral("Harbourside")}));
    sheet.shared.AnnouncerOn = true;
    sheet.shared.AnnouncerDbPath = m_dir.filePath(QStringLiteral("nowhere.mdb"));
    sheet.dialogs.expectInput(QStringLiteral("Up to event number?"), QString());
    for (int i = 0; i < 3; ++i)
        sheet.dialogs.expectMessage(QStringLiteral("Can't locate the announcer database"));

    const QString shown =
        TeamScores::UpdateCompetitionScores(sheet.shared, sheet.gala, sheet.dialogs);

    QVERIFY(shown.startsWith(QStringLiteral("Age Group Competition to event number \r\n\r\n")));
    QVERIFY(shown.contains(QStringLiteral("\r\nOverall Competition to event number \r\n\r\n")));
    QVERIFY(!sheet.shared.AnnouncerDbOpen);
    QVERIFY2(sheet.dialogs.finished(), sheet.dialogs.faults());
}

QTEST_APPLESS_MAIN(TstTeamScores)
#include "tst_teamscores.moc"
