#pragma once

#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "recording/SheetModel.h"
#include "reports/RecordingSurface.h"
#include "tests/support/ScriptedDialogs.h"

#include <QtTest>

// A gala in memory for the reports: `teams` entries T1, T2, ... (all scoring,
// heat 1, lane = index) and `events` 50m freestyle events "G10", numbered 1 ...
struct ReportGala
{
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;
    SheetModel sheet{shared, gala, dialogs};
    RecordingSurface printer;

    ReportGala(int teams, int events)
    {
        shared.GalaDate = QStringLiteral("12/10/26");
        shared.Promoter = QStringLiteral("Harbourside SC");
        gala.GalaName = QStringLiteral("Autumn Gala");
        gala.NoOfEvents = events;
        gala.resizeEvents(events);
        for (int e = 1; e <= events; ++e) {
            gala.EventNo[e] = QString::number(e);
            gala.EventSexAge[e] = QStringLiteral("G10");
            gala.EventDistance[e] = QStringLiteral("50");
            gala.EventStroke[e] = QStringLiteral("FS");
        }
        gala.NoOfTeams = teams;
        gala.resizeTeams(teams);
        for (int t = 1; t <= teams; ++t) {
            gala.TeamName[t] = QStringLiteral("T%1").arg(t);
            gala.TeamHeat[t] = 1;
            gala.TeamLane[t] = t;
            gala.TeamScoring[t] = true;
        }
        gala.NoOfScoringTeams = teams;
    }
    ~ReportGala() { QVERIFY2(dialogs.finished(), dialogs.faults()); }

    // Shows event e on the sheet, as the official sees it before printing.
    void show(int e)
    {
        sheet.setUpRows();
        sheet.ShowEvent(e);
    }

    // Every recorded text equal to `text`.
    QList<RecordingSurface::Text> all(const QString &text) const
    {
        QList<RecordingSurface::Text> out;
        for (const auto &t : printer.texts) {
            if (t.text == text)
                out.append(t);
        }
        return out;
    }
    // The one recorded text equal to `text` (fails the test otherwise).
    RecordingSurface::Text one(const QString &text) const
    {
        const auto found = all(text);
        if (found.size() != 1)
            qWarning() << text << "printed" << found.size() << "times";
        return found.value(0,
                           RecordingSurface::Text{0, 0, PrinterSurface::Portrait, -1, -1, {}, {}});
    }
    // The texts printed on the same line as `t`, in print order.
    QStringList lineOf(const RecordingSurface::Text &t) const
    {
        QStringList out;
        for (const auto &o : printer.texts) {
            if (o.job == t.job && o.page == t.page && qFuzzyCompare(o.y + 1, t.y + 1))
                out << o.text;
        }
        return out;
    }
};

// Inches compared to a thousandth.
#define QCOMPARE_IN(actual, expected)                                                              \
    QVERIFY2(qAbs((actual) - (expected)) < 0.001,                                                  \
             qPrintable(QStringLiteral("%1 is not %2").arg(actual).arg(expected)))
