#include "core/sheet/RestoreSave.h"

#include "core/sheet/SaveResults.h"
#include "core/values/Dialogs.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

namespace RestoreSave {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("RestoreSave", text);
}

QString when(const SaveHistory::Entry &entry)
{
    return entry.savedAt.isValid() ? entry.savedAt.toString(QStringLiteral("dd/MM/yy HH:mm:ss"))
                                   : tr("time not known");
}

} // namespace

QList<SaveHistory::Entry> Saves(SharedState &shared, Dialogs &dialogs)
{
    if (!shared.GalaDb || shared.ProgCode.isEmpty() || shared.GalaDate.isEmpty()) {
        dialogs.message(tr("Choose the Meet Code and the Gala Date first"));
        return {};
    }
    const QList<SaveHistory::Entry> saves =
        SaveHistory::List(*shared.GalaDb, shared.ProgCode, shared.GalaDate);
    if (saves.isEmpty())
        dialogs.message(tr("No saves of %1 %2").arg(shared.ProgCode, shared.GalaDate));
    return saves;
}

QStringList Columns(const SaveHistory::Entry &entry)
{
    return {when(entry), entry.action, entry.eventShown, QString::number(entry.eventsWithResults)};
}

bool Restore(SharedState &shared, Dialogs &dialogs, const SaveHistory::Entry &entry)
{
    const QString question =
        tr("Make the save of %1 (%2) the current results of %3 %4? The results stored now are "
           "kept as a save of their own.")
            .arg(when(entry), entry.action, shared.ProgCode, shared.GalaDate);
    if (!dialogs.yesNoDefaultNo(question))
        return false;
    ResultStore::RestoreResults(*shared.GalaDb, shared.ProgCode, shared.GalaDate, entry.number);
    RequestSecondCopy(shared, dialogs);
    return true;
}

} // namespace RestoreSave
