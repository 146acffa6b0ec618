#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

struct GalaState;
struct OnlineTimes;
class Dialogs;
class SheetModel;

// "Get Online Times": takes the finish times of the event shown from the
// online-times database, heat by heat, and writes them into the sheet's
// time boxes, so ranking, points and totals follow as if they were typed.
// Keeps the text of the label that tells which kind of times was used.
// A lane whose time is a disqualification keeps it; one message per fetch
// names those lanes.
class AresOnlineTimes : public QObject
{
    Q_OBJECT
public:
    // `online` may be null (online timing not in use); it, the gala and the
    // sheet must outlive this.
    AresOnlineTimes(OnlineTimes *online, const GalaState &gala, SheetModel &sheet, Dialogs &dialogs,
                    QObject *parent = nullptr);

    // The label beside the event heading: the message type used last, or
    // "No online times".
    QString aresTimeType() const { return m_aresTimeType; }

    void GetOnlineTimes();

signals:
    void aresTimeTypeChanged();

private:
    // Fetches heat h of event e; false when the command must stop here.
    bool fetchHeat(int e, int h);
    void setAresTimeType(const QString &text);

    OnlineTimes *m_online;
    const GalaState &m_gala;
    SheetModel &m_sheet;
    Dialogs &m_dialogs;
    QString m_aresTimeType;
    QStringList m_keptDisqualified; // "heat h lane l" of this fetch
};
