// Reports as the official prints them: PDF files beside the gala database,
// failures named after the report, the Print menu, set-up and preview.

#include "core/reports/Reports.h"
#include "print/FontSubstitutes.h"
#include "print/RecordingSurface.h"
#include "print/ReportJob.h"
#include "tests/core/sheet/RecordingFixture.h"
#include "ui/GalaRecSheet.h"

#include <QPrintDialog>
#include <QtWidgets>

namespace {

// Messages are noted, not scripted: they carry the time the file was written.
struct DeskDialogs : ScriptedDialogs
{
    QStringList messages;
    void message(const QString &text) override { messages << text; }
};

// Runs `step` on the next modal dialog of class `Dialog` once it shows.
template <typename Dialog> void onNextDialog(std::function<void(Dialog *)> step)
{
    QTimer::singleShot(0, [step] {
        if (auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
            step(d);
        else
            onNextDialog<Dialog>(step);
    });
}

} // namespace

class TestPrintJobs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    // A report that fails names itself and why, and leaves no half-written
    // file; the same printer then prints the next one, a file a job, and
    // the official is told where each went.
    void printReportWritesOrNamesTheFailure()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("prints");
        DeskDialogs dialogs;
        PrinterChoice choice;
        QString failure = "no such table: Times";
        const auto layout = [&](PrinterSurface &p) {
            for (int job = 0; job < 2; ++job) { // of two pages each
                p.printLine("first page");
                p.newPage();
                p.printLine("second page");
                if (!failure.isEmpty())
                    throw EngineError(failure);
                p.endDoc();
            }
        };
        QVERIFY(!PrintReport(choice, folder, "Team Results", layout, dialogs));
        QVERIFY(QDir(folder).isEmpty());
        QCOMPARE(dialogs.messages.takeFirst(), "Team Results could not be printed.\n" + failure);
        failure.clear();
        QVERIFY(PrintReport(choice, folder, "Team Results", layout, dialogs));
        QCOMPARE(QDir(folder).entryList({"*.pdf"}, QDir::Files).size(), 2);
        QStringList written = dialogs.messages.takeFirst().split('\n');
        QCOMPARE(written.takeFirst(), QStringLiteral("Team Results was written to"));
        QCOMPARE(written.size(), 2);
        const QRegularExpression name(R"(/Team Results \d{4}-\d\d-\d\d \d\d-\d\d-\d\d.*\.pdf$)");
        // Each page object is a "/Type /Page"; the page tree is "/Type /Pages".
        const QRegularExpression page("/Type\\s*/Page(?!s)");
        for (const QString &path : written) {
            QVERIFY2(path.startsWith(folder) && name.match(path).hasMatch(), qPrintable(path));
            QFile pdf(path);
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromLatin1(pdf.readAll()).count(page), 2);
        }
        // A folder where a file stands cannot be made.
        QVERIFY(QFile(dir.filePath("taken")).open(QIODevice::WriteOnly));
        QVERIFY(
            !PrintReport(choice, dir.filePath("taken/prints"), "Team Results", layout, dialogs));
        QCOMPARE(dialogs.messages, QStringList("Team Results could not be printed.\nThe folder " +
                                               dir.filePath("taken/prints") + " cannot be made."));
    }

    // A report through Qt's real PDF back end, read back by poppler's
    // pdftotext: a word where the recording surface, measuring with the same
    // fonts, put it, in inches from the printable area (A4 less a quarter
    // inch each side), to 0.02 in. The results sheets are landscape: the sixth
    // team's column lies beyond a portrait page's width.
    void pdfPositions()
    {
        MemorySheet desk(QString(6, 'Y'), {}, {"G10", "G10"});
        const ReportLayout layout = [&](PrinterSurface &p) {
            PrintResultsSheets(desk.shared, desk.gala, p);
        };
        RecordingSurface recorded;
        layout(recorded);
        const auto at = std::find_if(recorded.texts.begin(), recorded.texts.end(),
                                     [&](auto &t) { return t.page == 1 && t.text == "T6"; });
        QVERIFY(at != recorded.texts.end());

        QTemporaryDir dir;
        PrinterChoice choice;
        choice.usePdfPages();
        const ReportOutcome outcome = RunReport(choice, dir.path(), "Results Sheets", layout);
        QVERIFY2(!outcome.failed(), qPrintable(outcome.failure));
        QProcess pdftotext;
        pdftotext.start("pdftotext",
                        {"-bbox", "-f", "1", "-l", "1", outcome.written.value(0), "-"});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString boxes = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // <word xMin="..." yMin="..." xMax="..." yMax="...">text</word>, in points
        const QRegularExpression found(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" [^>]*>T6</word>)re");
        const QRegularExpressionMatch m = found.match(boxes);
        QVERIFY2(m.hasMatch(), qPrintable(boxes.left(2000)));
        // Points to inches from the printable area, a quarter inch in.
        const double x = m.captured(1).toDouble() / 72 - 0.25;
        const double y = m.captured(2).toDouble() / 72 - 0.25;
        QVERIFY2(qAbs(x - at->x) <= 0.02 && qAbs(y - at->y) <= 0.02,
                 qPrintable(
                     QString("%1, %2 in the PDF, not %3, %4").arg(x).arg(y).arg(at->x).arg(at->y)));
    }

    // Every report of the menu and the tickets button to PDF on a machine without a printer,
    // then the preview and the printer set-up.
    void printMenu()
    {
        DemoSheet desk; // its "prints" folder is the test's
        DeskDialogs answers;
        desk.shared.GalaDbPath = desk.file.path;
        QVERIFY(OpenGala(desk.shared, desk.gala, answers).opened());
        GalaRecSheet sheet(desk.shared, desk.gala, answers, nullptr);
        const QString prints = QFileInfo(desk.file.path).dir().filePath("prints");
        // Event 1 has a grade time of 38.00: 37.00 is too fast and gets a ticket.
        sheet.model().setText(SheetModel::Time, 1, "37.00");
        answers.expectInput("Number of Lanes", "1").expectInput("Team in Lane  1", "A");
        for (const char *entry : {"Print_Results", "Print_This_Result", "Print_Team_Results",
                                  "Print_TK_Sheets", "Announcer_List", "Position_Analysis"})
            sheet.findChild<QAction *>(entry)->trigger();
        QTest::mouseClick(sheet.findChild<QPushButton *>("Speeding"), Qt::LeftButton);

        QStringList names;
        for (const QString &f : QDir(prints).entryList({"*.pdf"}, QDir::Files))
            names << f.section(' ', 0, -3);
        QCOMPARE(names, QStringList({"Analysis of Positions", "Chief TK Sheets",
                                     "List of Swimmers for Announcer", "Results Sheets",
                                     "Speeding Tkts", "Team Results", "This Result"}));

        // Cancel in the set-up or the preview changes and prints nothing; the
        // preview stays on for the run.
        sheet.findChild<QAction *>("Print_Preview")->setChecked(true);
        for (const char *button : {"PreviewCancel", "PreviewPrint"}) {
            onNextDialog<QDialog>([button](QDialog *d) {
                QCOMPARE(d->objectName(), QStringLiteral("PrintPreview"));
                d->findChild<QPushButton *>(button)->click();
            });
            sheet.findChild<QAction *>("Position_Analysis")->trigger();
        }
        QCOMPARE(QDir(prints).entryList({"*.pdf"}, QDir::Files).size(), 8);
        onNextDialog<QPrintDialog>([](QPrintDialog *d) { d->reject(); });
        sheet.findChild<QAction *>("Printsetup")->trigger();
        QVERIFY(desk.shared.Printing->chosenFolder.isEmpty());

        GalaRecSheet again(desk.shared, desk.gala, answers, nullptr);
        QVERIFY(again.findChild<QAction *>("Print_Preview")->isChecked());
        QVERIFY2(answers.finished(), answers.faults());
    }
};

QTEST_MAIN(TestPrintJobs)
#include "tst_printjobs.moc"
