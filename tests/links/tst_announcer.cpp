#include "links/Announcer.h"
#include "tests/recording/RecordingFixture.h"
#include "tests/support/DataRow.h"

#include <QtTest>

namespace {

struct Sorting
{
    QString scoring, times, positions, order;
};

} // namespace

Q_DECLARE_METATYPE(Sorting)

class TstAnnouncer : public QObject
{
    Q_OBJECT
private slots:
    // Off, nothing is posted nor opened; on, a missing file is said once a
    // post; found, it opens once and the placings go in announced order.
    void resultsPostedWhenOnAndFound()
    {
        const QTemporaryDir dir;
        // Names of 21 and of 20 characters, the longest shown whole.
        MemorySheet s("YYYNY", {"Harbourside Swimmers2", "Ashford Otters", "Bramley Dolphins ASC",
                                "Castleton Guests", "Castleton"});
        const QStringList swimmers{"Amy Lee", "Bea Jones", "Cara Smith", "Dee Brown", "Eve Green"};
        const QStringList times{"36.10", "D", "35.20", "34.00", ""};
        for (int r = 0; r < 5; ++r) {
            s.model.setText(SheetModel::SwimmerName, r, swimmers[r]);
            s.model.setText(SheetModel::Time, r, times[r]);
        }
        s.model.setText(SheetModel::Notes, 1, "False start");
        const QString path = dir.filePath("announcer.mdb");
        s.shared.AnnouncerDbPath = path;
        ResultToAnnouncer(s.shared, s.gala, s.model, s.dialogs);
        PostAnnouncement(s.shared, s.dialogs, "anything", 2);
        QVERIFY(!s.shared.AnnouncerDb);

        s.shared.AnnouncerOn = true;
        s.dialogs.expectMessage("Can't locate the announcer database");
        PostAnnouncement(s.shared, s.dialogs, "lost", 2);
        QVERIFY(!s.shared.AnnouncerDbOpen);
        ReadyMade::createAnnouncerDatabase(path);
        ResultToAnnouncer(s.shared, s.gala, s.model, s.dialogs);
        const Database *opened = s.shared.AnnouncerDb.get();
        QVERIFY(opened && s.shared.AnnouncerDbOpen);
        PostAnnouncement(s.shared, s.dialogs, "heats", 3);
        QCOMPARE(s.shared.AnnouncerDb.get(), opened);
        QCOMPARE(posted(path),
                 QStringList({"2:Event 1 : G10 50m Freestyle\r\n"
                              "   Castleton                     Eve Green           \r\n"
                              "1  Bramley Dolphins ASC35.20     Cara Smith          \r\n"
                              "2  Harbourside Swimmer>36.10     Amy Lee             \r\n"
                              "DQ Ashford Otters                Bea Jones           False start\r\n"
                              "   Castleton Guests    34.00     Dee Brown           \r\n",
                              "3:heats"}));
    }

    void resultSort_data()
    {
        // Times typed, then positions typed by hand when given.
        QTest::addColumn<Sorting>("c");
        DataRow("no position before first", Sorting{"YY", ",30", "", "T1 T2"});
        DataRow("two DQ change places", Sorting{"YYY", "D,D,30", "", "T3 T2 T1"});
        DataRow("fastest guest last", Sorting{"NYY", "20,31,30", "", "T3 T2 T1"});
        DataRow("guests keep their exchanges", Sorting{"NNY", ",,30", "", "T3 T2 T1"});
        DataRow("tie typed by hand", Sorting{"YYY", ",,", "2,1,1", "T2 T3 T1"});
        DataRow("position read to nearest whole", Sorting{"YY", ",", "2.6,2.4", "T2 T1"});
    }
    void resultSort()
    {
        QFETCH(Sorting, c);
        MemorySheet s(c.scoring);
        for (int r = 0; r < c.scoring.size(); ++r)
            s.model.setText(SheetModel::Time, r, c.times.section(',', r, r));
        for (int r = 0; r < c.scoring.size() && !c.positions.isEmpty(); ++r)
            s.model.setText(SheetModel::Position, r, c.positions.section(',', r, r));
        QStringList names;
        for (const QString &line :
             EventResultText(s.gala, s.model).split("\r\n").mid(1, c.scoring.size()))
            names << line.mid(3, 20).trimmed();
        QCOMPARE(names.join(' '), c.order);
    }
};

QTEST_APPLESS_MAIN(TstAnnouncer)
#include "tst_announcer.moc"
