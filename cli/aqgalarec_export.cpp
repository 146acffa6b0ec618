#include "cli/ExportCommand.h"
#include "cli/SaveHistoryCommand.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    // The printed reports need fonts, not a screen: without a display the
    // offscreen platform serves.
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("aqgalarec-export"));
    QCoreApplication::setOrganizationName(QStringLiteral("Aquaplan"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (SaveHistoryCommand::Wanted(arguments))
        return SaveHistoryCommand::Run(arguments, out, err);
    return ExportCommand::Run(arguments, out, err);
}
