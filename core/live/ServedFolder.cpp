#include "core/live/ServedFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Larger files are not served: a publish folder holds pages of a few
// hundred kilobytes at most.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

} // namespace

ServedFolder::ServedFolder(const QString &folder) : m_root(QFileInfo(folder).canonicalFilePath()) {}

std::optional<QString> ServedFolder::resolve(const QByteArray &requestPath) const
{
    if (m_root.isEmpty() || !requestPath.startsWith('/'))
        return std::nullopt;
    // Encoded separators and dots are judged after decoding, once: a "%2e%2e"
    // is a "..", and a "%252e" stays the harmless name "%2e".
    const QByteArray decoded = QByteArray::fromPercentEncoding(requestPath);
    const QString path = QString::fromUtf8(decoded);
    if (path.toUtf8() != decoded) // not UTF-8
        return std::nullopt;
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QLatin1Char('\\'))
            return std::nullopt;
    }
    QStringList segments = path.split(QLatin1Char('/'));
    segments.removeFirst(); // before the leading "/"
    for (const QString &s : segments) {
        if (s == QLatin1String("..") || s == QLatin1String("."))
            return std::nullopt;
    }
    QString relative = segments.join(QLatin1Char('/'));
    if (relative.isEmpty())
        relative = QStringLiteral("index.html");
    if (relative.startsWith(QLatin1Char('/')) || relative.contains(QLatin1String("//")))
        return std::nullopt;
    // A link may point anywhere: what counts is where the file really is.
    const QFileInfo info(m_root + QLatin1Char('/') + relative);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty() || !real.startsWith(m_root + QLatin1Char('/')) || !QFileInfo(real).isFile())
        return std::nullopt;
    return real;
}

std::optional<ServedFolder::File> ServedFolder::file(const QString &path)
{
    QFileInfo info(path);
    info.setCaching(false);
    if (!info.isFile() || info.size() > MaxFileSize)
        return std::nullopt;
    Cached &cached = m_cache[path];
    if (cached.size == info.size() && cached.modified == info.lastModified())
        return cached.file;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_cache.remove(path);
        return std::nullopt;
    }
    cached.file.content = f.readAll();
    cached.file.type = contentType(path);
    cached.file.etag =
        '"' +
        QCryptographicHash::hash(cached.file.content, QCryptographicHash::Sha1).toHex().left(20) +
        '"';
    // Text shrinks to a tenth: 500 phones fetching a changed data file at
    // once cost the pool's wireless network that much less.
    cached.file.deflated.clear();
    cached.file.deflatedEtag.clear();
    if (cached.file.type.contains("charset=utf-8") && cached.file.content.size() > 256) {
        cached.file.deflated = qCompress(cached.file.content, 6).mid(4); // the zlib stream
        cached.file.deflatedEtag = cached.file.etag.chopped(1) + "-z\"";
    }
    cached.size = cached.file.content.size();
    cached.modified = info.lastModified();
    return cached.file;
}

QByteArray ServedFolder::contentType(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return "text/html; charset=utf-8";
    if (suffix == QLatin1String("css"))
        return "text/css; charset=utf-8";
    if (suffix == QLatin1String("js"))
        return "text/javascript; charset=utf-8";
    if (suffix == QLatin1String("json"))
        return "application/json; charset=utf-8";
    if (suffix == QLatin1String("lef") || suffix == QLatin1String("xml"))
        return "application/xml; charset=utf-8";
    if (suffix == QLatin1String("lxf"))
        return "application/zip";
    if (suffix == QLatin1String("txt"))
        return "text/plain; charset=utf-8";
    return "application/octet-stream";
}

bool ServedFolder::matches(const QByteArray &ifNoneMatch, const QByteArray &etag)
{
    for (QByteArray tag : ifNoneMatch.split(',')) {
        tag = tag.trimmed();
        if (tag.startsWith("W/"))
            tag = tag.mid(2);
        if (tag == "*" || tag == etag)
            return true;
    }
    return false;
}
