#include "core/links/Announcer.h"

#include "core/gala/GalaState.h"
#include "core/sheet/SheetModel.h"
#include "core/sheet/TeamScores.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <algorithm>
#include <utility>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The board at the pool reads the same file. A post that finds it busy waits
// at most this long for each lock it needs (two at most), so the desk is
// never held up for a second.
constexpr int AnnouncerBusyMs = 300;

// One row of the sheet as the result announcement reads it.
struct Placing
{
    bool scoring = false;
    bool disqualified = false;
    QString team;
    QString time;
    QString swimmer;
    QString reason;
    int position = 0;
};

// True when entry j must be listed before entry i.
bool comesBefore(const Placing &j, const Placing &i)
{
    if (!i.scoring)
        return true;
    if (!j.scoring)
        return false;
    if (i.disqualified)
        return true;
    if (j.disqualified)
        return false;
    return i.position > j.position;
}

} // namespace

void PostAnnouncement(SharedState &shared, Dialogs &dialogs, const QString &message, int priority)
{
    if (!shared.AnnouncerOn)
        return;
    try {
        if (!shared.AnnouncerDbOpen) {
            if (!PBUTIL::FileExists(shared.AnnouncerDbPath)) {
                dialogs.message(QCoreApplication::translate("Announcer",
                                                            "Can't locate the announcer database"));
                return;
            }
            shared.AnnouncerDb = std::make_unique<Database>(
                shared.AnnouncerDbPath, Database::Access::ReadWrite, AnnouncerBusyMs);
            shared.AnnouncerDbOpen = true;
        }
        Recordset set = shared.AnnouncerDb->openRecordset(QStringLiteral("Announcement"));
        set.addNew();
        set.setValue(QStringLiteral("Priority"), int(qint16(priority)));
        set.setValue(QStringLiteral("Message"), message);
        set.update();
        set.close();
    } catch (const EngineError &e) {
        dialogs.message(
            QCoreApplication::translate("Announcer", "The announcement was not posted: %1")
                .arg(e.message()));
    }
}

bool AnnouncerInUse(const SharedState &shared, Dialogs &dialogs)
{
    if (shared.AnnouncerOn)
        return true;
    dialogs.message(QCoreApplication::translate(
        "Announcer", "The announcer screen is off: nothing was sent. Tick \"Announcer Screen\" "
                     "on the Gala Recording Set-Up screen to switch it on."));
    return false;
}

QString EventResultText(const GalaState &gala, const SheetModel &sheet)
{
    const int e = sheet.currentEvent();
    // The boxes still show the previous event when an unknown number was typed.
    if (e < 1 || e > gala.NoOfEvents)
        return QString();

    QString text = QStringLiteral("Event ") + sheet.evNo() + QStringLiteral(" : ") +
                   gala.EventSexAge[e] + QLatin1Char(' ') + gala.EventDistance[e] +
                   QStringLiteral("m ") + PBUTIL::StrokeName(gala.EventStroke[e]) + CrLf;

    const int n = std::min(gala.NoOfTeams, int(SheetModel::Rows));
    Slots<Placing> list(n + 1);
    for (int t = 1; t <= n; ++t) {
        const int r = t - 1;
        Placing &p = list[t];
        p.scoring = gala.TeamScoring[t];
        p.team = sheet.teamNameCaption(r);
        p.swimmer = sheet.text(SheetModel::SwimmerName, r);
        const QString time = sheet.text(SheetModel::Time, r);
        if (time.startsWith(QLatin1Char('D'))) {
            p.disqualified = true;
            p.reason = sheet.text(SheetModel::Notes, r);
        } else {
            p.time = time;
            p.position = PBUTIL::LeadingWhole(sheet.text(SheetModel::Position, r));
        }
    }
    // The desk's exchange sort: equal entries keep the order the exchanges leave.
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (comesBefore(list[j], list[i]))
                std::swap(list[i], list[j]);

    for (int k = 1; k <= n; ++k) {
        const Placing &p = list[k];
        text += p.disqualified ? QStringLiteral("DQ ")
                               : PBUTIL::FitText(PBUTIL::FormatHash(p.position), 3);
        text += PBUTIL::FitText(p.team, 20) + PBUTIL::FitText(p.time, 10) +
                PBUTIL::FitText(p.swimmer, 20) + p.reason + CrLf;
    }
    return text;
}

void ResultToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                       Dialogs &dialogs)
{
    // Nothing to compose for when nobody listens.
    if (!AnnouncerInUse(shared, dialogs))
        return;
    const QString text = EventResultText(gala, sheet);
    if (text.isEmpty()) {
        dialogs.message(QCoreApplication::translate("Announcer", "Invalid Event Number"));
        return;
    }
    PostAnnouncement(shared, dialogs, text, 2);
}

void PointScoresToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                            Dialogs &dialogs)
{
    if (AnnouncerInUse(shared, dialogs))
        PostAnnouncement(shared, dialogs, TeamScores::PointScoresText(gala, sheet), 2);
}

QString UpdateCompetitionScores(SharedState &shared, const GalaState &gala, Dialogs &dialogs)
{
    const QString upTo =
        dialogs.input(QCoreApplication::translate("TeamScores", "Up to event number?"));
    const TeamScores::CompetitionTexts texts = TeamScores::CompetitionScores(gala, upTo);
    // The sheet shows the scores even when the announcer screen is off.
    if (AnnouncerInUse(shared, dialogs)) {
        PostAnnouncement(shared, dialogs, texts.ageGroup, 2);
        PostAnnouncement(shared, dialogs, texts.open, 2);
        PostAnnouncement(shared, dialogs, texts.overall, 2);
    }
    return texts.shown();
}
