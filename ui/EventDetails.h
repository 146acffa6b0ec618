#pragma once

#include <QDialog>

class QLineEdit;
struct SharedState;
class Dialogs;

// "Add Event Details": adds gala codes to Gala_Name, one per "Add Event",
// and stays open for the next.
class EventDetails : public QDialog
{
    Q_OBJECT
public:
    EventDetails(SharedState &shared, Dialogs &dialogs, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Empties the code box when the code is already used; true when it was.
    bool refuseUsedCode();
    void addEvent();

    SharedState &m_shared;
    Dialogs &m_dialogs;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_notes = nullptr;
};
