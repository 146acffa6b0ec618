#include "preparation/GalaProg.h"
#include "preparation/ProgrammeFile.h"
#include "tests/preparation/Desk.h"
#include "tests/preparation/ScreenDriver.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

using namespace Drive;

class TstGalaProg : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheStoredProgramme();
    void storedProgrammeOverTheLimit();
    void listLine_data();
    void listLine();
    void insertAndDelete();
    void hundredEventsAtMost();
    void limitTimeIsNormalisedOnLeaving_data();
    void limitTimeIsNormalisedOnLeaving();
    void focusSelectsTheWholeText();
    void fileRoundTrip_data();
    void fileRoundTrip();
    void commaInATextIsReportedOnSaving();
    void commaSeparatedFileLoads();
    void windowsCodePageFileLoads();
    void refusedFilesLeaveTheProgramme_data();
    void refusedFilesLeaveTheProgramme();
    void cancelledChoosers();
    void fields_data();
    void fields();
    void saveToDatabase();
    void saveWithoutEventsStops();
    void notImplementedAndHints();
};

namespace {

void typeEvent(QWidget *screen, const QStringList &fields)
{
    static const char *names[] = {"PEventNo", "PSexAge", "PDistance",
                                  "PStroke",  "PTime",   "PScoring"};
    for (int i = 0; i < 6; ++i)
        type(screen, QString::fromLatin1(names[i]), fields.value(i));
}

QStringList listed(QWidget *screen)
{
    auto *list = child<QListWidget>(screen, QStringLiteral("ProgList"));
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void select(QWidget *screen, int line)
{
    auto *list = child<QListWidget>(screen, QStringLiteral("ProgList"));
    list->setCurrentRow(line);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The stored programme of a code as "no sexage distance stroke time scoring".
QStringList storedProgramme(Database &db, const QString &code)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Program_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    Recordset r = q.openRecordset();
    QStringList out;
    if (r.recordCount() > 0) {
        for (r.moveFirst(); !r.atEnd(); r.moveNext()) {
            QStringList f;
            for (const char *name :
                 {"Event No", "Sex age", "Distance", "Stroke", "Time", "Scoring"})
                f << r.text(QString::fromLatin1(name));
            out << f.join(QLatin1Char('|'));
        }
    }
    return out;
}

const QString Line12 = QStringLiteral("12* Mixed Open200m FSR  ");

} // namespace

void TstGalaProg::opensWithTheStoredProgramme()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    QCOMPARE(screen.windowTitle(), QStringLiteral("Create/Amend Gala Programme"));
    const QStringList lines = listed(&screen);
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines.first(), QStringLiteral("1   G10       50m  FS   38.00"));
    QCOMPARE(lines.at(6), QStringLiteral("7   G14       100m FS   1:05.00"));
    QCOMPARE(lines.last(), Line12);
    QCOMPARE(desk.gala.NoOfEvents, 12);
    QCOMPARE(desk.gala.EventDistance[7], QStringLiteral("100"));
    QCOMPARE(int(desk.gala.EventNo.size()), GalaState::MaxEvents + 2);
}

void TstGalaProg::storedProgrammeOverTheLimit()
{
    Desk desk(false);
    desk.shared.ProgCode = QStringLiteral("BIG");
    Recordset table = desk.db().openRecordset(QStringLiteral("Gala_Program"));
    for (int i = 1; i <= 101; ++i) {
        table.addNew();
        table.setValue(QStringLiteral("Program code"), QStringLiteral("BIG"));
        table.setValue(QStringLiteral("Event No"), double(i));
        table.update();
    }
    table.close();
    desk.dialogs.expectMessage(
        QStringLiteral("This programme has more than 100 events; only the first 100 are shown"));
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(listed(&screen).size(), 100);
    QCOMPARE(listed(&screen).last().left(4), QStringLiteral("100 "));
}

void TstGalaProg::listLine_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");
    QTest::newRow("2X gets a star")
        << QStringList{"12", "G12", "50", "FS", "", "2X"} << "12* G12       50m  FS   ";
    QTest::newRow("normal scoring no star")
        << QStringList{"3", "B10", "50", "BK", "40.00", ""} << "3   B10       50m  BK   40.00";
    QTest::newRow("star fills the column")
        << QStringList{"123", "S", "25", "FLY", "", "X"} << "123*S         25m  FLY  ";
    QTest::newRow("star is what gets cut")
        << QStringList{"1234", "S", "25", "FLY", "", "2X"} << "123>S         25m  FLY  ";
    QTest::newRow("long fields cut with >")
        << QStringList{"7", "Mixed Open Age", "15000", "MEDLEY", "12:30.00", ""}
        << "7   Mixed Ope>1500>MEDL>12:30.00";
    QTest::newRow("everything empty") << QStringList{} << "              m         ";
}

void TstGalaProg::listLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    Desk desk(false);
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    typeEvent(&screen, fields);
    click(&screen, QStringLiteral("Command1"));
    QCOMPARE(listed(&screen), QStringList{line});
    // The boxes keep their texts for the next event.
    QCOMPARE(child<QLineEdit>(&screen, QStringLiteral("PSexAge"))->text(), fields.value(1));
}

void TstGalaProg::insertAndDelete()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    typeEvent(&screen, {"0", "Warm", "25", "FS", "", ""});
    const QString warmUp = QStringLiteral("0   Warm      25m  FS   ");

    click(&screen, QStringLiteral("Command3")); // nothing selected
    click(&screen, QStringLiteral("Command2"));
    QCOMPARE(listed(&screen).size(), 12);

    select(&screen, 0);
    click(&screen, QStringLiteral("Command3"));
    QCOMPARE(listed(&screen).size(), 13);
    QCOMPARE(listed(&screen).first(), warmUp);
    QCOMPARE(listed(&screen).at(1), QStringLiteral("1   G10       50m  FS   38.00"));

    select(&screen, 12);
    click(&screen, QStringLiteral("Command3")); // before the last line
    QCOMPARE(listed(&screen).at(12), warmUp);
    QCOMPARE(listed(&screen).at(13), Line12);

    select(&screen, 13);
    click(&screen, QStringLiteral("Command2")); // the last event
    QCOMPARE(desk.gala.NoOfEvents, 13);
    QCOMPARE(listed(&screen).last(), warmUp);
    select(&screen, 0);
    click(&screen, QStringLiteral("Command2"));
    QCOMPARE(listed(&screen).first(), QStringLiteral("1   G10       50m  FS   38.00"));
    QCOMPARE(desk.gala.NoOfEvents, 12);

    click(&screen, QStringLiteral("ClearAll"));
    QCOMPARE(listed(&screen), QStringList());
    QCOMPARE(desk.gala.NoOfEvents, 0);
    // "Clear" leaves the stored programme alone.
    QCOMPARE(storedProgramme(desk.db(), QStringLiteral("DEMO")).size(), 12);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::hundredEventsAtMost()
{
    Desk desk(false);
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    for (int i = 1; i <= 100; ++i) {
        type(&screen, QStringLiteral("PEventNo"), QString::number(i));
        click(&screen, QStringLiteral("Command1"));
    }
    QCOMPARE(listed(&screen).size(), 100);
    const QString full = QStringLiteral("The programme is full: it can hold at most 100 events");
    desk.dialogs.expectMessage(full).expectMessage(full);
    type(&screen, QStringLiteral("PEventNo"), QStringLiteral("101"));
    click(&screen, QStringLiteral("Command1"));
    select(&screen, 50);
    click(&screen, QStringLiteral("Command3"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(desk.gala.NoOfEvents, 100);
    QCOMPARE(listed(&screen).last().left(4), QStringLiteral("100 "));
    QCOMPARE(listed(&screen).at(50).left(4), QStringLiteral("51  "));
}

void TstGalaProg::limitTimeIsNormalisedOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("invalid");
    QTest::newRow("seconds above a minute") << "65.2"
                                            << "1:05.20" << false;
    QTest::newRow("two dots") << "1.05.2"
                              << "1:05.20" << false;
    QTest::newRow("under a minute") << "5.2"
                                    << "05.20" << false;
    QTest::newRow("zero") << "0"
                          << "" << false;
    QTest::newRow("empty") << ""
                           << "" << false;
    QTest::newRow("an hour") << "60:00"
                             << "60:00.00" << false;
    QTest::newRow("over an hour") << "60:00.01"
                                  << "" << true;
}

void TstGalaProg::limitTimeIsNormalisedOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(bool, invalid);
    Desk desk(false);
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto *time = child<QLineEdit>(&screen, QStringLiteral("PTime"));
    time->setFocus();
    QTest::keyClicks(time, typed);
    if (invalid)
        desk.dialogs.expectMessage(QStringLiteral("Invalid Time"));
    child<QLineEdit>(&screen, QStringLiteral("PScoring"))->setFocus();
    QCOMPARE(time->text(), kept);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::focusSelectsTheWholeText()
{
    Desk desk(false);
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto *sexAge = child<QLineEdit>(&screen, QStringLiteral("PSexAge"));
    sexAge->setText(QStringLiteral("G12"));
    sexAge->deselect();
    child<QLineEdit>(&screen, QStringLiteral("PEventNo"))->setFocus();
    QTest::mouseClick(sexAge, Qt::LeftButton);
    QTRY_COMPARE(sexAge->selectedText(), QStringLiteral("G12"));
}

void TstGalaProg::fileRoundTrip_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("demonstration programme")
        << "DEMO" << QByteArray("12\r\n1\r\nG10\r\n50\r\nFS\r\n38.00\r\n\r\n2\r\n");
    QTest::newRow("empty programme") << "NONE" << QByteArray("\r\n");
}

void TstGalaProg::fileRoundTrip()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, start);
    Desk desk;
    desk.shared.ProgCode = code;
    QTemporaryDir dir;
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    const QStringList before = listed(&screen);
    desk.dialogs.expectChooser(QStringLiteral("Open output file"), dir.path() + QLatin1Char('/'),
                               QStringLiteral("prog.txt"));
    click(&screen, QStringLiteral("File_Save"));
    const QByteArray bytes = fileBytes(dir.filePath(QStringLiteral("prog.txt")));
    QVERIFY2(bytes.startsWith(start), bytes.constData());
    QCOMPARE(bytes.count("\r\n"), 1 + 6 * before.size());
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(bytes.endsWith("2X\r\n") || before.isEmpty());

    // Something else in the editor, then the file back.
    typeEvent(&screen, {"99", "X"});
    click(&screen, QStringLiteral("Command1"));
    desk.dialogs.expectChooser(QStringLiteral("Open program file"), dir.path() + QLatin1Char('/'),
                               QStringLiteral("prog.txt"));
    click(&screen, QStringLiteral("File_Load"));
    QCOMPARE(listed(&screen), before);
    QCOMPARE(screen.editor().ProgFileName, dir.filePath(QStringLiteral("prog.txt")));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::windowsCodePageFileLoads()
{
    Desk desk(false);
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("old.txt")), "1\r\n1\r\nG\xe9n\r\n50\r\nFS\r\n\r\n\r\n");
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    desk.dialogs.expectChooser(QStringLiteral("Open program file"), dir.path() + QLatin1Char('/'),
                               QStringLiteral("old.txt"));
    click(&screen, QStringLiteral("File_Load"));
    QCOMPARE(desk.gala.EventSexAge[1], QStringLiteral("G\u00e9n"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::commaInATextIsReportedOnSaving()
{
    Desk desk(false);
    QTemporaryDir dir;
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    typeEvent(&screen, {"1", "G 9, 10", "50", "FS", "", ""});
    click(&screen, QStringLiteral("Command1"));
    desk.dialogs
        .expectChooser(QStringLiteral("Open output file"), dir.path() + QLatin1Char('/'),
                       QStringLiteral("p.txt"))
        .expectMessage(QStringLiteral("Saved, but texts holding a comma, starting with a double "
                                      "quote or with blanks around them will not load back "
                                      "exactly as typed"));
    click(&screen, QStringLiteral("File_Save"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    // Written bare all the same.
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("p.txt"))),
             QByteArray("1\r\n1\r\nG 9, 10\r\n50\r\nFS\r\n\r\n\r\n"));
}

void TstGalaProg::commaSeparatedFileLoads()
{
    Desk desk(false);
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("p.csv")),
               "3\r\n1,G10,50,FS,38.00,\r\n 2 , B10 , 50 , FS ,\"1:02.00\",2X\r\n"
               "3,\"G 9, 10\",100,MED,,\n");
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    desk.dialogs.expectChooser(QStringLiteral("Open program file"), dir.path() + QLatin1Char('/'),
                               QStringLiteral("p.csv"));
    click(&screen, QStringLiteral("File_Load"));
    QCOMPARE(listed(&screen), (QStringList{QStringLiteral("1   G10       50m  FS   38.00"),
                                           QStringLiteral("2*  B10       50m  FS   1:02.00"),
                                           QStringLiteral("3   G 9, 10   100m MED  ")}));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::refusedFilesLeaveTheProgramme_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("refusal");
    QByteArray many = "101\r\n";
    for (int i = 1; i <= 101; ++i)
        many += QByteArray::number(i) + ",S,50,FS,,\r\n";
    QTest::newRow("more than 100 events")
        << many
        << "The programme file lists 101 events but a programme can hold at most 100; the "
           "programme has not been changed";
    QTest::newRow("fewer fields than announced")
        << QByteArray("2\r\n1,G10,50,FS,38.00,\r\n2,B10,50\r\n")
        << "The programme file lists 2 events but holds only 1 complete events; the programme "
           "has not been changed";
}

void TstGalaProg::refusedFilesLeaveTheProgramme()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, refusal);
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("bad.txt")), content);
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    const QStringList before = listed(&screen);
    desk.dialogs
        .expectChooser(QStringLiteral("Open program file"), dir.path() + QLatin1Char('/'),
                       QStringLiteral("bad.txt"))
        .expectMessage(refusal);
    click(&screen, QStringLiteral("File_Load"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(listed(&screen), before);
    QCOMPARE(desk.gala.NoOfEvents, 12);
}

void TstGalaProg::cancelledChoosers()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    QTemporaryDir dir;
    desk.shared.Choice.SelectedDir = dir.path() + QLatin1Char('/');
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    desk.dialogs.expectChooser(QStringLiteral("Open output file"), QString(), QString())
        .expectMessage(QStringLiteral("No Output File Specified"));
    click(&screen, QStringLiteral("File_Save"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(listed(&screen).size(), 12);

    // A cancelled load names no file: the programme is emptied, quietly.
    desk.dialogs.expectChooser(QStringLiteral("Open program file"), QString(), QString());
    click(&screen, QStringLiteral("File_Load"));
    QCOMPARE(listed(&screen), QStringList());
    QCOMPARE(desk.gala.NoOfEvents, 0);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::fields_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("nothing") << "" << QStringList{};
    QTest::newRow("one empty line") << "\r\n" << QStringList{""};
    QTest::newRow("lines") << "3\r\nG10\r\n\r\n" << QStringList{"3", "G10", ""};
    QTest::newRow("commas") << "1,G10,50" << QStringList{"1", "G10", "50"};
    QTest::newRow("trailing comma") << "a,\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("comma at the very end") << "a," << QStringList{"a", ""};
    QTest::newRow("blanks dropped") << "  a b  ,\t c \r\n" << QStringList{"a b", "c"};
    QTest::newRow("quoted comma") << "\"G 9, 10\",x" << QStringList{"G 9, 10", "x"};
    QTest::newRow("quoted blanks kept") << "\" a \"" << QStringList{" a "};
    QTest::newRow("after closing quote dropped") << "\"a\" b,c" << QStringList{"a", "c"};
    QTest::newRow("unclosed quote runs on") << "\"a,b\r\nc" << QStringList{"a,b\r\nc"};
    QTest::newRow("bare line feeds") << "a\nb\rc" << QStringList{"a", "b", "c"};
}

void TstGalaProg::fields()
{
    QFETCH(QString, content);
    QFETCH(QStringList, fields);
    QCOMPARE(ProgrammeFile::fields(content), fields);
}

void TstGalaProg::saveToDatabase()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    const QStringList stored = storedProgramme(desk.db(), QStringLiteral("DEMO"));
    QCOMPARE(stored.first(), QStringLiteral("1|G10|50|FS|38.00|"));

    select(&screen, 0);
    click(&screen, QStringLiteral("Command2"));
    typeEvent(&screen, {"13a", "Open", "m50", "FSR", "", "2X"});
    click(&screen, QStringLiteral("Command1"));

    desk.dialogs.expectYesNo(QStringLiteral("Overwrite existing programme details?"), false);
    click(&screen, QStringLiteral("Db_Save"));
    QCOMPARE(storedProgramme(desk.db(), QStringLiteral("DEMO")), stored);

    desk.dialogs.expectYesNo(QStringLiteral("Overwrite existing programme details?"), true);
    click(&screen, QStringLiteral("Db_Save"));
    const QStringList now = storedProgramme(desk.db(), QStringLiteral("DEMO"));
    QCOMPARE(now.size(), 12);
    QCOMPARE(now.first(), QStringLiteral("2|B10|50|FS|37.50|"));
    // Numbers are what the texts start with.
    QCOMPARE(now.last(), QStringLiteral("13|Open|0|FSR||2X"));

    // A code with nothing stored is not asked about.
    desk.shared.ProgCode = QStringLiteral("NEW");
    click(&screen, QStringLiteral("Db_Save"));
    QCOMPARE(storedProgramme(desk.db(), QStringLiteral("NEW")).size(), 12);
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
}

void TstGalaProg::saveWithoutEventsStops()
{
    Desk desk;
    desk.shared.ProgCode = QStringLiteral("DEMO");
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    click(&screen, QStringLiteral("ClearAll"));
    desk.dialogs.expectMessage(QStringLiteral("No event details to store"));
    click(&screen, QStringLiteral("Db_Save"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(storedProgramme(desk.db(), QStringLiteral("DEMO")).size(), 12);
}

void TstGalaProg::notImplementedAndHints()
{
    Desk desk(false);
    GalaProg screen(desk.shared, desk.gala, desk.dialogs);
    desk.dialogs.expectMessage(QStringLiteral("Not implemented yet"));
    click(&screen, QStringLiteral("Db_Load"));
    QVERIFY2(desk.dialogs.finished(), desk.dialogs.faults());
    QCOMPARE(child<QLineEdit>(&screen, QStringLiteral("PDistance"))->toolTip(),
             QStringLiteral("Distance (no unit e.g. 50 NOT 50m)"));
    QCOMPARE(child<QLineEdit>(&screen, QStringLiteral("PTime"))->accessibleName(),
             QStringLiteral("Limit Time"));
    QCOMPARE(child<QListWidget>(&screen, QStringLiteral("ProgList"))->accessibleName(),
             QStringLiteral("Programme"));
}

QTEST_MAIN(TstGalaProg)
#include "tst_galaprog.moc"
