#pragma once

#include "core/values/Slots.h"

#include <QString>

class Dialogs;
class PrinterSurface;
class SheetModel;
class SplitTimes;
struct GalaState;
struct SharedState;

// The printed reports of the recording sheet. Each draws on the printer
// surface in the order of its own layout, reads the gala in memory (and the
// sheet's boxes as they stand) and changes nothing.

// "This Result": the event shown on the sheet, ordered by position with
// disqualified swims last. Prints nothing for an event number outside the
// programme.
void PrintThisResult(const SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                     PrinterSurface &printer);

// "Results Sheets": events by team entries, six entries and 25 events a
// landscape page, cumulative points after every fifth event, then a portrait
// page of disqualifications.
void PrintResultsSheets(const SharedState &shared, const GalaState &gala, PrinterSurface &printer);
void PrintSheetHeading(const SharedState &shared, const GalaState &gala, PrinterSurface &printer,
                       int first, int last);
void PrintSheetEventLine(const SharedState &shared, const GalaState &gala, PrinterSurface &printer,
                         int first, int last, int e);
void PrintCumulativeLines(const GalaState &gala, PrinterSurface &printer, int first, int last,
                          int e);

// "Team Results": a portrait page per team entry with every event, and the
// split times of each swim when `splits` is given (online timing in use).
// Throws EngineError when the online-times database refuses a query.
void PrintTeamResults(const SharedState &shared, const GalaState &gala, SplitTimes *splits,
                      PrinterSurface &printer);

// "Chief TK Sheets" asks the number of lanes and each lane's team first;
// the teams come back indexed by lane, 1 .. the number of lanes.
Slots<QString> AskTimekeeperLanes(Dialogs &dialogs);
// Then a blank timekeeper's form per event, two to a portrait page.
void PrintTimekeeperSheets(const SharedState &shared, const GalaState &gala,
                           const Slots<QString> &teams, PrinterSurface &printer);

// "Analysis of Positions": how often each team entry finished in each place.
void PrintPositionAnalysis(const GalaState &gala, PrinterSurface &printer);

// "Speeding Tkts": one job per row of the shown event whose position is "TF".
// Gives the number of tickets printed.
int PrintSpeedingTickets(const GalaState &gala, const SheetModel &sheet, PrinterSurface &printer);

// "List of Swimmers for Announcer": every event and heat with its lanes,
// swimmers and teams.
void PrintAnnouncerList(const GalaState &gala, PrinterSurface &printer);

// Room left between a cut text and the next column, in inches.
inline constexpr double ColumnGap = 0.05;

// An event's details: sex/age, distance and stroke name ("G10 50m Freestyle").
QString EventDetailsText(const GalaState &gala, int e);

// True for a swim that was faster than the grade time of a graded gala: a
// scoring entry with a swim time (PBUTIL::SwimTime) and no place.
bool TooFast(const SharedState &shared, const GalaState &gala, int e, int k);
