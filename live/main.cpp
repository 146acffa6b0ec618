// aqgalarec-live: serves a folder the desk publishes into, read-only, to the
// phones and tablets on the pool's network.
#include "live/LiveServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("aqgalarec-live"));
    QTextStream err(stderr);
    QTextStream out(stdout);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves a live results folder read-only over HTTP."));
    parser.addHelpOption();
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("The folder the desk publishes into."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("The port to listen on (0: any free one)."),
                                  QStringLiteral("PORT"), QStringLiteral("8080"));
    const QCommandLineOption bind(QStringLiteral("bind"),
                                  QStringLiteral("The address to listen on (default 127.0.0.1)."),
                                  QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption announcer(
        QStringLiteral("announcer"),
        QStringLiteral("An announcer database whose messages /announcer shows."),
        QStringLiteral("FILE"));
    parser.addOptions({folder, port, bind, announcer});
    parser.process(app);

    if (!parser.isSet(folder) || !QFileInfo(parser.value(folder)).isDir()) {
        err << "aqgalarec-live: --folder must name an existing folder\n";
        return 2;
    }
    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    const QHostAddress address(parser.value(bind));
    if (!portOk || portNumber > 65535 || address.isNull()) {
        err << "aqgalarec-live: --port takes 0 to 65535 and --bind an IP address\n";
        return 2;
    }
    if (parser.isSet(announcer) && !QFileInfo(parser.value(announcer)).isFile()) {
        err << "aqgalarec-live: the announcer database " << parser.value(announcer)
            << " does not exist\n";
        return 2;
    }

    LiveServer server(parser.value(folder), parser.value(announcer));
    const quint16 listening = server.start(address, quint16(portNumber));
    if (listening == 0) {
        err << "aqgalarec-live: cannot listen on " << address.toString() << " port " << portNumber
            << '\n';
        return 1;
    }
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                             : address.toString();
    out << "Live results at http://" << host << ':' << listening << "/\n";
    if (parser.isSet(announcer))
        out << "Announcer's messages at http://" << host << ':' << listening << "/announcer\n";
    out.flush();
    return app.exec();
}
