#include "foundation/GalaRecIntro.h"
#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "foundation/WidgetDialogs.h"
#include "reports/FontSubstitutes.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AQGalaRec"));
    QApplication::setOrganizationName(QStringLiteral("Aquaplan"));
    RegisterFontSubstitutes();

    SharedState shared;
    GalaState gala;
    WidgetDialogs dialogs;

    GalaRecIntro intro(shared, dialogs, QApplication::applicationDirPath());
    intro.show();
    return app.exec();
}
