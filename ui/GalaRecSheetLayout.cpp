// The recording sheet's widgets: the menus, the rows of boxes and the buttons.
#include "ui/GalaRecSheet.h"

#include "core/links/Announcer.h"
#include "core/reports/ReportCatalogue.h"
#include "ui/GalaRecSheetColumns.h"
#include "ui/ScreenParts.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace SheetColumns;

namespace {

// Grid columns: heat:lane, team name, then the boxes with BU after Total.
constexpr int LaneCol = 0;
constexpr int TeamCol = 1;
constexpr int BuCol = 6;
int gridColumn(int column)
{
    return column <= SheetModel::Total ? column + 2 : column + 3;
}

QString nameOf(const char *design, int row)
{
    return QLatin1String(design) + QLatin1Char('_') + QString::number(row);
}

// Windows line ends as the announcer gets them; the box wants plain ones.
QString boxText(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return NamedButton(parent, QLatin1String(name), caption);
}

} // namespace

void GalaRecSheet::buildMenus(QVBoxLayout *outer)
{
    auto *bar = new QMenuBar(this);
    outer->setMenuBar(bar);
    struct Entry
    {
        const char *name;
        const char *caption;
    };
    auto addMenu = [&](const char *name, const char *caption, std::initializer_list<Entry> items) {
        QMenu *menu = bar->addMenu(tr(caption));
        menu->setObjectName(QLatin1String(name));
        for (const Entry &item : items) {
            QAction *a = menu->addAction(tr(item.caption));
            a->setObjectName(QLatin1String(item.name));
            // An entry stays disabled until its feature binds it.
            a->setEnabled(false);
        }
    };
    addMenu("Print_Menu", "Print", {{"Printsetup", "Printer Set-up"}});
    auto *print = bar->findChild<QMenu *>(QStringLiteral("Print_Menu"));
    for (const ReportCatalogue::Report &report : ReportCatalogue::All()) {
        // The speeding tickets have the sheet's button instead.
        if (QLatin1String(report.objectName) == QLatin1String("Speeding"))
            continue;
        QAction *a = print->addAction(ReportCatalogue::Name(report));
        a->setObjectName(QLatin1String(report.objectName));
        a->setEnabled(false);
    }
    addMenu("WEB_Menu", "WEB",
            {{"WEB_Results_Sheet", "Results Sheet"}, {"WEB_Team_Results", "Team Results"}});
    addMenu("Export_menu", "Export",
            {{"Export_ASA_Rankings", "ASA Ranking Files"},
             {"Data_for_Program", "Data for Competition Program"},
             {"Export_Lenex", "Lenex Results File"}});
}

void GalaRecSheet::buildRows(QGridLayout *grid)
{
    for (int c = 0; c < SheetModel::ColumnCount; ++c) {
        auto *heading = new QLabel(tr(Columns[c].heading), this);
        heading->setObjectName(QLatin1String(Columns[c].label));
        grid->addWidget(heading, 0, gridColumn(c));
    }
    m_buHeading = new QLabel(tr("BU"), this);
    m_buHeading->setObjectName(QStringLiteral("Label6"));
    grid->addWidget(m_buHeading, 0, BuCol);

    QFont narrow(QStringLiteral("Arial Narrow"));
    narrow.setStretch(QFont::Condensed);
    const QFontMetrics metrics(font());
    for (int r = 0; r < SheetModel::Rows; ++r) {
        const int gridRow = r + 1;
        m_lane[r] = new QLabel(this);
        m_lane[r]->setObjectName(nameOf("Lane", r));
        grid->addWidget(m_lane[r], gridRow, LaneCol);

        m_teamName[r] = new QLabel(this);
        m_teamName[r]->setObjectName(nameOf("TeamName", r));
        m_teamName[r]->setFont(narrow);
        m_teamName[r]->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('x')) * 16);
        grid->addWidget(m_teamName[r], gridRow, TeamCol);

        for (int c = 0; c < SheetModel::ColumnCount; ++c) {
            auto *box = new QLineEdit(this);
            box->setObjectName(nameOf(Columns[c].name, r));
            box->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('0')) * Columns[c].chars +
                                 12);
            const auto column = SheetModel::Column(c);
            // Every change reaches the model, typed or not (a screen reader,
            // dictation, code); the model's own changes are not sent back.
            connect(box, &QLineEdit::textChanged, this, [this, column, r](const QString &text) {
                if (!m_mirroring)
                    Guarded(m_dialogs, [&] { m_model.setText(column, r, text); });
            });
            if (column == SheetModel::Time || column == SheetModel::Position ||
                column == SheetModel::DoB || column == SheetModel::SwimmerName)
                box->installEventFilter(this);
            m_box[c][r] = box;
            grid->addWidget(box, gridRow, gridColumn(c));
        }

        m_bu[r] = new QCheckBox(this);
        m_bu[r]->setObjectName(nameOf("BU", r));
        // Tab runs along the result boxes; the tick is a click of its own.
        m_bu[r]->setFocusPolicy(Qt::ClickFocus);
        connect(m_bu[r], &QCheckBox::clicked, this,
                [this, r](bool ticked) { Guarded(m_dialogs, [&] { m_model.setBu(r, ticked); }); });
        grid->addWidget(m_bu[r], gridRow, BuCol, Qt::AlignCenter);
    }
    for (int c = 0; c < SheetModel::ColumnCount; ++c)
        grid->setColumnStretch(gridColumn(c), Columns[c].chars);
}

void GalaRecSheet::buildControls(QVBoxLayout *outer)
{
    auto *bottom = new QHBoxLayout;
    outer->addLayout(bottom);

    auto *left = new QVBoxLayout;
    bottom->addLayout(left, 3);
    auto *eventRow = new QHBoxLayout;
    left->addLayout(eventRow);
    auto *label5 = new QLabel(tr("Event Number"), this);
    label5->setObjectName(QStringLiteral("Label5"));
    m_evNo = new QLineEdit(this);
    m_evNo->setObjectName(QStringLiteral("EvNo"));
    m_evNo->setAccessibleName(tr("Event Number"));
    m_evNo->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6 + 12);
    label5->setBuddy(m_evNo);
    m_evNo->installEventFilter(this);
    connect(m_evNo, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_mirroring)
            Guarded(m_dialogs, [&] { m_model.setEvNo(text); });
    });
    m_eventDetails = new QLabel(this);
    m_eventDetails->setObjectName(QStringLiteral("EventDetails"));
    auto *aresTime = new QLabel(this);
    aresTime->setObjectName(QStringLiteral("Ares_time_ty"));
    eventRow->addWidget(label5);
    eventRow->addWidget(m_evNo);
    eventRow->addWidget(m_eventDetails, 1);
    eventRow->addWidget(aresTime);

    // Notices that need no answer, such as words left in a time box.
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("Hint"));
    m_hint->setWordWrap(true);
    left->addWidget(m_hint);

    m_scores = new QPlainTextEdit(this);
    m_scores->setObjectName(QStringLiteral("DURUZ_IC_Scores"));
    m_scores->setAccessibleName(tr("Scores"));
    m_scores->setReadOnly(true);
    m_scores->setTabChangesFocus(true);
    m_scores->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    m_scores->setFont(fixed);
    left->addWidget(m_scores);

    auto *buttons = new QGridLayout;
    bottom->addLayout(buttons, 2);
    QPushButton *next = button(this, "Next_Event", tr("Next Event"));
    QPushButton *save = button(this, "Command3", tr("Save"));
    QPushButton *exit = button(this, "Command2", tr("Exit"));
    m_onlineTimes = button(this, "Command7", tr("Get Online Times"));
    QPushButton *result = button(this, "Command8", tr("Result to Announcer"));
    QPushButton *points = button(this, "Command9", tr("Point Scores to Announcer"));
    QPushButton *duruz =
        button(this, "Command6", tr("Update DURUZ IC Scores and Send to Announcer"));
    QPushButton *heats = button(this, "HeatList", tr("Heats List to Announcer"));
    QPushButton *speeding = button(this, "Speeding", tr("Speeding Tkts"));
    m_onlineTimes->setVisible(m_online);

    buttons->addWidget(next, 0, 0);
    buttons->addWidget(save, 0, 1);
    buttons->addWidget(exit, 0, 2);
    buttons->addWidget(result, 1, 0);
    buttons->addWidget(points, 1, 1);
    buttons->addWidget(m_onlineTimes, 1, 2);
    buttons->addWidget(duruz, 2, 0, 1, 2);
    buttons->addWidget(heats, 3, 0);
    buttons->addWidget(speeding, 3, 1);
    buttons->setRowStretch(4, 1);

    connect(next, &QPushButton::clicked, this, guarded([this] { m_model.NextEvent(); }));
    connect(save, &QPushButton::clicked, this,
            guarded([this] { m_model.SaveResults(SaveAction::Save); }));
    connect(exit, &QPushButton::clicked, this, &GalaRecSheet::exitSheet);
    connect(result, &QPushButton::clicked, this,
            guarded([this] { ResultToAnnouncer(m_shared, m_gala, m_model, m_dialogs); }));
    connect(points, &QPushButton::clicked, this,
            guarded([this] { PointScoresToAnnouncer(m_shared, m_gala, m_model, m_dialogs); }));
    connect(duruz, &QPushButton::clicked, this, guarded([this] {
                m_scores->setPlainText(
                    boxText(UpdateCompetitionScores(m_shared, m_gala, m_dialogs)));
            }));
}

void GalaRecSheet::setTabChain()
{
    // A whole heat can be typed without the mouse: along a row, then on to
    // the next row's time.
    QWidget *previous = m_evNo;
    for (int r = 0; r < SheetModel::Rows; ++r) {
        for (int c = 0; c < SheetModel::ColumnCount; ++c) {
            QWidget::setTabOrder(previous, m_box[c][r]);
            previous = m_box[c][r];
        }
    }
    for (const char *name : {"Next_Event", "Command3", "Command2", "Command8", "Command9",
                             "Command7", "Command6", "HeatList", "Speeding"}) {
        QWidget *w = findChild<QWidget *>(QLatin1String(name));
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    QWidget::setTabOrder(previous, m_scores);
}
