#include "core/links/OnlineRows.h"

#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <cmath>
#include <limits>

namespace OnlineRows {

namespace {

bool fitsShort(double value)
{
    return value >= std::numeric_limits<qint16>::min() &&
           value <= std::numeric_limits<qint16>::max();
}

} // namespace

bool ReadWhole(const QVariant &value, int &whole)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const qlonglong v = value.toLongLong();
        if (!fitsShort(double(v)))
            return false;
        whole = int(v);
        return true;
    }
    case QMetaType::Double: {
        const double v = value.toDouble();
        if (!std::isfinite(v) || v != std::floor(v) || !fitsShort(v))
            return false;
        whole = int(v);
        return true;
    }
    case QMetaType::QString: {
        bool ok = false;
        const short v = value.toString().trimmed().toShort(&ok);
        if (ok)
            whole = v;
        return ok;
    }
    default: // null, bytes, anything else
        return false;
    }
}

LaneTime ReadTime(const QVariant &value)
{
    double seconds = 0.0;
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        seconds = value.toDouble();
        break;
    case QMetaType::QString:
        seconds = double(PBUTIL::TimeFromText(value.toString().trimmed()));
        break;
    default:
        return {};
    }
    LaneTime time;
    if (!(seconds > 0.0))
        return time; // also NaN
    time.readable = true;
    if (seconds > double(PBUTIL::MaxTime)) {
        time.invalid = true;
        return time;
    }
    const PBUTIL::TimeText text = PBUTIL::TimeToText(float(seconds));
    // Less than a hundredth would be written as a time of nothing.
    if (!text.invalid && !(PBUTIL::TimeFromText(text.text) > 0.0f))
        return {};
    time.invalid = text.invalid;
    time.text = text.text;
    return time;
}

QList<FinishRow> FinishTimes(Database &db, const QString &meetCode, int eventNo, int heat,
                             int messageType)
{
    QueryDef query = db.queryDef(QStringLiteral("Finish times for 1 event"));
    query.setParameter(QStringLiteral("Meet code"), meetCode);
    query.setParameter(QStringLiteral("Event number"), eventNo);
    query.setParameter(QStringLiteral("Heat number"), heat);
    query.setParameter(QStringLiteral("Message type"), messageType);
    Recordset rows = query.openRecordset();
    QList<FinishRow> result;
    for (; !rows.atEnd(); rows.moveNext()) {
        FinishRow row;
        row.time = ReadTime(rows.value(QStringLiteral("Lane_time")));
        if (ReadWhole(rows.value(QStringLiteral("Lane_number")), row.lane) &&
            ReadWhole(rows.value(QStringLiteral("Position")), row.position) && row.time.readable)
            result.append(row);
    }
    rows.close();
    return result;
}

} // namespace OnlineRows
