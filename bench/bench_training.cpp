// Costs of the training core on the largest list a file may hold.

#include "lists/listfile.h"
#include "training/training.h"

#include <algorithm>
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
            training.answerEdited(
                s, training.state().entries[training.state().slotEntry[s]].words.first());
        state.ResumeTiming();
        training.correct();
        benchmark::DoNotOptimize(training.state().entryCount());
    }
    if (training.state().entryCount() != kEntries - kSlots)
        state.SkipWithError("the correction did not eliminate 30 entries");
}
BENCHMARK(correctionEliminatingThirty)->Unit(benchmark::kMicrosecond);

// The largest file a list may be: 100000 lines making 10000 draws of ten
// words each, read and grouped into questions.
void parseAndGroupHundredThousandLines(benchmark::State& state) {
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "AEINRST" + QByteArray::number(i / 10) + ";SATINER" + QByteArray::number(i) +
                 "\r\n";
    for (auto _ : state) {
        const auto list = lists::parseList(bytes, QStringLiteral("bench"));
        const QList<Question> questions = questionsOf(*lists::listEntries(list));
        benchmark::DoNotOptimize(questions.size());
    }
}
BENCHMARK(parseAndGroupHundredThousandLines)->Unit(benchmark::kMillisecond);

// A correction of 30 questions of five words each, every answer typed in
// another order, with a word missing from every other one.
void correctionOfFiveWordQuestions(benchmark::State& state) {
    lists::ListContent lines;
    for (int i = 0; i < kEntries; ++i)
        lines.append({QStringLiteral("AEINRST%1").arg(i / 5), QStringLiteral("W%1").arg(i)});
    Training training(nextSeed);
    for (auto _ : state) {
        state.PauseTiming();
        training.start(lines);
        training.takeEffects();
        for (int s = 0; s < kSlots; ++s) {
            QStringList words = training.state().entries[training.state().slotEntry[s]].words;
            std::reverse(words.begin(), words.end());
            if (s % 2)
                words.removeLast();
            training.answerEdited(s, words.join(u' ').toLower());
        }
        state.ResumeTiming();
        training.correct();
        benchmark::DoNotOptimize(training.lastSeries().answers.size());
    }
    if (training.lastSeries().answers.size() != 5 * kSlots || training.state().found != 15)
        state.SkipWithError("the correction did not judge 150 words, 15 questions right");
}
BENCHMARK(correctionOfFiveWordQuestions)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
