#include "core/sheet/SheetModel.h"

#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/sheet/SaveResults.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "core/values/SecondCopy.h"
#include "core/values/SharedState.h"

#include <algorithm>

namespace {

bool validRow(int row)
{
    return row >= 0 && row < SheetModel::Rows;
}

} // namespace

SheetModel::SheetModel(SharedState &shared, GalaState &gala, Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_shared(shared), m_gala(gala), m_dialogs(dialogs)
{
    // Every save that stored the gala is copied to the second folder too.
    connect(this, &SheetModel::resultsSaved, this,
            [this] { RequestSecondCopy(m_shared, m_dialogs); });
}

QString SheetModel::text(Column column, int row) const
{
    if (!validRow(row) || column < 0 || column >= ColumnCount)
        return QString();
    return m_text[row][column];
}

void SheetModel::setText(Column column, int row, const QString &text)
{
    if (!validRow(row) || column < 0 || column >= ColumnCount)
        return;
    QString &box = m_text[row][column];
    if (box == text)
        return; // a text box raises no change for the same text
    const QString previous = box;
    box = text;
    emit textChanged(column, row);
    switch (column) {
    case Time:
        TimeChanged(row);
        break;
    case Position:
        PositionChanged(row);
        break;
    case Points:
        PointsChanged(row, previous);
        break;
    case Notes:
    case SwimmerName:
    case Club:
        StoreText(column, row);
        break;
    case Total:
    case DoB: // stored only when the box is left
    case ColumnCount:
        break;
    }
}

bool SheetModel::bu(int row) const
{
    return validRow(row) && m_bu[row];
}

void SheetModel::setBu(int row, bool ticked)
{
    if (!validRow(row) || m_bu[row] == ticked)
        return;
    m_bu[row] = ticked;
    emit buChanged(row);
}

QString SheetModel::laneCaption(int row) const
{
    return validRow(row) ? m_laneCaption[row] : QString();
}

QString SheetModel::teamNameCaption(int row) const
{
    return validRow(row) ? m_teamNameCaption[row] : QString();
}

bool SheetModel::rowVisible(int row) const
{
    return validRow(row) && m_visible[row];
}

void SheetModel::setEvNo(const QString &text)
{
    if (m_evNo == text)
        return;
    m_evNo = text;
    emit evNoChanged();
}

int SheetModel::currentEvent() const
{
    return PBUTIL::LeadingWhole(m_evNo);
}

int SheetModel::shownTeams() const
{
    // A gala is refused before it has more entries than rows; this keeps
    // every loop on the sheet's own rows whatever the state holds.
    return std::clamp(m_gala.NoOfTeams, 0, Rows);
}

bool SheetModel::laneOf(int row, int &e, int &t) const
{
    e = currentEvent();
    t = row + 1;
    // An event number outside the programme (typed but refused by ShowEvent)
    // or a hidden row belongs to no lane: the arrays are not touched.
    return e >= 1 && e <= m_gala.NoOfEvents && t >= 1 && t <= shownTeams();
}

void SheetModel::setUpRows()
{
    const int n = shownTeams();
    for (int r = 0; r < Rows; ++r) {
        const int t = r + 1;
        const bool shown = r < n;
        m_visible[r] = shown;
        if (!shown)
            continue;
        m_teamNameCaption[r] = m_gala.TeamName[t];
        m_laneCaption[r] = PBUTIL::FormatHash(m_gala.TeamHeat[t]) + QLatin1Char(':') +
                           PBUTIL::FormatHash(m_gala.TeamLane[t]);
        setText(Total, r, PBUTIL::FormatHash(m_gala.TeamTotal[t]));
    }
    emit rowsChanged();
}

// ------------------------------------------------------------ change handling

void SheetModel::TimeChanged(int row)
{
    int e, t;
    if (!laneOf(row, e, t))
        return;
    m_gala.LaneTime(e, t) = text(Time, row);
    RankByTimes();
}

void SheetModel::RankByTimes()
{
    const int e = currentEvent();
    if (e < 1 || e > m_gala.NoOfEvents)
        return;
    const int n = shownTeams();
    const auto scoring = [this](int t) { return bool(m_gala.TeamScoring[t]); };

    // 1-based working lists: the time at each place and the team holding it.
    Slots<float> time(n + 1);
    Slots<int> team(n + 1);
    for (int t = 1; t <= n; ++t) {
        time[t] = GalaRules::SwimTime(text(Time, t - 1));
        team[t] = t;
    }
    // In a time graded gala a swim faster than the grade time gets no place.
    if (m_shared.graded()) {
        const float limit = PBUTIL::TimeFromText(m_gala.EventTime[e]);
        for (int t = 1; t <= n; ++t) {
            if (time[t] < limit)
                time[t] = 0.0f;
        }
    }

    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            const float ti = time[i], tj = time[j];
            const bool jScoring = scoring(team[j]);
            const bool jFirst = !scoring(team[i]) || (jScoring && ti == 0.0f) ||
                                (jScoring && ti != 0.0f && tj != 0.0f && tj < ti);
            if (jFirst) {
                std::swap(time[i], time[j]);
                std::swap(team[i], team[j]);
            }
        }
    }

    for (int k = 1; k <= n; ++k) {
        const int t = team[k];
        QString position;
        if (scoring(t) && time[k] > 0.0f)
            position = PBUTIL::FormatHash(k);
        else if (scoring(t) && GalaRules::SwimTime(text(Time, t - 1)) > 0.0f)
            position = QStringLiteral("TF");
        setText(Position, t - 1, position);
        m_positionHeld[t - 1] = position;
    }
}

void SheetModel::PositionLostFocus(int row)
{
    if (validRow(row))
        m_positionHeld[row] = text(Position, row);
}

QString SheetModel::positionRefusal(int t, const QString &positionText) const
{
    // Empty, "TF" or any text without a number is no position and always fine.
    if (PBUTIL::LeadingNumber(positionText) == 0.0)
        return QString();
    const int n = m_gala.NoOfScoringTeams;
    if (!m_gala.TeamScoring[t])
        return tr("%1 is a non-scoring team and takes no position: positions run from 1 to %2, "
                  "for the scoring teams only.")
            .arg(m_gala.TeamName[t])
            .arg(n);
    // The whole text must read as the number: "1:05.23", a time typed one box
    // too far, is no place 1.
    bool isNumber = false;
    const double place = positionText.trimmed().toDouble(&isNumber);
    if (isNumber && place >= 1.0 && place <= n)
        return QString();
    return tr("Position %1 is out of range: positions run from 1 to %2, the number of scoring "
              "teams.")
        .arg(positionText.trimmed())
        .arg(n);
}

void SheetModel::PositionChanged(int row)
{
    int e, t;
    if (!laneOf(row, e, t))
        return;
    const QString positionText = text(Position, row);
    // A slip (the next lane's time typed one box too far) must not score:
    // the box goes back to what it held before the typing began, so the
    // keystrokes on the way ("4" of "45.20") score nothing either. Stored
    // results are shown as stored.
    if (!m_showingEvent) {
        const QString refusal = positionRefusal(t, positionText);
        if (!refusal.isEmpty()) {
            m_dialogs.message(refusal);
            m_showingEvent = true; // what the box held is taken as it stands
            setText(Position, row, m_positionHeld[row]);
            m_showingEvent = false;
            return;
        }
    }
    const double p = PBUTIL::LeadingNumber(positionText);
    const QString &scheme = m_gala.EventScoring[e];
    QString points;
    if (p > 0.0 && scheme != QLatin1String("0")) {
        // Never below nothing, even for a position stored before it was checked.
        float value = std::max(0.0f, float(m_gala.NoOfScoringTeams) + 1.0f - float(p));
        if (scheme == QLatin1String("2X"))
            value *= 2.0f;
        points = PBUTIL::NumberText(value);
    }
    setText(Points, row, points);
    m_gala.LanePos(e, t) = PBUTIL::LeadingWhole(positionText);
}

void SheetModel::PointsChanged(int row, const QString &previous)
{
    int e, t;
    if (!laneOf(row, e, t))
        return;
    if (!m_showingEvent && PBUTIL::LeadingNumber(text(Points, row)) < 0.0) {
        m_dialogs.message(tr("Points cannot be negative."));
        setText(Points, row, previous);
        return;
    }
    m_gala.LanePoints(e, t) = float(PBUTIL::LeadingNumber(text(Points, row)));
    const float total = GalaRules::CumulativePoints(m_gala, t, m_gala.NoOfEvents);
    m_gala.TeamTotal[t] = total;
    setText(Total, row, PBUTIL::NumberText(total));
}

void SheetModel::StoreText(Column column, int row)
{
    int e, t;
    if (!laneOf(row, e, t))
        return;
    const QString value = text(column, row);
    if (column == Notes)
        m_gala.LaneNotes(e, t) = value;
    else if (column == SwimmerName)
        m_gala.LaneName(e, t) = value;
    else if (column == Club)
        m_gala.LaneClub(e, t) = value;
}

void SheetModel::TimeLostFocus(int row)
{
    if (!validRow(row))
        return;
    const QString typed = text(Time, row);
    const float time = GalaRules::SwimTime(typed);
    // Words such as "abc" are kept as typed; the sheet says, without stopping
    // the desk, that they count as no swim.
    int e, t;
    const bool inGala = laneOf(row, e, t);
    const bool words = inGala && time <= 0.0f && !typed.trimmed().isEmpty() &&
                       !GalaRules::IsDisqualification(typed);
    setHint(words ? tr("\"%1\" in heat %2 lane %3 is not a time: it counts as no swim.")
                        .arg(typed, QString::number(m_gala.TeamHeat[t]),
                             QString::number(m_gala.TeamLane[t]))
                  : QString());
    if (time > 0.0f) {
        const PBUTIL::TimeText written = PBUTIL::TimeToText(time);
        if (written.invalid)
            m_dialogs.message(tr("Invalid Time"));
        setText(Time, row, written.text);
    }
    if (typed == QLatin1String("D")) {
        const QString reason = m_dialogs.input(tr("Enter reason for Disqualification"));
        if (!reason.isEmpty())
            setText(Notes, row, reason);
    }
    if (!inGala)
        return;
    m_gala.LaneTime(e, t) = text(Time, row);
    RankByTimes();
}

void SheetModel::DobLostFocus(int row)
{
    int e, t;
    if (!laneOf(row, e, t))
        return;
    const QString dob = text(DoB, row);
    if (dob.isEmpty())
        return; // clearing the box keeps the stored date of birth
    // A text that is no date could never be saved; the box goes back to the
    // stored date so the sheet keeps showing what will be saved.
    if (!PBUTIL::ReadDate(dob).isValid()) {
        m_dialogs.message(tr("Invalid Date of Birth"));
        setText(DoB, row, m_gala.LaneDoB(e, t));
        return;
    }
    m_gala.LaneDoB(e, t) = dob;
}

// ------------------------------------------------------------ events

void SheetModel::setHint(const QString &hint)
{
    if (m_hint == hint)
        return;
    m_hint = hint;
    emit hintChanged();
}

void SheetModel::ShowEvent(int e)
{
    setEvNo(PBUTIL::FormatHash(e));
    setHint(QString());
    if (e < 1 || e > m_gala.NoOfEvents) {
        // The heading says why the rows take no typing until a valid number.
        setEventDetails(tr("Invalid Event Number"), false);
        m_dialogs.message(tr("Invalid Event Number"));
        return;
    }
    setEventDetails(tr("Event %1 %2 %3m %4")
                        .arg(m_gala.EventNo[e], m_gala.EventSexAge[e], m_gala.EventDistance[e],
                             m_gala.EventStroke[e]),
                    true);
    // Every write goes through the box, so a changed time re-ranks the event
    // and changed positions and points bring points and totals into line.
    const int n = shownTeams();
    const bool outer = m_showingEvent;
    m_showingEvent = true;
    for (int t = 1; t <= n; ++t) {
        const int r = t - 1;
        setText(Time, r, m_gala.LaneTime(e, t));
        setText(Position, r, PBUTIL::FormatHash(m_gala.LanePos(e, t)));
        m_positionHeld[r] = text(Position, r);
        setText(Points, r, PBUTIL::TrimmedNumberText(m_gala.LanePoints(e, t)));
        setText(Total, r, PBUTIL::TrimmedNumberText(m_gala.TeamTotal[t]));
        setText(Notes, r, m_gala.LaneNotes(e, t));
        setText(SwimmerName, r, m_gala.LaneName(e, t));
        setText(DoB, r, m_gala.LaneDoB(e, t));
        setText(Club, r, m_gala.LaneClub(e, t));
        setBu(r, false);
    }
    m_showingEvent = outer;
    emit eventBroughtUp();
}

void SheetModel::setEventDetails(const QString &heading, bool shown)
{
    if (m_eventDetails != heading) {
        m_eventDetails = heading;
        emit eventDetailsChanged();
    }
    if (m_eventShown != shown) {
        m_eventShown = shown;
        emit eventShownChanged();
    }
}

void SheetModel::EvNoLostFocus()
{
    SaveResults(SaveAction::EventBoxLeft);
    ShowEvent(currentEvent());
}

void SheetModel::NextEvent()
{
    SaveResults(SaveAction::NextEvent);
    int current = 0;
    for (int i = 1; i <= m_gala.NoOfEvents; ++i) {
        if (m_gala.EventNo[i] == m_evNo) {
            current = i;
            break;
        }
    }
    if (current == 0) {
        m_dialogs.message(tr("Current event number is invalid"));
        return;
    }
    if (current == m_gala.NoOfEvents) {
        m_dialogs.message(tr("This is the last event"));
        return;
    }
    setEvNo(m_gala.EventNo[current + 1]);
    ShowEvent(currentEvent());
}

bool SheetModel::SaveResults(SaveAction action)
{
    if (!m_shared.GalaDb) {
        m_dialogs.message(tr("Results not saved: the gala database is not open"));
        return false;
    }
    try {
        ResultStore::SaveResults(*m_shared.GalaDb, m_shared.ProgCode, m_shared.GalaDate, m_gala,
                                 {action, m_evNo});
    } catch (const EngineError &error) {
        // Nothing was stored; the gala stays in memory for another try.
        m_dialogs.message(tr("Results not saved: ") + error.message());
        return false;
    }
    emit resultsSaved(action);
    return true;
}
