#include "core/values/StartUp.h"

#include "core/values/PbUtil.h"
#include "core/values/SecondCopy.h"
#include "core/values/SettingsFile.h"
#include "core/values/SharedState.h"
#include "core/values/UserFolders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
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
    choice.Pattern = QStringLiteral("*.mdb");
    choice.FilePrompt =
        QCoreApplication::translate("StartUp", "Select Database for Gala Recording");
    m_dialogs.chooseFile(choice);
    const QString path = choice.path();
    if (path.isEmpty())
        m_dialogs.message(QCoreApplication::translate("StartUp", "No Database selected"));
    // Remembered only once it opens (enter).
    return path;
}

QString StartUp::resolve(const QString &typed) const
{
    // The program may have been started from another folder (make run starts
    // it in its own): a bare name not found there is looked for in the folder
    // of the ready-made databases (beside the program, or the user's data
    // folder for an installed program).
    if (typed.isEmpty() || QDir::isAbsolutePath(typed) || PBUTIL::FileExists(typed))
        return typed;
    const QString beside = QDir(m_dataFolder).filePath(typed);
    return PBUTIL::FileExists(beside) ? beside : typed;
}

bool StartUp::enter(const QString &typed)
{
    const QString dbPath = resolve(typed);
    if (!PBUTIL::FileExists(dbPath)) {
        m_dialogs.message(
            QCoreApplication::translate("StartUp", "Cannot locate database for gala recording"));
        return false;
    }
    // A second Enter opens the database afresh; the first handle is closed.
    m_shared.GalaDb.reset();
    m_shared.GalaDbOpen = false;
    bool damaged = false;
    if (const QString fault = open(dbPath, damaged); !fault.isEmpty()) {
        m_dialogs.message(fault);
        if (!damaged || !offerSecondCopy(dbPath) || !open(dbPath, damaged).isEmpty())
            return false;
    }
    m_shared.GalaDbOpen = true;
    // Only a path that opened is remembered for the next run, whole, so it
    // opens from any folder.
    m_shared.GalaDbPath = QFileInfo(dbPath).absoluteFilePath();
    return true;
}

QString StartUp::open(const QString &dbPath, bool &damaged)
{
    damaged = false;
    const QString notGala =
        QCoreApplication::translate("StartUp", "%1 is not a gala database. Choose the gala "
                                               "recording database, such as gala_record.mdb.")
            .arg(QDir::toNativeSeparators(dbPath));
    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(dbPath);
    } catch (const EngineError &e) {
        // A locked or unreadable gala database says what the engine says.
        return Database::isDatabaseFile(dbPath) ? e.message() : notGala;
    }
    if (!Database::isDatabaseFile(dbPath))
        return notGala;
    // A damaged file is refused before anything is read from or written to
    // it: recording into it could lose the gala.
    QStringList faults;
    try {
        faults = db->check();
    } catch (const EngineError &e) {
        faults << e.message();
    }
    if (!faults.isEmpty()) {
        damaged = true;
        return QCoreApplication::translate("StartUp",
                                           "The gala database %1 is damaged and was not opened. "
                                           "The check found: %2")
            .arg(QDir::toNativeSeparators(dbPath), faults.mid(0, 5).join(QLatin1String("; ")));
    }
    try {
        // Another kind of database (an announcer file, say) is refused here,
        // while the start screen can still offer another file.
        db->openRecordset(QStringLiteral("Gala_Name"));
        db->queryDef(QStringLiteral("Gala_Team_Query"));
    } catch (const EngineError &) {
        return notGala;
    }
    m_shared.GalaDb = std::move(db);
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
