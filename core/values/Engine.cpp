#include "core/values/Engine.h"

#include "core/values/EngineTypes.h"

#include <QCoreApplication>
#include <QFile>
#include <sqlite3.h>

#include <cstring>

using namespace EngineTypes;

EngineError::EngineError(const QString &message) : std::runtime_error(message.toStdString()) {}

// ---------------------------------------------------------------- Database

Database::Database(sqlite3 *handle, QString path) : m_handle(handle), m_path(std::move(path)) {}

Database::Database(const QString &path, Access access, int busyTimeoutMs) : m_path(path)
{
    const int mode = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &m_handle, mode | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle))
                                     : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_handle);
        m_handle = nullptr;
        throw EngineError(msg + QLatin1String(": ") + path);
    }
    sqlite3_busy_timeout(m_handle, busyTimeoutMs);
    // Reading the schema at once turns a file that is not a database into
    // an error here rather than at the first query.
    try {
        execute(QStringLiteral("PRAGMA synchronous=FULL"));
        execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const EngineError &e) {
        sqlite3_close(m_handle);
        m_handle = nullptr;
        throw EngineError(e.message() + QLatin1String(": ") + path);
    }
}

bool Database::isDatabaseFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

Database::~Database()
{
    for (sqlite3_stmt *s : std::as_const(m_statements))
        sqlite3_finalize(s);
    sqlite3_close(m_handle);
}

std::unique_ptr<Database> Database::create(const QString &path)
{
    sqlite3 *h = nullptr;
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &h,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(h ? sqlite3_errmsg(h) : sqlite3_errstr(rc));
        sqlite3_close(h);
        throw EngineError(msg + QLatin1String(": ") + path);
    }
    std::unique_ptr<Database> db(new Database(h, path));
    db->execute(QStringLiteral("CREATE TABLE IF NOT EXISTS StoredQuery (Name TEXT PRIMARY KEY, "
                               "Sql TEXT NOT NULL, Params TEXT NOT NULL, BaseTable TEXT)"));
    return db;
}

void Database::fail(const QString &what) const
{
    throw EngineError(QString::fromUtf8(sqlite3_errmsg(m_handle)) +
                      (what.isEmpty() ? QString() : QLatin1String(" (") + what + QLatin1Char(')')));
}

void Database::execute(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(m_handle));
        sqlite3_free(err);
        throw EngineError(msg);
    }
}

sqlite3_stmt *Database::prepared(const QString &sql)
{
    if (sqlite3_stmt *s = m_statements.value(sql)) {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        return s;
    }
    sqlite3_stmt *s = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(m_handle, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                           &s, nullptr) != SQLITE_OK)
        fail(QString());
    m_statements.insert(sql, s);
    return s;
}

Database::Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

Database::Transaction::~Transaction()
{
    if (!m_done)
        sqlite3_exec(m_db.m_handle, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::Transaction::commit()
{
    m_db.execute(QStringLiteral("COMMIT"));
    m_done = true;
}

// ---------------------------------------------------------------- plain SQL

sqlite3_stmt *Database::bound(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *st = prepared(sql);
    for (int i = 0; i < params.size(); ++i)
        bindValue(st, i + 1, params[i]);
    return st;
}

QList<QVariantList> Database::select(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *st = bound(sql, params);
    QList<QVariantList> rows;
    const int columns = sqlite3_column_count(st);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_NULL:
                row << QVariant();
                break;
            case SQLITE_INTEGER:
                row << QVariant(qint64(sqlite3_column_int64(st, i)));
                break;
            case SQLITE_FLOAT:
                row << QVariant(sqlite3_column_double(st, i));
                break;
            case SQLITE_BLOB:
                row << QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, i)),
                                           sqlite3_column_bytes(st, i)));
                break;
            default:
                // An empty text is the empty text, not a null one, so two
                // readings of the same rows compare equal.
                row << QVariant(
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                      sqlite3_column_bytes(st, i)) +
                    QLatin1String(""));
            }
        }
        rows << row;
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        fail(QString());
    return rows;
}

void Database::run(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *st = bound(sql, params);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(QString());
}

// Packed rows: the column count, then every value as a tag (0 null,
// 1 integer, 2 real, 3 text, 4 blob) and its bytes; numbers in 8 bytes,
// texts and blobs after their length in 4 (all little-endian).
QByteArray Database::selectPacked(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *st = bound(sql, params);
    const int columns = sqlite3_column_count(st);
    QByteArray out;
    const auto put = [&out](quint64 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i)));
    };
    put(quint64(columns), 4);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            const int type = sqlite3_column_type(st, i);
            switch (type) {
            case SQLITE_NULL:
                out.append(char(0));
                break;
            case SQLITE_INTEGER:
                out.append(char(1));
                put(quint64(sqlite3_column_int64(st, i)), 8);
                break;
            case SQLITE_FLOAT: {
                const double d = sqlite3_column_double(st, i);
                quint64 bits;
                std::memcpy(&bits, &d, sizeof bits);
                out.append(char(2));
                put(bits, 8);
                break;
            }
            default: {
                const char *data = type == SQLITE_BLOB
                                       ? static_cast<const char *>(sqlite3_column_blob(st, i))
                                       : reinterpret_cast<const char *>(sqlite3_column_text(st, i));
                const int size = sqlite3_column_bytes(st, i);
                out.append(char(type == SQLITE_BLOB ? 4 : 3));
                put(quint64(size), 4);
                out.append(data, size);
            }
            }
        }
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        fail(QString());
    return out;
}

QList<QVariantList> Database::unpack(const QByteArray &packed)
{
    const auto *p = reinterpret_cast<const unsigned char *>(packed.constData());
    const qsizetype size = packed.size();
    qsizetype at = 0;
    const auto take = [&](int bytes) {
        if (at + bytes > size)
            throw EngineError(QCoreApplication::translate("Engine", "Damaged packed rows"));
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= quint64(p[at + i]) << (8 * i);
        at += bytes;
        return v;
    };
    const int columns = int(take(4));
    QList<QVariantList> rows;
    while (at < size && columns > 0) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            switch (take(1)) {
            case 0:
                row << QVariant();
                break;
            case 1:
                row << QVariant(qint64(take(8)));
                break;
            case 2: {
                const quint64 bits = take(8);
                double d;
                std::memcpy(&d, &bits, sizeof d);
                row << QVariant(d);
                break;
            }
            case 3:
            case 4: {
                const bool blob = p[at - 1] == 4;
                const qsizetype length = qsizetype(take(4));
                if (length > size - at)
                    throw EngineError(QCoreApplication::translate("Engine", "Damaged packed rows"));
                const char *data = packed.constData() + at;
                at += length;
                row << (blob ? QVariant(QByteArray(data, length))
                             : QVariant(QString::fromUtf8(data, length) + QLatin1String("")));
                break;
            }
            default:
                throw EngineError(QCoreApplication::translate("Engine", "Damaged packed rows"));
            }
        }
        rows << row;
    }
    return rows;
}

bool Database::hasTable(const QString &name)
{
    return !select(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1"),
                   {name})
                .isEmpty();
}

QStringList Database::check(bool full)
{
    QStringList faults;
    const auto rows = select(full ? QStringLiteral("PRAGMA integrity_check")
                                  : QStringLiteral("PRAGMA quick_check"));
    for (const QVariantList &row : rows) {
        const QString text = row.value(0).toString();
        if (text != QLatin1String("ok"))
            faults << text;
    }
    return faults;
}

void Database::backupTo(const QString &path)
{
    sqlite3 *target = nullptr;
    int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &target,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    QString error;
    if (rc == SQLITE_OK) {
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", m_handle, "main");
        if (!backup) {
            rc = sqlite3_errcode(target);
        } else {
            // The whole file in one step, so the copy is one saved state of
            // it; a save in progress elsewhere is waited for.
            for (int tries = 0; tries < 50; ++tries) {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                    break;
                sqlite3_sleep(100);
            }
            const int finished = sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? finished : rc;
        }
    }
    if (rc != SQLITE_OK)
        error = QString::fromUtf8(target ? sqlite3_errmsg(target) : sqlite3_errstr(rc));
    if (rc != SQLITE_OK && error == QLatin1String("not an error"))
        error = QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(target);
    if (!error.isEmpty())
        throw EngineError(error + QLatin1String(": ") + path);
}
