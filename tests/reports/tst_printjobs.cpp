// Reports as the official prints them: PDF files beside the gala database,
// failures named after the report, the Print menu, set-up and preview.

#include "foundation/Engine.h"
#include "recording/GalaRecSheet.h"
#include "reports/FontSubstitutes.h"
#include "reports/PrinterSurface.h"
#include "reports/ReportJob.h"
#include "tests/recording/RecordingFixture.h"

#include <QPrintDialog>
#include <QtTest>
#include <QtWidgets>

namespace {

// Notes every message and answers input boxes from a queue, checking prompts.
struct DeskDialogs : Dialogs
{
    QStringList messages;
    QList<std::pair<QString, QString>> inputs; // prompt, answer
    QStringList faults;
    void message(const QString &text) override { messages << text; }
    QString input(const QString &prompt) override
    {
        if (inputs.isEmpty() || inputs.first().first != prompt) {
            faults << prompt;
            return {};
        }
        return inputs.takeFirst().second;
    }
    bool yesNo(const QString &) override { return true; }
    void chooseFile(FileChoice &) override {}
};

// The demonstration gala on a recording sheet, its database in a folder of
// its own so the "prints" folder beside it is the test's.
struct Desk : DemoSheet
{
    DeskDialogs answers;
    OpenedGala opened;
    std::unique_ptr<GalaRecSheet> sheet;

    Desk()
    {
        shared.GalaDbPath = file.path;
        opened = OpenGala(shared, gala, answers);
        sheet = std::make_unique<GalaRecSheet>(shared, gala, answers, nullptr);
    }
    QString prints() const { return QFileInfo(file.path).dir().filePath(QStringLiteral("prints")); }
    QStringList files() const
    {
        return QDir(prints()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    }
    QAction *action(const char *name) const
    {
        return sheet->findChild<QAction *>(QLatin1String(name));
    }
    SheetModel &model() { return sheet->model(); }
};

int pageCount(const QString &pdf)
{
    QFile f(pdf);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    // Each page object is a "/Type /Page"; the page tree is "/Type /Pages".
    int pages = 0;
    auto it = QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))
                  .globalMatch(QString::fromLatin1(f.readAll()));
    for (; it.hasNext(); it.next())
        ++pages;
    return pages;
}

// Runs `step` on the next modal dialog of class `Dialog` once it shows.
template <typename Dialog> void onNextDialog(std::function<void(Dialog *)> step)
{
    QTimer::singleShot(0, [step] {
        auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!d) {
            onNextDialog<Dialog>(step);
            return;
        }
        step(d);
    });
}

} // namespace

class TestPrintJobs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    void printReportWritesOrNamesTheFailure_data()
    {
        QTest::addColumn<QString>("failure"); // "", "folder", "engine"
        QTest::addColumn<bool>("ok");
        QTest::newRow("written") << "" << true;
        QTest::newRow("folder cannot be made") << "folder" << false;
        QTest::newRow("engine failure mid-report") << "engine" << false;
    }
    void printReportWritesOrNamesTheFailure()
    {
        QFETCH(QString, failure);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        QString folder = dir.filePath(QStringLiteral("prints"));
        if (failure == QLatin1String("folder")) {
            QFile blocker(dir.filePath(QStringLiteral("taken")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            folder = dir.filePath(QStringLiteral("taken/prints"));
        }
        DeskDialogs dialogs;
        PrinterChoice choice;
        const bool printed = PrintReport(
            choice, folder, QStringLiteral("Team Results"),
            [&](PrinterSurface &p) {
                p.printLine(QStringLiteral("first page"));
                p.newPage();
                p.printLine(QStringLiteral("second page"));
                if (failure == QLatin1String("engine"))
                    throw EngineError(QStringLiteral("no such table: Times"));
                p.endDoc();
            },
            dialogs);
        QCOMPARE(printed, ok);
        QCOMPARE(dialogs.messages.size(), 1);
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (ok) {
            QCOMPARE(files.size(), 1);
            QVERIFY(QRegularExpression(
                        QStringLiteral(R"(^Team Results \d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.pdf$)"))
                        .match(files[0])
                        .hasMatch());
            const QString path = QDir(folder).filePath(files[0]);
            QCOMPARE(dialogs.messages[0], QStringLiteral("Team Results was written to\n") + path);
            QCOMPARE(pageCount(path), 2);
        } else {
            QVERIFY(files.isEmpty()); // no half-written file is left behind
            const QString why = failure == QLatin1String("engine")
                                    ? QStringLiteral("no such table: Times")
                                    : QStringLiteral("The folder %1 cannot be made.").arg(folder);
            QCOMPARE(dialogs.messages[0],
                     QStringLiteral("Team Results could not be printed.\n") + why);
        }
    }

    void eachJobIsAFileOfItsOwn()
    {
        QTemporaryDir dir;
        DeskDialogs dialogs;
        PrinterChoice choice;
        QVERIFY(PrintReport(
            choice, dir.path(), QStringLiteral("Speeding Tkts"),
            [](PrinterSurface &p) {
                for (int i = 0; i < 3; ++i) {
                    p.printLine(QStringLiteral("ticket"));
                    p.endDoc();
                }
            },
            dialogs));
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), 3);
        QCOMPARE(dialogs.messages.value(0).count(QLatin1Char('\n')), 3);
    }

    // Results typed on the sheet, then every report of the menu and the
    // tickets button to PDF on a machine without a printer.
    void everyReportOfTheDemoGalaPrints()
    {
        Desk desk;
        QVERIFY(desk.opened.opened());
        // Event 1 (grade 38.00): 37.00 is too fast; event 2: a disqualification.
        const QStringList first{"40.5", "37.00", "41", "39.9", "38.1", "39.00", "42", "38.50"};
        for (int r = 0; r < 8; ++r)
            desk.model().setText(SheetModel::Time, r, first[r]);
        desk.model().setText(SheetModel::SwimmerName, 1, QStringLiteral("Amy Speedy"));
        desk.model().NextEvent();
        desk.model().setText(SheetModel::Time, 0, QStringLiteral("39.00"));
        desk.model().setText(SheetModel::Time, 1, QStringLiteral("D"));
        desk.answers.inputs = {{QStringLiteral("Enter reason for Disqualification"),
                                QStringLiteral("Two-hand touch")}};
        desk.model().TimeLostFocus(1);
        desk.model().setEvNo(QStringLiteral("1"));
        desk.model().EvNoLostFocus();

        const char *entries[] = {"Print_Results",   "Print_This_Result", "Print_Team_Results",
                                 "Print_TK_Sheets", "Announcer_List",    "Position_Analysis"};
        for (const char *entry : entries) {
            QVERIFY2(desk.action(entry)->isEnabled(), entry);
            if (QLatin1String(entry) == QLatin1String("Print_TK_Sheets"))
                desk.answers.inputs = {{QStringLiteral("Number of Lanes"), QStringLiteral("2")},
                                       {QStringLiteral("Team in Lane  1"), QStringLiteral("A")},
                                       {QStringLiteral("Team in Lane  2"), QStringLiteral("B")}};
            desk.action(entry)->trigger();
        }
        auto *speeding = desk.sheet->findChild<QPushButton *>(QStringLiteral("Speeding"));
        QVERIFY(speeding->isEnabled());
        QTest::mouseClick(speeding, Qt::LeftButton);

        QVERIFY2(desk.answers.faults.isEmpty(), qPrintable(desk.answers.faults.join(", ")));
        QCOMPARE(desk.answers.messages.size(), 7);
        QCOMPARE(desk.files().size(), 7);
        for (const QString &m : std::as_const(desk.answers.messages))
            QVERIFY2(m.contains(QLatin1String(" was written to\n") + desk.prints()), qPrintable(m));
        const QStringList names{"Analysis of Positions",
                                "Chief TK Sheets",
                                "List of Swimmers for Announcer",
                                "Results Sheets",
                                "Speeding Tkts",
                                "Team Results",
                                "This Result"};
        const QList<int> pages{1, 6, -1, 3, 1, 8, 1}; // 8 entries, 12 events
        for (int i = 0; i < names.size(); ++i) {
            QVERIFY2(desk.files()[i].startsWith(names[i]), qPrintable(desk.files()[i]));
            if (pages[i] > 0)
                QCOMPARE(pageCount(QDir(desk.prints()).filePath(desk.files()[i])), pages[i]);
        }
        // Printing changed nothing of the gala.
        QCOMPARE(desk.gala.LaneTime(2, 2), QStringLiteral("D"));
        QCOMPARE(desk.model().text(SheetModel::Position, 1), QStringLiteral("TF"));
    }

    void printerSetUpCancelChangesNothing()
    {
        Desk desk;
        desk.action("Position_Analysis")->trigger();
        QCOMPARE(desk.files().size(), 1);
        const QString before = desk.shared.Printing->printer.printerName();
        onNextDialog<QPrintDialog>([](QPrintDialog *d) { d->reject(); });
        desk.action("Printsetup")->trigger();
        QCOMPARE(desk.shared.Printing->printer.printerName(), before);
        QVERIFY(desk.shared.Printing->chosenFolder.isEmpty());
        desk.action("Position_Analysis")->trigger();
        QCOMPARE(desk.answers.messages.size(), 2);
        QVERIFY(desk.answers.messages[1].contains(desk.prints()));
    }

    void previewBeforePrinting()
    {
        Desk desk;
        QAction *preview = desk.action("Print_Preview");
        QVERIFY(preview && preview->isCheckable() && !preview->isChecked());
        QCOMPARE(desk.sheet->findChild<QMenu *>(QStringLiteral("Print_Menu"))->actions().last(),
                 preview);
        preview->setChecked(true);

        // Cancel in the preview prints nothing.
        bool shown = false;
        onNextDialog<QDialog>([&](QDialog *d) {
            shown = d->objectName() == QLatin1String("PrintPreview");
            d->findChild<QPushButton *>(QStringLiteral("PreviewCancel"))->click();
        });
        desk.action("Position_Analysis")->trigger();
        QVERIFY(shown);
        QVERIFY(desk.files().isEmpty());
        QVERIFY(desk.answers.messages.isEmpty());

        onNextDialog<QDialog>([](QDialog *d) {
            d->findChild<QPushButton *>(QStringLiteral("PreviewPrint"))->click();
        });
        desk.action("Position_Analysis")->trigger();
        QCOMPARE(desk.files().size(), 1);

        // Remembered for the run: the next sheet opens with it on.
        GalaRecSheet again(desk.shared, desk.gala, desk.answers, nullptr);
        QVERIFY(again.findChild<QAction *>(QStringLiteral("Print_Preview"))->isChecked());
    }
};

QTEST_MAIN(TestPrintJobs)
#include "tst_printjobs.moc"
