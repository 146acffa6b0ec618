#pragma once

// The largest gala the recording sheet holds (17 team entries x 100 events),
// built the same way for every benchmark.

#include "core/gala/GalaState.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"

#include <QString>

#include <cstdio>

namespace LargestGala {

constexpr int Teams = GalaState::MaxSheetRows;
constexpr int Events = GalaState::MaxEvents;
inline const QString Code = QStringLiteral("BENCH");
inline const QString Date = QStringLiteral("12/10/26");

// Answers every question Yes (keep the stored results) and counts messages,
// which a sound run never shows.
class YesDialogs : public Dialogs
{
public:
    int messages = 0;
    void message(const QString &text) override
    {
        ++messages;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &) override { return true; }
    bool yesNoDefaultNo(const QString &) override { return true; }
    void chooseFile(FileChoice &) override {}
};

// The programme, the dated gala and 17 entries: heat 1 with 9 lanes, heat 2 with 8.
inline void buildGala(Database &db)
{
    Database::Transaction tx(db);
    Recordset names = db.openRecordset(QStringLiteral("Gala_Name"));
    names.addNew();
    names.setValue(QStringLiteral("Program code"), Code);
    names.setValue(QStringLiteral("Program description"), QStringLiteral("Largest Gala"));
    names.update();
    static const char *strokes[] = {"FS", "BR", "BK", "FLY", "MED"};
    Recordset prog = db.openRecordset(QStringLiteral("Gala_Program"));
    for (int e = 1; e <= Events; ++e) {
        prog.addNew();
        prog.setValue(QStringLiteral("Program code"), Code);
        prog.setValue(QStringLiteral("Event No"), double(e));
        prog.setValue(QStringLiteral("Sex age"), e % 4 == 0 ? QStringLiteral("Mixed Open")
                                                            : QStringLiteral("G%1").arg(8 + e % 8));
        prog.setValue(QStringLiteral("Distance"), double(e % 3 == 0 ? 100 : 50));
        prog.setValue(QStringLiteral("Stroke"), QLatin1String(strokes[e % 5]));
        prog.setValue(QStringLiteral("Time"), QString());
        prog.setValue(QStringLiteral("Scoring"), e == Events ? QStringLiteral("2X") : QString());
        prog.update();
    }
    Recordset dates = db.openRecordset(QStringLiteral("Gala_Date"));
    dates.addNew();
    dates.setValue(QStringLiteral("Program code"), Code);
    dates.setValue(QStringLiteral("Date"), Date);
    dates.setValue(QStringLiteral("Pool Name"), QStringLiteral("Harbourside Baths"));
    dates.setValue(QStringLiteral("Graded"), false);
    dates.update();
    Recordset teams = db.openRecordset(QStringLiteral("Gala_Team"));
    for (int t = 1; t <= Teams; ++t) {
        teams.addNew();
        teams.setValue(QStringLiteral("Program code"), Code);
        teams.setValue(QStringLiteral("Gala Date"), Date);
        teams.setValue(QStringLiteral("Heat No"), t <= 9 ? 1 : 2);
        teams.setValue(QStringLiteral("Lane No"), t <= 9 ? t : t - 9);
        teams.setValue(QStringLiteral("Team Name"), QStringLiteral("Team %1").arg(t));
        teams.setValue(QStringLiteral("Scoring"), t != Teams);
        teams.update();
    }
    tx.commit();
}

// Every lane of every event recorded, as after a finished gala.
inline void fillResults(GalaState &g)
{
    for (int e = 1; e <= g.NoOfEvents; ++e) {
        for (int t = 1; t <= g.NoOfTeams; ++t) {
            g.LaneTime(e, t) =
                QStringLiteral("%1.%2").arg(30 + t).arg(e % 100, 2, 10, QLatin1Char('0'));
            g.LanePos(e, t) = t;
            g.LanePoints(e, t) = float(g.NoOfScoringTeams + 1 - t);
            g.LaneName(e, t) = QStringLiteral("Swimmer %1-%2").arg(e).arg(t);
            g.LaneClub(e, t) = QStringLiteral("Club %1").arg(t);
            g.LaneDoB(e, t) =
                QStringLiteral("0%1/0%2/1%3").arg(1 + t % 9).arg(1 + e % 9).arg(e % 10);
            g.LaneNotes(e, t) = e % 7 == 0 ? QStringLiteral("split 17.20") : QString();
        }
    }
}

} // namespace LargestGala
