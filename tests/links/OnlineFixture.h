#pragma once

#include "links/AresOnlineTimes.h"
#include "tests/recording/RecordingFixture.h"
#include "tools/OnlineTimesFeed.h"

// An online-times database in a temporary folder, blank or with the
// demonstration gala's times.
struct TestOnline
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("online_times.mdb"));

    explicit TestOnline(bool demo = false)
    {
        auto db = ReadyMade::createOnlineTimesDatabase(path);
        if (demo)
            ReadyMade::addDemonstrationOnlineTimes(*db);
    }
    void add(int event, int heat, int type, const QList<OnlineTimesFeed::LaneEntry> &lanes,
             bool intermediate = false, const QString &meet = QStringLiteral("DEMO")) const
    {
        Database db(path);
        OnlineTimesFeed::AddTimes(db, {meet, event, heat, type}, lanes, intermediate);
    }
};

// The database as the sheet holds it while online timing is in use; a lock
// held by the timing system is waited for only briefly in tests.
inline void connectOnline(OnlineTimes &online, const QString &path)
{
    online.AresDbInUse = path;
    online.AresDb = std::make_unique<Database>(path, Database::Access::ReadWrite, 50);
    online.MeetCode = QStringLiteral("DEMO");
}

// A sheet in memory whose team entries lie in the given heats, lane 1, 2 ..
// within each heat, every one scoring, fetching from `online`.
struct HeatsSheet : MemorySheet
{
    OnlineTimes online;
    AresOnlineTimes fetch{&online, gala, model, dialogs};
    QStringList labelTexts;

    HeatsSheet(const QList<int> &heats, const QString &path)
        : MemorySheet(QString(heats.size(), QLatin1Char('Y')))
    {
        QHash<int, int> lanes;
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            gala.TeamHeat[t] = heats[t - 1];
            gala.TeamLane[t] = ++lanes[heats[t - 1]];
        }
        model.setUpRows();
        connectOnline(online, path);
        QObject::connect(&fetch, &AresOnlineTimes::aresTimeTypeChanged,
                         [this] { labelTexts << fetch.aresTimeType(); });
    }
};
