#include "foundation/Engine.h"
#include "tests/support/DataRow.h"
#include "tests/support/TestGala.h"

#include <QFile>
#include <QtTest>

class TstEngine : public QObject
{
    Q_OBJECT
private slots:
    void queryParametersWithBlanks();
    void queryOrders();
    void updatableQueryRecordset();
    void nullsAndTypes();
    void failedStepLeavesNothingHalfWritten();
    void engineErrors_data();
    void engineErrors();
    void refusesFilesThatAreNoDatabase();
};

namespace {

Recordset teamsOf(Database &db, const QString &code, const QString &date)
{
    QueryDef q = db.queryDef("Gala_Team_Query");
    q.setParameter("Enter program code", code);
    q.setParameter("Enter gala date", date);
    return q.openRecordset();
}

} // namespace

void TstEngine::queryParametersWithBlanks()
{
    TestGala gala(true);
    auto db = gala.open();
    Recordset teams = teamsOf(*db, "DEMO", "12/10/26");
    QCOMPARE(teams.recordCount(), 8);
    QCOMPARE(teamsOf(*db, "DEMO", "14/09/26").recordCount(), 0);
    QCOMPARE(teamsOf(*db, "demo", "12/10/26").recordCount(), 0);
    // The same date written as d/m/yyyy finds the same gala.
    QCOMPARE(teamsOf(*db, "DEMO", "12/10/2026").recordCount(), 8);
}

void TstEngine::queryOrders()
{
    TestGala gala;
    auto db = gala.open();
    Recordset prog = db->openRecordset("Gala_Program");
    for (double no : {3.0, 1.0, 2.0}) {
        prog.addNew();
        prog.setValue("Program code", "P");
        prog.setValue("Event No", no);
        prog.update();
    }
    QueryDef q = db->queryDef("Gala_Program_Query");
    q.setParameter("Enter program code", "P");
    Recordset events = q.openRecordset();
    QList<double> order;
    for (events.moveFirst(); !events.atEnd(); events.moveNext())
        order << events.value("Event No").toDouble();
    QCOMPARE(order, (QList<double>{1.0, 2.0, 3.0}));

    // Team entries come back as stored, not sorted.
    Recordset teams = teamsOf(*db, "P", "01/01/26");
    for (int lane : {3, 1, 2}) {
        teams.addNew();
        teams.setValue("Program code", "P");
        teams.setValue("Gala Date", "01/01/26");
        teams.setValue("Heat No", 1);
        teams.setValue("Lane No", lane);
        teams.update();
    }
    Recordset stored = teamsOf(*db, "P", "01/01/26");
    QList<int> lanes;
    for (stored.moveFirst(); !stored.atEnd(); stored.moveNext())
        lanes << stored.value("Lane No").toInt();
    QCOMPARE(lanes, (QList<int>{3, 1, 2}));
}

void TstEngine::updatableQueryRecordset()
{
    TestGala gala(true);
    auto db = gala.open();
    Recordset teams = teamsOf(*db, "DEMO", "12/10/26");
    teams.moveFirst();
    teams.edit();
    teams.setValue("Team Name", "Renamed");
    teams.update();
    QCOMPARE(teams.text("Team Name"), QString("Renamed"));
    teams.moveNext();
    teams.remove();
    teams.moveNext();
    teams.close();

    Recordset again = teamsOf(*db, "DEMO", "12/10/26");
    QCOMPARE(again.recordCount(), 7);
    again.moveFirst();
    QCOMPARE(again.text("Team Name"), QString("Renamed"));
    again.moveNext();
    QCOMPARE(again.text("Team Name"), QString("Bramley Dolphins"));

    // Changing or deleting every record of a query at once touches no other.
    teamsOf(*db, "DEMO", "12/10/26").setAll("Gala Date", "13/10/26");
    QCOMPARE(teamsOf(*db, "DEMO", "12/10/26").recordCount(), 0);
    teamsOf(*db, "DEMO", "13/10/26").removeAll();
    QCOMPARE(teamsOf(*db, "DEMO", "13/10/26").recordCount(), 0);
    QCOMPARE(db->openRecordset("Gala_Program").recordCount(), 12);

    // Deleting record by record is the walk with delete before move next.
    Recordset programme = db->openRecordset("Gala_Program");
    for (programme.moveFirst(); !programme.atEnd(); programme.moveNext())
        programme.remove();
    QCOMPARE(db->openRecordset("Gala_Program").recordCount(), 0);
}

void TstEngine::nullsAndTypes()
{
    TestGala gala;
    auto db = gala.open();
    Recordset rec = db->openRecordset("Gala_Record");
    rec.addNew();
    rec.setValue("Program code", "P");
    rec.setValue("Gala Date", "01/02/26");
    rec.setValue("Event No", 3.0);
    rec.setValue("Lane Pos", 2);
    rec.setValue("Lane Points", 5.5f);
    rec.setValue("Lane Time", "");
    rec.update();

    QueryDef q = db->queryDef("Gala_Record_Query");
    q.setParameter("Enter program code", "P");
    q.setParameter("Enter gala date", "01/02/26");
    Recordset back = q.openRecordset();
    QCOMPARE(back.recordCount(), 1);
    back.moveFirst();
    QVERIFY(back.value("Lane Name").isNull());
    QCOMPARE(back.text("Lane Name"), QString());
    QCOMPARE(back.text("Lane Time"), QString());
    QVERIFY(!back.value("Lane Time").isNull());
    QVERIFY(back.value("Lane DoB").isNull());
    QCOMPARE(back.value("Lane Pos").toInt(), 2);
    QCOMPARE(back.value("Lane Points").toFloat(), 5.5f);
    QCOMPARE(back.value("Gala Date").toDate(), QDate(2026, 2, 1));

    // Yes/no fields read as bool; a date given as a date is found by its text.
    Recordset dates = db->openRecordset("Gala_Date");
    dates.addNew();
    dates.setValue("Program code", "P");
    dates.setValue("Date", QDate(1995, 6, 5));
    dates.setValue("Graded", true);
    dates.update();
    QueryDef byDate = db->queryDef("Gala_Date_Query");
    byDate.setParameter("Enter program code", "P");
    byDate.setParameter("Enter gala date", "05/06/95");
    Recordset d = byDate.openRecordset();
    QCOMPARE(d.recordCount(), 1);
    d.moveFirst();
    QCOMPARE(d.value("Date").toDate(), QDate(1995, 6, 5));
    QCOMPARE(d.value("Graded").metaType().id(), int(QMetaType::Bool));
    QCOMPARE(d.value("Graded").toBool(), true);
}

void TstEngine::failedStepLeavesNothingHalfWritten()
{
    TestGala gala(true);
    auto db = gala.open();
    try {
        Database::Transaction tx(*db);
        Recordset teams = teamsOf(*db, "DEMO", "12/10/26");
        for (teams.moveFirst(); !teams.atEnd(); teams.moveNext())
            teams.remove();
        teams.addNew();
        teams.setValue("Gala Date", "31/02/26"); // no such day: refused
        teams.update();
        tx.commit();
        QFAIL("an impossible date was stored");
    } catch (const EngineError &e) {
        QVERIFY(e.message().contains("not a date"));
    }
    QCOMPARE(teamsOf(*db, "DEMO", "12/10/26").recordCount(), 8);
}

void TstEngine::engineErrors_data()
{
    QTest::addColumn<int>("which");
    DataRow("missing query", 0);
    DataRow("missing parameter", 1);
    DataRow("missing field", 2);
    DataRow("missing table", 3);
    DataRow("edit a record past the end", 4);
    DataRow("number field given a word", 5);
    DataRow("empty field name", 6);
}

void TstEngine::engineErrors()
{
    QFETCH(int, which);
    TestGala gala(true);
    auto db = gala.open();
    QVERIFY_THROWS_EXCEPTION(EngineError, [&] {
        switch (which) {
        case 0:
            db->queryDef("No_Such_Query");
            break;
        case 1:
            db->queryDef("Gala_Team_Query").setParameter("Enter gala", "x");
            break;
        case 2: {
            Recordset r = db->openRecordset("Gala_Name");
            r.moveFirst();
            r.value("Program Code"); // field names are case-exact
            break;
        }
        case 3:
            db->openRecordset("Gala_Names");
            break;
        case 4: {
            Recordset r = teamsOf(*db, "X", "01/01/26");
            r.edit();
            break;
        }
        case 5: {
            Recordset r = db->openRecordset("Gala_Program");
            r.addNew();
            r.setValue("Event No", "twelve");
            break;
        }
        case 6: {
            Recordset r = db->openRecordset("Gala_Name");
            r.moveFirst();
            r.value("Program code");
            r.value(QString());
            break;
        }
        }
    }());
}

void TstEngine::refusesFilesThatAreNoDatabase()
{
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.mdb");
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    QVERIFY_THROWS_EXCEPTION(EngineError, Database{text});
    // A missing file is never created by opening it.
    const QString missing = dir.filePath("missing.mdb");
    QVERIFY_THROWS_EXCEPTION(EngineError, Database{missing});
    QVERIFY(!QFile::exists(missing));
}

QTEST_APPLESS_MAIN(TstEngine)
#include "tst_engine.moc"
