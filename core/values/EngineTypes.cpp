#include "core/values/EngineTypes.h"

#include "core/values/PbUtil.h"

#include <QCoreApplication>
#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace EngineTypes {

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

} // namespace EngineTypes

using namespace EngineTypes;

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
