#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class Database;
struct GalaState;

// One event of a programme as typed: every field is text.
struct ProgrammeEvent
{
    QString no, sexAge, distance, stroke, time, scoring;
    bool operator==(const ProgrammeEvent &) const = default;
};

// The programme of one gala code, held in the event arrays of the gala
// state (events 1 .. NoOfEvents, room for GalaState::MaxEvents).
class Programme
{
public:
    explicit Programme(GalaState &gala);

    int count() const;
    bool full() const;
    ProgrammeEvent event(int i) const;

    // The list box line of event i: number (with "*" when it scores
    // specially), sex/age, distance with "m" and stroke in fixed widths,
    // then the limit time.
    QString listLine(int i) const;
    QStringList listLines() const;

    // Empty programme with fresh arrays.
    void clear();
    // Refused (false, nothing changed) when the programme is full.
    bool add(const ProgrammeEvent &e);
    // Puts `e` before list line `line` (from 0); refused when full or when
    // no such line exists.
    bool insert(int line, const ProgrammeEvent &e);
    // Removes the event of list line `line`; false when there is none.
    bool remove(int line);
    // Replaces the whole programme; refused when there are too many events.
    bool replace(const std::vector<ProgrammeEvent> &events);

    // The stored programme of `code`, in the order the stored query gives;
    // false when it had more events than the editor holds (the first ones
    // are kept).
    bool load(Database &db, const QString &code);
    // Replaces the stored programme of `code` with this one, all or nothing.
    void store(Database &db, const QString &code) const;

private:
    void set(int i, const ProgrammeEvent &e);

    GalaState &m_gala;
};
