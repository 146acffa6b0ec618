#include "core/links/HeatList.h"

#include "core/gala/GalaState.h"
#include "core/links/Announcer.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Dialogs.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace {

const QString CrLf = QStringLiteral("\r\n");

int shownTeams(const GalaState &gala)
{
    return std::clamp(gala.NoOfTeams, 0, int(SheetModel::Rows));
}

struct Entry
{
    QString swimmer;
    QString team;
    int lane = 0;
    int heat = 0;
    bool scoring = false;
};

} // namespace

QStringList HeatListMessages(const GalaState &gala, const SheetModel &sheet)
{
    const int e = sheet.currentEvent();
    if (e < 1 || e > gala.NoOfEvents)
        return {};
    const int n = shownTeams(gala);
    Slots<Entry> entries(n + 1);
    for (int k = 1; k <= n; ++k) {
        const int r = k - 1;
        entries[k] = {sheet.text(SheetModel::SwimmerName, r), sheet.teamNameCaption(r),
                      gala.TeamLane[k], gala.TeamHeat[k], gala.TeamScoring[k]};
    }
    // Exchange sort by lane: equal lanes keep the order the exchanges leave.
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (entries[i].lane > entries[j].lane)
                std::swap(entries[i], entries[j]);

    const int heats = gala.HeatCount();
    QStringList messages;
    for (int h = 1; h <= heats; ++h) {
        QString message = QStringLiteral("Swimmers for Event ") + sheet.evNo() +
                          QStringLiteral(" : ") + gala.EventSexAge[e] + QLatin1Char(' ') +
                          gala.EventDistance[e] + QStringLiteral("m ") +
                          PBUTIL::StrokeName(gala.EventStroke[e]);
        if (heats > 1)
            message += QStringLiteral(" (Heat ") + PBUTIL::FormatHash(h) + QLatin1Char(')');
        message += CrLf;
        for (int k = 1; k <= n; ++k) {
            const Entry &entry = entries[k];
            if (entry.heat != h)
                continue;
            message += PBUTIL::FitText(PBUTIL::NumberText(float(entry.lane)), 3) +
                       PBUTIL::FitText(entry.swimmer, 20) + PBUTIL::FitText(entry.team, 20);
            if (!entry.scoring)
                message += QStringLiteral(" (N/S)");
            message += CrLf;
        }
        messages << message;
    }
    return messages;
}

void HeatsListToAnnouncer(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                          Dialogs &dialogs)
{
    if (!AnnouncerInUse(shared, dialogs))
        return;
    if (sheet.currentEvent() < 1 || sheet.currentEvent() > gala.NoOfEvents) {
        dialogs.message(QCoreApplication::translate("HeatList", "Invalid Event Number"));
        return;
    }
    for (const QString &message : HeatListMessages(gala, sheet))
        PostAnnouncement(shared, dialogs, message, 3);
}
