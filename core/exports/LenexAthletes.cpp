#include "core/exports/LenexAthletes.h"

#include "core/exports/LenexResults.h"
#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/values/PbUtil.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace Lenex {

Style styleOf(const QString &code)
{
    static const QHash<QString, Style> styles = {
        {QStringLiteral("FS"), {QStringLiteral("FREE"), 1}},
        {QStringLiteral("BK"), {QStringLiteral("BACK"), 1}},
        {QStringLiteral("BR"), {QStringLiteral("BREAST"), 1}},
        {QStringLiteral("FLY"), {QStringLiteral("FLY"), 1}},
        {QStringLiteral("MED"), {QStringLiteral("MEDLEY"), 1}},
        {QStringLiteral("FSR"), {QStringLiteral("FREE"), RelayCount}},
        {QStringLiteral("BKR"), {QStringLiteral("BACK"), RelayCount}},
        {QStringLiteral("BRR"), {QStringLiteral("BREAST"), RelayCount}},
        {QStringLiteral("FLYR"), {QStringLiteral("FLY"), RelayCount}},
        {QStringLiteral("MEDR"), {QStringLiteral("MEDLEY"), RelayCount}},
    };
    return styles.value(code, Style{QStringLiteral("UNKNOWN"), 1});
}

Entries::Entries(const GalaState &g, const QDate &galaDay) : m_gala(g), m_galaDay(galaDay)
{
    for (int t = 1; t <= g.NoOfTeams; ++t)
        club(Lenex::ClubName(g, t));
    // Swims of known sex first, so a swimmer's mixed events join the
    // athlete its other events made.
    QList<std::pair<int, int>> mixed;
    for (int e = 1; e <= g.NoOfEvents; ++e) {
        const bool relay = styleOf(g.EventStroke[e]).relayCount > 1;
        const QString gender = Lenex::Gender(g.EventSexAge[e]);
        for (int t = 1; t <= g.NoOfTeams; ++t) {
            Club &c = club(Lenex::ClubName(g, t));
            if (relay) {
                if (isSwim(e, t))
                    c.relays.append({e, t});
            } else if (gender == QLatin1String("X")) {
                mixed.append({e, t});
            } else {
                enter(c, e, t, gender);
            }
        }
    }
    for (const auto &[e, t] : std::as_const(mixed))
        enter(club(Lenex::ClubName(g, t)), e, t, QString());
    for (Club &c : m_clubs) {
        for (Athlete &a : c.athletes)
            std::sort(a.swims.begin(), a.swims.end()); // programme order
    }
}

bool Entries::isSwim(int e, int t) const
{
    return !m_gala.LaneTime(e, t).trimmed().isEmpty() || m_gala.LanePos(e, t) > 0 ||
           m_gala.LanePoints(e, t) != 0.0f;
}

Club &Entries::club(const QString &name)
{
    for (Club &c : m_clubs) {
        if (c.name == name)
            return c;
    }
    m_clubs.append(Club{name, {}, {}});
    return m_clubs.last();
}

void Entries::enter(Club &c, int e, int t, const QString &gender)
{
    const QStringList words = PBUTIL::SplitWords(m_gala.LaneName(e, t));
    if (words.isEmpty() && !isSwim(e, t))
        return;
    Athlete &a = words.isEmpty() ? standIn(c, gender) : athlete(c, words, e, t, gender);
    if (isSwim(e, t))
        a.swims.append({e, t});
}

// The same name with the same date of birth in one team is one swimmer,
// one for each sex its events give: a name in both girls' and boys'
// events becomes two athletes, so neither sex is claimed for the other's
// swims. A mixed event joins the name's first athlete.
Athlete &Entries::athlete(Club &c, const QStringList &words, int e, int t, const QString &gender)
{
    // The full stored date keeps its century; a date of birth that does
    // not read as a date is not guessed beyond the year it may hold.
    QDate born = GalaRules::BirthDate(m_gala, e, t, m_galaDay);
    if (!born.isValid())
        born = yearOnly(m_gala.LaneDoB(e, t));
    const QString whole = words.join(QLatin1Char(' '));
    for (Athlete &a : c.athletes) {
        if (a.whole == whole && a.born == born && (gender.isEmpty() || a.gender == gender))
            return a;
    }
    Athlete a;
    a.id = ++m_lastId;
    // Every word before the last is the first name: "Mary Ann" / "Smith".
    a.first = words.size() > 1 ? words.mid(0, words.size() - 1).join(QLatin1Char(' '))
                               : Lenex::UnknownName;
    a.last = words.last();
    a.whole = whole;
    a.born = born;
    a.gender = gender;
    c.athletes.append(a);
    return c.athletes.last();
}

// A date of birth typed as a year alone (or with a year of four digits
// in a text that is no date) is known to that year only.
QDate Entries::yearOnly(const QString &typed) const
{
    static const QRegularExpression fourDigits(QStringLiteral("(?<!\\d)(\\d{4})(?!\\d)"));
    const QRegularExpressionMatch m = fourDigits.match(typed);
    if (!m.hasMatch())
        return {};
    const int year = m.captured(1).toInt();
    if (year < 1900 || (m_galaDay.isValid() && year > m_galaDay.year()))
        return {};
    return QDate(year, 1, 1);
}

// Unnamed swims of a team belong to one stand-in athlete named after the
// team, so that no result is lost; one per sex, as for named swimmers.
Athlete &Entries::standIn(Club &c, const QString &gender)
{
    for (Athlete &a : c.athletes) {
        if (a.whole.isEmpty() && (gender.isEmpty() || a.gender == gender))
            return a;
    }
    Athlete a;
    a.id = ++m_lastId;
    a.first = Lenex::StandInFirstName;
    a.last = c.name;
    a.gender = gender;
    c.athletes.append(a);
    return c.athletes.last();
}

} // namespace Lenex
