// What keeping trainings costs: a save after a correction on the largest list,
// a training begun on it, opening a database that holds a training for each of
// the 17 lists, the launcher's line as the list box changes, and the longest
// time the window waits on the database while another program holds it.
//
//   bench_progress [benchmark options]
//   bench_progress --fill=PATH    writes such a database at PATH, for startup.sh

#include "lists/catalogue.h"
#include "progress/store.h"
#include "session/sittings.h"
#include "training/training.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>
#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

using namespace tirages;

namespace {

constexpr int kEntries = 10000;

lists::ListContent bigList() {
    lists::ListContent entries;
    for (int i = 0; i < kEntries; ++i)
        entries.append({QStringLiteral("AEINRST%1").arg(i), QStringLiteral("SATINER%1").arg(i)});
    return entries;
}

QString writeBigList(const QTemporaryDir& dir) {
    QFile file(dir.filePath(QStringLiteral("liste.txt")));
    if (file.open(QIODevice::WriteOnly)) {
        for (const lists::Entry& entry : bigList())
            file.write((entry.draw + u';' + entry.solution + QStringLiteral("\r\n")).toLatin1());
    }
    return file.fileName();
}

quint64 seed = 0;
quint64 nextSeed() {
    return ++seed;
}

QDateTime now() {
    return QDateTime::currentDateTime();
}

void answerEverySlot(Training& training) {
    for (int s = 0; s < kSlots; ++s)
        training.answerEdited(s, training.state().entries[training.state().numeros[s]].solution);
}

// A training begun on the list, as "LANCER" begins it, with nothing eliminated
// by its corrections so that the list stays full.
struct Sitting {
    explicit Sitting(const QTemporaryDir& dir)
        : list(writeBigList(dir)), sittings({}, now), training(nextSeed) {
        sittings.useStore(
            std::make_unique<progress::Store>(dir.filePath(QStringLiteral("tirages.sqlite"))));
        training.thresholdEdited(QStringLiteral("1000000"));
        sittings.listNamed(list);
        const auto file = sittings.launch();
        training.commencer(file->entries);
        sittings.started(training.snapshot());
    }
    void correct() {
        answerEverySlot(training);
        training.correct();
        training.takeEffects();
        sittings.corrected(training.snapshot(), training.lastSeries());
        training.newSeries();
    }
    QString list;
    session::Sittings sittings;
    Training training;
};

// A training begun on every catalogue list, each with a few series saved.
void fill(const QString& path) {
    progress::Store store(path);
    for (const lists::CatalogueList& list : lists::catalogue()) {
        Training training(nextSeed);
        const lists::ListContent lines = bigList();
        training.commencer(lines);
        QList<SeriesRecord> series;
        for (int s = 0; s < 3; ++s) {
            answerEverySlot(training);
            training.correct();
            series.append(training.lastSeries());
            training.newSeries();
        }
        store.save(list.name, {training.snapshot(), lines, series, now(), std::nullopt, true});
    }
}

// The save the program makes after each correction on a 10000-entry list:
// the entries shown updated, the series and its 30 answers recorded, in one
// transaction written through to the disk.
void saveAfterCorrection(benchmark::State& state) {
    QTemporaryDir dir;
    Sitting sitting(dir);
    for (auto _ : state) {
        state.PauseTiming();
        answerEverySlot(sitting.training);
        sitting.training.correct();
        sitting.training.takeEffects();
        const TrainingSnapshot snapshot = sitting.training.snapshot();
        state.ResumeTiming();
        sitting.sittings.corrected(snapshot, sitting.training.lastSeries());
        state.PauseTiming();
        if (sitting.sittings.pending())
            state.SkipWithError("the save failed");
        sitting.training.newSeries();
        state.ResumeTiming();
    }
}
BENCHMARK(saveAfterCorrection)->Unit(benchmark::kMillisecond);

// "LANCER" on a 10000-entry list: the training begun, every line written.
void beginTenThousand(benchmark::State& state) {
    QTemporaryDir dir;
    Sitting sitting(dir);
    for (auto _ : state) {
        state.PauseTiming();
        const auto file = sitting.sittings.launch();
        sitting.training.commencer(file->entries);
        const TrainingSnapshot snapshot = sitting.training.snapshot();
        state.ResumeTiming();
        sitting.sittings.started(snapshot);
    }
}
BENCHMARK(beginTenThousand)->Unit(benchmark::kMillisecond);

// What the program does once its launcher is painted: open the database, and
// tell the line of the launcher's first text.
void openWithTrainings(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    if (state.range(0) > 0)
        fill(path);
    for (auto _ : state) {
        session::Sittings sittings({}, now);
        sittings.useStore(std::make_unique<progress::Store>(path));
        sittings.listNamed(QStringLiteral("Sélectionnez votre liste"));
        benchmark::DoNotOptimize(sittings.view());
    }
}
BENCHMARK(openWithTrainings)->Arg(0)->Arg(17)->Unit(benchmark::kMillisecond);

// The list box changes, from another text to the list of a kept 10000-entry
// training in progress, whose line (with the file compared) is shown.
void launcherLine(benchmark::State& state) {
    QTemporaryDir dir;
    QString list;
    {
        Sitting sitting(dir);
        sitting.correct();
        list = sitting.list;
    }
    session::Sittings sittings({}, now);
    sittings.useStore(
        std::make_unique<progress::Store>(dir.filePath(QStringLiteral("tirages.sqlite"))));
    for (auto _ : state) {
        sittings.listNamed(list.chopped(1));
        benchmark::DoNotOptimize(sittings.view());
        sittings.listNamed(list);
        if (sittings.view().progress.isEmpty())
            state.SkipWithError("no line");
    }
}
BENCHMARK(launcherLine)->Unit(benchmark::kMillisecond);

// Another program holds the database for 3 s: meanwhile the player corrects a
// series every 100 ms, goes back to the launcher, and the program tries its
// pending save again each second, as it does. The longest of these calls.
void waitWhileHeld(benchmark::State& state) {
    QTemporaryDir dir;
    Sitting sitting(dir);
    const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
    for (auto _ : state) {
        int ready[2];
        if (pipe(ready) != 0)
            state.SkipWithError("no pipe");
        const pid_t holder = fork();
        if (holder == 0) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "holder");
            db.setDatabaseName(database);
            const bool held =
                db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE"));
            (void)!write(ready[1], held ? "y" : "n", 1);
            QThread::msleep(3000);
            _exit(0);
        }
        char answer = 'n';
        (void)!read(ready[0], &answer, 1);
        QElapsedTimer held;
        held.start();
        qint64 longest = 0;
        const auto timed = [&longest](auto&& call) {
            QElapsedTimer timer;
            timer.start();
            call();
            longest = std::max(longest, timer.nsecsElapsed());
        };
        for (int tick = 0; held.elapsed() < 3000; ++tick) {
            timed([&] { sitting.correct(); });
            if (tick % 10 == 0)
                timed([&] { sitting.sittings.retry(); });
            timed([&] { sitting.sittings.left(sitting.training.snapshot()); });
            QThread::msleep(100);
        }
        waitpid(holder, nullptr, 0);
        close(ready[0]);
        close(ready[1]);
        state.counters["longest_ms"] = static_cast<double>(longest) / 1e6;
        state.counters["held"] = answer == 'y';
        sitting.sittings.retry();
        if (sitting.sittings.pending())
            state.SkipWithError("still not kept once the database was free");
    }
}
BENCHMARK(waitWhileHeld)->Iterations(1)->Unit(benchmark::kMillisecond);

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
