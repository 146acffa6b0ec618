#include "core/values/Engine.h"

#include "core/values/PbUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// How a column's declared type is read and written.
enum class Kind
{
    Text,
    Integer,
    Number,
    Date,
    YesNo
};

Kind kindOf(const char *declared)
{
    const QString t = QString::fromLatin1(declared ? declared : "").toUpper();
    if (t.contains(QLatin1String("DATE")))
        return Kind::Date;
    if (t.contains(QLatin1String("BOOL")) || t.contains(QLatin1String("YESNO")))
        return Kind::YesNo;
    if (t.contains(QLatin1String("INT")))
        return Kind::Integer;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("DOUB")) ||
        t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("SINGLE")) ||
        t.contains(QLatin1String("NUM")))
        return Kind::Number;
    return Kind::Text;
}

Kind kindOfParam(const QString &type)
{
    return kindOf(type.toLatin1().constData());
}

QString quoted(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// Dates are stored as ISO text; these two run for every date of every row
// saved or loaded, so they avoid the general formatter and parser.
QString isoText(const QDate &d)
{
    const int y = d.year(), m = d.month(), day = d.day();
    if (y < 0 || y > 9999)
        return d.toString(Qt::ISODate);
    const char text[10] = {char('0' + y / 1000),
                           char('0' + y / 100 % 10),
                           char('0' + y / 10 % 10),
                           char('0' + y % 10),
                           '-',
                           char('0' + m / 10),
                           char('0' + m % 10),
                           '-',
                           char('0' + day / 10),
                           char('0' + day % 10)};
    return QString::fromLatin1(text, 10);
}

QDate dateFromIso(const char *text, int size)
{
    auto digits = [text](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            n = n * 10 + (text[i] - '0');
        }
        return n;
    };
    if (size != 10 || text[4] != '-' || text[7] != '-')
        return QDate::fromString(QString::fromUtf8(text, size), Qt::ISODate);
    return QDate(digits(0, 4), digits(5, 2), digits(8, 2));
}

QDate dateFromIso(const QString &text)
{
    const QByteArray latin = text.toLatin1();
    return dateFromIso(latin.constData(), int(latin.size()));
}

} // namespace

// A date given as QDate or as dd/mm/yy text, in the stored ISO form; a text
// that is not a date is refused like any mistyped value. A save writes the
// same gala date on every row, so the last text read is remembered.
QString Recordset::DateMemo::iso(const QVariant &value, bool *ok)
{
    if (value.metaType().id() == QMetaType::QDate) {
        const QDate d = value.toDate();
        *ok = d.isValid();
        return *ok ? isoText(d) : QString();
    }
    const QString text = value.toString();
    if (text != lastText) {
        const QDate d = PBUTIL::ReadDate(text);
        lastText = text;
        lastIso = d.isValid() ? isoText(d) : QString();
    }
    *ok = !lastIso.isEmpty();
    return lastIso;
}

namespace {

} // namespace

struct Recordset::Columns
{
    QStringList names;
    std::vector<Kind> kinds;
    QHash<QString, int> index;
};

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

void Database::addStoredQuery(const QString &name, const QString &sql, const QStringList &params,
                              const QString &baseTable)
{
    QueryDef q(*this, QStringLiteral("INSERT OR REPLACE INTO StoredQuery VALUES (?1, ?2, ?3, ?4)"),
               {QStringLiteral("n"), QStringLiteral("s"), QStringLiteral("p"), QStringLiteral("b")},
               {QStringLiteral("text"), QStringLiteral("text"), QStringLiteral("text"),
                QStringLiteral("text")},
               QString());
    sqlite3_stmt *st = prepared(q.m_sql);
    const QByteArray a = name.toUtf8(), b = sql.toUtf8(),
                     c = params.join(QLatin1Char(';')).toUtf8(), d = baseTable.toUtf8();
    sqlite3_bind_text(st, 1, a.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, b.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 3, c.constData(), -1, SQLITE_TRANSIENT);
    if (baseTable.isEmpty())
        sqlite3_bind_null(st, 4);
    else
        sqlite3_bind_text(st, 4, d.constData(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        fail(name);
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

QueryDef Database::queryDef(const QString &name)
{
    sqlite3_stmt *st =
        prepared(QStringLiteral("SELECT Sql, Params, BaseTable FROM StoredQuery WHERE Name = ?1"));
    const QByteArray n = name.toUtf8();
    sqlite3_bind_text(st, 1, n.constData(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW) {
        sqlite3_reset(st);
        if (rc == SQLITE_DONE)
            throw EngineError(
                QCoreApplication::translate("Engine", "Item not found in this collection: ") +
                name);
        fail(name);
    }
    auto col = [st](int i) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
    };
    const QString sql = col(0);
    QStringList names, types;
    for (const QString &p : col(1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int colon = p.lastIndexOf(QLatin1Char(':'));
        names << (colon < 0 ? p : p.left(colon));
        types << (colon < 0 ? QStringLiteral("text") : p.mid(colon + 1));
    }
    const QString base = col(2);
    sqlite3_reset(st);
    return QueryDef(*this, sql, names, types, base);
}

Recordset Database::openRecordset(const QString &table)
{
    // Validates the name against the schema before it goes into any SQL.
    columnsOf(table);
    return Recordset(*this, QStringLiteral("SELECT rowid, * FROM ") + quoted(table), {}, table);
}

std::shared_ptr<const Recordset::Columns> Database::columnsOf(const QString &table)
{
    if (auto c = m_tableColumns.value(table))
        return c;
    sqlite3_stmt *st = prepared(QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    const QByteArray t = table.toUtf8();
    sqlite3_bind_text(st, 1, t.constData(), -1, SQLITE_TRANSIENT);
    auto cols = std::make_shared<Recordset::Columns>();
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        cols->index.insert(name, int(cols->names.size()));
        cols->names << name;
        cols->kinds.push_back(kindOf(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))));
    }
    sqlite3_reset(st);
    if (cols->names.isEmpty())
        throw EngineError(
            QCoreApplication::translate("Engine", "Could not find table '%1'.").arg(table));
    m_tableColumns.insert(table, cols);
    return cols;
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

// ---------------------------------------------------------------- QueryDef

QueryDef::QueryDef(Database &db, QString sql, QStringList paramNames, QStringList paramTypes,
                   QString baseTable)
    : m_db(&db), m_sql(std::move(sql)), m_paramNames(std::move(paramNames)),
      m_paramTypes(std::move(paramTypes)), m_baseTable(std::move(baseTable)),
      m_values(size_t(m_paramNames.size()))
{
}

void QueryDef::setParameter(const QString &name, const QVariant &value)
{
    const auto i = m_paramNames.indexOf(name);
    if (i < 0)
        throw EngineError(
            QCoreApplication::translate("Engine", "Item not found in this collection: ") + name);
    QVariant v = value;
    if (kindOfParam(m_paramTypes.at(i)) == Kind::Date && !v.isNull()) {
        bool ok = false;
        const QString iso = Recordset::DateMemo().iso(v, &ok);
        // A text that is no date can match no stored date.
        v = ok ? QVariant(iso) : QVariant(QStringLiteral("not a date: ") + v.toString());
    }
    m_values[size_t(i)] = v;
}

Recordset QueryDef::openRecordset()
{
    return Recordset(*m_db, m_sql, m_values, m_baseTable);
}

// ---------------------------------------------------------------- Recordset

namespace {

void bindValue(sqlite3_stmt *st, int i, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        sqlite3_bind_int(st, i, v.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
        sqlite3_bind_int64(st, i, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(st, i, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QDate:
        sqlite3_bind_text(st, i, isoText(v.toDate()).toLatin1().constData(), -1, SQLITE_TRANSIENT);
        break;
    default: {
        const QByteArray u = v.toString().toUtf8();
        sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
    }
}

QVariant readColumn(sqlite3_stmt *st, int i, Kind kind)
{
    const int type = sqlite3_column_type(st, i);
    if (type == SQLITE_NULL)
        return QVariant();
    switch (kind) {
    case Kind::Date:
        return dateFromIso(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                           sqlite3_column_bytes(st, i));
    case Kind::YesNo:
        return sqlite3_column_int64(st, i) != 0;
    case Kind::Integer:
        // What another program wrote into a whole-number column may be text,
        // a fraction or a number beyond int: it is handed over as stored,
        // never cut down to a different number.
        if (type == SQLITE_INTEGER) {
            const qint64 v = sqlite3_column_int64(st, i);
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                return int(v);
        }
        break;
    case Kind::Number:
        return sqlite3_column_double(st, i);
    case Kind::Text:
        break;
    }
    if (type == SQLITE_INTEGER)
        return sqlite3_column_int64(st, i);
    if (type == SQLITE_FLOAT)
        return sqlite3_column_double(st, i);
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                             sqlite3_column_bytes(st, i));
}

// A value as the column stores it; a mistyped value is refused.
QVariant storedValue(const QVariant &v, Kind kind, const QString &field, Recordset::DateMemo &dates)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    bool ok = true;
    switch (kind) {
    case Kind::Date: {
        const QString iso = dates.iso(v, &ok);
        if (!ok)
            throw EngineError(QCoreApplication::translate(
                                  "Engine", "Data type conversion error: '%1' is not a date (%2)")
                                  .arg(v.toString(), field));
        return iso;
    }
    case Kind::YesNo:
        return v.toBool();
    case Kind::Integer: {
        const double d = v.toDouble(&ok);
        if (!ok)
            break;
        return qlonglong(std::llround(d));
    }
    case Kind::Number: {
        const double d = v.toDouble(&ok);
        if (!ok)
            break;
        return d;
    }
    case Kind::Text:
        return v.toString();
    }
    throw EngineError(QCoreApplication::translate(
                          "Engine", "Data type conversion error: '%1' is not a number (%2)")
                          .arg(v.toString(), field));
}

} // namespace

Recordset::Recordset(Database &db, QString selectSql, std::vector<QVariant> params,
                     QString baseTable)
    : m_db(&db), m_selectSql(std::move(selectSql)), m_params(std::move(params)),
      m_baseTable(std::move(baseTable))
{
}

Recordset::Recordset(Recordset &&) noexcept = default;
Recordset &Recordset::operator=(Recordset &&) noexcept = default;
Recordset::~Recordset() = default;

void Recordset::load()
{
    if (m_loaded)
        return;
    sqlite3_stmt *st = m_db->prepared(m_selectSql);
    for (size_t i = 0; i < m_params.size(); ++i)
        bindValue(st, int(i) + 1, m_params[i]);
    const int n = sqlite3_column_count(st);
    // An updatable source selects its base table's rowid first.
    const int first = m_baseTable.isEmpty() ? 0 : 1;
    auto cols = std::make_shared<Columns>();
    std::shared_ptr<const Columns> base;
    if (!m_baseTable.isEmpty())
        base = m_db->columnsOf(m_baseTable);
    for (int i = first; i < n; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(st, i));
        const int b = base ? base->index.value(name, -1) : -1;
        cols->index.insert(name, int(cols->names.size()));
        cols->names << name;
        cols->kinds.push_back(b >= 0 ? base->kinds[size_t(b)]
                                     : kindOf(sqlite3_column_decltype(st, i)));
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (first)
            m_rowIds.push_back(sqlite3_column_int64(st, 0));
        std::vector<QVariant> row;
        row.reserve(size_t(n - first));
        for (int i = first; i < n; ++i)
            row.push_back(readColumn(st, i, cols->kinds[size_t(i - first)]));
        m_rows.push_back(std::move(row));
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        m_db->fail(QString());
    m_columns = std::move(cols);
    m_recentFields.fill({QString(), -1});
    m_loaded = true;
    m_pos = 0;
}

int Recordset::recordCount()
{
    load();
    return int(m_rows.size());
}

void Recordset::moveFirst()
{
    load();
    if (m_rows.empty())
        throw EngineError(QCoreApplication::translate("Engine", "No current record."));
    m_pos = 0;
}

void Recordset::moveNext()
{
    load();
    if (m_pos >= int(m_rows.size()))
        throw EngineError(QCoreApplication::translate("Engine", "No current record."));
    ++m_pos;
}

bool Recordset::atEnd()
{
    load();
    return m_pos >= int(m_rows.size());
}

int Recordset::fieldIndex(const QString &field) const
{
    // Callers read the same few fields of every record, mostly through the
    // same string objects: a kept copy shares their text, so the same text
    // address means the same name without hashing it again.
    for (const auto &[name, index] : m_recentFields) {
        if (index >= 0 && name.constData() == field.constData() && name.size() == field.size())
            return index;
    }
    const int i = m_columns->index.value(field, -1);
    if (i < 0)
        throw EngineError(
            QCoreApplication::translate("Engine", "Item not found in this collection: ") + field);
    m_recentFields[m_nextRecent] = {field, i};
    m_nextRecent = (m_nextRecent + 1) % int(m_recentFields.size());
    return i;
}

void Recordset::requireCurrent() const
{
    if (m_pos >= int(m_rows.size()))
        throw EngineError(QCoreApplication::translate("Engine", "No current record."));
}

QVariant Recordset::value(const QString &field)
{
    load();
    requireCurrent();
    return m_rows[size_t(m_pos)][size_t(fieldIndex(field))];
}

QString Recordset::text(const QString &field)
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

void Recordset::addNew()
{
    if (m_baseTable.isEmpty())
        throw EngineError(QCoreApplication::translate(
            "Engine", "Operation is not supported for this type of object."));
    m_mode = Mode::Adding;
    m_pending.clear();
}

void Recordset::edit()
{
    if (m_baseTable.isEmpty())
        throw EngineError(QCoreApplication::translate(
            "Engine", "Operation is not supported for this type of object."));
    load();
    requireCurrent();
    m_mode = Mode::Editing;
    m_pending.clear();
}

void Recordset::setValue(const QString &field, const QVariant &value)
{
    if (m_mode == Mode::None)
        throw EngineError(QCoreApplication::translate(
            "Engine", "Update or CancelUpdate without AddNew or Edit."));
    if (!m_base)
        m_base = m_db->columnsOf(m_baseTable);
    const auto &base = m_base;
    const int i = base->index.value(field, -1);
    if (i < 0)
        throw EngineError(
            QCoreApplication::translate("Engine", "Item not found in this collection: ") + field);
    const QVariant v = storedValue(value, base->kinds[size_t(i)], field, m_dates);
    for (auto &p : m_pending) {
        if (p.first == field) {
            p.second = v;
            return;
        }
    }
    m_pending.emplace_back(field, v);
}

void Recordset::update()
{
    if (m_mode == Mode::None)
        throw EngineError(QCoreApplication::translate(
            "Engine", "Update or CancelUpdate without AddNew or Edit."));
    bool same = m_sqlMode == m_mode && m_sqlFields.size() == m_pending.size();
    for (size_t i = 0; same && i < m_pending.size(); ++i)
        same = m_sqlFields[i] == m_pending[i].first;
    QString sql;
    if (same && !m_pending.empty()) {
        sql = m_sql;
    } else if (m_mode == Mode::Adding) {
        QStringList names, marks;
        for (size_t i = 0; i < m_pending.size(); ++i) {
            names << quoted(m_pending[i].first);
            marks << QStringLiteral("?%1").arg(i + 1);
        }
        sql = m_pending.empty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_baseTable))
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(quoted(m_baseTable), names.join(QLatin1Char(',')),
                             marks.join(QLatin1Char(',')));
    } else {
        if (m_pending.empty()) {
            m_mode = Mode::None;
            return;
        }
        QStringList sets;
        for (size_t i = 0; i < m_pending.size(); ++i)
            sets << QStringLiteral("%1=?%2").arg(quoted(m_pending[i].first)).arg(i + 1);
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3")
                  .arg(quoted(m_baseTable), sets.join(QLatin1Char(',')))
                  .arg(m_pending.size() + 1);
    }
    if (!same) {
        m_sqlMode = m_mode;
        m_sqlFields.clear();
        for (const auto &p : m_pending)
            m_sqlFields.push_back(p.first);
        m_sql = sql;
    }
    if (!same || !m_statement)
        m_statement = m_db->prepared(sql);
    sqlite3_stmt *st = m_statement;
    for (size_t i = 0; i < m_pending.size(); ++i)
        bindValue(st, int(i) + 1, m_pending[i].second);
    if (m_mode == Mode::Editing)
        sqlite3_bind_int64(st, int(m_pending.size()) + 1, m_rowIds[size_t(m_pos)]);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        m_mode = Mode::None;
        m_db->fail(m_baseTable);
    }
    // Keep the loaded copy of an edited record in line with what is stored.
    if (m_mode == Mode::Editing) {
        for (const auto &p : m_pending) {
            const int i = m_columns->index.value(p.first, -1);
            if (i < 0)
                continue;
            m_rows[size_t(m_pos)][size_t(i)] = m_columns->kinds[size_t(i)] == Kind::Date
                                                   ? QVariant(dateFromIso(p.second.toString()))
                                                   : p.second;
        }
    }
    m_mode = Mode::None;
    m_pending.clear();
}

void Recordset::remove()
{
    if (m_baseTable.isEmpty())
        throw EngineError(QCoreApplication::translate(
            "Engine", "Operation is not supported for this type of object."));
    load();
    requireCurrent();
    if (!m_deleteStatement)
        m_deleteStatement = m_db->prepared(
            QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(quoted(m_baseTable)));
    sqlite3_stmt *st = m_deleteStatement;
    sqlite3_bind_int64(st, 1, m_rowIds[size_t(m_pos)]);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        m_db->fail(m_baseTable);
}

QString Recordset::rowIdSelect() const
{
    // Updatable sources select their base table's rowid first.
    static const QString Keyed = QStringLiteral("SELECT rowid, * ");
    if (m_baseTable.isEmpty() || !m_selectSql.startsWith(Keyed))
        throw EngineError(QCoreApplication::translate(
            "Engine", "Operation is not supported for this type of object."));
    return QStringLiteral("SELECT rowid ") + m_selectSql.mid(Keyed.size());
}

void Recordset::runOnAll(const QString &sql, const QVariant *extra)
{
    sqlite3_stmt *st = m_db->prepared(sql);
    for (size_t i = 0; i < m_params.size(); ++i)
        bindValue(st, int(i) + 1, m_params[i]);
    if (extra)
        bindValue(st, int(m_params.size()) + 1, *extra);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        m_db->fail(m_baseTable);
    close();
}

void Recordset::removeAll()
{
    runOnAll(QStringLiteral("DELETE FROM %1 WHERE rowid IN (%2)")
                 .arg(quoted(m_baseTable), rowIdSelect()),
             nullptr);
}

void Recordset::setAll(const QString &field, const QVariant &value)
{
    const auto base = m_db->columnsOf(m_baseTable);
    const int i = base->index.value(field, -1);
    if (i < 0)
        throw EngineError(
            QCoreApplication::translate("Engine", "Item not found in this collection: ") + field);
    const QVariant v = storedValue(value, base->kinds[size_t(i)], field, m_dates);
    runOnAll(QStringLiteral("UPDATE %1 SET %2=?%3 WHERE rowid IN (%4)")
                 .arg(quoted(m_baseTable), quoted(field))
                 .arg(m_params.size() + 1)
                 .arg(rowIdSelect()),
             &v);
}

void Recordset::close()
{
    m_rows.clear();
    m_rowIds.clear();
    m_loaded = false;
    m_mode = Mode::None;
    m_pending.clear();
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
