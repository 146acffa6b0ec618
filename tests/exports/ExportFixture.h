#pragma once

#include "foundation/Engine.h"
#include "foundation/GalaState.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The expected file `name` of tests/exports/data, written there with plain
// line ends; the program writes every line ended by CR LF.
inline QByteArray expectedFile(const QString &name)
{
    QFile f(QStringLiteral(EXPORT_DATA "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing expected file %s", qPrintable(name));
    return f.readAll().replace("\n", "\r\n");
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

// Compares line by line first, so a failure names the first differing line.
inline bool sameFile(const QString &path, const QString &expectedName)
{
    const QByteArray got = fileBytes(path), want = expectedFile(expectedName);
    if (got == want)
        return true;
    const QList<QByteArray> g = got.split('\n'), w = want.split('\n');
    for (int i = 0; i < qMax(g.size(), w.size()); ++i) {
        if (g.value(i) != w.value(i)) {
            qWarning("%s line %d: got \"%s\", want \"%s\"", qPrintable(expectedName), i + 1,
                     g.value(i).constData(), w.value(i).constData());
            break;
        }
    }
    return false;
}

// A gala in memory with the texts that trouble exports: markup and "&" in
// names, a comma in a team and a club, a disqualification whose reason holds
// markup, points of 2.5 and .5, a relay, a guest team and a swim too fast for
// the grade. Dated 12/10/26, one heat of three lanes.
inline GalaState smallGala()
{
    GalaState g;
    g.GalaName = QStringLiteral("Harbourside & District <Junior> Gala");
    g.PoolName = QStringLiteral("Harbourside Baths, Pool 2");
    g.NoOfEvents = 3;
    g.resizeEvents(3);
    const char *events[3][4] = {
        {"1", "G10", "50", "FS"}, {"2", "B12", "100", "MED"}, {"3", "Mixed", "200", "FSR"}};
    for (int e = 1; e <= 3; ++e) {
        g.EventNo[e] = QLatin1String(events[e - 1][0]);
        g.EventSexAge[e] = QLatin1String(events[e - 1][1]);
        g.EventDistance[e] = QLatin1String(events[e - 1][2]);
        g.EventStroke[e] = QLatin1String(events[e - 1][3]);
    }
    g.NoOfTeams = 3;
    g.resizeTeams(3);
    const char *teams[3] = {"Smith & Jones", "Harbourside, North", "Guests"};
    for (int t = 1; t <= 3; ++t) {
        g.TeamName[t] = QLatin1String(teams[t - 1]);
        g.TeamHeat[t] = 1;
        g.TeamLane[t] = t;
        g.TeamScoring[t] = t < 3;
    }
    g.NoOfScoringTeams = 2;
    struct Lane
    {
        int e, t;
        const char *time;
        int pos;
        float points;
        const char *name, *club, *dob, *notes;
    };
    const Lane lanes[] = {
        {1, 1, "35.20", 1, 2, "Mary  Ann Smith", "", "05/03/92", ""},
        {1, 2, "D", 0, 0, "Jo <b>Bloggs</b>", "Harbourside SC", "01/02/93",
         "False start <early> & \"late\""},
        {1, 3, "33.00", 0, 0, "", "", "", ""},
        {2, 1, "1:32.45", 2, 2, "Ann Lee", "Bramley, Kent", "5/3/1992", "split 45.1"},
        {2, 2, "1:30.00", 1, 2.5f, "Tom", "", "12/11/93", ""},
        {2, 3, "", 0, 0.5f, "", "", "", ""},
        {3, 1, "2:10.00", 0, 0, "", "", "", ""},
        {3, 2, "2:15.00", 1, 3, "", "", "", ""},
    };
    for (const Lane &l : lanes) {
        g.LaneTime(l.e, l.t) = QString::fromUtf8(l.time);
        g.LanePos(l.e, l.t) = l.pos;
        g.LanePoints(l.e, l.t) = l.points;
        g.LaneName(l.e, l.t) = QString::fromUtf8(l.name);
        g.LaneClub(l.e, l.t) = QString::fromUtf8(l.club);
        g.LaneDoB(l.e, l.t) = QString::fromUtf8(l.dob);
        g.LaneNotes(l.e, l.t) = QString::fromUtf8(l.notes);
        g.TeamTotal[l.t] += l.points;
    }
    return g;
}

// An online-times database as the timing system leaves it: rows of
// (meet, event, heat, lane, kind of time, time) behind the stored query
// "Times for 1 event".
inline void makeOnlineTimes(const QString &path, const QStringList &rows)
{
    auto db = Database::create(path);
    db->execute(QStringLiteral("CREATE TABLE Times (Meet TEXT, Event DOUBLE, Heat INTEGER, "
                               "Lane_number INTEGER, Kind_of_time TEXT, Lane_time TEXT)"));
    db->addStoredQuery(QStringLiteral("Times for 1 event"),
                       QStringLiteral("SELECT rowid, * FROM Times WHERE Meet = ?1 AND Event = ?2 "
                                      "AND Heat = ?3 ORDER BY rowid"),
                       {QStringLiteral("Meet code:text"), QStringLiteral("Event number:double"),
                        QStringLiteral("Heat number:integer")},
                       QStringLiteral("Times"));
    Recordset times = db->openRecordset(QStringLiteral("Times"));
    for (const QString &row : rows) {
        const QStringList f = row.split(QLatin1Char('|'));
        times.addNew();
        times.setValue(QStringLiteral("Meet"), f[0]);
        times.setValue(QStringLiteral("Event"), f[1].toDouble());
        times.setValue(QStringLiteral("Heat"), f[2].toInt());
        times.setValue(QStringLiteral("Lane_number"), f[3].toInt());
        times.setValue(QStringLiteral("Kind_of_time"), f[4]);
        times.setValue(QStringLiteral("Lane_time"), f[5]);
        times.update();
    }
}
