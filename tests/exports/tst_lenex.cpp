#include "exports/LenexFile.h"
#include "exports/LenexResults.h"
#include "links/SplitTimes.h"
#include "tests/exports/LenexFixture.h"

#include <QtTest>

namespace {

// The swims of the gala database, read from its tables as rows of the
// read-back: who swam is the lane's name (first and last word, date of
// birth), the team for an unnamed lane, or the relay lane's name.
QStringList databaseSwims(Database &db)
{
    const auto open = [&db](const char *query, bool dated = true) {
        QueryDef q = db.queryDef(QLatin1String(query));
        q.setParameter("Enter program code", "DEMO");
        if (dated)
            q.setParameter("Enter gala date", "12/10/26");
        return q.openRecordset();
    };
    QHash<int, QString> strokes;
    for (Recordset rs = open("Gala_Program_Query", false); !rs.atEnd(); rs.moveNext())
        strokes.insert(rs.value("Event No").toInt(), rs.text("Stroke"));
    QHash<QString, QString> teams;
    for (Recordset rs = open("Gala_Team_Query"); !rs.atEnd(); rs.moveNext())
        teams.insert(rs.text("Heat No") + '|' + rs.text("Lane No"), rs.text("Team Name"));
    QStringList swims;
    for (Recordset rs = open("Gala_Record_Query"); !rs.atEnd(); rs.moveNext()) {
        const QString time = rs.text("Lane Time"),
                      at = rs.text("Heat No") + '|' + rs.text("Lane No");
        const int event = rs.value("Event No").toInt(), pos = rs.value("Lane Pos").toInt();
        const double points = rs.value("Lane Points").toDouble();
        if (time.trimmed().isEmpty() && pos == 0 && points == 0)
            continue; // an empty lane is no swim
        const QStringList words = rs.text("Lane Name").split(' ', Qt::SkipEmptyParts);
        QString who = "/" + teams.value(at) + "/";
        if (QStringList({"FSR", "BRR", "BKR", "FLYR", "MEDR"}).contains(strokes.value(event)))
            who = "relay " + rs.text("Lane Name");
        else if (!words.isEmpty())
            who = words.first() + "/" + words.last() + "/" +
                  rs.value("Lane DoB").toDate().toString(Qt::ISODate);
        const bool dsq = time.startsWith('D');
        const float seconds = PBUTIL::TimeFromText(time);
        swims << QString("%1|%2|%3|%4|%5|%6|%7|%8")
                     .arg(QString::number(event) + '|' + at, teams.value(at), who,
                          dsq || seconds <= 0 ? "none" : QString::number(seconds, 'f', 2),
                          pos > 0 ? QString::number(pos) : "",
                          points != 0 ? QString::number(points) : "", dsq ? "DSQ" : "",
                          dsq ? rs.text("Lane Notes") : "");
    }
    swims.sort();
    return swims;
}

} // namespace

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
        QCOMPARE(back.swims.size(), 14);
        QCOMPARE(back.swims, databaseSwims(*demo.shared.GalaDb));
        QCOMPARE(back.rankings, back.places); // each place ranked, at its own result
        QCOMPARE(back.rankings.size(), 11);
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
        QCOMPARE(back.swims, QStringList({"1|1|1|Ash & Co <B>|Siân/O'Brien-Łukasz/|30.00||||",
                                          "1|1|2|Ünterwasser \"Ö\"|/Ünterwasser \"Ö\"/|none|||DSQ|"
                                          "False start <0.03s> & \"twice\"",
                                          "2|1|1|Ash & Co <B>|Old/Timer/1925-06-05|31.00||||"}));
    }

    // A gala not swum yet: its programme with the heats, and no results.
    void noResultsYet()
    {
        DemoSheet demo;
        QVERIFY(demo.open().opened());
        QString written, error;
        QVERIFY(LenexFile::Export(demo.shared, demo.gala, nullptr,
                                  demo.file.dir.filePath("empty.lef"), &written, &error));
        QCOMPARE(QProcess::execute("xmllint", {"--noout", written}), 0);
        const LenexReadBack back(readFile(written));
        QCOMPARE(back.all.count("EVENT") + back.all.count("HEAT") + back.all.count("CLUB"),
                 12 + 24 + 8);
        QCOMPARE(back.all.count("RESULT") + back.all.count("ATHLETE"), 0);
    }

    // Split times from the online-times database at the pool's ends, none
    // past the finish; with no pool length, spread evenly over the race.
    void splitsAndCourse_data()
    {
        QTest::addColumn<double>("poolLength");
        QTest::addColumn<QString>("course");
        QTest::addColumn<QString>("splits"); // of event 11, heat 1, lane 1
        QTest::newRow("25 m pool") << 25.0 << "SCM"
                                   << "25=00:00:20.10 50=00:00:41.00 75=00:01:03.20";
        QTest::newRow("no pool length") << 0.0 << ""
                                        << "25=00:00:20.10 50=00:00:41.00 75=00:01:03.20";
        QTest::newRow("50 m pool") << 50.0 << "LCM"
                                   << "50=00:00:20.10";
        QTest::newRow("33 m pool") << 33.0 << ""
                                   << "33=00:00:20.10 66=00:00:41.00 99=00:01:03.20";
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
