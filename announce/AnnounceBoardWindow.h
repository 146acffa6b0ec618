#pragma once

#include "core/links/AnnouncementBoardModel.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QTimer;

// The announcer's board: the messages the recording desk posts, in large
// type, one column per priority, newest first, the newest of all marked.
// It polls the announcer database twice a second and never writes to it.
class AnnounceBoardWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AnnounceBoardWindow(const QString &path, QWidget *parent = nullptr);

    // Reads the database now (the timer does it twice a second).
    void refresh();

    const AnnouncementBoardModel &board() const { return m_board; }

private:
    void showGroups();

    AnnouncementBoardModel m_board;
    QLabel *m_status = nullptr;
    QLabel *m_notice = nullptr; // a file that is no announcer database, in large type
    QHBoxLayout *m_columns = nullptr;
    QTimer *m_timer = nullptr;
};
