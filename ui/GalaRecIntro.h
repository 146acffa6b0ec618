#pragma once

#include "core/values/StartUp.h"
#include "core/values/UserFolders.h"

#include <QWidget>

#include <functional>

class QLineEdit;

// The start screen "Gala Recording Module": names the gala database, opens
// it with Enter and hands over to the set-up screen; Exit remembers the
// settings and ends the program.
class GalaRecIntro : public QWidget
{
    Q_OBJECT
public:
    GalaRecIntro(SharedState &shared, Dialogs &dialogs, const UserFolders &folders,
                 QWidget *parent = nullptr);

    // Shows the set-up screen modally once the database is open.
    std::function<void()> openSetUp;

    StartUp &startUp() { return m_startUp; }

protected:
    // Closing by the window frame ends the program without writing the settings.
    void closeEvent(QCloseEvent *event) override;

private:
    void enter();
    void exitProgram();

    StartUp m_startUp;
    QLineEdit *m_dbName;
};
