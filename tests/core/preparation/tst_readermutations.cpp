#include "core/gala/GalaState.h"
#include "core/preparation/Programme.h"
#include "core/preparation/ProgrammeFile.h"
#include "core/values/Engine.h"
#include "core/values/SettingsFile.h"

#include <QtTest>

#include <random>

// The readers of outside data fed thousands of damaged copies of real
// inputs (fixed seed, so a failure comes back on every run). Each must end
// in a value or a clear refusal; the sanitizer build catches any read past
// an end.
namespace {

// Three thousand damaged copies of `seed`, each with one to four
// damages, the same on every run.
QList<QByteArray> mutants(unsigned randomSeed, const QByteArray &seed)
{
    // Huge numbers, a NUL byte, invalid UTF-8 and separators, '|' between them.
    static const char raw[] =
        "99999999999999999999999999999999999999999|-2147483649|1e308|"
        "4294967296|\0|\xff|\xc3|\xe2\x82|\xc0\xaf|\xed\xa0\x80|,|\"|\r|\n|/|:|.|-| ";
    static const QList<QByteArray> inserts = QByteArray(raw, sizeof raw - 1).split('|');
    std::mt19937 random(randomSeed);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    QList<QByteArray> all;
    for (int i = 0; i < 3000; ++i) {
        QByteArray b = seed;
        for (int n = pick(1, 4); n > 0; --n) {
            const qsizetype at = pick(0, int(b.size()));
            const int how = pick(0, 3);
            if (how == 0) // cut short
                b.truncate(at);
            else if (how == 1) // a stretch doubled: fields, lines, digits
                b.insert(at, b.mid(at, pick(1, 40)));
            else if (how == 2) // one of the inserts
                b.insert(at, inserts[pick(0, int(inserts.size()) - 1)]);
            else if (at < b.size()) // any byte, a flipped bit among them
                b[at] = char(pick(0, 255));
        }
        all << b;
    }
    return all;
}

// A programme file as the editor writes it, with a Windows-1252 tail.
const QByteArray ProgrammeSample =
    "3\r\n1\r\nG10\r\n50\r\nFS\r\n38.00\r\n\r\n2\r\nB 9/10 \"A\"\r\n100\r\nMED\r\n"
    "1:25.50\r\n2X\r\n13a\r\nMixed, Open\r\n200\r\nFSR\r\n\r\n0\r\n\xe9\x96\x93";

} // namespace

class TstReaderMutations : public QObject
{
    Q_OBJECT
private slots:
    void programmeFile()
    {
        for (const QByteArray &bytes : mutants(7, ProgrammeSample)) {
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
        // aqrecord.ini as the program writes it, every line in use.
        const QByteArray seed =
            "\"/home/desk/gala \"\"main\"\".mdb\"\r\n\"DEMO\"\r\n\"12/10/26\"\r\n"
            "#TRUE#,\"/srv/announcer.mdb\"\r\n#FALSE#,\"C:\\ares, old.mdb\",\"M01\"\r\n"
            "\"desk@club.example\",\"Club \"\"A\"\", B\"\r\n#TRUE#,\"/media/usb\"\r\n"
            "#TRUE#,\"/srv/live, \"\"pool\"\"\"";
        for (const QByteArray &bytes : mutants(11, seed)) {
            const Settings s = SettingsFile::parse(bytes);
            // Whatever was read is written back and read again unchanged.
            const QStringList lines = SettingsFile::lines(s);
            QVERIFY2(SettingsFile::lines(SettingsFile::parse(lines.join("\r\n").toUtf8())) == lines,
                     bytes.toPercentEncoding());
        }
    }
};

QTEST_APPLESS_MAIN(TstReaderMutations)
#include "tst_readermutations.moc"
