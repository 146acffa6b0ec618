#include "core/exports/WebPage.h"

#include "core/gala/GalaState.h"
#include "core/values/PbUtil.h"

namespace WebPage {

QStringList opening(const QString &title)
{
    return {QStringLiteral("<!DOCTYPE HTML SYSTEM html.dtd>"),
            QStringLiteral("<html>"),
            QStringLiteral("<head>"),
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
    const QString &time = gala.LaneTime(e, t);
    return gala.LanePos(e, t) == 0 && graded && !time.isEmpty() && !disqualified(time) &&
           gala.TeamScoring[t];
}

} // namespace WebPage
