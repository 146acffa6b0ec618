#include "core/gala/GalaState.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/sheet/SheetModel.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <limits>
#include <utility>

namespace {

struct Row
{
    int position = 0;
    bool disqualified = false;
    QString positionText, swimmer, team, time, reason;
    float total = 0;
};

// Columns of the result, in inches.
constexpr double SwimmerX = 0.5;
constexpr double TeamX = 2.0;
constexpr double TimeX = 3.5;
constexpr double ReasonX = 4.8;
constexpr double TotalX = 7.0;

} // namespace

void PrintThisResult(const SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                     PrinterSurface &printer)
{
    const int e = sheet.currentEvent();
    if (e < 0 || e > gala.NoOfEvents + 1)
        return;
    const QString heading =
        QStringLiteral("Event ") + sheet.evNo() + QStringLiteral(" : ") + EventDetailsText(gala, e);

    printer.setOrientation(PrinterSurface::Portrait);
    printer.setScaleModeInches();
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontBold(false);
    printer.setFontSize(10);
    printer.printLine(gala.GalaName + QStringLiteral(" (") + shared.GalaDate + QLatin1Char(')'));
    printer.printLine();
    printer.setFontBold(true);
    printer.printLine(heading);
    printer.setFontBold(false);
    printer.printLine();

    const int n = std::min(gala.NoOfTeams, int(SheetModel::Rows));
    Slots<Row> rows(n + 1);
    for (int k = 1; k <= n; ++k) {
        const int r = k - 1;
        Row &row = rows[k];
        row.team = sheet.teamNameCaption(r);
        row.total = gala.TeamTotal[k];
        row.swimmer = sheet.text(SheetModel::SwimmerName, r);
        const QString time = sheet.text(SheetModel::Time, r);
        if (!time.startsWith(QLatin1Char('D'))) {
            row.time = time;
            row.positionText = sheet.text(SheetModel::Position, r);
            row.position = PBUTIL::LeadingWhole(row.positionText);
        } else {
            row.disqualified = true;
            row.reason = sheet.text(SheetModel::Notes, r);
        }
    }
    // The desk's exchange sort: placed rows by place, then the rows without a
    // place (no swim, "TF"), disqualified rows last; equal places stay.
    const auto order = [](const Row &row) {
        return row.position > 0 ? row.position : std::numeric_limits<int>::max();
    };
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            if (rows[i].disqualified || (!rows[j].disqualified && order(rows[i]) > order(rows[j])))
                std::swap(rows[i], rows[j]);
        }
    }

    for (int i = 1; i <= n; ++i) {
        const Row &row = rows[i];
        // A row without a place shows its position box as it stands ("TF" or
        // nothing), never a place 0.
        const QString place = row.disqualified   ? QStringLiteral("DQ")
                              : row.position > 0 ? PBUTIL::NumberText(float(row.position))
                                                 : row.positionText.trimmed();
        printer.printFitted(place, SwimmerX - ColumnGap);
        printer.setCurrentX(SwimmerX);
        printer.printFitted(row.swimmer, TeamX - SwimmerX - ColumnGap);
        printer.setCurrentX(TeamX);
        printer.printFitted(row.team, TimeX - TeamX - ColumnGap);
        printer.setCurrentX(TimeX);
        printer.printFitted(row.time, ReasonX - TimeX - ColumnGap);
        // The referee's reason is never cut: it wraps under its column.
        const QStringList reason = printer.wrapped(row.reason, TotalX - ReasonX - ColumnGap);
        printer.setCurrentX(ReasonX);
        printer.print(reason.value(0));
        printer.setCurrentX(TotalX);
        printer.printLine(PBUTIL::NumberText(row.total));
        for (qsizetype l = 1; l < reason.size(); ++l) {
            printer.setCurrentX(ReasonX);
            printer.printLine(reason[l]);
        }
    }
    printer.printLine();
    printer.endDoc();
}
