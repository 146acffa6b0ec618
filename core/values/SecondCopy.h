#pragma once

#include <QObject>
#include <QString>

#include <mutex>
#include <thread>

class Dialogs;
struct SharedState;

// The second copy of the gala database in another folder (a USB stick,
// another drive), made after every save with the engine's online backup on
// a thread of its own with its own connection, so the desk never waits for
// it. The copy is written to a temporary file in that folder and renamed
// into place, so the folder always holds a whole database that opens. A
// failure is told once, naming the folder; later saves keep trying, and
// the first copy that works again says so once.
class SecondCopy : public QObject
{
    Q_OBJECT
public:
    explicit SecondCopy(QObject *parent = nullptr);
    ~SecondCopy() override;

    // Where the copy of `dbPath` goes in `folder`: the same file name.
    static QString copyPath(const QString &dbPath, const QString &folder);

    // Copies `dbPath` into `folder` at once on the calling thread; "" when
    // the copy is in place, else why not. A copy onto the database itself
    // is refused.
    static QString copyNow(const QString &dbPath, const QString &folder);

    // Starts a copy and returns at once; a copy asked for while one runs
    // follows it, once, with the newest request. Failures and the recovery
    // after them are told through `dialogs` on this object's thread.
    void request(const QString &dbPath, const QString &folder, Dialogs &dialogs);

    // Waits until no copy runs or is waiting and its outcome was told
    // (tests, and the program's end); false after `timeoutMs`.
    bool waitForIdle(int timeoutMs);

signals:
    // A copy ended; `error` is empty when it is in place.
    void copied(const QString &folder, const QString &error);

private:
    void startLocked();
    void finished(const QString &folder, const QString &error);

    struct Job
    {
        QString dbPath, folder;
    };
    std::mutex m_mutex;
    std::thread m_worker;
    bool m_running = false;
    bool m_pending = false;
    Job m_next;
    Dialogs *m_dialogs = nullptr;
    bool m_failing = false;
    int m_untold = 0; // copies ended whose outcome is not yet told
};

// After a save of the open gala database: its second copy, when that is on.
void RequestSecondCopy(SharedState &shared, Dialogs &dialogs);
