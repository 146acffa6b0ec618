#pragma once

#include <QString>

struct GalaState;
class SheetModel;

// The score tables the sheet sends to the announcer: the point standings of
// the scoring teams, and the DURUZ IC competition split into age-group, open
// and overall tables. Lines end CR LF.
namespace TeamScores {

// "Point scores after event ..." with the scoring teams, most points first.
QString PointScoresText(const GalaState &gala, const SheetModel &sheet);

// The three competition tables, headed with `upTo` as typed.
struct CompetitionTexts
{
    QString ageGroup;
    QString open;
    QString overall;
    // The three tables one after another, as the scores box shows them.
    QString shown() const;
};
CompetitionTexts CompetitionScores(const GalaState &gala, const QString &upTo);

// An event of the open competition: its sex/age text holds "Open" (exact case).
bool IsOpenEvent(const QString &sexAge);

} // namespace TeamScores
