#include "core/exports/ExportMenu.h"

#include "core/exports/ExportFile.h"
#include "core/exports/ProgramData.h"
#include "core/exports/RankingFiles.h"
#include "core/exports/WebResults.h"
#include "core/exports/WebTeamResults.h"
#include "core/gala/GalaState.h"
#include "core/values/Dialogs.h"
#include "core/values/SharedState.h"

#include <QDir>

namespace ExportMenu {

namespace {

using Exports::Texts;

enum class Target
{
    File,
    Folder
};

// Shows the chooser for new names; false (after saying so) when it was
// cancelled, or when a file was wanted and none was named.
bool chooseTarget(SharedState &shared, Dialogs &dialogs, const QString &caption, Target target)
{
    FileChoice &choice = shared.Choice;
    choice.FileMustExist = false;
    choice.FilePrompt = caption;
    dialogs.chooseFile(choice);
    if (choice.SelectedDir.isEmpty() || (target == Target::File && choice.SelectedFile.isEmpty())) {
        dialogs.message(Texts::tr("No Output File Specified"));
        return false;
    }
    return true;
}

// Tells the official what was written, or why it was not.
void report(Dialogs &dialogs, bool written, const QString &error, const QString &done)
{
    dialogs.message(written ? done : error);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void WebResultsSheet(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
{
    if (!chooseTarget(shared, dialogs, Texts::tr("Select File for WEB results page"), Target::File))
        return;
    QString error;
    const QString path = shared.Choice.path();
    const bool written = WebResults::Write(path, gala, shared.GalaDate, error);
    report(dialogs, written, error, Texts::tr("Results page written to %1").arg(shown(path)));
}

void WebTeamResults(SharedState &shared, const GalaState &gala, Dialogs &dialogs,
                    SplitTimes *splits)
{
    if (!chooseTarget(shared, dialogs, Texts::tr("Select Directory for WEB team results pages"),
                      Target::Folder))
        return;
    QString error;
    const QString folder = shared.Choice.SelectedDir;
    const bool written = WebTeamResults::Write(folder, gala, shared.GalaDate,
                                               shared.Graded == QLatin1String("Y"), splits, error);
    report(dialogs, written, error,
           Texts::tr("%1 team results pages written in %2").arg(gala.NoOfTeams).arg(shown(folder)));
}

void AsaRankingFiles(SharedState &shared, const GalaState &gala, Dialogs &dialogs,
                     double poolLength)
{
    // A date the header cannot hold stops the export before anything is asked.
    if (!RankingFiles::GalaDay(shared.GalaDate).isValid()) {
        dialogs.message(RankingFiles::BadDateMessage(shared.GalaDate));
        return;
    }
    shared.Choice.SelectedFile.clear();
    if (!chooseTarget(shared, dialogs, Texts::tr("Select Directory for Ranking Files"),
                      Target::Folder))
        return;
    const QString meetCode = dialogs.input(Texts::tr("Enter meet code for ASA"));
    // The code names both files: without it they would be hidden ".HDR" files.
    if (meetCode.trimmed().isEmpty()) {
        dialogs.message(Texts::tr("No meet code entered: no ranking files written"));
        return;
    }
    // Enter answers the course the gala's pool gives.
    const QString course = Texts::tr("Long course (YES) or Short course (NO)");
    const bool longCourse =
        poolLength == 50.0 ? dialogs.yesNo(course) : dialogs.yesNoDefaultNo(course);
    QString error;
    const QString folder = shared.Choice.SelectedDir;
    const bool written =
        RankingFiles::Write(folder, meetCode, longCourse, gala, shared.GalaDate, error);
    const QDir dir(folder);
    report(dialogs, written, error,
           Texts::tr("Ranking files written: %1 and %2")
               .arg(shown(dir.filePath(RankingFiles::HeaderFileName(meetCode))),
                    shown(dir.filePath(RankingFiles::ResultsFileName(meetCode)))));
}

void DataForProgram(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
{
    shared.Choice.SelectedFile.clear();
    if (!chooseTarget(shared, dialogs, Texts::tr("Select File for Program Data"), Target::File))
        return;
    QString error;
    const QString path = shared.Choice.path();
    const bool written = ProgramData::Write(path, gala, error);
    report(dialogs, written, error,
           Texts::tr("Data for the competition program written to %1").arg(shown(path)));
}

} // namespace ExportMenu
