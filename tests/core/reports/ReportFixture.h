#pragma once

#include "print/RecordingSurface.h"
#include "tests/core/sheet/RecordingFixture.h"

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

// A gala in memory for the reports, event 1 on the sheet: `teams` scoring
// entries T1, T2, ... (heat 1, lane = index) and `events` 50m freestyle
// events "G10", numbered 1 ...
struct ReportGala : MemorySheet
{
    RecordingSurface printer;

    ReportGala(int teams, int events)
        : MemorySheet(QString(teams, 'Y'), {}, QStringList(events, "G10"))
    {
        shared.GalaDate = "12/10/26";
        shared.Promoter = "Harbourside SC";
        gala.GalaName = "Autumn Gala";
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
        for (const Text &t : printer.on(job, page))
            if (qAbs(t.x - x) < 0.001)
                out << t.text;
        return out;
    }
    // The line of `text` as "text@x" in print order: the texts and their places at a glance.
    QString line(const QString &text) const { return line(one(text)); }
    QString line(const Text &at) const
    {
        QStringList out;
        for (const auto &o : printer.on(at.job, at.page))
            if (qFuzzyCompare(o.y + 1, at.y + 1))
                out << QStringLiteral("%1@%2").arg(o.text).arg(qRound(o.x * 1000) / 1000.0);
        return out.join(" | ");
    }
    // Where a line starting at `at` begins when `whole` is centred on 7 inches in its font.
    double centred(const Text &at, const QString &whole)
    {
        printer.restore({at.orientation, at.font});
        return (7.0 - printer.textWidth(whole)) / 2;
    }
};
