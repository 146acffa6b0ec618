#pragma once

#include <QString>
#include <QStringList>

struct GalaState;

// The parts the web results page and the team pages share.
namespace WebPage {

inline const QString TableStart = QStringLiteral("<table border=1 cellspacing=0 border=1>");

// A text as it stands on a page: &, <, > and " escaped, so a team called
// "Smith & Jones" or a name holding "<" cannot break the page or add markup.
inline QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

// One table cell around markup that is already safe.
inline QString cell(const QString &markup)
{
    return QStringLiteral("<td>") + markup + QStringLiteral("</td>");
}

// A centred level-2 heading around markup that is already safe.
inline QString heading(const QString &markup)
{
    return QStringLiteral("<h2><center>") + markup + QStringLiteral("</center></h2>");
}

// The lines up to and including "<body>", with the (escaped) title.
QStringList opening(const QString &title);
// "</body>" and "</html>".
QStringList closing();

// An event as the pages name it: sex/age, distance with "m " and the full
// stroke name ("G12 50m Backstroke"), not escaped.
QString eventDetails(const GalaState &gala, int e);

// A disqualified swim's time text starts with an upper-case "D".
inline bool disqualified(const QString &laneTime)
{
    return laneTime.startsWith(QLatin1Char('D'));
}

// A scoring team's swim faster than the grade time of a graded gala: it has
// a real time but got no place ("TF").
bool fasterThanGrade(const GalaState &gala, bool graded, int e, int t);

} // namespace WebPage
