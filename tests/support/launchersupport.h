#pragma once

// A launcher with sittings of its own, opened without a store: as the program
// is on a first run before its database is opened, or where none can be.

#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "support/testsupport.h"

#include <QDateTime>

namespace tirages::test {

// What a launcher works with, as the program gives it.
struct LauncherParts {
    explicit LauncherParts(QStringList dataDirs)
        : sittings(dataDirs, systemNow), carrying(sittings, dataDirs) {}
    session::Sittings sittings;
    session::Carrying carrying;
};

class TestLauncher : private LauncherParts, public screens::Launcher {
public:
    explicit TestLauncher(QStringList dataDirs = {})
        : LauncherParts(std::move(dataDirs)),
          Launcher([] { return std::make_unique<screens::TrainingScreen>(countingSeeds()); },
                   sittings, carrying, systemNow) {}
    using LauncherParts::sittings;
};

} // namespace tirages::test
