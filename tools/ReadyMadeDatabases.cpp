#include "tools/ReadyMadeDatabases.h"

#include "core/sheet/SaveHistory.h"
#include "core/values/Engine.h"
#include "tools/OnlineTimesFeed.h"

#include <QDir>
#include <QFile>

namespace ReadyMade {

namespace {

const QString Code = QStringLiteral("Enter program code:text");
const QString Date = QStringLiteral("Enter gala date:date");

// An updatable stored query selects its base table's rowid first.
QString selectOf(const QString &table, const QString &where, const QString &order)
{
    return QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 ORDER BY %3").arg(table, where, order);
}

} // namespace

std::unique_ptr<Database> createGalaDatabase(const QString &path)
{
    auto db = Database::create(path);
    Database::Transaction tx(*db);
    db->execute(QStringLiteral(
        R"(CREATE TABLE Gala_Name ("Program code" TEXT, "Program description" TEXT,
             "Program notes" TEXT);
           CREATE TABLE Gala_Program ("Program code" TEXT, "Event No" DOUBLE, "Sex age" TEXT,
             "Distance" DOUBLE, "Stroke" TEXT, "Time" TEXT, "Scoring" TEXT);
           CREATE INDEX Gala_Program_Code ON Gala_Program ("Program code", "Event No");
           CREATE TABLE Gala_Date ("Program code" TEXT, "Date" DATE, "Pool Name" TEXT,
             "Promoter" TEXT, "Pool Length" DOUBLE, "Graded" BOOLEAN);
           CREATE TABLE Gala_Team ("Program code" TEXT, "Gala Date" DATE, "Heat No" SMALLINT,
             "Lane No" SMALLINT, "Team Name" TEXT, "Scoring" BOOLEAN);
           CREATE INDEX Gala_Team_Gala ON Gala_Team ("Program code", "Gala Date");
           CREATE TABLE Gala_Record ("Program code" TEXT, "Gala Date" DATE, "Event No" DOUBLE,
             "Lane No" SMALLINT, "Lane Time" TEXT, "Lane Pos" SMALLINT, "Lane Points" REAL,
             "Lane Notes" TEXT, "Heat No" SMALLINT, "Lane Name" TEXT, "Lane Club" TEXT,
             "Lane DoB" DATE);
           CREATE INDEX Gala_Record_Gala ON Gala_Record ("Gala Date", "Program code");)"));
    const QString byCode = QStringLiteral("\"Program code\" = ?1");
    db->addStoredQuery(
        QStringLiteral("Gala_Program_Query"),
        selectOf(QStringLiteral("Gala_Program"), byCode, QStringLiteral("\"Event No\", rowid")),
        {Code}, QStringLiteral("Gala_Program"));
    db->addStoredQuery(QStringLiteral("Gala_Name_Query"),
                       selectOf(QStringLiteral("Gala_Name"), byCode, QStringLiteral("rowid")),
                       {Code}, QStringLiteral("Gala_Name"));
    db->addStoredQuery(QStringLiteral("Gala_Date_Query"),
                       selectOf(QStringLiteral("Gala_Date"),
                                byCode + QStringLiteral(" AND \"Date\" = ?2"),
                                QStringLiteral("rowid")),
                       {Code, Date}, QStringLiteral("Gala_Date"));
    const QString byGala = byCode + QStringLiteral(" AND \"Gala Date\" = ?2");
    db->addStoredQuery(QStringLiteral("Gala_Team_Query"),
                       selectOf(QStringLiteral("Gala_Team"), byGala, QStringLiteral("rowid")),
                       {Code, Date}, QStringLiteral("Gala_Team"));
    db->addStoredQuery(QStringLiteral("Gala_Record_Query"),
                       selectOf(QStringLiteral("Gala_Record"), byGala, QStringLiteral("rowid")),
                       {Code, Date}, QStringLiteral("Gala_Record"));
    // A database from before the save history gets the table on its first
    // save; the ready-made ones have it from the start.
    SaveHistory::CreateTable(*db);
    tx.commit();
    return db;
}

void addDemonstrationGala(Database &db)
{
    Database::Transaction tx(db);
    const QString code = QStringLiteral("DEMO");
    Recordset names = db.openRecordset(QStringLiteral("Gala_Name"));
    names.addNew();
    names.setValue(QStringLiteral("Program code"), code);
    names.setValue(QStringLiteral("Program description"),
                   QStringLiteral("Harbourside Junior Team Gala"));
    names.setValue(
        QStringLiteral("Program notes"),
        QStringLiteral("Demonstration gala: try recording the graded gala of 12/10/26."));
    names.update();

    struct Event
    {
        int no;
        const char *sexAge;
        int distance;
        const char *stroke;
        const char *time;
        const char *scoring;
    };
    static const Event events[] = {
        {1, "G10", 50, "FS", "38.00", ""},        {2, "B10", 50, "FS", "37.50", ""},
        {3, "G12", 50, "BK", "40.00", ""},        {4, "B12", 50, "BK", "39.50", ""},
        {5, "G12", 50, "BR", "44.00", ""},        {6, "B12", 50, "BR", "43.00", ""},
        {7, "G14", 100, "FS", "1:05.00", ""},     {8, "B14", 100, "FS", "1:02.00", ""},
        {9, "G Open", 50, "FLY", "", ""},         {10, "B Open", 50, "FLY", "", ""},
        {11, "Mixed", 100, "MED", "1:20.00", ""}, {12, "Mixed Open", 200, "FSR", "", "2X"},
    };
    Recordset prog = db.openRecordset(QStringLiteral("Gala_Program"));
    for (const Event &e : events) {
        prog.addNew();
        prog.setValue(QStringLiteral("Program code"), code);
        prog.setValue(QStringLiteral("Event No"), double(e.no));
        prog.setValue(QStringLiteral("Sex age"), QString::fromLatin1(e.sexAge));
        prog.setValue(QStringLiteral("Distance"), double(e.distance));
        prog.setValue(QStringLiteral("Stroke"), QString::fromLatin1(e.stroke));
        prog.setValue(QStringLiteral("Time"), QString::fromLatin1(e.time));
        prog.setValue(QStringLiteral("Scoring"), QString::fromLatin1(e.scoring));
        prog.update();
    }

    Recordset dates = db.openRecordset(QStringLiteral("Gala_Date"));
    const struct
    {
        const char *date, *pool, *promoter;
        bool graded;
    } galas[] = {{"14/09/26", "Harbourside Baths", "Harbourside SC", false},
                 {"12/10/26", "Harbourside Baths", "Harbourside SC", true}};
    for (const auto &g : galas) {
        dates.addNew();
        dates.setValue(QStringLiteral("Program code"), code);
        dates.setValue(QStringLiteral("Date"), QString::fromLatin1(g.date));
        dates.setValue(QStringLiteral("Pool Name"), QString::fromLatin1(g.pool));
        dates.setValue(QStringLiteral("Promoter"), QString::fromLatin1(g.promoter));
        dates.setValue(QStringLiteral("Pool Length"), 25.0);
        dates.setValue(QStringLiteral("Graded"), g.graded);
        dates.update();
    }

    QueryDef q = db.queryDef(QStringLiteral("Gala_Team_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), QStringLiteral("12/10/26"));
    Recordset teams = q.openRecordset();
    static const char *teamNames[] = {"Harbourside", "Ashford Otters",  "Bramley Dolphins",
                                      "Castleton",   "Harbourside B",   "Ashford B",
                                      "Bramley B",   "Castleton Guests"};
    for (int i = 0; i < 8; ++i) {
        teams.addNew();
        teams.setValue(QStringLiteral("Program code"), code);
        teams.setValue(QStringLiteral("Gala Date"), QStringLiteral("12/10/26"));
        teams.setValue(QStringLiteral("Heat No"), i / 4 + 1);
        teams.setValue(QStringLiteral("Lane No"), i % 4 + 1);
        teams.setValue(QStringLiteral("Team Name"), QString::fromLatin1(teamNames[i]));
        teams.setValue(QStringLiteral("Scoring"), i != 7); // the guests swim for no points
        teams.update();
    }
    tx.commit();
}

std::unique_ptr<Database> createAnnouncerDatabase(const QString &path)
{
    auto db = Database::create(path);
    db->execute(QStringLiteral("CREATE TABLE IF NOT EXISTS Announcement (ID INTEGER PRIMARY KEY, "
                               "Priority SMALLINT, Message TEXT)"));
    return db;
}

std::unique_ptr<Database> createOnlineTimesDatabase(const QString &path)
{
    auto db = Database::create(path);
    Database::Transaction tx(*db);
    // One row per lane time of a message: finish times ("F") carry the
    // place, intermediate times ("I") none. Rows keep the order written.
    db->execute(QStringLiteral(
        R"(CREATE TABLE Online_Times ("Meet code" TEXT, "Event number" INTEGER,
             "Heat number" INTEGER, "Message type" INTEGER, "Kind_of_time" TEXT,
             "Lane_number" INTEGER, "Lane_time" TEXT, "Position" INTEGER);
           CREATE INDEX Online_Times_Heat ON Online_Times ("Meet code", "Event number",
             "Heat number");)"));
    const QString heatOf =
        QStringLiteral("\"Meet code\" = ?1 AND \"Event number\" = ?2 AND \"Heat number\" = ?3");
    db->addStoredQuery(QStringLiteral("Finish times for 1 event"),
                       QStringLiteral("SELECT \"Lane_time\", \"Lane_number\", \"Position\" "
                                      "FROM Online_Times WHERE ") +
                           heatOf +
                           QStringLiteral(" AND \"Message type\" = ?4 AND \"Kind_of_time\" = "
                                          "'F' ORDER BY rowid"),
                       {QStringLiteral("Meet code:text"), QStringLiteral("Event number:smallint"),
                        QStringLiteral("Heat number:smallint"),
                        QStringLiteral("Message type:smallint")},
                       QString());
    db->addStoredQuery(QStringLiteral("Times for 1 event"),
                       QStringLiteral("SELECT \"Kind_of_time\", \"Lane_number\", \"Lane_time\" "
                                      "FROM Online_Times WHERE ") +
                           heatOf + QStringLiteral(" ORDER BY rowid"),
                       {QStringLiteral("Meet code:text"), QStringLiteral("Event number:number"),
                        QStringLiteral("Heat number:smallint")},
                       QString());
    tx.commit();
    return db;
}

void addDemonstrationOnlineTimes(Database &db)
{
    using namespace OnlineTimesFeed;
    const QString code = QStringLiteral("DEMO");
    struct Message
    {
        int event, heat, type;
        bool intermediate;
        QList<LaneEntry> lanes;
    };
    // The demonstration gala is graded: event 1 has the limit 38.00, event 2
    // 37.50, event 3 40.00. Event 4 has no times at all.
    const QList<Message> messages = {
        {1,
         1,
         PreviousResult,
         false,
         {{1, QStringLiteral("40.12"), 2},
          {2, QStringLiteral("41.3"), 4},
          {3, QStringLiteral("39.87"), 1},
          {4, QStringLiteral("40.55"), 3}}},
        {1,
         1,
         OnlineTimes,
         true,
         {{1, QStringLiteral("19.40"), 0}, {3, QStringLiteral("19.02"), 0}}},
        // Only the current results of this heat reached the database.
        {1,
         2,
         CurrentResults,
         false,
         {{1, QStringLiteral("40.5"), 3},
          {2, QStringLiteral("38.9"), 1},
          {3, QStringLiteral(" 43.10 "), 4},
          {4, QStringLiteral("39.5"), 2}}},
        // Online times win over the current results of the same heat.
        {2,
         1,
         CurrentResults,
         false,
         {{1, QStringLiteral("45.00"), 1}, {2, QStringLiteral("45.10"), 2}}},
        {2,
         1,
         OnlineTimes,
         false,
         {{1, QStringLiteral("38.40"), 1},
          {2, QStringLiteral("39.1"), 3},
          {3, QStringLiteral("40.22"), 4},
          {4, QStringLiteral("38.95"), 2}}},
        // Place 9 is no swim of this heat: lane 4 keeps its time.
        {2,
         2,
         PreviousResultWithBackups,
         false,
         {{1, QStringLiteral("39.75"), 2},
          {2, QStringLiteral("41.02"), 3},
          {3, QStringLiteral("38.66"), 1},
          {4, QStringLiteral("40.00"), 9}}},
        // A time beyond an hour cannot be shown: "Invalid Time", lane 4 empty.
        {3,
         1,
         CurrentResultsWithBackups,
         false,
         {{1, QStringLiteral("42.3"), 1},
          {2, QStringLiteral("44.02"), 3},
          {3, QStringLiteral("43.15"), 2},
          {4, QStringLiteral("61:40.00"), 4}}},
        // Lane 5 has no team entry.
        {3,
         2,
         OnlineTimes,
         false,
         {{1, QStringLiteral("41.9"), 2},
          {2, QStringLiteral("42.6"), 3},
          {3, QStringLiteral("40.8"), 1},
          {4, QStringLiteral("45.2"), 5},
          {5, QStringLiteral("44.0"), 4}}},
        {7,
         1,
         OnlineTimes,
         true,
         {{1, QStringLiteral("33.80"), 0}, {2, QStringLiteral("34.25"), 0}}},
        {7,
         1,
         OnlineTimes,
         false,
         {{1, QStringLiteral("1:10.42"), 1}, {2, QStringLiteral("1:12.9"), 2}}},
    };
    for (const Message &m : messages)
        AddTimes(db, {code, m.event, m.heat, m.type}, m.lanes, m.intermediate);
}

QString writeAll(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return QStringLiteral("cannot create ") + folder;
    auto fresh = [&](const QString &name) { return !QFile::exists(dir.filePath(name)); };
    try {
        if (fresh(QStringLiteral("gala_record.mdb")))
            createGalaDatabase(dir.filePath(QStringLiteral("gala_record.mdb")));
        if (fresh(QStringLiteral("demo_gala.mdb")))
            addDemonstrationGala(
                *createGalaDatabase(dir.filePath(QStringLiteral("demo_gala.mdb"))));
        if (fresh(QStringLiteral("announcer.mdb")))
            createAnnouncerDatabase(dir.filePath(QStringLiteral("announcer.mdb")));
        if (fresh(QStringLiteral("online_times.mdb")))
            createOnlineTimesDatabase(dir.filePath(QStringLiteral("online_times.mdb")));
        if (fresh(QStringLiteral("demo_online.mdb")))
            addDemonstrationOnlineTimes(
                *createOnlineTimesDatabase(dir.filePath(QStringLiteral("demo_online.mdb"))));
    } catch (const EngineError &e) {
        return e.message();
    }
    return QString();
}

} // namespace ReadyMade
