#include "core/exports/RankingFiles.h"

#include "core/exports/ExportFile.h"
#include "core/gala/GalaState.h"
#include "core/sheet/SaveResults.h"
#include "core/values/PbUtil.h"

#include <QDir>
#include <QHash>

namespace RankingFiles {

namespace {

using Exports::BareField;

// Six characters of a lane's date of birth: day, month and year digits. A
// full date (the stored one, or the text read as a birth) is written from
// the date, so 5/3/92 gives 050392 as 05/03/92 does; anything else takes the
// characters where dd/mm/yy holds its digits, blanks when empty.
QString birthDigits(const GalaState &gala, int e, int t, const QDate &galaDay)
{
    const QDate date = ResultStore::BirthDate(gala, e, t, galaDay);
    if (date.isValid())
        return date.toString(QStringLiteral("ddMMyy"));
    const QString fitted = PBUTIL::FitText(gala.LaneDoB(e, t), 8);
    return fitted.mid(0, 2) + fitted.mid(3, 2) + fitted.mid(6, 2);
}

// Minutes, seconds and hundredths, two digits each (1:32.45 gives 013245).
QString timeDigits(float seconds)
{
    int minutes = 0;
    while (seconds >= 60.0f) {
        ++minutes;
        seconds -= 60.0f;
    }
    const QString rest = PBUTIL::FormatTwoDecimals(seconds);
    return QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0')) + rest.left(2) +
           rest.right(2);
}

} // namespace

QString EventCode(const QString &distance, const QString &stroke)
{
    static const QHash<QString, QString> codes = {
        {QStringLiteral("50FS"), QStringLiteral("01")},
        {QStringLiteral("100FS"), QStringLiteral("02")},
        {QStringLiteral("200FS"), QStringLiteral("03")},
        {QStringLiteral("400FS"), QStringLiteral("04")},
        {QStringLiteral("800FS"), QStringLiteral("05")},
        {QStringLiteral("1500FS"), QStringLiteral("06")},
        {QStringLiteral("50BR"), QStringLiteral("07")},
        {QStringLiteral("100BR"), QStringLiteral("08")},
        {QStringLiteral("200BR"), QStringLiteral("09")},
        {QStringLiteral("50FLY"), QStringLiteral("10")},
        {QStringLiteral("100FLY"), QStringLiteral("11")},
        {QStringLiteral("200FLY"), QStringLiteral("12")},
        {QStringLiteral("50BK"), QStringLiteral("13")},
        {QStringLiteral("100BK"), QStringLiteral("14")},
        {QStringLiteral("200BK"), QStringLiteral("15")},
        {QStringLiteral("200MED"), QStringLiteral("16")},
        {QStringLiteral("400MED"), QStringLiteral("17")},
        {QStringLiteral("100MED"), QStringLiteral("29")},
    };
    return codes.value(distance + stroke, QStringLiteral("00"));
}

QString SexCode(const QString &sexAge)
{
    const QString first = sexAge.left(1);
    if (first == QLatin1String("G") || first == QLatin1String("F") || first == QLatin1String("L"))
        return QStringLiteral("F");
    if (first == QLatin1String("B") || first == QLatin1String("M"))
        return QStringLiteral("M");
    return QStringLiteral(" ");
}

QDate GalaDay(const QString &galaDate)
{
    return PBUTIL::ReadDate(galaDate);
}

QString BadDateMessage(const QString &galaDate)
{
    return Exports::Texts::tr("The gala date \"%1\" is not a date: no ranking files written")
        .arg(galaDate);
}

QString HeaderLine(const GalaState &gala, const QDate &day, bool longCourse)
{
    return QStringList{BareField(gala.GalaName), BareField(gala.PoolName),
                       day.toString(QStringLiteral("ddMMyy")),
                       longCourse ? QStringLiteral("11") : QStringLiteral("31")}
        .join(QLatin1Char(','));
}

QStringList ResultLines(const GalaState &gala, const QDate &galaDay)
{
    QStringList lines;
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        const QString event = EventCode(gala.EventDistance[e], gala.EventStroke[e]);
        if (event == QLatin1String("00"))
            continue;
        const QString sex = SexCode(gala.EventSexAge[e]);
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            // A name of blanks only has no words to give: no swimmer either.
            const QStringList words = PBUTIL::SplitWords(gala.LaneName(e, t), QStringLiteral(" "));
            if (words.isEmpty())
                continue;
            // A disqualification never reaches the rankings, even one typed
            // with a time after the "D" ("DQ 1:05.23" would read 5.23 s).
            const QString &time = gala.LaneTime(e, t);
            const float seconds = PBUTIL::TimeFromText(time);
            if (time.startsWith(QLatin1Char('D')) || !(seconds > 0.0f && seconds < PBUTIL::MaxTime))
                continue;
            const QString &club =
                gala.LaneClub(e, t).isEmpty() ? gala.TeamName[t] : gala.LaneClub(e, t);
            lines << QStringList{sex,
                                 BareField(words.last()),
                                 BareField(words.first()),
                                 BareField(club),
                                 birthDigits(gala, e, t, galaDay),
                                 timeDigits(seconds),
                                 event}
                         .join(QLatin1Char(','));
        }
    }
    return lines;
}

QString HeaderFileName(const QString &meetCode)
{
    return Exports::CleanFileName(meetCode) + QStringLiteral(".HDR");
}

QString ResultsFileName(const QString &meetCode)
{
    return Exports::CleanFileName(meetCode) + QStringLiteral(".MRF");
}

bool Write(const QString &folder, const QString &meetCode, bool longCourse, const GalaState &gala,
           const QString &galaDate, QString &error)
{
    const QDate day = GalaDay(galaDate);
    if (!day.isValid()) {
        error = BadDateMessage(galaDate);
        return false;
    }
    // An empty results file would look like a gala nobody swam in.
    const QStringList results = ResultLines(gala, day);
    if (results.isEmpty()) {
        error = Exports::Texts::tr("No ranking files written: the rankings take only swims with "
                                   "a time and a swimmer's name, and no swimmer was named in any "
                                   "swim of a ranked event");
        return false;
    }
    const QDir dir(folder);
    return Exports::WriteFile(dir.filePath(HeaderFileName(meetCode)),
                              {HeaderLine(gala, day, longCourse)}, error) &&
           Exports::WriteFile(dir.filePath(ResultsFileName(meetCode)), results, error);
}

} // namespace RankingFiles
