// Plays a training with the same code as the program and keeps it after every
// correction, without end, for the crash and concurrency tests, which kill it.
//
//   progress_driver DATABASE LIST SEED [PAUSE_MS]
//
// PAUSE_MS paces the series, so that two drivers on one database take turns as
// two players would (a series lasts minutes, not microseconds).
//
// Before each write it prints "about SERIES DIGEST", after it "saved SERIES
// DIGEST", where DIGEST stands for the whole training as written.

#include "progress/store.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"
#include "training/training.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <random>

using namespace tirages;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4 && argc != 5)
        return 2;
    const int pause = argc == 5 ? std::atoi(argv[4]) : 0;
    const QString list = QString::fromLocal8Bit(argv[2]);
    std::mt19937_64 player(std::strtoull(argv[3], nullptr, 10));
    progress::Store store(QString::fromLocal8Bit(argv[1]));
    if (!store.usable()) {
        std::fprintf(stderr, "%s\n", qPrintable(store.problem()));
        return 1;
    }
    Training training([&player] { return player(); });
    // Every write is announced before it is made and reported once it is done.
    const auto announce = [](const char* what, const TrainingSnapshot& snapshot) {
        std::printf("%s %d %s\n", what, snapshot.seriesDone, test::digest(snapshot).constData());
        std::fflush(stdout);
    };
    const auto begin = [&] {
        const lists::ListContent lines = test::numberedEntries(200);
        training.commencer(lines);
        announce("about", training.snapshot());
        if (store.begin(list, training.snapshot(), lines))
            announce("saved", training.snapshot());
    };
    if (const auto kept = store.load(list); kept && !kept->summary.finished)
        training.resume(kept->snapshot);
    else
        begin();
    for (;;) {
        const int shown = std::min(training.state().nbmots(), kSlots);
        for (int slot = 0; slot < shown; ++slot) {
            if (player() % 3 == 0)
                test::answerRight(training, slot);
        }
        training.correct();
        const TrainingSnapshot now = training.snapshot();
        announce("about", now);
        if (store.save(list, now, &training.lastSeries()))
            announce("saved", now);
        if (training.state().nbmots() == 0)
            begin();
        else
            training.newSeries();
        training.takeEffects();
        if (pause > 0)
            QThread::msleep(static_cast<unsigned long>(pause));
    }
}
