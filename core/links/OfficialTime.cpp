#include "core/links/OfficialTime.h"

#include "core/gala/GalaRules.h"
#include "core/gala/GalaState.h"
#include "core/links/Announcer.h"
#include "core/sheet/SheetModel.h"
#include "core/values/Dialogs.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>

QString OfficialTimeText(const GalaState &gala, const SheetModel &sheet, int row)
{
    const int e = sheet.currentEvent();
    if (e < 1 || e > gala.NoOfEvents || !sheet.rowVisible(row))
        return QString();
    QString text = QStringLiteral("Event ") + sheet.evNo() + QStringLiteral(" : ") +
                   GalaRules::EventTitle(gala, e) +
                   QStringLiteral(" : Official time\r\nThe official time for ");
    const QString swimmer = sheet.text(SheetModel::SwimmerName, row);
    if (!swimmer.isEmpty())
        text += swimmer + QStringLiteral(" of ");
    return text + sheet.teamNameCaption(row) + QStringLiteral(" was ") +
           sheet.text(SheetModel::Time, row);
}

void AnnounceOfficialTime(SharedState &shared, const GalaState &gala, const SheetModel &sheet,
                          Dialogs &dialogs, int row)
{
    if (!shared.AnnouncerOn)
        return;
    const QString text = OfficialTimeText(gala, sheet, row);
    if (text.isEmpty()) {
        dialogs.message(QCoreApplication::translate("OfficialTime", "Invalid Event Number"));
        return;
    }
    PostAnnouncement(shared, dialogs, text, AnnouncerPriority::Results);
}
