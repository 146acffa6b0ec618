#include "core/values/SecondCopy.h"

#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>

SecondCopy::SecondCopy(QObject *parent) : QObject(parent) {}

SecondCopy::~SecondCopy()
{
    std::unique_lock lock(m_mutex);
    m_pending = false;
    lock.unlock();
    if (m_worker.joinable())
        m_worker.join();
}

QString SecondCopy::copyPath(const QString &dbPath, const QString &folder)
{
    return QDir(folder).filePath(QFileInfo(dbPath).fileName());
}

QString SecondCopy::copyNow(const QString &dbPath, const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return tr("the folder is not there");
    const QString target = copyPath(dbPath, folder);
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(dbPath).canonicalFilePath())
        return tr("it is the gala database itself");
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    try {
        // Its own connection, read-only: the desk's connection stays the
        // desk's, and a save in progress is waited for.
        Database source(dbPath, Database::Access::ReadOnly, 5000);
        source.backupTo(temporary);
    } catch (const EngineError &e) {
        QFile::remove(temporary);
        return e.message();
    }
    // rename() replaces the old copy in one step: the folder never holds a
    // half-written copy under the database's name.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return why;
    }
    return QString();
}

void SecondCopy::request(const QString &dbPath, const QString &folder, Dialogs &dialogs)
{
    std::lock_guard lock(m_mutex);
    m_dialogs = &dialogs;
    m_next = {dbPath, folder};
    if (m_running) {
        m_pending = true;
        return;
    }
    startLocked();
}

void SecondCopy::startLocked()
{
    if (m_worker.joinable())
        m_worker.join(); // it has ended: m_running was false
    m_running = true;
    m_pending = false;
    ++m_untold;
    const Job job = m_next;
    m_worker = std::thread([this, job] {
        const QString error = copyNow(job.dbPath, job.folder);
        {
            std::lock_guard lock(m_mutex);
            m_running = false;
        }
        // The outcome is told on this object's thread.
        QMetaObject::invokeMethod(
            this, [this, job, error] { finished(job.folder, error); }, Qt::QueuedConnection);
    });
}

void SecondCopy::finished(const QString &folder, const QString &error)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_pending && !m_running)
            startLocked();
    }
    emit copied(folder, error);
    const bool tell = error.isEmpty() == m_failing;
    m_failing = !error.isEmpty();
    if (tell && m_dialogs) {
        m_dialogs->message(
            m_failing ? tr("The second copy could not be written to %1: %2. The gala database "
                           "itself is saved; every save tries the copy again.")
                            .arg(QDir::toNativeSeparators(folder), error)
                      : tr("The second copy in %1 is written again.")
                            .arg(QDir::toNativeSeparators(folder)));
    }
    --m_untold;
}

bool SecondCopy::waitForIdle(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (true) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_running && !m_pending && m_untold == 0)
                return true;
        }
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

void RequestSecondCopy(SharedState &shared, Dialogs &dialogs)
{
    if (shared.SecondCopyOn && !shared.SecondCopyFolder.isEmpty() && shared.GalaDb)
        shared.Copy.request(shared.GalaDb->path(), shared.SecondCopyFolder, dialogs);
}
