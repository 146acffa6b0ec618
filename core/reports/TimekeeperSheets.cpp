#include "core/gala/GalaState.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/Reports.h"
#include "core/values/Dialogs.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

namespace {

constexpr double TeamX = 1.0;
constexpr double TimeX = 3.0;
constexpr double PositionX = 4.5;
constexpr double DisqX = 5.5;
constexpr double TopFormY = 0.6;
constexpr double BottomFormY = 6.2;
constexpr double LineWidth = 7.0;

// More lanes than any pool has would only print pages of empty forms.
constexpr int MaxLanes = 99;

QString tr(const char *text)
{
    return QCoreApplication::translate("TimekeeperSheets", text);
}

} // namespace

Slots<QString> AskTimekeeperLanes(Dialogs &dialogs)
{
    const int lanes =
        std::clamp(int(PBUTIL::LeadingNumber(dialogs.input(tr("Number of Lanes")))), 0, MaxLanes);
    Slots<QString> teams(lanes + 1);
    for (int lane = 1; lane <= lanes; ++lane)
        teams[lane] = dialogs.input(tr("Team in Lane ") + PBUTIL::NumberText(float(lane)));
    return teams;
}

void PrintTimekeeperSheets(const SharedState &shared, const GalaState &gala,
                           const Slots<QString> &teams, PrinterSurface &printer)
{
    printer.setOrientation(PrinterSurface::Portrait);
    const QString galaLine =
        gala.GalaName + QStringLiteral(" (") + shared.GalaDate + QLatin1Char(')');
    const int lanes = teams.size() - 1;
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        printer.setScaleModeInches();
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontSize(16);
        printer.setFontBold(true);
        if (e % 2 == 1) {
            if (e != 1)
                printer.newPage();
            printer.setCurrentY(TopFormY);
        } else {
            printer.setCurrentY(BottomFormY);
        }
        printer.setCurrentX((LineWidth - printer.textWidth(galaLine)) / 2);
        printer.printLine(galaLine);
        printer.setFontSize(14);
        printer.printLine();
        printer.setFontUnderline(true);
        QString eventLine = QStringLiteral("Event ") + PBUTIL::FormatHash(e) +
                            QStringLiteral("  ") + gala.EventSexAge[e] + QStringLiteral("  ") +
                            gala.EventDistance[e] + QStringLiteral("m  ") +
                            PBUTIL::StrokeName(gala.EventStroke[e]);
        if (!gala.EventTime[e].isEmpty())
            eventLine += QLatin1Char('(') + gala.EventTime[e] + QLatin1Char(')');
        printer.printLine(eventLine);
        printer.printLine();
        printer.printLine();

        printer.setFontName(QStringLiteral("Arial Narrow"));
        printer.setFontSize(12);
        printer.setFontBold(false);
        printer.print(QStringLiteral("Lane"));
        printer.setCurrentX(TeamX);
        printer.print(QStringLiteral("Swimmers Name/Team"));
        printer.setCurrentX(TimeX);
        printer.print(QStringLiteral("Time"));
        printer.setCurrentX(PositionX);
        printer.print(QStringLiteral("Pos"));
        printer.setCurrentX(DisqX);
        printer.printLine(QStringLiteral("Disq?"));
        printer.printLine();
        printer.setFontUnderline(false);

        if (!gala.EventTime[e].isEmpty()) {
            printer.printLine(QStringLiteral("Grade Time : ") + gala.EventTime[e]);
            printer.printLine();
        }
        for (int lane = 1; lane <= lanes; ++lane) {
            printer.printFitted(PBUTIL::FormatHash(lane), TeamX - ColumnGap);
            printer.setCurrentX(TeamX);
            printer.printFitted(teams[lane], TimeX - TeamX - ColumnGap);
            printer.setCurrentX(TimeX);
            printer.print(QStringLiteral("______________"));
            printer.setCurrentX(PositionX);
            printer.print(QStringLiteral("_________"));
            printer.setCurrentX(DisqX);
            printer.printLine(QStringLiteral("_____________________"));
            printer.printLine();
        }
    }
    printer.endDoc();
}
