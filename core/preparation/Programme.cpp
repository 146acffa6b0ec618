#include "core/preparation/Programme.h"

#include "core/gala/GalaState.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

Programme::Programme(GalaState &gala) : m_gala(gala)
{
    // The arrays must always have room for the whole programme.
    if (m_gala.EventNo.size() < GalaState::MaxEvents + 2 ||
        m_gala.NoOfEvents > GalaState::MaxEvents || m_gala.NoOfEvents < 0)
        clear();
}

int Programme::count() const
{
    return m_gala.NoOfEvents;
}

bool Programme::full() const
{
    return m_gala.NoOfEvents >= GalaState::MaxEvents;
}

ProgrammeEvent Programme::event(int i) const
{
    return {m_gala.EventNo[i],     m_gala.EventSexAge[i], m_gala.EventDistance[i],
            m_gala.EventStroke[i], m_gala.EventTime[i],   m_gala.EventScoring[i]};
}

void Programme::set(int i, const ProgrammeEvent &e)
{
    m_gala.EventNo[i] = e.no;
    m_gala.EventSexAge[i] = e.sexAge;
    m_gala.EventDistance[i] = e.distance;
    m_gala.EventStroke[i] = e.stroke;
    m_gala.EventTime[i] = e.time;
    m_gala.EventScoring[i] = e.scoring;
}

QString Programme::listLine(int i) const
{
    const ProgrammeEvent e = event(i);
    // The star goes on before fitting, so it can be the text that is cut.
    const QString number = e.scoring.isEmpty() ? e.no : e.no + QLatin1Char('*');
    return PBUTIL::FitText(number, 4) + PBUTIL::FitText(e.sexAge, 10) +
           PBUTIL::FitText(e.distance + QLatin1Char('m'), 5) + PBUTIL::FitText(e.stroke, 5) +
           e.time;
}

QStringList Programme::listLines() const
{
    QStringList lines;
    for (int i = 1; i <= count(); ++i)
        lines << listLine(i);
    return lines;
}

void Programme::clear()
{
    m_gala.resizeEvents(GalaState::MaxEvents);
    m_gala.NoOfEvents = 0;
}

bool Programme::add(const ProgrammeEvent &e)
{
    if (full())
        return false;
    ++m_gala.NoOfEvents;
    set(m_gala.NoOfEvents, e);
    return true;
}

bool Programme::insert(int line, const ProgrammeEvent &e)
{
    if (full() || line < 0 || line >= count())
        return false;
    ++m_gala.NoOfEvents;
    for (int i = m_gala.NoOfEvents; i > line + 1; --i)
        set(i, event(i - 1));
    set(line + 1, e);
    return true;
}

bool Programme::remove(int line)
{
    if (line < 0 || line >= count())
        return false;
    for (int i = line + 1; i < count(); ++i)
        set(i, event(i + 1));
    set(count(), ProgrammeEvent{});
    --m_gala.NoOfEvents;
    return true;
}

bool Programme::replace(const std::vector<ProgrammeEvent> &events)
{
    if (events.size() > size_t(GalaState::MaxEvents))
        return false;
    clear();
    for (const ProgrammeEvent &e : events)
        add(e);
    return true;
}

bool Programme::load(Database &db, const QString &code)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Program_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    Recordset records = q.openRecordset();
    std::vector<ProgrammeEvent> events;
    bool whole = true;
    if (records.recordCount() > 0) {
        for (records.moveFirst(); !records.atEnd(); records.moveNext()) {
            if (int(events.size()) == GalaState::MaxEvents) {
                whole = false;
                break;
            }
            const QVariant no = records.value(QStringLiteral("Event No"));
            const QVariant distance = records.value(QStringLiteral("Distance"));
            events.push_back(
                {no.isNull() ? QString() : PBUTIL::FormatHash(no.toDouble()),
                 records.text(QStringLiteral("Sex age")),
                 distance.isNull() ? QString() : QString::number(distance.toDouble(), 'g', 15),
                 records.text(QStringLiteral("Stroke")), records.text(QStringLiteral("Time")),
                 records.text(QStringLiteral("Scoring"))});
        }
    }
    records.close();
    replace(events);
    return whole;
}

void Programme::store(Database &db, const QString &code) const
{
    Database::Transaction tx(db);
    QueryDef q = db.queryDef(QStringLiteral("Gala_Program_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    Recordset old = q.openRecordset();
    if (old.recordCount() > 0) {
        for (old.moveFirst(); !old.atEnd(); old.moveNext())
            old.remove();
    }
    old.close();

    Recordset table = db.openRecordset(QStringLiteral("Gala_Program"));
    for (int i = 1; i <= count(); ++i) {
        const ProgrammeEvent e = event(i);
        table.addNew();
        table.setValue(QStringLiteral("Program code"), code);
        // Texts that do not start with a number are stored as 0.
        table.setValue(QStringLiteral("Event No"), PBUTIL::LeadingNumber(e.no));
        table.setValue(QStringLiteral("Sex age"), e.sexAge);
        table.setValue(QStringLiteral("Distance"), PBUTIL::LeadingNumber(e.distance));
        table.setValue(QStringLiteral("Stroke"), e.stroke);
        table.setValue(QStringLiteral("Time"), e.time);
        table.setValue(QStringLiteral("Scoring"), e.scoring);
        table.update();
    }
    table.close();
    tx.commit();
}
