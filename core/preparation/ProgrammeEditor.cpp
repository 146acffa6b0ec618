#include "core/preparation/ProgrammeEditor.h"

#include "core/gala/GalaState.h"
#include "core/preparation/GalaChoice.h"
#include "core/preparation/ProgrammeFile.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/Guarded.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

ProgrammeEditor::ProgrammeEditor(SharedState &shared, GalaState &gala, Dialogs &dialogs)
    : m_shared(shared), m_dialogs(dialogs), m_programme(gala)
{
}

void ProgrammeEditor::loadFromDatabase()
{
    m_programme.clear();
    if (!m_programme.load(GalaDatabase(m_shared), m_shared.ProgCode))
        m_dialogs.message(
            QCoreApplication::translate("ProgrammeEditor",
                                        "This programme has more than %1 events; only the first "
                                        "%1 are shown")
                .arg(GalaState::MaxEvents));
}

void ProgrammeEditor::refuseFull()
{
    m_dialogs.message(QCoreApplication::translate(
                          "ProgrammeEditor", "The programme is full: it can hold at most %1 events")
                          .arg(GalaState::MaxEvents));
}

void ProgrammeEditor::add(const ProgrammeEvent &e)
{
    if (!m_programme.add(e))
        refuseFull();
}

void ProgrammeEditor::insert(int selected, const ProgrammeEvent &e)
{
    if (selected < 0 || selected >= m_programme.count())
        return;
    if (!m_programme.insert(selected, e))
        refuseFull();
}

void ProgrammeEditor::remove(int selected)
{
    m_programme.remove(selected);
}

void ProgrammeEditor::clear()
{
    m_programme.clear();
}

void ProgrammeEditor::loadFromFile()
{
    FileChoice &choice = m_shared.Choice;
    choice.FilePrompt = QCoreApplication::translate("ProgrammeEditor", "Open program file");
    choice.FileMustExist = false;
    m_dialogs.chooseFile(choice);
    // Cancel leaves the programme being edited as it was.
    if (choice.SelectedDir.isEmpty())
        return;
    ProgFileName = choice.path();
    // A name that is no file gives an empty programme.
    if (!PBUTIL::FileExists(ProgFileName)) {
        m_programme.clear();
        return;
    }
    // A file that cannot be loaded is refused and leaves the programme as it was.
    m_programme.replace(ProgrammeFile::readFile(ProgFileName));
}

void ProgrammeEditor::saveToFile()
{
    FileChoice &choice = m_shared.Choice;
    if (!ChooseOutput(m_dialogs, choice,
                      QCoreApplication::translate("ProgrammeEditor", "Open output file"),
                      OutputTarget::File))
        return;
    ProgFileName = choice.path();
    QString error;
    if (!PBUTIL::WriteTextFile(ProgFileName, ProgrammeFile::lines(m_programme), &error)) {
        m_dialogs.message(QCoreApplication::translate("ProgrammeEditor",
                                                      "The programme file could not be written: ") +
                          error);
        return;
    }
    if (ProgrammeFile::losesTexts(m_programme))
        m_dialogs.message(QCoreApplication::translate(
            "ProgrammeEditor", "Saved, but texts holding a comma, starting with a double "
                               "quote or with blanks around them will not load back "
                               "exactly as typed"));
}

void ProgrammeEditor::saveToDatabase()
{
    // Storing nothing would only empty the stored programme.
    if (m_programme.count() == 0) {
        m_dialogs.message(
            QCoreApplication::translate("ProgrammeEditor", "No event details to store"));
        return;
    }
    Database &db = GalaDatabase(m_shared);
    if (GalaChoice::countEvents(db, m_shared.ProgCode) > 0 &&
        !m_dialogs.yesNoDefaultNo(QCoreApplication::translate(
            "ProgrammeEditor", "Overwrite existing programme details?")))
        return;
    m_programme.store(db, m_shared.ProgCode);
}

QString ProgrammeEditor::normaliseTime(const QString &typed)
{
    const PBUTIL::TimeText t = PBUTIL::TimeToText(PBUTIL::TimeFromText(typed));
    if (t.invalid)
        m_dialogs.message(QCoreApplication::translate("ProgrammeEditor", "Invalid Time"));
    return t.text;
}
