#pragma once

#include "foundation/PbUtil.h"
#include "tests/recording/RecordingFixture.h"

#include <QXmlStreamReader>

#include <zip.h>

// The demonstration gala with results typed on the sheet and saved, as the
// desk records it: times over both heats, swimmers named in some lanes only,
// a disqualification, a relay, and names that XML must escape.
struct RecordedDemo : DemoSheet
{
    struct Lane
    {
        QString time, name, dob;
    };

    RecordedDemo()
    {
        if (!open().opened())
            return;
        // Event 1, G10 50 FS, grade time 38.00: 37.00 is too fast and gets no place.
        type(1, {{"40.5", "Zoë Brontë", "05/03/16"},
                 {"37.00", "Ann & <Lee>", "01/01/16"},
                 {"41", "Mary Ann Smith", ""},
                 {},
                 {"", "Sue Named-Only", ""},
                 {"39.00", "", ""},
                 {"", "", ""},
                 {"38.50", "Gail Guest", "09/09/15"}});
        // Event 3, G12 50 BK: a disqualification with its reason, an unnamed lane.
        dialogs.expectInput(QStringLiteral("Enter reason for Disqualification"),
                            QStringLiteral("Turn & <kick>"));
        type(3, {{"45.10", "Zoë Brontë", "05/03/16"},
                 {"D", "Ann & <Lee>", "01/01/16"},
                 {"44.00", "", ""}});
        // Event 5, G12 50 BR: a namesake of the same team born on another day.
        type(5, {{"50.00", "Zoë Brontë", "06/03/16"}});
        // Event 11, Mixed 100 MED: the same swimmers again.
        type(11, {{"1:25.3", "Zoë Brontë", "05/03/16"}, {"1.22.40", "Ann & <Lee>", "01/01/16"}});
        // Event 12, the relay (200 FS relay, double points).
        type(12, {{"2:10.00", "Zoë, Ann, Mary, Sue", ""},
                  {"2:05.5", "", ""},
                  {},
                  {},
                  {"2:20.00", "", ""}});
        model.SaveResults();
    }

    void type(int e, const QList<Lane> &lanes)
    {
        model.ShowEvent(e);
        for (int r = 0; r < lanes.size(); ++r) {
            model.setText(SheetModel::Time, r, lanes[r].time);
            model.TimeLostFocus(r);
            model.setText(SheetModel::SwimmerName, r, lanes[r].name);
            model.setText(SheetModel::DoB, r, lanes[r].dob);
            model.DobLostFocus(r);
        }
    }
};

// Seconds of a Lenex swim time HH:MM:SS.hh, -1 for anything else ("NT").
inline double LenexSeconds(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)\\.(\\d\\d)$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return -1;
    return m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt() +
           m.captured(4).toInt() / 100.0;
}

// One swim as a row of texts: event number, heat, lane, club, swimmer (first
// name/last name and birth date, or the relay's name), seconds, place,
// points, status and comment.
inline QString SwimRow(const QStringList &fields)
{
    return fields.join(QLatin1Char('|'));
}

// The swims of a Lenex document, read with the XML reader alone: ids are
// resolved through the document's own EVENT and HEAT elements. Gives also
// any fault of the document.
struct LenexReadBack
{
    QStringList swims;
    QString fault;
    QStringList elements;                          // every element name, in document order
    QHash<QString, QXmlStreamAttributes> firstOf;  // the first element of each name
    QHash<QString, QXmlStreamAttributes> resultAt; // by "event|heat|lane"
    // Every athlete as "club|firstname|lastname|gender|birthdate|results".
    QStringList athletes;
    // Every event as "number gender round distance relaycount stroke".
    QStringList events;
    // "resultid=place" of every RANKING, and of every RESULT with a place.
    QStringList rankings, placedResults;

    explicit LenexReadBack(const QByteArray &xml)
    {
        QXmlStreamReader reader(xml);
        QHash<QString, QString> eventNumbers, heatNumbers;
        QString club, who;
        struct Pending
        {
            QXmlStreamAttributes result;
            QString club, who;
        };
        QList<Pending> results;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = reader.name().toString();
            const QXmlStreamAttributes a = reader.attributes();
            elements << name;
            if (!firstOf.contains(name))
                firstOf.insert(name, a);
            if (name == QLatin1String("EVENT")) {
                eventNumbers.insert(a.value("eventid").toString(), a.value("number").toString());
                events << QStringList{a.value("number").toString(), a.value("gender").toString(),
                                      a.value("round").toString()}
                              .join(QLatin1Char(' '));
            } else if (name == QLatin1String("SWIMSTYLE"))
                events.last() += QLatin1Char(' ') + QStringList{a.value("distance").toString(),
                                                                a.value("relaycount").toString(),
                                                                a.value("stroke").toString()}
                                                        .join(QLatin1Char(' '));
            else if (name == QLatin1String("HEAT"))
                heatNumbers.insert(a.value("heatid").toString(), a.value("number").toString());
            else if (name == QLatin1String("CLUB"))
                club = a.value("name").toString();
            else if (name == QLatin1String("ATHLETE")) {
                who = a.value("firstname").toString() + QLatin1Char('/') +
                      a.value("lastname").toString() + QLatin1Char('/') +
                      a.value("birthdate").toString();
                athletes << QStringList{club,
                                        a.value("firstname").toString(),
                                        a.value("lastname").toString(),
                                        a.value("gender").toString(),
                                        a.value("birthdate").toString(),
                                        QStringLiteral("0")}
                                .join(QLatin1Char('|'));
            } else if (name == QLatin1String("RELAY"))
                who = QStringLiteral("relay ") + a.value("name").toString();
            else if (name == QLatin1String("RANKING"))
                rankings << a.value("resultid").toString() + QLatin1Char('=') +
                                a.value("place").toString();
            else if (name == QLatin1String("RESULT")) {
                results.append({a, club, who});
                if (a.hasAttribute("place"))
                    placedResults << a.value("resultid").toString() + QLatin1Char('=') +
                                         a.value("place").toString();
                if (who.startsWith(QLatin1String("relay ")))
                    continue;
                // One more result for the athlete just read.
                QStringList last = athletes.last().split(QLatin1Char('|'));
                last.last() = QString::number(last.last().toInt() + 1);
                athletes.last() = last.join(QLatin1Char('|'));
            }
        }
        if (reader.hasError())
            fault = reader.errorString();
        for (const Pending &p : results) {
            const QXmlStreamAttributes &a = p.result;
            const double seconds = LenexSeconds(a.value("swimtime").toString());
            resultAt.insert(eventNumbers.value(a.value("eventid").toString()) + QLatin1Char('|') +
                                heatNumbers.value(a.value("heatid").toString()) + QLatin1Char('|') +
                                a.value("lane").toString(),
                            a);
            swims << SwimRow(
                {eventNumbers.value(a.value("eventid").toString(), "?"),
                 heatNumbers.value(a.value("heatid").toString(), "?"), a.value("lane").toString(),
                 p.club, p.who,
                 seconds < 0 ? QStringLiteral("none") : QString::number(seconds, 'f', 2),
                 a.value("place").toString(), a.value("points").toString(),
                 a.value("status").toString(), a.value("comment").toString()});
        }
        swims.sort();
        rankings.sort();
        placedResults.sort();
    }

    int count(const QString &element) const { return int(elements.count(element)); }
};

// The only entry of a zip archive, read with libzip; "" when the archive
// does not hold exactly one entry.
inline QByteArray UnzipSingle(const QString &path, QString *entryName = nullptr,
                              QDateTime *stamp = nullptr)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return {};
    QByteArray data;
    zip_stat_t st;
    if (zip_get_num_entries(archive, 0) == 1 && zip_stat_index(archive, 0, 0, &st) == 0) {
        if (entryName)
            *entryName = QString::fromUtf8(st.name);
        if (stamp)
            *stamp = QDateTime::fromSecsSinceEpoch(st.mtime);
        zip_file_t *file = zip_fopen_index(archive, 0, 0);
        if (file) {
            data.resize(qsizetype(st.size));
            if (zip_fread(file, data.data(), st.size) != zip_int64_t(st.size))
                data.clear();
            zip_fclose(file);
        }
    }
    zip_close(archive);
    return data;
}

// xmllint's verdict on a file: "" when it is well-formed.
inline QString XmlLint(const QString &path)
{
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    if (!lint.waitForFinished(60000))
        return QStringLiteral("xmllint did not run (install libxml2-utils)");
    if (lint.exitStatus() != QProcess::NormalExit || lint.exitCode() != 0)
        return QString::fromUtf8(lint.readAllStandardError()) + QStringLiteral(" exit ") +
               QString::number(lint.exitCode());
    return QString();
}

// An online-times database with the intermediate times of a few swims.
inline void MakeOnlineTimes(const QString &path)
{
    auto db = Database::create(path);
    db->execute("CREATE TABLE Times (Meet_code TEXT, Event_number DOUBLE, Heat_number SMALLINT, "
                "Lane_number SMALLINT, Kind_of_time TEXT, Lane_time TEXT)");
    db->addStoredQuery("Times for 1 event",
                       "SELECT * FROM Times WHERE Meet_code = ?1 AND Event_number = ?2 AND "
                       "Heat_number = ?3 ORDER BY rowid",
                       {"Meet code:text", "Event number:double", "Heat number:integer"}, {});
    const char *rows[] = {
        "'M1', 11, 1, 1, 'I', ' 20.1'",  "'M1', 11, 1, 1, 'F', '1:25.30'",
        "'M1', 11, 1, 1, 'I', '41.0'",   "'M1', 11, 1, 3, 'I', '19.00'",
        "'M1', 11, 1, 1, 'I', '1:03.2'", "'XX', 1, 1, 1, 'I', '19.80'",
        "'M1', 3, 1, 2, 'I', '21.00'", // the disqualified swim: no splits
    };
    for (const char *row : rows)
        db->execute(QStringLiteral("INSERT INTO Times VALUES (%1)").arg(QLatin1String(row)));
}
