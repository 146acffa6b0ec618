#include "core/values/SettingsFile.h"

#include "core/values/PbUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace SettingsFile {

namespace {

const QString FileName = QStringLiteral("aqrecord.ini");

// The fields of one line: quoted texts (a doubled quote stands for one
// quote), or bare values ending at a comma.
QStringList fieldsOf(const QString &line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i <= n) {
        while (i < n && line[i] == QLatin1Char(' '))
            ++i;
        QString field;
        if (i < n && line[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            i = comma < 0 ? n + 1 : comma + 1;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            field = line.mid(i, comma < 0 ? -1 : comma - i).trimmed();
            i = comma < 0 ? n + 1 : comma + 1;
        }
        fields << field;
    }
    return fields;
}

// #TRUE# reads as -1 and #FALSE# as 0; any other non-zero number is true.
bool flagOf(const QString &field)
{
    if (field.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        return true;
    if (field.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
        return false;
    return PBUTIL::LeadingNumber(field) != 0.0;
}

QString quoted(const QString &text)
{
    QString q = text;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString flag(bool on)
{
    return on ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
}

} // namespace

QString location(const QString &programFolder)
{
    if (QFileInfo(programFolder).isWritable())
        return QDir(programFolder).filePath(FileName);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(FileName);
}

Settings read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? parse(file.readAll()) : Settings();
}

Settings parse(const QByteArray &content)
{
    Settings s;
    const QStringList lines =
        QString::fromUtf8(content).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    auto field = [&lines](int line, int index) {
        if (line >= lines.size())
            return QString();
        const QStringList f = fieldsOf(lines[line]);
        return index < f.size() ? f[index] : QString();
    };
    s.GalaDbPath = field(0, 0);
    s.ProgCode = field(1, 0);
    s.LastGalaDate = field(2, 0);
    s.AnnouncerOn = flagOf(field(3, 0));
    s.AnnouncerDbPath = field(3, 1);
    s.OnlineOn = flagOf(field(4, 0));
    s.AresDbPath = field(4, 1);
    s.OnlineMeetCode = field(4, 2);
    s.ContactEmail = field(5, 0);
    s.ContactOrganisation = field(5, 1);
    s.SecondCopyOn = flagOf(field(6, 0));
    s.SecondCopyFolder = field(6, 1);
    s.PublishOn = flagOf(field(7, 0));
    s.PublishFolder = field(7, 1);
    return s;
}

QStringList lines(const Settings &s)
{
    return {quoted(s.GalaDbPath),
            quoted(s.ProgCode),
            quoted(s.LastGalaDate),
            flag(s.AnnouncerOn) + QLatin1Char(',') + quoted(s.AnnouncerDbPath),
            flag(s.OnlineOn) + QLatin1Char(',') + quoted(s.AresDbPath) + QLatin1Char(',') +
                quoted(s.OnlineMeetCode),
            quoted(s.ContactEmail) + QLatin1Char(',') + quoted(s.ContactOrganisation),
            flag(s.SecondCopyOn) + QLatin1Char(',') + quoted(s.SecondCopyFolder),
            flag(s.PublishOn) + QLatin1Char(',') + quoted(s.PublishFolder)};
}

bool write(const QString &path, const Settings &settings, QString *error)
{
    return PBUTIL::WriteTextFile(path, lines(settings), error);
}

} // namespace SettingsFile
