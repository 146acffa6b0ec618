#pragma once

#include "core/values/Slots.h"

#include <QObject>
#include <QString>

struct SharedState;
struct GalaState;
class Dialogs;

// What made the sheet save the gala: saves are told apart in what follows
// them (the save history, publishing).
enum class SaveAction : int
{
    NextEvent,    // "Next Event"
    EventBoxLeft, // the event number box was left
    Save,         // "Save"
    Exit,         // "Exit"
    Restore,      // an earlier save made current again
};

// The recording sheet without widgets: the texts of its 17 rows of boxes and
// of the event number box, and the change handling that chains a typed time
// to positions, points and team totals. A setter runs the change handling
// only when the text really changes, as a text box does. The GalaRecSheet
// window mirrors this model both ways; reports and links read it.
class SheetModel : public QObject
{
    Q_OBJECT
public:
    static constexpr int Rows = 17;

    // The text boxes of one row, in the order Tab visits them.
    enum Column
    {
        Time,
        Position,
        Points,
        Total,
        Notes,
        SwimmerName,
        DoB,
        Club,
        ColumnCount
    };

    SheetModel(SharedState &shared, GalaState &gala, Dialogs &dialogs, QObject *parent = nullptr);

    // Box texts of row r (0 .. 16); row r shows team index r + 1.
    QString text(Column column, int row) const;
    // Sets a box text; runs its change handling when the text differs.
    void setText(Column column, int row, const QString &text);

    // The BU check box of a row.
    bool bu(int row) const;
    void setBu(int row, bool ticked);

    // Row labels: heat:lane caption and team name; rows past NoOfTeams are hidden.
    QString laneCaption(int row) const;
    QString teamNameCaption(int row) const;
    bool rowVisible(int row) const;

    // The event number box and the event heading.
    QString evNo() const { return m_evNo; }
    void setEvNo(const QString &text);
    QString eventDetails() const { return m_eventDetails; }
    // A short notice the sheet shows without stopping the desk (a time box
    // left holding words), "" for none.
    QString hint() const { return m_hint; }
    // False after an event number outside the programme: the rows then
    // belong to no event and take no typing.
    bool eventShown() const { return m_eventShown; }
    // The event index the handlers use: the leading number of the box.
    int currentEvent() const;

    // Fills the row labels from the gala state (after the gala is loaded).
    void setUpRows();

    // Brings event e onto the rows; "Invalid Event Number" outside the programme.
    void ShowEvent(int e);
    // Leaving a time box: normalise, ask the disqualification reason, rank.
    void TimeLostFocus(int row);
    // Leaving a position box: what it holds is the position a refused slip
    // goes back to.
    void PositionLostFocus(int row);
    // Leaving a date-of-birth box: store it when not empty.
    void DobLostFocus(int row);
    // Leaving the event number box: save, then show the typed event.
    void EvNoLostFocus();
    // "Next Event": save, then show the event after the current one.
    void NextEvent();
    // Writes the whole gala to the gala database; false (after telling the
    // official) when the database refused it. A save that succeeded is
    // announced with resultsSaved.
    bool SaveResults(SaveAction action);

    // Ranks every row of the shown event by its time.
    void RankByTimes();

signals:
    void textChanged(SheetModel::Column column, int row);
    void buChanged(int row);
    void evNoChanged();
    void eventDetailsChanged();
    void eventShownChanged();
    // An event of the programme was brought onto the rows.
    void eventBroughtUp();
    void hintChanged();
    // Row captions or visibility changed (setUpRows).
    void rowsChanged();
    // The gala database now holds the gala as the sheet has it.
    void resultsSaved(SaveAction action);

private:
    // Change handling of one box, run by setText when its text changes.
    void TimeChanged(int row);
    void PositionChanged(int row);
    void PointsChanged(int row, const QString &previous);
    // Why a typed position cannot be taken for team index t, "" when it can:
    // a place is a number from 1 to NoOfScoringTeams, and only for scoring
    // teams.
    QString positionRefusal(int t, const QString &positionText) const;
    void setHint(const QString &hint);
    void StoreText(Column column, int row);

    // The event index and team index a row's handler works on; false when
    // either lies outside the gala (the arrays are then left alone).
    bool laneOf(int row, int &e, int &t) const;
    int shownTeams() const;
    void setEventDetails(const QString &heading, bool shown);

    SharedState &m_shared;
    GalaState &m_gala;
    Dialogs &m_dialogs;
    Slots<Slots<QString>> m_text{Rows, Slots<QString>(ColumnCount)};
    Slots<bool> m_bu{Rows};
    QString m_evNo;
    QString m_eventDetails;
    bool m_eventShown = false;
    bool m_showingEvent = false; // ShowEvent is writing stored results into the boxes
    QString m_hint;
    // The position each box held before the official began typing in it: what
    // the program wrote there, or what was typed when the box was last left.
    Slots<QString> m_positionHeld{Rows};
    Slots<QString> m_laneCaption{Rows};
    Slots<QString> m_teamNameCaption{Rows};
    Slots<bool> m_visible{Rows};
};
