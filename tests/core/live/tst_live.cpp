#include "core/live/LiveData.h"
#include "core/live/LivePublisher.h"
#include "tests/core/sheet/RecordingFixture.h"
#include "tests/support/DataRow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

const QString Hostile = QStringLiteral("<img src=x onerror=alert(1)>");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The demonstration gala (7 scoring teams, graded) with three events swum.
struct SwumDemo : DemoSheet
{
    SwumDemo()
    {
        shared.ContactEmail = QStringLiteral("desk@harbourside.example");
        if (!open().opened())
            return;
        // Event 1, limit 38.00: 37.00 is too fast (TF); the guests score nothing.
        type(1, {{0, "37.00"}, {1, "38.50"}, {7, "36.00"}});
        dialogs.expectInput("Enter reason for Disqualification", "False start");
        type(2, {{0, "38.00"}, {1, "39.00"}, {2, "D"}});
        model.setText(SheetModel::SwimmerName, 2, Hostile);
        type(12, {{0, "2:10.00"}, {1, "2:05.5"}}); // a "2X" event: points doubled
    }
    void type(int e, const QList<QPair<int, const char *>> &lanes)
    {
        model.ShowEvent(e);
        for (const auto &[row, time] : lanes) {
            model.setText(SheetModel::Time, row, QString::fromLatin1(time));
            model.TimeLostFocus(row);
        }
    }
    LiveSnapshot snapshot()
    {
        return TakeSnapshot(shared, gala, model.currentEvent(), nullptr, 25);
    }
};

QJsonObject lane(const QJsonObject &event, int i)
{
    return event[QStringLiteral("lanes")].toArray().at(i).toObject();
}

} // namespace

class TstLive : public QObject
{
    Q_OBJECT
private slots:
    void dataFileOfTheDemonstrationGala()
    {
        SwumDemo demo;
        QTemporaryDir dir;
        QString error;
        QStringList notes;
        QVERIFY2(LiveFolder::Write(dir.path(), demo.snapshot(), error, notes), qPrintable(error));
        QCOMPARE(notes, QStringList());
        QJsonParseError parse;
        const QJsonObject data =
            QJsonDocument::fromJson(readFile(dir.filePath("results.json")), &parse).object();
        QCOMPARE(parse.error, QJsonParseError::NoError);

        QCOMPARE(data["date"].toString(), QString("12/10/26"));
        QCOMPARE(data["gala"].toString(), QString("Harbourside Junior Team Gala"));
        QCOMPARE(data["lastEvent"].toString(), QString("12"));
        QVERIFY(QDateTime::fromString(data["savedAt"].toString(), Qt::ISODate).isValid());
        // 7 + 12 for Harbourside, 7 + 6 + 14 for Ashford Otters; guests last.
        const QJsonArray teams = data["teams"].toArray();
        QCOMPARE(teams.size(), 8);
        QCOMPARE(teams[0].toObject()["points"].toDouble(), 19.0);
        QCOMPARE(teams[1].toObject()["points"].toDouble(), 27.0);
        QCOMPARE(teams[1].toObject()["page"].toString(), QString("Ashford Otters.htm"));
        QVERIFY(!teams[7].toObject()["scoring"].toBool());
        QCOMPARE(data["standings"].toArray().toVariantList(),
                 QVariantList({2, 1, 3, 4, 5, 6, 7, 8}));

        // Events with results, newest first; lanes in place order.
        const QJsonArray events = data["events"].toArray();
        QCOMPARE(events.size(), 3);
        const QJsonObject e12 = events[0].toObject(), e2 = events[1].toObject(),
                          e1 = events[2].toObject();
        QCOMPARE(e12["number"].toString(), QString("12"));
        QCOMPARE(e12["title"].toString(), QString("Event 12: Mixed Open 200m FS Relay"));
        QCOMPARE(lane(e12, 0)["team"].toInt(), 2);
        QCOMPARE(lane(e12, 0)["time"].toString(), QString("2:05.50"));
        QCOMPARE(lane(e12, 0)["points"].toDouble(), 14.0);
        QCOMPARE(lane(e12, 1)["place"].toInt(), 2);
        QCOMPARE(lane(e12, 1)["points"].toDouble(), 12.0);

        QCOMPARE(e2["number"].toString(), QString("2"));
        QCOMPARE(lane(e2, 0)["points"].toDouble(), 7.0);
        QCOMPARE(lane(e2, 1)["points"].toDouble(), 6.0);
        const QJsonObject dq = lane(e2, 2);
        QCOMPARE(dq["team"].toInt(), 3);
        QVERIFY(dq["disqualified"].toBool());
        QCOMPARE(dq["placeText"].toString(), QString("DQ"));
        QCOMPARE(dq["reason"].toString(), QString("False start"));
        QCOMPARE(dq["swimmer"].toString(), Hostile);
        QCOMPARE(e2["lanes"].toArray().size(), 8);

        // Event 1: the placed swim, then the too-fast one (TF) and the guests'.
        QCOMPARE(lane(e1, 0)["team"].toInt(), 2);
        QCOMPARE(lane(e1, 0)["place"].toInt(), 1);
        QCOMPARE(lane(e1, 1)["team"].toInt(), 1);
        QCOMPARE(lane(e1, 1)["placeText"].toString(), QString("TF"));
        QCOMPARE(lane(e1, 1)["points"].toDouble(), 0.0);
        QCOMPARE(lane(e1, 2)["team"].toInt(), 8);
        QCOMPARE(lane(e1, 2)["placeText"].toString(), QString());

        // The pages beside it, the page without JavaScript holding the name as text.
        QVERIFY(QFile::exists(dir.filePath("results.htm")));
        QVERIFY(QFile::exists(dir.filePath("results.lxf")));
        QVERIFY(QFile::exists(dir.filePath("teams/Castleton Guests.htm")));
        const QByteArray index = readFile(dir.filePath("index.html"));
        QVERIFY(index.contains("&lt;img src=x onerror=alert(1)&gt;"));
        QVERIFY(!index.contains(Hostile.toUtf8()));
        QVERIFY(index.contains("<td class=\"place\">TF</td>"));
    }

    // A reader that reads the folder in a loop while saves run never sees
    // half a file, nor a data file newer than the results page beside it.
    void readerNeverSeesHalfAFileNorANewerDataFile()
    {
        SwumDemo demo;
        QTemporaryDir dir;
        LivePublisher publisher(dir.path());
        publisher.follow(demo.model, demo.shared, demo.gala, nullptr);
        demo.model.SaveResults(SaveAction::Save);
        publisher.waitForIdle();

        std::atomic<bool> stop{false};
        std::atomic<int> reads{0};
        QStringList faults;
        std::thread reader([&] {
            while (!stop) {
                const QByteArray json = readFile(dir.filePath("results.json"));
                const QByteArray page = readFile(dir.filePath("results.htm"));
                const QByteArray index = readFile(dir.filePath("index.html"));
                const QJsonDocument doc = QJsonDocument::fromJson(json);
                if (doc.isNull() || !page.endsWith("</html>\r\n") ||
                    !index.endsWith("</html>\r\n")) {
                    faults << "half a file";
                    continue;
                }
                // Every time in the data file is on the page read after it.
                for (const QJsonValue &e : doc.object()["events"].toArray())
                    for (const QJsonValue &l : e.toObject()["lanes"].toArray()) {
                        const QString time = l.toObject()["time"].toString();
                        if (!time.isEmpty() && !page.contains(("<td>" + time + "</td>").toUtf8()))
                            faults << "data newer than the page: " + time;
                    }
                ++reads;
            }
        });
        // Each save adds a time in a lane not used before, so a page written
        // later still holds every earlier time.
        int saves = 0;
        for (int e = 3; e <= 11; ++e) {
            demo.model.ShowEvent(e);
            for (int r = 0; r < 7; r += 2) {
                demo.model.setText(SheetModel::Time, r, QString("%1.%2").arg(40 + e).arg(10 + r));
                demo.model.TimeLostFocus(r);
                demo.model.SaveResults(SaveAction::NextEvent);
                ++saves;
                QTest::qWait(2);
            }
        }
        publisher.waitForIdle();
        QTest::qWait(20);
        stop = true;
        reader.join();
        QCoreApplication::processEvents();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 3).join('\n')));
        QVERIFY(reads > 0);
        // Saves during a running publish were coalesced: the newest was written.
        QVERIFY(publisher.publishes() <= saves + 1);
        const QJsonObject last =
            QJsonDocument::fromJson(readFile(dir.filePath("results.json"))).object();
        QCOMPARE(last["events"].toArray()[1].toObject()["number"].toString(), QString("11"));
        QCOMPARE(last["lastEvent"].toString(), QString("11"));
    }

    // After a restore the desk publishes the gala as the database holds it.
    void publishesTheStoredGala()
    {
        SwumDemo demo;
        QVERIFY(demo.model.SaveResults(SaveAction::Save));
        QTemporaryDir dir;
        LivePublisher publisher(dir.path());
        QString error;
        QVERIFY2(publisher.publishStored(demo.shared, &error), qPrintable(error));
        publisher.waitForIdle();
        const QJsonObject data =
            QJsonDocument::fromJson(readFile(dir.filePath("results.json"))).object();
        QCOMPARE(data["events"].toArray().size(), 3);
        QCOMPARE(data["teams"].toArray()[1].toObject()["points"].toDouble(), 27.0);
        QVERIFY(QFile::exists(dir.filePath("results.lxf")));

        demo.shared.GalaDate = QStringLiteral("01/01/99"); // no such gala
        QVERIFY(!publisher.publishStored(demo.shared, &error));
        QVERIFY(!error.isEmpty());
    }

    void coalescesToTheNewestState()
    {
        SwumDemo demo;
        QTemporaryDir dir;
        LivePublisher publisher(dir.path());
        for (int i = 1; i <= 20; ++i) {
            LiveSnapshot s = demo.snapshot();
            s.gala.LaneTime(4, 1) = QString("50.%1").arg(i, 2, 10, QChar('0'));
            publisher.publish(std::move(s));
        }
        publisher.waitForIdle();
        QVERIFY(publisher.publishes() < 20);
        QVERIFY(readFile(dir.filePath("results.json")).contains("\"50.20\""));
    }

    // A folder that cannot be written: one message however many saves fail,
    // then the next save after it is repaired publishes again.
    void failingFolderRecovers()
    {
        SwumDemo demo;
        QTemporaryDir dir;
        const QString folder = dir.filePath("live");
        QVERIFY(PBUTIL::WriteTextFile(folder, {"a file in the way"}));
        LivePublisher publisher(folder);
        QSignalSpy failed(&publisher, &LivePublisher::failed);
        QSignalSpy recovered(&publisher, &LivePublisher::recovered);
        for (int i = 0; i < 3; ++i) {
            publisher.publish(demo.snapshot());
            publisher.waitForIdle();
            QCoreApplication::processEvents();
        }
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed[0][0].toString().contains(folder));
        QVERIFY(QFile::remove(folder));
        publisher.publish(demo.snapshot());
        publisher.waitForIdle();
        QCoreApplication::processEvents();
        QCOMPARE(recovered.size(), 1);
        QVERIFY(QFile::exists(folder + "/results.json"));
        QCOMPARE(failed.size(), 1);

        // No folder chosen: nothing goes to the working folder.
        QString error;
        QStringList notes;
        QVERIFY(!LiveFolder::Write(QString(), demo.snapshot(), error, notes));
        QVERIFY(!QFile::exists("results.json"));
    }

    // A file that cannot be made is left out with one note; the rest is published.
    void fileLeftOutWithOneNote_data()
    {
        QTest::addColumn<bool>("contact");
        QTest::addColumn<QString>("note");
        DataRow("no contact e-mail yet", false,
                "The Lenex results file is not published until the desk has a contact e-mail");
        DataRow("a folder in the way", true, "The Lenex results file was left out");
    }
    void fileLeftOutWithOneNote()
    {
        QFETCH(bool, contact);
        QFETCH(QString, note);
        const QString expected = note;
        SwumDemo demo;
        if (!contact)
            demo.shared.ContactEmail.clear();
        QTemporaryDir dir;
        if (contact)
            QVERIFY(QDir(dir.path()).mkpath("results.lxf/in the way"));
        LivePublisher publisher(dir.path());
        QSignalSpy notes(&publisher, &LivePublisher::note);
        QSignalSpy failed(&publisher, &LivePublisher::failed);
        for (int i = 0; i < 2; ++i) {
            publisher.publish(demo.snapshot());
            publisher.waitForIdle();
            QCoreApplication::processEvents();
        }
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0][0].toString().startsWith(expected), qPrintable(notes[0][0].toString()));
        QCOMPARE(failed.size(), 0);
        QVERIFY(QFile::exists(dir.filePath("results.json")));
        QVERIFY(QFile::exists(dir.filePath("index.html")));
        QCOMPARE(QFileInfo(dir.filePath("results.lxf")).isFile(), false);
    }
};

QTEST_GUILESS_MAIN(TstLive)
#include "tst_live.moc"
