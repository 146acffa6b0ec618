#include "core/exports/LenexResults.h"

#include "core/exports/LenexAthletes.h"

#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/links/SplitTimes.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <QCoreApplication>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <set>

namespace Lenex {

QString SwimTime(float seconds)
{
    const long long hundredths = std::llround(double(seconds) * 100.0);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(hundredths / 360000, 2, 10, QLatin1Char('0'))
        .arg(hundredths / 6000 % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QString Course(double poolLength)
{
    if (poolLength == 25.0)
        return QStringLiteral("SCM");
    if (poolLength == 50.0)
        return QStringLiteral("LCM");
    return QString();
}

QString Gender(const QString &sexAge)
{
    // "Mixed" starts with the M of men; a mixed event is neither sex.
    const QString firstWord = PBUTIL::SplitWords(sexAge).value(0);
    if (firstWord.compare(QLatin1String("Mixed"), Qt::CaseInsensitive) == 0 ||
        firstWord.compare(QLatin1String("Mix"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("X");
    switch (GalaRules::EventSex(sexAge)) {
    case GalaRules::Sex::Female:
        return QStringLiteral("F");
    case GalaRules::Sex::Male:
        return QStringLiteral("M");
    case GalaRules::Sex::Neither:
        break;
    }
    return QStringLiteral("X");
}

QString ClubName(const GalaState &gala, int t)
{
    const QString name = gala.TeamName[t].trimmed();
    if (!name.isEmpty())
        return name;
    return QCoreApplication::translate("Lenex", "Heat %1 Lane %2")
        .arg(gala.TeamHeat[t])
        .arg(gala.TeamLane[t]);
}

} // namespace Lenex

namespace {

using namespace Lenex;

int eventId(int e)
{
    return e;
}
int heatId(int e, int heat)
{
    return e * 100 + heat;
}
int resultId(int e, int t)
{
    return e * 1000 + t;
}

class Writer
{
public:
    Writer(const GalaState &g, const LenexMeet &meet, SplitTimes &splits, QByteArray *out)
        : m_gala(g), m_meet(meet), m_splits(splits), m_xml(out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    void write()
    {
        const Entries entries(m_gala, PBUTIL::ReadDate(m_meet.GalaDate));
        m_xml.writeStartDocument();
        m_xml.writeStartElement(QStringLiteral("LENEX"));
        m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("3.0"));
        m_xml.writeStartElement(QStringLiteral("CONSTRUCTOR"));
        m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("AQGalaRec"));
        m_xml.writeAttribute(QStringLiteral("registration"), m_meet.Organisation);
        m_xml.writeAttribute(QStringLiteral("version"), m_meet.ProgramVersion);
        m_xml.writeEmptyElement(QStringLiteral("CONTACT"));
        m_xml.writeAttribute(QStringLiteral("email"), m_meet.ContactEmail);
        m_xml.writeEndElement(); // CONSTRUCTOR

        m_xml.writeStartElement(QStringLiteral("MEETS"));
        m_xml.writeStartElement(QStringLiteral("MEET"));
        // A meet without a description is named by its gala code; a pool
        // without a name leaves the city unknown ("-").
        m_xml.writeAttribute(QStringLiteral("name"), orElse(m_gala.GalaName, m_meet.GalaCode));
        m_xml.writeAttribute(QStringLiteral("city"), orElse(m_gala.PoolName, QStringLiteral("-")));
        // The suite's results go to the ASA rankings: British meets.
        m_xml.writeAttribute(QStringLiteral("nation"), QStringLiteral("GBR"));
        const QString course = Lenex::Course(m_meet.PoolLength);
        if (!course.isEmpty())
            m_xml.writeAttribute(QStringLiteral("course"), course);
        writePool();
        writeSession();
        writeClubs(entries);
        m_xml.writeEndElement(); // MEET
        m_xml.writeEndElement(); // MEETS
        m_xml.writeEndElement(); // LENEX
        m_xml.writeEndDocument();
    }

private:
    static QString orElse(const QString &text, const QString &otherwise)
    {
        return text.trimmed().isEmpty() ? otherwise : text.trimmed();
    }

    void writePool()
    {
        if (m_gala.NoOfTeams < 1)
            return;
        int low = m_gala.TeamLane[1], high = low;
        for (int t = 2; t <= m_gala.NoOfTeams; ++t) {
            low = std::min(low, m_gala.TeamLane[t]);
            high = std::max(high, m_gala.TeamLane[t]);
        }
        m_xml.writeEmptyElement(QStringLiteral("POOL"));
        m_xml.writeAttribute(QStringLiteral("lanemin"), QString::number(low));
        m_xml.writeAttribute(QStringLiteral("lanemax"), QString::number(high));
    }

    // The heats of the gala, in order: every event is swum in all of them.
    QList<int> heats() const
    {
        std::set<int> all;
        for (int t = 1; t <= m_gala.NoOfTeams; ++t)
            all.insert(m_gala.TeamHeat[t]);
        return QList<int>(all.begin(), all.end());
    }

    void writeSession()
    {
        m_xml.writeStartElement(QStringLiteral("SESSIONS"));
        m_xml.writeStartElement(QStringLiteral("SESSION"));
        m_xml.writeAttribute(QStringLiteral("number"), QStringLiteral("1"));
        const QDate date = PBUTIL::ReadDate(m_meet.GalaDate);
        m_xml.writeAttribute(QStringLiteral("date"), date.toString(Qt::ISODate));
        m_xml.writeStartElement(QStringLiteral("EVENTS"));
        const QList<int> allHeats = heats();
        for (int e = 1; e <= m_gala.NoOfEvents; ++e) {
            m_xml.writeStartElement(QStringLiteral("EVENT"));
            m_xml.writeAttribute(QStringLiteral("eventid"), QString::number(eventId(e)));
            m_xml.writeAttribute(QStringLiteral("number"),
                                 orElse(m_gala.EventNo[e], QString::number(e)));
            m_xml.writeAttribute(QStringLiteral("gender"), Lenex::Gender(m_gala.EventSexAge[e]));
            // All heats are ranked together: a timed final.
            m_xml.writeAttribute(QStringLiteral("round"), QStringLiteral("TIM"));
            writeSwimStyle(e);
            writeAgeGroup(e);
            m_xml.writeStartElement(QStringLiteral("HEATS"));
            for (int heat : allHeats) {
                m_xml.writeEmptyElement(QStringLiteral("HEAT"));
                m_xml.writeAttribute(QStringLiteral("heatid"), QString::number(heatId(e, heat)));
                m_xml.writeAttribute(QStringLiteral("number"), QString::number(heat));
            }
            m_xml.writeEndElement(); // HEATS
            m_xml.writeEndElement(); // EVENT
        }
        m_xml.writeEndElement(); // EVENTS
        m_xml.writeEndElement(); // SESSION
        m_xml.writeEndElement(); // SESSIONS
    }

    // The event's one age group, named by its sex/age text, with the places
    // of the swims that have one: readers take the results list from here.
    void writeAgeGroup(int e)
    {
        QList<std::pair<int, int>> placed; // (position, team)
        for (int t = 1; t <= m_gala.NoOfTeams; ++t) {
            if (m_gala.LanePos(e, t) > 0)
                placed.append({m_gala.LanePos(e, t), t});
        }
        std::stable_sort(placed.begin(), placed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        m_xml.writeStartElement(QStringLiteral("AGEGROUPS"));
        m_xml.writeStartElement(QStringLiteral("AGEGROUP"));
        m_xml.writeAttribute(QStringLiteral("agegroupid"), QString::number(eventId(e)));
        m_xml.writeAttribute(QStringLiteral("agemax"), QStringLiteral("-1"));
        m_xml.writeAttribute(QStringLiteral("agemin"), QStringLiteral("-1"));
        m_xml.writeAttribute(QStringLiteral("name"), m_gala.EventSexAge[e]);
        if (!placed.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("RANKINGS"));
            int order = 0;
            for (const auto &[position, t] : placed) {
                m_xml.writeEmptyElement(QStringLiteral("RANKING"));
                m_xml.writeAttribute(QStringLiteral("order"), QString::number(++order));
                m_xml.writeAttribute(QStringLiteral("place"), QString::number(position));
                m_xml.writeAttribute(QStringLiteral("resultid"), QString::number(resultId(e, t)));
            }
            m_xml.writeEndElement(); // RANKINGS
        }
        m_xml.writeEndElement(); // AGEGROUP
        m_xml.writeEndElement(); // AGEGROUPS
    }

    void writeSwimStyle(int e)
    {
        Style style = styleOf(m_gala.EventStroke[e]);
        int distance = PBUTIL::LeadingWhole(m_gala.EventDistance[e]);
        // A relay's distance is each swimmer's leg; a programme distance that
        // does not share into four legs is written whole as a style of its own.
        bool named = style.stroke == QLatin1String("UNKNOWN");
        if (style.relayCount > 1) {
            if (distance % style.relayCount == 0) {
                distance /= style.relayCount;
            } else {
                style.stroke = QStringLiteral("UNKNOWN");
                named = true;
            }
        }
        m_xml.writeEmptyElement(QStringLiteral("SWIMSTYLE"));
        m_xml.writeAttribute(QStringLiteral("distance"), QString::number(distance));
        m_xml.writeAttribute(QStringLiteral("relaycount"), QString::number(style.relayCount));
        m_xml.writeAttribute(QStringLiteral("stroke"), style.stroke);
        if (named) {
            const QString name = PBUTIL::StrokeName(m_gala.EventStroke[e]);
            m_xml.writeAttribute(QStringLiteral("name"),
                                 m_gala.EventDistance[e] + QStringLiteral("m ") +
                                     (name.isEmpty() ? m_gala.EventStroke[e] : name));
        }
    }

    void writeClubs(const Entries &entries)
    {
        m_xml.writeStartElement(QStringLiteral("CLUBS"));
        for (const Club &club : entries.clubs()) {
            m_xml.writeStartElement(QStringLiteral("CLUB"));
            m_xml.writeAttribute(QStringLiteral("name"), club.name);
            if (!club.athletes.isEmpty()) {
                m_xml.writeStartElement(QStringLiteral("ATHLETES"));
                for (const Athlete &a : club.athletes)
                    writeAthlete(a);
                m_xml.writeEndElement();
            }
            if (!club.relays.isEmpty())
                writeRelays(club);
            m_xml.writeEndElement(); // CLUB
        }
        m_xml.writeEndElement(); // CLUBS
    }

    void writeAthlete(const Athlete &a)
    {
        m_xml.writeStartElement(QStringLiteral("ATHLETE"));
        m_xml.writeAttribute(QStringLiteral("athleteid"), QString::number(a.id));
        m_xml.writeAttribute(QStringLiteral("firstname"), a.first);
        m_xml.writeAttribute(QStringLiteral("lastname"), a.last);
        // Lenex knows no unknown sex or birth: a swimmer named in mixed events
        // only is written as F, a birth the gala does not know as 1 January 1900.
        m_xml.writeAttribute(QStringLiteral("gender"),
                             a.gender.isEmpty() ? Lenex::UnknownGender : a.gender);
        m_xml.writeAttribute(
            QStringLiteral("birthdate"),
            (a.born.isValid() ? a.born : Lenex::UnknownBirthDate).toString(Qt::ISODate));
        writeResults(a.swims);
        m_xml.writeEndElement(); // ATHLETE
    }

    // Each relay swim is a relay team of its own, named by what the official
    // typed for the lane (usually the four swimmers).
    void writeRelays(const Club &club)
    {
        m_xml.writeStartElement(QStringLiteral("RELAYS"));
        int number = 0;
        for (const auto &[e, t] : club.relays) {
            m_xml.writeStartElement(QStringLiteral("RELAY"));
            m_xml.writeAttribute(QStringLiteral("number"), QString::number(++number));
            // The gala keeps no ages: every bound is "none or unknown".
            for (const char *bound : {"agemax", "agemin", "agetotalmax", "agetotalmin"})
                m_xml.writeAttribute(QLatin1String(bound), QStringLiteral("-1"));
            m_xml.writeAttribute(QStringLiteral("gender"), Lenex::Gender(m_gala.EventSexAge[e]));
            if (!m_gala.LaneName(e, t).trimmed().isEmpty())
                m_xml.writeAttribute(QStringLiteral("name"), m_gala.LaneName(e, t).trimmed());
            writeResults({{e, t}});
            m_xml.writeEndElement(); // RELAY
        }
        m_xml.writeEndElement(); // RELAYS
    }

    void writeResults(const QList<std::pair<int, int>> &swims)
    {
        if (swims.isEmpty())
            return;
        m_xml.writeStartElement(QStringLiteral("RESULTS"));
        for (const auto &[e, t] : swims)
            writeResult(e, t);
        m_xml.writeEndElement();
    }

    void writeResult(int e, int t)
    {
        const QString &text = m_gala.LaneTime(e, t);
        // Any time text beginning with D is a disqualification, as on the
        // printed results.
        const bool disqualified = GalaRules::IsDisqualification(text);
        const float seconds = disqualified ? 0.0f : PBUTIL::TimeFromText(text);
        m_xml.writeStartElement(QStringLiteral("RESULT"));
        m_xml.writeAttribute(QStringLiteral("resultid"), QString::number(resultId(e, t)));
        m_xml.writeAttribute(QStringLiteral("eventid"), QString::number(eventId(e)));
        m_xml.writeAttribute(QStringLiteral("heatid"),
                             QString::number(heatId(e, m_gala.TeamHeat[t])));
        m_xml.writeAttribute(QStringLiteral("lane"), QString::number(m_gala.TeamLane[t]));
        m_xml.writeAttribute(QStringLiteral("swimtime"),
                             seconds > 0.0f ? Lenex::SwimTime(seconds) : QStringLiteral("NT"));
        if (m_gala.LanePos(e, t) > 0)
            m_xml.writeAttribute(QStringLiteral("place"), QString::number(m_gala.LanePos(e, t)));
        if (m_gala.LanePoints(e, t) != 0.0f)
            m_xml.writeAttribute(QStringLiteral("points"),
                                 PBUTIL::TrimmedNumberText(m_gala.LanePoints(e, t)));
        if (disqualified) {
            m_xml.writeAttribute(QStringLiteral("status"), QStringLiteral("DSQ"));
            if (!m_gala.LaneNotes(e, t).trimmed().isEmpty())
                m_xml.writeAttribute(QStringLiteral("comment"), m_gala.LaneNotes(e, t).trimmed());
        } else if (seconds <= 0.0f && !text.trimmed().isEmpty()) {
            // A time text that reads as no time is kept as the official typed it.
            m_xml.writeAttribute(QStringLiteral("comment"), text.trimmed());
        }
        if (!disqualified && seconds > 0.0f)
            writeSplits(e, t);
        m_xml.writeEndElement(); // RESULT
    }

    // Intermediate times lie at the pool's ends; with no pool length they
    // are taken as evenly spread over the race. Times at or past the finish
    // are the final time already.
    void writeSplits(int e, int t)
    {
        const QStringList times = m_splits.ofSwim(m_gala, e, t);
        if (times.isEmpty())
            return;
        const int race = PBUTIL::LeadingWhole(m_gala.EventDistance[e]);
        const int count = int(times.size());
        QList<std::pair<int, QString>> splits;
        for (int n = 1; n <= count; ++n) {
            int distance = 0;
            if (m_meet.PoolLength > 0 && m_meet.PoolLength == std::floor(m_meet.PoolLength))
                distance = n * int(m_meet.PoolLength);
            else if (race * n % (count + 1) == 0)
                distance = race * n / (count + 1);
            // A split that reads as nothing keeps its place but is not written.
            if (distance > 0 && distance < race && !times[n - 1].isEmpty())
                splits.append({distance, Lenex::SwimTime(PBUTIL::TimeFromText(times[n - 1]))});
        }
        if (splits.isEmpty())
            return;
        m_xml.writeStartElement(QStringLiteral("SPLITS"));
        for (const auto &[distance, time] : splits) {
            m_xml.writeEmptyElement(QStringLiteral("SPLIT"));
            m_xml.writeAttribute(QStringLiteral("distance"), QString::number(distance));
            m_xml.writeAttribute(QStringLiteral("swimtime"), time);
        }
        m_xml.writeEndElement();
    }

    const GalaState &m_gala;
    const LenexMeet &m_meet;
    SplitTimes &m_splits;
    QXmlStreamWriter m_xml;
};

} // namespace

QByteArray LenexResultsXml(const GalaState &gala, const LenexMeet &meet, SplitTimes &splits)
{
    QByteArray out;
    Writer(gala, meet, splits, &out).write();
    return out;
}
