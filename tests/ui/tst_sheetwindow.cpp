#include "tests/core/sheet/RecordingFixture.h"
#include "tests/support/DataRow.h"
#include "ui/GalaRecSheet.h"

#include <QtWidgets>

namespace {

const QString AnnouncerOff =
    QStringLiteral("The announcer screen is off: nothing was sent. Tick \"Announcer Screen\" on "
                   "the Gala Recording Set-Up screen to switch it on.");

// The demonstration gala opened on a recording sheet.
struct Desk : DemoSheet
{
    OpenedGala opened = OpenGala(shared, gala, dialogs); // holds the online-times database
    GalaRecSheet sheet{shared, gala, dialogs, opened.OnlineOn ? &opened.online : nullptr};
    template <typename W = QPushButton> W *child(const QString &name) const
    {
        return sheet.findChild<W *>(name);
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
};

} // namespace

class TstSheetWindow : public QObject
{
    Q_OBJECT
private slots:
    void typedAndSpokenTextIsRankedSavedAndGuardedUntilLeaving()
    {
        Desk desk;
        QCOMPARE(desk.child<QLabel>(QStringLiteral("Lane_4"))->text(), QStringLiteral("2:1"));
        // Event 1 has the grade time 38.00: 37.00 is too fast for a place.
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("40.5"));
        QTest::keyClicks(desk.box("TeamTime", 1), QStringLiteral("37.00"));
        desk.speak(desk.box("TeamTime", 5), QStringLiteral("39.00"));
        QCOMPARE(desk.box("TeamPosition", 0)->text() + desk.box("TeamPosition", 1)->text() +
                     desk.box("TeamPosition", 5)->text(),
                 QStringLiteral("2TF1"));
        QCOMPARE(desk.box("TeamTotPoints", 5)->text(), QStringLiteral(" 7"));

        desk.dialogs.expectInput(QStringLiteral("Up to event number?"), QStringLiteral("1"))
            .expectMessage(AnnouncerOff);
        QTest::mouseClick(desk.child(QStringLiteral("Command6")), Qt::LeftButton);
        QVERIFY(desk.child<QPlainTextEdit>("DURUZ_IC_Scores")
                    ->toPlainText()
                    .contains("\nAshford B          7\n"));
        for (const char *pair : {"Swimmer_Club_7=Club 2:4", "BU_2=BU 1:3", "EvNo=Event Number",
                                 "DURUZ_IC_Scores=Scores"}) {
            const QStringList named = QString::fromLatin1(pair).split(QLatin1Char('='));
            QCOMPARE(desk.child<QWidget>(named[0])->accessibleName(), named[1]);
        }
        // Leaving the event number box saves event 1 and shows the spoken event.
        const auto stored = [&](int row) { // time and position; row (t - 1) * 12 + e - 1
            return galaRows(*desk.shared.GalaDb, "DEMO").value(row).section('|', 4, 5);
        };
        QLineEdit *evNo = desk.child<QLineEdit>(QStringLiteral("EvNo"));
        desk.speak(evNo, QStringLiteral("3"));
        desk.leave(evNo);
        QVERIFY(desk.child<QLabel>("EventDetails")->text().startsWith("Event 3 "));
        QCOMPARE(stored(5 * 12), QStringLiteral("39.00|1"));

        // Rows take no typing while the box holds no event of the programme.
        desk.dialogs.expectMessage(QStringLiteral("Invalid Event Number"));
        evNo->setText(QStringLiteral("40"));
        desk.leave(evNo);
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("39.00"));
        QCOMPARE(desk.box("TeamTime", 0)->text(), QString());
        evNo->setText(QStringLiteral("2"));
        desk.leave(evNo);
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("39.00"));

        // Typing stores nothing yet. While the results cannot be stored, leaving asks
        // first and No keeps the sheet with the typed time; once they can, Exit saves.
        QCOMPARE(stored(1), QStringLiteral("|0"));
        desk.sheet.show();
        desk.shared.GalaDb->execute("CREATE TRIGGER refuse BEFORE INSERT ON Gala_Record BEGIN "
                                    "SELECT RAISE(ABORT, 'locked'); END");
        const QString failed = QStringLiteral("Results not saved: locked (Gala_Record)"),
                      leave = QStringLiteral("The results could not be saved. Leave the "
                                             "recording sheet without saving them?");
        desk.dialogs.expectMessage(failed).expectYesNoDefaultNo(leave, false);
        desk.dialogs.expectMessage(failed).expectYesNoDefaultNo(leave, false);
        QVERIFY(!desk.sheet.close());
        QTest::mouseClick(desk.child(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(desk.sheet.isVisible());
        QCOMPARE(desk.box("TeamTime", 0)->text(), QStringLiteral("39.00"));
        desk.shared.GalaDb->execute(QStringLiteral("DROP TRIGGER refuse"));
        QTest::mouseClick(desk.child(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(!desk.sheet.isVisible());
        QCOMPARE(stored(1), QStringLiteral("39.00|1"));
    }

    // Enter and Down go to the next lane, Up to the one before, each leaving
    // the box as Tab does; Enter in the event number shows the event; the
    // first lane's time box has the focus whenever an event comes up.
    void keyboardFlowsDownTheLanes()
    {
        Desk desk;
        desk.sheet.show();
        desk.sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&desk.sheet));
        const auto focus = [] { return QApplication::focusWidget()->objectName(); };
        const auto key = [&](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
        QCOMPARE(focus(), QStringLiteral("TeamTime_0"));
        QTest::keyClicks(desk.box("TeamTime", 0), QStringLiteral("40.5"));
        key(Qt::Key_Return);
        QTest::keyClicks(desk.box("TeamTime", 1), QStringLiteral("38.5"));
        key(Qt::Key_Down);
        QTest::keyClicks(desk.box("TeamTime", 2), QStringLiteral("abc"));
        key(Qt::Key_Enter);
        QCOMPARE(focus(), QStringLiteral("TeamTime_3"));
        // Each box was left: the times are written out and the event ranked.
        QCOMPARE(desk.box("TeamTime", 0)->text() + ' ' + desk.box("TeamTime", 1)->text(),
                 QStringLiteral("40.50 38.50"));
        QCOMPARE(desk.box("TeamPosition", 0)->text() + desk.box("TeamPosition", 1)->text() +
                     desk.box("TeamPosition", 2)->text(),
                 QStringLiteral("21"));
        // Words in a time box are kept and said to count as no swim, without a message box.
        QCOMPARE(desk.box("TeamTime", 2)->text(), QStringLiteral("abc"));
        QCOMPARE(desk.child<QLabel>("Hint")->text(),
                 QStringLiteral("\"abc\" in heat 1 lane 3 is not a time: it counts as no swim."));
        QStringList visited;
        for (int k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}) {
            key(k);
            visited << focus();
        }
        QCOMPARE(visited, (QStringList{"TeamTime_2", "TeamTime_1", "TeamTime_0", "TeamTime_0"}));
        QCOMPARE(desk.child<QLabel>("Hint")->text(), QString()); // a time left this time
        // The next lane's time typed one box too far, key by key: the "4" on the way
        // scores nothing, and the box goes back to the place it held.
        QLineEdit *position = desk.box("TeamPosition", 0);
        position->setFocus(Qt::TabFocusReason);
        position->selectAll();
        desk.dialogs.expectMessage(QStringLiteral("Position 45 is out of range: positions run "
                                                  "from 1 to 7, the number of scoring teams."));
        QTest::keyClicks(position, QStringLiteral("45"));
        QCOMPARE(position->text() + '|' + desk.box("TeamPts", 0)->text(), QStringLiteral("2| 6"));
        // The swimmer names the same way, to the last lane shown and no further; Tab
        // still runs along the lane.
        desk.box("Swimmer_Name", 6)->setFocus(Qt::MouseFocusReason);
        key(Qt::Key_Return);
        key(Qt::Key_Down);
        QCOMPARE(focus(), QStringLiteral("Swimmer_Name_7"));
        key(Qt::Key_Up);
        key(Qt::Key_Tab);
        QCOMPARE(focus(), QStringLiteral("Swimmer_Dob_6"));

        QLineEdit *evNo = desk.child<QLineEdit>(QStringLiteral("EvNo"));
        evNo->setFocus(Qt::MouseFocusReason);
        evNo->selectAll();
        QTest::keyClicks(evNo, QStringLiteral("3"));
        key(Qt::Key_Return);
        QVERIFY(desk.child<QLabel>("EventDetails")->text().startsWith("Event 3 "));
        QCOMPARE(focus(), QStringLiteral("TeamTime_0"));
        desk.child(QStringLiteral("Next_Event"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(desk.child(QStringLiteral("Next_Event")), Qt::Key_Space);
        QVERIFY(desk.child<QLabel>("EventDetails")->text().startsWith("Event 4 "));
        QCOMPARE(focus(), QStringLiteral("TeamTime_0"));

        // With the announcer screen off, its buttons say so and where to switch it on.
        for (const char *name : {"Command8", "Command9", "HeatList"}) {
            desk.dialogs.expectMessage(AnnouncerOff);
            QTest::mouseClick(desk.child(QLatin1String(name)), Qt::LeftButton);
        }
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    }
};

QTEST_MAIN(TstSheetWindow)
#include "tst_sheetwindow.moc"
