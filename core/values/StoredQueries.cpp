#include "core/values/Engine.h"
#include "core/values/EngineTypes.h"

#include <QCoreApplication>
#include <sqlite3.h>

using namespace EngineTypes;

// The stored-query catalogue: named SQL with typed parameters, kept in the
// database's own StoredQuery table.

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
