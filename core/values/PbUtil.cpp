#include "core/values/PbUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cmath>

namespace PBUTIL {

double LeadingNumber(const QString &text)
{
    // Blanks may stand anywhere in the number, as the old reader allowed.
    QString digits;
    bool point = false;
    bool any = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (digits.isEmpty() && !any && (c == QLatin1Char('-') || c == QLatin1Char('+'))) {
            digits += c;
            continue;
        }
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            any = true;
        } else if (c == QLatin1Char('.') && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return 0.0;
    if (digits.endsWith(QLatin1Char('.')))
        digits.chop(1);
    return digits.toDouble();
}

int RoundHalfEven(double value)
{
    return int(std::nearbyint(value)); // the default rounding mode is half to even
}

int LeadingWhole(const QString &text)
{
    const double v = LeadingNumber(text);
    if (v > 1e9)
        return 1000000000;
    if (v < -1e9)
        return -1000000000;
    return RoundHalfEven(v);
}

float TimeFromText(const QString &text)
{
    qsizetype p = text.indexOf(QLatin1Char(':'));
    if (p < 0)
        p = text.indexOf(QLatin1Char(';'));
    if (p < 0)
        p = text.indexOf(QLatin1Char('-'));
    if (p < 0) {
        // A single "." is the decimal point of the seconds; two make the
        // first of them the minutes separator.
        const qsizetype first = text.indexOf(QLatin1Char('.'));
        if (first >= 0 && first != text.lastIndexOf(QLatin1Char('.')))
            p = first;
    }
    if (p < 0)
        return float(LeadingNumber(text));
    const double minutes = LeadingNumber(text.left(p));
    const double seconds = LeadingNumber(text.mid(p + 1));
    return float(minutes * 60.0 + seconds);
}

float SwimTime(const QString &laneTime)
{
    if (laneTime.startsWith(QLatin1Char('D')))
        return 0.0f;
    const float time = TimeFromText(laneTime);
    return time > 0.0f ? time : 0.0f;
}

TimeText TimeToText(float seconds)
{
    if (seconds > MaxTime)
        return {QString(), true};
    if (seconds == 0.0f)
        return {};
    // Work in whole hundredths so that 59.999 becomes 1:00.00, never 60.00.
    const long long hundredths = std::llround(double(seconds) * 100.0);
    const long long minutes = hundredths > 0 ? hundredths / 6000 : 0;
    const double rest = double(hundredths - minutes * 6000) / 100.0;
    if (minutes > 0)
        return {FormatZero(double(minutes)) + QLatin1Char(':') + FormatTwoDecimals(rest), false};
    return {FormatTwoDecimals(rest), false};
}

QString StrokeName(const QString &code)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("FS"), QStringLiteral("Freestyle")},
        {QStringLiteral("BR"), QStringLiteral("Breaststroke")},
        {QStringLiteral("BK"), QStringLiteral("Backstroke")},
        {QStringLiteral("FLY"), QStringLiteral("Butterfly")},
        {QStringLiteral("FSR"), QStringLiteral("FS Relay")},
        {QStringLiteral("BRR"), QStringLiteral("BR Relay")},
        {QStringLiteral("BKR"), QStringLiteral("BK Relay")},
        {QStringLiteral("FLYR"), QStringLiteral("FLY Relay")},
        {QStringLiteral("MED"), QStringLiteral("Ind Medley")},
        {QStringLiteral("MEDR"), QStringLiteral("Med Relay")},
        {QStringLiteral("FLBK"), QStringLiteral("Fly/Back")},
        {QStringLiteral("BKBR"), QStringLiteral("Back/Breast")},
        {QStringLiteral("BRFS"), QStringLiteral("Breast/Free")},
    };
    return names.value(code);
}

QString FitText(const QString &text, int width)
{
    if (width <= 0)
        return QString();
    if (text.size() > width)
        return text.left(width - 1) + QLatin1Char('>');
    return text.leftJustified(width, QLatin1Char(' '));
}

QStringList SplitWords(const QString &text, QString separator)
{
    if (separator.isEmpty())
        separator = QStringLiteral(" ");
    QStringList words;
    QString work = text + separator;
    for (;;) {
        const qsizetype at = work.indexOf(separator);
        if (at < 0 || words.size() >= 1000)
            break;
        const QString word = work.left(at);
        if (!word.isEmpty())
            words << word;
        work.remove(0, at + separator.size());
    }
    return words;
}

QString FormatHash(double value)
{
    const long long n = std::llround(value);
    return n == 0 ? QString() : QString::number(n);
}

QString FormatZero(double value)
{
    return QString::number(std::llround(value));
}

QString FormatTwoDecimals(double value)
{
    const long long h = std::llround(value * 100.0);
    const long long a = h < 0 ? -h : h;
    return QStringLiteral("%1%2.%3")
        .arg(h < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100, 2, 10, QLatin1Char('0'))
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

QString TrimmedNumberText(float value)
{
    QString s = QString::number(double(value), 'g', 7).toUpper();
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString NumberText(float value)
{
    const QString s = TrimmedNumberText(value);
    return value < 0 ? s : QLatin1Char(' ') + s;
}

namespace {

// The day, month and year of a typed date, and whether the year had two
// digits; false when the text is no date at all.
bool DateParts(const QString &text, int &day, int &month, int &year, bool &shortYear)
{
    const QString t = text.trimmed();
    QChar sep;
    for (const QChar c : {QLatin1Char('/'), QLatin1Char('-'), QLatin1Char('.')}) {
        if (t.count(c) == 2) {
            sep = c;
            break;
        }
    }
    if (sep.isNull())
        return false;
    const QStringList parts = t.split(sep);
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const QString p = parts[i].trimmed();
        numbers[i] = p.toInt(&ok);
        if (!ok || p.isEmpty() || p.size() > 4 || p.startsWith(QLatin1Char('+')) ||
            p.startsWith(QLatin1Char('-')))
            return false;
    }
    day = numbers[0];
    month = numbers[1];
    year = numbers[2];
    shortYear = parts[2].trimmed().size() <= 2;
    return true;
}

// The latest year ending in the two digits `yy` that is not after `ceiling`.
int LatestYear(int yy, int ceiling)
{
    return ceiling - (((ceiling - yy) % 100) + 100) % 100;
}

} // namespace

QDate ReadDate(const QString &text, const QDate &today)
{
    int day, month, year;
    bool shortYear;
    if (!DateParts(text, day, month, year, shortYear))
        return {};
    if (shortYear)
        year = LatestYear(year, (today.isValid() ? today : QDate::currentDate()).year() + 20);
    return QDate(year, month, day); // invalid for day or month out of range
}

QDate ReadBirthDate(const QString &text, const QDate &galaDay)
{
    int day, month, year;
    bool shortYear;
    if (!galaDay.isValid() || !DateParts(text, day, month, year, shortYear) || !shortYear)
        return ReadDate(text);
    year = LatestYear(year, galaDay.year());
    QDate born(year, month, day);
    if (born > galaDay)
        born = QDate(year - 100, month, day);
    return born;
}

QString DateText(const QDate &date)
{
    if (!date.isValid())
        return QString();
    // Every stored date of birth passes through here when a gala opens.
    const int d = date.day(), m = date.month(), y = ((date.year() % 100) + 100) % 100;
    const QChar text[8] = {QChar(u'0' + d / 10), QChar(u'0' + d % 10), QChar(u'/'),
                           QChar(u'0' + m / 10), QChar(u'0' + m % 10), QChar(u'/'),
                           QChar(u'0' + y / 10), QChar(u'0' + y % 10)};
    return QString(text, 8);
}

bool FileExists(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile f(path);
    return f.open(QIODevice::ReadOnly);
}

bool WriteTextFile(const QString &path, const QStringList &lines, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    // A disk that fills up mid-way shows only in flush(): QSaveFile would
    // still commit the shortened file over the old one.
    errno = 0;
    if (file.write(data) != data.size() || !file.flush()) {
        const QString why = errno != 0 ? qt_error_string(errno) : file.errorString();
        file.cancelWriting(); // the temporary file goes with `file`
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace PBUTIL
