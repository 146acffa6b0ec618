#include "core/gala/GalaState.h"
#include "core/values/SharedState.h"
#include "print/FontSubstitutes.h"
#include "ui/GalaRecIntro.h"
#include "ui/GalaRecSetup.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AQGalaRec"));
    QApplication::setOrganizationName(QStringLiteral("Aquaplan"));
    RegisterFontSubstitutes();
    // The start screen hides while the set-up screen is open; the program
    // ends only when the start screen closes.
    QApplication::setQuitOnLastWindowClosed(false);

    SharedState shared;
    GalaState gala;
    WidgetDialogs dialogs;

    // An installed desk works on the user's own copies of the databases.
    const UserFolders folders(QApplication::applicationDirPath());
    if (const QString problem = folders.provide(); !problem.isEmpty())
        dialogs.message(problem);
    GalaRecIntro intro(shared, dialogs, folders);
    intro.openSetUp = [&] {
        GalaRecSetup setUp(shared, gala, dialogs);
        setUp.exec();
    };
    intro.show();
    return app.exec();
}
