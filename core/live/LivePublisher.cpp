#include "core/live/LivePublisher.h"

#include "core/exports/ExportFile.h"
#include "core/exports/LenexFile.h"
#include "core/exports/LenexResults.h"
#include "core/exports/WebResults.h"
#include "core/exports/WebTeamResults.h"
#include "core/links/SplitTimes.h"
#include "core/live/LiveData.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/Guarded.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <memory>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("LivePublisher", text);
}

// The page's style and script, kept in the program's resources.
QStringList resourceLines(const QString &name)
{
    QFile file(QStringLiteral(":/live/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Writes a file as Exports::WriteFile does, unless it already holds exactly
// these lines: every written file costs the disk a sync, and the desk's own
// save waits behind those.
bool update(const QString &path, const QStringList &lines, QString &error)
{
    QByteArray wanted;
    for (const QString &line : lines)
        wanted += line.toUtf8() + "\r\n";
    QFile old(path);
    if (old.size() == wanted.size() && old.open(QIODevice::ReadOnly) && old.readAll() == wanted)
        return true;
    return Exports::WriteFile(path, lines, error);
}

// Pages of team entries that are no longer in the gala (a team renamed)
// would stay reachable with old results: they go.
void removeStalePages(const QString &teamsFolder, const QStringList &pages)
{
    QDir dir(teamsFolder);
    const QStringList present = dir.entryList({QStringLiteral("*.htm")}, QDir::Files);
    for (const QString &name : present) {
        if (!pages.contains(name))
            dir.remove(name);
    }
}

// Answers the opening of a stored gala without a screen: stored results
// are kept (the gala is being published, not recorded), nothing is asked.
struct QuietDialogs : Dialogs
{
    QStringList messages;
    void message(const QString &text) override { messages << text; }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &) override { return true; }
    bool yesNoDefaultNo(const QString &) override { return false; }
    void chooseFile(FileChoice &) override {}
};

} // namespace

namespace LiveFolder {

bool Write(const QString &folder, const LiveSnapshot &s, QString &error, QStringList &notes)
{
    // An empty name would be the program's working folder.
    if (folder.trimmed().isEmpty()) {
        error = tr("no folder is chosen under \"Publish results to folder\"");
        return false;
    }
    const QDir dir(folder);
    const QString teams = dir.filePath(TeamsFolder);
    if (!QDir().mkpath(teams)) {
        error = tr("The folder %1 could not be made").arg(QDir::toNativeSeparators(teams));
        return false;
    }
    for (const char *name : {"live.css", "live.js"}) {
        if (!update(dir.filePath(name), resourceLines(name), error))
            return false;
    }
    // The pages are the lines of the WEB menu's pages, written the same way.
    if (!update(dir.filePath(ResultsPage), WebResults::Lines(s.gala, s.galaDate), error))
        return false;

    // Splits come from the online-times database through a connection of
    // this thread's own, read-only.
    std::unique_ptr<Database> ares;
    if (!s.aresDbPath.isEmpty()) {
        try {
            ares = std::make_unique<Database>(s.aresDbPath, Database::Access::ReadOnly, 500);
        } catch (const EngineError &e) {
            notes << tr("The team pages were published without split times: %1").arg(e.message());
        }
    }
    SplitTimes splits(ares.get(), s.meetCode);
    const QStringList pages = WebTeamResults::PageNames(s.gala);
    try {
        for (const WebTeamResults::Page &page :
             WebTeamResults::Pages(s.gala, s.galaDate, s.graded, splits)) {
            if (!update(teams + QLatin1Char('/') + page.fileName, page.lines, error))
                return false;
        }
        removeStalePages(teams, pages);
    } catch (const EngineError &e) {
        notes << tr("The team pages were left out: %1").arg(e.message());
    }

    // The Lenex file names whom to ask about it; the desk gives that once
    // (the Lenex menu entry asks), and until then the file is left out.
    if (s.contactEmail.isEmpty()) {
        notes << tr("The Lenex results file is not published until the desk has a contact "
                    "e-mail: Export > \"Lenex Results File\" asks for it once.");
    } else {
        QString why;
        try {
            LenexMeet meet;
            meet.GalaDate = s.galaDate;
            meet.PoolLength = s.poolLength;
            meet.ProgramVersion = QStringLiteral(AQGALAREC_VERSION);
            meet.ContactEmail = s.contactEmail;
            meet.Organisation = s.organisation;
            meet.GalaCode = s.galaCode;
            const QByteArray xml = LenexResultsXml(s.gala, meet, splits);
            if (!LenexFile::Write(dir.filePath(LenexFile), xml, PBUTIL::ReadDate(s.galaDate), why))
                notes << tr("The Lenex results file was left out: %1").arg(why);
        } catch (const EngineError &e) {
            notes << tr("The Lenex results file was left out: %1").arg(e.message());
        }
    }

    if (!update(dir.filePath(QStringLiteral("index.html")), LiveData::IndexPage(s, pages), error))
        return false;
    // Last: a reader that sees this data file finds every page as new.
    return Exports::WriteFile(dir.filePath(DataFile), {QString::fromUtf8(LiveData::Json(s, pages))},
                              error);
}

} // namespace LiveFolder

LivePublisher::LivePublisher(QString folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder))
{
    m_thread.setObjectName(QStringLiteral("LivePublisher"));
    m_worker.moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
}

LivePublisher::~LivePublisher()
{
    waitForIdle();
    m_thread.quit();
    m_thread.wait();
}

void LivePublisher::publish(LiveSnapshot snapshot)
{
    QMutexLocker lock(&m_mutex);
    m_pending = std::move(snapshot);
    if (m_running)
        return; // the running drain takes it next
    m_running = true;
    QMetaObject::invokeMethod(
        &m_worker, [this] { drain(); }, Qt::QueuedConnection);
}

void LivePublisher::drain()
{
    for (;;) {
        LiveSnapshot snapshot;
        {
            QMutexLocker lock(&m_mutex);
            if (!m_pending) {
                m_running = false;
                m_idle.wakeAll();
                return;
            }
            snapshot = std::move(*m_pending);
            m_pending.reset();
        }
        QString error;
        QStringList notes;
        const bool ok = LiveFolder::Write(m_folder, snapshot, error, notes);
        {
            QMutexLocker lock(&m_mutex);
            ++m_publishes;
        }
        QMetaObject::invokeMethod(
            this, [this, ok, error, notes] { finished(ok, error, notes); }, Qt::QueuedConnection);
    }
}

void LivePublisher::finished(bool ok, const QString &error, const QStringList &notes)
{
    for (const QString &text : notes) {
        if (!m_notesTold.contains(text)) {
            m_notesTold << text;
            emit note(text);
        }
    }
    if (!ok && !m_failing) {
        m_failing = true;
        emit failed(tr("The results could not be published to %1: %2. Later saves will try "
                       "again.")
                        .arg(QDir::toNativeSeparators(m_folder), error));
    } else if (ok) {
        m_failing = false; // the next outage is told again
    }
}

void LivePublisher::waitForIdle()
{
    QMutexLocker lock(&m_mutex);
    while (m_running)
        m_idle.wait(&m_mutex);
}

int LivePublisher::publishes() const
{
    QMutexLocker lock(&m_mutex);
    return m_publishes;
}

void LivePublisher::follow(SheetModel &model, SharedState &shared, GalaState &gala,
                           const OnlineTimes *online)
{
    double poolLength = 0; // unknown when the database refuses: the Lenex file then has none
    QuietDialogs quiet;
    Guarded(quiet, [&] {
        poolLength = PoolLengthOf(GalaDatabase(shared), shared.ProgCode, shared.GalaDate);
    });
    connect(&model, &SheetModel::resultsSaved, this,
            [this, &model, &shared, &gala, online, poolLength](SaveAction) {
                publish(TakeSnapshot(shared, gala, model.currentEvent(), online, poolLength));
            });
}

bool LivePublisher::publishStored(SharedState &shared, QString *error)
{
    QuietDialogs quiet;
    GalaState gala;
    const bool onlineOn = shared.OnlineOn;
    OpenedGala opened = OpenGala(shared, gala, quiet);
    shared.OnlineOn = onlineOn; // reading the gala changes no option of the desk
    if (!opened.opened()) {
        *error = quiet.messages.isEmpty() ? tr("The gala could not be read")
                                          : quiet.messages.join(QLatin1Char(' '));
        return false;
    }
    double poolLength = 0;
    if (!Guarded(quiet, [&] {
            poolLength = PoolLengthOf(GalaDatabase(shared), shared.ProgCode, shared.GalaDate);
        })) {
        *error = quiet.messages.join(QLatin1Char(' '));
        return false;
    }
    publish(TakeSnapshot(shared, gala, 0, opened.OnlineOn ? &opened.online : nullptr, poolLength));
    return true;
}

void TellDesk(LivePublisher &publisher, Dialogs &dialogs)
{
    QObject::connect(&publisher, &LivePublisher::failed, &publisher,
                     [&dialogs](const QString &message) { dialogs.message(message); });
    QObject::connect(&publisher, &LivePublisher::note, &publisher,
                     [&dialogs](const QString &text) { dialogs.message(text); });
}

LivePublisher *DeskPublisher(SharedState &shared, Dialogs &dialogs)
{
    if (!shared.PublishOn)
        return nullptr;
    if (!shared.Publishing || shared.Publishing->folder() != shared.PublishFolder) {
        shared.Publishing = std::make_shared<LivePublisher>(shared.PublishFolder);
        TellDesk(*shared.Publishing, dialogs);
    }
    return shared.Publishing.get();
}
