#include "core/values/Engine.h"
#include "tests/support/TestGala.h"

#include <QFile>
#include <QtTest>

namespace {

// A query's records with its two parameters, program code and gala date.
Recordset query(Database &db, const char *name, const QString &code, const QString &date = {})
{
    QueryDef q = db.queryDef(name);
    q.setParameter("Enter program code", code);
    if (!date.isEmpty())
        q.setParameter("Enter gala date", date);
    return q.openRecordset();
}

void add(Recordset &r, const QList<std::pair<const char *, QVariant>> &values)
{
    r.addNew();
    for (const auto &[field, value] : values)
        r.setValue(field, value);
    r.update();
}

// One field of every record, in the order the recordset gives them.
QVariantList column(Recordset r, const char *field)
{
    QVariantList values;
    for (r.moveFirst(); !r.atEnd(); r.moveNext())
        values << r.value(field);
    return values;
}

Recordset teamsOf(Database &db, const QString &code, const QString &date)
{
    return query(db, "Gala_Team_Query", code, date);
}

} // namespace

class TstEngine : public QObject
{
    Q_OBJECT
private slots:
    // The demonstration gala through its queries: refusals first, then edits.
    void updatableQueryWithBlankParametersAndRefusals()
    {
        TestGala gala(true);
        auto db = gala.open();
        // A failed step leaves nothing half written.
        try {
            Database::Transaction tx(*db);
            Recordset teams = teamsOf(*db, "DEMO", "12/10/26");
            for (teams.moveFirst(); !teams.atEnd(); teams.moveNext())
                teams.remove();
            teams.addNew();
            teams.setValue("Gala Date", "31/02/26"); // no such day: refused
            teams.update();
            QFAIL("an impossible date was stored");
        } catch (const EngineError &e) {
            QVERIFY(e.message().contains("not a date"));
        }
        Recordset teams = teamsOf(*db, "DEMO", "12/10/26");
        QCOMPARE(teams.recordCount(), 8);
        QVERIFY_THROWS_EXCEPTION(EngineError, db->queryDef("No_Such_Query"));
        QVERIFY_THROWS_EXCEPTION(EngineError, db->openRecordset("Gala_Names"));
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 db->queryDef("Gala_Team_Query").setParameter("Enter gala", "x"));
        QVERIFY_THROWS_EXCEPTION(EngineError, teamsOf(*db, "X", "01/01/26").edit()); // past the end
        Recordset names = db->openRecordset("Gala_Name");
        names.moveFirst();
        QVERIFY(!names.value("Program code").isNull());
        QVERIFY_THROWS_EXCEPTION(EngineError, names.value("Program Code")); // names are case-exact
        db->addStoredQuery("Read_Only", "SELECT * FROM Gala_Name", {}, {}); // no base table
        QVERIFY_THROWS_EXCEPTION(EngineError, db->queryDef("Read_Only").openRecordset().addNew());
        // A missing file is never created by opening it.
        const QString missing = gala.dir.filePath("missing.mdb");
        QVERIFY_THROWS_EXCEPTION(EngineError, Database{missing});
        QVERIFY(!QFile::exists(missing));

        QCOMPARE(teamsOf(*db, "demo", "12/10/26").recordCount(), 0);
        // The same date written as d/m/yyyy finds the same gala.
        QCOMPARE(teamsOf(*db, "DEMO", "12/10/2026").recordCount(), 8);
        teams.moveFirst();
        teams.edit();
        teams.setValue("Team Name", "Renamed");
        teams.update();
        teams.moveNext();
        teams.remove();
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

        // A programme of its own, "P", stored out of order.
        Recordset prog = db->openRecordset("Gala_Program");
        for (double no : {3.0, 1.0, 2.0})
            add(prog, {{"Program code", "P"}, {"Event No", no}});
        QCOMPARE(column(query(*db, "Gala_Program_Query", "P"), "Event No"),
                 (QVariantList{1.0, 2.0, 3.0}));

        // Team entries come back as stored, not sorted.
        Recordset entries = teamsOf(*db, "P", "01/01/26");
        for (int lane : {3, 1, 2})
            add(entries, {{"Program code", "P"},
                          {"Gala Date", "01/01/26"},
                          {"Heat No", 1},
                          {"Lane No", lane}});
        QCOMPARE(column(teamsOf(*db, "P", "01/01/26"), "Lane No"), (QVariantList{3, 1, 2}));

        // Empty fields read as null, an empty text as a text; numbers and dates keep their type.
        Recordset rec = db->openRecordset("Gala_Record");
        add(rec, {{"Program code", "P"},
                  {"Gala Date", "01/02/26"},
                  {"Event No", 3.0},
                  {"Lane Pos", 2},
                  {"Lane Points", 5.5f},
                  {"Lane Time", ""}});
        Recordset back = query(*db, "Gala_Record_Query", "P", "01/02/26");
        back.moveFirst();
        QVERIFY(back.value("Lane Name").isNull());
        QCOMPARE(back.text("Lane Name"), QString());
        QCOMPARE(back.text("Lane Time"), QString());
        QVERIFY(!back.value("Lane Time").isNull());
        QCOMPARE(back.value("Lane Pos").toInt(), 2);
        QCOMPARE(back.value("Lane Points").toFloat(), 5.5f);
        QCOMPARE(back.value("Gala Date").toDate(), QDate(2026, 2, 1));

        // Yes/no fields read as bool; a date given as a date is found by its text.
        Recordset dates = db->openRecordset("Gala_Date");
        add(dates, {{"Program code", "P"}, {"Date", QDate(1995, 6, 5)}, {"Graded", true}});
        Recordset d = query(*db, "Gala_Date_Query", "P", "05/06/95");
        d.moveFirst();
        QCOMPARE(d.value("Date").toDate(), QDate(1995, 6, 5));
        QCOMPARE(d.value("Graded").metaType().id(), int(QMetaType::Bool));
        QCOMPARE(d.value("Graded").toBool(), true);

        // Deleting record by record is the walk with delete before move next.
        Recordset programme = db->openRecordset("Gala_Program");
        for (programme.moveFirst(); !programme.atEnd(); programme.moveNext())
            programme.remove();
        QCOMPARE(db->openRecordset("Gala_Program").recordCount(), 0);
        programme.addNew();
        QVERIFY_THROWS_EXCEPTION(EngineError, programme.setValue("Event No", "twelve"));
    }
};

QTEST_APPLESS_MAIN(TstEngine)
#include "tst_engine.moc"
