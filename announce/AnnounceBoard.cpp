#include "announce/AnnounceBoard.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayoutItem>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The desk's texts are laid out in fixed-width columns.
QFont boardFont(int points)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(points);
    return font;
}

constexpr int PollMs = 500;

} // namespace

AnnounceBoard::AnnounceBoard(const QString &path, QWidget *parent) : QWidget(parent), m_board(path)
{
    setObjectName(QStringLiteral("AnnounceBoard"));
    setWindowTitle(tr("Announcer : %1").arg(path));
    auto *outer = new QVBoxLayout(this);
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("BoardNotice"));
    m_notice->setFont(boardFont(28));
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->hide();
    outer->addWidget(m_notice);
    m_columns = new QHBoxLayout;
    outer->addLayout(m_columns, 1);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("BoardStatus"));
    m_status->setAccessibleName(tr("Status"));
    outer->addWidget(m_status);

    m_timer = new QTimer(this);
    m_timer->setInterval(PollMs);
    connect(m_timer, &QTimer::timeout, this, &AnnounceBoard::refresh);
    m_timer->start();
    refresh();
}

void AnnounceBoard::refresh()
{
    QString error;
    bool changed = false;
    if (!m_board.refresh(error, changed)) {
        // The messages read before stay up while the file is busy or away;
        // the wrong file is said across the board, where the announcer looks.
        m_status->setText(tr("Cannot read %1: %2").arg(m_board.path(), error));
        m_notice->setText(m_board.wrongFile() ? error : QString());
        m_notice->setVisible(m_board.wrongFile());
        return;
    }
    m_notice->hide();
    m_status->setText(tr("Messages posted: %1    (%2)").arg(m_board.newest()).arg(m_board.path()));
    if (changed)
        showGroups();
}

void AnnounceBoard::showGroups()
{
    while (QLayoutItem *item = m_columns->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const AnnouncementBoard::Group &group : m_board.groups()) {
        auto *column = new QTextBrowser(this);
        column->setObjectName(QStringLiteral("Priority_%1").arg(group.priority));
        const QString heading = AnnouncementBoard::priorityName(group.priority);
        column->setAccessibleName(heading);
        column->setFont(boardFont(20));
        column->setLineWrapMode(QTextEdit::NoWrap);
        QString html = QStringLiteral("<h2>%1</h2>").arg(heading.toHtmlEscaped());
        for (const AnnouncementBoard::Message &m : group.messages) {
            const bool newest = m.number == m_board.newest();
            html += QStringLiteral("<pre style=\"%1\">%2</pre><hr/>")
                        .arg(newest ? QStringLiteral("background-color:#fff3a0;font-weight:bold")
                                    : QString(),
                             m.text.toHtmlEscaped());
        }
        column->setHtml(html);
        m_columns->addWidget(column, 1);
    }
}
