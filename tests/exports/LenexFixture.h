#pragma once

#include "tests/recording/RecordingFixture.h"

#include <QXmlStreamReader>

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The demonstration gala with results typed on the sheet and saved: times
// over both heats, swimmers named in some lanes only, a namesake born on
// another day, a disqualification, a relay, and names XML must escape.
struct RecordedDemo : DemoSheet
{
    RecordedDemo()
    {
        if (!open().opened())
            return;
        // Event 1, G10 50 FS, grade time 38.00: 37.00 is too fast and gets no place.
        type(1, {"40.5|Zoë Brontë|05/03/16", "37.00|Ann & <Lee>|01/01/16", "41|Mary Ann Smith|", "",
                 "|Sue Named-Only|", "39.00||", "", "38.50|Gail Guest|09/09/15"});
        dialogs.expectInput("Enter reason for Disqualification", "Turn & <kick>");
        type(3, {"45.10|Zoë Brontë|05/03/16", "D|Ann & <Lee>|01/01/16", "44.00||"});
        type(5, {"50.00|Zoë Brontë|06/03/16"});
        type(11, {"1:25.3|Zoë Brontë|05/03/16", "1.22.40|Ann & <Lee>|01/01/16"});
        type(12, {"2:10.00|Zoë, Ann, Mary, Sue|", "2:05.5||", "", "", "2:20.00||"});
        model.SaveResults();
    }
    // "time|name|date of birth" of each lane from the first.
    void type(int e, const QStringList &lanes)
    {
        model.ShowEvent(e);
        for (int r = 0; r < lanes.size(); ++r) {
            const QStringList lane = lanes[r].split('|');
            model.setText(SheetModel::Time, r, lane.value(0));
            model.TimeLostFocus(r);
            model.setText(SheetModel::SwimmerName, r, lane.value(1));
            model.setText(SheetModel::DoB, r, lane.value(2));
            model.DobLostFocus(r);
        }
    }
};

// A Lenex document read with the XML reader alone, ids resolved through its
// own EVENT and HEAT elements. A swim is "event|heat|lane|club|who|swimtime|
// place|points|status|comment", who being "first/last/birthdate" of an
// athlete or "relay <name>".
struct LenexReadBack
{
    QStringList swims, athletes, events, rankings, places;
    QMap<QString, QStringList> splits;             // "distance=swimtime" by "event|heat|lane"
    QMultiHash<QString, QXmlStreamAttributes> all; // every element by name

    explicit LenexReadBack(const QByteArray &xml)
    {
        QXmlStreamReader r(xml);
        QHash<QString, QString> number; // of each eventid and heatid
        QString club, who, at;
        while (!r.atEnd()) {
            if (r.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = r.name().toString();
            const QXmlStreamAttributes a = r.attributes();
            const auto v = [&a](const char *key) { return a.value(QLatin1String(key)).toString(); };
            all.insert(name, a);
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
                who = QString("%1/%2/%3").arg(v("firstname"), v("lastname"), v("birthdate"));
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
inline QByteArray Unzip(const QString &option, const QString &path)
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
inline void
MakeOnlineTimes(const QString &path,
                const QString &rows = "('M1', 11, 1, 1, 'I', ' 20.1'), ('M1', 11, 1, 1, "
                                      "'F', '1:25.30'), ('M1', 11, 1, 1, 'I', '41.0'), "
                                      "('M1', 11, 1, 3, 'I', '19.00'), ('M1', 11, 1, 1, "
                                      "'I', '1:03.2'), ('XX', 1, 1, 1, 'I', '19.80'), "
                                      "('M1', 3, 1, 2, 'I', '21.00')")
{
    auto db = Database::create(path);
    db->execute("CREATE TABLE Times (Meet_code TEXT, Event_number DOUBLE, Heat_number SMALLINT, "
                "Lane_number SMALLINT, Kind_of_time TEXT, Lane_time TEXT)");
    db->addStoredQuery("Times for 1 event",
                       "SELECT * FROM Times WHERE Meet_code = ?1 AND Event_number = ?2 AND "
                       "Heat_number = ?3 ORDER BY rowid",
                       {"Meet code:text", "Event number:double", "Heat number:integer"}, {});
    db->execute("INSERT INTO Times VALUES " + rows);
}
