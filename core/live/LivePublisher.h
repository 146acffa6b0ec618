#pragma once

#include "core/live/LiveSnapshot.h"

#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <optional>

class Dialogs;
class SheetModel;

// The files of one publish folder, written in this order so that a reader
// of the folder never sees a data file newer than the pages beside it.
namespace LiveFolder {

inline const QString DataFile = QStringLiteral("results.json");
inline const QString ResultsPage = QStringLiteral("results.htm");
inline const QString LenexFile = QStringLiteral("results.lxf");
inline const QString TeamsFolder = QStringLiteral("teams");

// Writes the whole gala into `folder` (made when missing): the page's style
// and script, the web results page, the team pages (in teams/), the Lenex
// file, index.html and last the data file. Every file is written whole or
// not at all. False with `error` when a file could not be written; a file
// that cannot be made yet is left out and named in `notes` instead.
[[nodiscard]] bool Write(const QString &folder, const LiveSnapshot &snapshot, QString &error,
                         QStringList &notes);

} // namespace LiveFolder

// Publishes the gala into a folder after every save, on a thread of its
// own: the desk hands over a snapshot and carries on at once. A save made
// while a publish runs is written right after it, and only the newest of
// such saves. Failures and left-out files are told once each through the
// signals; later saves keep trying quietly.
class LivePublisher : public QObject
{
    Q_OBJECT
public:
    explicit LivePublisher(QString folder, QObject *parent = nullptr);
    // Waits for a publish that is running, so the last save is not lost.
    ~LivePublisher() override;

    QString folder() const { return m_folder; }

    // Queues the snapshot and returns at once.
    void publish(LiveSnapshot snapshot);

    // Publishes every save of the sheet from now on.
    void follow(SheetModel &model, SharedState &shared, GalaState &gala, const OnlineTimes *online);

    // Publishes the gala stored under shared.ProgCode / shared.GalaDate in
    // the gala database (after a restore of an earlier save, say). False
    // with the reason when the gala cannot be read.
    bool publishStored(SharedState &shared, QString *error);

    // Blocks until nothing is queued or being written (tests, program end).
    void waitForIdle();

    // Publishes completed since the start, successful or not.
    int publishes() const;

signals:
    // A publish failed after the last one succeeded (or the first failed).
    void failed(const QString &message);
    // A file was left out; each different note is told once.
    void note(const QString &text);

private:
    void drain();
    void finished(bool ok, const QString &error, const QStringList &notes);

    const QString m_folder;
    QThread m_thread;
    QObject m_worker; // lives in m_thread; runs the writes
    mutable QMutex m_mutex;
    QWaitCondition m_idle;
    std::optional<LiveSnapshot> m_pending;
    bool m_running = false;
    int m_publishes = 0;
    // Read on the desk's thread only.
    bool m_failing = false;
    QStringList m_notesTold;
};

// Shows the publisher's failures and notes as messages to the desk.
void TellDesk(LivePublisher &publisher, Dialogs &dialogs);

// The run's publisher for shared.PublishFolder, made and told to report to
// the desk on first use; one per folder for the whole run, so that the save
// of "Exit" or a restore is published too. Null while publishing is off.
LivePublisher *DeskPublisher(SharedState &shared, Dialogs &dialogs);
