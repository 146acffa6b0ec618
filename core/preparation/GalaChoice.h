#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class Database;
class Dialogs;
struct SharedState;

// What the set-up screen shows about the chosen programme code and gala
// date, and the choices it hands on through the shared state.
class GalaChoice
{
public:
    explicit GalaChoice(SharedState &shared);

    // Every programme code of Gala_Name, in table order.
    QStringList meetCodes();

    // The details of `code`: description, notes and event count. Also takes
    // the code's dated galas and makes `code` the ProgCode. No code gives
    // nothing and changes nothing.
    std::optional<QString> meetDetails(const QString &code);

    // The dates of the code last shown, in table order (line k - 1 is date k).
    QStringList dates() const;

    // The details of date line `dateIndex` (counted from 1; 0 for none):
    // date, promoter, grading and team count. Sets GalaDate, Promoter,
    // Graded and LastGalaDate. Before any code was shown there is no gala
    // to describe: it gives "" and changes nothing.
    QString eventDetails(int dateIndex);

    // Chooses the gala of `code` held on `day` in one call, as clicking the
    // code and then the date would (the first line of that date).
    enum class Found
    {
        Chosen,
        UnknownCode,
        UnknownDate,
    };
    Found choose(const QString &code, const QDate &day);

    // Counts from the last details shown.
    int eventCount() const { return m_eventCount; }
    int teamCount() const { return m_teamCount; }

    // True when the recording sheet can open for the chosen gala; else
    // false with the reason in `refusal`.
    [[nodiscard]] bool readyToRecord(QString *refusal);

    // An existing database file chosen in the file chooser, or nothing after
    // "No Database selected".
    std::optional<QString> chooseDatabase(Dialogs &dialogs, const QString &caption);

    static int countEvents(Database &db, const QString &code);
    static int countTeams(Database &db, const QString &code, const QString &date);

private:
    SharedState &m_shared;
    bool m_haveLists = false;
    // Entry 0 stands for "no date chosen" and stays empty.
    QStringList m_dateList;
    QStringList m_promoterList;
    std::vector<bool> m_gradedList;
    int m_eventCount = 0;
    int m_teamCount = 0;
};
