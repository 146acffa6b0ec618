#pragma once

#include <QString>
#include <QStringList>

class Database;

// The intermediate (split) times of swims, read from the online-times
// database that the timing system fills. Team result sheets and pages print
// them. Without a database every swim simply has no splits.
class SplitTimes
{
public:
    // `aresDb` may be null (online timing not in use); it must outlive this.
    SplitTimes(Database *aresDb, QString meetCode);

    // The splits of the swim in `lane` of `heat` of the event numbered
    // `eventNo` (the programme's event number, not its place in the
    // programme), in the order of the timing system's rows whose kind of
    // time is exactly "I", each trimmed and written as a swim time. A row
    // whose time reads as nothing (or beyond an hour) keeps its place as "".
    // Throws EngineError when the database refuses the query.
    QStringList splits(double eventNo, int heat, int lane);

private:
    struct Row
    {
        int lane;
        QString time;
    };

    Database *m_db;
    QString m_meetCode;
    // The rows of the last (event, heat) read: a sheet asks for every lane of
    // a heat in turn.
    double m_cachedEvent = -1;
    int m_cachedHeat = -1;
    QList<Row> m_rows;
};
