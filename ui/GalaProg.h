#pragma once

#include "core/values/Slots.h"

#include "core/preparation/ProgrammeEditor.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
struct SharedState;
struct GalaState;
class Dialogs;

// "Create/Amend Gala Programme": the programme of ProgCode in a list, six
// boxes for one event, and the list, file and database buttons.
class GalaProg : public QDialog
{
    Q_OBJECT
public:
    GalaProg(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent = nullptr);

    ProgrammeEditor &editor() { return m_editor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Box
    {
        EventNoBox,
        SexAgeBox,
        DistanceBox,
        StrokeBox,
        TimeBox,
        ScoringBox,
        BoxCount
    };

    ProgrammeEvent typedEvent() const;
    int selectedLine() const;
    void rebuildList();
    // Runs one button's action, then shows the programme again.
    template <typename Action> void act(Action &&action);

    Dialogs &m_dialogs;
    ProgrammeEditor m_editor;
    Slots<QLineEdit *> m_box{BoxCount};
    QListWidget *m_list = nullptr;
};
