#include "live/LiveServer.h"

#include "core/links/AnnouncementBoardModel.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

namespace {

using Status = QHttpServerResponder::StatusCode;

const char *const ReceivedProperty = "aqgalarecReceived";

// The page and its files come from this server only; nothing inline runs.
const QByteArray Policy = "default-src 'self'; script-src 'self'; style-src 'self'; "
                          "img-src 'self'; connect-src 'self'; object-src 'none'; "
                          "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

void answer(QHttpServerResponder &responder, Status status, const QByteArray &type,
            const QByteArray &body, bool withBody,
            const QList<QPair<QByteArray, QByteArray>> &extra = {})
{
    responder.writeStatusLine(status);
    for (const auto &[key, value] : LiveServer::securityHeaders())
        responder.writeHeader(key, value);
    for (const auto &[key, value] : extra)
        responder.writeHeader(key, value);
    if (!type.isEmpty())
        responder.writeHeader("Content-Type", type);
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeBody(withBody ? body : QByteArray());
}

void refuse(QHttpServerResponder &responder, Status status, const QByteArray &text,
            const QList<QPair<QByteArray, QByteArray>> &extra = {})
{
    answer(responder, status, "text/plain; charset=utf-8", text + '\n', true, extra);
}

} // namespace

void LimitedTcpServer::requestDone(QTcpSocket *socket)
{
    socket->setProperty(ReceivedProperty, 0);
}

void LimitedTcpServer::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    // Connected before the server's own reader, so it sees every chunk
    // before the parser takes it.
    connect(socket, &QTcpSocket::readyRead, socket, [socket] {
        if (socket->property(ReceivedProperty).toLongLong() < 0) {
            socket->readAll(); // refused already: nothing more is parsed
            return;
        }
        const qint64 received =
            socket->property(ReceivedProperty).toLongLong() + socket->bytesAvailable();
        if (received <= MaxRequestBytes) {
            socket->setProperty(ReceivedProperty, received);
            return;
        }
        socket->setProperty(ReceivedProperty, -1);
        socket->readAll();
        const QByteArray text = "Request too large\n";
        socket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: text/plain; "
                      "charset=utf-8\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(text.size()) + "\r\n\r\n" + text);
        socket->disconnectFromHost();
    });
    addPendingConnection(socket);
}

LiveServer::LiveServer(const QString &folder, const QString &announcerDb, QObject *parent)
    : QAbstractHttpServer(parent), m_folder(folder)
{
    if (!announcerDb.isEmpty())
        m_board = std::make_unique<AnnouncementBoardModel>(announcerDb);
}

LiveServer::~LiveServer() = default;

quint16 LiveServer::start(const QHostAddress &address, quint16 port)
{
    auto *server = new LimitedTcpServer(this);
    // Hundreds of phones may connect at once when the page opens.
    server->setListenBacklogSize(1024);
    if (!server->listen(address, port)) {
        delete server;
        return 0;
    }
    bind(server);
    return server->serverPort();
}

const QList<QPair<QByteArray, QByteArray>> &LiveServer::securityHeaders()
{
    static const QList<QPair<QByteArray, QByteArray>> headers{{"X-Content-Type-Options", "nosniff"},
                                                              {"Content-Security-Policy", Policy},
                                                              {"Referrer-Policy", "no-referrer"},
                                                              {"Cache-Control", "no-cache"}};
    return headers;
}

bool LiveServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    LimitedTcpServer::requestDone(socket);
    QHttpServerResponder responder = makeResponder(request, socket);
    const auto method = request.method();
    const bool head = method == QHttpServerRequest::Method::Head;
    if (method != QHttpServerRequest::Method::Get && !head) {
        refuse(responder, Status::MethodNotAllowed, "Only GET and HEAD are answered",
               {{"Allow", "GET, HEAD"}});
        return true;
    }
    const QByteArray target = request.url().path(QUrl::FullyEncoded).toUtf8();
    if (target.size() > MaxTargetLength) {
        refuse(responder, Status::UriTooLong, "Request path too long");
        return true;
    }
    if (m_board && target == "/announcer") {
        answer(responder, Status::Ok, "text/html; charset=utf-8", announcerPage(), !head);
        return true;
    }
    const std::optional<QString> path = m_folder.resolve(target);
    const std::optional<ServedFolder::File> file = path ? m_folder.file(*path) : std::nullopt;
    if (!file) {
        refuse(responder, Status::NotFound, "Not found");
        return true;
    }
    // Every browser takes zlib-compressed text ("deflate").
    const bool deflate =
        !file->deflated.isEmpty() && request.value("Accept-Encoding").toLower().contains("deflate");
    const QByteArray &etag = deflate ? file->deflatedEtag : file->etag;
    if (ServedFolder::matches(request.value("If-None-Match"), etag)) {
        responder.writeStatusLine(Status::NotModified);
        for (const auto &[key, value] : securityHeaders())
            responder.writeHeader(key, value);
        responder.writeHeader("ETag", etag);
        responder.writeHeader("Vary", "Accept-Encoding");
        responder.writeBody(QByteArray());
        return true;
    }
    QList<QPair<QByteArray, QByteArray>> extra{{"ETag", etag}, {"Vary", "Accept-Encoding"}};
    if (deflate)
        extra.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("deflate")));
    answer(responder, Status::Ok, file->type, deflate ? file->deflated : file->content, !head,
           extra);
    return true;
}

void LiveServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    refuse(responder, Status::NotFound, "Not found");
}

QByteArray LiveServer::announcerPage()
{
    QString error;
    bool changed = false;
    const bool read = m_board->refresh(error, changed);
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                      "<meta http-equiv=\"refresh\" content=\"2\">"
                      "<title>Announcer</title><link rel=\"stylesheet\" href=\"live.css\">"
                      "</head><body><h1>Announcer</h1>\n";
    if (!read)
        page += "<p>" + error.toHtmlEscaped().toUtf8() + "</p>\n";
    for (const AnnouncementBoardModel::Group &group : m_board->groups()) {
        page += "<section><h2>" +
                AnnouncementBoardModel::priorityName(group.priority).toHtmlEscaped().toUtf8() +
                "</h2>\n";
        for (const AnnouncementBoardModel::Message &m : group.messages) {
            page += m.number == m_board->newest() ? "<article class=\"event latest\"><pre>"
                                                  : "<article class=\"event\"><pre>";
            page += m.text.toHtmlEscaped().toUtf8() + "</pre></article>\n";
        }
        page += "</section>\n";
    }
    return page + "</body></html>\n";
}
