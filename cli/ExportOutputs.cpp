#include "cli/ExportOutputs.h"

#include "cli/ExportSession.h"
#include "core/exports/LenexFile.h"
#include "core/exports/ProgramData.h"
#include "core/exports/RankingFiles.h"
#include "core/exports/WebResults.h"
#include "core/exports/WebTeamResults.h"
#include "core/reports/ReportCatalogue.h"
#include "print/ReportJob.h"

#include <QDir>

namespace ExportCommand {

namespace {

bool writeWeb(Session &s, const QString &target, QStringList *written, QString *error)
{
    if (!WebResults::Write(target, s.gala, s.shared.GalaDate, *error))
        return false;
    *written << target;
    return true;
}

// A folder named for files is made when it does not exist yet.
bool makeFolder(const QString &folder, QString *error)
{
    if (QDir().mkpath(folder))
        return true;
    *error = tr("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder));
    return false;
}

bool writeTeamPages(Session &s, const QString &target, QStringList *written, QString *error)
{
    SplitTimes splits = s.splits();
    if (!makeFolder(target, error) || !WebTeamResults::Write(target, s.gala, s.shared.GalaDate,
                                                             s.shared.graded(), splits, *error))
        return false;
    const QDir dir(target);
    for (const QString &name : WebTeamResults::PageNames(s.gala))
        *written << dir.filePath(name);
    return true;
}

// The menu asks for the meet code, with nothing typed in advance: the gala
// code answers it here.
bool writeRankings(Session &s, const QString &target, QStringList *written, QString *error)
{
    if (!makeFolder(target, error) ||
        !RankingFiles::Write(target, s.code, s.longCourse, s.gala, s.shared.GalaDate, *error))
        return false;
    const QDir dir(target);
    *written << dir.filePath(RankingFiles::HeaderFileName(s.code))
             << dir.filePath(RankingFiles::ResultsFileName(s.code));
    return true;
}

bool writeProgramData(Session &s, const QString &target, QStringList *written, QString *error)
{
    if (!ProgramData::Write(target, s.gala, *error))
        return false;
    *written << target;
    return true;
}

// The reports that need nothing but the gala: "This Result" and the
// speeding tickets print the event shown on the sheet, and "Chief TK Sheets"
// asks the lanes' teams, so these are not printed here.
bool writeReports(Session &s, const QString &target, QStringList *written, QString *error)
{
    SplitTimes splits = s.splits();
    const ReportCatalogue::Inputs inputs{s.shared, s.gala, splits, nullptr, {}};
    PrinterChoice choice;
    choice.usePdfPages();
    for (const ReportCatalogue::Report &report : ReportCatalogue::All()) {
        if (report.needs != ReportCatalogue::Needs::Nothing)
            continue;
        const QString name = ReportCatalogue::Name(report);
        const ReportOutcome outcome =
            RunReport(choice, target, name, [&](PrinterSurface &p) { report.draw(inputs, p); });
        *written << outcome.written;
        if (outcome.failed()) {
            *error = outcome.told(name).replace(QLatin1Char('\n'), QLatin1Char(' '));
            return false;
        }
    }
    return true;
}

} // namespace

bool writeLenex(Session &s, const QString &target, QStringList *written, QString *error)
{
    QString path;
    if (!LenexFile::Export(s.shared, s.gala, s.online(), target, &path, *error)) {
        *error = tr("%1: %2").arg(path, *error);
        return false;
    }
    *written << path;
    return true;
}

const Output Outputs[6] = {
    {"web", "file", QT_TRANSLATE_NOOP("ExportCommand", "Web results sheet (HTML)."), writeWeb},
    {"team-pages", "folder",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "One web page per team entry, into the folder (made when missing)."),
     writeTeamPages},
    {"rankings", "folder",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "ASA ranking files (.HDR and .MRF) named after the gala code, into the "
                       "folder (made when missing)."),
     writeRankings},
    {"program-data", "file",
     QT_TRANSLATE_NOOP("ExportCommand", "Data file for the printed competition programme."),
     writeProgramData},
    {"lenex", "file",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "Lenex 3 results: a .lef name gives plain XML, any other name the zipped "
                       ".lxf."),
     writeLenex},
    {"reports", "folder",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "The printed reports that ask nothing (Results Sheets, Team Results, List "
                       "of Swimmers for Announcer, Analysis of Positions) as PDF files, into the "
                       "folder (made when missing)."),
     writeReports},
};

} // namespace ExportCommand
