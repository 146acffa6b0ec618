// The print-position rules every report relies on, on the recording surface.

#include "reports/FontSubstitutes.h"
#include "reports/RecordingSurface.h"
#include "tests/reports/ReportFixture.h"

#include <QtTest>

class TestPrinterSurface : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    void printStaysOnTheLine()
    {
        RecordingSurface p;
        p.setCurrentX(1.0);
        p.print(QStringLiteral("Team"));
        QCOMPARE_IN(p.currentX(), 1.0 + p.textWidth(QStringLiteral("Team")));
        QCOMPARE_IN(p.currentY(), 0.0);
        p.print(QStringLiteral("Name"));
        QCOMPARE_IN(p.texts[1].x, 1.0 + p.textWidth(QStringLiteral("Team")));
        QCOMPARE_IN(p.texts[1].y, 0.0);
    }

    void endingTheLineGoesDownOneLineOfTheFont_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("size");
        QTest::newRow("Verdana 10") << "Verdana" << 10.0;
        QTest::newRow("Arial 16") << "Arial" << 16.0;
        QTest::newRow("Courier New 12") << "Courier New" << 12.0;
    }
    void endingTheLineGoesDownOneLineOfTheFont()
    {
        QFETCH(QString, font);
        QFETCH(double, size);
        RecordingSurface p;
        p.setFontName(font);
        p.setFontSize(size);
        p.setCurrentX(2.0);
        p.printLine(QStringLiteral("x"));
        QCOMPARE_IN(p.currentX(), 0.0);
        // A line is a little more than the point size: 72 points an inch.
        QVERIFY(p.currentY() > size / 72 && p.currentY() < 1.4 * size / 72);
        p.printLine();
        QCOMPARE_IN(p.currentY(), 2 * p.lineHeight());
        QCOMPARE(p.texts.size(), 1); // an empty line draws nothing
    }

    void numbersPrintWithTheirBlanks_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("3") << 3 << " 3 ";
        QTest::newRow("0") << 0 << " 0 ";
        QTest::newRow("-3") << -3 << "-3 ";
        QTest::newRow("12") << 12 << " 12 ";
    }
    void numbersPrintWithTheirBlanks()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        RecordingSurface p;
        p.printNumber(value);
        QCOMPARE(p.texts.value(0).text, text);
    }

    void newPageStartsAtTheTopLeftAndKeepsTheFont()
    {
        RecordingSurface p;
        p.setFontName(QStringLiteral("Arial Narrow"));
        p.setFontBold(true);
        p.setCurrentX(3.0);
        p.setCurrentY(4.0);
        p.print(QStringLiteral("a"));
        p.newPage();
        p.print(QStringLiteral("b"));
        QCOMPARE(p.texts[1].page, 2);
        QCOMPARE_IN(p.texts[1].x, 0.0);
        QCOMPARE_IN(p.texts[1].y, 0.0);
        QCOMPARE(p.texts[1].font.name, QStringLiteral("Arial Narrow"));
        QVERIFY(p.texts[1].font.bold);
    }

    // The orientation set before a page's first output is that page's.
    void orientationGovernsThePagesStartedAfterIt()
    {
        RecordingSurface p;
        p.setOrientation(PrinterSurface::Landscape);
        p.printLine(QStringLiteral("wide"));
        p.newPage();
        p.setOrientation(PrinterSurface::Portrait);
        p.printLine(QStringLiteral("tall"));
        p.endDoc();
        QCOMPARE(p.pages.size(), 2);
        QCOMPARE(p.pages[0].orientation, PrinterSurface::Landscape);
        QCOMPARE(p.pages[1].orientation, PrinterSurface::Portrait);
    }

    void endDocEndsTheJobAndLeavesNoEmptyPage()
    {
        RecordingSurface p;
        p.printLine(QStringLiteral("one"));
        p.newPage();
        p.endDoc(); // after NewPage: no blank page
        p.printLine(QStringLiteral("two"));
        p.newPage();
        p.newPage(); // a page with nothing on it is still a page
        p.printLine(QStringLiteral("three"));
        p.endDoc();
        p.endDoc(); // nothing printed: no job
        QCOMPARE(p.jobsEnded, 2);
        QCOMPARE(p.pages.size(), 4);
        QCOMPARE(p.texts[1].text, QStringLiteral("two"));
        QCOMPARE(p.texts[1].job, 2);
        QCOMPARE(p.texts.last().page, 3);
        QCOMPARE_IN(p.texts.last().y, 0.0);
    }

    // Speeding tickets shift the origin; the next report's inches put it back.
    void scaleLeftAndTopShiftTheOrigin()
    {
        RecordingSurface p;
        p.setScaleLeft(-0.2);
        p.setScaleTop(0.1);
        p.setCurrentX(2.63);
        p.setCurrentY(2.7);
        p.print(QStringLiteral("Jane"));
        QCOMPARE_IN(p.texts[0].x, 2.83);
        QCOMPARE_IN(p.texts[0].y, 2.6);
        p.setScaleModeInches();
        p.setCurrentX(2.63);
        p.print(QStringLiteral("Joe"));
        QCOMPARE_IN(p.texts[1].x, 2.63);
    }

    void aLineBelowThePageFlowsOntoTheNext()
    {
        RecordingSurface p;
        p.setFontName(QStringLiteral("Courier New"));
        p.setFontSize(12);
        for (int i = 0; i < 100; ++i)
            p.printLine(QString::number(i));
        p.endDoc();
        QCOMPARE(p.jobsEnded, 1);
        QVERIFY(p.pages.size() >= 2);
        for (const auto &t : p.texts)
            QVERIFY(t.y + p.lineHeight() <= 11.69 - 0.5 + 0.001);
        const auto second = p.on(1, 2);
        QCOMPARE_IN(second.value(0).y, 0.0);
    }

    void fittedTextStopsBeforeTheWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("whole");
        QTest::newRow("fits") << "Ash" << 1.0 << true;
        QTest::newRow("too long") << "Harbourside Amateur Swimming Club" << 1.0 << false;
        QTest::newRow("no room") << "Ash" << 0.0 << false;
    }
    void fittedTextStopsBeforeTheWidth()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(bool, whole);
        RecordingSurface p;
        const QString cut = p.fitted(text, width);
        QCOMPARE(cut == text, whole);
        QVERIFY(text.startsWith(cut));
        QVERIFY(p.textWidth(cut) <= width);
        if (!whole && cut.size() < text.size())
            QVERIFY(p.textWidth(text.left(cut.size() + 1)) > width);
    }
};

QTEST_MAIN(TestPrinterSurface)
#include "tst_printersurface.moc"
