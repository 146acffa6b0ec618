#pragma once

#include "core/values/Engine.h"
#include "tools/ReadyMadeDatabases.h"

#include <QTemporaryDir>

#include <memory>

// A gala database in a temporary folder that disappears with the test.
struct TestGala
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("gala_record.mdb"));

    // A blank gala database, or the demonstration gala.
    explicit TestGala(bool demo = false)
    {
        auto db = ReadyMade::createGalaDatabase(path);
        if (demo)
            ReadyMade::addDemonstrationGala(*db);
    }
    std::unique_ptr<Database> open() const { return std::make_unique<Database>(path); }
};
