// Writes the ready-made databases beside the program: the blank gala
// database, the demonstration gala and the blank announcer database.
#include "tools/ReadyMadeDatabases.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: make_databases FOLDER STAMPFILE\n";
        return 2;
    }
    const QString error = ReadyMade::writeAll(args[1]);
    if (!error.isEmpty()) {
        QTextStream(stderr) << "make_databases: " << error << '\n';
        return 1;
    }
    QFile stamp(args[2]);
    return stamp.open(QIODevice::WriteOnly) ? 0 : 1;
}
