#pragma once

#include "foundation/Engine.h"
#include "foundation/GalaState.h"
#include "foundation/PbUtil.h"
#include "foundation/SharedState.h"
#include "recording/GalaOpening.h"
#include "recording/SheetModel.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestGala.h"

#include <QStringList>

// The texts of one column of a model's team rows.
inline QStringList columnTexts(const SheetModel &model, int teams, SheetModel::Column c)
{
    QStringList out;
    for (int r = 0; r < teams; ++r)
        out << model.text(c, r);
    return out;
}

// The demonstration gala (DEMO on 12/10/26: 12 events, 8 team entries, the
// last one non-scoring) opened on a sheet model.
struct DemoSheet
{
    TestGala file{true};
    SharedState shared;
    GalaState gala;
    ScriptedDialogs dialogs;
    SheetModel model{shared, gala, dialogs};

    DemoSheet()
    {
        shared.GalaDb = file.open();
        shared.GalaDbOpen = true;
        shared.ProgCode = QStringLiteral("DEMO");
        shared.GalaDate = QStringLiteral("12/10/26");
        shared.Graded = QStringLiteral("Y");
    }

    OpenedGala open()
    {
        OpenedGala opened = OpenGala(shared, gala, dialogs);
        if (opened.opened()) {
            model.setUpRows();
            model.ShowEvent(1);
        }
        return opened;
    }

    QStringList column(SheetModel::Column c) const { return columnTexts(model, gala.NoOfTeams, c); }

    // Types a time and leaves the box, as the official does.
    void typeTime(int row, const QString &time)
    {
        model.setText(SheetModel::Time, row, time);
        model.TimeLostFocus(row);
    }
};

// Every Gala_Record row of a programme code and date, one text per row in
// table order, fields separated by "|".
inline QStringList galaRows(Database &db, const QString &code, const QString &date)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Record_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), date);
    Recordset rs = q.openRecordset();
    QStringList rows;
    if (rs.recordCount() == 0)
        return rows;
    static const char *fields[] = {"Program code", "Gala Date", "Event No",    "Lane No",
                                   "Lane Time",    "Lane Pos",  "Lane Points", "Lane Notes",
                                   "Heat No",      "Lane Name", "Lane Club",   "Lane DoB"};
    for (rs.moveFirst(); !rs.atEnd(); rs.moveNext()) {
        QStringList values;
        for (const char *f : fields) {
            const QVariant v = rs.value(QLatin1String(f));
            values << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// A stored result record, as an earlier save would have left it.
inline void addRecord(Database &db, const QString &code, int event, int heat, int lane,
                      const QString &time, int pos, double points, const QString &name = {},
                      const QString &dob = {})
{
    Recordset rs = db.openRecordset(QStringLiteral("Gala_Record"));
    rs.addNew();
    rs.setValue(QStringLiteral("Program code"), code);
    rs.setValue(QStringLiteral("Gala Date"), QStringLiteral("12/10/26"));
    rs.setValue(QStringLiteral("Event No"), double(event));
    rs.setValue(QStringLiteral("Lane No"), lane);
    rs.setValue(QStringLiteral("Heat No"), heat);
    rs.setValue(QStringLiteral("Lane Time"), time);
    rs.setValue(QStringLiteral("Lane Pos"), pos);
    rs.setValue(QStringLiteral("Lane Points"), points);
    rs.setValue(QStringLiteral("Lane Name"), name);
    if (!dob.isEmpty())
        rs.setValue(QStringLiteral("Lane DoB"), dob);
    rs.update();
}

// Everything the gala state holds about results, for before/after checks.
inline QStringList laneSnapshot(const GalaState &g)
{
    QStringList out;
    for (int t = 1; t <= g.NoOfTeams; ++t) {
        out << QString::number(double(g.TeamTotal[size_t(t)]));
        for (int e = 1; e <= g.NoOfEvents; ++e)
            out << QStringList{g.LaneTime(e, t),
                               QString::number(g.LanePos(e, t)),
                               QString::number(double(g.LanePoints(e, t))),
                               g.LaneName(e, t),
                               g.LaneDoB(e, t),
                               g.LaneClub(e, t),
                               g.LaneNotes(e, t)}
                       .join(QLatin1Char('|'));
    }
    return out;
}
