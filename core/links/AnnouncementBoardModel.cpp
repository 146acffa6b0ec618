#include "core/links/AnnouncementBoardModel.h"

#include "core/links/AnnouncerPriority.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>

namespace {

// A read that finds the desk posting waits this long, then tries again at
// the next poll.
constexpr int BoardBusyMs = 100;

} // namespace

bool AnnouncementBoardModel::refresh(QString &error, bool &changed)
{
    changed = false;
    if (!PBUTIL::FileExists(m_path)) {
        error = QCoreApplication::translate("AnnouncementBoard", "No announcer database at %1")
                    .arg(m_path);
        return false;
    }
    std::map<int, QList<Message>> byPriority;
    int count = 0;
    try {
        Database db(m_path, Database::Access::ReadOnly, BoardBusyMs);
        Recordset rows = db.openRecordset(QStringLiteral("Announcement"));
        for (; !rows.atEnd(); rows.moveNext()) {
            Message m;
            m.number = ++count;
            m.priority = rows.value(QStringLiteral("Priority")).toInt();
            m.text = rows.text(QStringLiteral("Message"));
            m.text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            byPriority[m.priority].append(m);
        }
        rows.close();
    } catch (const EngineError &e) {
        error = e.message();
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
    case int(AnnouncerPriority::Results):
        return QCoreApplication::translate("AnnouncementBoard", "Results, times and scores");
    case int(AnnouncerPriority::HeatsLists):
        return QCoreApplication::translate("AnnouncementBoard", "Heats lists");
    default:
        return QCoreApplication::translate("AnnouncementBoard", "Priority %1").arg(priority);
    }
}
