#include "preparation/AddGalaDate.h"
#include "preparation/EventDetails.h"
#include "preparation/GalaRecSetup.h"
#include "tests/preparation/Desk.h"
#include "tests/preparation/ScreenDriver.h"

#include <QCheckBox>
#include <QtTest>

using namespace Drive;

class TstGalaCodes : public QObject
{
    Q_OBJECT
private slots:
    void usedCodeIsEmptiedOnLeaving();
    void codeInOtherLetterCaseIsNew();
    void emptyCodeIsRefused();
    void addNewCodeFromTheSetUpScreen();
    void poolLength_data();
    void poolLength();
    void invalidDates_data();
    void invalidDates();
    void twoClicksStoreTwoDates();
    void addNewDateFromTheSetUpScreen();
};

namespace {

QStringList codes(Database &db)
{
    Recordset r = db.openRecordset(QStringLiteral("Gala_Name"));
    QStringList out;
    if (r.recordCount() > 0) {
        for (r.moveFirst(); !r.atEnd(); r.moveNext())
            out << r.text(QStringLiteral("Program code")) + QLatin1Char('|') +
                       r.text(QStringLiteral("Program description")) + QLatin1Char('|') +
                       r.text(QStringLiteral("Program notes"));
    }
    return out;
}

// The dated galas as "code date pool promoter length graded".
QStringList galaDates(Database &db)
{
    Recordset r = db.openRecordset(QStringLiteral("Gala_Date"));
    QStringList out;
    if (r.recordCount() > 0) {
        for (r.moveFirst(); !r.atEnd(); r.moveNext())
            out << QStringLiteral("%1 %2 %3 %4 %5 %6")
                       .arg(r.text(QStringLiteral("Program code")),
                            r.value(QStringLiteral("Date")).toDate().toString(Qt::ISODate),
                            r.text(QStringLiteral("Pool Name")), r.text(QStringLiteral("Promoter")),
                            QString::number(r.value(QStringLiteral("Pool Length")).toDouble()),
                            r.value(QStringLiteral("Graded")).toBool()
                                ? QStringLiteral("graded")
                                : QStringLiteral("ungraded"));
    }
    return out.mid(2); // past the demonstration gala's two dates
}

// Types a code into the code box and leaves it for the description box.
void typeCodeAndLeave(EventDetails &screen, const QString &code)
{
    auto *box = child<QLineEdit>(&screen, QStringLiteral("GCode"));
    box->setFocus();
    QTest::keyClicks(box, code);
    child<QLineEdit>(&screen, QStringLiteral("GDescription"))->setFocus();
}

} // namespace

void TstGalaCodes::usedCodeIsEmptiedOnLeaving()
{
    Desk desk;
    EventDetails screen(desk.shared, desk.dialogs);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(screen.windowTitle(), QStringLiteral("Add Event Details"));
    desk.dialogs.expectMessage(QStringLiteral("You have already used this gala code"));
    typeCodeAndLeave(screen, QStringLiteral("DEMO"));
    QCOMPARE(child<QLineEdit>(&screen, QStringLiteral("GCode"))->text(), QString());
    // Straight on to "Add Event": there is no code left to add.
    desk.dialogs.expectMessage(QStringLiteral("No gala code specified"));
    click(&screen, QStringLiteral("Command1"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(codes(desk.db()).size(), 1);
}

void TstGalaCodes::codeInOtherLetterCaseIsNew()
{
    Desk desk;
    EventDetails screen(desk.shared, desk.dialogs);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    typeCodeAndLeave(screen, QStringLiteral("demo"));
    type(&screen, QStringLiteral("GDescription"), QStringLiteral("Lower case gala"));
    type(&screen, QStringLiteral("GNotes"), QStringLiteral("Second go"));
    click(&screen, QStringLiteral("Command1"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(codes(desk.db()).last(), QStringLiteral("demo|Lower case gala|Second go"));
    // The screen keeps its texts for the next addition.
    QCOMPARE(child<QLineEdit>(&screen, QStringLiteral("GCode"))->text(), QStringLiteral("demo"));
    // A second "Add Event" of the same code is refused, not stored twice.
    desk.dialogs.expectMessage(QStringLiteral("You have already used this gala code"));
    click(&screen, QStringLiteral("Command1"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(codes(desk.db()).size(), 2);
}

void TstGalaCodes::emptyCodeIsRefused()
{
    Desk desk(false);
    EventDetails screen(desk.shared, desk.dialogs);
    type(&screen, QStringLiteral("GDescription"), QStringLiteral("No code"));
    desk.dialogs.expectMessage(QStringLiteral("No gala code specified"));
    click(&screen, QStringLiteral("Command1"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(codes(desk.db()), QStringList());
}

void TstGalaCodes::addNewCodeFromTheSetUpScreen()
{
    Desk desk;
    GalaRecSetup setup(desk.shared, desk.gala, desk.dialogs);
    setup.setModalRunner([](QDialog &d) {
        type(&d, QStringLiteral("GCode"), QStringLiteral("AUTUMN"));
        click(&d, QStringLiteral("Command1"));
        click(&d, QStringLiteral("Command2"));
        return d.result();
    });
    choose(&setup, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    click(&setup, QStringLiteral("Command2"));
    QCOMPARE(codes(desk.db()).last(), QStringLiteral("AUTUMN||"));
    // The list of codes is read when the screen opens.
    QCOMPARE(lines(child<QComboBox>(&setup, QStringLiteral("MeetCodeList"))),
             QStringList{QStringLiteral("DEMO")});
    GalaRecSetup again(desk.shared, desk.gala, desk.dialogs);
    QCOMPARE(lines(child<QComboBox>(&again, QStringLiteral("MeetCodeList"))),
             (QStringList{QStringLiteral("DEMO"), QStringLiteral("AUTUMN")}));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaCodes::poolLength_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("with unit") << "25m"
                               << "25";
    QTest::newRow("unit first") << "m25"
                                << "0";
    QTest::newRow("decimal") << "33.33"
                             << "33.33";
    QTest::newRow("empty") << ""
                           << "0";
}

void TstGalaCodes::poolLength()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    AddGalaDate screen(desk.shared, desk.dialogs);
    type(&screen, QStringLiteral("GDate"), QStringLiteral("5/3/27"));
    type(&screen, QStringLiteral("GPool"), QStringLiteral("Bramley Leisure"));
    type(&screen, QStringLiteral("GPromoter"), QStringLiteral("Bramley SC"));
    type(&screen, QStringLiteral("GLength"), typed);
    click(&screen, QStringLiteral("Command1"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(
        galaDates(desk.db()),
        QStringList{
            QStringLiteral("DEMO 2027-03-05 Bramley Leisure Bramley SC %1 ungraded").arg(stored)});
}

void TstGalaCodes::invalidDates_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("no such day") << "31/02/27";
    QTest::newRow("month 13") << "12/13/27";
    QTest::newRow("words") << "next Saturday";
    QTest::newRow("empty") << "";
    QTest::newRow("day zero of the date scale") << "30/12/1899";
}

void TstGalaCodes::invalidDates()
{
    QFETCH(QString, typed);
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    AddGalaDate screen(desk.shared, desk.dialogs);
    type(&screen, QStringLiteral("GDate"), typed);
    desk.dialogs.expectMessage(QStringLiteral("Date is invalid"));
    click(&screen, QStringLiteral("Command1"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(galaDates(desk.db()), QStringList());
}

void TstGalaCodes::twoClicksStoreTwoDates()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    AddGalaDate screen(desk.shared, desk.dialogs);
    QCOMPARE(screen.windowTitle(), QStringLiteral("Add new date for DEMO"));
    type(&screen, QStringLiteral("GDate"), QStringLiteral("09/11/26"));
    type(&screen, QStringLiteral("GPool"), QStringLiteral("Castleton"));
    type(&screen, QStringLiteral("GPromoter"), QStringLiteral("Castleton ASC"));
    type(&screen, QStringLiteral("GLength"), QStringLiteral("25"));
    child<QCheckBox>(&screen, QStringLiteral("GGraded"))->click();
    click(&screen, QStringLiteral("Command1"));
    click(&screen, QStringLiteral("Command1"));
    const QString stored = QStringLiteral("DEMO 2026-11-09 Castleton Castleton ASC 25 graded");
    QCOMPARE(galaDates(desk.db()), (QStringList{stored, stored}));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaCodes::addNewDateFromTheSetUpScreen()
{
    Desk desk;
    GalaRecSetup setup(desk.shared, desk.gala, desk.dialogs);
    QString caption;
    setup.setModalRunner([&](QDialog &d) {
        caption = d.windowTitle();
        type(&d, QStringLiteral("GDate"), QStringLiteral("16/11/26"));
        type(&d, QStringLiteral("GPromoter"), QStringLiteral("Ashford ASC"));
        click(&d, QStringLiteral("Command1"));
        click(&d, QStringLiteral("Command2"));
        return d.result();
    });
    choose(&setup, QStringLiteral("MeetCodeList"), QStringLiteral("DEMO"));
    click(&setup, QStringLiteral("Command3"));
    QCOMPARE(caption, QStringLiteral("Add new date for DEMO"));
    QCOMPARE(lines(child<QComboBox>(&setup, QStringLiteral("GalaDateBox"))),
             (QStringList{QStringLiteral("14/09/26"), QStringLiteral("12/10/26"),
                          QStringLiteral("16/11/26")}));
    choose(&setup, QStringLiteral("GalaDateBox"), QStringLiteral("16/11/26"));
    QCOMPARE(shown(&setup, QStringLiteral("GalaDetails")),
             QStringLiteral("16/11/26 Ashford ASC\nNo teams currently entered"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

QTEST_MAIN(TstGalaCodes)
#include "tst_galacodes.moc"
