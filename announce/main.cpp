// AQAnnounce: the announcer's board at the pool. Shows what the recording
// desk posts to the announcer database given as the argument; without one
// it asks for the file.
#include "announce/AnnounceBoard.h"
#include "foundation/Dialogs.h"
#include "foundation/WidgetDialogs.h"
#include "reports/FontSubstitutes.h"

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
        choice.SelectedDir = QApplication::applicationDirPath() + QLatin1Char('/');
        choice.SelectedFile = QStringLiteral("announcer.mdb");
        choice.FileMustExist = true;
        choice.Pattern = QStringLiteral("*.mdb");
        dialogs.chooseFile(choice);
        if (choice.SelectedFile.isEmpty())
            return 0;
        path = choice.path();
    }
    AnnounceBoard board(QFileInfo(path).absoluteFilePath());
    // The board fills the screen even where no window manager maximises it.
    board.resize(board.screen()->availableGeometry().size());
    board.showMaximized();
    return app.exec();
}
