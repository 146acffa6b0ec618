#include "exports/LenexFile.h"
#include "exports/LenexResults.h"
#include "links/SplitTimes.h"
#include "tests/exports/LenexFixture.h"
#include "tests/support/DataRow.h"

#include <QtTest>

class TstLenex : public QObject
{
    Q_OBJECT
private slots:
    // The recorded demonstration gala, plain and zipped, is well-formed
    // Lenex 3.0 and reads back as the gala database's table of swims.
    void demoReadsBackAsTheDatabase()
    {
        RecordedDemo demo;
        QString written, error;
        const QString plain = demo.file.dir.filePath("gala.lef");
        QVERIFY(LenexFile::Export(demo.shared, demo.gala, nullptr, plain, &written, &error));
        QVERIFY(LenexFile::Export(demo.shared, demo.gala, nullptr, demo.file.dir.filePath("gala"),
                                  &written, &error));
        QCOMPARE(written, demo.file.dir.filePath("gala.lxf"));
        QCOMPARE(Unzip("-Z1", written), QByteArray("gala.lef\n"));
        // Dated on the gala day, one gala always gives the same bytes.
        QVERIFY(Unzip("-ZT", written).contains(" 20261012."));
        QCOMPARE(Unzip("-p", written), readFile(plain));
        QCOMPARE(QProcess::execute("xmllint", {"--noout", plain}), 0);

        const LenexReadBack back(readFile(plain));
        // Event 1 is graded 38.00: 37.00 is too fast and gets no place, nor do
        // the guests; relays (event 12) score double.
        QCOMPARE(back.swims,
                 QStringList({"11|1|1|Harbourside|Zoë/Brontë/2016-03-05|00:01:25.30|2|6||",
                              "11|1|2|Ashford Otters|Ann/<Lee>/2016-01-01|00:01:22.40|1|7||",
                              "12|1|1|Harbourside|relay Zoë, Ann, Mary, Sue|00:02:10.00|2|12||",
                              "12|1|2|Ashford Otters|relay |00:02:05.50|1|14||",
                              "12|2|1|Harbourside B|relay |00:02:20.00|3|10||",
                              "1|1|1|Harbourside|Zoë/Brontë/2016-03-05|00:00:40.50|2|6||",
                              "1|1|2|Ashford Otters|Ann/<Lee>/2016-01-01|00:00:37.00||||",
                              "1|1|3|Bramley Dolphins|Mary/Smith/|00:00:41.00|3|5||",
                              "1|2|2|Ashford B|/Ashford B/|00:00:39.00|1|7||",
                              "1|2|4|Castleton Guests|Gail/Guest/2015-09-09|00:00:38.50||||",
                              "3|1|1|Harbourside|Zoë/Brontë/2016-03-05|00:00:45.10|2|6||",
                              "3|1|2|Ashford Otters|Ann/<Lee>/2016-01-01|NT|||DSQ|Turn & <kick>",
                              "3|1|3|Bramley Dolphins|/Bramley Dolphins/|00:00:44.00|1|7||",
                              "5|1|1|Harbourside|Zoë/Brontë/2016-03-06|00:00:50.00|1|7||"}));
        QCOMPARE(back.rankings, back.places); // each place ranked, at its own result
        QCOMPARE(QStringList({back.attribute("LENEX", "version"),
                              back.attribute("CONSTRUCTOR", "name"), back.attribute("MEET", "name"),
                              back.attribute("MEET", "city"), back.attribute("SESSION", "date")}),
                 QStringList({"3.0", "AQGalaRec", "Harbourside Junior Team Gala",
                              "Harbourside Baths", "2026-10-12"}));
        QCOMPARE(back.all.count("HEAT"), 24); // two heats in every event
        QCOMPARE(back.events,
                 QStringList({"1 F TIM 50 1 FREE", "2 M TIM 50 1 FREE", "3 F TIM 50 1 BACK",
                              "4 M TIM 50 1 BACK", "5 F TIM 50 1 BREAST", "6 M TIM 50 1 BREAST",
                              "7 F TIM 100 1 FREE", "8 M TIM 100 1 FREE", "9 F TIM 50 1 FLY",
                              "10 M TIM 50 1 FLY", "11 X TIM 100 1 MEDLEY",
                              "12 X TIM 50 4 FREE"})); // Mixed 200 FS relay: 4 x 50
        // One athlete per name and date of birth in a team, one named after
        // the team for its unnamed swims; every team is a club.
        QCOMPARE(back.athletes,
                 QStringList(
                     {"Harbourside|Zoë/Brontë/2016-03-05|F", "Harbourside|Zoë/Brontë/2016-03-06|F",
                      "Ashford Otters|Ann/<Lee>/2016-01-01|F", "Bramley Dolphins|Mary/Smith/|F",
                      "Bramley Dolphins|/Bramley Dolphins/|F", "Harbourside B|Sue/Named-Only/|F",
                      "Ashford B|/Ashford B/|F", "Castleton Guests|Gail/Guest/2015-09-09|F"}));
        QCOMPARE(back.all.count("CLUB"), 8);
    }

    // Reserved and non-ASCII characters survive; a date of birth that is no
    // date is left out, not guessed; events of other sex names.
    void awkwardTexts()
    {
        MemorySheet sheet("YY", {"Ash & Co <B>", "Ünterwasser \"Ö\""}, {"Ladies", "Men", "Open"});
        sheet.gala.GalaName = "Gala <&> \"Ω\"";
        sheet.gala.LaneTime(1, 1) = "30.00";
        sheet.gala.LaneName(1, 1) = "Siân  O'Brien-Łukasz";
        sheet.gala.LaneDoB(1, 1) = "31/02/12";
        sheet.gala.LaneTime(1, 2) = "D";
        sheet.gala.LaneNotes(1, 2) = "False start <0.03s> & \"twice\"";
        // A birth stored in full keeps its century.
        sheet.gala.LaneTime(2, 1) = "31.00";
        sheet.gala.LaneName(2, 1) = "Old Timer";
        sheet.gala.LaneDoB(2, 1) = "05/06/25";
        sheet.gala.LaneDoBStored(2, 1) = QDate(1925, 6, 5);
        SplitTimes none(nullptr, {});
        QTemporaryDir dir;
        QString error;
        const QByteArray xml = LenexResultsXml(sheet.gala, {"12/10/26", 0, "0.1"}, none);
        QVERIFY(LenexFile::Write(dir.filePath("x.lef"), xml, {}, &error));
        QCOMPARE(QProcess::execute("xmllint", {"--noout", dir.filePath("x.lef")}), 0);
        const LenexReadBack back(xml);
        QCOMPARE(back.attribute("MEET", "name"), QStringLiteral("Gala <&> \"Ω\""));
        QCOMPARE(back.events,
                 QStringList({"1 F TIM 50 1 FREE", "2 M TIM 50 1 FREE", "3 X TIM 50 1 FREE"}));
        QCOMPARE(back.swims,
                 QStringList({"1|1|1|Ash & Co <B>|Siân/O'Brien-Łukasz/|00:00:30.00||||",
                              "1|1|2|Ünterwasser \"Ö\"|/Ünterwasser \"Ö\"/|NT|||DSQ|"
                              "False start <0.03s> & \"twice\"",
                              "2|1|1|Ash & Co <B>|Old/Timer/1925-06-05|00:00:31.00||||"}));
    }

    // Split times from the online-times database at the pool's ends, none
    // past the finish; with no pool length, spread evenly over the race.
    void splitsAndCourse_data()
    {
        QTest::addColumn<double>("poolLength");
        QTest::addColumn<QString>("course");
        QTest::addColumn<QString>("splits"); // of event 11, heat 1, lane 1
        const char *quarters = "25=00:00:20.10 50=00:00:41.00 75=00:01:03.20";
        DataRow("25 m pool", 25.0, "SCM", quarters);
        DataRow("no pool length", 0.0, "", quarters);
        DataRow("50 m pool", 50.0, "LCM", "50=00:00:20.10");
        DataRow("33 m pool", 33.0, "", "33=00:00:20.10 66=00:00:41.00 99=00:01:03.20");
    }
    void splitsAndCourse()
    {
        QFETCH(double, poolLength);
        QFETCH(QString, course);
        QFETCH(QString, splits);
        RecordedDemo demo;
        MakeOnlineTimes(demo.file.dir.filePath("online.mdb"));
        Database online(demo.file.dir.filePath("online.mdb"));
        SplitTimes times(&online, "M1");
        const LenexReadBack back(
            LenexResultsXml(demo.gala, {"12/10/26", poolLength, "0.1"}, times));
        QCOMPARE(back.splits.keys(), QStringList{"11|1|1"});
        QCOMPARE(back.splits.first().join(' '), splits);
        QCOMPARE(back.attribute("MEET", "course"), course);
    }
};

QTEST_GUILESS_MAIN(TstLenex)
#include "tst_lenex.moc"
