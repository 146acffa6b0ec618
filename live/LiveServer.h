#pragma once

#include "core/live/ServedFolder.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QTcpServer>

#include <memory>

class AnnouncementBoardModel;

// Accepts the connections of the live server and refuses, with 413 and a
// closed connection, any request that grows beyond the size limit before
// it is complete: the request parser would otherwise keep all of it.
class LimitedTcpServer : public QTcpServer
{
    Q_OBJECT
public:
    static constexpr qint64 MaxRequestBytes = 16 * 1024;

    using QTcpServer::QTcpServer;

    // The request on this socket is complete: its bytes count no more.
    static void requestDone(QTcpSocket *socket);

protected:
    void incomingConnection(qintptr descriptor) override;
};

// aqgalarec-live: serves one publish folder read-only over HTTP. GET and
// HEAD only; never a folder listing, never a file outside the folder. With
// an announcer database it also shows the announcer's messages at
// /announcer.
class LiveServer : public QAbstractHttpServer
{
    Q_OBJECT
public:
    static constexpr int MaxTargetLength = 2048;

    // `announcerDb` may be empty (no announcer page).
    LiveServer(const QString &folder, const QString &announcerDb, QObject *parent = nullptr);
    ~LiveServer() override;

    // Listens on `address`; port 0 takes a free one. The port, or 0 when
    // the address cannot be used.
    quint16 start(const QHostAddress &address, quint16 port);

    // The headers every answer carries.
    static const QList<QPair<QByteArray, QByteArray>> &securityHeaders();

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    QByteArray announcerPage();

    ServedFolder m_folder;
    std::unique_ptr<AnnouncementBoardModel> m_board;
};
