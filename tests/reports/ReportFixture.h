#pragma once

#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "recording/SheetModel.h"
#include "reports/RecordingSurface.h"
#include "tests/support/ScriptedDialogs.h"

#include <QtTest>

using Text = RecordingSurface::Text;

// Inches compared to a thousandth.
#define QCOMPARE_IN(actual, expected)                                                              \
    QVERIFY2(qAbs((actual) - (expected)) < 0.001,                                                  \
             qPrintable(QStringLiteral("%1 is not %2").arg(actual).arg(expected)))

inline QStringList textsOf(const QList<Text> &list)
{
    QStringList out;
    for (const Text &t : list)
        out << t.text;
    return out;
}

// The width of `text` in a bold font, for the centred lines.
inline double boldWidth(const char *font, double size, const QString &text)
{
    RecordingSurface measure;
    measure.setFontName(QLatin1String(font));
    measure.setFontSize(size);
    measure.setFontBold(true);
    return measure.textWidth(text);
}

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
        shared.GalaDate = "12/10/26";
        shared.Promoter = "Harbourside SC";
        gala.GalaName = "Autumn Gala";
        gala.NoOfEvents = events;
        gala.resizeEvents(events);
        for (int e = 1; e <= events; ++e) {
            gala.EventNo[e] = QString::number(e);
            gala.EventSexAge[e] = "G10";
            gala.EventDistance[e] = "50";
            gala.EventStroke[e] = "FS";
        }
        gala.NoOfTeams = gala.NoOfScoringTeams = teams;
        gala.resizeTeams(teams);
        for (int t = 1; t <= teams; ++t) {
            gala.TeamName[t] = QStringLiteral("T%1").arg(t);
            gala.TeamHeat[t] = 1;
            gala.TeamLane[t] = t;
            gala.TeamScoring[t] = true;
        }
    }
    ~ReportGala() { QVERIFY2(dialogs.finished(), dialogs.faults()); }

    // Shows event 1 on the sheet, as the official sees it before printing.
    void show()
    {
        sheet.setUpRows();
        sheet.ShowEvent(1);
    }
    QList<Text> all(const QString &text) const
    {
        QList<Text> out;
        std::copy_if(printer.texts.begin(), printer.texts.end(), std::back_inserter(out),
                     [&](const Text &t) { return t.text == text; });
        return out;
    }
    // The one text equal to `text`; one printed twice or never is off the page.
    Text one(const QString &text) const
    {
        const auto found = all(text);
        return found.size() == 1 ? found[0] : Text{0, 0, PrinterSurface::Portrait, -9, -9, {}, {}};
    }
    // Texts of one page at one x, in print order.
    QStringList column(int job, int page, double x) const
    {
        QStringList out;
        for (const Text &t : printer.on(job, page)) {
            if (qAbs(t.x - x) < 0.001)
                out << t.text;
        }
        return out;
    }
    // The line of `text` as "text@x" in print order: the texts and their places at a glance.
    QString line(const QString &text) const { return line(one(text)); }
    QString line(const Text &at) const
    {
        QStringList out;
        for (const auto &o : printer.on(at.job, at.page)) {
            if (qFuzzyCompare(o.y + 1, at.y + 1))
                out << QStringLiteral("%1@%2").arg(o.text).arg(qRound(o.x * 1000) / 1000.0);
        }
        return out.join(" | ");
    }
};
