#include "core/preparation/ProgrammeFile.h"

#include "core/gala/GalaState.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace ProgrammeFile {

QStringList lines(const Programme &programme)
{
    QStringList out{PBUTIL::FormatHash(programme.count())};
    for (int i = 1; i <= programme.count(); ++i) {
        const ProgrammeEvent e = programme.event(i);
        out << e.no << e.sexAge << e.distance << e.stroke << e.time << e.scoring;
    }
    return out;
}

bool losesTexts(const Programme &programme)
{
    for (const QString &text : lines(programme).mid(1)) {
        if (text.contains(QLatin1Char(',')) || text.startsWith(QLatin1Char('"')) ||
            text != text.trimmed() || text.contains(QLatin1Char('\r')) ||
            text.contains(QLatin1Char('\n')))
            return true;
    }
    return false;
}

namespace {

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList fields(const QString &content)
{
    QStringList out;
    const qsizetype n = content.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(content[i]))
            ++i;
        QString field;
        if (i < n && content[i] == QLatin1Char('"')) {
            const qsizetype close = content.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = content.mid(i + 1, end - i - 1);
            // Anything after the closing quote up to the field's end is dropped.
            i = end + 1;
            while (i < n && content[i] != QLatin1Char(',') && !isLineEnd(content[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && content[i] != QLatin1Char(',') && !isLineEnd(content[i]))
                ++i;
            field = content.mid(start, i - start).trimmed();
        }
        out << field;
        if (i >= n)
            break;
        if (content[i] == QLatin1Char(',')) {
            ++i;
            // A comma at the very end still ends a (last, empty) field.
            if (i >= n)
                out << QString();
        } else {
            // CR LF, a lone CR or a lone LF end one line.
            if (content[i] == QLatin1Char('\r') && i + 1 < n && content[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
        }
    }
    return out;
}

std::vector<ProgrammeEvent> read(const QString &content)
{
    const QStringList all = fields(content);
    std::vector<ProgrammeEvent> events;
    const int announced = all.isEmpty() ? 0 : PBUTIL::LeadingWhole(all.first());
    if (announced <= 0)
        return events; // names no events: an empty programme
    if (announced > GalaState::MaxEvents) {
        throw EngineError(QCoreApplication::translate(
                              "ProgrammeFile",
                              "The programme file lists %1 events but a programme can hold "
                              "at most %2; the programme has not been changed")
                              .arg(announced)
                              .arg(GalaState::MaxEvents));
    }
    const qsizetype needed = 1 + 6 * qsizetype(announced);
    if (all.size() < needed) {
        throw EngineError(QCoreApplication::translate(
                              "ProgrammeFile",
                              "The programme file lists %1 events but holds only %2 complete "
                              "events; the programme has not been changed")
                              .arg(announced)
                              .arg((all.size() - 1) / 6));
    }
    for (int i = 0; i < announced; ++i) {
        const qsizetype k = 1 + 6 * qsizetype(i);
        events.push_back({all[k], all[k + 1], all[k + 2], all[k + 3], all[k + 4], all[k + 5]});
    }
    return events;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Files from the old desk machines are in the Windows code page: its
    // dashes, curly quotes and euro sign sit where Latin-1 has control codes.
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows(bytes) : QString::fromLatin1(bytes);
}

std::vector<ProgrammeEvent> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(
            QCoreApplication::translate("ProgrammeFile", "Cannot read the programme file: ") +
            file.errorString());
    return read(decode(file.readAll()));
}

} // namespace ProgrammeFile
