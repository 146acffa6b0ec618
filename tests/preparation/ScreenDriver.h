#pragma once

#include "foundation/Engine.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <QtTest>

// Small helpers for driving the preparation screens offscreen by their
// design names, as an official would.
namespace Drive {

template <typename T> T *child(QObject *screen, const QString &name)
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
    QLineEdit *box = child<QLineEdit>(screen, name);
    box->clear();
    QTest::keyClicks(box, text);
}

// Chooses a line of a combo box the way a click does.
inline void choose(QObject *screen, const QString &name, const QString &line)
{
    QComboBox *box = child<QComboBox>(screen, name);
    const int i = box->findText(line);
    if (i < 0)
        qFatal("no line %s in %s", qPrintable(line), qPrintable(name));
    box->setCurrentIndex(i);
    emit box->activated(i);
}

inline QString shown(QObject *screen, const QString &name)
{
    return child<QPlainTextEdit>(screen, name)->toPlainText();
}

inline QStringList lines(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The stored team entries of a gala as "heat:lane name scoring".
inline QStringList storedTeams(Database &db, const QString &code, const QString &date)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Team_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), date);
    Recordset r = q.openRecordset();
    QStringList out;
    if (r.recordCount() > 0) {
        for (r.moveFirst(); !r.atEnd(); r.moveNext())
            out << QStringLiteral("%1:%2 %3 %4")
                       .arg(r.text(QStringLiteral("Heat No")), r.text(QStringLiteral("Lane No")),
                            r.text(QStringLiteral("Team Name")),
                            r.value(QStringLiteral("Scoring")).toBool()
                                ? QStringLiteral("scoring")
                                : QStringLiteral("non-scoring"));
    }
    return out;
}

} // namespace Drive
