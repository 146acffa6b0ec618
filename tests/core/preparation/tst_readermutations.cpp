#include "core/gala/GalaState.h"
#include "core/preparation/Programme.h"
#include "core/preparation/ProgrammeFile.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "core/values/SettingsFile.h"

#include <QtTest>

#include <cmath>
#include <random>

// The readers of outside data fed thousands of damaged copies of real
// inputs (fixed seed, so a failure comes back on every run). Each must end
// in a value or a clear refusal; the sanitizer build catches any read past
// an end.
namespace {

class Mutator
{
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    // A copy of `seed` with one to four damages.
    QByteArray operator()(const QByteArray &seed)
    {
        QByteArray b = seed;
        for (int n = pick(1, 4); n > 0; --n)
            damage(b);
        return b;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    void damage(QByteArray &b)
    {
        // Huge numbers, a NUL byte, invalid UTF-8 and separators, '|' between them.
        static const char raw[] =
            "99999999999999999999999999999999999999999|-2147483649|1e308|"
            "4294967296|\0|\xff|\xc3|\xe2\x82|\xc0\xaf|\xed\xa0\x80|,|\"|\r|\n|/|:|.|-| ";
        static const QList<QByteArray> inserts = QByteArray(raw, sizeof raw - 1).split('|');
        const qsizetype i = pick(0, int(b.size()));
        switch (pick(0, 3)) {
        case 0: // cut short
            b.truncate(i);
            break;
        case 1: // a stretch doubled: fields, lines, digits
            b.insert(i, b.mid(i, pick(1, 40)));
            break;
        case 2: // one of the inserts
            b.insert(i, inserts[pick(0, int(inserts.size()) - 1)]);
            break;
        default: // any byte, a flipped bit among them
            if (i < b.size())
                b[i] = char(pick(0, 255));
            break;
        }
    }

    std::mt19937 m_random;
};

// Three thousand damaged copies of the seeds in turn, the same on every run.
QList<QByteArray> mutants(unsigned randomSeed, const QList<QByteArray> &seeds)
{
    Mutator mutate(randomSeed);
    QList<QByteArray> all;
    for (int i = 0; i < 3000; ++i)
        all << mutate(seeds[i % seeds.size()]);
    return all;
}

QByteArray programmeSample()
{
    GalaState gala;
    Programme programme(gala);
    programme.replace({{"1", "G10", "50", "FS", "38.00", ""},
                       {"2", "B 9/10 \"A\"", "100", "MED", "1:25.50", "2X"},
                       {"13a", "Mixed, Open", "200", "FSR", "", "0"}});
    return ProgrammeFile::lines(programme).join(QLatin1String("\r\n")).toUtf8() + "\r\n" +
           "\xe9\x96\x93"; // a Windows-1252 tail
}

} // namespace

class TstReaderMutations : public QObject
{
    Q_OBJECT
private slots:
    void programmeFile()
    {
        for (const QByteArray &bytes : mutants(7, {programmeSample()})) {
            std::vector<ProgrammeEvent> events;
            try {
                events = ProgrammeFile::read(ProgrammeFile::decode(bytes));
            } catch (const EngineError &) {
                continue; // a clear refusal
            }
            QVERIFY(int(events.size()) <= GalaState::MaxEvents);
            GalaState gala;
            Programme programme(gala);
            programme.replace(events);
            QCOMPARE(programme.listLines().size(), qsizetype(events.size()));
        }
    }

    void settingsFile()
    {
        Settings sample{"/home/desk/gala \"main\".mdb",
                        "DEMO",
                        "12/10/26",
                        true,
                        "/srv/announcer.mdb",
                        false,
                        "C:\\ares, old.mdb",
                        "M01",
                        "desk@club.example",
                        "Club \"A\", B",
                        true,
                        "/media/usb",
                        true,

                        "/srv/live, \"pool\""};
        const QByteArray seed = SettingsFile::lines(sample).join(QLatin1String("\r\n")).toUtf8();
        for (const QByteArray &bytes : mutants(11, {seed})) {
            const Settings s = SettingsFile::parse(bytes);
            // Whatever was read is written back and read again unchanged.
            const QStringList lines = SettingsFile::lines(s);
            QVERIFY2(SettingsFile::lines(SettingsFile::parse(lines.join("\r\n").toUtf8())) == lines,
                     bytes.toPercentEncoding());
        }
    }

    void timeTexts()
    {
        for (const QByteArray &bytes :
             mutants(13, {"1:05.23", "1.05.23", "59.999", "D 1:05.00", "3600.5", " 35.2"})) {
            const QString text = QString::fromUtf8(bytes);
            const float t = PBUTIL::TimeFromText(text);
            QVERIFY2(!std::isnan(t), bytes.toPercentEncoding());
            PBUTIL::LeadingWhole(text);
            const PBUTIL::TimeText written = PBUTIL::TimeToText(t);
            // A time that can be written reads back to the same hundredth.
            if (t > 0.0f && !written.invalid)
                QVERIFY2(std::abs(PBUTIL::TimeFromText(written.text) - t) <= 0.0051f,
                         bytes.toPercentEncoding());
        }
    }

    void dates()
    {
        const QDate today(2026, 12, 6), gala(2026, 10, 12);
        for (const QByteArray &bytes :
             mutants(17, {"12/10/26", "05/06/1925", "3-4-25", "29.02.24"})) {
            const QString text = QString::fromUtf8(bytes);
            const QDate d = PBUTIL::ReadDate(text, today);
            QVERIFY(d.isNull() || d.isValid());
            // A date shown as dd/mm/yy reads back as itself inside the window.
            if (d.isValid() && d.year() > 1946 && d.year() <= 2046)
                QCOMPARE(PBUTIL::ReadDate(PBUTIL::DateText(d), today), d);
            const QDate born = PBUTIL::ReadBirthDate(text, gala);
            QVERIFY(born.isNull() || born.isValid());
            if (born.isValid() && PBUTIL::DateText(born) == text.trimmed())
                QVERIFY2(born <= gala, bytes.toPercentEncoding());
        }
    }
};

QTEST_APPLESS_MAIN(TstReaderMutations)
#include "tst_readermutations.moc"
