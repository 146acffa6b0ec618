#include "foundation/FileInfo.h"
#include "foundation/PbUtil.h"
#include "foundation/YesNo.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The real chooser and yes/no screens driven by the keyboard and mouse.
class TstDialogScreens : public QObject
{
    Q_OBJECT
private slots:
    void chooserTypedNameAndOk();
    void chooserKeepsListsBetweenUses();
    void yesNoAnswers_data();
    void yesNoAnswers();
};

void TstDialogScreens::chooserTypedNameAndOk()
{
    QTemporaryDir dir;
    QVERIFY(PBUTIL::WriteTextFile(dir.filePath("a.txt"), {"x"}).isEmpty());
    FileInfo screen;
    QCOMPARE(screen.findChild<QLineEdit *>("TextBox")->accessibleName(), QString("File Name"));
    QCOMPARE(screen.findChild<QListWidget *>("FileListBox")->accessibleName(), QString("Files"));
    QCOMPARE(screen.findChild<QListWidget *>("DirsBox")->accessibleName(), QString("Directories"));
    FileChoice choice{"Open output file", dir.path() + "/", "", false};
    QTimer::singleShot(0, &screen, [&] {
        QCOMPARE(screen.windowTitle(), QString("Open output file"));
        QCOMPARE(screen.findChild<QListWidget *>("FileListBox")->count(), 1);
        auto *box = screen.findChild<QLineEdit *>("TextBox");
        QCOMPARE(box->selectedText(), QString("*.*"));
        QTest::keyClicks(box, "results.htm"); // replaces the selected pattern
        screen.findChild<QPushButton *>("DlgButton_0")->click();
    });
    screen.choose(choice);
    QCOMPARE(choice.SelectedDir, dir.path() + "/");
    QCOMPARE(choice.SelectedFile, QString("results.htm"));
}

void TstDialogScreens::chooserKeepsListsBetweenUses()
{
    QTemporaryDir dir;
    QVERIFY(PBUTIL::WriteTextFile(dir.filePath("gala.mdb"), {"x"}).isEmpty());
    QVERIFY(PBUTIL::WriteTextFile(dir.filePath("notes.txt"), {"x"}).isEmpty());
    FileInfo screen;
    FileChoice choice{"Select", dir.path(), "", true};
    QTimer::singleShot(0, &screen, [&] {
        auto *box = screen.findChild<QLineEdit *>("TextBox");
        QTest::keyClicks(box, "*.mdb");
        QTest::keyClick(box, Qt::Key_Return); // OK is the default button
        QCOMPARE(screen.findChild<QListWidget *>("FileListBox")->count(), 1);
        screen.findChild<QPushButton *>("DlgButton_1")->click();
    });
    screen.choose(choice);
    QCOMPARE(choice.path(), QString());
    // Shown again with no folder given, it opens where it was left.
    FileChoice again{"Select", "", "", true};
    QTimer::singleShot(0, &screen, [&] {
        QCOMPARE(screen.findChild<QLabel *>("PathSpec")->text(), dir.path());
        auto *files = screen.findChild<QListWidget *>("FileListBox");
        QCOMPARE(files->count(), 1);
        emit files->itemActivated(files->item(0));
    });
    screen.choose(again);
    QCOMPARE(again.path(), dir.filePath("gala.mdb"));
}

void TstDialogScreens::yesNoAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << "Command1" << true;
    QTest::newRow("no") << "Command2" << false;
    QTest::newRow("window frame") << "" << false;
}

void TstDialogScreens::yesNoAnswers()
{
    QFETCH(QString, button);
    QFETCH(bool, answer);
    YesNo screen;
    QTimer::singleShot(0, &screen, [&] {
        QCOMPARE(screen.findChild<QPlainTextEdit *>("Question")->toPlainText(),
                 QString("Overwrite existing programme details?"));
        if (button.isEmpty())
            screen.close();
        else
            screen.findChild<QPushButton *>(button)->click();
    });
    QCOMPARE(screen.ask("Overwrite existing programme details?"), answer);
}

QTEST_MAIN(TstDialogScreens)
#include "tst_dialogscreens.moc"
