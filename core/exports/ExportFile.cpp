#include "core/exports/ExportFile.h"

#include "core/values/PbUtil.h"

#include <QDir>

namespace Exports {

bool WriteFile(const QString &path, const QStringList &lines, QString &error)
{
    // The one place that knows how the shared text-file writer reports.
    QString why;
    if (PBUTIL::WriteTextFile(path, lines, &why))
        return true;
    error =
        Texts::tr("The file %1 could not be written: %2").arg(QDir::toNativeSeparators(path), why);
    return false;
}

QString CleanFileName(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString clean;
    clean.reserve(name.size());
    for (const QChar c : name)
        clean += c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c)
                     ? QLatin1Char('_')
                     : c;
    clean.replace(QLatin1String(".."), QLatin1String("_"));
    clean = clean.trimmed().left(50).trimmed();
    if (clean.startsWith(QLatin1Char('.')))
        clean[0] = QLatin1Char('_');
    return clean;
}

QString BareField(QString text)
{
    return text.remove(QLatin1Char(','));
}

} // namespace Exports
