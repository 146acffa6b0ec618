#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"
#include "tests/support/DataRow.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"
#include "ui/FileInfo.h"
#include "ui/GalaRecIntro.h"
#include "ui/YesNo.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// The start screen, chooser and yes/no screen as the official drives them.
class TstFoundationScreens : public QObject
{
    Q_OBJECT
private slots:
    void startScreenEnterAndExit()
    {
        TestGala gala(true);
        QTemporaryDir dir;
        SharedState shared;
        ScriptedDialogs dialogs;
        GalaRecIntro intro(shared, dialogs, UserFolders(dir.path()));
        intro.show();
        auto *dbName = intro.findChild<QLineEdit *>("DbName");
        QCOMPARE(dbName->accessibleName(), QString("Gala Recording Database Filename"));
        QCOMPARE(dbName->text(), dir.filePath("gala_record.mdb"));
        int setUps = 0;
        intro.openSetUp = [&] {
            ++setUps;
            QVERIFY(!intro.isVisible());
            QVERIFY(shared.GalaDbOpen);
            shared.ProgCode = "DEMO";
        };
        dbName->clear();
        QTest::keyClicks(dbName, gala.path);
        QTest::keyClick(dbName, Qt::Key_Return);
        QCOMPARE(setUps, 1);
        QVERIFY(intro.isVisible());
        intro.findChild<QPushButton *>("Command4")->click(); // Exit
        const Settings s = SettingsFile::read(dir.filePath("aqrecord.ini"));
        QCOMPARE(s.ProgCode, QString("DEMO"));
        QVERIFY2(dialogs.finished(), dialogs.faults());
    }

    void chooserTypedNameAndOk()
    {
        QTemporaryDir dir;
        QVERIFY(PBUTIL::WriteTextFile(dir.filePath("a.txt"), {"x"}));
        FileInfo screen;
        FileChoice choice{"Open output file", dir.path() + "/", "", false, {}};
        QString newFolderShown;
        QTimer::singleShot(0, &screen, [&] {
            QCOMPARE(screen.windowTitle(), QString("Open output file"));
            QCOMPARE(screen.findChild<QListWidget *>("FileListBox")->count(), 1);
            auto *box = screen.findChild<QLineEdit *>("TextBox");
            QCOMPARE(box->selectedText(), QString("*.*"));
            // A folder for the new files, made and opened from the chooser
            // (checked once the chooser has closed, so a failure cannot hang it).
            QTest::keyClicks(box, "web pages");
            auto *newFolder = screen.findChild<QPushButton *>("NewFolder");
            newFolderShown = newFolder->isVisible() ? newFolder->accessibleName() : QString();
            QTest::mouseClick(newFolder, Qt::LeftButton);
            QTest::keyClicks(box, "results.htm"); // replaces the selected pattern
            QTest::keyClick(box, Qt::Key_Return); // OK is the default button
        });
        screen.choose(choice);
        QCOMPARE(newFolderShown, QString("New Folder"));
        QCOMPARE(choice.path(), dir.filePath("web pages/results.htm"));
    }

    void yesNoAnswers_data()
    {
        // One screen asks questions with the defaults No, Yes, No in turn, as the program keeps it.
        QTest::addColumn<QString>("button"); // pressed; "" the window frame
        QTest::addColumn<QString>("answers");
        DataRow("yes", "Command1", "YYY");
        DataRow("window frame", "", "NNN");
        DataRow("Enter takes the default", "Enter", "NYN");
    }
    void yesNoAnswers()
    {
        QFETCH(QString, button);
        YesNo screen;
        QString answers;
        for (const YesNo::Default d : {YesNo::DefaultNo, YesNo::DefaultYes, YesNo::DefaultNo}) {
            QTimer::singleShot(0, &screen, [&] {
                if (button.isEmpty())
                    screen.close();
                else if (button == "Enter")
                    QTest::keyClick(&screen, Qt::Key_Return);
                else
                    screen.findChild<QPushButton *>(button)->click();
            });
            answers += screen.ask("Overwrite existing programme details?", d) ? 'Y' : 'N';
        }
        QTEST(answers, "answers");
    }
};

QTEST_MAIN(TstFoundationScreens)
#include "tst_foundationscreens.moc"
