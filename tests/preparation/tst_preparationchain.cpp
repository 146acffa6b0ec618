#include "preparation/GalaProg.h"
#include "preparation/GalaRecSetup.h"
#include "tests/preparation/Desk.h"
#include "tests/preparation/ScreenDriver.h"

#include <QCheckBox>
#include <QtTest>

using namespace Drive;

// From a blank gala database to a gala ready for recording, through the
// screens in the order an official uses them.
class TstPreparationChain : public QObject
{
    Q_OBJECT
private slots:
    void blankDatabaseToReadyGala();
};

namespace {

QStringList records(Database &db, const QString &table, const QStringList &fields)
{
    Recordset r = db.openRecordset(table);
    QStringList out;
    if (r.recordCount() > 0) {
        for (r.moveFirst(); !r.atEnd(); r.moveNext()) {
            QStringList values;
            for (const QString &f : fields) {
                const QVariant v = r.value(f);
                values << (v.metaType().id() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                                 : v.toString());
            }
            out << values.join(QLatin1Char('|'));
        }
    }
    return out;
}

} // namespace

void TstPreparationChain::blankDatabaseToReadyGala()
{
    Desk desk(false);

    // A new code; it is listed once the set-up screen is opened again.
    {
        GalaRecSetup setup(desk.shared, desk.gala, desk.dialogs);
        QCOMPARE(child<QComboBox>(&setup, QStringLiteral("MeetCodeList"))->count(), 0);
        setup.setModalRunner([](QDialog &d) {
            type(&d, QStringLiteral("GCode"), QStringLiteral("SPRING"));
            type(&d, QStringLiteral("GDescription"), QStringLiteral("Spring League"));
            type(&d, QStringLiteral("GNotes"), QStringLiteral("Round 1"));
            click(&d, QStringLiteral("Command1"));
            click(&d, QStringLiteral("Command2"));
            return d.result();
        });
        click(&setup, QStringLiteral("Command2"));
        click(&setup, QStringLiteral("Command1"));
    }

    GalaRecSetup setup(desk.shared, desk.gala, desk.dialogs);
    int sheets = 0;
    setup.setSheetOpener([&] { ++sheets; });
    choose(&setup, QStringLiteral("MeetCodeList"), QStringLiteral("SPRING"));
    QCOMPARE(shown(&setup, QStringLiteral("MeetDetails")),
             QStringLiteral("Spring League\nRound 1\nNo events list for this gala"));

    // A graded date.
    setup.setModalRunner([](QDialog &d) {
        type(&d, QStringLiteral("GDate"), QStringLiteral("18/04/27"));
        type(&d, QStringLiteral("GPool"), QStringLiteral("Ashford Pool"));
        type(&d, QStringLiteral("GPromoter"), QStringLiteral("Ashford SC"));
        type(&d, QStringLiteral("GLength"), QStringLiteral("25m"));
        child<QCheckBox>(&d, QStringLiteral("GGraded"))->click();
        click(&d, QStringLiteral("Command1"));
        click(&d, QStringLiteral("Command2"));
        return d.result();
    });
    click(&setup, QStringLiteral("Command3"));
    QCOMPARE(lines(child<QComboBox>(&setup, QStringLiteral("GalaDateBox"))),
             QStringList{QStringLiteral("18/04/27")});

    // A programme of three events, stored.
    bool editorActive = false;
    setup.setModalRunner([&](QDialog &d) {
        const QStringList events[] = {{"1", "G10", "50", "FS", "38", ""},
                                      {"2", "B10", "50", "BK", "", ""},
                                      {"3", "Mixed", "200", "FSR", "2:40", "2X"}};
        static const char *boxes[] = {"PEventNo", "PSexAge", "PDistance",
                                      "PStroke",  "PTime",   "PScoring"};
        // Typed box by box, so leaving the limit time box writes it out.
        d.show();
        editorActive = QTest::qWaitForWindowActive(&d);
        for (const QStringList &e : events) {
            for (int i = 0; i < 6; ++i) {
                auto *box = child<QLineEdit>(&d, QString::fromLatin1(boxes[i]));
                box->setFocus();
                box->clear();
                QTest::keyClicks(box, e[i]);
            }
            child<QLineEdit>(&d, QStringLiteral("PEventNo"))->setFocus();
            click(&d, QStringLiteral("Command1"));
        }
        click(&d, QStringLiteral("Db_Save"));
        click(&d, QStringLiteral("Command4"));
        return d.result();
    });
    click(&setup, QStringLiteral("ProgCreate"));
    QVERIFY(editorActive);
    QCOMPARE(shown(&setup, QStringLiteral("MeetDetails")),
             QStringLiteral("Spring League\nRound 1\nNumber of event= 3"));

    choose(&setup, QStringLiteral("GalaDateBox"), QStringLiteral("18/04/27"));
    QCOMPARE(shown(&setup, QStringLiteral("GalaDetails")),
             QStringLiteral("18/04/27 Ashford SC TIME GRADED GALA\nNo teams currently entered"));
    desk.dialogs.expectMessage(QStringLiteral("No teams currently entered"));
    click(&setup, QStringLiteral("RecordResults"));
    QCOMPARE(sheets, 0);

    // Two heats of three lanes: lane 2 of heat 1 empty, lane 3 of heat 2
    // swims for no points.
    int heat = 0;
    setup.setModalRunner([&](QDialog &d) {
        ++heat;
        const QStringList names = heat == 1 ? QStringList{"Ashford", "", "Castleton"}
                                            : QStringList{"Ashford B", "Bramley", "Guests"};
        for (int i = 0; i < 3; ++i)
            type(&d, QStringLiteral("TeamName_%1").arg(i), names[i]);
        if (heat == 1)
            child<QCheckBox>(&d, QStringLiteral("NoTeam_1"))->click();
        else
            child<QCheckBox>(&d, QStringLiteral("NonScoring_2"))->click();
        click(&d, QStringLiteral("Command1"));
        return d.result();
    });
    desk.dialogs.expectInput(QStringLiteral("How many lanes in pool?"), QStringLiteral("3"))
        .expectInput(QStringLiteral("How many heats per event?"), QStringLiteral("2"));
    click(&setup, QStringLiteral("Command6"));
    QCOMPARE(shown(&setup, QStringLiteral("GalaDetails")),
             QStringLiteral("18/04/27 Ashford SC TIME GRADED GALA\n5 teams entered"));

    click(&setup, QStringLiteral("RecordResults"));
    QCOMPARE(sheets, 1);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());

    // What the recording sheet will find.
    QCOMPARE(desk.shared.ProgCode, QStringLiteral("SPRING"));
    QCOMPARE(desk.shared.GalaDate, QStringLiteral("18/04/27"));
    QCOMPARE(desk.shared.Promoter, QStringLiteral("Ashford SC"));
    QCOMPARE(desk.shared.Graded, QStringLiteral("Y"));
    Database &db = desk.db();
    QCOMPARE(records(db, QStringLiteral("Gala_Name"),
                     {"Program code", "Program description", "Program notes"}),
             QStringList{QStringLiteral("SPRING|Spring League|Round 1")});
    QCOMPARE(records(db, QStringLiteral("Gala_Date"),
                     {"Program code", "Date", "Pool Name", "Promoter", "Pool Length", "Graded"}),
             QStringList{QStringLiteral("SPRING|2027-04-18|Ashford Pool|Ashford SC|25|true")});
    QCOMPARE(
        records(db, QStringLiteral("Gala_Program"),
                {"Program code", "Event No", "Sex age", "Distance", "Stroke", "Time", "Scoring"}),
        (QStringList{QStringLiteral("SPRING|1|G10|50|FS|38.00|"),
                     QStringLiteral("SPRING|2|B10|50|BK||"),
                     QStringLiteral("SPRING|3|Mixed|200|FSR|2:40.00|2X")}));
    QCOMPARE(records(db, QStringLiteral("Gala_Team"),
                     {"Program code", "Gala Date", "Heat No", "Lane No", "Team Name", "Scoring"}),
             (QStringList{QStringLiteral("SPRING|2027-04-18|1|1|Ashford|true"),
                          QStringLiteral("SPRING|2027-04-18|1|3|Castleton|true"),
                          QStringLiteral("SPRING|2027-04-18|2|1|Ashford B|true"),
                          QStringLiteral("SPRING|2027-04-18|2|2|Bramley|true"),
                          QStringLiteral("SPRING|2027-04-18|2|3|Guests|false")}));

    // The programme editor opened again shows what was stored.
    GalaProg editor(desk.shared, desk.gala, desk.dialogs);
    QCOMPARE(desk.gala.NoOfEvents, 3);
    QCOMPARE(desk.gala.EventTime[3], QStringLiteral("2:40.00"));
    QCOMPARE(desk.gala.EventScoring[3], QStringLiteral("2X"));
}

QTEST_MAIN(TstPreparationChain)
#include "tst_preparationchain.moc"
