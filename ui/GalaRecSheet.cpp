#include "ui/GalaRecSheet.h"

#include "core/live/LivePublisher.h"

#include "ui/ScreenParts.h"

#include "core/exports/ExportMenu.h"
#include "core/gala/GalaState.h"
#include "core/links/Announcer.h"
#include "core/links/AresOnlineTimes.h"
#include "core/links/HeatList.h"
#include "core/links/OfficialTime.h"
#include "core/links/SplitTimes.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/ReportCatalogue.h"
#include "core/reports/Reports.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/TeamScores.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SharedState.h"
#include "ui/PrintMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Design name, column heading and width in characters of each row box, in
// the model's column order.
struct ColumnDesign
{
    const char *name;
    const char *heading;
    const char *label;
    int chars;
};
constexpr ColumnDesign Columns[SheetModel::ColumnCount] = {
    {"TeamTime", "Time", "Label1", 9},
    {"TeamPosition", "Pos", "Label2", 4},
    {"TeamPts", "Pts", "Label3", 4},
    {"TeamTotPoints", "Total", "Label4", 5},
    {"NOTE", "Notes", "Label8", 18},
    {"Swimmer_Name", "Swimmer Name", "Label9", 20},
    {"Swimmer_Dob", "Date of Birth", "Label10", 9},
    {"Swimmer_Club", "Club", "Label11", 14},
};

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

GalaRecSheet::GalaRecSheet(SharedState &shared, GalaState &gala, Dialogs &dialogs,
                           OnlineTimes *online, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_gala(gala), m_dialogs(dialogs),
      m_model(shared, gala, dialogs), m_aresTimes(online), m_online(online != nullptr)
{
    setObjectName(QStringLiteral("GalaRecSheet"));
    setWindowTitle(tr("Gala Recording : ") + gala.GalaName);

    auto *outer = new QVBoxLayout(this);
    buildMenus(outer);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    outer->addLayout(grid);
    buildRows(grid);
    buildControls(outer);
    setTabChain();
    connectModel();
    bindPrinting();
    bindExports();
    bindTimingLinks();

    // The desk starts typing the first lane's time at once.
    guarded([this] {
        m_model.setUpRows();
        refreshRows();
        m_model.ShowEvent(1);
    })();
}

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

void GalaRecSheet::connectModel()
{
    connect(&m_model, &SheetModel::textChanged, this,
            [this](SheetModel::Column column, int row) { showText(column, row); });
    connect(&m_model, &SheetModel::buChanged, this, [this](int row) {
        if (row >= 0 && row < SheetModel::Rows)
            m_bu[row]->setChecked(m_model.bu(row));
    });
    connect(&m_model, &SheetModel::evNoChanged, this, [this] { mirror(m_evNo, m_model.evNo()); });
    connect(&m_model, &SheetModel::eventDetailsChanged, this,
            [this] { m_eventDetails->setText(m_model.eventDetails()); });
    connect(&m_model, &SheetModel::eventShownChanged, this, &GalaRecSheet::showRowsEditable);
    connect(&m_model, &SheetModel::hintChanged, this, [this] { m_hint->setText(m_model.hint()); });
    // Whatever brought an event up, the desk types its first lane's time next.
    connect(&m_model, &SheetModel::eventBroughtUp, this,
            [this] { m_box[SheetModel::Time][0]->setFocus(Qt::OtherFocusReason); });
    connect(&m_model, &SheetModel::rowsChanged, this, &GalaRecSheet::refreshRows);
}

void GalaRecSheet::showText(SheetModel::Column column, int row)
{
    if (column < 0 || column >= SheetModel::ColumnCount || row < 0 || row >= SheetModel::Rows)
        return;
    mirror(m_box[column][row], m_model.text(column, row));
}

void GalaRecSheet::mirror(QLineEdit *box, const QString &text)
{
    if (box->text() == text)
        return;
    const bool outer = m_mirroring;
    m_mirroring = true;
    box->setText(text);
    m_mirroring = outer;
}

void GalaRecSheet::showRowsEditable()
{
    const bool editable = m_model.eventShown();
    for (int c = 0; c < SheetModel::ColumnCount; ++c) {
        for (int r = 0; r < SheetModel::Rows; ++r)
            m_box[c][r]->setReadOnly(!editable);
    }
}

void GalaRecSheet::refreshRows()
{
    m_buHeading->setVisible(m_online);
    for (int r = 0; r < SheetModel::Rows; ++r) {
        const QString caption = m_model.laneCaption(r);
        const bool visible = m_model.rowVisible(r);
        m_lane[r]->setText(caption);
        m_teamName[r]->setText(m_model.teamNameCaption(r));
        m_lane[r]->setVisible(visible);
        m_teamName[r]->setVisible(visible);
        const QString suffix = caption.isEmpty() ? QString() : QLatin1Char(' ') + caption;
        for (int c = 0; c < SheetModel::ColumnCount; ++c) {
            m_box[c][r]->setVisible(visible);
            m_box[c][r]->setAccessibleName(tr(Columns[c].heading) + suffix);
            showText(SheetModel::Column(c), r);
        }
        m_bu[r]->setVisible(visible && m_online);
        m_bu[r]->setAccessibleName(tr("BU") + suffix);
        m_bu[r]->setChecked(m_model.bu(r));
    }
    mirror(m_evNo, m_model.evNo());
    m_eventDetails->setText(m_model.eventDetails());
    showRowsEditable();
}

bool GalaRecSheet::moveAlongColumn(QObject *watched, const QKeyEvent *key)
{
    if (watched == m_evNo) {
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        // As leaving the box does; the event shown then takes the focus, and
        // that leaving must not save and show the event a second time.
        m_evNoEntered = true;
        guarded([this] { m_model.EvNoLostFocus(); })();
        m_evNoEntered = false;
        return true;
    }
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -1;
        break;
    default:
        return false;
    }
    for (const SheetModel::Column column : {SheetModel::Time, SheetModel::SwimmerName}) {
        for (int r = 0; r < SheetModel::Rows; ++r) {
            if (watched != m_box[column][r])
                continue;
            // Moving the focus leaves the box, so its handling (the ranking)
            // runs exactly as on Tab. The first and last lanes stay put.
            const int to = r + step;
            if (to >= 0 && to < SheetModel::Rows && m_model.rowVisible(to))
                m_box[column][to]->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

bool GalaRecSheet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        moveAlongColumn(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() != QEvent::FocusOut)
        return QDialog::eventFilter(watched, event);
    // A message box or menu taking the focus for a moment is no leaving of the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    if (watched == m_evNo) {
        if (!m_evNoEntered)
            guarded([this] { m_model.EvNoLostFocus(); })();
        return false;
    }
    for (int r = 0; r < SheetModel::Rows; ++r) {
        if (watched == m_box[SheetModel::Time][r]) {
            guarded([this, r] { m_model.TimeLostFocus(r); })();
            break;
        }
        if (watched == m_box[SheetModel::Position][r]) {
            m_model.PositionLostFocus(r);
            break;
        }
        if (watched == m_box[SheetModel::DoB][r]) {
            guarded([this, r] { m_model.DobLostFocus(r); })();
            break;
        }
    }
    return false;
}

void GalaRecSheet::keyPressEvent(QKeyEvent *event)
{
    // Escape would leave the sheet by accident in the middle of a heat.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GalaRecSheet::reject()
{
    exitSheet();
}

void GalaRecSheet::exitSheet()
{
    bool saved = false;
    Guarded(m_dialogs, [&] { saved = m_model.SaveResults(SaveAction::Exit); });
    // Typed results that could not be stored must not vanish with the window
    // unless the official says so.
    if (saved || m_dialogs.yesNoDefaultNo(tr("The results could not be saved. Leave the "
                                             "recording sheet without saving them?")))
        QDialog::done(QDialog::Accepted);
}

void RecordResults(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent)
{
    OpenedGala opened;
    if (!Guarded(dialogs, [&] { opened = OpenGala(shared, gala, dialogs); }) || !opened.opened())
        return;
    // `opened` keeps the online-times database open while the sheet is shown.
    OnlineTimes *online = opened.OnlineOn ? &opened.online : nullptr;
    GalaRecSheet sheet(shared, gala, dialogs, online, parent);
    sheet.setWindowTitle(opened.caption());
    if (LivePublisher *publisher = DeskPublisher(shared, dialogs))
        publisher->follow(sheet.model(), shared, gala, online);
    sheet.exec();
}

SplitTimes GalaRecSheet::splitTimes() const
{
    // Splits come from the online-times database only while it is in use;
    // without it every swim simply has none.
    return m_aresTimes ? SplitTimes(m_aresTimes->AresDb.get(), m_aresTimes->MeetCode)
                       : SplitTimes(nullptr, QString());
}

void GalaRecSheet::bindPrinting()
{
    auto *menu = findChild<QMenu *>(QStringLiteral("Print_Menu"));
    const auto bind = [this](const char *name, auto action) { bindEntry(name, action); };
    // One report of the catalogue, drawn from the sheet as it stands.
    auto report = [this](const ReportCatalogue::Report &r) {
        Slots<QString> teams;
        if (r.needs == ReportCatalogue::Needs::LaneTeams)
            teams = AskTimekeeperLanes(m_dialogs);
        PrintMenu(m_shared, m_dialogs, this)
            .run(ReportCatalogue::Name(r), [this, &r, &teams](PrinterSurface &p) {
                SplitTimes splits = splitTimes();
                r.draw({m_shared, m_gala, splits, &m_model, teams}, p);
            });
    };
    bind("Printsetup", [this] { PrintMenu(m_shared, m_dialogs, this).printerSetUp(); });
    const ReportCatalogue::Report *speedingTickets = nullptr;
    for (const ReportCatalogue::Report &r : ReportCatalogue::All()) {
        if (QLatin1String(r.objectName) == QLatin1String("Speeding"))
            speedingTickets = &r;
        else
            bind(r.objectName, [report, &r] { report(r); });
    }

    QAction *preview = menu->addAction(tr("Preview Before Printing"));
    preview->setObjectName(QStringLiteral("Print_Preview"));
    preview->setCheckable(true);
    preview->setChecked(PrintMenu(m_shared, m_dialogs, this).preview());
    connect(preview, &QAction::toggled, this,
            [this](bool on) { PrintMenu(m_shared, m_dialogs, this).setPreview(on); });

    auto *speeding = findChild<QPushButton *>(QStringLiteral("Speeding"));
    speeding->setEnabled(true);
    connect(speeding, &QPushButton::clicked, this,
            guarded([report, speedingTickets] { report(*speedingTickets); }));
}

void GalaRecSheet::bindExports()
{
    const auto bind = [this](const char *name, auto action) { bindEntry(name, action); };
    bind("WEB_Results_Sheet", [this] { ExportMenu::WebResultsSheet(m_shared, m_gala, m_dialogs); });
    bind("WEB_Team_Results", [this] {
        SplitTimes splits = splitTimes();
        ExportMenu::WebTeamResults(m_shared, m_gala, m_dialogs, splits);
    });
    bind("Export_ASA_Rankings", [this] {
        ExportMenu::AsaRankingFiles(
            m_shared, m_gala, m_dialogs,
            PoolLengthOf(GalaDatabase(m_shared), m_shared.ProgCode, m_shared.GalaDate));
    });
    bind("Data_for_Program", [this] { ExportMenu::DataForProgram(m_shared, m_gala, m_dialogs); });
    bind("Export_Lenex",
         [this] { ExportMenu::LenexResultsFile(m_shared, m_gala, m_aresTimes, m_dialogs); });
}

void GalaRecSheet::bindTimingLinks()
{
    auto *online = new AresOnlineTimes(m_aresTimes, m_gala, m_model, m_dialogs, this);
    auto *aresTime = findChild<QLabel *>(QStringLiteral("Ares_time_ty"));
    connect(online, &AresOnlineTimes::aresTimeTypeChanged, this,
            [aresTime, online] { aresTime->setText(online->aresTimeType()); });
    connect(m_onlineTimes, &QPushButton::clicked, this,
            guarded([online] { online->GetOnlineTimes(); }));

    // Only the official's own tick announces; a box cleared by the program
    // (another event shown) raises no click.
    for (int r = 0; r < SheetModel::Rows; ++r) {
        connect(m_bu[r], &QCheckBox::clicked, this, [this, r](bool ticked) {
            if (ticked)
                Guarded(m_dialogs,
                        [&] { AnnounceOfficialTime(m_shared, m_gala, m_model, m_dialogs, r); });
        });
    }

    connect(findChild<QPushButton *>(QStringLiteral("HeatList")), &QPushButton::clicked, this,
            guarded([this] { HeatsListToAnnouncer(m_shared, m_gala, m_model, m_dialogs); }));
}
