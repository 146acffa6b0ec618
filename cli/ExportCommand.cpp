#include "cli/ExportCommand.h"

#include "cli/CommandLine.h"
#include "cli/ExportOutputs.h"
#include "cli/ExportSession.h"
#include "cli/SaveHistoryCommand.h"
#include "core/values/Engine.h"

#include <QCoreApplication>
#include <QTextStream>

namespace ExportCommand {

int Run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    // The save history's options make it another command on the same program.
    if (SaveHistoryCommand::Wanted(arguments))
        return SaveHistoryCommand::Run(arguments, out, err);
    const QString program = QStringLiteral("aqgalarec-export");
    CommandLine line;
    QString fault;
    if (!line.parse(arguments, &fault)) {
        err << program << ": " << fault << '\n'
            << tr("Try '%1 --help' for more information.").arg(program) << '\n';
        err.flush();
        return Usage;
    }
    if (line.wantsHelp()) {
        out << line.helpText();
        out.flush();
        return Done;
    }
    if (line.wantsVersion()) {
        out << program << ' ' << QStringLiteral(AQGALAREC_VERSION) << '\n';
        out.flush();
        return Done;
    }

    Session session;
    session.code = line.code();
    session.longCourse = line.longCourse();
    const Settings contact = line.contact();
    session.shared.ContactEmail = contact.ContactEmail.trimmed();
    session.shared.ContactOrganisation = contact.ContactOrganisation.trimmed();
    // Without a contact the Lenex file is refused; every other file is
    // still written.
    bool lenexRefused = false;
    int status = Done;
    try {
        QString refusal;
        if (!openGala(session, line, &refusal)) {
            err << program << ": " << refusal << '\n';
            status = Failed;
        } else {
            // Stored results that fit no event or team entry are skipped, as
            // on the sheet; say so.
            for (const QString &note : std::as_const(session.dialogs.notes))
                err << program << ": " << tr("warning: %1").arg(note) << '\n';
        }
        for (int i = 0; i < int(std::size(Outputs)); ++i) {
            if (status == Done && Outputs[i].write == writeLenex && !line.targets(i).isEmpty() &&
                (session.shared.ContactEmail.isEmpty() ||
                 session.shared.ContactOrganisation.isEmpty())) {
                err << program << ": "
                    << tr("No Lenex file written: Lenex files need the desk's contact e-mail and "
                          "organisation; give --contact-email and --organisation, or set them "
                          "once with the recording sheet's Lenex export.")
                    << '\n';
                lenexRefused = true;
                continue;
            }
            for (const QString &target : line.targets(i)) {
                if (status != Done)
                    break;
                QStringList written;
                QString error;
                const bool ok = Outputs[i].write(session, target, &written, &error);
                for (const QString &path : std::as_const(written))
                    out << tr("Wrote %1").arg(path) << '\n';
                if (!ok) {
                    err << program << ": " << error << '\n';
                    status = Failed;
                }
            }
        }
    } catch (const EngineError &e) {
        err << program << ": " << e.message() << '\n';
        status = Failed;
    }
    if (lenexRefused)
        status = Failed;
    out.flush();
    err.flush();
    return status;
}

} // namespace ExportCommand
