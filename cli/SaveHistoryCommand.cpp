#include "cli/SaveHistoryCommand.h"

#include "core/sheet/SaveHistory.h"
#include "core/sheet/SaveResults.h"
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace SaveHistoryCommand {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SaveHistoryCommand", text);
}

const QString ListOption = QStringLiteral("list-saves");
const QString RestoreOption = QStringLiteral("restore-save");

void listSaves(Database &db, const QString &code, const QString &date, QTextStream &out)
{
    const QList<SaveHistory::Entry> entries = SaveHistory::List(db, code, date);
    if (entries.isEmpty()) {
        out << tr("No saves of %1 %2.").arg(code, date) << '\n';
        return;
    }
    out << tr("Saves of %1 %2, newest first:").arg(code, date) << '\n';
    out << QStringLiteral("%1  %2  %3  %4  %5\n")
               .arg(tr("No"), 5)
               .arg(tr("Saved"), -17)
               .arg(tr("Action"), -22)
               .arg(tr("Event"), -5)
               .arg(tr("Events with results"));
    for (const SaveHistory::Entry &e : entries) {
        const QString when = e.savedAt.isValid()
                                 ? e.savedAt.toString(QStringLiteral("dd/MM/yy HH:mm:ss"))
                                 : tr("not known");
        out << QStringLiteral("%1  %2  %3  %4  %5\n")
                   .arg(e.number, 5)
                   .arg(when, -17)
                   .arg(e.action, -22)
                   .arg(e.eventShown, -5)
                   .arg(e.eventsWithResults);
    }
}

} // namespace

bool Wanted(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a.startsWith(QLatin1String("--") + ListOption) ||
            a.startsWith(QLatin1String("--") + RestoreOption))
            return true;
    }
    return false;
}

QString HelpText()
{
    return tr("Save history (for a desk whose screen will not open):\n"
              "  --list-saves            Lists the saves of the gala (--db, --code, --date),\n"
              "                          newest first, with their numbers.\n"
              "  --restore-save <no>     Makes save <no> the gala's current results; the\n"
              "                          results it replaces are kept as a save of their own.\n"
              "                          This is the only option that writes the database.\n");
}

int Run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString program = QStringLiteral("aqgalarec-export");
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("file")),
        code(QStringLiteral("code"), QString(), QStringLiteral("code")),
        date(QStringLiteral("date"), QString(), QStringLiteral("date")), list(ListOption),
        restore(RestoreOption, QString(), QStringLiteral("no"));
    parser.addOptions({db, code, date, list, restore});
    const auto usage = [&](const QString &fault) {
        err << program << ": " << fault << '\n'
            << tr("Try '%1 --help' for more information.").arg(program) << '\n';
        err.flush();
        return 2;
    };
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    for (const QCommandLineOption *required : {&db, &code, &date}) {
        if (parser.value(*required).isEmpty())
            return usage(tr("--%1 is required.").arg(required->names().first()));
    }
    if (parser.isSet(list) == parser.isSet(restore))
        return usage(tr("Give either --list-saves or --restore-save."));
    bool numeric = true;
    const qint64 number = parser.value(restore).toLongLong(&numeric);
    if (parser.isSet(restore) && (!numeric || number < 0))
        return usage(
            tr("--restore-save needs the number of a save: %1").arg(parser.value(restore)));
    if (!PBUTIL::ReadDate(parser.value(date)).isValid())
        return usage(tr("Not a date: %1").arg(parser.value(date)));

    int status = 0;
    try {
        if (!PBUTIL::FileExists(parser.value(db)))
            throw EngineError(tr("Cannot open the gala database %1").arg(parser.value(db)));
        Database database(parser.value(db));
        const QStringList faults = database.check();
        if (!faults.isEmpty())
            throw EngineError(
                tr("The gala database %1 is damaged: %2")
                    .arg(parser.value(db), faults.mid(0, 5).join(QLatin1String("; "))));
        if (parser.isSet(restore)) {
            ResultStore::RestoreResults(database, parser.value(code), parser.value(date), number);
            out << tr("Save %1 is now the current results of %2 %3.")
                       .arg(number)
                       .arg(parser.value(code), parser.value(date))
                << '\n';
        }
        listSaves(database, parser.value(code), parser.value(date), out);
    } catch (const EngineError &e) {
        err << program << ": " << e.message() << '\n';
        status = 1;
    }
    out.flush();
    err.flush();
    return status;
}

} // namespace SaveHistoryCommand
