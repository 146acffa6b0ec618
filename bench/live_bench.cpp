// Live results on the largest gala (17 team entries x 100 events):
// 1. what publishing adds to the time the desk waits on a save (the same
//    saves with and without the publisher following the sheet), and how long
//    a publish takes on its own thread;
// 2. aqgalarec-live under 500 clients on 127.0.0.1 polling the data file once
//    a second (wrk), while the desk keeps saving.
//
//   live_bench [SECONDS]   (default 60; 0 skips the server part)

#include "bench/LargestGala.h"
#include "core/live/LivePublisher.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/SheetModel.h"
#include "core/values/SharedState.h"
#include "tools/ReadyMadeDatabases.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace LargestGala;

namespace {

constexpr int Runs = 31;

double medianMs(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    return double(ns[ns.size() / 2]) / 1e6;
}

qint64 timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed();
}

// The desk: the largest gala open on the sheet's model, every lane recorded.
struct Desk
{
    SharedState shared;
    GalaState gala;
    YesDialogs dialogs;
    std::unique_ptr<SheetModel> model;

    explicit Desk(const QString &path)
    {
        buildGala(*ReadyMade::createGalaDatabase(path));
        shared.GalaDb = std::make_unique<Database>(path);
        shared.GalaDbOpen = true;
        shared.ProgCode = Code;
        shared.GalaDate = Date;
        OpenGala(shared, gala, dialogs);
        fillResults(gala);
        model = std::make_unique<SheetModel>(shared, gala, dialogs);
        model->setUpRows();
        model->ShowEvent(Events);
    }
    // Saves `runs` times, `gapMs` apart (an official needs seconds between
    // two events; 0 is the worst case of a save while a publish runs).
    std::vector<qint64> saves(int runs, int gapMs = 0)
    {
        std::vector<qint64> ns;
        for (int i = 0; i < runs; ++i) {
            gala.LaneTime(1 + i % Events, 1) = QStringLiteral("29.%1").arg(10 + i % 80);
            ns.push_back(timed([&] { model->SaveResults(SaveAction::NextEvent); }));
            QCoreApplication::processEvents();
            QThread::msleep(gapMs);
            QCoreApplication::processEvents();
        }
        return ns;
    }
};

int serve(Desk &desk, LivePublisher &publisher, const QString &folder, int seconds)
{
    const QString wrk = QStandardPaths::findExecutable(QStringLiteral("wrk"));
    const QString live = QCoreApplication::applicationDirPath() + QStringLiteral("/aqgalarec-live");
    if (wrk.isEmpty()) {
        std::printf("wrk is not installed: the server part is skipped\n");
        return 0;
    }
    QProcess server;
    server.start(
        live, {QStringLiteral("--folder"), folder, QStringLiteral("--port"), QStringLiteral("0")});
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "aqgalarec-live did not start\n");
        return 1;
    }
    const QString address =
        QString::fromUtf8(server.readAllStandardOutput()).section(QLatin1Char(' '), 3, 3).trimmed();
    QProcess load;
    load.setProcessChannelMode(QProcess::MergedChannels);
    load.start(wrk, {QStringLiteral("-t2"), QStringLiteral("-c500"),
                     QStringLiteral("-d%1s").arg(seconds), QStringLiteral("--latency"),
                     QStringLiteral("--timeout"), QStringLiteral("5s"), QStringLiteral("-s"),
                     QStringLiteral(LIVE_POLL_SCRIPT), address + QStringLiteral("results.json")});
    // The desk saves every 5 seconds meanwhile, so the clients see the data
    // file change.
    int saves = 0;
    QElapsedTimer clock;
    clock.start();
    while (!load.waitForFinished(100)) {
        if (clock.elapsed() > 5000 * (saves + 1)) {
            desk.saves(1);
            ++saves;
        }
        QCoreApplication::processEvents();
    }
    publisher.waitForIdle();
    std::printf("aqgalarec-live, 500 clients polling %s once a second for %d s (the desk "
                "saved %d times meanwhile):\n%s\n",
                qPrintable(address + QStringLiteral("results.json")), seconds, saves,
                load.readAll().constData());
    server.kill();
    server.waitForFinished();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 60;
    QTemporaryDir dir;
    Desk desk(dir.filePath(QStringLiteral("gala_record.mdb")));
    if (desk.gala.NoOfTeams != Teams || desk.gala.NoOfEvents != Events) {
        std::fprintf(stderr, "the benchmark gala did not open\n");
        return 1;
    }
    desk.saves(3); // the backup generation exists from here on

    constexpr int Gap = 300;
    const std::vector<qint64> alone = desk.saves(Runs, Gap);
    const std::vector<qint64> aloneBackToBack = desk.saves(Runs);
    const QString folder = dir.filePath(QStringLiteral("live"));
    LivePublisher publisher(folder);
    publisher.follow(*desk.model, desk.shared, desk.gala, nullptr);
    const std::vector<qint64> publishing = desk.saves(Runs, Gap);
    publisher.waitForIdle();
    const int publishes = publisher.publishes();
    const std::vector<qint64> publishingBackToBack = desk.saves(Runs);
    publisher.waitForIdle();
    std::vector<qint64> snapshot, write;
    for (int i = 0; i < Runs; ++i) {
        LiveSnapshot s;
        snapshot.push_back(
            timed([&] { s = TakeSnapshot(desk.shared, desk.gala, Events, nullptr, 25); }));
        QString error;
        QStringList notes;
        write.push_back(timed([&] { (void)LiveFolder::Write(folder, s, error, notes); }));
    }
    std::printf("Largest gala (%d x %d), median of %d saves; the desk waits on each save for:\n"
                "                                    %d ms apart   back to back\n"
                "  save, not published              %8.2f ms   %8.2f ms\n"
                "  save, published after each save  %8.2f ms   %8.2f ms\n"
                "  of which the snapshot (copy)     %8.2f ms\n"
                "  one publish on its own thread    %8.2f ms (%d publishes for %d saves %d ms "
                "apart, %d for %d back to back)\n",
                Teams, Events, Runs, Gap, medianMs(alone), medianMs(aloneBackToBack),
                medianMs(publishing), medianMs(publishingBackToBack), medianMs(snapshot),
                medianMs(write), publishes, Runs, Gap, publisher.publishes() - publishes, Runs);
    return seconds > 0 ? serve(desk, publisher, folder, seconds) : 0;
}
