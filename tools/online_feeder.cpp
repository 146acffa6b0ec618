// Writes finish or intermediate times of one heat into an online-times
// database, as the pool's timing system does, so officials can rehearse
// "Get Online Times" and tests can script a whole gala.
#include "core/values/Engine.h"
#include "core/values/PbUtil.h"
#include "tools/OnlineTimesFeed.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("online_feeder", text);
}

// A whole number from 1 to `highest`, or false.
bool wholeIn(const QString &text, int lowest, int highest, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest;
}

int fail(const QString &why)
{
    QTextStream(stderr) << "online_feeder: " << why << '\n';
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Writes the times of one heat into an online-times database.\n"
           "Finish times are given as LANE TIME POSITION triples; with --split,\n"
           "intermediate times as LANE TIME pairs."));
    parser.addHelpOption();
    const QCommandLineOption dbOption(QStringLiteral("db"), tr("The online-times database."),
                                      tr("file"));
    const QCommandLineOption meetOption(QStringLiteral("meet"), tr("The meet code."), tr("code"));
    const QCommandLineOption eventOption(QStringLiteral("event"), tr("The event number."),
                                         tr("number"));
    const QCommandLineOption heatOption(QStringLiteral("heat"), tr("The heat number."),
                                        tr("number"));
    const QCommandLineOption typeOption(
        QStringLiteral("type"),
        tr("The message type: 5 previous result, 2 online times (default), 6 previous result "
           "with backups, 3 current results, 4 current results with backups."),
        tr("number"), QStringLiteral("2"));
    const QCommandLineOption splitOption(QStringLiteral("split"),
                                         tr("Intermediate times instead of finish times."));
    parser.addOptions({dbOption, meetOption, eventOption, heatOption, typeOption, splitOption});
    parser.addPositionalArgument(QStringLiteral("times"), tr("LANE TIME POSITION ..."));
    parser.process(app);

    for (const QCommandLineOption &required : {dbOption, meetOption, eventOption, heatOption}) {
        if (!parser.isSet(required))
            return fail(tr("--%1 is required").arg(required.names().constFirst()));
    }
    OnlineTimesFeed::Heat heat;
    heat.meetCode = parser.value(meetOption);
    if (!wholeIn(parser.value(eventOption), 1, 32767, heat.eventNo))
        return fail(tr("--event must be a whole number from 1 to 32767"));
    if (!wholeIn(parser.value(heatOption), 1, 32767, heat.heat))
        return fail(tr("--heat must be a whole number from 1 to 32767"));
    if (!wholeIn(parser.value(typeOption), 2, 6, heat.messageType))
        return fail(tr("--type must be 2, 3, 4, 5 or 6"));

    const bool split = parser.isSet(splitOption);
    const int width = split ? 2 : 3;
    const QStringList values = parser.positionalArguments();
    if (values.isEmpty() || values.size() % width != 0)
        return fail(split ? tr("give the times as LANE TIME pairs")
                          : tr("give the times as LANE TIME POSITION triples"));
    QList<OnlineTimesFeed::LaneEntry> lanes;
    for (qsizetype i = 0; i < values.size(); i += width) {
        OnlineTimesFeed::LaneEntry entry;
        if (!wholeIn(values[i], 1, 99, entry.lane))
            return fail(tr("lane \"%1\" must be a whole number from 1 to 99").arg(values[i]));
        entry.time = values[i + 1];
        if (!(PBUTIL::TimeFromText(entry.time) > 0.0f))
            return fail(tr("\"%1\" is not a swim time").arg(entry.time));
        if (!split && !wholeIn(values[i + 2], 0, 99, entry.position))
            return fail(
                tr("position \"%1\" must be a whole number from 0 to 99").arg(values[i + 2]));
        lanes.append(entry);
    }

    const QString path = parser.value(dbOption);
    if (!PBUTIL::FileExists(path))
        return fail(tr("no database at %1").arg(path));
    try {
        Database db(path);
        OnlineTimesFeed::AddTimes(db, heat, lanes, split);
    } catch (const EngineError &error) {
        QTextStream(stderr) << "online_feeder: " << error.message() << '\n';
        return 1;
    }
    QTextStream(stdout) << tr("%1 %2 times written for %3 event %4 heat %5")
                               .arg(lanes.size())
                               .arg(split ? tr("intermediate") : tr("finish"))
                               .arg(heat.meetCode)
                               .arg(heat.eventNo)
                               .arg(heat.heat)
                        << '\n';
    return 0;
}
