#include "core/exports/WebPage.h"

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

} // namespace WebPage
