// The lexicon: the shipped one read and indexed, a player's word file of the
// same words read, the memory a process holds once it is read, and one word
// sheet.

#include "lexicon/lexiconfile.h"
#include "lexicon/wordsheet.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

using namespace tirages;

namespace {

const QString kShipped = QStringLiteral(TIRAGES_DATA_DIR "/lexique.lex");

const lexicon::Lexicon& shipped() {
    static const lexicon::Lexicon read = *lexicon::readLexicon(kShipped);
    return read;
}

// The shipped words as a player's file: one a line, lower case, CR LF.
QString wordFile() {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mots.txt"));
    if (!QFile::exists(path)) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            return {};
        QByteArray all;
        QByteArray word;
        QFile in(kShipped);
        if (!in.open(QIODevice::ReadOnly))
            return {};
        in.readLine(); // the header
        while (!in.atEnd()) {
            const QByteArray line = in.readLine().trimmed();
            word.truncate(line.front() - '0');
            word.append(line.sliced(1));
            all += word.toLower() + "\r\n";
        }
        out.write(all);
    }
    return path;
}

// A line of /proc/self/status, in MB.
double statusMegabytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').front().toDouble() / 1024.0;
    }
    return 0;
}

// What reading the lexicon adds to the peak resident memory of a fresh
// process (this program started again with --added-peak), in MB.
double addedPeakMegabytes() {
    QProcess process;
    process.start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--added-peak")});
    process.waitForFinished();
    return process.readAllStandardOutput().trimmed().toDouble();
}

int printAddedPeak() {
    const double before = statusMegabytes("VmRSS:");
    const auto read = lexicon::readLexicon(kShipped);
    std::printf("%.1f\n", read ? statusMegabytes("VmHWM:") - before : -1.0);
    return 0;
}

void readShipped(benchmark::State& state) {
    qsizetype words = 0;
    for (auto _ : state)
        words = lexicon::readLexicon(kShipped)->size();
    state.counters["words"] = static_cast<double>(words);
    state.counters["index_MB"] = static_cast<double>(shipped().memoryUsed()) / 1048576.0;
    state.counters["added_peak_MB"] = addedPeakMegabytes();
}
BENCHMARK(readShipped)->Unit(benchmark::kMillisecond);

void readPlayersWordFile(benchmark::State& state) {
    const QString path = wordFile();
    qsizetype words = 0;
    for (auto _ : state)
        words = lexicon::readLexicon(path)->size();
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(readPlayersWordFile)->Unit(benchmark::kMillisecond);

// The sheet of a draw of seven letters with many words of one letter more.
void wordSheetOfAestrin(benchmark::State& state) {
    const QStringList answers = shipped().anagrams(u"AEINRST");
    for (auto _ : state)
        benchmark::DoNotOptimize(lexicon::wordSheet(shipped(), answers, {"RETSINA", "TRAINES"}));
    state.counters["answers"] = static_cast<double>(answers.size());
}
BENCHMARK(wordSheetOfAestrin)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--added-peak") == 0)
        return printAddedPeak();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
