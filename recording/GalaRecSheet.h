#pragma once

#include "recording/SheetModel.h"

#include <QDialog>
#include <QString>

#include <array>

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
class Dialogs;

// The recording sheet: 17 rows of boxes for the team entries of one event,
// the event number, the score buttons and the menus. It only mirrors its
// SheetModel, which holds every text and all change handling.
class GalaRecSheet : public QDialog
{
    Q_OBJECT
public:
    // The gala must already be loaded into `gala`; `online` says whether
    // online timing survived the opening.
    GalaRecSheet(SharedState &shared, GalaState &gala, Dialogs &dialogs, bool online,
                 QWidget *parent = nullptr);

    SheetModel &model() { return m_model; }

    // "Exit", the window frame and every other way out save first; a sheet
    // whose results could not be saved stays open so nothing is lost.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildRows(QGridLayout *grid);
    void buildControls(QVBoxLayout *outer);
    void buildMenus(QVBoxLayout *outer);
    void connectModel();
    void setTabChain();
    void refreshRows();
    void showText(SheetModel::Column column, int row);
    void exitSheet();

    // Runs one user action; an engine failure is shown and ends the action.

    SharedState &m_shared;
    GalaState &m_gala;
    Dialogs &m_dialogs;
    SheetModel m_model;
    bool m_online;

    std::array<std::array<QLineEdit *, SheetModel::Rows>, SheetModel::ColumnCount> m_box{};
    std::array<QLabel *, SheetModel::Rows> m_lane{};
    std::array<QLabel *, SheetModel::Rows> m_teamName{};
    std::array<QCheckBox *, SheetModel::Rows> m_bu{};
    QLabel *m_buHeading = nullptr;
    QLineEdit *m_evNo = nullptr;
    QLabel *m_eventDetails = nullptr;
    QPlainTextEdit *m_scores = nullptr;
    QPushButton *m_onlineTimes = nullptr;
};

// "Record Results": loads the chosen gala into memory and shows the
// recording sheet modally until the official leaves it.
void RecordResults(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent);
