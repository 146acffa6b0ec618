#include "cli/ExportSession.h"

#include "cli/CommandLine.h"
#include "core/preparation/GalaChoice.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

namespace ExportCommand {

[[nodiscard]] bool openGala(Session &s, const CommandLine &line, QString *why)
{
    const auto refuse = [why](const QString &text) {
        *why = text;
        return false;
    };
    const QDate wanted = PBUTIL::ReadDate(line.date());
    if (!wanted.isValid())
        return refuse(tr("Not a date: %1").arg(line.date()));
    if (!PBUTIL::FileExists(line.db()))
        return refuse(tr("Cannot open the gala database %1").arg(line.db()));
    s.shared.GalaDbPath = line.db();
    s.shared.GalaDb = std::make_unique<Database>(line.db());
    s.shared.GalaDbOpen = true;

    GalaChoice choice(s.shared);
    switch (choice.choose(line.code(), wanted)) {
    case GalaChoice::Found::UnknownCode:
        return refuse(tr("Unknown gala code %1 in %2").arg(line.code(), line.db()));
    case GalaChoice::Found::UnknownDate:
        return refuse(tr("Gala %1 has no date %2").arg(line.code(), line.date()));
    case GalaChoice::Found::Chosen:
        break;
    }

    if (!line.online().isEmpty()) {
        s.shared.OnlineOn = true;
        s.shared.AresDbPath = line.online();
        s.shared.OnlineMeetCode = line.meetCode();
    }
    QString refusal;
    if (!choice.readyToRecord(&refusal))
        return refuse(refusal);

    // The files are of what was recorded: stored results are kept.
    s.opened = OpenGala(s.shared, s.gala, s.dialogs, StoredResults::Keep);
    if (!s.opened.opened() || (!line.online().isEmpty() && !s.opened.OnlineOn)) {
        const QString reasons = s.opened.told.join(QLatin1String("; "));
        return refuse(reasons.isEmpty() ? tr("The gala could not be opened") : reasons);
    }
    return true;
}

} // namespace ExportCommand
