#include "cli/CommandLine.h"

#include "cli/ExportCommand.h"
#include "cli/ExportOutputs.h"
#include "cli/SaveHistoryCommand.h"
#include "core/exports/LenexFile.h"

#include <QCoreApplication>

namespace ExportCommand {

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, tr("Shows this help.")),
      m_version(QStringLiteral("version"), tr("Shows the program's version.")),
      m_db(QStringLiteral("db"), tr("The gala database to read (required)."), tr("file")),
      m_code(QStringLiteral("code"), tr("The gala code (Meet Code) of the gala (required)."),
             tr("code")),
      m_date(QStringLiteral("date"), tr("The date of the gala, dd/mm/yy (required)."), tr("date")),
      m_longCourse(QStringLiteral("long-course"),
                   tr("The ranking files are for a long course; without it, short course.")),
      m_online(QStringLiteral("online"),
               tr("The online-times database: Lenex results carry its split times."), tr("file")),
      m_meetCode(QStringLiteral("meet-code"),
                 tr("The gala's meet code in the online-times database (default: the gala "
                    "code)."),
                 tr("code")),
      m_contactEmail(QStringLiteral("contact-email"),
                     tr("The desk's contact e-mail in Lenex files (default: the one kept in "
                        "the settings file)."),
                     tr("address")),
      m_organisation(QStringLiteral("organisation"),
                     tr("The organisation that runs the desk, in Lenex files (default: the "
                        "one kept in the settings file)."),
                     tr("name")),
      m_settings(QStringLiteral("settings"),
                 tr("The settings file the Lenex contact is read from (default: the "
                    "program's aqrecord.ini)."),
                 tr("file"))
{
    m_parser.setApplicationDescription(
        tr("Writes the files of the recording sheet's menus for a recorded gala, without "
           "any window. The gala database is only read, except by --restore-save."));
    m_parser.addOptions({m_help, m_version, m_db, m_code, m_date});
    for (const Output &output : Outputs)
        m_outputs.append(QCommandLineOption(QLatin1String(output.option), tr(output.help),
                                            tr(output.valueName)));
    m_parser.addOptions(m_outputs);
    m_parser.addOptions(
        {m_longCourse, m_online, m_meetCode, m_contactEmail, m_organisation, m_settings});
}

QString CommandLine::helpText() const
{
    return m_parser.helpText() + QLatin1Char('\n') +
           tr("Exit status: 0 when every file was written, 1 when the database, the\n"
              "gala or a file failed, 2 for a wrong command line.\n") +
           QLatin1Char('\n') + SaveHistoryCommand::HelpText();
}

bool CommandLine::parse(const QStringList &arguments, QString *fault)
{
    const auto wrong = [fault](const QString &text) {
        *fault = text;
        return false;
    };
    if (!m_parser.parse(arguments))
        return wrong(m_parser.errorText());
    if (m_parser.isSet(m_help) || m_parser.isSet(m_version))
        return true;
    if (!m_parser.positionalArguments().isEmpty())
        return wrong(tr("Unexpected argument: %1").arg(m_parser.positionalArguments().first()));
    for (const QCommandLineOption *required : {&m_db, &m_code, &m_date}) {
        if (m_parser.value(*required).isEmpty())
            return wrong(tr("--%1 is required.").arg(required->names().first()));
    }
    bool any = false;
    for (int i = 0; i < m_outputs.size(); ++i) {
        if (!m_parser.isSet(m_outputs[i]))
            continue;
        const QString option = QLatin1String(Outputs[i].option);
        if (m_parser.values(m_outputs[i]).contains(QString()))
            return wrong(tr("--%1 needs a %2.").arg(option, tr(Outputs[i].valueName)));
        any = true;
    }
    if (!any)
        return wrong(tr("Nothing to write: give at least one of the file options."));
    if (m_parser.isSet(m_longCourse) && !m_parser.isSet(QStringLiteral("rankings")))
        return wrong(tr("--long-course applies to --rankings only."));
    if (m_parser.isSet(m_meetCode) && !m_parser.isSet(m_online))
        return wrong(tr("--meet-code applies to --online only."));
    if (m_parser.isSet(m_contactEmail) &&
        !LenexFile::IsEmailAddress(m_parser.value(m_contactEmail)))
        return wrong(
            tr("--contact-email needs an e-mail address: %1").arg(m_parser.value(m_contactEmail)));
    return true;
}

QString CommandLine::meetCode() const
{
    return m_parser.isSet(m_meetCode) ? m_parser.value(m_meetCode) : code();
}

Settings CommandLine::contact() const
{
    Settings kept =
        SettingsFile::read(m_parser.isSet(m_settings)
                               ? m_parser.value(m_settings)
                               : SettingsFile::location(QCoreApplication::applicationDirPath()));
    if (m_parser.isSet(m_contactEmail))
        kept.ContactEmail = m_parser.value(m_contactEmail);
    if (m_parser.isSet(m_organisation))
        kept.ContactOrganisation = m_parser.value(m_organisation);
    return kept;
}

} // namespace ExportCommand
