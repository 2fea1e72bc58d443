// What keeping trainings costs: a save after a correction on the largest list,
// and opening a database that holds a training for each of the 17 lists.
//
//   bench_progress [benchmark options]
//   bench_progress --fill=PATH    writes such a database at PATH, for startup.sh

#include "lists/catalogue.h"
#include "progress/store.h"
#include "training/training.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstring>

using namespace tirages;

namespace {

constexpr int kEntries = 10000;

lists::ListContent bigList() {
    lists::ListContent entries;
    for (int i = 0; i < kEntries; ++i)
        entries.append({QStringLiteral("AEINRST%1").arg(i), QStringLiteral("SATINER%1").arg(i)});
    return entries;
}

quint64 seed = 0;
quint64 nextSeed() {
    return ++seed;
}

void answerEverySlot(Training& training) {
    for (int s = 0; s < kSlots; ++s)
        training.answerEdited(s, training.state().entries[training.state().numeros[s]].solution);
}

// A training begun on every catalogue list, each with a few series saved.
void fill(const QString& path) {
    progress::Store store(path);
    for (const lists::CatalogueList& list : lists::catalogue()) {
        Training training(nextSeed);
        const lists::ListContent lines = bigList();
        training.commencer(lines);
        store.begin(list.name, training.snapshot(), lines);
        for (int series = 0; series < 3; ++series) {
            answerEverySlot(training);
            training.correct();
            store.save(list.name, training.snapshot(), &training.lastSeries());
            training.newSeries();
        }
    }
}

// The save the program makes after each correction on a 10000-entry list:
// the snapshot taken, the entries shown updated, the series and its 30 answers
// recorded, in one transaction written through to the disk.
void saveAfterCorrection(benchmark::State& state) {
    QTemporaryDir dir;
    progress::Store store(dir.filePath(QStringLiteral("tirages.sqlite")));
    Training training(nextSeed);
    training.thresholdEdited(QStringLiteral("1000000")); // nothing leaves: the list stays full
    const lists::ListContent lines = bigList();
    training.commencer(lines);
    store.begin(QStringLiteral("liste"), training.snapshot(), lines);
    for (auto _ : state) {
        state.PauseTiming();
        answerEverySlot(training);
        training.correct();
        training.takeEffects();
        state.ResumeTiming();
        if (!store.save(QStringLiteral("liste"), training.snapshot(), &training.lastSeries()))
            state.SkipWithError("the save failed");
        state.PauseTiming();
        training.newSeries();
        state.ResumeTiming();
    }
}
BENCHMARK(saveAfterCorrection)->Unit(benchmark::kMillisecond);

// "LANCER" on a 10000-entry list: the training begun, every line written.
void beginTenThousand(benchmark::State& state) {
    QTemporaryDir dir;
    progress::Store store(dir.filePath(QStringLiteral("tirages.sqlite")));
    Training training(nextSeed);
    const lists::ListContent lines = bigList();
    training.commencer(lines);
    for (auto _ : state) {
        if (!store.begin(QStringLiteral("liste"), training.snapshot(), lines))
            state.SkipWithError("the training was not begun");
    }
}
BENCHMARK(beginTenThousand)->Unit(benchmark::kMillisecond);

// What the program does at start with its database: open it, and look up the
// launcher's first text.
void openWithTrainings(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    if (state.range(0) > 0)
        fill(path);
    for (auto _ : state) {
        progress::Store store(path);
        benchmark::DoNotOptimize(store.summary(QStringLiteral("Sélectionnez votre liste")));
    }
}
BENCHMARK(openWithTrainings)->Arg(0)->Arg(17)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 2 && std::strncmp(argv[1], "--fill=", 7) == 0) {
        fill(QString::fromLocal8Bit(argv[1] + 7));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
