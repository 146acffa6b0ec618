#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

namespace {

// A page holds at most six team entries and 25 events.
constexpr int TeamsPerPage = 6;
constexpr int EventsPerPage = 25;
constexpr int CumulativeEvery = 5;

// The three places of column c (1 ..) on the page, in inches.
constexpr double ColumnWidth = 1.4;
double timeX(int c)
{
    return 2.5 + ColumnWidth * (c - 1);
}
double positionX(int c)
{
    return 3.1 + ColumnWidth * (c - 1);
}
double pointsX(int c)
{
    return 3.35 + ColumnWidth * (c - 1);
}
constexpr double DetailsX = 0.3;

// Disqualifications page columns.
constexpr double DqTeamX = 0.7;
constexpr double DqSwimmerX = 2.0;
constexpr double DqReasonX = 4.0;

} // namespace

void PrintSheetHeading(const SharedState &shared, const GalaState &gala, PrinterSurface &printer,
                       int first, int last)
{
    printer.setOrientation(PrinterSurface::Landscape);
    printer.setScaleModeInches();
    printer.printLine();
    printer.setFontName(QStringLiteral("Arial Narrow"));
    printer.setFontBold(true);
    printer.setFontSize(12);
    constexpr double DateX = 5.0;
    printer.printFitted(shared.Promoter, DateX - ColumnGap);
    printer.setCurrentX(DateX);
    printer.printLine(shared.GalaDate + QStringLiteral(" - ") + gala.GalaName);
    printer.printLine();
    printer.setFontSize(10);
    printer.setFontUnderline(true);
    for (int k = first; k <= last; ++k) {
        const int c = k - first + 1;
        printer.setCurrentX(timeX(c));
        printer.printFitted(gala.TeamName[k], ColumnWidth - ColumnGap);
    }
    printer.printLine();
    printer.setFontBold(false);
    printer.print(QStringLiteral("Event Details"));
    for (int k = first; k <= last; ++k) {
        const int c = k - first + 1;
        printer.setCurrentX(timeX(c));
        printer.print(QStringLiteral("Time"));
        printer.setCurrentX(positionX(c));
        printer.print(QStringLiteral("Pos"));
        printer.setCurrentX(pointsX(c));
        printer.print(QStringLiteral("Pts"));
    }
    printer.setFontUnderline(false);
    printer.printLine();
}

void PrintSheetEventLine(const SharedState &shared, const GalaState &gala, PrinterSurface &printer,
                         int first, int last, int e)
{
    printer.printFitted(PBUTIL::FormatHash(PBUTIL::LeadingNumber(gala.EventNo[e])),
                        DetailsX - ColumnGap);
    printer.setCurrentX(DetailsX);
    printer.printFitted(GalaRules::EventTitle(gala, e), timeX(1) - DetailsX - ColumnGap);
    for (int k = first; k <= last; ++k) {
        const int c = k - first + 1;
        printer.setCurrentX(timeX(c));
        printer.printFitted(gala.LaneTime(e, k), positionX(c) - timeX(c) - ColumnGap);
        printer.setCurrentX(positionX(c));
        printer.printFitted(GalaRules::TooFast(gala, shared.graded(), e, k)
                                ? QStringLiteral("TF")
                                : PBUTIL::FormatHash(gala.LanePos(e, k)),
                            pointsX(c) - positionX(c));
        printer.setCurrentX(pointsX(c));
        printer.printFitted(PBUTIL::TrimmedNumberText(gala.LanePoints(e, k)),
                            timeX(c + 1) - pointsX(c) - ColumnGap);
    }
    printer.printLine();
}

void PrintCumulativeLines(const GalaState &gala, PrinterSurface &printer, int first, int last,
                          int e)
{
    printer.setCurrentX(DetailsX);
    printer.print(QStringLiteral("Cumulative Points"));
    for (int k = first; k <= last; ++k) {
        const int c = k - first + 1;
        printer.setCurrentX(pointsX(c));
        printer.print(PBUTIL::TrimmedNumberText(GalaRules::CumulativePoints(gala, k, e)));
    }
    printer.printLine();
    printer.printLine();
}

void PrintResultsSheets(const SharedState &shared, const GalaState &gala, PrinterSurface &printer)
{
    for (int first = 1; first <= gala.NoOfTeams; first += TeamsPerPage) {
        const int last = std::min(first + TeamsPerPage - 1, gala.NoOfTeams);
        for (int start = 1; start <= gala.NoOfEvents; start += EventsPerPage) {
            const int end = std::min(start + EventsPerPage - 1, gala.NoOfEvents);
            PrintSheetHeading(shared, gala, printer, first, last);
            for (int e = start; e <= end; ++e) {
                PrintSheetEventLine(shared, gala, printer, first, last, e);
                if (e % CumulativeEvery == 0)
                    PrintCumulativeLines(gala, printer, first, last, e);
            }
            if (end % CumulativeEvery != 0)
                PrintCumulativeLines(gala, printer, first, last, end);
            printer.newPage();
        }
    }

    printer.setOrientation(PrinterSurface::Portrait);
    printer.setFontBold(true);
    printer.printLine(QStringLiteral("Disqualifications"));
    printer.setFontBold(false);
    printer.printLine();
    printer.setFontUnderline(true);
    printer.print(QStringLiteral("Event"));
    printer.setCurrentX(DqTeamX);
    printer.print(QStringLiteral("Team"));
    printer.setCurrentX(DqSwimmerX);
    printer.print(QStringLiteral("Swimmer"));
    printer.setCurrentX(DqReasonX);
    printer.printLine(QStringLiteral("Reason for Disqualification"));
    printer.setFontUnderline(false);
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        for (int k = 1; k <= gala.NoOfTeams; ++k) {
            if (!GalaRules::IsDisqualification(gala.LaneTime(e, k)))
                continue;
            printer.printFitted(PBUTIL::FormatHash(PBUTIL::LeadingNumber(gala.EventNo[e])),
                                DqTeamX - ColumnGap);
            printer.setCurrentX(DqTeamX);
            printer.printFitted(gala.TeamName[k], DqSwimmerX - DqTeamX - ColumnGap);
            printer.setCurrentX(DqSwimmerX);
            printer.printFitted(gala.LaneName(e, k), DqReasonX - DqSwimmerX - ColumnGap);
            printer.setCurrentX(DqReasonX);
            printer.printLine(gala.LaneNotes(e, k));
        }
    }
    printer.endDoc();
}
