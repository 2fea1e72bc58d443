// What keeping trainings costs: a save after a correction on the largest list,
// a training begun on it, opening a database that holds a training for each of
// the 17 lists, the launcher's line as the list box changes, and the longest
// time the window waits on the database while another program holds it. And
// the memory of questions: the answers of a year replayed into it, the
// questions due counted, the reviews of a correction.
//
//   bench_progress [benchmark options]
//   bench_progress --fill=PATH          writes such a database at PATH, for startup.sh
//   bench_progress --fill-memory=PATH   one that remembers 100000 questions

#include "lists/catalogue.h"
#include "history.h"
#include "progress/store.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "training/training.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
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
using namespace tirages::training;

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
            file.write((entry.draw + u';' + entry.expected + QStringLiteral("\r\n")).toLatin1());
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
        training.answerEdited(s,
                              training.state().entries[training.state().slotEntry[s]].words.first());
}

// A training begun on the list, as "LANCER" begins it, with nothing eliminated
// by its corrections so that the list stays full.
struct Sitting {
    explicit Sitting(const QTemporaryDir& dir)
        : list(writeBigList(dir)), sittings({}, now), training(nextSeed) {
        sittings.useStore(
            progress::Store::open(dir.filePath(QStringLiteral("tirages.sqlite")), bench::systemNow));
        training.thresholdEdited(QStringLiteral("1000000"));
        sittings.listNamed(list);
        const auto file = sittings.launch();
        training.start(file->entries);
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
    const auto store = bench::openStore(path);
    for (const lists::CatalogueList& list : lists::catalogue()) {
        Training training(nextSeed);
        const lists::ListContent lines = bigList();
        training.start(lines);
        QList<SeriesRecord> series;
        for (int s = 0; s < 3; ++s) {
            answerEverySlot(training);
            training.correct();
            series.append(training.lastSeries());
            training.newSeries();
        }
        store->trainings().save(lists::ListId::typed(list.name),
                                {training.snapshot(), lines, series, now(), std::nullopt, true});
    }
}

constexpr int kQuestions = 100000;
constexpr int kAnswers = 2 * kQuestions;

// A database as the last version without reviews left it after a year of
// daily use: kAnswers answers, in series of 30 over 365 days, each question
// answered twice, one day apart or more; a third wrong, the others found in 2
// to 30 s. The memory is made from them when the store next opens it.
void fillAnswers(const QString& path) {
    bench::openStore(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery query(db);
    for (const char* statement : {"DROP TABLE reviews", "DROP TABLE cards",
                                  "ALTER TABLE series DROP COLUMN words_left",
                                  "PRAGMA user_version = 3"})
        query.exec(QString::fromLatin1(statement));
    db.transaction();
    QSqlQuery series(db);
    series.prepare(QStringLiteral("INSERT INTO series (id, list, corrected, found, shown,"
                                  " seconds_used, criterion, threshold) VALUES (?, ?, ?, 20, 30,"
                                  " 200, 0, '1')"));
    QSqlQuery answer(db);
    answer.prepare(QStringLiteral("INSERT INTO answers (series, line, draw, solution, answer,"
                                  " correct, seconds) VALUES (?, ?, ?, ?, '', ?, ?)"));
    const QDateTime start(QDate(2025, 12, 9), QTime(9, 0));
    const int seriesCount = kAnswers / kSlots;
    for (int s = 0; s < seriesCount; ++s) {
        const QDateTime at = start.addSecs(qint64{s} * 365 * 86400 / seriesCount);
        series.addBindValue(s + 1);
        series.addBindValue(lists::catalogue()[s % 17].name);
        series.addBindValue(at.toString(Qt::ISODateWithMs));
        series.exec();
        for (int a = 0; a < kSlots; ++a) {
            const int n = s * kSlots + a;
            const int question = n % kQuestions; // the second round half a year later
            answer.addBindValue(s + 1);
            answer.addBindValue(a + 1);
            answer.addBindValue(QStringLiteral("AEINRST%1").arg(question));
            answer.addBindValue(QStringLiteral("SATINER%1").arg(question));
            answer.addBindValue(n % 3 != 0 ? 1 : 0);
            answer.addBindValue(2 + n % 29);
            answer.exec();
        }
    }
    db.commit();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

// The same database with its memory made.
void fillMemory(const QString& path) {
    fillAnswers(path);
    const auto store = bench::openStore(path, QRandomGenerator::global());
}

// The first start of this version on a year of answers: each replayed, in
// order, through the scheduler, inside the migration.
void replayAYear(benchmark::State& state) {
    QTemporaryDir dir;
    const QString answers = dir.filePath(QStringLiteral("answers.sqlite"));
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    fillAnswers(answers);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        QFile::copy(answers, path);
        state.ResumeTiming();
        const auto store = bench::openStore(path, QRandomGenerator::global());
        state.PauseTiming();
        state.counters["questions"] =
            store->memory().dueCount(QDateTime(QDate(9999, 1, 1), QTime()));
        state.ResumeTiming();
    }
}
BENCHMARK(replayAYear)->Unit(benchmark::kMillisecond)->Iterations(3);

// The launcher's count of the questions due today, out of 100000.
void dueToday(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    fillMemory(path);
    const auto store = bench::openStore(path);
    const QDateTime tomorrow(QDate(2026, 12, 10), QTime(0, 0));
    for (auto _ : state)
        state.counters["due"] = store->memory().dueCount(tomorrow);
}
BENCHMARK(dueToday)->Unit(benchmark::kMillisecond);

// A correction of 30 answers in « Réviser », out of 100000 questions: the
// series and its answers recorded, the 30 questions rescheduled and their
// reviews logged, in one transaction written through to the disk.
void reviewsOfACorrection(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    fillMemory(path);
    const auto store = bench::openStore(path, QRandomGenerator::global());
    QDateTime at(QDate(2026, 12, 10), QTime(9, 0));
    int first = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SeriesRecord series;
        series.at = at;
        for (int a = 0; a < kSlots; ++a, first = (first + 7) % kQuestions) {
            const lists::Entry entry{QStringLiteral("AEINRST%1").arg(first),
                                     QStringLiteral("SATINER%1").arg(first)};
            series.answers.append({entry, a + 1, entry.expected, a % 4 != 0, 3 + a});
        }
        at = at.addDays(1); // each series on a day of its own: every review moves its card
        state.ResumeTiming();
        if (!store->trainings().record(lists::ListId::typed(QStringLiteral("Révisions")), {series}, at))
            state.SkipWithError("not recorded");
    }
}
BENCHMARK(reviewsOfACorrection)->Unit(benchmark::kMillisecond);

// What the program does once its launcher is painted, with 100000 questions
// remembered: the database opened, the launcher's view told with its count of
// the questions due.
void openWithMemory(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    if (state.range(0) > 0)
        fillMemory(path);
    for (auto _ : state) {
        session::Sittings sittings({}, now);
        sittings.useStore(progress::Store::open(path, bench::systemNow));
        sittings.listNamed(QStringLiteral("Sélectionnez votre liste"));
        benchmark::DoNotOptimize(sittings.view());
    }
}
BENCHMARK(openWithMemory)->Arg(0)->Arg(kQuestions)->Unit(benchmark::kMillisecond);

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
        sitting.training.start(file->entries);
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
        sittings.useStore(progress::Store::open(path, bench::systemNow));
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
        progress::Store::open(dir.filePath(QStringLiteral("tirages.sqlite")), bench::systemNow));
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
    if (argc == 2 && std::strncmp(argv[1], "--fill-memory=", 14) == 0) {
        fillMemory(QString::fromLocal8Bit(argv[1] + 14));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
