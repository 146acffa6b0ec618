#include "core/live/LiveSnapshot.h"

#include "core/sheet/GalaOpening.h"
#include "core/values/SharedState.h"

LiveSnapshot TakeSnapshot(const SharedState &shared, const GalaState &gala, int lastEvent,
                          const OnlineTimes *online, double poolLength)
{
    LiveSnapshot s;
    s.gala = gala;
    s.galaDate = shared.GalaDate;
    s.graded = shared.graded();
    s.lastEvent = lastEvent;
    s.savedAt = QDateTime::currentDateTimeUtc();
    s.poolLength = poolLength;
    s.contactEmail = shared.ContactEmail.trimmed();
    s.organisation = shared.ContactOrganisation.trimmed();
    s.galaCode = shared.ProgCode;
    if (online && online->AresDb) {
        s.aresDbPath = online->AresDbInUse;
        s.meetCode = online->MeetCode;
    }
    return s;
}
