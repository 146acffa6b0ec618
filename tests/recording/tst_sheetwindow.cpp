#include "recording/GalaRecSheet.h"
#include "tests/recording/RecordingFixture.h"
#include "tests/support/DataRow.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// The demonstration gala opened on a recording sheet.
struct Desk : DemoSheet
{
    OpenedGala opened; // holds the online-times database the sheet uses
    std::unique_ptr<GalaRecSheet> sheet;

    explicit Desk(Dialogs *answers = nullptr)
    {
        Dialogs &d = answers ? *answers : dialogs;
        opened = OpenGala(shared, gala, d);
        if (opened.opened())
            sheet = std::make_unique<GalaRecSheet>(shared, gala, d,
                                                   opened.OnlineOn ? &opened.online : nullptr);
    }
    template <typename W = QPushButton> W *child(const QString &name) const
    {
        return sheet->findChild<W *>(name);
    }
    QLineEdit *box(const char *design, int row) const
    {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(design)).arg(row));
    }
    // Text put into a box the way a screen reader or dictation tool does.
    void speak(QWidget *box, const QString &text) const
    {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(box);
        QVERIFY(a && a->editableTextInterface());
        a->editableTextInterface()->replaceText(0, a->textInterface()->characterCount(), text);
    }
    void leave(QWidget *box) const
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
    QString heading() const { return child<QLabel>(QStringLiteral("EventDetails"))->text(); }
};

} // namespace

class TstSheetWindow : public QObject
{
    Q_OBJECT
private slots:
    void typedTimesRankAcrossHeatsAndNamedControls()
    {
        Desk desk;
        const QStringList captions = {"1:1", "1:2", "1:3", "1:4", "2:1", "2:2", "2:3", "2:4"};
        for (int r = 0; r < SheetModel::Rows; ++r) {
            QCOMPARE(desk.child<QLabel>(QStringLiteral("Lane_%1").arg(r))->text(),
                     captions.value(r));
            QCOMPARE(desk.box("Swimmer_Club", r)->isHidden(), r >= 8);
        }
        // Event 1 has the grade time 38.00; the guests in 2:4 swim for no points.
        const QStringList typed = {"40.5", "37.00", "41", "", "", "39.00", "", "38.50"};
        for (int r = 0; r < 8; ++r)
            QTest::keyClicks(desk.box("TeamTime", r), typed[r]);
        const QStringList positions = {"2", "TF", "3", "", "", "1", "", ""};
        for (int r = 0; r < 8; ++r)
            QCOMPARE(desk.box("TeamPosition", r)->text(), positions[r]);
        QCOMPARE(desk.box("TeamTotPoints", 5)->text(), QStringLiteral(" 7"));

        desk.dialogs.expectInput(QStringLiteral("Up to event number?"), QStringLiteral("1"));
        QTest::mouseClick(desk.child(QStringLiteral("Command6")), Qt::LeftButton);
        QVERIFY(desk.child<QPlainTextEdit>(QStringLiteral("DURUZ_IC_Scores"))
                    ->toPlainText()
                    .contains(QStringLiteral("\nAshford B          7\n")));
        for (const char *pair :
             {"TeamTime_2=Time 1:3", "Swimmer_Dob_2=Date of Birth 1:3", "Swimmer_Club_7=Club 2:4",
              "BU_2=BU 1:3", "EvNo=Event Number", "DURUZ_IC_Scores=Scores"}) {
            const QStringList named = QString::fromLatin1(pair).split(QLatin1Char('='));
            QCOMPARE(desk.child<QWidget>(named[0])->accessibleName(), named[1]);
        }
        // Printing, web pages and exports are all offered.
        for (const char *menu : {"Print_Menu", "WEB_Menu", "Export_menu"}) {
            const auto actions = desk.child<QMenu>(QLatin1String(menu))->actions();
            QVERIFY(!actions.isEmpty());
            for (QAction *a : actions)
                QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        }
    }

    void tabRunsAlongRowsThenDown()
    {
        Desk desk;
        desk.sheet->show();
        desk.sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(desk.sheet.get()));
        desk.box("TeamTime", 0)->setFocus(Qt::OtherFocusReason);
        for (const char *next :
             {"TeamPosition_0", "TeamPts_0", "TeamTotPoints_0", "NOTE_0", "Swimmer_Name_0",
              "Swimmer_Dob_0", "Swimmer_Club_0", "TeamTime_1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
        // From the last entry the hidden rows are skipped.
        desk.box("Swimmer_Club", 7)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Next_Event"));
    }

    void leavingSaves_data()
    {
        QTest::addColumn<bool>("byExit");
        DataRow("Exit", true);
        DataRow("frame close", false);
    }
    void leavingSaves()
    {
        QFETCH(bool, byExit);
        Desk desk;
        desk.sheet->show();
        QTest::keyClicks(desk.box("TeamTime", 6), QStringLiteral("41.25"));
        QVERIFY(galaRows(*desk.shared.GalaDb, desk.shared.ProgCode).isEmpty());
        if (byExit)
            QTest::mouseClick(desk.child(QStringLiteral("Command2")), Qt::LeftButton);
        else
            QVERIFY(desk.sheet->close());
        QVERIFY(!desk.sheet->isVisible());
        const QStringList rows = galaRows(*desk.shared.GalaDb, desk.shared.ProgCode);
        QCOMPARE(rows.size(), 96);
        QCOMPARE(rows[6 * 12].section(QLatin1Char('|'), 4, 4), QStringLiteral("41.25")); // 2:3
    }

    void eventNumberBoxSavesAndGuardsTheRows()
    {
        Desk desk;
        desk.speak(desk.box("TeamTime", 5), QStringLiteral("39.00"));
        QCOMPARE(desk.box("TeamPosition", 5)->text(), QStringLiteral("1"));
        // Leaving the event number box saves event 1 and shows the spoken event.
        QLineEdit *evNo = desk.child<QLineEdit>(QStringLiteral("EvNo"));
        desk.speak(evNo, QStringLiteral("3"));
        desk.leave(evNo);
        QVERIFY(desk.heading().startsWith(QLatin1String("Event 3 ")));
        QCOMPARE(galaRows(*desk.shared.GalaDb, desk.shared.ProgCode)
                     .value(5 * 12)
                     .section(QLatin1Char('|'), 4, 5),
                 QStringLiteral("39.00|1"));

        // Rows take no typing while the box holds no event of the programme.
        desk.dialogs.expectMessage(QStringLiteral("Invalid Event Number"));
        evNo->setText(QStringLiteral("40"));
        desk.leave(evNo);
        QCOMPARE(desk.heading(), QStringLiteral("Invalid Event Number"));
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("39.00"));
        QCOMPARE(desk.box("TeamTime", 0)->text(), QString());
        evNo->setText(QStringLiteral("2"));
        desk.leave(evNo);
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("39.00"));
        QCOMPARE(desk.gala.LaneTime(2, 1), QStringLiteral("39.00"));
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }

    void failedSaveKeepsSheetOpen()
    {
        NotingDialogs dialogs;
        Desk desk(&dialogs);
        desk.sheet->show();
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("40.00"));
        // Another program takes the results table away under the desk.
        Database(desk.file.path).execute(QStringLiteral("DROP TABLE Gala_Record"));
        dialogs.answer = false; // stay and keep the typed results
        QVERIFY(!desk.sheet->close());
        QTest::mouseClick(desk.child(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(desk.sheet->isVisible());
        QCOMPARE(dialogs.messages.size(), 2); // one per refused save
        QCOMPARE(dialogs.questions.size(), 2);
        QCOMPARE(desk.box("TeamTime", 0)->text(), QStringLiteral("40.00"));
        dialogs.answer = true; // the official chooses to leave all the same
        QVERIFY(desk.sheet->close());
    }
};

QTEST_MAIN(TstSheetWindow)
#include "tst_sheetwindow.moc"
