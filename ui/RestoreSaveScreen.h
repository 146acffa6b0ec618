#pragma once

#include "core/sheet/SaveHistory.h"

#include <QDialog>

class QTreeWidget;
struct SharedState;
class Dialogs;

// "Restore Previous Save": the chosen gala's saves, newest first; "Restore"
// makes the selected one the current results after asking.
class RestoreSaveScreen : public QDialog
{
    Q_OBJECT
public:
    RestoreSaveScreen(SharedState &shared, Dialogs &dialogs, const QList<SaveHistory::Entry> &saves,
                      QWidget *parent = nullptr);

private:
    void restore();

    SharedState &m_shared;
    Dialogs &m_dialogs;
    QList<SaveHistory::Entry> m_saves;
    QTreeWidget *m_list = nullptr;
};
