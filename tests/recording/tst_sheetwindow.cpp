#include "foundation/Engine.h"
#include "foundation/GalaState.h"
#include "foundation/SharedState.h"
#include "recording/GalaOpening.h"
#include "recording/GalaRecSheet.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Dialogs that note every message; for failures whose text is the engine's.
class NotingDialogs : public Dialogs
{
public:
    QStringList messages;
    void message(const QString &text) override { messages << text; }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &) override { return true; }
    void chooseFile(FileChoice &) override {}
};

// The demonstration gala of 12/10/26 (graded, 8 entries in 2 heats of 4
// lanes, the last one non-scoring) opened for recording.
struct Desk
{
    TestGala file{true};
    SharedState shared;
    GalaState gala;

    Desk()
    {
        shared.GalaDb = file.open();
        shared.GalaDbOpen = true;
        shared.ProgCode = QStringLiteral("DEMO");
        shared.GalaDate = QStringLiteral("12/10/26");
        shared.Graded = QStringLiteral("Y");
    }

    std::unique_ptr<GalaRecSheet> open(Dialogs &dialogs)
    {
        const OpenedGala opened = OpenGala(shared, gala, dialogs);
        if (!opened.opened())
            return nullptr;
        return std::make_unique<GalaRecSheet>(shared, gala, dialogs, opened.OnlineOn);
    }

    // Stored rows of the gala, and the time of one lane of one event.
    int storedRows() const { return query().recordCount(); }
    QString storedTime(int event, int heat, int lane) const
    {
        Recordset rows = query();
        if (rows.recordCount() == 0)
            return QStringLiteral("<none>");
        for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
            if (rows.value(QStringLiteral("Event No")).toInt() == event &&
                rows.value(QStringLiteral("Heat No")).toInt() == heat &&
                rows.value(QStringLiteral("Lane No")).toInt() == lane)
                return rows.text(QStringLiteral("Lane Time"));
        }
        return QStringLiteral("<none>");
    }

private:
    Recordset query() const
    {
        QueryDef q = shared.GalaDb->queryDef(QStringLiteral("Gala_Record_Query"));
        q.setParameter(QStringLiteral("Enter program code"), shared.ProgCode);
        q.setParameter(QStringLiteral("Enter gala date"), shared.GalaDate);
        return q.openRecordset();
    }
};

template <typename W> W *child(QWidget &sheet, const QString &name)
{
    return sheet.findChild<W *>(name);
}

QLineEdit *box(QWidget &sheet, const char *design, int row)
{
    return child<QLineEdit>(sheet, QStringLiteral("%1_%2").arg(QLatin1String(design)).arg(row));
}

} // namespace

class TstSheetWindow : public QObject
{
    Q_OBJECT
private slots:
    void rowsOfTheDemoGala();
    void typedTimesRankAcrossHeats();
    void tabRunsAlongRowsThenDown();
    void accessibleNames_data();
    void accessibleNames();
    void laterEntriesDisabled();
    void eventNumberLeftAndNextEvent();
    void competitionScoresShown();
    void exitSaves();
    void frameCloseSaves();
    void failedSaveKeepsSheetOpen();
    void recordResultsShowsTheSheet();
    void refusedGalaShowsNoSheet();
};

void TstSheetWindow::rowsOfTheDemoGala()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    const QStringList captions = {"1:1", "1:2", "1:3", "1:4", "2:1", "2:2", "2:3", "2:4"};
    for (int r = 0; r < SheetModel::Rows; ++r) {
        auto *lane = child<QLabel>(*sheet, QStringLiteral("Lane_%1").arg(r));
        auto *team = child<QLabel>(*sheet, QStringLiteral("TeamName_%1").arg(r));
        QVERIFY(lane && team);
        const bool shown = r < 8;
        QCOMPARE(lane->isHidden(), !shown);
        QCOMPARE(team->isHidden(), !shown);
        for (const char *design : {"TeamTime", "TeamPosition", "TeamPts", "TeamTotPoints", "NOTE",
                                   "Swimmer_Name", "Swimmer_Dob", "Swimmer_Club"})
            QCOMPARE(box(*sheet, design, r)->isHidden(), !shown);
        // The official-time ticks belong to online timing, which is off.
        QVERIFY(child<QCheckBox>(*sheet, QStringLiteral("BU_%1").arg(r))->isHidden());
        if (shown)
            QCOMPARE(lane->text(), captions[r]);
    }
    QCOMPARE(child<QLabel>(*sheet, QStringLiteral("TeamName_0"))->text(),
             QStringLiteral("Harbourside"));
    QCOMPARE(child<QLabel>(*sheet, QStringLiteral("TeamName_7"))->text(),
             QStringLiteral("Castleton Guests"));
    QCOMPARE(child<QLineEdit>(*sheet, QStringLiteral("EvNo"))->text(), QStringLiteral("1"));
    QCOMPARE(child<QLabel>(*sheet, QStringLiteral("EventDetails"))->text(),
             QStringLiteral("Event 1 G10 50m FS"));
    QVERIFY(child<QPushButton>(*sheet, QStringLiteral("Command7"))->isHidden());
    QCOMPARE(sheet->windowTitle(), QStringLiteral("Gala Recording : Harbourside Junior Team Gala"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::typedTimesRankAcrossHeats()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    // Event 1 has the grade time 38.00; the guests in 2:4 swim for no points.
    QTest::keyClicks(box(*sheet, "TeamTime", 5), QStringLiteral("39.00"));
    QTest::keyClicks(box(*sheet, "TeamTime", 0), QStringLiteral("40.5"));
    QTest::keyClicks(box(*sheet, "TeamTime", 2), QStringLiteral("41"));
    QTest::keyClicks(box(*sheet, "TeamTime", 7), QStringLiteral("38.50"));
    QTest::keyClicks(box(*sheet, "TeamTime", 1), QStringLiteral("37.00"));

    const QStringList positions = {"2", "TF", "3", "", "", "1", "", ""};
    for (int r = 0; r < 8; ++r)
        QCOMPARE(box(*sheet, "TeamPosition", r)->text(), positions[r]);
    // Seven scoring entries: first place scores 7.
    QCOMPARE(box(*sheet, "TeamPts", 5)->text().trimmed(), QStringLiteral("7"));
    QCOMPARE(box(*sheet, "TeamTotPoints", 5)->text().trimmed(), QStringLiteral("7"));
    QCOMPARE(box(*sheet, "TeamPts", 2)->text().trimmed(), QStringLiteral("5"));
    QCOMPARE(box(*sheet, "TeamPts", 1)->text(), QString());
    QCOMPARE(desk.gala.LaneTime(1, 6), QStringLiteral("39.00"));
    QCOMPARE(desk.gala.LanePos(1, 1), 2);
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::tabRunsAlongRowsThenDown()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    sheet->show();
    sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(sheet.get()));

    box(*sheet, "TeamTime", 0)->setFocus(Qt::OtherFocusReason);
    const QStringList along = {"TeamPosition_0", "TeamPts_0",     "TeamTotPoints_0", "NOTE_0",
                               "Swimmer_Name_0", "Swimmer_Dob_0", "Swimmer_Club_0",  "TeamTime_1"};
    for (const QString &next : along) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    // From the last entry of the heat the hidden rows are skipped.
    box(*sheet, "Swimmer_Club", 7)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Next_Event"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::accessibleNames_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");
    QTest::newRow("time") << "TeamTime_2"
                          << "Time 1:3";
    QTest::newRow("pos") << "TeamPosition_2"
                         << "Pos 1:3";
    QTest::newRow("pts") << "TeamPts_2"
                         << "Pts 1:3";
    QTest::newRow("total") << "TeamTotPoints_2"
                           << "Total 1:3";
    QTest::newRow("notes") << "NOTE_2"
                           << "Notes 1:3";
    QTest::newRow("name") << "Swimmer_Name_2"
                          << "Swimmer Name 1:3";
    QTest::newRow("dob") << "Swimmer_Dob_2"
                         << "Date of Birth 1:3";
    QTest::newRow("club") << "Swimmer_Club_2"
                          << "Club 1:3";
    QTest::newRow("bu") << "BU_2"
                        << "BU 1:3";
    QTest::newRow("second heat") << "Swimmer_Club_7"
                                 << "Club 2:4";
    QTest::newRow("event number") << "EvNo"
                                  << "Event Number";
    QTest::newRow("scores") << "DURUZ_IC_Scores"
                            << "Scores";
}

void TstSheetWindow::accessibleNames()
{
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    auto *w = child<QWidget>(*sheet, objectName);
    QVERIFY(w);
    QCOMPARE(w->accessibleName(), name);
}

void TstSheetWindow::laterEntriesDisabled()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    const QList<QPair<const char *, QStringList>> menus = {
        {"Print_Menu",
         {"Printsetup", "Print_Results", "Print_This_Result", "Print_Team_Results",
          "Print_TK_Sheets", "Announcer_List", "Position_Analysis"}},
        {"WEB_Menu", {"WEB_Results_Sheet", "WEB_Team_Results"}},
        {"Export_menu", {"Export_ASA_Rankings", "Data_for_Program"}}};
    for (const auto &[menuName, entries] : menus) {
        auto *menu = child<QMenu>(*sheet, QLatin1String(menuName));
        QVERIFY2(menu, menuName);
        QStringList names;
        for (QAction *a : menu->actions()) {
            names << a->objectName();
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        }
        QCOMPARE(names, entries);
    }
    for (const char *later : {"Command7", "HeatList", "Speeding"})
        QVERIFY2(!child<QPushButton>(*sheet, QLatin1String(later))->isEnabled(), later);
    for (const char *now :
         {"Next_Event", "Command3", "Command2", "Command8", "Command9", "Command6"})
        QVERIFY2(child<QPushButton>(*sheet, QLatin1String(now))->isEnabled(), now);
}

void TstSheetWindow::eventNumberLeftAndNextEvent()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    sheet->show();
    sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(sheet.get()));
    QTest::keyClicks(box(*sheet, "TeamTime", 0), QStringLiteral("40.00"));

    QLineEdit *evNo = child<QLineEdit>(*sheet, QStringLiteral("EvNo"));
    evNo->setFocus(Qt::OtherFocusReason);
    evNo->selectAll();
    QTest::keyClicks(evNo, QStringLiteral("12"));
    QTest::keyClick(evNo, Qt::Key_Tab); // leaving the box saves and shows event 12
    QCOMPARE(child<QLabel>(*sheet, QStringLiteral("EventDetails"))->text(),
             QStringLiteral("Event 12 Mixed Open 200m FSR"));
    QCOMPARE(box(*sheet, "TeamTime", 0)->text(), QString());
    QCOMPARE(desk.storedTime(1, 1, 1), QStringLiteral("40.00"));

    dialogs.expectMessage(QStringLiteral("This is the last event"));
    QTest::mouseClick(child<QPushButton>(*sheet, QStringLiteral("Next_Event")), Qt::LeftButton);
    QCOMPARE(evNo->text(), QStringLiteral("12"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::competitionScoresShown()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    QTest::keyClicks(box(*sheet, "TeamTime", 4), QStringLiteral("39.00"));
    dialogs.expectInput(QStringLiteral("Up to event number?"), QStringLiteral("1"));
    QTest::mouseClick(child<QPushButton>(*sheet, QStringLiteral("Command6")), Qt::LeftButton);

    auto *scores = child<QPlainTextEdit>(*sheet, QStringLiteral("DURUZ_IC_Scores"));
    const QString text = scores->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Age Group Competition to event number 1\n\n")));
    QVERIFY(text.contains(QStringLiteral("Harbourside B      7\n")));
    QVERIFY(text.contains(QStringLiteral("\nOverall Competition to event number 1\n")));
    QVERIFY(!text.contains(QStringLiteral("Castleton Guests")));
    QVERIFY(scores->isReadOnly());
    QCOMPARE(scores->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(scores->font().styleHint(), QFont::Monospace);
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::exitSaves()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    sheet->show();
    QTest::keyClicks(box(*sheet, "TeamTime", 6), QStringLiteral("41.25"));
    QCOMPARE(desk.storedRows(), 0);

    QTest::mouseClick(child<QPushButton>(*sheet, QStringLiteral("Command2")), Qt::LeftButton);

    QVERIFY(!sheet->isVisible());
    QCOMPARE(desk.storedRows(), 8 * 12);
    QCOMPARE(desk.storedTime(1, 2, 3), QStringLiteral("41.25"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::frameCloseSaves()
{
    Desk desk;
    ScriptedDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    sheet->show();
    QTest::keyClicks(box(*sheet, "TeamTime", 3), QStringLiteral("45.00"));

    QVERIFY(sheet->close());

    QCOMPARE(desk.storedTime(1, 1, 4), QStringLiteral("45.00"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::failedSaveKeepsSheetOpen()
{
    Desk desk;
    NotingDialogs dialogs;
    auto sheet = desk.open(dialogs);
    QVERIFY(sheet);
    sheet->show();
    QTest::keyClicks(box(*sheet, "TeamTime", 0), QStringLiteral("40.00"));
    // Another program takes the results table away under the desk.
    Database(desk.file.path).execute(QStringLiteral("DROP TABLE Gala_Record"));

    QVERIFY(!sheet->close());
    QTest::mouseClick(child<QPushButton>(*sheet, QStringLiteral("Command2")), Qt::LeftButton);

    QVERIFY(sheet->isVisible());
    QCOMPARE(dialogs.messages.size(), 2); // one per refused save
    QCOMPARE(box(*sheet, "TeamTime", 0)->text(), QStringLiteral("40.00"));
    QCOMPARE(desk.gala.LaneTime(1, 1), QStringLiteral("40.00"));
}

void TstSheetWindow::recordResultsShowsTheSheet()
{
    Desk desk;
    ScriptedDialogs dialogs;
    QString caption;
    bool driven = false;
    QObject scope; // ends the timers with the test
    // The sheet is modal: drive it once its own event loop runs.
    std::function<void()> drive = [&] {
        auto *sheet = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!sheet) {
            QTimer::singleShot(10, &scope, drive);
            return;
        }
        driven = true;
        caption = sheet->windowTitle();
        QTest::keyClicks(box(*sheet, "TeamTime", 0), QStringLiteral("39.5"));
        QTest::mouseClick(child<QPushButton>(*sheet, QStringLiteral("Command2")), Qt::LeftButton);
    };
    QTimer::singleShot(0, &scope, drive);

    RecordResults(desk.shared, desk.gala, dialogs, nullptr);

    QVERIFY(driven);
    QCOMPARE(caption, QStringLiteral("Gala Recording : Harbourside Junior Team Gala"));
    QCOMPARE(desk.storedTime(1, 1, 1), QStringLiteral("39.5"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstSheetWindow::refusedGalaShowsNoSheet()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("NONE");
    ScriptedDialogs dialogs;
    dialogs.expectMessage(QStringLiteral("Gala program empty"));
    bool shown = false;
    // Should a sheet appear after all, note it and leave it so the test ends.
    QObject scope; // ends the timer with the test
    QTimer::singleShot(50, &scope, [&] {
        if (auto *sheet = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            shown = true;
            sheet->done(QDialog::Rejected);
        }
    });

    RecordResults(desk.shared, desk.gala, dialogs, nullptr);

    QVERIFY(!shown);
    QVERIFY(desk.shared.GalaDb); // the set-up screen goes on using it
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

QTEST_MAIN(TstSheetWindow)
#include "tst_sheetwindow.moc"
