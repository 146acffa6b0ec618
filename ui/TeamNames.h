#pragma once

#include "core/values/Slots.h"

#include "core/preparation/TeamEntry.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The form of one heat's teams: one row per lane (lane number, team name,
// "No Team", "Non Scoring") and "Done". Closing it by the window frame
// rejects it, which ends the whole team entry.
class TeamNames : public QDialog
{
    Q_OBJECT
public:
    static constexpr int Rows = TeamEntry::MaxLanes;

    explicit TeamNames(QWidget *parent = nullptr);

    // Readies the form for heat `heat` with rows for `lanes` lanes, all empty.
    void prepare(int heat, int lanes);

    // What the official left in the first `lanes` rows.
    std::vector<LaneChoice> choices(int lanes) const;

private:
    Slots<QLabel *> m_laneNo{Rows};
    Slots<QLineEdit *> m_teamName{Rows};
    Slots<QCheckBox *> m_noTeam{Rows};
    Slots<QCheckBox *> m_nonScoring{Rows};
    QPushButton *m_done = nullptr;
};
