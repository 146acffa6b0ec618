#include "core/exports/WebPage.h"

#include "core/gala/GalaState.h"
#include "core/values/PbUtil.h"

namespace WebPage {

QStringList opening(const QString &title)
{
    // The pages are UTF-8; a browser or server that assumed another encoding
    // would garble every accented name.
    return {QStringLiteral("<!DOCTYPE HTML SYSTEM html.dtd>"),
            QStringLiteral("<html>"),
            QStringLiteral("<head>"),
            QStringLiteral("<meta charset=\"utf-8\">"),
            QStringLiteral("<title>") + title + QStringLiteral("</title>"),
            QStringLiteral("</head>"),
            QStringLiteral("<body>")};
}

QStringList closing()
{
    return {QStringLiteral("</body>"), QStringLiteral("</html>")};
}

QString eventDetails(const GalaState &gala, int e)
{
    return gala.EventSexAge[e] + QLatin1Char(' ') + gala.EventDistance[e] + QStringLiteral("m ") +
           PBUTIL::StrokeName(gala.EventStroke[e]);
}

bool fasterThanGrade(const GalaState &gala, bool graded, int e, int t)
{
    return gala.LanePos(e, t) == 0 && graded && PBUTIL::SwimTime(gala.LaneTime(e, t)) > 0.0f &&
           gala.TeamScoring[t];
}

} // namespace WebPage
