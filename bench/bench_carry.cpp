// What carrying costs: a cardbox of 50000 alphagrams imported from the
// launcher's window (the catalogue read, each alphagram matched, every card
// written in one transaction), and a copy of a year of daily use.
//
//   bench_carry [benchmark options]

#include "history.h"
#include "progress/store.h"
#include "session/carrying.h"
#include "session/sittings.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <algorithm>

using namespace tirages;
using namespace tirages::training;

namespace {

constexpr int kAlphagrams = 50000;

// A player's own lists: five trainings of 10000 questions, each question an
// alphagram of its own of seven letters.
lists::ListContent ownQuestions() {
    QRandomGenerator letters(2026);
    QSet<QString> seen;
    lists::ListContent questions;
    while (questions.size() < kAlphagrams) {
        QString draw(7, u'A');
        for (QChar& c : draw)
            c = QChar(u'A' + static_cast<char16_t>(letters.bounded(26)));
        std::sort(draw.begin(), draw.end());
        if (!seen.contains(draw)) {
            seen.insert(draw);
            questions.append({draw, QStringLiteral("MOT%1").arg(questions.size())});
        }
    }
    return questions;
}

void writeTrainings(const QString& path, const lists::ListContent& questions) {
    const auto store = bench::openStore(path);
    for (int l = 0; l < 5; ++l) {
        const lists::ListContent lines = questions.mid(l * 10000, 10000);
        store->trainings().save(lists::ListId::typed(QStringLiteral("liste%1").arg(l)),
                                {TrainingSnapshot{{}, {}, QStringLiteral("3"), 0, 0},
                                 lines,
                                 {},
                                 QDateTime::currentDateTime(),
                                 {},
                                 true});
    }
}

// Their alphagrams in a cardbox, spread over the boxes and the coming year.
void writeCardbox(const QString& path, const lists::ListContent& questions) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("box"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery query(db);
    query.exec(QStringLiteral("CREATE TABLE questions (question varchar(16), correct integer,"
                              " incorrect integer, streak integer, last_correct integer,"
                              " difficulty integer, cardbox integer, next_scheduled integer)"));
    db.transaction();
    query.prepare(QStringLiteral("INSERT INTO questions VALUES (?, ?, ?, ?, ?, 0, ?, ?)"));
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const int box = static_cast<int>(i % 11);
        for (const QVariant& value :
             {QVariant(questions[i].draw), QVariant(box + 1), QVariant(static_cast<int>(i % 3)),
              QVariant(box), QVariant(now - 86400 * (i % 30)), QVariant(box),
              QVariant(now + 86400 * (i % 365))})
            query.addBindValue(value);
        query.exec();
    }
    db.commit();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("box"));
}

void importCardbox(benchmark::State& state) {
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.sqlite"));
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    const QString cardbox = dir.filePath(QStringLiteral("Anagrams.db"));
    const lists::ListContent questions = ownQuestions();
    writeTrainings(kept, questions);
    writeCardbox(cardbox, questions);
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* end : {"", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(end));
        QFile::copy(kept, path);
        session::Sittings sittings({QStringLiteral(TIRAGES_DATA_DIR)},
                                   [] { return QDateTime::currentDateTime(); });
        sittings.useStore(progress::Store::open(path, bench::systemNow));
        state.ResumeTiming();
        session::Carrying carrying(sittings, {QStringLiteral(TIRAGES_DATA_DIR)});
        const Result<QString> done = carrying.importCardbox(cardbox);
        if (!done)
            state.SkipWithError(qPrintable(done.why()));
    }
}
BENCHMARK(importCardbox)->Unit(benchmark::kMillisecond)->Iterations(5);

// « Sauvegarder tout… » on a year of daily use: 365 days of 20 series of 30
// answers, their reviews, 60000 questions.
void backupAYear(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tirages.sqlite"));
    bench::fillYear(path, QDateTime(QDate(2026, 12, 9), QTime(20, 0)));
    const auto store = bench::openStore(path);
    state.counters["MB"] = static_cast<double>(QFile(path).size()) / 1e6;
    const QString copy = dir.filePath(QStringLiteral("copie.tirages"));
    for (auto _ : state) {
        if (const auto copied = store->transfers().backup(copy); !copied)
            state.SkipWithError(qPrintable(copied.why()));
    }
}
BENCHMARK(backupAYear)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
