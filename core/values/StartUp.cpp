#include "core/values/StartUp.h"

#include "core/values/PbUtil.h"
#include "core/values/SecondCopy.h"
#include "core/values/SettingsFile.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

StartUp::StartUp(SharedState &shared, Dialogs &dialogs, const QString &programFolder)
    : m_shared(shared), m_dialogs(dialogs), m_programFolder(programFolder),
      m_settingsPath(SettingsFile::location(programFolder))
{
}

QString StartUp::load()
{
    m_shared.GalaDbOpen = false;
    static_cast<Settings &>(m_shared) = SettingsFile::read(m_settingsPath);
    if (m_shared.GalaDbPath.isEmpty())
        m_shared.GalaDbPath = QDir(m_programFolder).filePath(QStringLiteral("gala_record.mdb"));
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
    const QString fault = open(dbPath);
    if (!fault.isEmpty()) {
        m_dialogs.message(fault);
        if (!offerSecondCopy(dbPath) || !open(dbPath).isEmpty())
            return false;
    }
    m_shared.GalaDbOpen = true;
    return true;
}

QString StartUp::open(const QString &dbPath)
{
    try {
        auto db = std::make_unique<Database>(dbPath);
        // A damaged file is refused before anything is read from or written
        // to it: recording into it could lose the gala.
        const QStringList faults = db->check();
        if (!faults.isEmpty())
            return QCoreApplication::translate(
                       "StartUp", "The gala database %1 is damaged and was not opened. The "
                                  "check found: %2")
                .arg(QDir::toNativeSeparators(dbPath), faults.mid(0, 5).join(QLatin1String("; ")));
        // Another kind of database (an announcer file, say) is refused here,
        // while the start screen can still offer another file.
        db->openRecordset(QStringLiteral("Gala_Name"));
        db->queryDef(QStringLiteral("Gala_Team_Query"));
        m_shared.GalaDb = std::move(db);
    } catch (const EngineError &e) {
        return e.message();
    }
    return QString();
}

bool StartUp::offerSecondCopy(const QString &dbPath)
{
    if (m_shared.SecondCopyFolder.isEmpty())
        return false;
    const QString copy = SecondCopy::copyPath(dbPath, m_shared.SecondCopyFolder);
    if (!PBUTIL::FileExists(copy) ||
        QFileInfo(copy).canonicalFilePath() == QFileInfo(dbPath).canonicalFilePath())
        return false;
    try {
        if (!Database(copy, Database::Access::ReadOnly).check().isEmpty())
            return false;
    } catch (const EngineError &) {
        return false;
    }
    // The damaged file is kept under a name no earlier one has.
    QString kept = dbPath + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = dbPath + QStringLiteral(".damaged-%1").arg(n);
    const QString when = QFileInfo(copy).lastModified().toString(QStringLiteral("dd/MM/yy HH:mm"));
    if (!m_dialogs.yesNo(QCoreApplication::translate(
                             "StartUp", "A second copy of the gala database, written %1, is in "
                                        "%2. Put it in place of the damaged file? The damaged "
                                        "file is kept as %3.")
                             .arg(when, QDir::toNativeSeparators(m_shared.SecondCopyFolder),
                                  QDir::toNativeSeparators(kept))))
        return false;
    const QString part = dbPath + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(copy, part) || !QFile::rename(dbPath, kept) || !QFile::rename(part, dbPath)) {
        QFile::remove(part);
        m_dialogs.message(QCoreApplication::translate(
                              "StartUp", "The second copy could not be put in place of %1.")
                              .arg(QDir::toNativeSeparators(dbPath)));
        return false;
    }
    return true;
}

bool StartUp::exit()
{
    m_shared.GalaDb.reset();
    m_shared.GalaDbOpen = false;
    QString error;
    if (!SettingsFile::write(m_settingsPath, m_shared, &error)) {
        m_dialogs.message(
            QCoreApplication::translate("StartUp", "The settings could not be saved to %1: %2")
                .arg(m_settingsPath, error));
        return false;
    }
    return true;
}
