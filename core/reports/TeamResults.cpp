#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/links/SplitTimes.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

namespace {

// The narrow layout leaves the name column out; a recorded name anywhere in
// the entry's events makes room for it.
struct Layout
{
    bool names;
    double nameX, timeX, positionX, reasonX;
};
constexpr Layout Narrow{false, 0, 1.9, 2.4, 2.7};
constexpr Layout Wide{true, 1.9, 3.5, 4.0, 4.3};
constexpr double DetailsX = 0.3;
constexpr double SplitStep = 0.4;
constexpr double PageWidth = 7.0;

bool namesShown(const GalaState &gala, int k)
{
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        if (!gala.LaneName(e, k).isEmpty())
            return true;
    }
    return false;
}

void printTeamPage(const SharedState &shared, const GalaState &gala, SplitTimes &splits,
                   PrinterSurface &printer, int k, int heats)
{
    const Layout &layout = namesShown(gala, k) ? Wide : Narrow;
    printer.setOrientation(PrinterSurface::Portrait);
    printer.setScaleModeInches();
    printer.setFontName(QStringLiteral("Arial Narrow"));
    printer.setFontSize(12);
    printer.setFontBold(true);

    const QString title = shared.GalaDate + QStringLiteral(" - ") + gala.GalaName;
    printer.setCurrentX((PageWidth - printer.textWidth(title)) / 2);
    printer.printLine(title);
    printer.printLine();

    const QString lane = QStringLiteral(" Lane ") + PBUTIL::FormatHash(gala.TeamLane[k]);
    const QString heat =
        heats > 1 ? QStringLiteral(" Heat ") + PBUTIL::FormatHash(gala.TeamHeat[k]) : QString();
    const QString lead = QStringLiteral("Results sheet for ");
    printer.setCurrentX((PageWidth - printer.textWidth(lead + gala.TeamName[k] + lane + heat)) / 2);
    printer.print(lead);
    printer.setFontUnderline(true);
    printer.print(gala.TeamName[k]);
    printer.setFontUnderline(false);
    // The heat comes before the lane on paper, though it was measured after.
    printer.print(heat);
    printer.printLine(lane);

    printer.setFontSize(10);
    printer.printLine();
    printer.setFontUnderline(true);
    printer.print(QStringLiteral("Event"));
    if (layout.names) {
        printer.setCurrentX(layout.nameX);
        printer.print(QStringLiteral("Name"));
    }
    printer.setCurrentX(layout.timeX);
    printer.print(QStringLiteral("Time"));
    printer.setCurrentX(layout.positionX);
    printer.print(QStringLiteral("Pos"));
    printer.setCurrentX(layout.reasonX);
    printer.printLine(QStringLiteral("Splits/Reason for Disqualification"));
    printer.setFontUnderline(false);
    printer.setFontBold(false);
    printer.printLine();

    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        const QString &time = gala.LaneTime(e, k);
        printer.printFitted(gala.EventNo[e], DetailsX - ColumnGap);
        printer.setCurrentX(DetailsX);
        printer.printFitted(GalaRules::EventTitle(gala, e),
                            (layout.names ? layout.nameX : layout.timeX) - DetailsX - ColumnGap);
        if (layout.names) {
            printer.setCurrentX(layout.nameX);
            printer.printFitted(gala.LaneName(e, k), layout.timeX - layout.nameX - ColumnGap);
        }
        printer.setCurrentX(layout.timeX);
        printer.printFitted(time, layout.positionX - layout.timeX - ColumnGap);
        printer.setCurrentX(layout.positionX);
        if (GalaRules::TooFast(gala, shared.graded(), e, k))
            printer.print(QStringLiteral("TF"));
        else
            printer.printNumber(gala.LanePos(e, k));
        if (!GalaRules::IsDisqualification(time)) {
            const QStringList times = splits.ofSwim(gala, e, k);
            for (qsizetype n = 0; n < times.size(); ++n) {
                printer.setCurrentX(layout.reasonX + SplitStep * double(n));
                printer.print(times[n]);
            }
            printer.printLine();
        } else {
            printer.setCurrentX(layout.reasonX);
            printer.printLine(gala.LaneNotes(e, k));
        }
    }
    printer.newPage();
}

} // namespace

void PrintTeamResults(const SharedState &shared, const GalaState &gala, SplitTimes &splits,
                      PrinterSurface &printer)
{
    const int heats = gala.HeatCount();
    for (int k = 1; k <= gala.NoOfTeams; ++k)
        printTeamPage(shared, gala, splits, printer, k, heats);
    printer.endDoc();
}
