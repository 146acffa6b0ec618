#pragma once

#include "core/preparation/Programme.h"

#include <QString>

class Dialogs;
struct GalaState;
struct SharedState;

// The actions of the programme editor on the programme of ProgCode: list
// changes, the programme file and the gala database.
class ProgrammeEditor
{
public:
    ProgrammeEditor(SharedState &shared, GalaState &gala, Dialogs &dialogs);

    Programme &programme() { return m_programme; }
    const Programme &programme() const { return m_programme; }

    // The stored programme of ProgCode, on opening.
    void loadFromDatabase();

    // "Add"; a full programme is refused with a message.
    void add(const ProgrammeEvent &e);
    // "Insert" before the selected list line (from 0; below 0 for none).
    void insert(int selected, const ProgrammeEvent &e);
    // "Delete" of the selected list line (below 0 for none).
    void remove(int selected);
    // "Clear": the programme only, the database is not touched.
    void clear();

    // "Load from File", "Save to File" and "Save" (to the database). A file
    // that cannot be loaded throws EngineError.
    void loadFromFile();
    void saveToFile();
    void saveToDatabase();

    // A typed limit time in its written form; "" for no time, and "" after
    // "Invalid Time" for a time the text form cannot show.
    QString normaliseTime(const QString &typed);

    // The programme file last chosen for loading or saving.
    QString ProgFileName;

private:
    void refuseFull();

    SharedState &m_shared;
    Dialogs &m_dialogs;
    Programme m_programme;
};
