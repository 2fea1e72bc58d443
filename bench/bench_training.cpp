// Costs of the training core on the largest list a file may hold.

#include "lists/listfile.h"
#include "training/training.h"

#include <benchmark/benchmark.h>

using namespace tirages;
using namespace tirages::training;

namespace {

constexpr int kEntries = 10000;

lists::ListContent bigList() {
    lists::ListContent entries;
    entries.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        entries.append({QStringLiteral("AEINRST%1").arg(i), QStringLiteral("SATINER%1").arg(i)});
    return entries;
}

QByteArray bigFile() {
    QByteArray bytes;
    for (int i = 0; i < kEntries; ++i)
        bytes += "AEINRST" + QByteArray::number(i) + ";SATINER" + QByteArray::number(i) + "\r\n";
    return bytes;
}

quint64 seed = 0;
quint64 nextSeed() {
    return ++seed;
}

// Reading a full list file from memory.
void parseTenThousandEntries(benchmark::State& state) {
    const QByteArray bytes = bigFile();
    for (auto _ : state) {
        auto list = lists::parseList(bytes, QStringLiteral("bench"));
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(parseTenThousandEntries)->Unit(benchmark::kMicrosecond);

// A series set-up on a full list.
void seriesSetUp(benchmark::State& state) {
    Training training(nextSeed);
    training.start(bigList());
    for (auto _ : state) {
        state.PauseTiming();
        training.correct(); // nothing answered: the list stays whole
        training.takeEffects();
        state.ResumeTiming();
        training.newSeries();
        benchmark::DoNotOptimize(training.state().slotEntry);
    }
}
BENCHMARK(seriesSetUp)->Unit(benchmark::kMicrosecond);

// A correction in which all 30 answers are right and leave the list: the
// removal of 30 entries from 10000. The set-up that precedes each correction
// is timed apart, above, and left out here.
void correctionEliminatingThirty(benchmark::State& state) {
    Training training(nextSeed);
    const lists::ListContent entries = bigList();
    for (auto _ : state) {
        state.PauseTiming();
        training.start(entries);
        training.takeEffects();
        for (int s = 0; s < kSlots; ++s)
            training.answerEdited(s,
                                  training.state().entries[training.state().slotEntry[s]].expected);
        state.ResumeTiming();
        training.correct();
        benchmark::DoNotOptimize(training.state().entryCount());
    }
    if (training.state().entryCount() != kEntries - kSlots)
        state.SkipWithError("the correction did not eliminate 30 entries");
}
BENCHMARK(correctionEliminatingThirty)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
