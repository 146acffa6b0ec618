#pragma once

#include "cli/ExportCommand.h"
#include "core/values/Dialogs.h"

#include <QStringList>

namespace ExportCommand {

// The desk's questions answered without a window: anything asked is noted
// and refused, so nothing is ever decided behind the user's back.
class BatchDialogs : public Dialogs
{
public:
    QStringList notes;

    void message(const QString &text) override { notes << text; }
    QString input(const QString &prompt) override
    {
        notes << tr("no answer given to \"%1\"").arg(prompt);
        return QString();
    }
    bool yesNo(const QString &question) override
    {
        notes << tr("answered No to \"%1\"").arg(question);
        return false;
    }
    bool yesNoDefaultNo(const QString &question) override
    {
        notes << tr("answered No to \"%1\"").arg(question);
        return false;
    }
    void chooseFile(FileChoice &choice) override
    {
        notes << tr("no file chosen for \"%1\"").arg(choice.FilePrompt);
        choice.SelectedDir.clear();
        choice.SelectedFile.clear();
    }
};

} // namespace ExportCommand
