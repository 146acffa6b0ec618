#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
struct SharedState;
class Dialogs;

// Adds dated galas of ProgCode to Gala_Date, one per "Add New Date", and
// stays open for the next.
class AddGalaDate : public QDialog
{
    Q_OBJECT
public:
    AddGalaDate(SharedState &shared, Dialogs &dialogs, QWidget *parent = nullptr);

private:
    void addDate();

    SharedState &m_shared;
    Dialogs &m_dialogs;
    QLineEdit *m_date = nullptr;
    QLineEdit *m_pool = nullptr;
    QLineEdit *m_promoter = nullptr;
    QLineEdit *m_length = nullptr;
    QCheckBox *m_graded = nullptr;
};
