#include "ui/GalaRecSetup.h"

#include "core/live/LivePublisher.h"
#include "core/preparation/TeamEntry.h"
#include "core/sheet/RestoreSave.h"
#include "core/values/Dialogs.h"
#include "core/values/Guarded.h"
#include "core/values/SharedState.h"
#include "ui/AddGalaDate.h"
#include "ui/EventDetails.h"
#include "ui/GalaProg.h"
#include "ui/GalaRecSheet.h"
#include "ui/RestoreSaveScreen.h"
#include "ui/ScreenParts.h"
#include "ui/TeamNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QFont &frameFont()
{
    static const QFont font(QStringLiteral("Impact"), 11);
    return font;
}

const QFont &smallButtonFont()
{
    static const QFont font(QStringLiteral("Microsoft Sans Serif"), 8);
    return font;
}

// The helpers below take captions in English, marked for lupdate with
// QT_TRANSLATE_NOOP("GalaRecSetup", ...), and show them translated.
QGroupBox *frame(QWidget *parent, const char *name, const char *caption)
{
    auto *box = new QGroupBox(GalaRecSetup::tr(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(frameFont());
    return box;
}

QLabel *label(QWidget *parent, const char *name, const char *caption)
{
    auto *l = new QLabel(GalaRecSetup::tr(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, const QFont &font)
{
    auto *b = NamedButton(parent, QString::fromLatin1(name), GalaRecSetup::tr(caption));
    b->setFont(font);
    return b;
}

QPlainTextEdit *detailsBox(QWidget *parent, const char *name, const char *accessible)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(GalaRecSetup::tr(accessible));
    box->setReadOnly(true);
    box->setMaximumHeight(80);
    return box;
}

QLineEdit *pathBox(QWidget *parent, const char *name, const char *accessible)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(GalaRecSetup::tr(accessible));
    // Paths come from "Browse" only, so the box always shows the path in use.
    box->setReadOnly(true);
    return box;
}

void showDetails(QPlainTextEdit *box, const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(shown);
}

} // namespace

GalaRecSetup::GalaRecSetup(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_gala(gala), m_dialogs(dialogs), m_choice(shared),
      m_runModal([](QDialog &d) { return d.exec(); }),
      m_openSheet([this] { RecordResults(m_shared, m_gala, m_dialogs, this); })
{
    setObjectName(QStringLiteral("GalaRecSetup"));
    setWindowTitle(tr("Gala Recording Set-Up"));
    auto *grid = new QGridLayout(this);
    buildMeetFrame(grid);
    buildGalaFrame(grid);
    buildAnnouncerFrame(grid);
    buildOnlineFrame(grid);
    buildPublishFrame(grid);
    buildButtons(grid);
    buildSafetyFrame(grid);
    formLoad();
}

void GalaRecSetup::buildMeetFrame(QGridLayout *grid)
{
    QGroupBox *f = frame(this, "MeetFrame", QT_TRANSLATE_NOOP("GalaRecSetup", "Meet Details"));
    auto *g = new QGridLayout(f);
    QLabel *caption = label(f, "MeetCodeLabel", QT_TRANSLATE_NOOP("GalaRecSetup", "Meet Code"));
    m_meetCodeList = new QComboBox(f);
    m_meetCodeList->setObjectName(QStringLiteral("MeetCodeList"));
    m_meetCodeList->setAccessibleName(tr("Meet Code"));
    caption->setBuddy(m_meetCodeList);
    m_meetDetails = detailsBox(f, "MeetDetails", QT_TRANSLATE_NOOP("GalaRecSetup", "Meet Details"));
    QPushButton *add =
        button(f, "Command2", QT_TRANSLATE_NOOP("GalaRecSetup", "Add New"), smallButtonFont());
    // "Modify" has no action; it is shown disabled so nobody expects one.
    QPushButton *modify =
        button(f, "Command4", QT_TRANSLATE_NOOP("GalaRecSetup", "Modify"), smallButtonFont());
    modify->setEnabled(false);
    g->addWidget(caption, 0, 0);
    g->addWidget(m_meetCodeList, 0, 1);
    g->addWidget(m_meetDetails, 1, 0, 1, 2);
    g->addWidget(add, 2, 0);
    g->addWidget(modify, 2, 1);
    grid->addWidget(f, 0, 0);
    connect(m_meetCodeList, &QComboBox::activated, this, [this] { GetMeetDetails(); });
    connect(add, &QPushButton::clicked, this, &GalaRecSetup::addCode);
}

void GalaRecSetup::buildGalaFrame(QGridLayout *grid)
{
    QGroupBox *f = frame(this, "GalaFrame", QT_TRANSLATE_NOOP("GalaRecSetup", "Gala Details"));
    auto *g = new QGridLayout(f);
    QLabel *caption = label(f, "Label1", QT_TRANSLATE_NOOP("GalaRecSetup", "Gala Date"));
    m_galaDateBox = new QComboBox(f);
    m_galaDateBox->setObjectName(QStringLiteral("GalaDateBox"));
    m_galaDateBox->setAccessibleName(tr("Gala Date"));
    caption->setBuddy(m_galaDateBox);
    m_galaDetails = detailsBox(f, "GalaDetails", QT_TRANSLATE_NOOP("GalaRecSetup", "Gala Details"));
    QPushButton *add =
        button(f, "Command3", QT_TRANSLATE_NOOP("GalaRecSetup", "Add New"), smallButtonFont());
    QPushButton *modify =
        button(f, "Command5", QT_TRANSLATE_NOOP("GalaRecSetup", "Modify"), smallButtonFont());
    modify->setEnabled(false);
    g->addWidget(caption, 0, 0);
    g->addWidget(m_galaDateBox, 0, 1);
    g->addWidget(m_galaDetails, 1, 0, 1, 2);
    g->addWidget(add, 2, 0);
    g->addWidget(modify, 2, 1);
    grid->addWidget(f, 0, 1);
    connect(m_galaDateBox, &QComboBox::activated, this, [this] { GetEventDetails(); });
    connect(add, &QPushButton::clicked, this, &GalaRecSetup::addDate);
}

void GalaRecSetup::buildAnnouncerFrame(QGridLayout *grid)
{
    QGroupBox *f =
        frame(this, "AnnouncerFrame", QT_TRANSLATE_NOOP("GalaRecSetup", "Announcer System"));
    auto *g = new QGridLayout(f);
    m_announcerYes = new QCheckBox(tr("Announcer Screen"), f);
    m_announcerYes->setObjectName(QStringLiteral("AnnouncerYes"));
    m_announcerYes->setAccessibleName(m_announcerYes->text());
    QLabel *caption = label(f, "Label2", QT_TRANSLATE_NOOP("GalaRecSetup", "Announcer Database"));
    m_annDbName = pathBox(f, "AnnDbName", QT_TRANSLATE_NOOP("GalaRecSetup", "Announcer Database"));
    caption->setBuddy(m_annDbName);
    QPushButton *browse =
        button(f, "AnouncerDbFind", QT_TRANSLATE_NOOP("GalaRecSetup", "Browse"), smallButtonFont());
    // A caption of the design with no role of its own.
    QLabel *spare = label(f, "Label3", QT_TRANSLATE_NOOP("GalaRecSetup", "Announcer Database"));
    spare->hide();
    g->addWidget(m_announcerYes, 0, 0, 1, 2);
    g->addWidget(caption, 1, 0);
    g->addWidget(m_annDbName, 2, 0);
    g->addWidget(browse, 2, 1);
    g->setRowStretch(3, 1);
    grid->addWidget(f, 1, 0);
    connect(browse, &QPushButton::clicked, this, [this] {
        browseDatabase(m_annDbName, m_shared.AnnouncerDbPath,
                       tr("Select Database for Announcements"));
    });
}

void GalaRecSetup::buildOnlineFrame(QGridLayout *grid)
{
    QGroupBox *f = frame(this, "OnlineFrame", QT_TRANSLATE_NOOP("GalaRecSetup", "Online Timing"));
    auto *g = new QGridLayout(f);
    m_aresOnlineTiming = new QCheckBox(tr("Online to ARES"), f);
    m_aresOnlineTiming->setObjectName(QStringLiteral("AresOnlineTiming"));
    m_aresOnlineTiming->setAccessibleName(m_aresOnlineTiming->text());
    QLabel *dbCaption =
        label(f, "Label4", QT_TRANSLATE_NOOP("GalaRecSetup", "Online Times Database"));
    m_onlineDbName =
        pathBox(f, "OnlineDbName", QT_TRANSLATE_NOOP("GalaRecSetup", "Online Times Database"));
    dbCaption->setBuddy(m_onlineDbName);
    QPushButton *browse =
        button(f, "OnLineDbBrowse", QT_TRANSLATE_NOOP("GalaRecSetup", "Browse"), smallButtonFont());
    QLabel *codeCaption =
        label(f, "Label5", QT_TRANSLATE_NOOP("GalaRecSetup", "Online Results Code"));
    m_onlineResultsCode = new QLineEdit(f);
    m_onlineResultsCode->setObjectName(QStringLiteral("OnlineResultsCode"));
    m_onlineResultsCode->setAccessibleName(tr("Online Results Code"));
    codeCaption->setBuddy(m_onlineResultsCode);
    g->addWidget(m_aresOnlineTiming, 0, 0, 1, 2);
    g->addWidget(dbCaption, 1, 0);
    g->addWidget(m_onlineDbName, 2, 0);
    g->addWidget(browse, 2, 1);
    g->addWidget(codeCaption, 3, 0);
    g->addWidget(m_onlineResultsCode, 4, 0);
    grid->addWidget(f, 1, 1);
    connect(browse, &QPushButton::clicked, this, [this] {
        browseDatabase(m_onlineDbName, m_shared.AresDbPath,
                       tr("Select Database for ARES Online Times"));
    });
}

void GalaRecSetup::buildPublishFrame(QGridLayout *grid)
{
    QGroupBox *f = frame(this, "PublishFrame", QT_TRANSLATE_NOOP("GalaRecSetup", "Live Results"));
    auto *g = new QGridLayout(f);
    m_publishYes = new QCheckBox(tr("Publish results to folder"), f);
    m_publishYes->setObjectName(QStringLiteral("PublishYes"));
    m_publishYes->setAccessibleName(m_publishYes->text());
    QLabel *caption = label(f, "PublishLabel", QT_TRANSLATE_NOOP("GalaRecSetup", "Publish Folder"));
    m_publishFolder =
        pathBox(f, "PublishFolder", QT_TRANSLATE_NOOP("GalaRecSetup", "Publish Folder"));
    caption->setBuddy(m_publishFolder);
    QPushButton *browse =
        button(f, "PublishBrowse", QT_TRANSLATE_NOOP("GalaRecSetup", "Browse"), smallButtonFont());
    g->addWidget(m_publishYes, 0, 0, 1, 2);
    g->addWidget(caption, 1, 0);
    g->addWidget(m_publishFolder, 2, 0);
    g->addWidget(browse, 2, 1);
    grid->addWidget(f, 2, 1);

    m_publishYes->setChecked(m_shared.PublishOn);
    m_publishFolder->setVisible(m_shared.PublishOn);
    m_publishFolder->setText(m_shared.PublishFolder);
    connect(m_publishYes, &QCheckBox::toggled, this, [this](bool on) {
        m_shared.PublishOn = on;
        m_publishFolder->setVisible(on);
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = chooseFolder(tr("Select Folder to Publish Results"));
        if (folder.isEmpty())
            return;
        m_shared.PublishFolder = folder;
        m_publishFolder->setText(m_shared.PublishFolder);
    });
}

void GalaRecSetup::buildButtons(QGridLayout *grid)
{
    QPushButton *teams =
        button(this, "Command6", QT_TRANSLATE_NOOP("GalaRecSetup", "Enter Teams"), frameFont());
    QPushButton *programme =
        button(this, "ProgCreate", QT_TRANSLATE_NOOP("GalaRecSetup", "Create/Amend Programme"),
               frameFont());
    QPushButton *record = button(this, "RecordResults",
                                 QT_TRANSLATE_NOOP("GalaRecSetup", "Record Results"), frameFont());
    QPushButton *exit =
        button(this, "Command1", QT_TRANSLATE_NOOP("GalaRecSetup", "Exit"), frameFont());
    grid->addWidget(teams, 3, 0);
    grid->addWidget(programme, 3, 1);
    grid->addWidget(record, 4, 0);
    grid->addWidget(exit, 4, 1);
    connect(teams, &QPushButton::clicked, this, &GalaRecSetup::enterTeams);
    connect(programme, &QPushButton::clicked, this, &GalaRecSetup::createProgramme);
    connect(record, &QPushButton::clicked, this, &GalaRecSetup::recordResults);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

void GalaRecSetup::buildSafetyFrame(QGridLayout *grid)
{
    QGroupBox *f =
        frame(this, "SafetyFrame", QT_TRANSLATE_NOOP("GalaRecSetup", "Saves and Second Copy"));
    auto *g = new QGridLayout(f);
    QPushButton *restore =
        button(f, "RestorePreviousSave",
               QT_TRANSLATE_NOOP("GalaRecSetup", "Restore Previous Save..."), smallButtonFont());
    m_secondCopyYes = new QCheckBox(tr("Second copy in folder"), f);
    m_secondCopyYes->setObjectName(QStringLiteral("SecondCopyYes"));
    m_secondCopyYes->setAccessibleName(m_secondCopyYes->text());
    m_secondCopyFolder =
        pathBox(f, "SecondCopyFolder", QT_TRANSLATE_NOOP("GalaRecSetup", "Second copy in folder"));
    QPushButton *browse = button(f, "SecondCopyBrowse", QT_TRANSLATE_NOOP("GalaRecSetup", "Browse"),
                                 smallButtonFont());
    g->addWidget(restore, 0, 0, 1, 2, Qt::AlignLeft);
    g->addWidget(m_secondCopyYes, 1, 0, 1, 2);
    g->addWidget(m_secondCopyFolder, 2, 0);
    g->addWidget(browse, 2, 1);
    grid->addWidget(f, 2, 0);

    m_secondCopyYes->setChecked(m_shared.SecondCopyOn);
    m_secondCopyFolder->setVisible(m_shared.SecondCopyOn);
    m_secondCopyFolder->setText(QDir::toNativeSeparators(m_shared.SecondCopyFolder));
    connect(m_secondCopyYes, &QCheckBox::toggled, this, [this](bool on) {
        m_shared.SecondCopyOn = on;
        m_secondCopyFolder->setVisible(on);
    });
    connect(restore, &QPushButton::clicked, this, &GalaRecSetup::restorePreviousSave);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = chooseFolder(tr("Select Folder for the Second Copy"));
        if (folder.isEmpty())
            return;
        m_shared.SecondCopyFolder = QDir::cleanPath(folder);
        m_secondCopyFolder->setText(QDir::toNativeSeparators(m_shared.SecondCopyFolder));
    });
}

QString GalaRecSetup::chooseFolder(const QString &prompt)
{
    // The chooser has no folder-only mode: only the folder it ends in counts.
    FileChoice &choice = m_shared.Choice;
    choice.FileMustExist = false;
    choice.FilePrompt = prompt;
    m_dialogs.chooseFile(choice);
    if (choice.SelectedDir.isEmpty())
        m_dialogs.message(tr("No folder selected"));
    return choice.SelectedDir;
}

void GalaRecSetup::restorePreviousSave()
{
    QList<SaveHistory::Entry> saves;
    Guarded(m_dialogs, [&] { saves = RestoreSave::Saves(m_shared, m_dialogs); });
    if (saves.isEmpty())
        return;
    RestoreSaveScreen screen(m_shared, m_dialogs, saves, this);
    if (m_runModal(screen) != QDialog::Accepted)
        return;
    // The restored results are the gala's results now: the live pages follow.
    if (LivePublisher *publisher = DeskPublisher(m_shared, m_dialogs)) {
        QString error;
        if (!publisher->publishStored(m_shared, &error))
            m_dialogs.message(tr("The restored results could not be published: %1").arg(error));
    }
}

void GalaRecSetup::formLoad()
{
    Guarded(m_dialogs, [this] {
        m_meetCodeList->clear();
        m_meetCodeList->addItems(m_choice.meetCodes());
    });
    // Nothing is chosen until the official clicks a code.
    m_meetCodeList->setCurrentIndex(-1);

    m_aresOnlineTiming->setChecked(m_shared.OnlineOn);
    m_onlineDbName->setVisible(m_shared.OnlineOn);
    m_onlineResultsCode->setVisible(m_shared.OnlineOn);
    m_onlineDbName->setText(m_shared.AresDbPath);
    m_onlineResultsCode->setText(m_shared.OnlineMeetCode);

    m_announcerYes->setChecked(m_shared.AnnouncerOn);
    m_annDbName->setVisible(m_shared.AnnouncerOn);
    m_annDbName->setText(m_shared.AnnouncerDbPath);

    connect(m_announcerYes, &QCheckBox::toggled, this, [this](bool on) {
        m_shared.AnnouncerOn = on;
        m_annDbName->setVisible(on);
    });
    connect(m_aresOnlineTiming, &QCheckBox::toggled, this, [this](bool on) {
        m_shared.OnlineOn = on;
        m_onlineDbName->setVisible(on);
        m_onlineResultsCode->setVisible(on);
    });
    connect(m_onlineResultsCode, &QLineEdit::textChanged, this,
            [this](const QString &code) { m_shared.OnlineMeetCode = code; });
}

void GalaRecSetup::GetMeetDetails()
{
    m_meetDetails->clear();
    Guarded(m_dialogs, [this] {
        const std::optional<QString> details = m_choice.meetDetails(m_meetCodeList->currentText());
        if (!details)
            return;
        showDetails(m_meetDetails, *details);
        m_galaDateBox->clear();
        m_galaDateBox->addItems(m_choice.dates());
        m_galaDateBox->setCurrentIndex(-1);
        m_galaDetails->clear();
    });
}

void GalaRecSetup::GetEventDetails()
{
    Guarded(m_dialogs, [this] {
        showDetails(m_galaDetails, m_choice.eventDetails(m_galaDateBox->currentIndex() + 1));
    });
}

void GalaRecSetup::browseDatabase(QLineEdit *box, QString &path, const QString &caption)
{
    if (const std::optional<QString> chosen = m_choice.chooseDatabase(m_dialogs, caption)) {
        path = *chosen;
        box->setText(path);
    }
}

void GalaRecSetup::addCode()
{
    EventDetails screen(m_shared, m_dialogs, this);
    m_runModal(screen);
    m_meetCodeList->setCurrentIndex(-1);
    GetEventDetails();
}

void GalaRecSetup::addDate()
{
    AddGalaDate screen(m_shared, m_dialogs, this);
    m_runModal(screen);
    GetMeetDetails();
}

void GalaRecSetup::createProgramme()
{
    GalaProg screen(m_shared, m_gala, m_dialogs, this);
    m_runModal(screen);
    GetMeetDetails();
}

void GalaRecSetup::enterTeams()
{
    TeamNames form(this);
    TeamEntry entry(m_shared, m_dialogs);
    const auto heatForm = [&](int heat, int lanes, std::vector<LaneChoice> &rows) {
        form.prepare(heat, lanes);
        if (m_runModal(form) != QDialog::Accepted)
            return false;
        rows = form.choices(lanes);
        return true;
    };
    TeamEntry::Outcome outcome = TeamEntry::Outcome::Refused;
    Guarded(m_dialogs, [&] { outcome = entry.run(heatForm); });
    if (outcome == TeamEntry::Outcome::Stored)
        GetEventDetails();
}

void GalaRecSetup::recordResults()
{
    Guarded(m_dialogs, [this] {
        QString refusal;
        if (!m_choice.readyToRecord(&refusal)) {
            m_dialogs.message(refusal);
            return;
        }
        m_openSheet();
    });
}
