#include "foundation/PbUtil.h"
#include "tests/support/DataRow.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace PBUTIL;

class TstPbUtil : public QObject
{
    Q_OBJECT
private slots:
    void timeFromText_data();
    void timeFromText();
    void timeToText_data();
    void timeToText();
    void timeRoundTrip();
    void strokeName_data();
    void strokeName();
    void fitText_data();
    void fitText();
    void splitWords_data();
    void splitWords();
    void leadingNumber_data();
    void leadingNumber();
    void numberTexts_data();
    void numberTexts();
    void readDate_data();
    void readDate();
    void textFilesAndFileTest();
};

void TstPbUtil::timeFromText_data()
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

void TstPbUtil::timeFromText()
{
    QFETCH(QString, text);
    QFETCH(float, seconds);
    QCOMPARE(TimeFromText(text), seconds);
}

void TstPbUtil::timeToText_data()
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
    DataRow("long swim", 750.0f, "12:30.00", false);
    DataRow("exactly a minute", 60.0f, "1:00.00", false);
    DataRow("rounds up into next minute", 59.999f, "1:00.00", false);
    DataRow("no time read back", 105.23f, "1:45.23", false);
}

void TstPbUtil::timeToText()
{
    QFETCH(float, seconds);
    QFETCH(QString, text);
    QFETCH(bool, invalid);
    const TimeText t = TimeToText(seconds);
    QCOMPARE(t.text, text);
    QCOMPARE(t.invalid, invalid);
}

void TstPbUtil::timeRoundTrip()
{
    // Every hundredth up to ten minutes reads back as the time written.
    for (int h = 1; h <= 60000; h += 7) {
        const float t = float(h / 100.0);
        const QString text = TimeToText(t).text;
        QCOMPARE(TimeToText(TimeFromText(text)).text, text);
    }
}

void TstPbUtil::strokeName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    DataRow("FS", "FS", "Freestyle");
    DataRow("FLYR", "FLYR", "FLY Relay");
    DataRow("MED", "MED", "Ind Medley");
    DataRow("BKBR", "BKBR", "Back/Breast");
    DataRow("lower case", "fs", "");
    DataRow("unknown", "XX", "");
    DataRow("empty", "", "");
}

void TstPbUtil::strokeName()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(StrokeName(code), name);
}

void TstPbUtil::fitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("fitted");
    DataRow("cut", "Harbourside", 8, "Harbour>");
    DataRow("padded", "Ash", 6, "Ash   ");
    DataRow("exact", "Harbours", 8, "Harbours");
    DataRow("one over", "Harbourss", 8, "Harbour>");
    DataRow("empty", "", 3, "   ");
    DataRow("width one", "AB", 1, ">");
    DataRow("no width", "AB", 0, "");
}

void TstPbUtil::fitText()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, fitted);
    QCOMPARE(FitText(text, width), fitted);
}

void TstPbUtil::splitWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("words");
    DataRow("runs of blanks", "Jane  Mary Smith", " ", QStringList{"Jane", "Mary", "Smith"});
    DataRow("empty text", "", " ", QStringList{});
    DataRow("empty separator means blank", "a b", "", QStringList{"a", "b"});
    DataRow("comma", "a,,b,", ",", QStringList{"a", "b"});
    DataRow("long separator", "a--b--c", "--", QStringList{"a", "b", "c"});
    DataRow("only separators", "   ", " ", QStringList{});
}

void TstPbUtil::splitWords()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QStringList, words);
    QCOMPARE(SplitWords(text, separator), words);
}

void TstPbUtil::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    DataRow("unit after", "25m", 25.0);
    DataRow("unit before", "m25", 0.0);
    DataRow("blanks inside", " 1 2.5", 12.5);
    DataRow("negative", "-3", -3.0);
    DataRow("decimal point only", ".", 0.0);
    DataRow("leading point", ".5", 0.5);
    DataRow("second point stops", "1.2.3", 1.2);
    DataRow("comma is no decimal point", "1,5", 1.0);
}

void TstPbUtil::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(LeadingNumber(text), number);
}

void TstPbUtil::numberTexts_data()
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

void TstPbUtil::numberTexts()
{
    QFETCH(float, value);
    QFETCH(QString, hash);
    QFETCH(QString, number);
    QFETCH(QString, trimmed);
    QCOMPARE(FormatHash(value), hash);
    QCOMPARE(NumberText(value), number);
    QCOMPARE(TrimmedNumberText(value), trimmed);
}

void TstPbUtil::readDate_data()
{
    // A two-digit year reads within 80 years before and 20 after "today"; a
    // date of birth (a gala date given) is the latest year not after the gala.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("gala"); // null: not a date of birth
    QTest::addColumn<QDate>("date");
    const QDate y2026(2026, 12, 6), y2075(2075, 1, 1), none;
    const auto row = [](const char *name, const char *text, QDate today, QDate gala, QDate date) {
        QTest::newRow(name) << QString(text) << today << gala << date;
    };
    row("dd/mm/yy", "12/10/26", y2026, none, QDate(2026, 10, 12));
    row("d/m/yyyy", "3/4/2025", y2026, none, QDate(2025, 4, 3));
    row("dashes", "3-4-25", y2026, none, QDate(2025, 4, 3));
    row("dots", "3.4.25", y2026, none, QDate(2025, 4, 3));
    row("gala in 2031", "12/10/31", y2026, none, QDate(2031, 10, 12));
    row("20 years ahead", "01/01/46", y2026, none, QDate(2046, 1, 1));
    row("79 years back", "01/01/47", y2026, none, QDate(1947, 1, 1));
    row("window slides", "01/01/95", y2075, none, QDate(2095, 1, 1));
    row("window slides back", "01/01/96", y2075, none, QDate(1996, 1, 1));
    row("no 31st", "31/04/25", y2026, none, QDate());
    row("month 13", "01/13/25", y2026, none, QDate());
    row("day zero", "00/01/25", y2026, none, QDate());
    row("words", "tomorrow", y2026, none, QDate());
    row("two parts", "12/10", y2026, none, QDate());
    row("empty", "", y2026, none, QDate());
    row("leap day", "29/02/24", y2026, none, QDate(2024, 2, 29));
    row("no leap day", "29/02/25", y2026, none, QDate());
    const QDate gala(2026, 10, 12);
    row("born this century", "05/06/14", y2026, gala, QDate(2014, 6, 5));
    row("born the day before", "11/10/26", y2026, gala, QDate(2026, 10, 11));
    row("born the day after: a century back", "13/10/26", y2026, gala, QDate(1926, 10, 13));
    row("born 1925", "05/06/25", y2026, QDate(2025, 6, 4), QDate(1925, 6, 5));
    row("full year kept", "05/06/1925", y2026, gala, QDate(1925, 6, 5));
}

void TstPbUtil::readDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, today);
    QFETCH(QDate, gala);
    QFETCH(QDate, date);
    QCOMPARE(gala.isValid() ? ReadBirthDate(text, gala) : ReadDate(text, today), date);
}

void TstPbUtil::textFilesAndFileTest()
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

QTEST_APPLESS_MAIN(TstPbUtil)
#include "tst_pbutil.moc"
