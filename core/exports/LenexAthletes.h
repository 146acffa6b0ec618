#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

struct GalaState;

// Who the athletes of a results file are: the clubs of the gala, the
// swimmers in them and the swims each one made, gathered once before the
// file is written.
namespace Lenex {

constexpr int RelayCount = 4;

// A Lenex stroke for each stroke code; relay codes are the same strokes
// swum by four. The combined strokes have no Lenex stroke of their own.
struct Style
{
    QString stroke;
    int relayCount = 1;
};

Style styleOf(const QString &code);

struct Athlete
{
    int id = 0;
    QString first, last;
    QString whole;  // the name's words joined by one blank; "" for a team's stand-in
    QDate born;     // invalid when the gala does not know it
    QString gender; // F or M; "" while only mixed events named it
    QList<std::pair<int, int>> swims; // (event, team) in programme order
};

struct Club
{
    QString name;
    QList<Athlete> athletes;
    QList<std::pair<int, int>> relays; // relay swims, one relay team each
};

// Clubs, athletes and swims of the gala, gathered once before writing.
class Entries
{
public:
    Entries(const GalaState &g, const QDate &galaDay);

    // A lane holds a swim when anything of its result was recorded.
    bool isSwim(int e, int t) const;

    const QList<Club> &clubs() const { return m_clubs; }

private:
    Club &club(const QString &name);
    // A lane named for an individual event: its swimmer (or the team's
    // stand-in) gets the swim; `gender` is "" for a mixed event.
    void enter(Club &c, int e, int t, const QString &gender);
    Athlete &athlete(Club &c, const QStringList &words, int e, int t, const QString &gender);
    QDate yearOnly(const QString &typed) const;
    Athlete &standIn(Club &c, const QString &gender);

    const GalaState &m_gala;
    QDate m_galaDay;
    QList<Club> m_clubs;
    int m_lastId = 0;
};

} // namespace Lenex
