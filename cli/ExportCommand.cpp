#include "cli/ExportCommand.h"

#include "cli/SaveHistoryCommand.h"
#include "core/exports/LenexFile.h"
#include "core/exports/ProgramData.h"
#include "core/exports/RankingFiles.h"
#include "core/exports/WebResults.h"
#include "core/exports/WebTeamResults.h"
#include "core/gala/GalaState.h"
#include "core/links/SplitTimes.h"
#include "core/preparation/GalaChoice.h"
#include "core/reports/ReportCatalogue.h"
#include "core/sheet/GalaOpening.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"
#include "print/ReportJob.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace ExportCommand {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ExportCommand", text);
}

// The desk's questions answered without a window: anything asked is noted
// and refused, so nothing is ever decided behind the user's back.
class BatchDialogs : public Dialogs
{
public:
    QStringList notes;

    void message(const QString &text) override { notes << text; }
    QString input(const QString &prompt) override
    {
        notes << tr("no answer given to \"%1\"").arg(prompt);
        return QString();
    }
    bool yesNo(const QString &question) override
    {
        notes << tr("answered No to \"%1\"").arg(question);
        return false;
    }
    bool yesNoDefaultNo(const QString &question) override
    {
        notes << tr("answered No to \"%1\"").arg(question);
        return false;
    }
    void chooseFile(FileChoice &choice) override
    {
        notes << tr("no file chosen for \"%1\"").arg(choice.FilePrompt);
        choice.SelectedDir.clear();
        choice.SelectedFile.clear();
    }
};

// The gala as the recording sheet holds it, opened from the command line.
struct Session
{
    SharedState shared;
    GalaState gala;
    OpenedGala opened;
    BatchDialogs dialogs;
    QString code;            // the gala code, also the ranking files' meet code
    bool longCourse = false; // the course of the ranking files

    OnlineTimes *online() { return opened.OnlineOn ? &opened.online : nullptr; }
    // Split times as the sheet reads them: none without online timing.
    SplitTimes splits()
    {
        return online() ? SplitTimes(opened.online.AresDb.get(), opened.online.MeetCode)
                        : SplitTimes(nullptr, QString());
    }
};

// Writes one output to `target` with the menu's own function; adds the
// files written to `written`.
using Writer = bool (*)(Session &session, const QString &target, QStringList *written,
                        QString *error);

bool writeWeb(Session &s, const QString &target, QStringList *written, QString *error)
{
    if (!WebResults::Write(target, s.gala, s.shared.GalaDate, *error))
        return false;
    *written << target;
    return true;
}

// A folder named for files is made when it does not exist yet.
bool makeFolder(const QString &folder, QString *error)
{
    if (QDir().mkpath(folder))
        return true;
    *error = tr("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder));
    return false;
}

bool writeTeamPages(Session &s, const QString &target, QStringList *written, QString *error)
{
    SplitTimes splits = s.splits();
    if (!makeFolder(target, error) || !WebTeamResults::Write(target, s.gala, s.shared.GalaDate,
                                                             s.shared.graded(), splits, *error))
        return false;
    const QDir dir(target);
    for (const QString &name : WebTeamResults::PageNames(s.gala))
        *written << dir.filePath(name);
    return true;
}

// The menu asks for the meet code, with nothing typed in advance: the gala
// code answers it here.
bool writeRankings(Session &s, const QString &target, QStringList *written, QString *error)
{
    if (!makeFolder(target, error) ||
        !RankingFiles::Write(target, s.code, s.longCourse, s.gala, s.shared.GalaDate, *error))
        return false;
    const QDir dir(target);
    *written << dir.filePath(RankingFiles::HeaderFileName(s.code))
             << dir.filePath(RankingFiles::ResultsFileName(s.code));
    return true;
}

bool writeProgramData(Session &s, const QString &target, QStringList *written, QString *error)
{
    if (!ProgramData::Write(target, s.gala, *error))
        return false;
    *written << target;
    return true;
}

bool writeLenex(Session &s, const QString &target, QStringList *written, QString *error)
{
    QString path;
    if (!LenexFile::Export(s.shared, s.gala, s.online(), target, &path, *error)) {
        *error = tr("%1: %2").arg(path, *error);
        return false;
    }
    *written << path;
    return true;
}

// The reports that need nothing but the gala: "This Result" and the
// speeding tickets print the event shown on the sheet, and "Chief TK Sheets"
// asks the lanes' teams, so these are not printed here.
bool writeReports(Session &s, const QString &target, QStringList *written, QString *error)
{
    SplitTimes splits = s.splits();
    const ReportCatalogue::Inputs inputs{s.shared, s.gala, splits, nullptr, {}};
    PrinterChoice choice;
    choice.usePdfPages();
    for (const ReportCatalogue::Report &report : ReportCatalogue::All()) {
        if (report.needs != ReportCatalogue::Needs::Nothing)
            continue;
        const QString name = ReportCatalogue::Name(report);
        const ReportOutcome outcome =
            RunReport(choice, target, name, [&](PrinterSurface &p) { report.draw(inputs, p); });
        *written << outcome.written;
        if (outcome.failed()) {
            *error = outcome.told(name).replace(QLatin1Char('\n'), QLatin1Char(' '));
            return false;
        }
    }
    return true;
}

// The outputs in the order they are written.
struct Output
{
    const char *option;
    const char *valueName;
    const char *help;
    Writer write;
};
const Output Outputs[] = {
    {"web", "file", QT_TRANSLATE_NOOP("ExportCommand", "Web results sheet (HTML)."), writeWeb},
    {"team-pages", "folder",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "One web page per team entry, into the folder (made when missing)."),
     writeTeamPages},
    {"rankings", "folder",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "ASA ranking files (.HDR and .MRF) named after the gala code, into the "
                       "folder (made when missing)."),
     writeRankings},
    {"program-data", "file",
     QT_TRANSLATE_NOOP("ExportCommand", "Data file for the printed competition programme."),
     writeProgramData},
    {"lenex", "file",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "Lenex 3 results: a .lef name gives plain XML, any other name the zipped "
                       ".lxf."),
     writeLenex},
    {"reports", "folder",
     QT_TRANSLATE_NOOP("ExportCommand",
                       "The printed reports that ask nothing (Results Sheets, Team Results, List "
                       "of Swimmers for Announcer, Analysis of Positions) as PDF files, into the "
                       "folder (made when missing)."),
     writeReports},
};

class CommandLine
{
public:
    CommandLine()
        : m_help({QStringLiteral("h"), QStringLiteral("help")}, tr("Shows this help.")),
          m_version(QStringLiteral("version"), tr("Shows the program's version.")),
          m_db(QStringLiteral("db"), tr("The gala database to read (required)."), tr("file")),
          m_code(QStringLiteral("code"), tr("The gala code (Meet Code) of the gala (required)."),
                 tr("code")),
          m_date(QStringLiteral("date"), tr("The date of the gala, dd/mm/yy (required)."),
                 tr("date")),
          m_longCourse(QStringLiteral("long-course"),
                       tr("The ranking files are for a long course; without it, short course.")),
          m_online(QStringLiteral("online"),
                   tr("The online-times database: Lenex results carry its split times."),
                   tr("file")),
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

    QString helpText() const
    {
        return m_parser.helpText() + QLatin1Char('\n') +
               tr("Exit status: 0 when every file was written, 1 when the database, the\n"
                  "gala or a file failed, 2 for a wrong command line.\n") +
               QLatin1Char('\n') + SaveHistoryCommand::HelpText();
    }

    // Reads the arguments; false with the usage fault when they are wrong.
    [[nodiscard]] bool parse(const QStringList &arguments, QString *fault)
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
            return wrong(tr("--contact-email needs an e-mail address: %1")
                             .arg(m_parser.value(m_contactEmail)));
        return true;
    }

    bool wantsHelp() const { return m_parser.isSet(m_help); }
    bool wantsVersion() const { return m_parser.isSet(m_version); }
    QString db() const { return m_parser.value(m_db); }
    QString code() const { return m_parser.value(m_code); }
    QString date() const { return m_parser.value(m_date); }
    bool longCourse() const { return m_parser.isSet(m_longCourse); }
    QString online() const { return m_parser.value(m_online); }
    QString meetCode() const
    {
        return m_parser.isSet(m_meetCode) ? m_parser.value(m_meetCode) : code();
    }
    // The Lenex contact: the options, or else the settings file's.
    Settings contact() const
    {
        Settings kept = SettingsFile::read(
            m_parser.isSet(m_settings)
                ? m_parser.value(m_settings)
                : SettingsFile::location(QCoreApplication::applicationDirPath()));
        if (m_parser.isSet(m_contactEmail))
            kept.ContactEmail = m_parser.value(m_contactEmail);
        if (m_parser.isSet(m_organisation))
            kept.ContactOrganisation = m_parser.value(m_organisation);
        return kept;
    }
    // The targets given for output i (the option may be repeated).
    QStringList targets(int i) const { return m_parser.values(m_outputs[i]); }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help, m_version, m_db, m_code, m_date, m_longCourse, m_online, m_meetCode,
        m_contactEmail, m_organisation, m_settings;
    QList<QCommandLineOption> m_outputs;
};

// Chooses the gala as the set-up screen does and opens it as the recording
// sheet does; false with the reason when it cannot.
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
        const QString reasons = s.dialogs.notes.join(QLatin1String("; "));
        return refuse(reasons.isEmpty() ? tr("The gala could not be opened") : reasons);
    }
    return true;
}

} // namespace

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
