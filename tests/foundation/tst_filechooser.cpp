#include "foundation/FileChooser.h"
#include "foundation/PbUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// The chooser's behaviour on a real folder tree:
//   root/web/results.htm, root/web/index.htm, root/web/notes.txt
//   root/data/report.txt, root/data/gala.mdb
class TstFileChooser : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cancelEmptiesBoth();
    void typedPlainNameIsAccepted();
    void typedPatternWithFolderFilters();
    void mustExistRefusesUnlistedName();
    void opensOnGivenFolderAndDoubleClickAccepts();
    void typedListedNameIsChosen();
    void markDecidesWhatOkDoes();
    void missingFolderIsReported();
    void offeredFileAndPatternReset();

private:
    QString path(const QString &rel) const { return m_root.filePath(rel); }
    QTemporaryDir m_root;
};

void TstFileChooser::init()
{
    QDir(m_root.path()).mkpath("web");
    QDir(m_root.path()).mkpath("data/old");
    for (const char *f : {"web/results.htm", "web/index.htm", "web/notes.txt", "data/report.txt",
                          "data/gala.mdb", "data/README"})
        QVERIFY(PBUTIL::WriteTextFile(path(f), {"x"}).isEmpty());
}

void TstFileChooser::cancelEmptiesBoth()
{
    FileChooser c;
    FileChoice choice{"t", path("data/"), "", true};
    c.begin(choice);
    c.clickDir(0);
    c.cancel();
    QCOMPARE(choice.SelectedDir, QString());
    QCOMPARE(choice.SelectedFile, QString());
    QVERIFY(!c.shown());
}

void TstFileChooser::typedPlainNameIsAccepted()
{
    FileChooser c;
    FileChoice choice{"t", path("web/"), "", false};
    c.begin(choice);
    c.setText("new.htm");
    QCOMPARE(c.ok(), QString());
    QVERIFY(!c.shown());
    QCOMPARE(choice.SelectedDir, path("web") + "/");
    QCOMPARE(choice.SelectedFile, QString("new.htm"));
    QCOMPARE(choice.path(), path("web/new.htm"));
}

void TstFileChooser::typedPatternWithFolderFilters()
{
    FileChooser c;
    FileChoice choice{"t", path("data"), "", false};
    c.begin(choice);
    c.setText(path("web") + "/*.htm");
    QCOMPARE(c.ok(), QString());
    QVERIFY(c.shown());
    QCOMPARE(c.dirPath(), path("web"));
    QCOMPARE(c.files(), (QStringList{"index.htm", "results.htm"}));
    QCOMPARE(c.text(), QString("*.htm"));
}

void TstFileChooser::mustExistRefusesUnlistedName()
{
    FileChooser c;
    FileChoice choice{"t", path("data"), "", true};
    c.begin(choice);
    c.setText("*.mdb");
    c.ok();
    QCOMPARE(c.files(), QStringList{"gala.mdb"});
    c.setText("other.mdb");
    c.ok();
    QVERIFY(c.shown());
    QCOMPARE(c.text(), QString("*.mdb"));
    QCOMPARE(choice.SelectedFile, QString());
}

void TstFileChooser::opensOnGivenFolderAndDoubleClickAccepts()
{
    FileChooser c;
    FileChoice choice{"t", path("data") + "/", "", true};
    c.begin(choice);
    QCOMPARE(c.dirPath(), path("data"));
    QCOMPARE(c.pathSpec(), path("data"));
    // "*.*" lists names without a dot too.
    QCOMPARE(c.files(), (QStringList{"gala.mdb", "README", "report.txt"}));
    c.doubleClickFile(int(c.files().indexOf("report.txt")));
    QVERIFY(!c.shown());
    QCOMPARE(choice.SelectedDir, path("data") + "/");
    QCOMPARE(choice.SelectedFile, QString("report.txt"));
}

void TstFileChooser::typedListedNameIsChosen()
{
    FileChooser c;
    FileChoice choice{"t", path("data"), "", true};
    c.begin(choice);
    c.setText("gala.mdb");
    c.ok();
    QVERIFY(!c.shown());
    QCOMPARE(choice.path(), path("data/gala.mdb"));
}

void TstFileChooser::markDecidesWhatOkDoes()
{
    FileChooser c;
    FileChoice choice{"t", path("data"), "", true};
    c.begin(choice);
    QCOMPARE(c.mark(), 0);
    c.ok(); // nothing typed, nothing clicked: nothing happens
    QVERIFY(c.shown());
    QCOMPARE(c.dirPath(), path("data"));

    const auto entries = c.dirEntries();
    int old = -1;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].name == "old")
            old = i;
    QVERIFY(old >= 0);
    c.clickDir(old);
    QCOMPARE(c.mark(), 2);
    c.ok(); // opens the highlighted folder
    QCOMPARE(c.dirPath(), path("data/old"));
    QVERIFY(c.shown());

    c.setText("x");
    QCOMPARE(c.mark(), 1);
    c.cancel();
    c.begin(choice);
    QCOMPARE(c.mark(), 1); // the mark survives OK and Cancel
}

void TstFileChooser::missingFolderIsReported()
{
    FileChooser c;
    FileChoice choice{"t", path("data"), "", false};
    c.begin(choice);
    c.setText(path("nowhere") + "/x.txt");
    QVERIFY(!c.ok().isEmpty());
    QVERIFY(c.shown());
    QCOMPARE(c.dirPath(), path("data"));
}

void TstFileChooser::offeredFileAndPatternReset()
{
    FileChooser c;
    FileChoice choice{"t", path("web"), "", false};
    c.begin(choice);
    c.setText("*.txt");
    c.ok();
    c.setText("new.txt");
    c.ok();
    QCOMPARE(choice.SelectedFile, QString("new.txt"));
    // Accepting resets the pattern for the next use.
    FileChoice next{"t", path("web"), "results.htm", true};
    c.begin(next);
    QCOMPARE(c.pattern(), QString("*.*"));
    QCOMPARE(c.text(), QString("*.*"));
}

QTEST_APPLESS_MAIN(TstFileChooser)
#include "tst_filechooser.moc"
