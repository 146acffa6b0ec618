#pragma once

#include "core/gala/GalaState.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QtTest>

// Dialogs that only note the messages shown, for failures worded by the engine.
struct NotingDialogs : Dialogs
{
    QStringList messages, questions;
    void message(const QString &text) override { messages << text; }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &question) override
    {
        questions << question;
        return true;
    }
    bool yesNoDefaultNo(const QString &question) override { return yesNo(question); }
    void chooseFile(FileChoice &) override {}
};

// A gala in memory with event 1 shown: one heat with a team per letter of
// `scoring` ("Y" scores, "N" swims as a guest), named T1, T2, .. unless
// named, and one 50m freestyle event per sex/age.
struct MemorySheet
{
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;
    SheetModel model{shared, gala, dialogs};

    MemorySheet() = default; // nothing in memory yet
    // Every question the test expected was asked, and nothing else.
    ~MemorySheet() { QVERIFY2(dialogs.finished(), dialogs.faults()); }
    explicit MemorySheet(const QString &scoring, const QStringList &names = {},
                         const QStringList &sexAges = {"G10", "G10", "B Open"})
    {
        gala.NoOfEvents = int(sexAges.size());
        gala.resizeEvents(gala.NoOfEvents);
        for (int e = 1; e <= gala.NoOfEvents; ++e) {
            gala.EventNo[e] = QString::number(e);
            gala.EventSexAge[e] = sexAges[e - 1];
            gala.EventDistance[e] = QStringLiteral("50");
            gala.EventStroke[e] = QStringLiteral("FS");
        }
        gala.NoOfTeams = int(scoring.size());
        gala.resizeTeams(gala.NoOfTeams);
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            gala.TeamName[t] = names.value(t - 1, QStringLiteral("T%1").arg(t));
            gala.TeamHeat[t] = 1;
            gala.TeamLane[t] = t;
            gala.TeamScoring[t] = scoring[t - 1] == QLatin1Char('Y');
            gala.NoOfScoringTeams += gala.TeamScoring[t] ? 1 : 0;
        }
        model.setUpRows();
        model.ShowEvent(1);
    }

    QStringList column(SheetModel::Column c) const
    {
        QStringList out;
        for (int r = 0; r < gala.NoOfTeams; ++r)
            out << model.text(c, r);
        return out;
    }
};

// The demonstration gala (DEMO on 12/10/26, graded: 12 events, 8 team
// entries in two heats of four, the last one non-scoring).
struct DemoSheet : MemorySheet
{
    TestGala file{true};

    DemoSheet()
    {
        shared.GalaDb = file.open();
        shared.GalaDbOpen = true;
        shared.ProgCode = QStringLiteral("DEMO");
        shared.GalaDate = QStringLiteral("12/10/26");
        shared.Graded = QStringLiteral("Y");
    }
    OpenedGala open()
    {
        OpenedGala opened = OpenGala(shared, gala, dialogs);
        if (opened.opened()) {
            model.setUpRows();
            model.ShowEvent(1);
        }
        return opened;
    }
};

// Every Gala_Record row of a programme code in table order, fields joined by
// "|"; team t's row of event e is (t - 1) * events + e - 1.
inline QStringList galaRows(Database &db, const QString &code)
{
    QStringList rows; // an opened set stands on its first row
    for (Recordset rs = db.openRecordset(QStringLiteral("Gala_Record")); !rs.atEnd();
         rs.moveNext()) {
        QStringList values;
        for (const char *f :
             {"Program code", "Gala Date", "Event No", "Lane No", "Lane Time", "Lane Pos",
              "Lane Points", "Lane Notes", "Heat No", "Lane Name", "Lane Club", "Lane DoB"})
            values << (rs.value(f).isNull() ? QStringLiteral("<null>") : rs.value(f).toString());
        if (values[0] == code)
            rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// Everything the gala state holds about results, for before/after checks.
inline QStringList laneSnapshot(const GalaState &g)
{
    QStringList out;
    for (int t = 1; t <= g.NoOfTeams; ++t)
        for (int e = 1; e <= g.NoOfEvents; ++e)
            out << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                       .arg(QString::number(g.TeamTotal[t]), g.LaneTime(e, t),
                            QString::number(g.LanePos(e, t)), QString::number(g.LanePoints(e, t)),
                            g.LaneName(e, t), g.LaneDoB(e, t), g.LaneClub(e, t), g.LaneNotes(e, t));
    return out;
}

// The announcements posted to an announcer database, as "priority:message".
inline QStringList posted(const QString &path)
{
    Database db(path);
    Recordset set = db.openRecordset(QStringLiteral("Announcement"));
    QStringList all;
    for (; !set.atEnd(); set.moveNext())
        all << set.text(QStringLiteral("Priority")) + QLatin1Char(':') +
                   set.text(QStringLiteral("Message"));
    return all;
}
