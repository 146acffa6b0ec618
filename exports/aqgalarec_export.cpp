#include "exports/ExportCommand.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("aqgalarec-export"));
    QCoreApplication::setOrganizationName(QStringLiteral("Aquaplan"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ExportCommand::Run(QCoreApplication::arguments(), out, err);
}
