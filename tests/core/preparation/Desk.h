#pragma once

#include "core/gala/GalaState.h"
#include "core/values/SharedState.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

// One test's desk: a temporary gala database (blank or the demonstration gala)
// open in the shared state, an empty gala state and scripted dialogs.
struct Desk
{
    TestGala file;
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;

    explicit Desk(bool demo = true) : file(demo)
    {
        shared.GalaDbPath = file.path;
        shared.GalaDb = file.open();
        shared.GalaDbOpen = true;
    }
    // Every question the test expected was asked, and nothing else.
    ~Desk() { QVERIFY2(dialogs.finished(), dialogs.faults()); }
    Database &db() { return *shared.GalaDb; }

    // Every record of `table` as "value|value|..." in table order; dates as yyyy-mm-dd.
    QStringList records(const QString &table, const QStringList &fields)
    {
        return recordsOf(db(), table, fields);
    }
    static QStringList recordsOf(Database &db, const QString &table, const QStringList &fields)
    {
        QStringList out; // an opened set stands on its first row
        for (Recordset r = db.openRecordset(table); !r.atEnd(); r.moveNext()) {
            QStringList values;
            for (const QString &f : fields)
                values << r.value(f).toString();
            out << values.join(QLatin1Char('|'));
        }
        return out;
    }
    QStringList teams()
    {
        return records("Gala_Team", {"Heat No", "Lane No", "Team Name", "Scoring"});
    }
};

// Driving a screen offscreen by its design names, as an official would.
namespace Drive {

template <typename T = QWidget> T *child(QObject *screen, const QString &name)
{
    T *w = screen->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

inline void click(QObject *screen, const QString &name)
{
    child<QAbstractButton>(screen, name)->click();
}

inline void type(QObject *screen, const QString &name, const QString &text)
{
    child<QLineEdit>(screen, name)->clear();
    QTest::keyClicks(child<QLineEdit>(screen, name), text);
}

// Chooses a line of a combo box the way a click does.
inline void choose(QObject *screen, const QString &name, const QString &line)
{
    QComboBox *box = child<QComboBox>(screen, name);
    const int i = box->findText(line);
    box->setCurrentIndex(i);
    emit box->activated(i);
}

inline QString shown(QObject *screen, const QString &name)
{
    return child<QPlainTextEdit>(screen, name)->toPlainText();
}

} // namespace Drive
