#include "core/exports/ExportMenu.h"

#include "core/exports/ExportFile.h"
#include "core/exports/LenexFile.h"
#include "core/exports/ProgramData.h"
#include "core/exports/RankingFiles.h"
#include "core/exports/WebResults.h"
#include "core/exports/WebTeamResults.h"
#include "core/values/Dialogs.h"
#include "core/values/SharedState.h"

namespace ExportMenu {

namespace {

using Exports::Texts;

using Target = OutputTarget;

bool chooseTarget(SharedState &shared, Dialogs &dialogs, const QString &caption, Target target)
{
    return ChooseOutput(dialogs, shared.Choice, caption, target);
}

void report(Dialogs &dialogs, bool written, const QString &error)
{
    if (!written)
        dialogs.message(error);
}

} // namespace

void WebResultsSheet(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
{
    if (!chooseTarget(shared, dialogs, Texts::tr("Select File for WEB results page"), Target::File))
        return;
    QString error;
    const bool written = WebResults::Write(shared.Choice.path(), gala, shared.GalaDate, error);
    report(dialogs, written, error);
}

void WebTeamResults(SharedState &shared, const GalaState &gala, Dialogs &dialogs,
                    SplitTimes &splits)
{
    if (!chooseTarget(shared, dialogs, Texts::tr("Select Directory for WEB team results pages"),
                      Target::Folder))
        return;
    QString error;
    const bool written = WebTeamResults::Write(shared.Choice.SelectedDir, gala, shared.GalaDate,
                                               shared.graded(), splits, error);
    report(dialogs, written, error);
}

void AsaRankingFiles(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
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
    const bool longCourse = dialogs.yesNo(Texts::tr("Long course (YES) or Short course (NO)"));
    QString error;
    const bool written = RankingFiles::Write(shared.Choice.SelectedDir, meetCode, longCourse, gala,
                                             shared.GalaDate, error);
    report(dialogs, written, error);
}

void LenexResultsFile(SharedState &shared, const GalaState &gala, OnlineTimes *online,
                      Dialogs &dialogs)
{
    shared.Choice.SelectedFile.clear();
    if (!chooseTarget(shared, dialogs,
                      QCoreApplication::translate("LenexFile", "Select File for Lenex Results"),
                      Target::File))
        return;
    QString written, error;
    if (!LenexFile::Export(shared, gala, online, shared.Choice.path(), &written, &error))
        dialogs.message(
            QCoreApplication::translate("LenexFile", "Lenex results not written to %1: %2")
                .arg(written, error));
}

void DataForProgram(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
{
    shared.Choice.SelectedFile.clear();
    if (!chooseTarget(shared, dialogs, Texts::tr("Select File for Program Data"), Target::File))
        return;
    QString error;
    const bool written = ProgramData::Write(shared.Choice.path(), gala, error);
    report(dialogs, written, error);
}

} // namespace ExportMenu
