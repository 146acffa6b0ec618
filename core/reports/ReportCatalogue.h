#pragma once

#include "core/values/Slots.h"

#include <QList>
#include <QString>

class PrinterSurface;
class SheetModel;
class SplitTimes;
struct GalaState;
struct SharedState;

// Every printed report of the recording sheet, named once: the sheet's
// Print menu and button and the command line take them from here.
namespace ReportCatalogue {

// What a report needs beyond the gala in memory.
enum class Needs
{
    Nothing,    // prints the whole gala as it stands
    ShownEvent, // prints the event shown on the sheet
    LaneTeams,  // asks each lane's team first (AskTimekeeperLanes)
};

// What a report is drawn from. `sheet` is null where no sheet is shown (the
// command line); `teams` holds the answers of a LaneTeams report.
struct Inputs
{
    const SharedState &shared;
    const GalaState &gala;
    SplitTimes &splits;
    const SheetModel *sheet = nullptr;
    Slots<QString> teams;
};

struct Report
{
    const char *objectName; // of the menu entry or button
    const char *name;       // untranslated; Name() gives the translated name
    Needs needs;
    void (*draw)(const Inputs &in, PrinterSurface &printer);
};

// In the Print menu's order; the speeding tickets (a button on the sheet) last.
const QList<Report> &All();

// The translated name of a report ("Results Sheets"), which also names its files.
QString Name(const Report &report);

} // namespace ReportCatalogue
