#include "core/values/Engine.h"
#include "core/values/EngineTypes.h"

#include <QCoreApplication>
#include <sqlite3.h>

using namespace EngineTypes;

// The cursor over a table or a stored query's rows, and its editing: rows are
// read once, edits are written back row by row or to all rows at once.

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

// ---------------------------------------------------------------- Recordset

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

namespace {
QString notSupported()
{
    return QCoreApplication::translate("Engine",
                                       "Operation is not supported for this type of object.");
}
} // namespace

// Only a source with one base table can be changed record by record.
void Recordset::requireUpdatable() const
{
    if (m_baseTable.isEmpty())
        throw EngineError(notSupported());
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
    requireUpdatable();
    m_mode = Mode::Adding;
    m_pending.clear();
}

void Recordset::edit()
{
    requireUpdatable();
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
    requireUpdatable();
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
    requireUpdatable();
    if (!m_selectSql.startsWith(Keyed))
        throw EngineError(notSupported());
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
