#include "core/live/LivePublisher.h"
#include "tests/core/sheet/RecordingFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <atomic>
#include <thread>

namespace {

const QString Hostile = QStringLiteral("<img src=x onerror=alert(1)>");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Each event of the data file as the page lists it: its number, then each
// lane with a time as "team place time points", in the file's order; a
// disqualified lane shows the reason for the time.
QString events(const QJsonObject &data)
{
    QString out;
    for (const QJsonValue &e : data["events"].toArray()) {
        out += ' ' + e["number"].toString() + ':';
        for (const QJsonValue &l : e["lanes"].toArray()) {
            if (l["time"].toString().isEmpty())
                continue;
            const QString shown = l[l["disqualified"].toBool() ? "reason" : "time"].toString();
            out += QString(" %1 %2 %3 %4;")
                       .arg(QString::number(l["team"].toInt()), l["placeText"].toString(), shown,
                            QString::number(l["points"].toDouble()));
        }
    }
    return out;
}

// The demonstration gala (7 scoring teams, graded) with three events swum.
struct SwumDemo : DemoSheet
{
    SwumDemo()
    {
        shared.ContactEmail = QStringLiteral("desk@harbourside.example");
        QVERIFY(open().opened());
        // Event 1, limit 38.00: 37.00 is too fast (TF); the guests score nothing.
        type(1, {{0, "37.00"}, {1, "38.50"}, {7, "36.00"}});
        dialogs.expectInput("Enter reason for Disqualification", "False start");
        type(2, {{0, "38.00"}, {1, "39.00"}, {2, "D"}});
        model.setText(SheetModel::SwimmerName, 2, Hostile);
        type(12, {{0, "2:10.00"}, {1, "2:05.5"}}); // a "2X" event: points doubled
    }
    void type(int e, const QList<QPair<int, QString>> &lanes)
    {
        model.ShowEvent(e);
        for (const auto &[row, time] : lanes) {
            model.setText(SheetModel::Time, row, time);
            model.TimeLostFocus(row);
        }
    }
    LiveSnapshot snap() { return TakeSnapshot(shared, gala, model.currentEvent(), nullptr, 25); }
    // Publishes `times` times, each one written and told before the next.
    void publish(LivePublisher &publisher, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            publisher.publish(snap());
            publisher.waitForIdle();
            QCoreApplication::processEvents(); // failures and notes are told here
        }
    }
};

} // namespace

class TstLive : public QObject
{
    Q_OBJECT
private slots:
    // After a restore the desk publishes the gala as the database holds it.
    void publishesTheStoredGalaThenEverySave()
    {
        SwumDemo demo;
        QVERIFY(demo.model.SaveResults(SaveAction::Save));
        QTemporaryDir dir;
        LivePublisher publisher(dir.path());
        QString error;
        QVERIFY2(publisher.publishStored(demo.shared, &error), qPrintable(error));
        publisher.waitForIdle();
        const auto data = QJsonDocument::fromJson(readFile(dir.filePath("results.json"))).object();
        QCOMPARE(data["title"].toString(), QString("12/10/26 - Harbourside Junior Team Gala"));
        QVERIFY(QDateTime::fromString(data["savedAt"].toString(), Qt::ISODate).isValid());
        // 7 + 12 for Harbourside, 7 + 6 + 14 for Ashford Otters; guests last.
        QCOMPARE(data["teams"][0]["points"].toDouble(), 19.0);
        QCOMPARE(data["teams"][1]["points"].toDouble(), 27.0);
        QCOMPARE(data["teams"][1]["page"].toString(), QString("Ashford Otters.htm"));
        QVERIFY(!data["teams"][7]["scoring"].toBool());
        QCOMPARE(data["standings"].toArray().toVariantList(),
                 QVariantList({2, 1, 3, 4, 5, 6, 7, 8}));
        // Newest first, lanes in place order: placed swims, then the too-fast
        // one and the guests', then the disqualified.
        QCOMPARE(events(data), QString(" 12: 2 1 2:05.50 14; 1 2 2:10.00 12;"
                                       " 2: 1 1 38.00 7; 2 2 39.00 6; 3 DQ False start 0;"
                                       " 1: 2 1 38.50 7; 1 TF 37.00 0; 8  36.00 0;"));

        // The pages beside it, the page without JavaScript holding the name as text.
        for (const char *file : {"results.htm", "results.lxf", "teams/Castleton Guests.htm"})
            QVERIFY2(QFile::exists(dir.filePath(file)), file);
        const QByteArray index = readFile(dir.filePath("index.html"));
        QVERIFY(index.contains("&lt;img src=x onerror=alert(1)&gt;") &&
                !index.contains(Hostile.toUtf8()) && index.contains("<td class=\"place\">TF</td>"));

        // Then every save, the sheet followed as the desk does: a reader that
        // reads the folder in a loop meanwhile never sees half a file, nor a
        // data file newer than the results page beside it.
        publisher.follow(demo.model, demo.shared, demo.gala, nullptr);
        std::atomic<int> stop{0}, reads{0};
        QStringList faults;
        std::thread reader([&] {
            while (!stop) {
                const auto doc = QJsonDocument::fromJson(readFile(dir.filePath("results.json")));
                const QByteArray page = readFile(dir.filePath("results.htm"));
                if (doc.isNull() || !page.endsWith("</html>\r\n"))
                    faults << "half a file";
                // Every time in the data file is on the page read after it.
                for (const QJsonValue &e : doc["events"].toArray())
                    for (const QJsonValue &l : e["lanes"].toArray()) {
                        const QString time = l["time"].toString();
                        if (!time.isEmpty() && !page.contains(("<td>" + time + "</td>").toUtf8()))
                            faults << "data newer than the page: " + time;
                    }
                ++reads;
            }
        });
        // Each save adds a time in a lane not used before, so a page written
        // later still holds every earlier time.
        for (int e = 3; e <= 11; ++e)
            for (int r = 0; r < 7; r += 2) {
                demo.type(e, {{r, QString("%1.%2").arg(40 + e).arg(10 + r)}});
                demo.model.SaveResults(SaveAction::NextEvent);
                QTest::qWait(2);
            }
        publisher.waitForIdle();
        stop = 1;
        reader.join();
        QVERIFY2(reads > 0 && faults.isEmpty(), qPrintable(faults.mid(0, 3).join('\n')));
        QVERIFY(readFile(dir.filePath("results.json")).contains("\"lastEvent\":\"11\""));

        // Then saves faster than publishes: those made while one runs are
        // left for the newest, written right after it.
        for (int i = 11; i <= 30; ++i) {
            demo.gala.LaneTime(4, 1) = QString("50.%1").arg(i);
            publisher.publish(demo.snap());
        }
        publisher.waitForIdle();
        QVERIFY(publisher.publishes() < 1 + 9 * 4 + 20); // the stored gala, the saves, these
        QVERIFY(readFile(dir.filePath("results.json")).contains("\"50.30\""));

        demo.shared.GalaDate = QStringLiteral("01/01/99"); // no such gala
        QVERIFY(!publisher.publishStored(demo.shared, &error));
        // No folder chosen: nothing goes to the working folder.
        QStringList notes;
        QVERIFY(!LiveFolder::Write(QString(), demo.snap(), error, notes));
        QVERIFY(!QFile::exists("results.json"));
    }

    // Trouble with the publish folder is told to the desk once however many
    // saves meet it; a file that cannot be made is left out and the rest
    // published.
    void troubleToldOnce()
    {
        SwumDemo demo;
        QTemporaryDir dir;
        const QString folder = dir.filePath("live");
        QVERIFY(PBUTIL::WriteTextFile(folder, {"in the way"}));
        LivePublisher publisher(folder);
        QSignalSpy failed(&publisher, &LivePublisher::failed);
        QSignalSpy notes(&publisher, &LivePublisher::note);
        demo.publish(publisher, 3);
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed[0][0].toString().contains("could not be published to " + folder + ": "));
        // Repaired: published again, without the Lenex file while the desk
        // has no contact e-mail, then while a folder stands in its place.
        QVERIFY(QFile::remove(folder));
        demo.shared.ContactEmail.clear();
        demo.publish(publisher, 2);
        QVERIFY(QDir().mkpath(folder + "/results.lxf/x"));
        demo.shared.ContactEmail = "desk@harbourside.example";
        demo.publish(publisher, 2);
        QVERIFY(QFile::exists(folder + "/results.json"));
        QCOMPARE(failed.size(), 1);
        QCOMPARE(notes.size(), 2);
        QVERIFY(notes[0][0].toString().contains("not published until the desk has a contact"));
        QVERIFY(notes[1][0].toString().startsWith("The Lenex results file was left out"));
        // A later failure is a new one: told again.
        QVERIFY(QDir(folder).removeRecursively() && PBUTIL::WriteTextFile(folder, {"in the way"}));
        demo.publish(publisher);
        QCOMPARE(failed.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TstLive)
#include "tst_live.moc"
