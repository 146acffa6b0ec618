#include "live/LiveServer.h"
#include "tests/support/DataRow.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QByteArray Secret = "OUTSIDE-THE-FOLDER";

struct Answer
{
    int status = 0; // 0: no answer before the connection ended
    QByteArray head, body;
    QByteArray header(const QByteArray &name) const
    {
        for (const QByteArray &line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
                return line.mid(colon + 1).trimmed();
        }
        return {};
    }
};

// True when `data` holds a whole answer (headers, and the body its length names).
bool complete(const QByteArray &data, bool head)
{
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (end < 0)
        return false;
    if (head || data.startsWith("HTTP/1.1 304"))
        return true;
    Answer a;
    a.head = data.left(end);
    return data.size() - end - 4 >= a.header("Content-Length").toLongLong();
}

Answer parse(const QByteArray &data)
{
    Answer a;
    const qsizetype end = data.indexOf("\r\n\r\n");
    a.head = end < 0 ? data : data.left(end);
    a.body = end < 0 ? QByteArray() : data.mid(end + 4);
    const QList<QByteArray> status = a.head.split(' ');
    a.status = status.size() > 1 && status[0].startsWith("HTTP/") ? status[1].toInt() : 0;
    return a;
}

// A served folder with a page, a data file, a team page, a link out of the
// folder, and a secret file beside the folder.
struct Site
{
    QTemporaryDir dir;
    QString folder = dir.filePath("live");
    LiveServer server{(QDir().mkpath(folder + "/teams"), folder), QString()};
    quint16 port = 0;

    Site()
    {
        write(dir.filePath("secret.txt"), Secret);
        write(folder + "/index.html", "<!DOCTYPE html><title>Live</title>");
        write(folder + "/results.json", "{\"events\":[]}");
        write(folder + "/teams/Otters.htm", "<html>Otters</html>");
        QFile::link(dir.filePath("secret.txt"), folder + "/teams/out.htm");
        QFile::link(dir.path(), folder + "/up");
        port = server.start(QHostAddress::LocalHost, 0);
    }
    static void write(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
    }

    Answer ask(const QByteArray &raw, int timeoutMs = 5000) const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; },
                             timeoutMs))
            return {};
        socket.write(raw);
        QByteArray data;
        const bool head = raw.startsWith("HEAD ");
        (void)QTest::qWaitFor(
            [&] {
                data += socket.readAll();
                return complete(data, head) || socket.state() == QAbstractSocket::UnconnectedState;
            },
            timeoutMs);
        data += socket.readAll();
        return parse(data);
    }
    Answer get(const QByteArray &path, const QByteArray &headers = {}) const
    {
        return ask("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers + "\r\n");
    }
};

} // namespace

class TstLiveServer : public QObject
{
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("body");
        const QByteArray html = "text/html; charset=utf-8";
        auto get = [](const QByteArray &path) {
            return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        };
        DataRow("folder root is the live page", get("/"), 200, html,
                QByteArray("<!DOCTYPE html><title>Live</title>"));
        DataRow("data file", get("/results.json"), 200,
                QByteArray("application/json; charset=utf-8"), QByteArray("{\"events\":[]}"));
        DataRow("team page", get("/teams/Otters.htm"), 200, html,
                QByteArray("<html>Otters</html>"));
        DataRow("encoded name", get("/teams/%4Ftters.htm"), 200, html,
                QByteArray("<html>Otters</html>"));
        DataRow("HEAD: headers only", QByteArray("HEAD /results.json HTTP/1.1\r\nHost: x\r\n\r\n"),
                200, QByteArray("application/json; charset=utf-8"), QByteArray());
        DataRow("missing file", get("/nothing.htm"), 404, QByteArray(), QByteArray());
        DataRow("no folder listing", get("/teams/"), 404, QByteArray(), QByteArray());
        DataRow("no folder listing without slash", get("/teams"), 404, QByteArray(), QByteArray());
        DataRow("POST refused", QByteArray("POST /results.json HTTP/1.1\r\nHost: x\r\n\r\n"), 405,
                QByteArray(), QByteArray());
        DataRow("PUT refused",
                QByteArray("PUT /index.html HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nbad"),
                405, QByteArray(), QByteArray());
        DataRow("DELETE refused", QByteArray("DELETE /index.html HTTP/1.1\r\nHost: x\r\n\r\n"), 405,
                QByteArray(), QByteArray());
        // Every way out of the folder.
        for (const char *path :
             {"/../secret.txt", "/teams/../../secret.txt", "/%2e%2e/secret.txt",
              "/%2E%2E/secret.txt", "/.%2e/secret.txt", "/%2e%2e%2fsecret.txt", "/..%2fsecret.txt",
              "/..%5csecret.txt", "/..\\secret.txt", "/teams\\..\\..\\secret.txt",
              "/%252e%252e/secret.txt", "//secret.txt", "/%2f..%2fsecret.txt", "/teams/out.htm",
              "/up/secret.txt", "/./index.html", "/index.html%00.txt", "/teams/..",
              "/etc/passwd"}) {
            QTest::newRow(path) << get(path) << 404 << QByteArray() << QByteArray();
        }
        DataRow("absolute path in the request line",
                QByteArray("GET " + QDir::tempPath().toUtf8() + " HTTP/1.1\r\nHost: x\r\n\r\n"),
                404, QByteArray(), QByteArray());
        DataRow("long path", get("/" + QByteArray(3000, 'a')), 414, QByteArray(), QByteArray());
        DataRow("oversized request line", get("/" + QByteArray(40000, 'a')), 413, QByteArray(),
                QByteArray());
        DataRow("oversized headers",
                QByteArray("GET / HTTP/1.1\r\nHost: x\r\nX-Big: " + QByteArray(40000, 'b') +
                           "\r\n\r\n"),
                413, QByteArray(), QByteArray());
        DataRow("oversized body",
                QByteArray("GET / HTTP/1.1\r\nHost: x\r\nContent-Length: 100000\r\n\r\n" +
                           QByteArray(100000, 'c')),
                413, QByteArray(), QByteArray());
    }
    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        Site site;
        QVERIFY(site.port != 0);
        const Answer a = site.ask(request);
        QCOMPARE(a.status, status);
        QVERIFY(!a.body.contains(Secret));
        if (status >= 400)
            return;
        QTEST(a.header("Content-Type"), "type");
        QTEST(a.body, "body");
        QCOMPARE(a.header("X-Content-Type-Options"), QByteArray("nosniff"));
        QVERIFY(a.header("Content-Security-Policy").startsWith("default-src 'self'"));
        QVERIFY(!a.header("ETag").isEmpty());
        if (request.startsWith("HEAD"))
            QCOMPARE(a.header("Content-Length"), QByteArray("13"));
    }

    // The page polls with the tag it has: 304 until the file changes.
    void conditionalRequests()
    {
        Site site;
        const QByteArray tag = site.get("/results.json").header("ETag");
        QVERIFY(tag.startsWith('"'));
        const Answer same = site.get("/results.json", "If-None-Match: " + tag + "\r\n");
        QCOMPARE(same.status, 304);
        QVERIFY(same.body.isEmpty());
        QCOMPARE(same.header("ETag"), tag);
        QTest::qWait(20);
        Site::write(site.folder + "/results.json", "{\"events\":[1]}");
        const Answer changed = site.get("/results.json", "If-None-Match: " + tag + "\r\n");
        QCOMPARE(changed.status, 200);
        QCOMPARE(changed.body, QByteArray("{\"events\":[1]}"));
        QVERIFY(changed.header("ETag") != tag);

        // A browser's request: the text compressed, under a tag of its own.
        const QByteArray page = "<html>" + QByteArray(2000, 'x') + "</html>";
        Site::write(site.folder + "/results.htm", page);
        const Answer packed = site.get("/results.htm", "Accept-Encoding: gzip, deflate, br\r\n");
        QCOMPARE(packed.header("Content-Encoding"), QByteArray("deflate"));
        QVERIFY(packed.body.size() < page.size() / 4);
        QByteArray sized(4, 0); // qUncompress wants the length in front
        qToBigEndian(quint32(page.size()), sized.data());
        QCOMPARE(qUncompress(sized + packed.body), page);
        const QByteArray packedTag = packed.header("ETag");
        QVERIFY(packedTag != site.get("/results.htm").header("ETag"));
        QCOMPARE(site.get("/results.htm",
                          "Accept-Encoding: deflate\r\nIf-None-Match: " + packedTag + "\r\n")
                     .status,
                 304);
    }

    // Thousands of malformed requests from a fixed seed: the server keeps
    // answering, and nothing from outside the folder is ever sent.
    void fuzzedRequests()
    {
        Site site;
        QRandomGenerator random(19);
        const QList<QByteArray> seeds{
            "GET /results.json HTTP/1.1\r\nHost: 127.0.0.1\r\nIf-None-Match: \"x\"\r\n\r\n",
            "HEAD /teams/Otters.htm HTTP/1.1\r\nHost: a\r\n\r\n",
            "GET /%2e%2e/secret.txt HTTP/1.0\r\n\r\n",
            "GET /teams/out.htm HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n",
            "POST / HTTP/1.1\r\nContent-Length: 4\r\nHost: a\r\n\r\nbody"};
        const QList<QByteArray> pieces{"..",      "%2e",      "%2E%2e",   "%252e",      "\\",
                                       "%5c",     "/",        "//",       "secret.txt", "up",
                                       "out.htm", "%00",      "%",        "%zz",        "\r\n",
                                       " ",       "\xff\xfe", "?a=../..", "#",          "teams"};
        int answered = 0, closed = 0;
        constexpr int Requests = 3000, Batch = 100;
        for (int done = 0; done < Requests; done += Batch) {
            QList<QTcpSocket *> sockets;
            QList<QByteArray> received(Batch);
            for (int i = 0; i < Batch; ++i) {
                QByteArray r = seeds[random.bounded(int(seeds.size()))];
                const int edits = random.bounded(1, 6);
                for (int k = 0; k < edits; ++k) {
                    const int at = random.bounded(int(r.size()) + 1);
                    switch (random.bounded(4)) {
                    case 0:
                        r.insert(at, pieces[random.bounded(int(pieces.size()))]);
                        break;
                    case 1:
                        r.remove(at, random.bounded(1, 8));
                        break;
                    case 2:
                        if (at < r.size())
                            r[at] = char(random.bounded(256));
                        break;
                    default:
                        r.insert(at, QByteArray(random.bounded(1, 64), char(random.bounded(256))));
                    }
                }
                auto *s = new QTcpSocket(this);
                s->connectToHost(QHostAddress::LocalHost, site.port);
                connect(s, &QTcpSocket::connected, s, [s, r] { s->write(r); });
                sockets << s;
            }
            (void)QTest::qWaitFor(
                [&] {
                    bool all = true;
                    for (int i = 0; i < Batch; ++i) {
                        received[i] += sockets[i]->readAll();
                        all = all && (received[i].contains("\r\n\r\n") ||
                                      sockets[i]->state() == QAbstractSocket::UnconnectedState);
                    }
                    return all;
                },
                300);
            for (int i = 0; i < Batch; ++i) {
                received[i] += sockets[i]->readAll();
                QVERIFY2(!received[i].contains(Secret), received[i].left(200).constData());
                answered += received[i].startsWith("HTTP/1.1 ") ? 1 : 0;
                closed += sockets[i]->state() == QAbstractSocket::UnconnectedState ? 1 : 0;
                sockets[i]->abort();
                delete sockets[i];
            }
        }
        qInfo("%d answered, %d closed by the server", answered, closed);
        QVERIFY(answered > Requests / 10); // many reach the handler, not only the parser
        const Answer after = site.get("/results.json");
        QCOMPARE(after.status, 200);
    }
};

QTEST_GUILESS_MAIN(TstLiveServer)
#include "tst_liveserver.moc"
