// Plays a training with the same code as the program and keeps it after every
// correction, without end, for the crash and concurrency tests, which kill it.
//
//   sitting_driver DATABASE LIST SEED [PAUSE_MS]
//
// LIST is a list file's path. PAUSE_MS paces the series, so that two drivers
// on one database take turns as two players would (a series lasts minutes,
// not microseconds).
//
// Before each write it prints "about SERIES DIGEST", after it "saved SERIES
// DIGEST", where DIGEST stands for the whole training as written. A list that
// another program trains is refused: "refused MESSAGE", exit status 4.
//
//   sitting_driver --kept DATABASE LIST
//
// prints what SQLite's check of the database says, then the kept training of
// the list as "SERIES DIGEST" (nothing when none), and ends.
//
//   sitting_driver --backup DATABASE COPY
//
// copies the database to COPY again and again, printing "copied" each time.
//
//   sitting_driver --open DATABASE
//
// opens the database as the launcher does, and prints what it says: "ok"
// when it has nothing to say.

#include "session/sittings.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"
#include "training/training.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <random>

using namespace tirages;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--open") == 0) {
        session::Sittings sittings({}, test::systemNow);
        sittings.useStore(progress::Store::open(QString::fromLocal8Bit(argv[2]), test::systemNow));
        const QString said = sittings.view().message;
        std::printf("%s\n", said.isEmpty() ? "ok" : qPrintable(said));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--kept") == 0) {
        const QString database = QString::fromLocal8Bit(argv[2]);
        const QString integrity = test::integrityOf(database);
        const auto store = test::openStore(database);
        const auto kept =
            store ? store->trainings().load(lists::ListId::typed(QString::fromLocal8Bit(argv[3])))
                  : std::nullopt;
        std::printf("%s", qPrintable(integrity));
        if (kept)
            std::printf(" %d %s", kept->snapshot.seriesDone, test::digest(kept->snapshot).constData());
        std::printf("\n");
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--backup") == 0) {
        const auto store = test::openStore(QString::fromLocal8Bit(argv[2]));
        for (;;) {
            if (const auto copied = store->transfers().backup(QString::fromLocal8Bit(argv[3]));
                !copied) {
                std::fprintf(stderr, "%s\n", qPrintable(copied.why()));
                return 1;
            }
            std::printf("copied\n");
            std::fflush(stdout);
        }
    }
    if (argc != 4 && argc != 5)
        return 2;
    const int pause = argc == 5 ? std::atoi(argv[4]) : 0;
    const QString list = QString::fromLocal8Bit(argv[2]);
    std::mt19937_64 player(std::strtoull(argv[3], nullptr, 10));
    session::Sittings sittings({}, [] { return QDateTime::currentDateTime(); });
    sittings.useStore(progress::Store::open(QString::fromLocal8Bit(argv[1]),
                                            [] { return QDateTime::currentDateTime(); }));
    if (!sittings.store()) {
        std::fprintf(stderr, "%s\n", qPrintable(sittings.view().message));
        return 1;
    }
    training::Training training([&player] { return player(); });
    // Every write is announced before it is made and reported once it is done.
    const auto announce = [](const char* what, const training::TrainingSnapshot& snapshot) {
        std::printf("%s %d %s\n", what, snapshot.seriesDone, test::digest(snapshot).constData());
        std::fflush(stdout);
    };
    const auto kept = [&](const training::TrainingSnapshot& now) {
        if (!sittings.pending())
            announce("saved", now);
    };
    const auto begin = [&] {
        const auto file = sittings.launch();
        if (!file) {
            std::printf("refused %s\n", sittings.view().message.toUtf8().constData());
            std::fflush(stdout);
            std::exit(4);
        }
        training.start(file->entries);
        announce("about", training.snapshot());
        sittings.started(training.snapshot());
        kept(training.snapshot());
    };
    sittings.listNamed(list);
    if (const auto taken = sittings.continueTraining()) {
        training.resume(*taken);
        sittings.started(training.snapshot());
    } else {
        begin();
    }
    for (;;) {
        const int shown = std::min(training.state().entryCount(), training::kSlots);
        for (int slot = 0; slot < shown; ++slot) {
            if (player() % 3 == 0)
                test::answerRight(training, slot);
        }
        training.correct();
        const training::TrainingSnapshot now = training.snapshot();
        announce("about", now);
        sittings.corrected(now, training.lastSeries());
        kept(now);
        while (sittings.pending()) { // another program was writing: as the launcher would
            QThread::msleep(20);
            sittings.retry();
            kept(now);
        }
        if (training.state().entryCount() == 0)
            begin();
        else
            training.newSeries();
        training.takeEffects();
        if (pause > 0)
            QThread::msleep(static_cast<unsigned long>(pause));
    }
}
