#include "core/values/PbUtil.h"
#include "tests/support/DataRow.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace PBUTIL;

class TstPbUtil : public QObject
{
    Q_OBJECT
private slots:
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
        const auto read = [](const char *text) { return QString::number(TimeFromText(text)); };
        const auto written = [](float seconds) {
            const TimeText t = TimeToText(seconds);
            return t.invalid ? "invalid:" + t.text : t.text;
        };
        // Hash, padded and trimmed texts of a number, '|' between them.
        const auto numbers = [](float v) {
            return QStringList{FormatHash(v), NumberText(v), TrimmedNumberText(v)}.join('|');
        };
        DataRow("read two dots", read("1.05.23"), "65.23");
        DataRow("read colon", read("1:05.23"), "65.23");
        DataRow("read semicolon", read("1;05.23"), "65.23");
        DataRow("read dash", read("1-05.23"), "65.23");
        DataRow("read no separator above a minute", read("105.23"), "105.23");
        DataRow("read only first separator counts", read("1:02:03"), "62");
        DataRow("read blanks skipped", read(" 1 : 05 .23"), "65.23");
        DataRow("read colon before semicolon", read("2;1:05"), "125");
        DataRow("write minute and more", written(65.23f), "1:05.23");
        DataRow("write below ten seconds", written(5.2f), "05.20");
        DataRow("write zero", written(0.0f), "");
        DataRow("write largest", written(3600.0f), "60:00.00");
        DataRow("write too long", written(3600.5f), "invalid:");
        DataRow("write rounds up into next minute", written(59.999f), "1:00.00");
        DataRow("numbers zero", numbers(0.0f), "| 0|0");
        DataRow("numbers whole", numbers(12.0f), "12| 12|12");
        DataRow("numbers half", numbers(0.5f), "1| .5|.5");
        DataRow("numbers negative fraction", numbers(-0.25f), "|-.25|-.25");
        DataRow("numbers single precision sum", numbers(0.1f + 0.2f), "| .3|.3");
        DataRow("stroke FS", StrokeName("FS"), "Freestyle");
        DataRow("stroke lower case", StrokeName("fs"), "");
        DataRow("fit padded", FitText("Ash", 6), "Ash   ");
        DataRow("fit exact", FitText("Harbours", 8), "Harbours");
        DataRow("fit one over", FitText("Harbourss", 8), "Harbour>");
        DataRow("fit no width", FitText("AB", 0), "");
        DataRow("words runs of blanks", words("Jane  Mary Smith", " "), "3:Jane|Mary|Smith");
        DataRow("words empty separator means blank", words("a b", ""), "2:a|b");
        DataRow("words long separator", words("a--b--c", "--"), "3:a|b|c");
        DataRow("number unit after", number("25m"), "25");
        DataRow("number unit before", number("m25"), "0");
        DataRow("number blanks inside", number(" 1 2.5"), "12.5");
        DataRow("number negative", number("-3"), "-3");
        DataRow("number second point stops", number("1.2.3"), "1.2");
    }
    void texts()
    {
        QFETCH(QString, got);
        QTEST(got, "want");
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
        DataRow("d/m/yyyy", "3/4/2025", y2026, none, QDate(2025, 4, 3));
        DataRow("dashes", "3-4-25", y2026, none, QDate(2025, 4, 3));
        DataRow("dots", "3.4.25", y2026, none, QDate(2025, 4, 3));
        DataRow("20 years ahead", "01/01/46", y2026, none, QDate(2046, 1, 1));
        DataRow("79 years back", "01/01/47", y2026, none, QDate(1947, 1, 1));
        DataRow("window slides", "01/01/95", y2075, none, QDate(2095, 1, 1));
        DataRow("window slides back", "01/01/96", y2075, none, QDate(1996, 1, 1));
        DataRow("no 31st", "31/04/25", y2026, none, QDate());
        DataRow("two parts", "12/10", y2026, none, QDate());
        DataRow("born the day before", "11/10/26", y2026, gala, QDate(2026, 10, 11));
        DataRow("born the day after: a century back", "13/10/26", y2026, gala, QDate(1926, 10, 13));
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
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("first\r\n\r\nZo\xc3\xab\r\n"));
        // Folders and impossible paths are no files; a failed write says why.
        QVERIFY(!FileExists(dir.path()));
        QString error;
        QVERIFY(!WriteTextFile(dir.filePath("missing/out.txt"), {"x"}, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TstPbUtil)
#include "tst_pbutil.moc"
