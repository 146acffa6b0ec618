#include "core/gala/GalaState.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/values/PbUtil.h"

namespace {

constexpr double FirstColumnX = 2.0;
constexpr double ColumnStep = 0.5;

double columnX(int p)
{
    return FirstColumnX + ColumnStep * (p - 1);
}

} // namespace

void PrintPositionAnalysis(const GalaState &gala, PrinterSurface &printer)
{
    const int teams = gala.NoOfTeams;
    Slots<Slots<int>> counts(teams + 1, Slots<int>(teams + 1, 0));
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        for (int k = 1; k <= teams; ++k) {
            const int p = gala.LanePos(e, k);
            // A place above the number of entries has no column to count in.
            if (p > 0 && p <= teams)
                ++counts[k][p];
        }
    }

    printer.setOrientation(PrinterSurface::Landscape);
    printer.setScaleModeInches();
    printer.setFontBold(true);
    printer.printLine(QStringLiteral("Analysis of Placings"));
    printer.setFontBold(false);
    printer.printLine();
    printer.setFontUnderline(true);
    printer.print(QStringLiteral("Team Name"));
    for (int p = 1; p <= teams; ++p) {
        printer.setCurrentX(columnX(p));
        printer.print(PBUTIL::FormatHash(p));
    }
    printer.setFontUnderline(false);
    printer.printLine();
    printer.printLine();
    for (int k = 1; k <= teams; ++k) {
        printer.printFitted(gala.TeamName[k], FirstColumnX - ColumnGap);
        for (int p = 1; p <= teams; ++p) {
            printer.setCurrentX(columnX(p));
            printer.print(PBUTIL::FormatHash(counts[k][p]));
        }
        printer.printLine();
    }
    printer.printLine();
    printer.endDoc();
}
