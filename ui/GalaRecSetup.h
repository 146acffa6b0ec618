#pragma once

#include "core/preparation/GalaChoice.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct SharedState;
struct GalaState;
class Dialogs;

// "Gala Recording Set-Up": choose the programme code and gala date, see what
// is stored about them, prepare the gala and open the recording sheet.
class GalaRecSetup : public QDialog
{
    Q_OBJECT
public:
    GalaRecSetup(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent = nullptr);

    // Shows a sub-screen (code and date entry, programme editor, one heat's
    // team names) modally and gives its result; tests put in one that fills
    // the screen and closes it.
    using ModalRunner = std::function<int(QDialog &)>;
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

    // Opens the recording sheet once "Record Results" found the gala ready.
    void setSheetOpener(std::function<void()> opener) { m_openSheet = std::move(opener); }

    GalaChoice &choice() { return m_choice; }

    // Run when a code or a date is chosen, and after the sub-screens close.
    void GetMeetDetails();
    void GetEventDetails();

private:
    void buildMeetFrame(QGridLayout *grid);
    void buildGalaFrame(QGridLayout *grid);
    void buildAnnouncerFrame(QGridLayout *grid);
    void buildOnlineFrame(QGridLayout *grid);
    // "Publish results to folder": the live results option.
    void buildPublishFrame(QGridLayout *grid);
    void buildButtons(QGridLayout *grid);
    // Restoring a previous save and the second copy of the database.
    void buildSafetyFrame(QGridLayout *grid);
    void restorePreviousSave();
    void formLoad();
    void browseDatabase(QLineEdit *box, QString &path, const QString &caption);
    // The folder chosen for files the desk writes; "" after telling the
    // official that none was chosen.
    QString chooseFolder(const QString &prompt);
    void addCode();
    void addDate();
    void createProgramme();
    void enterTeams();
    void recordResults();

    SharedState &m_shared;
    GalaState &m_gala;
    Dialogs &m_dialogs;
    GalaChoice m_choice;
    ModalRunner m_runModal;
    std::function<void()> m_openSheet;

    QComboBox *m_meetCodeList = nullptr;
    QPlainTextEdit *m_meetDetails = nullptr;
    QComboBox *m_galaDateBox = nullptr;
    QPlainTextEdit *m_galaDetails = nullptr;
    QCheckBox *m_announcerYes = nullptr;
    QLineEdit *m_annDbName = nullptr;
    QCheckBox *m_aresOnlineTiming = nullptr;
    QLineEdit *m_onlineDbName = nullptr;
    QLineEdit *m_onlineResultsCode = nullptr;
    QCheckBox *m_secondCopyYes = nullptr;
    QLineEdit *m_secondCopyFolder = nullptr;
    QCheckBox *m_publishYes = nullptr;
    QLineEdit *m_publishFolder = nullptr;
};
