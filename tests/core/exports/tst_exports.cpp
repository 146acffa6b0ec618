#include "cli/ExportCommand.h"
#include "core/exports/ExportMenu.h"
#include "core/exports/LenexFile.h"
#include "core/exports/LenexResults.h"
#include "core/exports/ProgramData.h"
#include "core/exports/RankingFiles.h"
#include "core/exports/WebResults.h"
#include "core/exports/WebTeamResults.h"
#include "core/links/SplitTimes.h"
#include "core/sheet/SaveResults.h"
#include "tests/core/sheet/RecordingFixture.h"
#include "tests/support/DataRow.h"
#include "ui/GalaRecSheet.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The attributes the Lenex 3.0 documentation marks required ("r") for each
// element, with the values it allows where it lists them. CONTACT is
// required, with its e-mail, inside CONSTRUCTOR only.
struct Required
{
    const char *element;
    QStringList attributes;
    QString allowed = {}; // "attribute=A|B|C"
};
const Required LenexRequired[] = {
    {"LENEX", {"version"}},
    {"CONSTRUCTOR", {"name", "registration", "version"}},
    {"MEET", {"name", "city", "nation"}},
    {"SESSION", {"number", "date"}},
    {"EVENT", {"eventid", "number"}},
    {"SWIMSTYLE", {"distance", "relaycount", "stroke"}},
    {"AGEGROUP", {"agegroupid", "agemax", "agemin"}},
    {"HEAT", {"heatid", "number"}},
    {"CLUB", {"name"}},
    {"ATHLETE", {"athleteid", "birthdate", "firstname", "gender", "lastname"}, "gender=M|F"},
    {"RELAY", {"agemax", "agemin", "agetotalmax", "agetotalmin", "gender"}, "gender=M|F|X"},
    {"RESULT", {"resultid", "swimtime"}},
    {"SPLIT", {"distance", "swimtime"}},
    {"RANKING", {"place", "resultid"}},
};

// A Lenex document read with the XML reader alone, ids resolved through its
// own EVENT and HEAT elements. A swim is "event|heat|lane|club|who|swimtime|
// place|points|status|comment", who being "firstname lastname/birthdate" of
// an athlete or "relay <name>". `faults` holds every break of the rules
// above, and names each listed element the document lacks, so a document
// cannot pass by leaving an element out.
struct LenexReadBack
{
    QStringList swims, athletes, events, rankings, places, faults;
    QMap<QString, QStringList> splits;             // "distance=swimtime" by "event|heat|lane"
    QMultiHash<QString, QXmlStreamAttributes> all; // every element by name

    explicit LenexReadBack(const QByteArray &xml)
    {
        QXmlStreamReader r(xml);
        QHash<QString, QString> number; // of each eventid and heatid
        QString club, who, at;
        QStringList open; // the elements around the reader
        while (!r.atEnd()) {
            const QXmlStreamReader::TokenType token = r.readNext();
            if (token == QXmlStreamReader::EndElement)
                open.removeLast();
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QString name = r.name().toString();
            const QXmlStreamAttributes a = r.attributes();
            const auto v = [&a](const char *key) { return a.value(QLatin1String(key)).toString(); };
            all.insert(name, a);
            if (name == "CONSTRUCTOR")
                faults << "CONSTRUCTOR without CONTACT"; // until one is found inside
            if (name == "CONTACT" && open.value(open.size() - 1) == "CONSTRUCTOR") {
                faults.removeAll("CONSTRUCTOR without CONTACT");
                if (v("email").trimmed().isEmpty())
                    faults << "CONTACT in CONSTRUCTOR without email";
            }
            open << name;
            for (const Required &rule : LenexRequired) {
                if (name != QLatin1String(rule.element))
                    continue;
                for (const QString &key : rule.attributes) {
                    if (a.value(key).trimmed().isEmpty())
                        faults << name + " without " + key;
                }
                const QString attribute = rule.allowed.section('=', 0, 0);
                if (!attribute.isEmpty() &&
                    !rule.allowed.section('=', 1).split('|').contains(a.value(attribute)))
                    faults << name + ' ' + attribute + '=' + a.value(attribute).toString();
            }
            if (name == "EVENT") {
                number["e" + v("eventid")] = v("number");
                events << QString("%1 %2 %3").arg(v("number"), v("gender"), v("round"));
            } else if (name == "SWIMSTYLE") {
                events.last() +=
                    QString(" %1 %2 %3").arg(v("distance"), v("relaycount"), v("stroke"));
            } else if (name == "HEAT") {
                number["h" + v("heatid")] = v("number");
            } else if (name == "CLUB") {
                club = v("name");
            } else if (name == "ATHLETE") {
                // The typed name is the first name, a blank and the last name.
                who = QString("%1 %2/%3").arg(v("firstname"), v("lastname"), v("birthdate"));
                athletes << QString("%1|%2|%3").arg(club, who, v("gender"));
            } else if (name == "RELAY") {
                who = "relay " + v("name");
            } else if (name == "RANKING") {
                rankings << v("resultid") + '=' + v("place");
            } else if (name == "SPLIT") {
                splits[at] << v("distance") + '=' + v("swimtime");
            } else if (name == "RESULT") {
                at = number["e" + v("eventid")] + '|' + number["h" + v("heatid")] + '|' + v("lane");
                swims << QString("%1|%2|%3|%4|%5|%6|%7|%8")
                             .arg(at, club, who, v("swimtime"), v("place"), v("points"),
                                  v("status"), v("comment"));
                if (a.hasAttribute("place"))
                    places << v("resultid") + '=' + v("place");
            }
        }
        if (r.hasError())
            faults << r.errorString();
        for (const Required &rule : LenexRequired) {
            if (!all.contains(rule.element))
                faults << QString("no %1 at all").arg(rule.element);
        }
        faults.removeDuplicates();
        for (QStringList *list : {&swims, &rankings, &places})
            list->sort();
    }
    QString attribute(const QString &element, const char *key) const
    {
        return all.value(element).value(QLatin1String(key)).toString();
    }
};

// Info-ZIP's unzip, a reader apart from the writer's library, on an
// archive: "-p" gives the bytes of its entries, "-Z1" their names, "-ZT" a
// listing with their dates.
QByteArray Unzip(const QString &option, const QString &path)
{
    QProcess unzip;
    unzip.start("unzip", {option, path});
    unzip.waitForFinished(60000);
    return unzip.readAllStandardOutput();
}

// An online-times database of (meet, event, heat, lane, kind of time, time)
// rows, by default intermediate times of meet M1 for event 11, heat 1, lane 1
// (mixed with its final time), and times that must not show: another
// meet's, and the disqualified swim's.
void MakeOnlineTimes(const QString &path,
                     const QString &rows = "('M1', 11, 1, 1, 'I', ' 20.1'), ('M1', 11, 1, 1, "
                                           "'F', '1:25.30'), ('M1', 11, 1, 1, 'I', '41.0'), "
                                           "('M1', 11, 1, 3, 'I', '19.00'), ('M1', 11, 1, 1, "
                                           "'I', '1:03.2'), ('XX', 1, 1, 1, 'I', '19.80'), "
                                           "('M1', 3, 1, 2, 'I', '21.00')")
{
    ReadyMade::createOnlineTimesDatabase(path)->execute(
        "INSERT INTO Online_Times (\"Meet code\", \"Event number\", \"Heat number\", Lane_number, "
        "Kind_of_time, Lane_time) VALUES " +
        rows);
}

const QString Day = QStringLiteral("12/10/26");

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Team entries named as given, one heat, lanes 1, 2, 3 ...; with `swims`
// ("distance|stroke|sex/age|time|name|club|dob[|stored dob, yyyy-mm-dd]"),
// one event per swim, each swum by the first entry.
GalaState gala(const QStringList &names, const QStringList &swims = {})
{
    GalaState g;
    g.NoOfEvents = int(swims.size()); // sizes the lane grids with the teams
    g.resizeEvents(g.NoOfEvents);
    g.NoOfTeams = int(names.size());
    g.resizeTeams(g.NoOfTeams);
    for (int t = 1; t <= g.NoOfTeams; ++t) {
        g.TeamName[t] = names[t - 1];
        g.TeamHeat[t] = 1;
        g.TeamLane[t] = t;
        g.TeamScoring[t] = true;
    }
    for (int e = 1; e <= g.NoOfEvents; ++e) {
        const QStringList f = swims[e - 1].split(QLatin1Char('|'));
        g.EventNo[e] = QString::number(e);
        g.EventDistance[e] = f[0], g.EventStroke[e] = f[1], g.EventSexAge[e] = f[2];
        g.LaneTime(e, 1) = f[3], g.LaneName(e, 1) = f[4], g.LaneClub(e, 1) = f[5];
        g.LaneDoB(e, 1) = f[6];
        g.LaneDoBStored(e, 1) = QDate::fromString(f.value(7), Qt::ISODate);
    }
    return g;
}

// A gala with the texts that trouble exports: markup and "&" in names, a
// comma in a team and a club, a disqualification whose reason holds markup,
// points of 2.5 and .5, a relay, a guest team and a swim too fast for the
// grade. One heat of three lanes.
GalaState smallGala()
{
    GalaState g = gala({"Smith & Jones", "Harbourside, North", "Guests"},
                       {"50|FS|G10|35.20|Mary  Ann Smith||05/03/92",
                        "100|MED|B12|1:32.45|Ann Lee|Bramley, Kent|5/3/1992", "200|FSR|Mixed||||"});
    g.GalaName = QStringLiteral("Harbourside & District <Junior> Gala");
    g.PoolName = QStringLiteral("Harbourside Baths, Pool 2");
    g.TeamScoring[3] = false;
    g.NoOfScoringTeams = 2;
    // event|team|time|place|points
    for (const char *lane :
         {"1|1|35.20|1|2", "1|2|D|0|0", "1|3|33.00|0|0", "2|1|1:32.45|2|2", "2|2|1:30.00|1|2.5",
          "2|3||0|0.5", "3|1|2:10.00|0|0", "3|2|2:15.00|1|3"}) {
        const QStringList f = QString::fromLatin1(lane).split(QLatin1Char('|'));
        const int e = f[0].toInt(), t = f[1].toInt();
        g.LaneTime(e, t) = f[2];
        g.LanePos(e, t) = f[3].toInt();
        g.LanePoints(e, t) = f[4].toFloat();
        g.TeamTotal[t] += f[4].toFloat();
    }
    g.LaneName(1, 2) = QStringLiteral("Jo <b>Bloggs</b>");
    g.LaneDoB(1, 2) = QStringLiteral("01/02/93");
    g.LaneNotes(1, 2) = QStringLiteral("False start <early> & \"late\"");
    g.LaneNotes(2, 1) = QStringLiteral("split 45.1");
    g.LaneName(2, 2) = QStringLiteral("Tom");
    g.LaneDoB(2, 2) = QStringLiteral("12/11/93");
    g.LaneClub(1, 2) = QStringLiteral("Harbourside SC");
    return g;
}

// Files beyond a size limit fail as on a full disk, for this process only.
struct FullDisk
{
    rlimit saved{};
    explicit FullDisk(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &saved); }
};

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// The command's Run() called in this process, as main() calls it.
Run runInProcess(const QStringList &arguments)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int exitCode = ExportCommand::Run(
        QStringList{QStringLiteral("aqgalarec-export")} + arguments, outStream, errStream);
    return {exitCode, out, err};
}

// The program itself, started as a desk starts it from a shell.
Run runProgram(const QStringList &arguments)
{
    QProcess p;
    p.start(EXPORT_PROGRAM, arguments);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TstExports : public QObject
{
    Q_OBJECT
private slots:
    // Every export of the small gala into one folder, compared file by file.
    void smallGalaFiles_data()
    {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        DataRow("escaped, DQ table, points .5", "", "results.htm", "small_results.htm");
        DataRow("lower-case d: no DQ table", "d", "results.htm", "small_results_nodq.htm");
        DataRow("names, TF, no splits offline", "", "Smith & Jones.htm", "small_team1_offline.htm");
        DataRow("ungraded: no TF", "ungraded", "Smith & Jones.htm", "small_team1_ungraded.htm");
        DataRow("splits of lane and meet", "online", "Smith & Jones.htm", "small_team1_online.htm");
        DataRow("DQ reason, no splits", "online", "Harbourside, North.htm",
                "small_team2_online.htm");
        DataRow("guests without names", "", "Guests.htm", "small_team3_offline.htm");
        // The meet code "HSC/26" becomes a file name in the folder.
        // Short course (31) is the long course's header with its code changed:
        // the demonstration gala through the command line below.
        DataRow("ranking header, long course", "", "HSC_26.HDR", "small_long.HDR");
        DataRow("ranking: DQ skipped, d/m/yyyy, commas", "", "HSC_26.MRF", "small.MRF");
        DataRow("programme data: commas removed", "", "program.txt", "small_program.txt");
    }
    void smallGalaFiles()
    {
        QFETCH(QString, variant);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        GalaState small = smallGala();
        if (variant == QLatin1String("d"))
            small.LaneTime(1, 2) = QStringLiteral("d");
        const QTemporaryDir dir;
        MakeOnlineTimes(dir.filePath("ares.mdb"),
                        "('M1',1,1,1,'I','14.20'), ('M1',1,1,1,'I',' 29.85 '), "
                        "('M1',1,1,1,'F','35.20'), ('M1',1,1,2,'I','16.00'), "
                        "('M1',1,1,3,'I','15.00'), ('M1',2,1,1,'I','45.1'), "
                        "('M2',3,1,1,'I','1:00.00')");
        Database ares(dir.filePath("ares.mdb"));
        SplitTimes online(&ares, QStringLiteral("M1")), none(nullptr, {});
        QString error;
        QVERIFY(WebResults::Write(dir.filePath("results.htm"), small, Day, error));
        QVERIFY(WebTeamResults::Write(dir.path(), small, Day, variant != QLatin1String("ungraded"),
                                      variant == QLatin1String("online") ? online : none, error));
        QVERIFY(RankingFiles::Write(dir.path(), QStringLiteral("HSC/26"), true, small, Day, error));
        QVERIFY(ProgramData::Write(dir.filePath("program.txt"), small, error));
        // The expected files are kept with plain line ends (the program ends
        // each line with CR LF); line by line, so a failure names the first
        // differing line.
        const QByteArray want = readFile(EXPORT_DATA "/" + expected).replace("\n", "\r\n");
        QCOMPARE(QString(readFile(dir.filePath(file))).split('\n'), QString(want).split('\n'));
    }

    void pageNamesStayInTheFolder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("files"); // in team order
        DataRow("separators, .. and characters no file may hold",
                QStringList{"../../escape", "a\\b/c", "..", "A:B*C?", "\"Q\" <x>|y", "tab\there"},
                QStringList{"____escape.htm", "a_b_c.htm", "_.htm", "A_B_C_.htm", "_Q_ _x__y.htm",
                            "tab_here.htm"});
        DataRow("stand-ins, hidden and long names",
                QStringList{"", "   ", ".htaccess", QString(60, QLatin1Char('x'))},
                QStringList{"Heat 1 Lane 1.htm", "Heat 1 Lane 2.htm", "_htaccess.htm",
                            QString(50, QLatin1Char('x')) + ".htm"});
        DataRow("names that two entries share, any case",
                QStringList{"Otters", "Bramley", "OTTERS", "A", "A", "A Heat 1 Lane 5"},
                QStringList{"Otters Heat 1 Lane 1.htm", "Bramley.htm", "OTTERS Heat 1 Lane 3.htm",
                            "A Heat 1 Lane 4.htm", "A Heat 1 Lane 5.htm",
                            "A Heat 1 Lane 5 (2).htm"});
        DataRow("names beyond ASCII", QStringList{"Zoë Ødegård"}, QStringList{"Zoë Ødegård.htm"});
    }
    void pageNamesStayInTheFolder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, files);
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("web/pages"));
        QDir().mkpath(folder);
        QString error;
        SplitTimes none(nullptr, {});
        QVERIFY2(WebTeamResults::Write(folder, gala(names), Day, false, none, error),
                 qPrintable(error));
        // A browser that reads a page without a declared encoding as the old
        // Latin-1 default shows "ZoÃ«": libxml2's HTML reader does the same, so
        // it finds each team's name whole only where the page says it is UTF-8
        // and escapes what HTML would read as markup.
        for (int t = 0; t < names.size(); ++t) {
            QProcess xmllint;
            xmllint.start("xmllint",
                          {"--html", "--xpath", "string(//body)", folder + '/' + files[t]});
            QVERIFY(xmllint.waitForFinished(60000));
            const QString body = QString::fromUtf8(xmllint.readAllStandardOutput());
            QVERIFY2(body.contains(names[t]), qPrintable(files[t] + ": " + body));
        }
        files.sort();
        QCOMPARE(filesIn(folder), files); // every page in the folder, none replaced
    }

    void rankingLines_data()
    {
        QTest::addColumn<QString>("swim");
        QTest::addColumn<QString>("line"); // "" for no line
        DataRow("50 back: 13, boys M, no dob", "50|BK|B10|28.30|Tom|Bramley|",
                "M,Tom,Tom,Bramley,      ,002830,13");
        DataRow("men M", "1500|FS|Men|17:05.3|A B|C|", "M,B,A,C,      ,170530,06");
        DataRow("open: blank sex", "200|BR|Open|2:40|A B|C|", " ,B,A,C,      ,024000,09");
        DataRow("F is female, 59.999 s as 60.00", "50|FS|F12|59.999|A B|C|",
                "F,B,A,C,      ,006000,01");
        DataRow("dob not a date: its characters", "50|FS|G|30|A B|C|1992",
                "F,B,A,C,192   ,003000,01");
        DataRow("stored dob keeps its century", "50|FS|G|30|A B|C|05/06/25|1925-06-05",
                "F,B,A,C,050625,003000,01");
        DataRow("relay", "200|FSR|G|2:00|A B|C|", "");
        DataRow("an hour", "50|FS|G|60:00.00|A B|C|", "");
        DataRow("disqualified with a time after the D", "50|FS|G|DQ 1:05.23|A B|C|", "");
        DataRow("no time", "50|FS|G||A B|C|", "");
        DataRow("a name of blanks", "50|FS|G|30|   |C|", "");
    }
    void rankingLines()
    {
        QFETCH(QString, swim);
        QFETCH(QString, line);
        const GalaState one = gala({"Otters, Kent"}, {swim});
        QCOMPARE(RankingFiles::ResultLines(one, QDate(2026, 10, 12)),
                 line.isEmpty() ? QStringList() : QStringList{line});
        // Files that would hold no swim are not written, and the official is told why.
        const QTemporaryDir dir;
        QString error;
        QCOMPARE(RankingFiles::Write(dir.path(), "M1", false, one, Day, error), !line.isEmpty());
        QCOMPARE(filesIn(dir.path()).size(), line.isEmpty() ? 0 : 2);
        if (line.isEmpty())
            QCOMPARE(error, QStringLiteral("No ranking files written: the rankings take only swims "
                                           "with a time and a swimmer's name, and no swimmer was "
                                           "named in any swim of a ranked event"));
    }

    // A cancelled chooser, a gala date that is no date (asking nothing), or a
    // disk that fills up: nothing written, a chosen file's old bytes kept.
    void menuWritesNothing_data()
    {
        QTest::addColumn<QString>("entry"); // of the WEB and Export menus
        QTest::addColumn<QString>("galaDate");
        QTest::addColumn<QString>("chosen");  // the chooser's file in the folder; "" for Cancel
        QTest::addColumn<QString>("message"); // its start; {path} for the chosen file
        const QString cancelled = "No Output File Specified",
                      full = "The file {path} could not be written: ";
        DataRow("WEB Results Sheet", "web", Day, "", cancelled);
        DataRow("WEB Team Results", "teams", Day, "", cancelled);
        DataRow("ASA Ranking Files", "rankings", Day, "", cancelled);
        DataRow("Data for Competition Program", "program", Day, "", cancelled);
        DataRow("gala date: no such day", "rankings", "31/02/26", "",
                "The gala date \"31/02/26\" is not a date: no ranking files written");
        // Lenex needs the desk's contact: a cancelled question asks no file.
        DataRow("Lenex Results File, no contact e-mail", "lenex", Day, "",
                "No contact e-mail given: no Lenex file written");
        // Enter at the question would name the files ".HDR" and ".MRF".
        DataRow("no meet code", "rankings", Day, "DEMO.HDR",
                "No meet code entered: no ranking files written");
        DataRow("full disk: results page", "web", Day, "results.htm", full);
        DataRow("full disk: first team page", "teams", Day, "Smith & Jones.htm", full);
    }
    void menuWritesNothing()
    {
        QFETCH(QString, entry);
        QFETCH(QString, galaDate);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        const QString before = QDir::currentPath(), path = dir.filePath(chosen);
        QVERIFY(QDir::setCurrent(dir.path())); // where bare names would land
        SharedState shared;
        shared.GalaDate = galaDate;
        if (!chosen.isEmpty()) {
            shared.Choice.SelectedDir = dir.path() + QLatin1Char('/');
            shared.Choice.SelectedFile = chosen;
            QVERIFY(PBUTIL::WriteTextFile(path, {"last week"}));
        }
        NotingDialogs dialogs; // its chooser keeps the choice above
        const GalaState small = smallGala();
        SplitTimes none(nullptr, {});
        {
            const FullDisk full(200);
            if (entry == u"web")
                ExportMenu::WebResultsSheet(shared, small, dialogs);
            else if (entry == u"teams")
                ExportMenu::WebTeamResults(shared, small, dialogs, none);
            else if (entry == u"rankings")
                ExportMenu::AsaRankingFiles(shared, small, dialogs, 25);
            else if (entry == u"program")
                ExportMenu::DataForProgram(shared, small, dialogs);
            else
                ExportMenu::LenexResultsFile(shared, small, nullptr, dialogs);
        }
        QDir::setCurrent(before);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].startsWith(message.replace("{path}", path)),
                 qPrintable(dialogs.messages[0]));
        QCOMPARE(dialogs.questions, QStringList());
        QCOMPARE(filesIn(dir.path()), chosen.isEmpty() ? QStringList() : QStringList{chosen});
        if (!chosen.isEmpty())
            QCOMPARE(readFile(path), QByteArray("last week\r\n"));
    }

    // The demonstration gala typed on the sheet and saved, with online timing in
    // use, written out through every entry of the sheet's WEB and Export
    // menus. The Lenex file reads back as the swims typed; the command line
    // writes the same bytes from the saved gala, and a repeated option
    // writes each file.
    void demonstrationGalaThroughTheMenus()
    {
        DemoSheet desk;
        QVERIFY(desk.open().opened());
        // "time|name|date of birth" of each lane from the first.
        const auto type = [&desk](int e, const QStringList &lanes) {
            desk.model.ShowEvent(e);
            for (int r = 0; r < lanes.size(); ++r) {
                const QStringList lane = lanes[r].split('|');
                desk.model.setText(SheetModel::Time, r, lane.value(0));
                desk.model.TimeLostFocus(r);
                desk.model.setText(SheetModel::SwimmerName, r, lane.value(1));
                desk.model.setText(SheetModel::DoB, r, lane.value(2));
                desk.model.DobLostFocus(r);
            }
        };
        // Times over both heats, swimmers named in some lanes only, a namesake
        // born on another day, a disqualification, a relay, and names XML must
        // escape. Event 1, G10 50 FS, grade time 38.00: 37.00 is too fast and
        // gets no place.
        type(1, {"40.5|Zoë Brontë|05/03/16", "37.00|Ann & <Lee>|01/01/16", "41|Mary Ann Smith|", "",
                 "|Sue Named-Only|", "39.00||", "", "38.50|Gail Guest|09/09/15"});
        desk.dialogs.expectInput("Enter reason for Disqualification", "Turn & <kick>");
        type(3, {"45.10|Zoë Brontë|05/03/16", "D|Ann & <Lee>|01/01/16", "44.00||"});
        type(5, {"50.00|Zoë Brontë|06/03/16"});
        type(11, {"1:25.3|Zoë Brontë|05/03/16", "1.22.40|Ann & <Lee>|01/01/16"});
        type(12, {"2:10.00|Zoë, Ann, Mary, Sue|", "2:05.5||", "", "", "2:20.00||"});
        desk.model.SaveResults(SaveAction::Save);
        const QTemporaryDir dir;
        const QString ares = dir.filePath(QStringLiteral("ares.mdb"));
        MakeOnlineTimes(ares);
        OnlineTimes online{ares, std::make_unique<Database>(ares), QStringLiteral("M1")};
        GalaRecSheet sheet(desk.shared, desk.gala, desk.dialogs, &online);
        const QString folder = dir.filePath(QStringLiteral("out/"));
        QDir().mkpath(folder);
        // The gala code as the meet code; a Lenex name without extension:
        // zipped as .lxf. Each entry says what it wrote and where.
        desk.dialogs.expectChooser("Select File for WEB results page", folder, "results.htm")
            .expectMessage("Results page written to " + folder + "results.htm")
            .expectChooser("Select Directory for WEB team results pages", folder, "")
            .expectMessage("8 team results pages written in " + folder)
            .expectChooser("Select Directory for Ranking Files", folder, "")
            .expectInput("Enter meet code for ASA", "DEMO")
            // The demonstration pool is 25 m: Enter would answer short course.
            .expectYesNoDefaultNo("Long course (YES) or Short course (NO)", true)
            .expectMessage("Ranking files written: " + folder + "DEMO.HDR and " + folder +
                           "DEMO.MRF")
            .expectChooser("Select File for Program Data", folder, "program.txt")
            .expectMessage("Data for the competition program written to " + folder + "program.txt")
            .expectInput("Enter the contact e-mail for Lenex files", "desk@harbourside.example")
            .expectInput("Enter the organisation that runs the recording desk", "Harbourside")
            .expectChooser("Select File for Lenex Results", folder, "gala")
            .expectMessage("Lenex results written to " + folder + "gala.lxf");
        for (const char *entry : {"WEB_Results_Sheet", "WEB_Team_Results", "Export_ASA_Rankings",
                                  "Data_for_Program", "Export_Lenex"}) {
            QAction *action = sheet.findChild<QAction *>(QLatin1String(entry));
            QVERIFY2(action && action->isEnabled(), entry);
            action->trigger();
        }
        // At a 50 m pool Enter would answer long course.
        desk.dialogs.expectChooser("Select Directory for Ranking Files", folder, "")
            .expectInput("Enter meet code for ASA", "DEMO")
            .expectYesNo("Long course (YES) or Short course (NO)", true)
            .expectMessage("Ranking files written: " + folder + "DEMO.HDR and " + folder +
                           "DEMO.MRF");
        ExportMenu::AsaRankingFiles(desk.shared, desk.gala, desk.dialogs, 50.0);
        QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
        // The contact given once is kept for the next export.
        QCOMPARE(desk.shared.ContactEmail, QString("desk@harbourside.example"));
        QCOMPARE(desk.shared.ContactOrganisation, QString("Harbourside"));
        QVERIFY(readFile(folder + "Harbourside.htm").contains("<td>20.10 41.00 1:03.20 </td>"));
        // One entry dated on the gala day: one gala always gives the same bytes.
        const QString zip = folder + "gala.lxf";
        QCOMPARE(Unzip("-Z1", zip), QByteArray("gala.lef\n"));
        QVERIFY(Unzip("-ZT", zip).contains(" 20261012."));
        // Split times from the online-times database at the pool's ends, none
        // of another meet, of an empty lane or of a disqualified swim.
        const LenexReadBack back(Unzip("-p", zip));
        QCOMPARE(back.faults, QStringList());
        QCOMPARE(back.splits.keys(), QStringList{"11|1|1"});
        QCOMPARE(back.splits.first().join(' '), "25=00:00:20.10 50=00:00:41.00 75=00:01:03.20");
        // With no pool length the splits are spread evenly over the race; at
        // 50 m none lies past the finish.
        SplitTimes times(online.AresDb.get(), "M1");
        const std::tuple<double, QString, QString> pools[] = {
            {0.0, "", "25=00:00:20.10 50=00:00:41.00 75=00:01:03.20"},
            {50.0, "LCM", "50=00:00:20.10"},
            {33.0, "", "33=00:00:20.10 66=00:00:41.00 99=00:01:03.20"}};
        for (const auto &[pool, course, splits] : pools) {
            const LenexReadBack other(LenexResultsXml(
                desk.gala, {"12/10/26", pool, "0.1", "a@b.example", "Demo", "DEMO"}, times));
            QCOMPARE(other.splits.value("11|1|1").join(' '), splits);
            QCOMPARE(other.attribute("MEET", "course"), course);
        }
        // Event 1 is graded 38.00: 37.00 is too fast and gets no place, nor do
        // the guests; relays (event 12) score double. Names come back whole; a
        // birth not typed is 1 January 1900.
        QCOMPARE(
            back.swims,
            QStringList(
                {"11|1|1|Harbourside|Zoë Brontë/2016-03-05|00:01:25.30|2|6||",
                 "11|1|2|Ashford Otters|Ann & <Lee>/2016-01-01|00:01:22.40|1|7||",
                 "12|1|1|Harbourside|relay Zoë, Ann, Mary, Sue|00:02:10.00|2|12||",
                 "12|1|2|Ashford Otters|relay |00:02:05.50|1|14||",
                 "12|2|1|Harbourside B|relay |00:02:20.00|3|10||",
                 "1|1|1|Harbourside|Zoë Brontë/2016-03-05|00:00:40.50|2|6||",
                 "1|1|2|Ashford Otters|Ann & <Lee>/2016-01-01|00:00:37.00||||",
                 "1|1|3|Bramley Dolphins|Mary Ann Smith/1900-01-01|00:00:41.00|3|5||",
                 "1|2|2|Ashford B|Unnamed Ashford B/1900-01-01|00:00:39.00|1|7||",
                 "1|2|4|Castleton Guests|Gail Guest/2015-09-09|00:00:38.50||||",
                 "3|1|1|Harbourside|Zoë Brontë/2016-03-05|00:00:45.10|2|6||",
                 "3|1|2|Ashford Otters|Ann & <Lee>/2016-01-01|NT|||DSQ|Turn & <kick>",
                 "3|1|3|Bramley Dolphins|Unnamed Bramley Dolphins/1900-01-01|00:00:44.00|1|7||",
                 "5|1|1|Harbourside|Zoë Brontë/2016-03-06|00:00:50.00|1|7||"}));
        QCOMPARE(back.rankings, back.places); // each place ranked, at its own result
        QCOMPARE(QStringList({back.attribute("CONTACT", "email"), back.attribute("MEET", "name"),
                              back.attribute("MEET", "city"), back.attribute("MEET", "course"),
                              back.attribute("SESSION", "date")}),
                 QStringList({"desk@harbourside.example", "Harbourside Junior Team Gala",
                              "Harbourside Baths", "SCM", "2026-10-12"}));
        QCOMPARE(back.all.count("HEAT"), 24); // two heats in every event
        // One athlete per name and date of birth in a team (Zoë twice, born a
        // day apart), one named after the team for its unnamed swims, and Sue,
        // named in a lane without a time; every team is a club.
        QCOMPARE(back.all.count("ATHLETE"), 8);
        QCOMPARE(back.all.count("CLUB"), 8);

        // The database stays as it was: the runs table checks that of every run.
        const QTemporaryDir byCommand;
        const Run run = runInProcess(
            QString("--db %1 --code DEMO --date 12/10/26 --web %2/results.htm --team-pages %2 "
                    "--rankings %2 --long-course --program-data %2/program.txt --lenex %2/gala "
                    "--lenex %2/also.lef --online %3 --meet-code M1 --contact-email "
                    "desk@harbourside.example --organisation Harbourside")
                .arg(desk.file.path, byCommand.path(), ares)
                .split(' '));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        // Every file the menus wrote, written alike and told; nothing else.
        const QStringList files = filesIn(folder);
        QCOMPARE(files.size(), 13); // 8 team pages, 2 ranking files
        QCOMPARE(run.out.count("Wrote " + byCommand.path() + '/'), 14);
        QCOMPARE(filesIn(byCommand.path()).size(), 14);
        for (const QString &file : files)
            QCOMPARE(readFile(byCommand.filePath(file)), readFile(folder + file));
        QCOMPARE(readFile(byCommand.filePath("also.lef")), Unzip("-p", zip));
        // Without --long-course the ranking files are short course.
        const QTemporaryDir shortCourse;
        const QString rankings = QString("--db %1 --code DEMO --date 12/10/26 --rankings %2")
                                     .arg(desk.file.path, shortCourse.path());
        QCOMPARE(runInProcess(rankings.split(' ')).exitCode, 0);
        QCOMPARE(readFile(shortCourse.filePath("DEMO.HDR")),
                 readFile(folder + "DEMO.HDR").replace(",11\r\n", ",31\r\n"));
    }

    // Reserved and non-ASCII characters survive; names come back whole. What
    // the gala does not know stands as the README says: a birth that is no
    // date is 1 January 1900, a year alone is its 1 January, a one-word name
    // has "-" as first name, a name in girls' and boys' events is two
    // athletes, one in mixed events only is F. Each stroke by its Lenex name;
    // a 200 m freestyle relay is 4 x 50.
    void awkwardTexts()
    {
        // A birth stored in full keeps its century.
        const GalaState g =
            gala({"Ash & Co <B>"},
                 {"50|BK|Ladies|30.00|Siân  O'Brien-Łukasz||31/02/12",
                  "50|BR|Men|31.00|Old Timer||05/06/25|1925-06-05", "50|FLY|Open||||",
                  "100|MED|Mixed|32.00|Eve||2015", "50|FS|Boys|33.00|Siân O'Brien-Łukasz||31/02/12",
                  "50|FS|Mixed|34.00|Eve||2015", "200|FSR|Mixed|2:00.00|||"});
        SplitTimes none(nullptr, {});
        // Badly escaped, the reader would stop there and miss what follows.
        const LenexReadBack back(
            LenexResultsXml(g, {"12/10/26", 0, "0.1", "a@b.example", "Ash", "ASH"}, none));
        QCOMPARE(back.events,
                 QStringList({"1 F TIM 50 1 BACK", "2 M TIM 50 1 BREAST", "3 X TIM 50 1 FLY",
                              "4 X TIM 100 1 MEDLEY", "5 M TIM 50 1 FREE", "6 X TIM 50 1 FREE",
                              "7 X TIM 50 4 FREE"}));
        // Each athlete as the club, name and birth its swims come back with.
        QCOMPARE(back.all.count("RESULT"), 6);
        QCOMPARE(back.athletes, QStringList({"Ash & Co <B>|Siân O'Brien-Łukasz/1900-01-01|F",
                                             "Ash & Co <B>|Old Timer/1925-06-05|M",
                                             "Ash & Co <B>|Siân O'Brien-Łukasz/1900-01-01|M",
                                             "Ash & Co <B>|- Eve/2015-01-01|F"}));
        QCOMPARE(back.faults.filter("without"), QStringList());
    }

    // What the command says and how it exits. Whenever it fails it writes
    // nothing, leaves the gala database alone, and an old file it could not
    // replace (no room for a temporary name beside it) stays whole.
    void runs_data()
    {
        QTest::addColumn<QString>("arguments"); // {db}, {dir}, {file}, {old} stand for paths
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");  // on stdout for exit 0, else on stderr
        QTest::addColumn<QStringList>("made"); // the files in {dir}/out, without the time
        const QString gala = "--db {db} --code DEMO --date 12/10/26 --contact-email "
                             "desk@demo.example --organisation Demo ",
                      lenex = " --lenex {dir}/gala.lxf", on = "--code DEMO --date 12/10/26" + lenex;
        const QStringList none;
        DataRow("missing database", "--db {dir}/none.mdb " + on, 1,
                "Cannot open the gala database {dir}/none.mdb", none);
        DataRow("not a database", "--db {file} " + on, 1, "file is not a database", none);
        DataRow("unknown code", "--db {db} --code NOPE --date 12/10/26" + lenex, 1,
                "Unknown gala code NOPE in {db}", none);
        DataRow("no gala that day", "--db {db} --code DEMO --date 13/10/26" + lenex, 1,
                "Gala DEMO has no date 13/10/26", none);
        DataRow("old file kept", gala + "--lenex {old}", 1, "{old}: ", none);
        DataRow("a folder for a file", gala + "--lenex {dir}", 1,
                "{dir}: a folder, not a file name", none);
        DataRow("no online database", gala + "--online {dir}/none.mdb" + lenex, 1,
                "No database of online times", none);
        DataRow("no code", "--db {db} --date 12/10/26" + lenex, 2, "--code is required.", none);
        DataRow("contact not an e-mail address", gala + "--contact-email desk" + lenex, 2,
                "--contact-email needs an e-mail address: desk", none);
        DataRow("reports: one PDF each", gala + "--reports {dir}/out", 0,
                "Wrote {dir}/out/Results Sheets ",
                QStringList{"Analysis of Positions.pdf", "List of Swimmers for Announcer.pdf",
                            "Results Sheets.pdf", "Team Results.pdf"});
        DataRow("reports: unwritable folder", gala + "--reports {file}/out", 1,
                "Results Sheets could not be printed. The folder {file}/out cannot be made.", none);
        DataRow("help names the save history", "--help", 0, "--restore-save <no>", none);
        // The contact kept on line 6 of the settings file is enough; with none
        // kept or given, no Lenex file, the other files still.
        DataRow("contact from the settings file",
                "--db {db} --code DEMO --date 12/10/26 --settings {file} --lenex {dir}/out/g.lef",
                0, "Wrote {dir}/out/g.lef", QStringList{"g.lef"});
        DataRow("no contact", on + " --settings {dir}/none.ini --db {db} --web {dir}/out/r.htm", 1,
                "aqgalarec-export: No Lenex file written: ", QStringList{"r.htm"});
        const QString saves = "--db {db} --code DEMO --date 12/10/26 ";
        DataRow("no saves listed", saves + "--list-saves", 0, "No saves of DEMO 12/10/26.", none);
        DataRow("restore of a save not there", saves + "--restore-save 3", 1,
                "Gala DEMO 12/10/26 has no save numbered 3", none);
        DataRow("list or restore, not both", saves + "--list-saves --restore-save 1", 2,
                "Give either --list-saves or --restore-save.", none);
    }

    // A desk whose screen will not open restores an earlier save with the
    // program run from a shell.
    void commandLineRestoresASave()
    {
        TestGala demo(true);
        GalaState saved = gala({"Otters"}, {"50|FS|G10|31.00|||"});
        for (const char *time : {"31.00", "32.00"}) {
            saved.LaneTime(1, 1) = time;
            ResultStore::SaveResults(*demo.open(), "DEMO", "12/10/26", saved,
                                     {SaveAction::Save, "1"});
        }
        const QStringList galaDay{"--db", demo.path, "--code", "DEMO", "--date", "12/10/26"};
        const QStringList lines =
            runProgram(galaDay + QStringList{"--list-saves"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4); // heading, columns, two saves
        QVERIFY(lines[3].contains(" Save "));
        const QString older = lines[3].simplified().section(' ', 0, 0);
        const Run restored = runProgram(galaDay + QStringList{"--restore-save", older});
        QCOMPARE(restored.exitCode, 0);
        QVERIFY2(restored.out.startsWith("Save " + older + " is now the current results"),
                 qPrintable(restored.out + restored.err));
        QCOMPARE(galaRows(*demo.open(), "DEMO").value(0).section('|', 4, 4), "31.00");
        QCOMPARE(galaRows(*demo.open(), "backup").value(0).section('|', 4, 4), "32.00");
    }
    void runs()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QStringList, made);
        TestGala demo(true);
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.txt"),
                      old = dir.filePath(QString(250, 'a') + ".lxf");
        // No database, no folder: a settings file with the desk's contact.
        QVERIFY(PBUTIL::WriteTextFile(
            file, {"\"x.mdb\"", "", "", "", "", "\"desk@demo.example\",\"Demo\""}));
        QVERIFY(QDir(dir.path()).mkdir("out"));
        QVERIFY(PBUTIL::WriteTextFile(old, {"last week"}));
        const auto fill = [&](QString text) {
            return text.replace("{db}", demo.path)
                .replace("{dir}", dir.path())
                .replace("{file}", file)
                .replace("{old}", old);
        };
        const QByteArray databaseBefore = readFile(demo.path);

        const Run run = runInProcess(fill(arguments).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(run.exitCode, exitCode);
        const QString said = exitCode == 0 ? run.out : run.err;
        QVERIFY2(said.contains(fill(message)), qPrintable(run.out + run.err));
        QVERIFY2(exitCode == 0 ? run.err.isEmpty() : said.startsWith("aqgalarec-export: "),
                 qPrintable(run.out + run.err));
        QCOMPARE(run.out.count("Wrote "), made.size()); // each file told, nothing else
        QVERIFY(!QFile::exists(dir.filePath("gala.lxf")));
        QStringList out = QDir(dir.filePath("out")).entryList(QDir::Files);
        out.replaceInStrings(QRegularExpression(" \\d{4}(-\\d\\d){2} \\d\\d(-\\d\\d){2}"), "");
        QCOMPARE(out, made);
        QCOMPARE(readFile(demo.path), databaseBefore);
        QCOMPARE(readFile(old), QByteArray("last week\r\n"));
    }
};

QTEST_MAIN(TstExports)
#include "tst_exports.moc"
