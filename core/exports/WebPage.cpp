#include "core/exports/WebPage.h"

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

} // namespace WebPage
