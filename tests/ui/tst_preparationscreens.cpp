#include "core/live/LivePublisher.h"
#include "core/sheet/SaveHistory.h"
#include "core/sheet/SaveResults.h"
#include "core/sheet/SheetModel.h"
#include "tests/core/preparation/Desk.h"
#include "ui/EventDetails.h"
#include "ui/GalaRecSetup.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

using namespace Drive;

// The preparation screens bound to their rules, and the whole preparation of
// a gala through them.
class TstPreparationScreens : public QObject
{
    Q_OBJECT
private slots:
    // From a blank gala database to a gala ready for recording, through the
    // screens in the order an official uses them.
    void blankDatabaseToReadyGala()
    {
        Desk desk(false);
        GalaRecSetup setup(desk.shared, desk.gala, desk.dialogs);
        setup.setModalRunner([](QDialog &d) {
            type(&d, "GCode", "SPRING");
            type(&d, "GDescription", "Spring League");
            type(&d, "GNotes", "Round 1");
            click(&d, "Command1");
            click(&d, "Command1"); // the same code again is refused, in another case not
            type(&d, "GCode", "spring");
            click(&d, "Command1");
            return QDialog::Accepted;
        });
        desk.dialogs.expectMessage("You have already used this gala code");
        click(&setup, "Command2");
        // The list of codes is read when the screen opens.
        GalaRecSetup again(desk.shared, desk.gala, desk.dialogs);
        int sheets = 0;
        again.setSheetOpener([&] { ++sheets; });
        choose(&again, "MeetCodeList", "SPRING");

        again.setModalRunner([](QDialog &d) {
            type(&d, "GDate", "18/04/27");
            type(&d, "GPool", "Ashford Pool");
            type(&d, "GPromoter", "Ashford SC");
            type(&d, "GLength", "25m");
            click(&d, "GGraded");
            click(&d, "Command1");
            click(&d, "Command1"); // a second click stores the date again
            return QDialog::Accepted;
        });
        click(&again, "Command3");

        // Events typed box by box, so leaving the limit time box writes it out. Insert and
        // Delete act on the selected line only: a stray first event is deleted, the second
        // inserted before the third.
        again.setModalRunner([](QDialog &d) {
            auto *list = child<QListWidget>(&d, "ProgList");
            const QStringList boxes = {"PEventNo", "PSexAge", "PDistance",
                                       "PStroke",  "PTime",   "PScoring"};
            d.show();
            if (!QTest::qWaitForWindowActive(&d))
                qFatal("the programme editor never became active");
            for (const char *line :
                 {"0,Warm,,,,", "1,G10,50,FS,38,", "3,Mixed,200,FSR,2:40,2X", "2,B10,50,BK,,"}) {
                const QStringList e = QString::fromLatin1(line).split(QLatin1Char(','));
                for (int i = 0; i < 6; ++i) {
                    child(&d, boxes[i])->setFocus();
                    type(&d, boxes[i], e[i]);
                }
                child(&d, "PEventNo")->setFocus();
                click(&d, "Command3"); // nothing selected: neither inserts nor deletes
                click(&d, "Command2");
                list->setCurrentRow(2);
                click(&d, e[0] == "2" ? "Command3" : "Command1");
            }
            list->setCurrentRow(0);
            click(&d, "Command2");
            click(&d, "Db_Save");
            return QDialog::Accepted;
        });
        click(&again, "ProgCreate");
        QCOMPARE(shown(&again, "MeetDetails"),
                 QStringLiteral("Spring League\nRound 1\nNumber of event= 3"));
        choose(&again, "GalaDateBox", "18/04/27");
        desk.dialogs.expectMessage("No teams currently entered");
        click(&again, "RecordResults");

        // Two heats of three lanes: lane 2 of heat 1 empty, lane 3 of heat 2 for no points.
        // Entered again, closing the second heat's form cancels and keeps them.
        QStringList titles;
        again.setModalRunner([&](QDialog &d) {
            titles << d.windowTitle();
            const bool odd = titles.size() % 2;
            const QStringList names = odd ? QStringList{"Ashford", "", "Castleton"}
                                          : QStringList{"Ashford B", "Bramley", "Guests"};
            for (int i = 0; i < 3; ++i)
                type(&d, QStringLiteral("TeamName_%1").arg(i), names[i]);
            click(&d, odd ? "NoTeam_1" : "NonScoring_2");
            d.show();
            if (titles.size() == 4)
                d.close();
            else
                click(&d, "Command1");
            return d.result();
        });
        desk.dialogs.expectInput("How many lanes in pool?", "3")
            .expectInput("How many heats per event?", "2")
            .expectInput("How many lanes in pool?", "3")
            .expectInput("How many heats per event?", "3")
            .expectMessage("Team entry cancelled: the stored teams have not been changed");
        click(&again, "Command6");
        QCOMPARE(shown(&again, "GalaDetails"),
                 QStringLiteral("18/04/27 Ashford SC TIME GRADED GALA\n5 teams entered"));
        click(&again, "Command6");
        // No third heat is asked for; the heat number has the leading blank of a number text.
        QCOMPARE(titles, (QStringList{"Enter Teams for Heat  1", "Enter Teams for Heat  2",
                                      "Enter Teams for Heat  1", "Enter Teams for Heat  2"}));
        click(&again, "RecordResults");
        QCOMPARE(sheets, 1);

        // What the recording sheet will find.
        QCOMPARE(desk.records("Gala_Name", {"Program code"}), (QStringList{"SPRING", "spring"}));
        QCOMPARE(desk.records("Gala_Date", {"Program code", "Date", "Pool Name", "Promoter",
                                            "Pool Length", "Graded"}),
                 QStringList(2, "SPRING|2027-04-18|Ashford Pool|Ashford SC|25|true"));
        QCOMPARE(desk.records("Gala_Program", {"Program code", "Event No", "Sex age", "Distance",
                                               "Stroke", "Time", "Scoring"}),
                 (QStringList{"SPRING|1|G10|50|FS|38.00|", "SPRING|2|B10|50|BK||",
                              "SPRING|3|Mixed|200|FSR|2:40.00|2X"}));
        QCOMPARE(desk.teams(),
                 (QStringList{"1|1|Ashford|true", "1|3|Castleton|true", "2|1|Ashford B|true",
                              "2|2|Bramley|true", "2|3|Guests|false"}));
    }

    // An earlier save made current again from the set-up screen, with the
    // second copy written after it and the live results following it. The
    // ticks and folders are what the settings will remember; a cancelled
    // chooser keeps the folder.
    void restorePreviousSaveWithSecondCopyAndPublishing()
    {
        Desk desk;
        GalaState gala;
        gala.NoOfEvents = gala.NoOfTeams = 1;
        gala.resizeEvents(1);
        gala.resizeTeams(1);
        gala.EventNo[1] = "1";
        gala.TeamHeat[1] = gala.TeamLane[1] = 1;
        for (const char *time : {"31.00", "32.00"}) {
            gala.LaneTime(1, 1) = time;
            ResultStore::SaveResults(desk.db(), "DEMO", "12/10/26", gala,
                                     {SaveAction::NextEvent, "4"});
        }
        QTemporaryDir stick, live;
        desk.shared.PublishFolder = QStringLiteral("/srv/old/");
        desk.shared.ContactEmail = "desk@harbourside.example"; // the Lenex file is published too
        GalaRecSetup setup(desk.shared, desk.gala, desk.dialogs);
        click(&setup, "SecondCopyYes");
        desk.dialogs.expectChooser("Select Folder for the Second Copy", stick.path() + "/", "x");
        click(&setup, "SecondCopyBrowse");
        QCOMPARE(child<QLineEdit>(&setup, "SecondCopyFolder")->text(), stick.path());
        auto *box = child<QLineEdit>(&setup, "PublishFolder");
        QCOMPARE(child(&setup, "PublishYes")->accessibleName(),
                 QStringLiteral("Publish results to folder"));
        QVERIFY(!box->isVisibleTo(&setup));
        click(&setup, "PublishYes");
        QVERIFY(box->isVisibleTo(&setup));
        QCOMPARE(box->text(), QStringLiteral("/srv/old/"));
        desk.dialogs.expectChooser("Select Folder to Publish Results", live.path() + "/", "x")
            .expectChooser("Select Folder to Publish Results", "", "")
            .expectMessage("No folder selected");
        click(&setup, "PublishBrowse");
        click(&setup, "PublishBrowse"); // cancelled: the folder stays
        QCOMPARE(box->text(), live.path() + "/");

        desk.dialogs.expectMessage("Choose the Meet Code and the Gala Date first");
        click(&setup, "RestorePreviousSave");
        choose(&setup, "MeetCodeList", "DEMO");
        choose(&setup, "GalaDateBox", "14/09/26");
        QCOMPARE(shown(&setup, "GalaDetails"),
                 QStringLiteral("14/09/26 Harbourside SC\nNo teams currently entered"));
        choose(&setup, "GalaDateBox", "12/10/26");
        const QList<SaveHistory::Entry> saves = SaveHistory::List(desk.db(), "DEMO", "12/10/26");
        QCOMPARE(saves.size(), 2);
        const QString when = saves[1].savedAt.toString("dd/MM/yy HH:mm:ss");
        QStringList older; // the columns the list shows for the older save
        setup.setModalRunner([&](QDialog &d) {
            auto *list = child<QTreeWidget>(&d, "SaveList");
            for (int c = 0; c < list->columnCount(); ++c)
                older << list->topLevelItem(1)->text(c);
            click(&d, "Restore"); // the newest is selected: answered No
            list->setCurrentItem(list->topLevelItem(1));
            click(&d, "Restore");
            return d.result();
        });
        const QString question = "Make the save of %1 (Next Event) the current results of DEMO "
                                 "12/10/26? The results stored now are kept as a save of their "
                                 "own.";
        desk.dialogs
            .expectYesNoDefaultNo(question.arg(saves[0].savedAt.toString("dd/MM/yy HH:mm:ss")),
                                  false)
            .expectYesNoDefaultNo(question.arg(when), true);
        click(&setup, "RestorePreviousSave");
        QCOMPARE(older.join('|'), when + "|Next Event|4|1");
        QVERIFY(desk.shared.Copy.waitForIdle(10000));
        QCOMPARE(desk.records("Gala_Record", {"Program code", "Lane Time"}),
                 (QStringList{"backup|32.00", "DEMO|31.00"}));
        Database copy(SecondCopy::copyPath(desk.file.path, stick.path()));
        QCOMPARE(Desk::recordsOf(copy, "Gala_Record", {"Program code", "Lane Time"}),
                 (QStringList{"backup|32.00", "DEMO|31.00"}));
        desk.shared.Publishing->waitForIdle();
        QFile published(live.filePath("results.json"));
        QVERIFY(published.open(QIODevice::ReadOnly));
        const QByteArray data = published.readAll();
        QVERIFY2(data.contains("\"31.00\"") && !data.contains("\"32.00\""), data.constData());
        click(&setup, "PublishYes");
        QVERIFY(!desk.shared.PublishOn && !box->isVisibleTo(&setup));
    }
};

QTEST_MAIN(TstPreparationScreens)
#include "tst_preparationscreens.moc"
