// Times the recording sheet's heavy steps on the largest gala the sheet can
// hold (17 team entries x 100 events) against the same work written directly
// with the SQLite C API, in one run, and prints medians and ratios.

#include "bench/LargestGala.h"
#include "core/gala/GalaState.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/SaveResults.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SecondCopy.h"
#include "core/values/SharedState.h"
#include "tools/ReadyMadeDatabases.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 31;
using namespace LargestGala;

double medianMs(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    return double(ns[ns.size() / 2]) / 1e6;
}

qint64 cpuNow()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Wall-clock and processor time of one piece of work. The processor time
// leaves out the wait for the disk flush of a commit, which other programs
// on the machine can stretch.
struct Timings
{
    std::vector<qint64> wall, cpu;
    void add(const std::function<void()> &work)
    {
        QElapsedTimer clock;
        const qint64 cpuStart = cpuNow();
        clock.start();
        work();
        wall.push_back(clock.nsecsElapsed());
        cpu.push_back(cpuNow() - cpuStart);
    }
};

qint64 timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed();
}

// The same save written directly: one transaction, the date's backup rows
// deleted, the gala's rows renamed, one prepared insert for every row.
class BareSave
{
public:
    explicit BareSave(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, 2000);
        exec("PRAGMA synchronous=FULL");
        prepare(&m_delete,
                R"(DELETE FROM Gala_Record WHERE "Program code"='backup' AND "Gala Date"=?1)");
        prepare(
            &m_rename,
            R"(UPDATE Gala_Record SET "Program code"='backup' WHERE "Program code"=?1 AND "Gala Date"=?2)");
        prepare(
            &m_insert,
            R"(INSERT INTO Gala_Record ("Program code","Gala Date","Event No","Lane No","Lane Time","Lane Pos","Lane Points","Lane Notes","Heat No","Lane Name","Lane Club","Lane DoB") VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12))");
        prepare(&m_program,
                R"(SELECT * FROM Gala_Program WHERE "Program code"=?1 ORDER BY "Event No")");
        prepare(&m_teams, R"(SELECT * FROM Gala_Team WHERE "Program code"=?1 AND "Gala Date"=?2)");
        prepare(&m_rows, R"(SELECT * FROM Gala_Record WHERE "Program code"=?1 AND "Gala Date"=?2)");
    }
    ~BareSave()
    {
        for (sqlite3_stmt *s : {m_delete, m_rename, m_insert, m_program, m_teams, m_rows})
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }

    void save(const GalaState &g)
    {
        const QByteArray code = Code.toUtf8();
        const QByteArray date = QDate(2026, 10, 12).toString(Qt::ISODate).toUtf8();
        exec("BEGIN IMMEDIATE");
        bindText(m_delete, 1, date);
        step(m_delete);
        bindText(m_rename, 1, code);
        bindText(m_rename, 2, date);
        step(m_rename);
        for (int t = 1; t <= g.NoOfTeams; ++t) {
            for (int e = 1; e <= g.NoOfEvents; ++e) {
                sqlite3_stmt *s = m_insert;
                bindText(s, 1, code);
                bindText(s, 2, date);
                sqlite3_bind_double(s, 3, g.EventNo[e].toDouble());
                sqlite3_bind_int(s, 4, g.TeamLane[t]);
                bindText(s, 5, g.LaneTime(e, t).toUtf8());
                sqlite3_bind_int(s, 6, g.LanePos(e, t));
                sqlite3_bind_double(s, 7, g.LanePoints(e, t));
                bindText(s, 8, g.LaneNotes(e, t).toUtf8());
                sqlite3_bind_int(s, 9, g.TeamHeat[t]);
                bindText(s, 10, g.LaneName(e, t).toUtf8());
                bindText(s, 11, g.LaneClub(e, t).toUtf8());
                const QDate dob = QDate::fromString(g.LaneDoB(e, t), QStringLiteral("dd/MM/yy"));
                bindText(s, 12,
                         dob.addYears(dob.year() < 1930 ? 100 : 0).toString(Qt::ISODate).toUtf8());
                step(s);
            }
        }
        exec("COMMIT");
    }

    // The selects an opening needs, every column of every row read.
    qint64 open()
    {
        const QByteArray code = Code.toUtf8();
        const QByteArray date = QDate(2026, 10, 12).toString(Qt::ISODate).toUtf8();
        bindText(m_program, 1, code);
        bindText(m_teams, 1, code);
        bindText(m_teams, 2, date);
        bindText(m_rows, 1, code);
        bindText(m_rows, 2, date);
        qint64 seen = 0;
        for (sqlite3_stmt *s : {m_program, m_teams, m_rows}) {
            while (sqlite3_step(s) == SQLITE_ROW) {
                for (int c = 0, n = sqlite3_column_count(s); c < n; ++c)
                    seen += sqlite3_column_bytes(s, c) + sqlite3_column_int(s, c);
            }
            sqlite3_reset(s);
        }
        return seen;
    }

private:
    void exec(const char *sql)
    {
        char *err = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            std::fprintf(stderr, "sqlite: %s\n", err ? err : "?");
            sqlite3_free(err);
        }
    }
    void prepare(sqlite3_stmt **s, const char *sql)
    {
        if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, s, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(m_db));
    }
    static void bindText(sqlite3_stmt *s, int i, const QByteArray &text)
    {
        sqlite3_bind_text(s, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    void step(sqlite3_stmt *s)
    {
        if (sqlite3_step(s) != SQLITE_DONE)
            std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(m_db));
        sqlite3_reset(s);
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_delete = nullptr, *m_rename = nullptr, *m_insert = nullptr;
    sqlite3_stmt *m_program = nullptr, *m_teams = nullptr, *m_rows = nullptr;
};

int storedRows(Database &db)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Record_Query"));
    q.setParameter(QStringLiteral("Enter program code"), Code);
    q.setParameter(QStringLiteral("Enter gala date"), Date);
    return q.openRecordset().recordCount();
}

void line(const char *what, const Timings &program, const Timings &floor, double aim)
{
    const double wall = medianMs(program.wall), wallFloor = medianMs(floor.wall);
    const double cpu = medianMs(program.cpu), cpuFloor = medianMs(floor.cpu);
    std::printf("%-16s wall %8.3f ms vs %8.3f ms = %5.2fx | cpu %8.3f ms vs %8.3f ms = %5.2fx"
                "  (aim: within %.1fx)\n",
                what, wall, wallFloor, wall / wallFloor, cpu, cpuFloor, cpu / cpuFloor, aim);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gala_record.mdb"));
    try {
        buildGala(*ReadyMade::createGalaDatabase(path));

        SharedState shared;
        shared.GalaDb = std::make_unique<Database>(path);
        shared.GalaDbOpen = true;
        shared.ProgCode = Code;
        shared.GalaDate = Date;
        YesDialogs dialogs;
        GalaState gala;
        if (!OpenGala(shared, gala, dialogs).opened() || gala.NoOfTeams != Teams ||
            gala.NoOfEvents != Events) {
            std::fprintf(stderr, "the benchmark gala did not open\n");
            return 1;
        }
        fillResults(gala);
        // Every timed save stores other results than the one before (one
        // lane changes, untimed), as at the desk, so the history keeps each.
        int changes = 0;
        const auto change = [&] {
            ++changes;
            gala.LaneTime(1 + changes % Events, 1 + changes % Teams) =
                QStringLiteral("%1.%2")
                    .arg(40 + changes % 50)
                    .arg(changes % 100, 2, 10, QLatin1Char('0'));
        };
        const ResultStore::SaveNote note{SaveAction::NextEvent, QStringLiteral("1")};
        const auto programSave = [&] {
            ResultStore::SaveResults(*shared.GalaDb, Code, Date, gala, note);
        };
        // Two saves first, so every timed save deletes, renames and inserts 1,700 rows.
        change();
        programSave();
        change();
        programSave();
        int saves = 2;

        BareSave bare(path);
        Timings save, saveFloor, open, openFloor;
        for (int i = 0; i < Runs; ++i) {
            change();
            save.add(programSave);
            change();
            saveFloor.add([&] { bare.save(gala); });
            ++saves;
        }

        // The history's cost: the same save with and without it, in turns.
        Timings withHistory, withoutHistory;
        for (int i = 0; i < Runs; ++i) {
            change();
            withHistory.add(programSave);
            change();
            withoutHistory.add(
                [&] { ResultStore::SaveResultsWithoutHistory(*shared.GalaDb, Code, Date, gala); });
            ++saves;
        }

        // The second copy: what the desk waits for is the save and the
        // request; the copy itself runs on its own thread, timed apart.
        QTemporaryDir copyFolder;
        shared.GalaDbPath = path;
        shared.SecondCopyOn = true;
        shared.SecondCopyFolder = copyFolder.path();
        Timings withCopy, withoutCopy, copyAlone;
        for (int i = 0; i < Runs; ++i) {
            change();
            withCopy.add([&] {
                programSave();
                RequestSecondCopy(shared, dialogs);
            });
            shared.Copy.waitForIdle(60000);
            change();
            withoutCopy.add(programSave);
            copyAlone.add([&] { SecondCopy::copyNow(path, copyFolder.path()); });
            saves += 2;
        }
        while (saves < 100) {
            change();
            programSave();
            ++saves;
        }
        const qint64 bytes = QFileInfo(path).size();
        const qint64 kept =
            shared.GalaDb->select(QStringLiteral("SELECT count(*) FROM Gala_Save_History"))
                .first()
                .first()
                .toLongLong();
        const int rows = storedRows(*shared.GalaDb);

        qint64 seen = 0;
        for (int i = 0; i < Runs; ++i) {
            GalaState loaded;
            open.add([&] { OpenGala(shared, loaded, dialogs); });
            openFloor.add([&] { seen += bare.open(); });
        }

        // One typed time: rank 17 rows, positions, points, totals over 100 events.
        GalaState sheetGala;
        OpenGala(shared, sheetGala, dialogs);
        SheetModel model(shared, sheetGala, dialogs);
        model.setUpRows();
        model.ShowEvent(1);
        std::vector<qint64> chain;
        for (int i = 0; i < 1001; ++i) {
            const QString typed =
                QStringLiteral("%1.%2").arg(28 + i % 7).arg(i % 100, 2, 10, QLatin1Char('0'));
            const int row = (i * 5) % Teams;
            chain.push_back(timed([&] { model.setText(SheetModel::Time, row, typed); }));
        }

        std::printf("Largest gala: %d team entries x %d events = %d rows per save; median of %d "
                    "runs (chain: 1001)\n",
                    Teams, Events, Teams * Events, Runs);
        std::printf("program against bare SQLite (same work, same file, same run):\n");
        line("save results", save, saveFloor, 1.5);
        std::printf("save history (the same save with and without it, same run):\n");
        line("save + history", withHistory, withoutHistory, 1.5);
        std::printf("second copy (the desk's wait: save and copy request against save alone):\n");
        line("save + copy", withCopy, withoutCopy, 1.0);
        std::printf("%-16s wall %8.3f ms on the copy's own thread, never waited for\n",
                    "copy itself", medianMs(copyAlone.wall));
        std::printf("database after %d saves of the largest gala: %.2f MB (%lld generations "
                    "kept; aim: at most 20 MB)\n",
                    saves, double(bytes) / (1024.0 * 1024.0), kept);
        line("open the gala", open, openFloor, 2.0);
        std::printf("%-16s wall %8.3f ms over %d rows  (aim: under 1 ms)\n", "typed time chain",
                    medianMs(chain), Teams);
        std::printf("check: %d stored rows after the saves (expected %d), %d messages, bare "
                    "checksum %lld\n",
                    rows, Teams * Events, dialogs.messages, seen);
        return rows == Teams * Events && dialogs.messages == 0 ? 0 : 1;
    } catch (const EngineError &e) {
        std::fprintf(stderr, "engine: %s\n", qPrintable(e.message()));
        return 1;
    }
}
