// Times every printed report of the largest gala the sheet can hold (17 team
// entries x 100 events) rendered to PDF files through the printer surface,
// against its floor: the same texts at the same places drawn with a bare
// QPainter on a QPdfWriter, in the same run. Prints medians and the ratio.
// `reports_bench FOLDER` also leaves one set of the PDFs in FOLDER.

#include "core/gala/GalaState.h"
#include "core/links/SplitTimes.h"
#include "core/reports/Reports.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Dialogs.h"
#include "core/values/SharedState.h"
#include "print/FontSubstitutes.h"
#include "print/RecordingSurface.h"
#include "print/ReportJob.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Teams = GalaState::MaxSheetRows;
constexpr int Events = GalaState::MaxEvents;
constexpr int Runs = 7;

// Counts what a sound run would never show: anything but the "written" note.
class QuietDialogs : public Dialogs
{
public:
    int failures = 0;
    void message(const QString &text) override
    {
        if (!text.contains(QLatin1String("was written to"))) {
            ++failures;
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
        }
    }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &) override { return true; }
    bool yesNoDefaultNo(const QString &) override { return true; }
    void chooseFile(FileChoice &) override {}
};

// A finished graded gala: every lane swum, a few disqualified, a few too fast.
void buildGala(SharedState &shared, GalaState &g)
{
    shared.GalaDate = QStringLiteral("12/10/26");
    shared.Promoter = QStringLiteral("Harbourside Swimming Club");
    shared.Graded = QStringLiteral("Y");
    g.GalaName = QStringLiteral("Largest Gala");
    g.NoOfEvents = Events;
    g.resizeEvents(Events);
    static const char *strokes[] = {"FS", "BR", "BK", "FLY", "MED"};
    for (int e = 1; e <= Events; ++e) {
        g.EventNo[e] = QString::number(e);
        g.EventSexAge[e] =
            e % 4 == 0 ? QStringLiteral("Mixed Open") : QStringLiteral("G%1").arg(8 + e % 8);
        g.EventDistance[e] = e % 3 == 0 ? QStringLiteral("100") : QStringLiteral("50");
        g.EventStroke[e] = QLatin1String(strokes[e % 5]);
        g.EventTime[e] = QStringLiteral("30.50");
    }
    g.NoOfTeams = Teams;
    g.resizeTeams(Teams);
    for (int t = 1; t <= Teams; ++t) {
        g.TeamName[t] = QStringLiteral("Team %1").arg(t);
        g.TeamHeat[t] = t <= 9 ? 1 : 2;
        g.TeamLane[t] = t <= 9 ? t : t - 9;
        g.TeamScoring[t] = t != Teams;
        g.NoOfScoringTeams += g.TeamScoring[t] ? 1 : 0;
    }
    for (int e = 1; e <= Events; ++e) {
        for (int t = 1; t <= Teams; ++t) {
            const bool dq = (e + t) % 23 == 0;
            const bool fast = t == 1;
            g.LaneTime(e, t) = dq ? QStringLiteral("D")
                                  : QStringLiteral("%1.%2")
                                        .arg(fast ? 29 : 30 + t)
                                        .arg(e % 100, 2, 10, QLatin1Char('0'));
            g.LanePos(e, t) = dq || fast ? 0 : t - 1;
            g.LanePoints(e, t) = dq || fast ? 0.0f : float(g.NoOfScoringTeams + 2 - t);
            g.TeamTotal[t] += g.LanePoints(e, t);
            g.LaneName(e, t) = QStringLiteral("Swimmer %1-%2").arg(e).arg(t);
            g.LaneNotes(e, t) = dq ? QStringLiteral("False start") : QString();
        }
    }
}

struct Report
{
    QString name;
    ReportLayout layout;
};

// The floor: the recorded texts drawn straight onto one QPdfWriter per job.
void drawBare(const RecordingSurface &recorded, const QString &folder)
{
    QHash<QString, QFont> fonts;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    int job = 0, page = 0;
    qsizetype next = 0;
    for (const RecordingSurface::Page &p : recorded.pages) {
        const auto orientation = p.orientation == PrinterSurface::Landscape ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait;
        if (p.job != job) {
            if (writer)
                painter.end();
            job = p.job;
            writer = std::make_unique<QPdfWriter>(folder + QStringLiteral("/bare%1.pdf").arg(job));
            writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                              QMarginsF(0.25, 0.25, 0.25, 0.25),
                                              QPageLayout::Inch));
            painter.begin(writer.get());
        } else {
            writer->setPageOrientation(orientation);
            writer->newPage();
        }
        page = p.page;
        const double dpi = writer->resolution();
        for (; next < recorded.texts.size() && recorded.texts[next].job == job &&
               recorded.texts[next].page == page;
             ++next) {
            const RecordingSurface::Text &t = recorded.texts[next];
            const QString key = t.font.name + QString::number(t.font.size) +
                                QLatin1Char(t.font.bold ? 'b' : '-') +
                                QLatin1Char(t.font.underline ? 'u' : '-');
            auto it = fonts.find(key);
            if (it == fonts.end()) {
                QFont f(t.font.name);
                f.setPointSizeF(t.font.size);
                f.setBold(t.font.bold);
                f.setUnderline(t.font.underline);
                it = fonts.insert(key, QFont(f, writer.get()));
            }
            painter.setFont(*it);
            painter.drawText(QPointF(t.x * dpi, t.y * dpi + QFontMetricsF(*it).ascent()), t.text);
        }
    }
    if (writer)
        painter.end();
}

double medianMs(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    return double(ns[ns.size() / 2]) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterFontSubstitutes();

    SharedState shared;
    GalaState gala;
    buildGala(shared, gala);
    QuietDialogs dialogs;
    SheetModel sheet(shared, gala, dialogs);
    sheet.setUpRows();
    sheet.ShowEvent(1);
    Slots<QString> lanes(11);
    for (int l = 1; l <= 10; ++l)
        lanes[l] = QStringLiteral("Lane team %1").arg(l);

    const QList<Report> reports = {
        {QStringLiteral("Results Sheets"),
         [&](PrinterSurface &p) { PrintResultsSheets(shared, gala, p); }},
        {QStringLiteral("This Result"),
         [&](PrinterSurface &p) { PrintThisResult(shared, gala, sheet, p); }},
        {QStringLiteral("Team Results"),
         [&](PrinterSurface &p) {
             SplitTimes none(nullptr, {});
             PrintTeamResults(shared, gala, none, p);
         }},
        {QStringLiteral("Chief TK Sheets"),
         [&](PrinterSurface &p) { PrintTimekeeperSheets(shared, gala, lanes, p); }},
        {QStringLiteral("Analysis of Positions"),
         [&](PrinterSurface &p) { PrintPositionAnalysis(gala, p); }},
        {QStringLiteral("Speeding Tkts"),
         [&](PrinterSurface &p) { (void)PrintSpeedingTickets(gala, sheet, p); }},
        {QStringLiteral("List of Swimmers for Announcer"),
         [&](PrinterSurface &p) { PrintAnnouncerList(gala, p); }},
    };

    // The texts once, for the floor and the counts.
    RecordingSurface recorded;
    for (const Report &r : reports)
        r.layout(recorded);
    std::printf("reports: %lld texts on %lld pages in %d jobs\n", (long long)recorded.texts.size(),
                (long long)recorded.pages.size(), recorded.jobsEnded);

    PrinterChoice choice;
    // A folder named on the command line keeps one set of the PDFs to look at.
    if (argc > 1) {
        for (const Report &r : reports) {
            if (!PrintReport(choice, QString::fromLocal8Bit(argv[1]), r.name, r.layout, dialogs))
                return 1;
        }
    }
    std::vector<qint64> surface, bare;
    for (int run = 0; run < Runs; ++run) {
        QTemporaryDir dir;
        QElapsedTimer clock;
        clock.start();
        for (const Report &r : reports) {
            if (!PrintReport(choice, dir.filePath(QStringLiteral("surface")), r.name, r.layout,
                             dialogs))
                return 1;
        }
        surface.push_back(clock.nsecsElapsed());
        clock.restart();
        drawBare(recorded, dir.path());
        bare.push_back(clock.nsecsElapsed());
    }
    const double s = medianMs(surface), b = medianMs(bare);
    std::printf("all reports to PDF, printer surface: %8.1f ms (median of %d)\n", s, Runs);
    std::printf("same texts, bare QPainter/QPdfWriter: %8.1f ms\n", b);
    std::printf("ratio: %.2f\n", s / b);
    return dialogs.failures == 0 ? 0 : 1;
}
