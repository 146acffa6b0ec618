#include "exports/LenexFile.h"
#include "exports/LenexResults.h"
#include "links/SplitTimes.h"
#include "tests/exports/LenexFixture.h"

#include <QtTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The swims of the gala database's table of results, as rows comparable
// with the read-back: who swam comes from the lane's name (first and last
// word, date of birth), from the team for an unnamed lane, or from the relay
// lane's name.
QStringList databaseSwims(Database &db)
{
    QHash<int, QString> strokes;
    QueryDef events = db.queryDef(QStringLiteral("Gala_Program_Query"));
    events.setParameter(QStringLiteral("Enter program code"), QStringLiteral("DEMO"));
    Recordset programme = events.openRecordset();
    for (; !programme.atEnd(); programme.moveNext())
        strokes.insert(programme.value("Event No").toInt(), programme.text("Stroke"));
    QHash<QString, QString> teams;
    QueryDef entries = db.queryDef(QStringLiteral("Gala_Team_Query"));
    entries.setParameter(QStringLiteral("Enter program code"), QStringLiteral("DEMO"));
    entries.setParameter(QStringLiteral("Enter gala date"), QStringLiteral("12/10/26"));
    Recordset teamSet = entries.openRecordset();
    for (; !teamSet.atEnd(); teamSet.moveNext())
        teams.insert(teamSet.text("Heat No") + QLatin1Char(':') + teamSet.text("Lane No"),
                     teamSet.text("Team Name"));

    QStringList swims;
    QueryDef records = db.queryDef(QStringLiteral("Gala_Record_Query"));
    records.setParameter(QStringLiteral("Enter program code"), QStringLiteral("DEMO"));
    records.setParameter(QStringLiteral("Enter gala date"), QStringLiteral("12/10/26"));
    Recordset rs = records.openRecordset();
    for (; !rs.atEnd(); rs.moveNext()) {
        const QString time = rs.text("Lane Time");
        const int pos = rs.value("Lane Pos").toInt();
        const double points = rs.value("Lane Points").toDouble();
        if (time.trimmed().isEmpty() && pos == 0 && points == 0)
            continue; // an empty lane is no swim
        const int event = rs.value("Event No").toInt();
        const QString heat = rs.text("Heat No"), lane = rs.text("Lane No");
        const QStringList words = rs.text("Lane Name").split(' ', Qt::SkipEmptyParts);
        QString who;
        if (QStringList({"FSR", "BRR", "BKR", "FLYR", "MEDR"}).contains(strokes.value(event)))
            who = "relay " + rs.text("Lane Name");
        else if (words.isEmpty())
            who = "/" + teams.value(heat + ":" + lane) + "/";
        else
            who = words.first() + "/" + words.last() + "/" +
                  rs.value("Lane DoB").toDate().toString(Qt::ISODate);
        const bool disqualified = time.startsWith('D');
        const float seconds = PBUTIL::TimeFromText(time);
        swims << SwimRow({QString::number(event), heat, lane, teams.value(heat + ":" + lane), who,
                          disqualified || seconds <= 0 ? "none" : QString::number(seconds, 'f', 2),
                          pos > 0 ? QString::number(pos) : "",
                          points != 0 ? QString::number(points) : "", disqualified ? "DSQ" : "",
                          disqualified ? rs.text("Lane Notes") : ""});
    }
    swims.sort();
    return swims;
}

} // namespace

class TstLenex : public QObject
{
    Q_OBJECT
private slots:
    // The recorded demonstration gala, written both ways, is well-formed and
    // reads back as the database's table of swims.
    void demoReadsBackAsTheDatabase()
    {
        RecordedDemo demo;
        QString written, error;
        const QString plain = demo.file.dir.filePath("gala.lef");
        QVERIFY2(LenexFile::Export(demo.shared, demo.gala, nullptr, plain, &written, &error),
                 qPrintable(error));
        QCOMPARE(written, plain);
        const QString zipped = demo.file.dir.filePath("gala");
        QVERIFY2(LenexFile::Export(demo.shared, demo.gala, nullptr, zipped, &written, &error),
                 qPrintable(error));
        QCOMPARE(written, zipped + ".lxf");

        // The archive's entry is dated on the gala day, so one gala always
        // gives the same bytes.
        QString entry;
        QDateTime stamp;
        const QByteArray unzipped = UnzipSingle(written, &entry, &stamp);
        QCOMPARE(entry, QStringLiteral("gala.lef"));
        QCOMPARE(stamp.date(), QDate(2026, 10, 12));
        QCOMPARE(unzipped, readFile(plain));
        QCOMPARE(XmlLint(plain), QString());

        const LenexReadBack back(unzipped);
        QCOMPARE(back.fault, QString());
        const QStringList expected = databaseSwims(*demo.shared.GalaDb);
        QCOMPARE(expected.size(), 14);
        QCOMPARE(back.swims, expected);
        // Every place is also in its event's ranking, pointing at its result.
        QCOMPARE(back.rankings, back.placedResults);
        QCOMPARE(back.rankings.size(), 11); // 3 + 2 + 1 + 2 + 3 placed swims
    }

    // Single swims checked against the rules of ranking and scoring: 7
    // scoring teams, a graded gala, a double-points relay.
    void placesAndPoints()
    {
        const LenexReadBack back(demoXml());
        const QStringList lanes = {"1|2|2",  "1|1|1",  "1|1|2",  "1|2|4", "3|1|2",
                                   "11|1|1", "11|1|2", "12|1|2", "12|2|1"};
        QStringList got;
        for (const QString &lane : lanes) {
            const QXmlStreamAttributes a = back.resultAt.value(lane);
            got << QStringList{lane,
                               a.value("swimtime").toString(),
                               a.value("place").toString(),
                               a.value("points").toString(),
                               a.value("status").toString(),
                               a.value("comment").toString()}
                       .join(' ');
        }
        QCOMPARE(got, QStringList({
                          "1|2|2 00:00:39.00 1 7  ",      // fastest of both heats
                          "1|1|1 00:00:40.50 2 6  ",      // typed 40.5
                          "1|1|2 00:00:37.00    ",        // under the grade time: no place
                          "1|2|4 00:00:38.50    ",        // the non-scoring guests
                          "3|1|2 NT   DSQ Turn & <kick>", // disqualified, with the reason
                          "11|1|1 00:01:25.30 2 6  ",     // typed 1:25.3
                          "11|1|2 00:01:22.40 1 7  ",     // typed 1.22.40
                          "12|1|2 00:02:05.50 1 14  ",    // relay, double points
                          "12|2|1 00:02:20.00 3 10  ",
                      }));
    }

    // The meet, its session and the programme's events (number, sex, round,
    // distance, swimmers, stroke) in the names of the Lenex documentation.
    void meetAndEvents()
    {
        const LenexReadBack back(demoXml());
        QCOMPARE(back.firstOf["LENEX"].value("version").toString(), QStringLiteral("3.0"));
        QCOMPARE(back.firstOf["CONSTRUCTOR"].value("name").toString(), QStringLiteral("AQGalaRec"));
        QCOMPARE(back.count("CONTACT"), 1);
        const QXmlStreamAttributes meet = back.firstOf["MEET"];
        QCOMPARE(meet.value("name").toString(), QStringLiteral("Harbourside Junior Team Gala"));
        QCOMPARE(meet.value("city").toString(), QStringLiteral("Harbourside Baths"));
        QCOMPARE(meet.value("course").toString(),
                 QStringLiteral("SCM")); // the demonstration pool is 25 m
        QCOMPARE(meet.value("nation").toString(), QStringLiteral("GBR"));
        QCOMPARE(back.firstOf["POOL"].value("lanemin").toString(), QStringLiteral("1"));
        QCOMPARE(back.firstOf["POOL"].value("lanemax").toString(), QStringLiteral("4"));
        QCOMPARE(back.count("MEETS"), 1);
        QCOMPARE(back.count("SESSION"), 1);
        QCOMPARE(back.firstOf["SESSION"].value("date").toString(), QStringLiteral("2026-10-12"));
        QCOMPARE(back.count("EVENT"), 12);
        QCOMPARE(back.count("HEAT"), 24); // two heats in every event
        QCOMPARE(back.count("AGEGROUP"), 12);
        QCOMPARE(back.count("CLUB"), 8);
        QCOMPARE(back.events,
                 QStringList({"1 F TIM 50 1 FREE", "2 M TIM 50 1 FREE", "3 F TIM 50 1 BACK",
                              "4 M TIM 50 1 BACK", "5 F TIM 50 1 BREAST", "6 M TIM 50 1 BREAST",
                              "7 F TIM 100 1 FREE", "8 M TIM 100 1 FREE", "9 F TIM 50 1 FLY",
                              "10 M TIM 50 1 FLY", "11 X TIM 100 1 MEDLEY",
                              "12 X TIM 50 4 FREE"})); // Mixed Open 200 FS relay: 4 x 50
        for (const char *container : {"SESSIONS", "EVENTS", "HEATS", "CLUBS", "ATHLETES", "RESULTS",
                                      "RELAYS", "RELAY", "SWIMSTYLE", "AGEGROUPS", "RANKINGS"})
            QVERIFY2(back.count(container) > 0, container);
    }

    // One athlete per name and date of birth within a team; unnamed swims
    // go to an athlete named after the team; unknown dates stay out.
    void athletes()
    {
        const LenexReadBack back(demoXml());
        const QStringList expected = {
            "Harbourside|Zoë|Brontë|F|2016-03-05|3",
            "Harbourside|Zoë|Brontë|F|2016-03-06|1",
            "Ashford Otters|Ann|&lt;Lee&gt;|F|2016-01-01|3",
            "Bramley Dolphins|Mary|Smith|F||1",
            "Bramley Dolphins||Bramley Dolphins|F||1",
            "Harbourside B|Sue|Named-Only|F||0",
            "Ashford B||Ashford B|F||1",
            "Castleton Guests|Gail|Guest|F|2015-09-09|1",
        };
        QStringList got = back.athletes;
        // Read back, the escaped name is the typed one again.
        QStringList typed = expected;
        typed.replaceInStrings("&lt;", "<").replaceInStrings("&gt;", ">");
        QCOMPARE(got, typed);
        QCOMPARE(back.count("RELAY"), 3);
    }

    // Names outside ASCII and the characters XML reserves survive; a date
    // of birth that is no date is left out, not guessed.
    void awkwardTexts()
    {
        MemorySheet sheet("YY", {"Ash & Co <B>", "Ünterwasser \"Ö\""});
        sheet.gala.GalaName = "Gala <&> \"Ω\"";
        sheet.gala.LaneTime(1, 1) = "30.00";
        sheet.gala.LaneName(1, 1) = "Siân  O'Brien-Łukasz";
        sheet.gala.LaneDoB(1, 1) = "31/02/12";
        sheet.gala.LaneTime(1, 2) = "D";
        sheet.gala.LaneNotes(1, 2) = "False start <0.03s> & \"twice\"";
        SplitTimes none(nullptr, {});
        const QByteArray xml = LenexResultsXml(sheet.gala, {"12/10/26", 0, "0.1"}, none);
        const LenexReadBack back(xml);
        QCOMPARE(back.fault, QString());
        QCOMPARE(back.firstOf["MEET"].value("name").toString(), QStringLiteral("Gala <&> \"Ω\""));
        QVERIFY(!back.firstOf["MEET"].hasAttribute("course")); // no pool length, no course
        QCOMPARE(back.athletes, QStringList({"Ash & Co <B>|Siân|O'Brien-Łukasz|F||1",
                                             "Ünterwasser \"Ö\"||Ünterwasser \"Ö\"|F||1"}));
        QCOMPARE(back.resultAt["1|1|2"].value("comment"),
                 QStringLiteral("False start <0.03s> & \"twice\""));
        QTemporaryDir dir;
        QString error;
        QVERIFY(LenexFile::Write(dir.filePath("x.lef"), xml, {}, &error));
        QCOMPARE(XmlLint(dir.filePath("x.lef")), QString());
    }

    // A gala not swum yet: the programme with its heats and no results.
    void noResultsYet()
    {
        DemoSheet demo;
        QVERIFY(demo.open().opened());
        QString written, error;
        QVERIFY(LenexFile::Export(demo.shared, demo.gala, nullptr,
                                  demo.file.dir.filePath("empty.lxf"), &written, &error));
        const QByteArray xml = UnzipSingle(written);
        const QString plain = demo.file.dir.filePath("empty.lef");
        QVERIFY(LenexFile::Write(plain, xml, {}, &error));
        QCOMPARE(XmlLint(plain), QString());
        const LenexReadBack back(xml);
        QCOMPARE(back.fault, QString());
        QCOMPARE(back.count("EVENT"), 12);
        QCOMPARE(back.count("CLUB"), 8);
        QCOMPARE(back.count("RESULT"), 0);
        QCOMPARE(back.count("ATHLETE"), 0);
    }

    // Split times from the online-times database, at the pool's ends; with
    // no pool length, spread evenly over the race.
    void splits_data()
    {
        QTest::addColumn<double>("poolLength");
        QTest::addColumn<QStringList>("splits");
        QTest::newRow("25 m pool")
            << 25.0 << QStringList{"25=00:00:20.10", "50=00:00:41.00", "75=00:01:03.20"};
        QTest::newRow("no pool length")
            << 0.0 << QStringList{"25=00:00:20.10", "50=00:00:41.00", "75=00:01:03.20"};
        QTest::newRow("50 m pool: the rest lie past the finish")
            << 50.0 << QStringList{"50=00:00:20.10"};
    }
    void splits()
    {
        QFETCH(double, poolLength);
        QFETCH(QStringList, splits);
        RecordedDemo demo;
        const QString online = demo.file.dir.filePath("online.mdb");
        MakeOnlineTimes(online);
        Database ares(online);
        SplitTimes times(&ares, "M1");
        QXmlStreamReader reader(LenexResultsXml(demo.gala, {"12/10/26", poolLength, "0.1"}, times));
        QString at;
        QHash<QString, QStringList> found;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = reader.attributes();
            if (reader.name() == QLatin1String("RESULT"))
                at = a.value("resultid").toString();
            if (reader.name() == QLatin1String("SPLIT"))
                found[at] << a.value("distance").toString() + "=" + a.value("swimtime").toString();
        }
        QCOMPARE(found.size(), 1); // only event 11's lane 1:1 has intermediate times for M1
        QCOMPARE(found.begin().value(), splits);
    }

    void lenexValues_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("time 65.23") << "time"
                                    << "65.23"
                                    << "00:01:05.23";
        QTest::newRow("time 5.2") << "time"
                                  << "5.2"
                                  << "00:00:05.20";
        QTest::newRow("time 59.999") << "time"
                                     << "59.999"
                                     << "00:01:00.00";
        QTest::newRow("time 3600") << "time"
                                   << "3600"
                                   << "01:00:00.00";
        QTest::newRow("25 m") << "course"
                              << "25"
                              << "SCM";
        QTest::newRow("50 m") << "course"
                              << "50"
                              << "LCM";
        QTest::newRow("33 m") << "course"
                              << "33"
                              << "";
        QTest::newRow("no length") << "course"
                                   << "0"
                                   << "";
        QTest::newRow("girls") << "gender"
                               << "G12"
                               << "F";
        QTest::newRow("ladies") << "gender"
                                << "Ladies"
                                << "F";
        QTest::newRow("F") << "gender"
                           << "F Open"
                           << "F";
        QTest::newRow("boys") << "gender"
                              << "B10"
                              << "M";
        QTest::newRow("men") << "gender"
                             << "Men"
                             << "M";
        QTest::newRow("mixed is not men") << "gender"
                                          << "Mixed Open"
                                          << "X";
        QTest::newRow("mix") << "gender"
                             << "mix 12"
                             << "X";
        QTest::newRow("open") << "gender"
                              << "Open"
                              << "X";
        QTest::newRow("lower case") << "gender"
                                    << "g10"
                                    << "X";
        QTest::newRow("empty") << "gender"
                               << ""
                               << "X";
    }
    void lenexValues()
    {
        QFETCH(QString, kind);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        if (kind == "time")
            QCOMPARE(Lenex::SwimTime(input.toFloat()), expected);
        else if (kind == "course")
            QCOMPARE(Lenex::Course(input.toDouble()), expected);
        else
            QCOMPARE(Lenex::Gender(input), expected);
    }

    // A file that cannot be written is reported and leaves the old one whole.
    void unwritableFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("zipped") << "gala.lxf";
        QTest::newRow("plain") << "gala.lef";
    }
    void unwritableFile()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QString error;
        QVERIFY(!LenexFile::Write(dir.filePath("missing/" + name), "<LENEX/>", {}, &error));
        QVERIFY(!error.isEmpty());
        // A name so long that no temporary file can stand beside it: the
        // new file cannot be assembled, and the old one must stay as it was.
        const QString path = dir.filePath(QString(250, 'a') + name.right(4));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        const QByteArray before = "the results of last week\n";
        old.write(before);
        old.close();
        QVERIFY(!LenexFile::Write(path, "<LENEX/>", {}, &error));
        QCOMPARE(readFile(path), before);
    }

private:
    static QByteArray demoXml()
    {
        RecordedDemo demo;
        SplitTimes none(nullptr, {});
        return LenexResultsXml(demo.gala, {"12/10/26", 25, "0.1"}, none);
    }
};

QTEST_GUILESS_MAIN(TstLenex)
#include "tst_lenex.moc"
