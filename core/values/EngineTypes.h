// How the engine converts between Qt values and what SQLite stores: the
// column kinds, the ISO dates and the checks on a value before it is saved.
// Private to the engine's own files.
#pragma once

#include "core/values/Engine.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;

namespace EngineTypes {

// How a column's declared type is read and written.
enum class Kind
{
    Text,
    Integer,
    Number,
    Date,
    YesNo
};

Kind kindOf(const char *declared);
Kind kindOfParam(const QString &type);
QString quoted(const QString &name);
QString isoText(const QDate &d);
QDate dateFromIso(const char *text, int size);
QDate dateFromIso(const QString &text);
void bindValue(sqlite3_stmt *st, int i, const QVariant &v);
QVariant readColumn(sqlite3_stmt *st, int i, Kind kind);
QVariant storedValue(const QVariant &v, Kind kind, const QString &field,
                     Recordset::DateMemo &dates);

} // namespace EngineTypes

struct Recordset::Columns
{
    QStringList names;
    std::vector<EngineTypes::Kind> kinds;
    QHash<QString, int> index;
};
