#pragma once

// A launcher with sittings of its own, opened without a store: as the program
// is on a first run before its database is opened, or where none can be.

#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "session/sittings.h"
#include "support/testsupport.h"

#include <QDateTime>

namespace tirages::test {

struct OwnSittings {
    explicit OwnSittings(QStringList dataDirs)
        : sittings(std::move(dataDirs), [] { return QDateTime::currentDateTime(); }) {}
    session::Sittings sittings;
};

class TestLauncher : private OwnSittings, public screens::Launcher {
public:
    explicit TestLauncher(QStringList dataDirs = {})
        : OwnSittings(std::move(dataDirs)),
          Launcher([] { return std::make_unique<screens::TrainingScreen>(countingSeeds()); },
                   sittings) {}
};

} // namespace tirages::test
