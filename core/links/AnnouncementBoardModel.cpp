#include "core/links/AnnouncementBoardModel.h"

#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// A read that finds the desk posting waits this long, then tries again at
// the next poll.
constexpr int BoardBusyMs = 100;

QString notAnnouncer(const QString &path)
{
    return QCoreApplication::translate("AnnouncementBoardModel", "%1 is not an announcer database")
        .arg(path);
}

} // namespace

bool AnnouncementBoardModel::refresh(QString &error, bool &changed)
{
    changed = false;
    m_wrongFile = false;
    if (!PBUTIL::FileExists(m_path)) {
        error = QCoreApplication::translate("AnnouncementBoardModel", "No announcer database at %1")
                    .arg(m_path);
        return false;
    }
    std::map<int, QList<Message>> byPriority;
    int count = 0;
    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(m_path, Database::Access::ReadOnly, BoardBusyMs);
    } catch (const EngineError &e) {
        // Busy is worth another try; another kind of file is not.
        m_wrongFile = !Database::isDatabaseFile(m_path);
        error = m_wrongFile ? notAnnouncer(m_path) : e.message();
        return false;
    }
    try {
        Recordset rows = db->openRecordset(QStringLiteral("Announcement"));
        for (; !rows.atEnd(); rows.moveNext()) {
            Message m;
            m.number = ++count;
            m.priority = rows.value(QStringLiteral("Priority")).toInt();
            m.text = rows.text(QStringLiteral("Message"));
            m.text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            byPriority[m.priority].append(m);
        }
        rows.close();
    } catch (const EngineError &) {
        // The schema was read when the file opened: a database without the
        // announcements (a gala database, say) is the wrong file.
        m_wrongFile = true;
        error = notAnnouncer(m_path);
        return false;
    }
    QList<Group> groups;
    for (auto &[priority, messages] : byPriority) {
        std::reverse(messages.begin(), messages.end());
        if (messages.size() > Shown)
            messages.resize(Shown);
        groups.append({priority, messages});
    }
    changed = groups != m_groups;
    m_groups = groups;
    m_newest = count;
    error.clear();
    return true;
}

QString AnnouncementBoardModel::priorityName(int priority)
{
    switch (priority) {
    case 2:
        return QCoreApplication::translate("AnnouncementBoardModel", "Results, times and scores");
    case 3:
        return QCoreApplication::translate("AnnouncementBoardModel", "Heats lists");
    default:
        return QCoreApplication::translate("AnnouncementBoardModel", "Priority %1").arg(priority);
    }
}
