#include "core/values/Engine.h"
#include "core/values/FileChooser.h"
#include "core/values/PbUtil.h"
#include "tests/support/DataRow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// True when the chooser refused the step with a message for the user.
template <typename Step> bool refused(Step step)
{
    try {
        step();
        return false;
    } catch (const EngineError &) {
        return true;
    }
}

// The chooser's behaviour on a real folder tree:
//   web/results.htm, web/index.htm, web/notes.txt
//   data/report.txt, data/gala.mdb, data/README, data/old/
class TstFileChooser : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QDir(m_root.path()).mkpath("web");
        QDir(m_root.path()).mkpath("data/old");
        for (const char *f : {"web/results.htm", "web/index.htm", "web/notes.txt",
                              "data/report.txt", "data/gala.mdb", "data/README"})
            QVERIFY(PBUTIL::WriteTextFile(path(f), {"x"}));
    }

    void typedTextAndOk_data()
    {
        // Typed in the chooser opened on `start`; an empty `chosen` means it stays open.
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("mustExist");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("dirAfter");
        QTest::addColumn<QStringList>("filesAfter");
        QTest::addColumn<bool>("error");
        const QStringList data{"gala.mdb", "README", "report.txt"}, none;
        DataRow("new plain name", "web", false, "new.htm", "web/new.htm", "web", none, false);
        DataRow("listed name", "data", true, "gala.mdb", "data/gala.mdb", "data", none, false);
        DataRow("folder and pattern", "data", false, "@web/*.htm", "", "web",
                QStringList{"index.htm", "results.htm"}, false);
        DataRow("unlisted name must exist", "data", true, "other.mdb", "", "data", data, false);
        DataRow("missing folder", "data", false, "@nowhere/x.txt", "", "data", data, true);
        // Typed as meant: a folder opens itself, not its parent; a path chooses its file.
        DataRow("subfolder name", "data", false, "old", "", "data/old", none, false);
        DataRow("full path to a file", "web", true, "@data/gala.mdb", "data/gala.mdb", "", none,
                false);
        DataRow("full path to a new file", "data", false, "@web/new.htm", "web/new.htm", "", none,
                false);
        DataRow("full path to no file", "web", true, "@data/other.mdb", "", "data", data, false);
    }
    void typedTextAndOk()
    {
        QFETCH(QString, start);
        QFETCH(bool, mustExist);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QFETCH(QString, dirAfter);
        QFETCH(bool, error);
        typed.replace("@", m_root.path() + "/"); // "@" stands for the tree's folder
        FileChooser c;
        FileChoice choice{"t", path(start) + "/", "", mustExist, {}};
        c.begin(choice);
        c.setText(typed);
        QCOMPARE(refused([&] { c.ok(); }), error);
        QCOMPARE(c.shown(), chosen.isEmpty());
        QCOMPARE(choice.path(), chosen.isEmpty() ? path(start) + "/" : path(chosen));
        if (chosen.isEmpty()) {
            QCOMPARE(c.dirPath(), path(dirAfter));
            QTEST(c.files(), "filesAfter");
            QCOMPARE(c.text(), c.pattern()); // the box offers the pattern again
        }
    }

    void markCancelDoubleClickNewFolderAndDatabaseFiles()
    {
        FileChooser c;
        FileChoice choice{"t", path("data"), "", true, {}};
        c.begin(choice);
        QCOMPARE(c.mark(), 0);
        c.ok(); // nothing typed, nothing clicked: nothing happens
        QVERIFY(c.shown());
        QCOMPARE(c.dirPath(), path("data"));

        // The folder's own subfolders come after the path down to it.
        QCOMPARE(c.dirEntries().last().name, QString("old"));
        c.clickDir(int(c.dirEntries().size()) - 1);
        QCOMPARE(c.mark(), 2);
        c.ok(); // opens the highlighted folder
        QCOMPARE(c.dirPath(), path("data/old"));
        QVERIFY(c.shown());

        c.setText("x");
        c.cancel();
        c.begin(choice);
        QCOMPARE(c.mark(), 1); // the mark survives OK and Cancel

        FileChoice other{"t", path("data") + "/", "", true, {}};
        c.begin(other);
        QCOMPARE(c.pathSpec(), path("data"));
        c.clickDir(0);
        c.cancel();
        QCOMPARE(other.path(), QString());

        c.begin(other);
        c.setText("*.txt");
        c.ok();
        c.doubleClickFile(int(c.files().indexOf("report.txt")));
        QVERIFY(!c.shown());
        QCOMPARE(other.SelectedDir, path("data") + "/");
        QCOMPARE(other.SelectedFile, QString("report.txt"));
        // Accepting resets the pattern for the next use.
        c.begin(other);
        QCOMPARE(c.pattern(), QString("*.*"));

        // "New Folder" makes a folder for exports and opens it; a database is
        // asked for with its files listed by default.
        FileChoice folder{"t", path("web") + "/", "", false, {}};
        c.begin(folder);
        QVERIFY(!refused([&] { c.makeFolder(); }));
        QCOMPARE(c.dirPath(), path("web/New Folder"));
        c.begin(folder);
        QVERIFY(!refused([&] { c.makeFolder(); }));
        QCOMPARE(c.dirPath(), path("web/New Folder 2"));
        c.setText("rankings");
        QVERIFY(!refused([&] { c.makeFolder(); }));
        QCOMPARE(c.dirPath(), path("web/New Folder 2/rankings"));
        QCOMPARE(c.text(), c.pattern());

        FileChoice database{"t", path("data") + "/", "", true, "*.mdb"};
        c.begin(database);
        QCOMPARE(c.files(), QStringList{"gala.mdb"});
        QCOMPARE(c.text(), QString("*.mdb"));
        QVERIFY(database.Pattern.isEmpty()); // the next caller starts from every file
    }

private:
    QString path(const QString &rel) const { return m_root.filePath(rel); }
    QTemporaryDir m_root;
};

QTEST_APPLESS_MAIN(TstFileChooser)
#include "tst_filechooser.moc"
