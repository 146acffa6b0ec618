#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// The files of one publish folder as a read-only web server hands them out:
// a request path is turned into a file inside the folder or refused, and a
// file's bytes, type and entity tag are kept until the file changes.
class ServedFolder
{
public:
    struct File
    {
        QByteArray content;
        QByteArray type; // Content-Type
        QByteArray etag; // quoted, strong
        // The content zlib-compressed (Content-Encoding: deflate) for text
        // types, with its own tag; empty for others.
        QByteArray deflated;
        QByteArray deflatedEtag;
    };

    // `folder` must exist; it is resolved once, links and all.
    explicit ServedFolder(const QString &folder);

    QString root() const { return m_root; }

    // The file a request path (percent-encoded, as in the request line)
    // names inside the folder: "/" is index.html. Nothing for a folder, a
    // path that leaves the folder in any spelling ("..", its encoded forms,
    // backslashes, a link that points out), a control character, or a file
    // that is not there.
    std::optional<QString> resolve(const QByteArray &requestPath) const;

    // The file's content, read afresh only when its size or time changed.
    // Nothing when it cannot be read.
    std::optional<File> file(const QString &path);

    // The type a file is served as, by its name's ending.
    static QByteArray contentType(const QString &path);

    // True when an If-None-Match header names `etag` (or is "*").
    static bool matches(const QByteArray &ifNoneMatch, const QByteArray &etag);

private:
    struct Cached
    {
        File file;
        qint64 size = -1;
        QDateTime modified;
    };
    QString m_root; // canonical, without a trailing "/"
    QHash<QString, Cached> m_cache;
};
