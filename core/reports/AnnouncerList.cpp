#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/values/PbUtil.h"

void PrintAnnouncerList(const GalaState &gala, PrinterSurface &printer)
{
    printer.setOrientation(PrinterSurface::Portrait);
    printer.setScaleModeInches();
    printer.setFontName(QStringLiteral("Courier New"));
    printer.setFontSize(12);
    printer.setFontBold(true);
    const int heats = gala.HeatCount();
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        for (int h = 1; h <= heats; ++h) {
            printer.printLine(QStringLiteral("Event: ") + gala.EventNo[e] +
                              QStringLiteral("  Heat:") + PBUTIL::NumberText(float(h)) +
                              QLatin1Char(' ') + GalaRules::EventTitle(gala, e));
            printer.printLine();
            for (int k = 1; k <= gala.NoOfTeams; ++k) {
                if (gala.TeamHeat[k] != h)
                    continue;
                printer.printLine(PBUTIL::FitText(PBUTIL::FormatHash(gala.TeamLane[k]), 4) +
                                  PBUTIL::FitText(gala.LaneName(e, k), 25) + gala.TeamName[k]);
            }
            printer.printLine();
        }
    }
    printer.endDoc();
}
