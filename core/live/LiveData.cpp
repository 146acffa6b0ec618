#include "core/live/LiveData.h"

#include "core/exports/WebPage.h"
#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/live/LiveSnapshot.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>

namespace LiveData {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("LiveData", text);
}

using WebPage::html;

// Points as a spectator reads them: 7, 2.5, 0.5.
QString pointsText(float points)
{
    return QString::number(double(points), 'g', 7);
}

// The same value as a JSON number, without the float's binary tail.
double pointsValue(float points)
{
    return pointsText(points).toDouble();
}

// The rank of a lane in the place order (lower first).
int laneRank(const GalaState &gala, int e, int t)
{
    const QString &time = gala.LaneTime(e, t);
    if (gala.LanePos(e, t) > 0)
        return 0;
    if (time.isEmpty())
        return 3;
    return GalaRules::IsDisqualification(time) ? 2 : 1;
}

QString title(const LiveSnapshot &s)
{
    return s.galaDate + QStringLiteral(" - ") + s.gala.GalaName;
}

QString eventTitle(const GalaState &gala, int e)
{
    return tr("Event %1: %2").arg(gala.EventNo[e], GalaRules::EventTitle(gala, e));
}

// The place column: the place, "TF", "DQ" or nothing.
QString placeText(const LiveSnapshot &s, int e, int t)
{
    const GalaState &g = s.gala;
    if (GalaRules::IsDisqualification(g.LaneTime(e, t)))
        return QStringLiteral("DQ");
    if (GalaRules::TooFast(g, s.graded, e, t))
        return QStringLiteral("TF");
    return g.LanePos(e, t) > 0 ? QString::number(g.LanePos(e, t)) : QString();
}

QList<int> eventsNewestFirst(const GalaState &gala)
{
    QList<int> events;
    for (int e = gala.NoOfEvents; e >= 1; --e) {
        if (HasResults(gala, e))
            events << e;
    }
    return events;
}

} // namespace

float TeamPoints(const GalaState &gala, int t)
{
    return GalaRules::CumulativePoints(gala, t, gala.NoOfEvents);
}

QList<int> Standings(const GalaState &gala)
{
    QList<int> order;
    for (int t = 1; t <= gala.NoOfTeams; ++t)
        order << t;
    std::stable_sort(order.begin(), order.end(), [&gala](int a, int b) {
        if (gala.TeamScoring[a] != gala.TeamScoring[b])
            return gala.TeamScoring[a];
        return gala.TeamScoring[a] && TeamPoints(gala, a) > TeamPoints(gala, b);
    });
    return order;
}

QList<int> PlaceOrder(const GalaState &gala, int e)
{
    QList<int> order;
    for (int t = 1; t <= gala.NoOfTeams; ++t)
        order << t;
    std::stable_sort(order.begin(), order.end(), [&gala, e](int a, int b) {
        const int ra = laneRank(gala, e, a);
        const int rb = laneRank(gala, e, b);
        if (ra != rb)
            return ra < rb;
        return ra == 0 && gala.LanePos(e, a) < gala.LanePos(e, b);
    });
    return order;
}

bool HasResults(const GalaState &gala, int e)
{
    for (int t = 1; t <= gala.NoOfTeams; ++t) {
        if (!gala.LaneTime(e, t).trimmed().isEmpty())
            return true;
    }
    return false;
}

QByteArray Json(const LiveSnapshot &s, const QStringList &teamPages)
{
    const GalaState &g = s.gala;
    QJsonArray teams;
    for (int t = 1; t <= g.NoOfTeams; ++t) {
        teams.append(QJsonObject{{QStringLiteral("name"), g.TeamName[t]},
                                 {QStringLiteral("heat"), g.TeamHeat[t]},
                                 {QStringLiteral("lane"), g.TeamLane[t]},
                                 {QStringLiteral("scoring"), g.TeamScoring[t]},
                                 {QStringLiteral("points"), pointsValue(TeamPoints(g, t))},
                                 {QStringLiteral("page"), teamPages.value(t - 1)}});
    }
    QJsonArray standings;
    for (int t : Standings(g))
        standings.append(t);
    QJsonArray events;
    for (int e : eventsNewestFirst(g)) {
        QJsonArray lanes;
        for (int t : PlaceOrder(g, e)) {
            const bool dq = GalaRules::IsDisqualification(g.LaneTime(e, t));
            lanes.append(
                QJsonObject{{QStringLiteral("team"), t},
                            {QStringLiteral("time"), g.LaneTime(e, t)},
                            {QStringLiteral("place"), g.LanePos(e, t)},
                            {QStringLiteral("placeText"), placeText(s, e, t)},
                            {QStringLiteral("points"), pointsValue(g.LanePoints(e, t))},
                            {QStringLiteral("swimmer"), g.LaneName(e, t)},
                            {QStringLiteral("club"), g.LaneClub(e, t)},
                            {QStringLiteral("disqualified"), dq},
                            {QStringLiteral("reason"), dq ? g.LaneNotes(e, t) : QString()}});
        }
        events.append(QJsonObject{{QStringLiteral("index"), e},
                                  {QStringLiteral("number"), g.EventNo[e]},
                                  {QStringLiteral("title"), eventTitle(g, e)},
                                  {QStringLiteral("lanes"), lanes}});
    }
    const bool shown = s.lastEvent >= 1 && s.lastEvent <= g.NoOfEvents;
    const QJsonObject root{
        {QStringLiteral("title"), title(s)},
        {QStringLiteral("gala"), g.GalaName},
        {QStringLiteral("date"), s.galaDate},
        {QStringLiteral("pool"), g.PoolName},
        {QStringLiteral("savedAt"), s.savedAt.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("lastEvent"), shown ? g.EventNo[s.lastEvent] : QString()},
        {QStringLiteral("teams"), teams},
        {QStringLiteral("standings"), standings},
        {QStringLiteral("events"), events}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QStringList IndexPage(const LiveSnapshot &s, const QStringList &teamPages)
{
    const GalaState &g = s.gala;
    const QString heading = html(title(s));
    QStringList lines{
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html lang=\"en\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset=\"utf-8\">"),
        QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
        QStringLiteral("<title>") + heading + QStringLiteral("</title>"),
        QStringLiteral("<link rel=\"stylesheet\" href=\"live.css\">"),
        QStringLiteral("<script src=\"live.js\" defer></script>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<header><h1 id=\"title\">") + heading + QStringLiteral("</h1>"),
        QStringLiteral("<p id=\"saved\">") +
            html(tr("Results as saved at %1 UTC")
                     .arg(s.savedAt.toUTC().toString(QStringLiteral("HH:mm:ss")))) +
            QStringLiteral("</p></header>"),
        QStringLiteral("<section id=\"totals\"><h2>") + html(tr("Team totals")) +
            QStringLiteral("</h2><table>")};
    for (int t : Standings(g)) {
        const QString page = teamPages.value(t - 1);
        const QString name = page.isEmpty()
                                 ? html(g.TeamName[t])
                                 : QStringLiteral("<a href=\"teams/%1\">%2</a>")
                                       .arg(html(QString::fromUtf8(QUrl::toPercentEncoding(page))),
                                            html(g.TeamName[t]));
        lines << QStringLiteral("<tr><td>") + name + QStringLiteral("</td><td class=\"pts\">") +
                     (g.TeamScoring[t] ? pointsText(TeamPoints(g, t)) : html(tr("guest"))) +
                     QStringLiteral("</td></tr>");
    }
    lines << QStringLiteral("</table></section>") << QStringLiteral("<section id=\"events\">");
    for (int e : eventsNewestFirst(g)) {
        lines << QStringLiteral("<article class=\"event\"><h2>") + html(eventTitle(g, e)) +
                     QStringLiteral("</h2><table>");
        for (int t : PlaceOrder(g, e)) {
            const QString &time = g.LaneTime(e, t);
            QString swimmer = html(g.LaneName(e, t));
            if (GalaRules::IsDisqualification(time) && !g.LaneNotes(e, t).isEmpty())
                swimmer += QStringLiteral("<br><small>") + html(g.LaneNotes(e, t)) +
                           QStringLiteral("</small>");
            lines << QStringLiteral("<tr><td class=\"place\">") + placeText(s, e, t) +
                         QStringLiteral("</td><td>") + html(g.TeamName[t]) +
                         QStringLiteral("<br><small>") + swimmer +
                         QStringLiteral("</small></td><td class=\"time\">") + html(time) +
                         QStringLiteral("</td><td class=\"pts\">") +
                         (g.LanePoints(e, t) != 0.0f ? pointsText(g.LanePoints(e, t)) : QString()) +
                         QStringLiteral("</td></tr>");
        }
        lines << QStringLiteral("</table></article>");
    }
    lines << QStringLiteral("</section>")
          << QStringLiteral("<footer><a href=\"results.htm\">") + html(tr("Full results sheet")) +
                 QStringLiteral("</a></footer>")
          << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

} // namespace LiveData
