#include "core/exports/ProgramData.h"

#include "core/exports/ExportFile.h"
#include "core/gala/GalaState.h"
#include "core/values/PbUtil.h"

namespace ProgramData {

QStringList Lines(const GalaState &gala)
{
    using Exports::BareField;
    QStringList lines;
    for (int e = 1; e <= gala.NoOfEvents; ++e) {
        // The heading names the stroke by its code (as in "Event 12 : G12 50m FS").
        lines << Exports::Texts::tr("Event ") + gala.EventNo[e] + QStringLiteral(" : ") +
                     gala.EventSexAge[e] + QLatin1Char(' ') + gala.EventDistance[e] +
                     QStringLiteral("m ") + gala.EventStroke[e];
        for (int t = 1; t <= gala.NoOfTeams; ++t) {
            if (!gala.TeamScoring[t])
                continue;
            QString line = PBUTIL::FormatHash(gala.TeamLane[t]) + QLatin1Char(',');
            if (!gala.LaneName(e, t).isEmpty())
                line += BareField(gala.LaneName(e, t)) + QLatin1Char(',');
            lines << line + BareField(gala.TeamName[t]);
        }
        lines << QString();
    }
    return lines;
}

bool Write(const QString &path, const GalaState &gala, QString &error)
{
    return Exports::WriteFile(path, Lines(gala), error);
}

} // namespace ProgramData
