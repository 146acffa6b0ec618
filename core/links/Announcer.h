#pragma once

#include <QString>

struct SharedState;
struct GalaState;
class Dialogs;
class SheetModel;

// Posts a text into the announcer screen's database. Does nothing when the
// announcer is not in use; the database is opened by the first post that
// finds its file and then kept open. A post the engine refuses is reported
// and dropped, so a broken announcer never stops the recording desk.
void PostAnnouncement(SharedState &shared, Dialogs &dialogs, const QString &message, int priority);

// True when the announcer screen is switched on; otherwise says so, and
// where to switch it on, so a button to the announcer never does nothing
// in silence.
bool AnnouncerInUse(const SharedState &shared, Dialogs &dialogs);

// The placings of the event shown on the sheet, as the announcer shows them:
// heading line, then one line per team entry (placed teams by position,
// disqualified ones after them, non-scoring teams last). Lines end CR LF.
// Empty when the event number box holds no event of the programme.
QString EventResultText(const GalaState &gala, const SheetModel &sheet);

// "Result to Announcer": composes the shown event's result and posts it.
void ResultToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                       Dialogs &dialogs);

// "Point Scores to Announcer".
void PointScoresToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                            Dialogs &dialogs);

// "Update DURUZ IC Scores and Send to Announcer": asks how far the scores
// go, posts the three tables and gives the text for the scores box.
QString UpdateCompetitionScores(SharedState &shared, const GalaState &gala, Dialogs &dialogs);
