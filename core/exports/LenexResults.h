#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class Database;
class SplitTimes;
struct GalaState;

// What a results file tells about the meet beyond the gala state.
struct LenexMeet
{
    QString GalaDate;       // dd/mm/yy
    double PoolLength = 0;  // metres; 0 when unknown
    QString ProgramVersion; // written into the file's constructor
    QString ContactEmail;   // the desk's contact, required by readers
    QString Organisation;   // the organisation that runs the desk
    QString GalaCode;       // names the meet when the gala has no description
};

// The gala's results as a Lenex 3.0 document (UTF-8 XML): one meet, one
// session on the gala date with every event and heat of the programme, one
// club per team name with its swimmers, and a result for every swim recorded.
// Split times come from `splits` (which has none without online timing).
// Reads only; throws EngineError when the online-times database refuses.
QByteArray LenexResultsXml(const GalaState &gala, const LenexMeet &meet, SplitTimes &splits);

// The pool length of a dated gala, 0 when it has none.
double PoolLengthOf(Database &galaDb, const QString &code, const QString &galaDate);

namespace Lenex {

// A swim time as Lenex writes it: HH:MM:SS.hh.
QString SwimTime(float seconds);

// The course of a pool length: 25 m gives SCM, 50 m gives LCM, any other
// length has no course the file could name and gives "".
QString Course(double poolLength);

// F, M or X for an event's sex/age text ("G10", "Boys", "Mixed Open").
QString Gender(const QString &sexAge);

// The club of team entry t: its name, or "Heat h Lane l" for an entry
// without one.
QString ClubName(const GalaState &gala, int t);

// What stands where the gala does not know a value every athlete must
// carry: the first name of a one-word name, the sex of a swimmer named in
// mixed events only, a birth not typed as a date or a year.
inline const QString UnknownName = QStringLiteral("-");
inline const QString UnknownGender = QStringLiteral("F");
inline const QDate UnknownBirthDate = QDate(1900, 1, 1);
// The stand-in athlete of a team's unnamed lanes: "Unnamed <team>".
inline const QString StandInFirstName = QStringLiteral("Unnamed");

} // namespace Lenex
