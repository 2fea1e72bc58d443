#pragma once

// The program around its sittings, without a window: the training screen's
// core, and what it tells the sittings.

#include "session/sittings.h"
#include "support/testsupport.h"
#include "training/training.h"

#include <QDateTime>

namespace tirages::test {

inline const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));

struct Program {
    explicit Program(const QString& database) : sittings({}, [this] { return now; }) {
        sittings.useStore(progress::Store::open(database, [this] { return now; }));
    }
    bool lancer(const QString& fichier) {
        sittings.listNamed(fichier);
        const auto file = sittings.launch();
        if (!file)
            return false;
        training.start(file->entries);
        sittings.started(training.snapshot());
        return true;
    }
    bool continuer(const QString& fichier) {
        sittings.listNamed(fichier);
        const auto kept = sittings.continueTraining();
        if (!kept)
            return false;
        training.resume(*kept);
        sittings.started(training.snapshot());
        return true;
    }
    // A series with the first `right` slots answered right, corrected.
    void correct(int right) {
        for (int slot = 0; slot < std::min(right, training.state().entryCount()); ++slot)
            test::answerRight(training, slot);
        training.correct();
        sittings.corrected(training.snapshot(), training.lastSeries());
        training.newSeries();
    }
    void sommaire() {
        training.backToLauncher();
        sittings.left(training.snapshot());
    }
    QString line() { return sittings.view().progress; }

    QDateTime now = kNow;
    session::Sittings sittings;
    training::Training training{test::countingSeeds()};
};

} // namespace tirages::test
