// Saves the largest gala again and again, with the save history and the
// second copy on, until it is killed: the kill test's victim.
//   save_loop DATABASE COPY-FOLDER

#include "core/sheet/SaveResults.h"
#include "core/sheet/SheetModel.h"
#include "core/values/SecondCopy.h"
#include "core/values/SharedState.h"
#include "tests/core/sheet/LargestGala.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

struct SilentDialogs : Dialogs
{
    void message(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    QString input(const QString &) override { return {}; }
    bool yesNo(const QString &) override { return false; }
    bool yesNoDefaultNo(const QString &) override { return false; }
    void chooseFile(FileChoice &) override {}
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    SharedState shared;
    SilentDialogs dialogs;
    shared.GalaDb = std::make_unique<Database>(args[1]);
    shared.SecondCopyOn = true;
    shared.SecondCopyFolder = args[2];
    GalaState gala;
    const QString run = QString::number(QCoreApplication::applicationPid());
    for (int generation = 1;; ++generation) {
        fillLargestGala(gala, run + QLatin1Char('-') + QString::number(generation), generation);
        ResultStore::SaveResults(*shared.GalaDb, QStringLiteral("BIG"), QStringLiteral("12/10/26"),
                                 gala,
                                 {SaveAction::NextEvent, QString::number(generation % 100 + 1)});
        RequestSecondCopy(shared, dialogs);
        QCoreApplication::processEvents();
        if (generation == 1) {
            std::printf("saving\n");
            std::fflush(stdout);
        }
    }
}
