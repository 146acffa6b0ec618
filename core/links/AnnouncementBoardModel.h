#pragma once

#include <QList>
#include <QString>

#include <utility>

// What the announcer's board at the pool shows of the announcer database:
// the messages grouped by priority (the most urgent, lowest number, first),
// each group newest first. The database is opened read-only for each read
// and closed at once, so the desk that posts is never kept waiting.
class AnnouncementBoardModel
{
public:
    struct Message
    {
        int number = 0; // order of posting, 1 for the first
        int priority = 0;
        QString text; // lines end with "\n"
        bool operator==(const Message &) const = default;
    };
    struct Group
    {
        int priority = 0;
        QList<Message> messages; // newest first
        bool operator==(const Group &) const = default;
    };

    // At most this many messages per group are kept for showing.
    static constexpr int Shown = 40;

    explicit AnnouncementBoardModel(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }

    // Reads the database afresh. False, with the reason, when it cannot be
    // read (missing, busy, not an announcer database); the groups read
    // before are kept. `changed` tells whether the groups differ.
    [[nodiscard]] bool refresh(QString &error, bool &changed);
    // True after a read found a file that is no announcer database at all
    // (another kind of file, or a database without the announcements).
    bool wrongFile() const { return m_wrongFile; }

    const QList<Group> &groups() const { return m_groups; }
    // The number of the newest message, 0 when there is none.
    int newest() const { return m_newest; }

    // A heading for a priority: what the desk posts with it.
    static QString priorityName(int priority);

private:
    QString m_path;
    QList<Group> m_groups;
    int m_newest = 0;
    bool m_wrongFile = false;
};
