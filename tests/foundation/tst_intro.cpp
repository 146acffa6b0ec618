#include "foundation/GalaRecIntro.h"
#include "foundation/SettingsFile.h"
#include "foundation/SharedState.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The start screen as the official uses it: the path box, Enter into the
// set-up screen and back, Exit writing the settings.
class TstIntro : public QObject
{
    Q_OBJECT
private slots:
    void controlsAndNames();
    void enterOpensSetUpAndExitRemembers();
    void enterOnMissingFileStays();
};

void TstIntro::controlsAndNames()
{
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    GalaRecIntro intro(shared, dialogs, dir.path());
    QCOMPARE(intro.windowTitle(), QString("Gala Recording Module"));
    auto *dbName = intro.findChild<QLineEdit *>("DbName");
    QVERIFY(dbName);
    QCOMPARE(dbName->accessibleName(), QString("Gala Recording Database Filename"));
    QCOMPARE(dbName->text(), dir.filePath("gala_record.mdb"));
    const QList<QPair<QString, QString>> buttons = {
        {"Command3", "Enter"}, {"Command4", "Exit"}, {"Command1", "Browse"}};
    for (const auto &[name, caption] : buttons) {
        auto *b = intro.findChild<QPushButton *>(name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->text(), caption);
    }
}

void TstIntro::enterOpensSetUpAndExitRemembers()
{
    TestGala gala(true);
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    GalaRecIntro intro(shared, dialogs, dir.path());
    intro.show();
    int setUps = 0;
    intro.openSetUp = [&] {
        ++setUps;
        QVERIFY(!intro.isVisible());
        QVERIFY(shared.GalaDbOpen);
        shared.ProgCode = "DEMO";
        shared.LastGalaDate = "12/10/26";
    };
    auto *dbName = intro.findChild<QLineEdit *>("DbName");
    dbName->clear();
    QTest::keyClicks(dbName, gala.path);
    QTest::keyClick(dbName, Qt::Key_Return);
    QCOMPARE(setUps, 1);
    QVERIFY(intro.isVisible());
    intro.findChild<QPushButton *>("Command3")->click();
    QCOMPARE(setUps, 2);
    intro.findChild<QPushButton *>("Command4")->click();
    QVERIFY(!shared.GalaDbOpen);
    const Settings s = SettingsFile::read(dir.filePath("aqrecord.ini"));
    QCOMPARE(s.GalaDbPath, gala.path);
    QCOMPARE(s.ProgCode, QString("DEMO"));
    QCOMPARE(s.LastGalaDate, QString("12/10/26"));
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

void TstIntro::enterOnMissingFileStays()
{
    QTemporaryDir dir;
    SharedState shared;
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Cannot locate database for gala recording");
    GalaRecIntro intro(shared, dialogs, dir.path());
    bool opened = false;
    intro.openSetUp = [&] { opened = true; };
    intro.findChild<QPushButton *>("Command3")->click();
    QVERIFY(!opened);
    QVERIFY2(dialogs.finished(), dialogs.faults());
}

QTEST_MAIN(TstIntro)
#include "tst_intro.moc"
