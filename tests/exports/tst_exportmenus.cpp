#include "recording/GalaRecSheet.h"
#include "tests/exports/ExportFixture.h"
#include "tests/recording/RecordingFixture.h"

#include <QtTest>
#include <QtWidgets>

// The demonstration gala recorded on the sheet as an official would, then
// written out through the WEB and Export menus.
class TstExportMenus : public QObject
{
    Q_OBJECT
private slots:
    void demonstrationGalaThroughTheMenus()
    {
        DemoSheet desk;
        OpenedGala opened = OpenGala(desk.shared, desk.gala, desk.dialogs);
        QVERIFY(opened.opened());
        GalaRecSheet sheet(desk.shared, desk.gala, desk.dialogs, nullptr);
        sheet.show();
        sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        auto box = [&](const char *design, int row) {
            return sheet.findChild<QLineEdit *>(
                QStringLiteral("%1_%2").arg(QLatin1String(design)).arg(row));
        };
        auto type = [&](const char *design, int row, const QString &text) {
            box(design, row)->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(box(design, row), text);
            QTest::keyClick(box(design, row), Qt::Key_Tab); // leaves the box
        };

        // Event 1, grade time 38.00: a disqualification, a swim too fast for
        // the grade, and the guests' fastest time that scores nothing.
        const QStringList times = {"39.50", "40.12", "", "37.90", "41.00", "38.00", "", "36.00"};
        const QStringList names = {"Amy  Jones", "Beth Smith", "Cat <Lee>", "Dee Ray",
                                   "",           "Eve",        "",          "Fay Guest"};
        for (int r = 0; r < 8; ++r) {
            type("TeamTime", r, times[r]);
            type("Swimmer_Name", r, names[r]);
        }
        type("Swimmer_Dob", 0, QStringLiteral("05/03/16"));
        type("Swimmer_Club", 1, QStringLiteral("Ashford, Kent"));
        desk.dialogs.expectInput(QStringLiteral("Enter reason for Disqualification"),
                                 QStringLiteral("Did not finish"));
        type("TeamTime", 2, QStringLiteral("D"));
        QCOMPARE(box("TeamPosition", 3)->text(), QStringLiteral("TF"));

        // Event 2: one placed swim, and points typed by hand.
        QTest::mouseClick(sheet.findChild<QPushButton *>(QStringLiteral("Next_Event")),
                          Qt::LeftButton);
        QCOMPARE(sheet.findChild<QLineEdit *>(QStringLiteral("EvNo"))->text(), QStringLiteral("2"));
        type("TeamTime", 1, QStringLiteral("37.60"));
        type("TeamPts", 0, QStringLiteral("2.5"));
        type("TeamPts", 6, QStringLiteral("0.5"));

        const QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        desk.dialogs
            .expectChooser(QStringLiteral("Select File for WEB results page"), folder,
                           QStringLiteral("results.htm"))
            .expectChooser(QStringLiteral("Select Directory for WEB team results pages"), folder,
                           QStringLiteral("results.htm"))
            .expectChooser(QStringLiteral("Select Directory for Ranking Files"), folder,
                           QStringLiteral("results.htm"))
            .expectInput(QStringLiteral("Enter meet code for ASA"), QStringLiteral("DEMO26"))
            .expectYesNo(QStringLiteral("Long course (YES) or Short course (NO)"), true)
            .expectChooser(QStringLiteral("Select File for Program Data"), folder,
                           QStringLiteral("program.txt"));
        for (const char *entry :
             {"WEB_Results_Sheet", "WEB_Team_Results", "Export_ASA_Rankings", "Data_for_Program"}) {
            QAction *action = sheet.findChild<QAction *>(QLatin1String(entry));
            QVERIFY2(action && action->isEnabled(), entry);
            action->trigger();
        }
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());

        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 (QStringList{"Ashford B.htm", "Ashford Otters.htm", "Bramley B.htm",
                              "Bramley Dolphins.htm", "Castleton Guests.htm", "Castleton.htm",
                              "DEMO26.HDR", "DEMO26.MRF", "Harbourside B.htm", "Harbourside.htm",
                              "program.txt", "results.htm"}));
        QVERIFY(sameFile(folder + "results.htm", QStringLiteral("demo_results.htm")));
        QVERIFY(sameFile(folder + "Castleton.htm", QStringLiteral("demo_castleton.htm")));
        QVERIFY(sameFile(folder + "DEMO26.HDR", QStringLiteral("demo.HDR")));
        QVERIFY(sameFile(folder + "DEMO26.MRF", QStringLiteral("demo.MRF")));
        QVERIFY(sameFile(folder + "program.txt", QStringLiteral("demo_program.txt")));
    }

    void teamPagesTakeSplitsWhileOnlineTimingIsInUse()
    {
        DemoSheet desk;
        QVERIFY(OpenGala(desk.shared, desk.gala, desk.dialogs).opened());
        const QTemporaryDir dir;
        const QString ares = dir.filePath(QStringLiteral("ares.mdb"));
        makeOnlineTimes(ares, {"DEMO|1|1|1|I|18.40", "DEMO|1|2|1|I|19.10"});
        OnlineTimes online{ares, std::make_unique<Database>(ares), QStringLiteral("DEMO")};
        GalaRecSheet sheet(desk.shared, desk.gala, desk.dialogs, &online);
        desk.dialogs.expectChooser(QStringLiteral("Select Directory for WEB team results pages"),
                                   dir.path() + QLatin1Char('/'), QStringLiteral("x"));
        sheet.findChild<QAction *>(QStringLiteral("WEB_Team_Results"))->trigger();
        // Heat 1 lane 1 and heat 2 lane 1 each get their own split in event 1.
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Harbourside.htm"))).split('\n').value(18),
                 QByteArray("<td>18.40 </td>\r"));
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Harbourside B.htm"))).split('\n').value(18),
                 QByteArray("<td>19.10 </td>\r"));
    }
};

QTEST_MAIN(TstExportMenus)
#include "tst_exportmenus.moc"
