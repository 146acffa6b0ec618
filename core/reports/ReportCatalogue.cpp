#include "core/reports/ReportCatalogue.h"

#include "core/reports/Reports.h"

#include <QCoreApplication>

namespace ReportCatalogue {

const QList<Report> &All()
{
    static const QList<Report> reports = {
        {"Print_Results", QT_TRANSLATE_NOOP("ReportCatalogue", "Results Sheets"), Needs::Nothing,
         [](const Inputs &in, PrinterSurface &p) { PrintResultsSheets(in.shared, in.gala, p); }},
        {"Print_This_Result", QT_TRANSLATE_NOOP("ReportCatalogue", "This Result"),
         Needs::ShownEvent,
         [](const Inputs &in, PrinterSurface &p) {
             PrintThisResult(in.shared, in.gala, *in.sheet, p);
         }},
        {"Print_Team_Results", QT_TRANSLATE_NOOP("ReportCatalogue", "Team Results"), Needs::Nothing,
         [](const Inputs &in, PrinterSurface &p) {
             PrintTeamResults(in.shared, in.gala, in.splits, p);
         }},
        {"Print_TK_Sheets", QT_TRANSLATE_NOOP("ReportCatalogue", "Chief TK Sheets"),
         Needs::LaneTeams,
         [](const Inputs &in, PrinterSurface &p) {
             PrintTimekeeperSheets(in.shared, in.gala, in.teams, p);
         }},
        {"Announcer_List", QT_TRANSLATE_NOOP("ReportCatalogue", "List of Swimmers for Announcer"),
         Needs::Nothing,
         [](const Inputs &in, PrinterSurface &p) { PrintAnnouncerList(in.gala, p); }},
        {"Position_Analysis", QT_TRANSLATE_NOOP("ReportCatalogue", "Analysis of Positions"),
         Needs::Nothing,
         [](const Inputs &in, PrinterSurface &p) { PrintPositionAnalysis(in.gala, p); }},
        {"Speeding", QT_TRANSLATE_NOOP("ReportCatalogue", "Speeding Tkts"), Needs::ShownEvent,
         [](const Inputs &in, PrinterSurface &p) {
             (void)PrintSpeedingTickets(in.gala, *in.sheet, p);
         }},
    };
    return reports;
}

QString Name(const Report &report)
{
    return QCoreApplication::translate("ReportCatalogue", report.name);
}

} // namespace ReportCatalogue
