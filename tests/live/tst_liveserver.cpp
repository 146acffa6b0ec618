#include "core/values/PbUtil.h"
#include "live/LiveServer.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QByteArray Secret = "OUTSIDE-THE-FOLDER";

// An answer as it came over the wire: status line, headers, body.
struct Answer
{
    QByteArray data;
    int status() const { return data.mid(9, 3).toInt(); } // 0: no answer
    QByteArray body() const { return data.mid(data.indexOf("\r\n\r\n") + 4); }
    QByteArray header(const QByteArray &name) const
    {
        const qsizetype at = data.indexOf("\r\n" + name + ": ");
        return at < 0 ? QByteArray() : data.mid(at + name.size() + 4).split('\r').first();
    }
};

// A served folder with a page, a data file, a team page, a link out of the
// folder, and a secret file beside the folder.
struct Site
{
    QTemporaryDir dir;
    QString folder = dir.filePath("live");
    LiveServer server{(QDir().mkpath(folder + "/teams"), folder), QString()};
    quint16 port = server.start(QHostAddress::LocalHost, 0);

    Site()
    {
        QVERIFY(PBUTIL::WriteTextFile(dir.filePath("secret.txt"), {Secret}));
        QVERIFY(PBUTIL::WriteTextFile(folder + "/index.html", {"<title>Live</title>"}));
        QVERIFY(PBUTIL::WriteTextFile(folder + "/results.json", {"{\"events\":[]}"}));
        QVERIFY(PBUTIL::WriteTextFile(folder + "/teams/Ashford Otters.htm", {"Otters"}));
        QFile::link(dir.filePath("secret.txt"), folder + "/teams/out.htm");
        QFile::link(dir.path(), folder + "/up");
    }

    // `request` is a method and a target. The connection stays open after
    // an answer: it is whole when the body its Content-Length names has come
    // (a HEAD or a 304 has none).
    Answer ask(const QByteArray &request, const QByteArray &headers = {}) const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.write(request + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers + "\r\n");
        Answer a;
        (void)QTest::qWaitFor(
            [&] {
                a.data += socket.readAll();
                return a.data.contains("\r\n\r\n") &&
                       (request.startsWith("HEAD") || a.status() == 304 ||
                        a.body().size() >= a.header("Content-Length").toInt());
            },
            5000);
        return a;
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
        auto row = [](const char *name, const QByteArray &request, int status,
                      const QByteArray &type = {}, const QByteArray &body = {}) {
            QTest::newRow(name) << request << status << type << body;
        };
        const QByteArray html = "text/html; charset=utf-8",
                         json = "application/json; charset=utf-8";
        row("folder root is the live page", "GET /", 200, html, "<title>Live</title>\r\n");
        row("data file", "GET /results.json", 200, json, "{\"events\":[]}\r\n");
        row("team page, name encoded", "GET /teams/Ashford%20Otters.htm", 200, html, "Otters\r\n");
        row("HEAD: headers only", "HEAD /results.json", 200, json);
        row("no folder listing", "GET /teams/", 404);
        row("POST refused", "POST /index.html", 405);
        // Every way out of the folder.
        for (const char *path :
             {"/../secret.txt", "/teams/../../secret.txt", "/%2e%2e/secret.txt",
              "/%2E%2E/secret.txt", "/.%2e/secret.txt", "/%2e%2e%2fsecret.txt", "/..%2fsecret.txt",
              "/..%5csecret.txt", "/..\\secret.txt", "/teams\\..\\..\\secret.txt",
              "/%252e%252e/secret.txt", "//secret.txt", "/%2f..%2fsecret.txt", "/teams/out.htm",
              "/up/secret.txt", "/./index.html", "/index.html%00.txt", "/teams/..", "/etc/passwd"})
            row(path, "GET " + QByteArray(path), 404);
        row("long path", "GET /" + QByteArray(3000, 'a'), 414);
        row("oversized request", "GET /" + QByteArray(40000, 'a'), 413);
    }
    void answers()
    {
        QFETCH(QByteArray, request);
        const Answer a = Site().ask(request);
        QTEST(a.status(), "status");
        QVERIFY(!a.body().contains(Secret));
        if (a.status() >= 400)
            return;
        QTEST(a.header("Content-Type"), "type");
        QTEST(a.body(), "body");
        // A swimmer's name made of markup runs nothing, even in an old browser.
        QCOMPARE(a.header("X-Content-Type-Options"), QByteArray("nosniff"));
        QVERIFY(a.header("Content-Security-Policy").startsWith("default-src 'self'"));
    }

    // The page polls with the tag it has: 304 until the file changes.
    void conditionalRequests()
    {
        Site site;
        const QByteArray tag = "If-None-Match: " + site.ask("GET /results.json").header("ETag");
        QCOMPARE(site.ask("GET /results.json", tag + "\r\n").status(), 304);
        // Changed to the same size, as a time corrected from 38.50 to 38.60.
        QTest::qWait(20);
        QVERIFY(PBUTIL::WriteTextFile(site.folder + "/results.json", {"{\"events\":{}}"}));
        QCOMPARE(site.ask("GET /results.json", tag + "\r\n").body(),
                 QByteArray("{\"events\":{}}\r\n"));

        // A browser's request: the text compressed, under a tag of its own.
        QVERIFY(PBUTIL::WriteTextFile(site.folder + "/results.htm", {QString(2000, 'x')}));
        const QByteArray deflate = "Accept-Encoding: gzip, deflate, br\r\n";
        const Answer packed = site.ask("GET /results.htm", deflate);
        QCOMPARE(packed.header("Content-Encoding"), QByteArray("deflate"));
        const QByteArray packedTag = "If-None-Match: " + packed.header("ETag") + "\r\n";
        QCOMPARE(site.ask("GET /results.htm", deflate + packedTag).status(), 304);
        QCOMPARE(site.ask("GET /results.htm", packedTag).status(), 200);
    }

    // 3,000 malformed requests from a fixed seed, in 30 batches that each
    // wait 300 ms: the server keeps answering, and nothing from outside the
    // folder is ever sent.
    void fuzzedRequests()
    {
        Site site;
        QRandomGenerator random(19);
        const QList<QByteArray> pieces =
            QByteArray(
                "..|%2e|%2E%2e|%252e|\\|%5c|/|//|secret.txt|up|out.htm|%00|%|%zz|\r\n| |"
                "\xff\xfe|?a=../..|#|HEAD |POST |Content-Length: 4\r\n|Connection: close\r\n")
                .split('|');
        int answered = 0;
        for (int batch = 0; batch < 30; ++batch) {
            QObject sockets; // a hundred connections at once, closed with it
            for (int i = 0; i < 100; ++i) {
                // Half start at the data file, half at a link out of the folder.
                QByteArray r = i % 2 ? "GET /results.json" : "GET /up/secret.txt";
                r += " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
                // Up to five edits, each cutting up to 7 bytes and putting a
                // piece or a run of one random byte in their place.
                for (int edits = random.bounded(1, 6); edits > 0; --edits) {
                    const int at = random.bounded(int(r.size()) + 1), cut = random.bounded(8);
                    r.replace(at, cut,
                              random.bounded(3)
                                  ? pieces[random.bounded(int(pieces.size()))]
                                  : QByteArray(random.bounded(64), char(random.bounded(256))));
                }
                auto *s = new QTcpSocket(&sockets);
                s->connectToHost(QHostAddress::LocalHost, site.port);
                s->write(r);
            }
            QTest::qWait(300); // most are answered at once; some wait for more
            for (QTcpSocket *s : sockets.findChildren<QTcpSocket *>()) {
                const QByteArray received = s->readAll();
                QVERIFY2(!received.contains(Secret), received.left(200).constData());
                answered += received.startsWith("HTTP/1.1 ") ? 1 : 0;
            }
        }
        QVERIFY(answered > 300); // many reach the handler, not only the parser
        QCOMPARE(site.ask("GET /results.json").status(), 200);
    }
};

QTEST_GUILESS_MAIN(TstLiveServer)
#include "tst_liveserver.moc"
