#include "core/values/UserFolders.h"

#include "core/values/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

UserFolders::UserFolders(const QString &programFolder)
{
    const QString shared = QDir::cleanPath(programFolder + QStringLiteral("/../share/aqgalarec"));
    if (!QFileInfo::exists(QDir(shared).filePath(QStringLiteral("gala_record.mdb")))) {
        m_dataFolder = programFolder;
        m_settingsPath = SettingsFile::location(programFolder);
        return;
    }
    m_readyMadeFolder = shared;
    m_dataFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                       .filePath(QStringLiteral("aqgalarec"));
    // Always the configuration folder: even for root, whose program folder
    // can be written, the settings stay out of the installed files.
    m_settingsPath = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                         .filePath(QStringLiteral("aqrecord.ini"));
}

QStringList UserFolders::readyMadeNames()
{
    return {QStringLiteral("gala_record.mdb"), QStringLiteral("demo_gala.mdb"),
            QStringLiteral("announcer.mdb"), QStringLiteral("online_times.mdb"),
            QStringLiteral("demo_online.mdb")};
}

QString UserFolders::provide() const
{
    if (!installed())
        return QString();
    const QDir data(m_dataFolder);
    if (!data.mkpath(QStringLiteral(".")))
        return QCoreApplication::translate("UserFolders", "Cannot create the folder %1")
            .arg(m_dataFolder);
    const QDir readyMade(m_readyMadeFolder);
    for (const QString &name : readyMadeNames()) {
        const QString target = data.filePath(name);
        if (QFileInfo::exists(target))
            continue;
        // Copied under a temporary name and renamed: a copy cut short is
        // never taken for the user's database on the next start.
        const QString partial = target + QStringLiteral(".part");
        QFile::remove(partial);
        if (!QFile::copy(readyMade.filePath(name), partial) ||
            !QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther) ||
            !QFile::rename(partial, target)) {
            QFile::remove(partial);
            return QCoreApplication::translate("UserFolders", "Cannot copy the database %1")
                .arg(target);
        }
    }
    return QString();
}
