#include "announce/AnnounceBoardWindow.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayoutItem>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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

// The type of the board, and the smallest it shrinks to.
constexpr double LargestPoints = 20;
constexpr double SmallestPoints = 16;

// One priority's messages. The desk lays its lines out in fixed-width
// columns, so the type shrinks a little until the widest line fits the
// column's width, keeping the columns lined up; where it would have to
// shrink below what reads from a few metres away, the type stays large and
// the lines wrap instead. Either way every mark (" (N/S)" above all) stays
// in sight without scrolling sideways.
class BoardColumn : public QTextBrowser
{
public:
    BoardColumn(const QStringList &lines, QWidget *parent) : QTextBrowser(parent), m_lines(lines)
    {
        setLineWrapMode(QTextEdit::WidgetWidth);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QTextBrowser::resizeEvent(event);
        fitType();
    }

private:
    void fitType()
    {
        // Room for a line: the viewport less the page's and a block's margins.
        const double room = viewport()->width() - 2 * document()->documentMargin() - 8;
        const QFontMetricsF largest(boardFont(int(LargestPoints)));
        double widest = 0;
        for (const QString &line : m_lines)
            widest = std::max(widest, largest.horizontalAdvance(line));
        double points = LargestPoints;
        const double fitting = std::floor(LargestPoints * room / widest * 4) / 4;
        if (widest > room && fitting >= SmallestPoints)
            points = fitting;
        if (font().pointSizeF() == points)
            return;
        QFont type = boardFont(int(LargestPoints));
        type.setPointSizeF(points);
        setFont(type);
        document()->setDefaultFont(type);
    }

    QStringList m_lines; // every line of every message shown
};

} // namespace

AnnounceBoardWindow::AnnounceBoardWindow(const QString &path, QWidget *parent)
    : QWidget(parent), m_board(path)
{
    setObjectName(QStringLiteral("AnnounceBoardWindow"));
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
    connect(m_timer, &QTimer::timeout, this, &AnnounceBoardWindow::refresh);
    m_timer->start();
    refresh();
}

void AnnounceBoardWindow::refresh()
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

void AnnounceBoardWindow::showGroups()
{
    while (QLayoutItem *item = m_columns->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const AnnouncementBoardModel::Group &group : m_board.groups()) {
        QStringList lines;
        for (const AnnouncementBoardModel::Message &m : group.messages)
            lines << m.text.split(QLatin1Char('\n'));
        auto *column = new BoardColumn(lines, this);
        column->setObjectName(QStringLiteral("Priority_%1").arg(group.priority));
        const QString heading = AnnouncementBoardModel::priorityName(group.priority);
        column->setAccessibleName(heading);
        column->setFont(boardFont(int(LargestPoints)));
        QString html = QStringLiteral("<h2>%1</h2>").arg(heading.toHtmlEscaped());
        for (const AnnouncementBoardModel::Message &m : group.messages) {
            const bool newest = m.number == m_board.newest();
            html += QStringLiteral("<pre style=\"white-space:pre-wrap;%1\">%2</pre><hr/>")
                        .arg(newest ? QStringLiteral("background-color:#fff3a0;font-weight:bold")
                                    : QString(),
                             m.text.toHtmlEscaped());
        }
        column->setHtml(html);
        m_columns->addWidget(column, 1);
    }
}
