// The desk's side of the browser test: records times on the recording
// sheet's model and saves, with the publisher following the sheet as the
// desk program wires it.
//
//   live_desk --db FILE --folder DIR --event N --times T1,T2,... [--swimmer NAME]
//
// A database that does not exist yet is made as the demonstration gala.
#include "cli/BatchDialogs.h"
#include "core/live/LivePublisher.h"
#include "core/sheet/GalaOpening.h"
#include "core/sheet/SheetModel.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"
#include "tools/ReadyMadeDatabases.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    for (const char *name : {"db", "folder", "event", "times", "swimmer"})
        parser.addOption({name, "", "VALUE"});
    parser.process(app);

    if (!PBUTIL::FileExists(parser.value("db")))
        ReadyMade::addDemonstrationGala(*ReadyMade::createGalaDatabase(parser.value("db")));
    SharedState shared;
    shared.GalaDb = std::make_unique<Database>(parser.value("db"));
    shared.ProgCode = QStringLiteral("DEMO");
    shared.GalaDate = QStringLiteral("12/10/26");
    shared.Graded = QStringLiteral("Y");
    shared.ContactEmail = QStringLiteral("desk@harbourside.example");
    GalaState gala;
    ExportCommand::BatchDialogs dialogs; // the desk's messages, printed at the end
    if (!OpenGala(shared, gala, dialogs, StoredResults::Keep).opened())
        return 1;
    SheetModel model(shared, gala, dialogs);
    model.setUpRows();
    LivePublisher publisher(parser.value("folder"));
    TellDesk(publisher, dialogs);
    publisher.follow(model, shared, gala, nullptr);

    model.ShowEvent(parser.value("event").toInt());
    const QStringList typed = parser.value("times").split(QLatin1Char(','));
    for (int r = 0; r < typed.size(); ++r) {
        model.setText(SheetModel::Time, r, typed[r]);
        model.TimeLostFocus(r);
    }
    if (parser.isSet("swimmer"))
        model.setText(SheetModel::SwimmerName, 0, parser.value("swimmer"));
    const bool saved = model.SaveResults(SaveAction::NextEvent);
    publisher.waitForIdle();
    QCoreApplication::processEvents(); // failures and notes are told on this thread
    if (!dialogs.notes.isEmpty())
        qWarning("%s", qPrintable(dialogs.notes.join(QLatin1Char('\n'))));
    return saved ? 0 : 1;
}
