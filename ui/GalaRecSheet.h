#pragma once

#include "core/sheet/SheetModel.h"
#include "core/values/Guarded.h"
#include "core/values/Slots.h"

#include "core/links/SplitTimes.h"

#include <QAction>
#include <QDialog>
#include <QString>

class QCheckBox;
class QEvent;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;
struct SharedState;
struct GalaState;
struct OnlineTimes;
class Dialogs;

// The recording sheet: 17 rows of boxes for the team entries of one event,
// the event number, the score buttons and the menus. It only mirrors its
// SheetModel, which holds every text and all change handling.
class GalaRecSheet : public QDialog
{
    Q_OBJECT
public:
    // The gala must already be loaded into `gala`. `online` is the open
    // online-times database when online timing survived the opening, else
    // null; it must outlive the sheet.
    GalaRecSheet(SharedState &shared, GalaState &gala, Dialogs &dialogs, OnlineTimes *online,
                 QWidget *parent = nullptr);

    SheetModel &model() { return m_model; }

    // "Exit", the window frame and every other way out save first; a sheet
    // whose results could not be saved stays open so nothing is lost.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Enter, Down and Up in the time and swimmer-name columns move to the
    // next or previous lane; Enter in the event number shows that event.
    // True when the key was taken.
    bool moveAlongColumn(QObject *watched, const QKeyEvent *key);

private:
    void buildRows(QGridLayout *grid);
    void buildControls(QVBoxLayout *outer);
    void buildMenus(QVBoxLayout *outer);
    void connectModel();
    // "Get Online Times", the BU boxes and "Heats List to Announcer".
    void bindTimingLinks();
    void setTabChain();
    void refreshRows();
    void showText(SheetModel::Column column, int row);
    // Sets a box to the model's text without telling the model again.
    void mirror(QLineEdit *box, const QString &text);
    void showRowsEditable();
    void exitSheet();
    // The "Print" menu and the "Speeding Tkts" button.
    void bindPrinting();
    // The WEB and Export menu entries.
    void bindExports();

    // The split-times reader of this sheet's online-times database.
    SplitTimes splitTimes() const;

    // A slot that runs one user action under the guard: an engine failure is
    // shown and ends the action, and the sheet carries on.
    template <typename Action> auto guarded(Action action)
    {
        return [this, action] { Guarded(m_dialogs, action); };
    }
    // Enables the menu entry of that design name and runs `action` guarded
    // on its trigger.
    template <typename Action> void bindEntry(const char *name, Action action)
    {
        QAction *entry = findChild<QAction *>(QLatin1String(name));
        entry->setEnabled(true);
        connect(entry, &QAction::triggered, this, guarded(action));
    }

    SharedState &m_shared;
    GalaState &m_gala;
    Dialogs &m_dialogs;
    SheetModel m_model;
    OnlineTimes *m_aresTimes; // null when online timing is not in use
    bool m_online;
    bool m_mirroring = false;   // a box is being set from the model
    bool m_evNoEntered = false; // Enter in the event number box is being handled

    Slots<Slots<QLineEdit *>> m_box{SheetModel::ColumnCount, Slots<QLineEdit *>(SheetModel::Rows)};
    Slots<QLabel *> m_lane{SheetModel::Rows};
    Slots<QLabel *> m_teamName{SheetModel::Rows};
    Slots<QCheckBox *> m_bu{SheetModel::Rows};
    QLabel *m_buHeading = nullptr;
    QLineEdit *m_evNo = nullptr;
    QLabel *m_eventDetails = nullptr;
    QLabel *m_hint = nullptr;
    QPlainTextEdit *m_scores = nullptr;
    QPushButton *m_onlineTimes = nullptr;
};

// "Record Results": loads the chosen gala into memory and shows the
// recording sheet modally until the official leaves it.
void RecordResults(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent);
