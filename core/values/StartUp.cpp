#include "core/values/StartUp.h"

#include "core/values/PbUtil.h"
#include "core/values/SettingsFile.h"
#include "core/values/SharedState.h"
#include "core/values/UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

StartUp::StartUp(SharedState &shared, Dialogs &dialogs, const UserFolders &folders)
    : m_shared(shared), m_dialogs(dialogs), m_dataFolder(folders.dataFolder()),
      m_settingsPath(folders.settingsPath())
{
}

QString StartUp::load()
{
    m_shared.GalaDbOpen = false;
    static_cast<Settings &>(m_shared) = SettingsFile::read(m_settingsPath);
    if (m_shared.GalaDbPath.isEmpty())
        m_shared.GalaDbPath = QDir(m_dataFolder).filePath(QStringLiteral("gala_record.mdb"));
    return m_shared.GalaDbPath;
}

QString StartUp::browse()
{
    FileChoice &choice = m_shared.Choice;
    choice.FileMustExist = true;
    choice.FilePrompt =
        QCoreApplication::translate("StartUp", "Select Database for Gala Recording");
    m_dialogs.chooseFile(choice);
    const QString path = choice.path();
    if (path.isEmpty()) {
        m_dialogs.message(QCoreApplication::translate("StartUp", "No Database selected"));
        return QString();
    }
    m_shared.GalaDbPath = path;
    return path;
}

bool StartUp::enter(const QString &dbPath)
{
    m_shared.GalaDbPath = dbPath;
    if (!PBUTIL::FileExists(dbPath)) {
        m_dialogs.message(
            QCoreApplication::translate("StartUp", "Cannot locate database for gala recording"));
        return false;
    }
    // A second Enter opens the database afresh; the first handle is closed.
    m_shared.GalaDb.reset();
    m_shared.GalaDbOpen = false;
    try {
        auto db = std::make_unique<Database>(dbPath);
        // Another kind of database (an announcer file, say) is refused here,
        // while the start screen can still offer another file.
        db->openRecordset(QStringLiteral("Gala_Name"));
        db->queryDef(QStringLiteral("Gala_Team_Query"));
        m_shared.GalaDb = std::move(db);
    } catch (const EngineError &e) {
        m_dialogs.message(e.message());
        return false;
    }
    m_shared.GalaDbOpen = true;
    return true;
}

bool StartUp::exit()
{
    m_shared.GalaDb.reset();
    m_shared.GalaDbOpen = false;
    QString error;
    // An installed desk's configuration folder may not exist yet.
    QDir().mkpath(QFileInfo(m_settingsPath).absolutePath());
    if (!SettingsFile::write(m_settingsPath, m_shared, &error)) {
        m_dialogs.message(
            QCoreApplication::translate("StartUp", "The settings could not be saved to %1: %2")
                .arg(m_settingsPath, error));
        return false;
    }
    return true;
}
