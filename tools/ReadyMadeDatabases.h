#pragma once

#include <QString>

#include <memory>

class Database;

// Builds the ready-made database files the program works with; the program
// itself never creates a table or a stored query.
namespace ReadyMade {

// A blank gala database: the gala tables and their stored queries.
std::unique_ptr<Database> createGalaDatabase(const QString &path);

// The demonstration gala: code DEMO with 12 events, two dated galas, and
// 8 team entries in 2 heats of 4 lanes on the graded one.
void addDemonstrationGala(Database &db);

// A blank announcer database with its Announcement table.
std::unique_ptr<Database> createAnnouncerDatabase(const QString &path);

// A blank online-times database: the table the timing system fills and the
// two stored queries the recording sheet reads it through.
std::unique_ptr<Database> createOnlineTimesDatabase(const QString &path);

// Times for the demonstration gala (meet code DEMO): every way the sheet's
// "Get Online Times" can find a heat, an event without times, and rows it
// must leave alone.
void addDemonstrationOnlineTimes(Database &db);

// Writes gala_record.mdb, demo_gala.mdb, announcer.mdb, online_times.mdb and
// demo_online.mdb into `folder`,
// leaving any that already exist untouched. Gives an error text or "".
QString writeAll(const QString &folder);

} // namespace ReadyMade
