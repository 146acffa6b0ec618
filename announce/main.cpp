// AQAnnounce: the announcer's board at the pool. Shows what the recording
// desk posts to the announcer database given as the argument; without one
// it asks for the file.
#include "announce/AnnounceBoardWindow.h"
#include "core/values/Dialogs.h"
#include "core/values/UserFolders.h"
#include "core/values/UserFolders.h"
#include "print/FontSubstitutes.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AQAnnounce"));
    QApplication::setOrganizationName(QStringLiteral("Aquaplan"));
    RegisterFontSubstitutes();

    QString path = QApplication::arguments().value(1);
    if (path.isEmpty()) {
        WidgetDialogs dialogs;
        FileChoice choice;
        choice.FilePrompt = QApplication::translate("AQAnnounce", "Select the Announcer Database");
        const UserFolders folders(QApplication::applicationDirPath());
        if (const QString problem = folders.provide(); !problem.isEmpty())
            dialogs.message(problem);
        choice.SelectedDir = folders.dataFolder() + QLatin1Char('/');
        choice.SelectedFile = QStringLiteral("announcer.mdb");
        choice.FileMustExist = true;
        choice.Pattern = QStringLiteral("*.mdb");
        dialogs.chooseFile(choice);
        if (choice.SelectedFile.isEmpty())
            return 0;
        path = choice.path();
    }
    AnnounceBoardWindow board(QFileInfo(path).absoluteFilePath());
    // The board fills the screen even where no window manager maximises it.
    board.resize(board.screen()->availableGeometry().size());
    board.showMaximized();
    return app.exec();
}
