#include "core/preparation/GalaChoice.h"

#include "core/gala/GalaState.h"
#include "core/values/Engine.h"
#include "core/values/Guarded.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

namespace {
const QString CrLf = QStringLiteral("\r\n");
const QString CodeField = QStringLiteral("Program code");
} // namespace

GalaChoice::GalaChoice(SharedState &shared) : m_shared(shared) {}

QStringList GalaChoice::meetCodes()
{
    QStringList codes;
    Recordset names = GalaDatabase(m_shared).openRecordset(QStringLiteral("Gala_Name"));
    if (names.recordCount() > 0) {
        for (names.moveFirst(); !names.atEnd(); names.moveNext())
            codes << names.text(CodeField);
    }
    names.close();
    return codes;
}

std::optional<QString> GalaChoice::meetDetails(const QString &code)
{
    if (code.isEmpty())
        return std::nullopt;
    Database &db = GalaDatabase(m_shared);

    // With several records of one code the last one is shown.
    QString details;
    Recordset names = db.openRecordset(QStringLiteral("Gala_Name"));
    if (names.recordCount() > 0) {
        for (names.moveFirst(); !names.atEnd(); names.moveNext()) {
            if (names.text(CodeField) != code)
                continue;
            details = names.text(QStringLiteral("Program description"));
            const QVariant notes = names.value(QStringLiteral("Program notes"));
            if (!notes.isNull())
                details += CrLf + notes.toString();
        }
    }
    names.close();

    m_eventCount = countEvents(db, code);
    details +=
        CrLf + (m_eventCount > 0
                    ? QCoreApplication::translate("GalaChoice", "Number of event=") +
                          PBUTIL::NumberText(float(m_eventCount))
                    : QCoreApplication::translate("GalaChoice", "No events list for this gala"));
    m_shared.ProgCode = code;
    // A new code offers its dates with none chosen yet, whatever was before.
    m_shared.GalaDate.clear();

    m_dateList = QStringList{QString()};
    m_promoterList = QStringList{QString()};
    m_gradedList.assign(1, false);
    Recordset dates = db.openRecordset(QStringLiteral("Gala_Date"));
    if (dates.recordCount() > 0) {
        for (dates.moveFirst(); !dates.atEnd(); dates.moveNext()) {
            if (dates.text(CodeField) != code)
                continue;
            m_dateList << PBUTIL::DateText(dates.value(QStringLiteral("Date")).toDate());
            m_promoterList << dates.text(QStringLiteral("Promoter"));
            m_gradedList.push_back(dates.value(QStringLiteral("Graded")).toBool());
        }
    }
    dates.close();
    m_haveLists = true;
    return details;
}

QStringList GalaChoice::dates() const
{
    return m_dateList.mid(1);
}

QString GalaChoice::eventDetails(int dateIndex)
{
    if (!m_haveLists)
        return QString();
    if (dateIndex < 0 || dateIndex >= m_dateList.size())
        dateIndex = 0;
    m_shared.GalaDate = m_dateList.at(dateIndex);
    m_shared.Promoter = m_promoterList.at(dateIndex);
    m_shared.Graded = m_gradedList[dateIndex] ? QStringLiteral("Y") : QStringLiteral("N");

    QString details = m_shared.GalaDate + QLatin1Char(' ') + m_shared.Promoter;
    if (m_shared.Graded == QLatin1String("Y"))
        details += QStringLiteral(" TIME GRADED GALA");
    m_teamCount = countTeams(GalaDatabase(m_shared), m_shared.ProgCode, m_shared.GalaDate);
    details +=
        CrLf + (m_teamCount > 0
                    ? PBUTIL::FormatHash(m_teamCount) + QStringLiteral(" teams entered")
                    : QCoreApplication::translate("GalaChoice", "No teams currently entered"));
    m_shared.LastGalaDate = m_shared.GalaDate;
    return details;
}

bool GalaChoice::readyToRecord(QString *refusal)
{
    if (m_shared.ProgCode.isEmpty() || m_shared.GalaDate.isEmpty()) {
        *refusal = QCoreApplication::translate(
            "GalaChoice", "Choose a gala date first: pick the meet code, then the date in \"Gala "
                          "Date\".");
        return false;
    }
    if (m_shared.AnnouncerOn && !PBUTIL::FileExists(m_shared.AnnouncerDbPath)) {
        *refusal = QCoreApplication::translate("GalaChoice", "No announcer screen");
        return false;
    }
    if (m_shared.OnlineOn && !PBUTIL::FileExists(m_shared.AresDbPath)) {
        *refusal = QCoreApplication::translate("GalaChoice", "No database of online times");
        return false;
    }
    m_teamCount = countTeams(GalaDatabase(m_shared), m_shared.ProgCode, m_shared.GalaDate);
    if (m_teamCount == 0) {
        *refusal = QCoreApplication::translate("GalaChoice", "No teams currently entered");
        return false;
    }
    // The sheet has one row per team entry; more entries could not be recorded.
    if (m_teamCount > GalaState::MaxSheetRows) {
        *refusal = QCoreApplication::translate(
                       "GalaChoice", "Too many teams entered: the recording sheet has room for %1")
                       .arg(GalaState::MaxSheetRows);
        return false;
    }
    return true;
}

std::optional<QString> GalaChoice::chooseDatabase(Dialogs &dialogs, const QString &caption)
{
    FileChoice &choice = m_shared.Choice;
    choice.FileMustExist = true;
    choice.Pattern = QStringLiteral("*.mdb");
    choice.FilePrompt = caption;
    dialogs.chooseFile(choice);
    if (choice.SelectedDir.isEmpty()) {
        dialogs.message(QCoreApplication::translate("GalaChoice", "No Database selected"));
        return std::nullopt;
    }
    return choice.path();
}

int GalaChoice::countEvents(Database &db, const QString &code)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Program_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    Recordset events = q.openRecordset();
    const int n = events.recordCount();
    events.close();
    return n;
}

int GalaChoice::countTeams(Database &db, const QString &code, const QString &date)
{
    QueryDef q = db.queryDef(QStringLiteral("Gala_Team_Query"));
    q.setParameter(QStringLiteral("Enter program code"), code);
    q.setParameter(QStringLiteral("Enter gala date"), date);
    Recordset teams = q.openRecordset();
    const int n = teams.recordCount();
    teams.close();
    return n;
}
