#include "foundation/PbUtil.h"
#include "tests/support/DataRow.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace PBUTIL;

class TstPbUtil : public QObject
{
    Q_OBJECT
private slots:
    void timeFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("seconds");
        DataRow("seconds only", "35.2", 35.2f);
        DataRow("two dots", "1.05.23", 65.23f);
        DataRow("colon", "1:05.23", 65.23f);
        DataRow("semicolon", "1;05.23", 65.23f);
        DataRow("dash", "1-05.23", 65.23f);
        DataRow("no separator above a minute", "105.23", 105.23f);
        DataRow("empty", "", 0.0f);
        DataRow("letters", "abc", 0.0f);
        DataRow("disqualified", "D", 0.0f);
        DataRow("only first separator counts", "1:02:03", 62.0f);
        DataRow("blanks skipped", " 1 : 05 .23", 65.23f);
        DataRow("colon before semicolon", "2;1:05", 125.0f);
        DataRow("trailing junk", "35.20s", 35.2f);
        DataRow("whole minutes", "12:30", 750.0f);
    }
    void timeFromText()
    {
        QFETCH(QString, text);
        QTEST(TimeFromText(text), "seconds");
    }

    void timeToText_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("invalid");
        DataRow("minute and more", 65.23f, "1:05.23", false);
        DataRow("below ten seconds", 5.2f, "05.20", false);
        DataRow("below a minute", 35.0f, "35.00", false);
        DataRow("zero", 0.0f, "", false);
        DataRow("largest", 3600.0f, "60:00.00", false);
        DataRow("too long", 3600.5f, "", true);
        DataRow("exactly a minute", 60.0f, "1:00.00", false);
        DataRow("rounds up into next minute", 59.999f, "1:00.00", false);
        DataRow("no time read back", 105.23f, "1:45.23", false);
    }
    void timeToText()
    {
        QFETCH(float, seconds);
        QTEST(TimeToText(seconds).text, "text");
        QTEST(TimeToText(seconds).invalid, "invalid");
    }

    void timeRoundTrip()
    {
        // Every hundredth up to ten minutes reads back as the time written.
        for (int h = 1; h <= 60000; h += 7) {
            const QString text = TimeToText(float(h / 100.0)).text;
            QCOMPARE(TimeToText(TimeFromText(text)).text, text);
        }
    }

    // The text helpers, each row one call and the text it must give.
    void texts_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("want");
        const auto words = [](const char *text, const char *sep) {
            const QStringList w = SplitWords(text, sep);
            return QString::number(w.size()) + ':' + w.join('|');
        };
        const auto number = [](const char *text) { return QString::number(LeadingNumber(text)); };
        DataRow("stroke FS", StrokeName("FS"), "Freestyle");
        DataRow("stroke BKBR", StrokeName("BKBR"), "Back/Breast");
        DataRow("stroke lower case", StrokeName("fs"), "");
        DataRow("stroke unknown", StrokeName("XX"), "");
        DataRow("stroke empty", StrokeName(""), "");
        DataRow("fit padded", FitText("Ash", 6), "Ash   ");
        DataRow("fit exact", FitText("Harbours", 8), "Harbours");
        DataRow("fit one over", FitText("Harbourss", 8), "Harbour>");
        DataRow("fit empty", FitText("", 3), "   ");
        DataRow("fit width one", FitText("AB", 1), ">");
        DataRow("fit no width", FitText("AB", 0), "");
        DataRow("words runs of blanks", words("Jane  Mary Smith", " "), "3:Jane|Mary|Smith");
        DataRow("words empty text", words("", " "), "0:");
        DataRow("words empty separator means blank", words("a b", ""), "2:a|b");
        DataRow("words comma", words("a,,b,", ","), "2:a|b");
        DataRow("words long separator", words("a--b--c", "--"), "3:a|b|c");
        DataRow("words only separators", words("   ", " "), "0:");
        DataRow("number unit after", number("25m"), "25");
        DataRow("number unit before", number("m25"), "0");
        DataRow("number blanks inside", number(" 1 2.5"), "12.5");
        DataRow("number negative", number("-3"), "-3");
        DataRow("number decimal point only", number("."), "0");
        DataRow("number leading point", number(".5"), "0.5");
        DataRow("number second point stops", number("1.2.3"), "1.2");
        DataRow("number comma is no decimal point", number("1,5"), "1");
    }
    void texts()
    {
        QFETCH(QString, got);
        QTEST(got, "want");
    }

    void numberTexts_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("hash");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("trimmed");
        DataRow("zero", 0.0f, "", " 0", "0");
        DataRow("whole", 12.0f, "12", " 12", "12");
        DataRow("half", 0.5f, "1", " .5", ".5");
        DataRow("fraction", 2.5f, "3", " 2.5", "2.5");
        DataRow("negative", -3.0f, "-3", "-3", "-3");
        DataRow("negative fraction", -0.25f, "", "-.25", "-.25");
        DataRow("single precision sum", 0.1f + 0.2f, "", " .3", ".3");
    }
    void numberTexts()
    {
        QFETCH(float, value);
        QTEST(FormatHash(value), "hash");
        QTEST(NumberText(value), "number");
        QTEST(TrimmedNumberText(value), "trimmed");
    }

    void readDate_data()
    {
        // A two-digit year reads within 80 years before and 20 after "today"; a
        // date of birth (a gala date given) is the latest year not after the gala.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("gala"); // null: not a date of birth
        QTest::addColumn<QDate>("date");
        const QDate y2026(2026, 12, 6), y2075(2075, 1, 1), none, gala(2026, 10, 12);
        DataRow("dd/mm/yy", "12/10/26", y2026, none, QDate(2026, 10, 12));
        DataRow("d/m/yyyy", "3/4/2025", y2026, none, QDate(2025, 4, 3));
        DataRow("dashes", "3-4-25", y2026, none, QDate(2025, 4, 3));
        DataRow("dots", "3.4.25", y2026, none, QDate(2025, 4, 3));
        DataRow("gala in 2031", "12/10/31", y2026, none, QDate(2031, 10, 12));
        DataRow("20 years ahead", "01/01/46", y2026, none, QDate(2046, 1, 1));
        DataRow("79 years back", "01/01/47", y2026, none, QDate(1947, 1, 1));
        DataRow("window slides", "01/01/95", y2075, none, QDate(2095, 1, 1));
        DataRow("window slides back", "01/01/96", y2075, none, QDate(1996, 1, 1));
        DataRow("no 31st", "31/04/25", y2026, none, QDate());
        DataRow("month 13", "01/13/25", y2026, none, QDate());
        DataRow("day zero", "00/01/25", y2026, none, QDate());
        DataRow("words", "tomorrow", y2026, none, QDate());
        DataRow("two parts", "12/10", y2026, none, QDate());
        DataRow("empty", "", y2026, none, QDate());
        DataRow("leap day", "29/02/24", y2026, none, QDate(2024, 2, 29));
        DataRow("no leap day", "29/02/25", y2026, none, QDate());
        DataRow("born this century", "05/06/14", y2026, gala, QDate(2014, 6, 5));
        DataRow("born the day before", "11/10/26", y2026, gala, QDate(2026, 10, 11));
        DataRow("born the day after: a century back", "13/10/26", y2026, gala, QDate(1926, 10, 13));
        DataRow("born 1925", "05/06/25", y2026, QDate(2025, 6, 4), QDate(1925, 6, 5));
        DataRow("full year kept", "05/06/1925", y2026, gala, QDate(1925, 6, 5));
    }
    void readDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, today);
        QFETCH(QDate, gala);
        QTEST(gala.isValid() ? ReadBirthDate(text, gala) : ReadDate(text, today), "date");
    }

    void textFilesAndFileTest()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("out.txt");
        QVERIFY(!FileExists(file));
        QVERIFY(WriteTextFile(file, {"first", "", "Zoë"}));
        QVERIFY(FileExists(file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("first\r\n\r\nZo\xc3\xab\r\n"));
        // Folders, empty and impossible paths are no files; a failed write says why.
        QVERIFY(!FileExists(dir.path()));
        QVERIFY(!FileExists(""));
        QString error;
        QVERIFY(!WriteTextFile(dir.filePath("missing/out.txt"), {"x"}, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TstPbUtil)
#include "tst_pbutil.moc"
