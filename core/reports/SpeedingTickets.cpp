#include "core/gala/GalaState.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/sheet/SheetModel.h"
#include "core/values/PbUtil.h"

int PrintSpeedingTickets(const GalaState &gala, const SheetModel &sheet, PrinterSurface &printer)
{
    const int e = sheet.currentEvent();
    if (e < 0 || e > gala.NoOfEvents + 1)
        return 0;
    const QString event =
        gala.EventDistance[e] + QStringLiteral("m ") + PBUTIL::StrokeName(gala.EventStroke[e]);
    // The three texts land on the ticket stationery's blanks.
    constexpr double TextX = 2.63;
    int tickets = 0;
    const int rows = std::min(gala.NoOfTeams, int(SheetModel::Rows));
    for (int r = 0; r < rows; ++r) {
        if (sheet.text(SheetModel::Position, r) != QLatin1String("TF"))
            continue;
        printer.setOrientation(PrinterSurface::Portrait);
        printer.setScaleModeInches();
        printer.setScaleLeft(-0.2);
        printer.setScaleTop(0.1);
        printer.setFontName(QStringLiteral("Monotype Corsiva"));
        printer.setFontSize(14);
        printer.setFontBold(true);
        printer.setCurrentY(2.7);
        printer.setCurrentX(TextX);
        printer.printLine(sheet.text(SheetModel::SwimmerName, r));
        printer.setCurrentY(3.6);
        printer.setCurrentX(TextX);
        printer.printLine(event);
        printer.setCurrentY(4.05);
        printer.setCurrentX(TextX);
        printer.print(sheet.text(SheetModel::Time, r));
        printer.endDoc();
        ++tickets;
    }
    return tickets;
}
