#include "foundation/PbUtil.h"

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
    QTest::newRow("seconds only") << "35.2" << 35.2f;
    QTest::newRow("two dots") << "1.05.23" << 65.23f;
    QTest::newRow("colon") << "1:05.23" << 65.23f;
    QTest::newRow("semicolon") << "1;05.23" << 65.23f;
    QTest::newRow("dash") << "1-05.23" << 65.23f;
    QTest::newRow("no separator above a minute") << "105.23" << 105.23f;
    QTest::newRow("empty") << "" << 0.0f;
    QTest::newRow("letters") << "abc" << 0.0f;
    QTest::newRow("disqualified") << "D" << 0.0f;
    QTest::newRow("only first separator counts") << "1:02:03" << 62.0f;
    QTest::newRow("blanks skipped") << " 1 : 05 .23" << 65.23f;
    QTest::newRow("colon before semicolon") << "2;1:05" << 125.0f;
    QTest::newRow("trailing junk") << "35.20s" << 35.2f;
    QTest::newRow("whole minutes") << "12:30" << 750.0f;
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
    QTest::newRow("minute and more") << 65.23f << "1:05.23" << false;
    QTest::newRow("below ten seconds") << 5.2f << "05.20" << false;
    QTest::newRow("below a minute") << 35.0f << "35.00" << false;
    QTest::newRow("zero") << 0.0f << "" << false;
    QTest::newRow("largest") << 3600.0f << "60:00.00" << false;
    QTest::newRow("too long") << 3600.5f << "" << true;
    QTest::newRow("long swim") << 750.0f << "12:30.00" << false;
    QTest::newRow("exactly a minute") << 60.0f << "1:00.00" << false;
    QTest::newRow("rounds up into next minute") << 59.999f << "1:00.00" << false;
    QTest::newRow("no time read back") << 105.23f << "1:45.23" << false;
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
    QTest::newRow("FS") << "FS"
                        << "Freestyle";
    QTest::newRow("FLYR") << "FLYR"
                          << "FLY Relay";
    QTest::newRow("MED") << "MED"
                         << "Ind Medley";
    QTest::newRow("BKBR") << "BKBR"
                          << "Back/Breast";
    QTest::newRow("lower case") << "fs"
                                << "";
    QTest::newRow("unknown") << "XX"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
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
    QTest::newRow("cut") << "Harbourside" << 8 << "Harbour>";
    QTest::newRow("padded") << "Ash" << 6 << "Ash   ";
    QTest::newRow("exact") << "Harbours" << 8 << "Harbours";
    QTest::newRow("one over") << "Harbourss" << 8 << "Harbour>";
    QTest::newRow("empty") << "" << 3 << "   ";
    QTest::newRow("width one") << "AB" << 1 << ">";
    QTest::newRow("no width") << "AB" << 0 << "";
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
    QTest::newRow("runs of blanks") << "Jane  Mary Smith"
                                    << " " << QStringList{"Jane", "Mary", "Smith"};
    QTest::newRow("empty text") << ""
                                << " " << QStringList{};
    QTest::newRow("empty separator means blank") << "a b"
                                                 << "" << QStringList{"a", "b"};
    QTest::newRow("comma") << "a,,b,"
                           << "," << QStringList{"a", "b"};
    QTest::newRow("long separator") << "a--b--c"
                                    << "--" << QStringList{"a", "b", "c"};
    QTest::newRow("only separators") << "   "
                                     << " " << QStringList{};
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
    QTest::newRow("unit after") << "25m" << 25.0;
    QTest::newRow("unit before") << "m25" << 0.0;
    QTest::newRow("blanks inside") << " 1 2.5" << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("decimal point only") << "." << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
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
    QTest::newRow("zero") << 0.0f << ""
                          << " 0"
                          << "0";
    QTest::newRow("whole") << 12.0f << "12"
                           << " 12"
                           << "12";
    QTest::newRow("half") << 0.5f << "1"
                          << " .5"
                          << ".5";
    QTest::newRow("fraction") << 2.5f << "3"
                              << " 2.5"
                              << "2.5";
    QTest::newRow("negative") << -3.0f << "-3"
                              << "-3"
                              << "-3";
    QTest::newRow("negative fraction") << -0.25f << ""
                                       << "-.25"
                                       << "-.25";
    QTest::newRow("single precision sum") << 0.1f + 0.2f << ""
                                          << " .3"
                                          << ".3";
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
