// What the list reader costs on files that are no list, and on plain word
// lists: time per read, and the peak memory of a process that reads the file once (measured in a child
// process of its own, so that each case starts from the same footprint).

#include "lists/listfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tirages;


namespace {

// A line without end, 4 KiB at a time, as a special file may give.
class EndlessLine : public QIODevice {
public:
    EndlessLine() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 max) override {
        memset(data, 'x', static_cast<std::size_t>(max));
        return max;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
};

struct Inputs {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    Inputs() {
        QFile sparse(path("sparse.txt"));
        if (sparse.open(QIODevice::WriteOnly)) {
            sparse.write("A;B\n");
            sparse.resize(qint64{3} * 1000 * 1000 * 1000);
        }
        write("badfirst.txt", "no separator\r\n", 1000 * 1000);
        write("toomany.txt", "", 20000);
        write("full.txt", "", 10000);
        write("empty.txt", "", 0);
        writeWords("words.txt", 10000, 0);
        writeWords("toomanywords.txt", 20000, 0);
        // As many bytes as a file may hold, in as many lines as a word list may hold.
        writeWords("longwords.txt", 10000, static_cast<int>(lists::kMaxListBytes / 10000) - 16);
    }
    // Words of 8 to 9 letters with accents, one a line, in UTF-8; `padding`
    // letters more make every line long.
    void writeWords(const char* name, int count, int padding) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly))
            return;
        for (int i = 0; i < count; ++i) {
            QByteArray word = "\xc3\xa9";
            for (int n = i; word.size() < 6; n /= 26)
                word += static_cast<char>('a' + n % 26);
            word += QByteArray(padding, 'z') + "tre\n";
            file.write(word);
        }
    }
    void write(const char* name, const QByteArray& first, int lines) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(first);
        for (int i = 0; i < lines; ++i)
            file.write("AEINRST" + QByteArray::number(i) + ";SATINER" + QByteArray::number(i) +
                       "\r\n");
    }
};

const Inputs& inputs() {
    static const Inputs files;
    return files;
}

void readOnce(const QString& path) {
    if (path.isEmpty()) {
        EndlessLine stream;
        benchmark::DoNotOptimize(lists::readList(stream, QStringLiteral("stream")));
    } else {
        benchmark::DoNotOptimize(lists::readList(path));
    }
}

// Peak resident memory, in MB, of a child process that reads `path` once.
double peakMegabytes(const QString& path) {
    const pid_t child = fork();
    if (child == 0) {
        readOnce(path);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void readCase(benchmark::State& state, const char* name) {
    const QString path = name[0] ? inputs().path(name) : QString();
    for (auto _ : state)
        readOnce(path);
    state.counters["peak_MB"] = peakMegabytes(path);
    state.counters["peak_MB_reading_nothing"] = peakMegabytes(inputs().path("empty.txt"));
}

BENCHMARK_CAPTURE(readCase, sparse3GB, "sparse.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, millionLinesBadFirst, "badfirst.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, twentyThousandLines, "toomany.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, tenThousandEntries, "full.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, endlessLine, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, tenThousandWords, "words.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, twentyThousandWords, "toomanywords.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readCase, tenThousandLongWordLines, "longwords.txt")
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
