// Costs the player sees on the training screen (offscreen platform): starting
// a 10000-entry list through its first series, and a correction that removes
// 30 entries, each with the screen brought up to date.

#include "entry/answerbox.h"
#include "history.h"
#include "screens/fonts.h"
#include "screens/statistics.h"
#include "screens/trainingscreen.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "session/statistics.h"
#include "training/seriesrandom.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <sys/resource.h>

using namespace tirages;
using namespace tirages::training;

namespace {

constexpr int kEntries = 10000;

QString writeBigList(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        for (int i = 0; i < kEntries; ++i)
            file.write("AEINRST" + QByteArray::number(i) + ";SATINER" + QByteArray::number(i) +
                       "\r\n");
    }
    return path;
}

quint64 seed = 0;
quint64 nextSeed() {
    return ++seed;
}

// As "LANCER" does it: the list read, then handed to the training screen,
// its first series painted. The questions the list made.
qint32 lancer(benchmark::State& state, const QString& list) {
    screens::TrainingScreen form(nextSeed);
    form.show();
    for (auto _ : state) {
        const lists::ListResult read = lists::readList(list);
        const auto* entries = lists::listEntries(read);
        if (!entries) {
            state.SkipWithError("the list did not load");
            break;
        }
        form.setBusy();
        form.start(*entries);
        QApplication::processEvents(); // paint
    }
    return form.training().state().entryCount();
}

void lancerToAShownSeries(benchmark::State& state) {
    QTemporaryDir dir;
    lancer(state, writeBigList(dir));
}
BENCHMARK(lancerToAShownSeries)->Unit(benchmark::kMillisecond);

// "LANCER" on « 9 lettres », the largest bundled list (12721 lines making
// 8991 draws).
void lancerOnNineLetters(benchmark::State& state) {
    if (lancer(state, QStringLiteral(TIRAGES_DATA_DIR "/9l_tir.txt")) != 8991)
        state.SkipWithError("« 9 lettres » is not 8991 draws");
}
BENCHMARK(lancerOnNineLetters)->Unit(benchmark::kMillisecond);

// The training screen's controls, by their object names.
QPushButton* correctButton(const QWidget& form) {
    return form.findChild<QPushButton*>(QStringLiteral("corriger"));
}
QLineEdit* answerBox(const QWidget& form, int slot) {
    return form.findChild<QLineEdit*>(QStringLiteral("solution(%1)").arg(slot));
}

void correctionShown(benchmark::State& state) {
    QTemporaryDir dir;
    const QString list = writeBigList(dir);
    screens::TrainingScreen form(nextSeed);
    form.show();
    QPushButton* correct = correctButton(form);
    const lists::ListContent entries = *lists::listEntries(lists::readList(list));
    for (auto _ : state) {
        state.PauseTiming();
        form.start(entries);
        for (int s = 0; s < kSlots; ++s) {
            const int k = form.training().state().slotEntry[s];
            emit answerBox(form, s)->textEdited(form.training().state().entries[k].words.first());
        }
        QApplication::processEvents();
        state.ResumeTiming();
        correct->click();
        QApplication::processEvents(); // paint
    }
    if (form.training().state().entryCount() != kEntries - kSlots)
        state.SkipWithError("the correction did not remove 30 entries");
}
BENCHMARK(correctionShown)->Unit(benchmark::kMillisecond);

// « Continuer » on a kept training of 10000 entries, in a new run: the
// training read back, its list file read and compared, the training screen's
// first series painted.
void continuerToAShownSeries(benchmark::State& state) {
    QTemporaryDir dir;
    const QString list = writeBigList(dir);
    const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
    const auto clock = [] { return QDateTime::currentDateTime(); };
    screens::TrainingScreen form(nextSeed);
    {
        session::Sittings sittings({}, clock);
        sittings.useStore(progress::Store::open(database, bench::systemNow));
        sittings.listNamed(list);
        form.start(sittings.launch()->entries);
        sittings.started(form.training().snapshot());
        correctButton(form)->click();
        sittings.corrected(form.training().snapshot(), form.training().lastSeries());
    }
    form.show();
    for (auto _ : state) {
        state.PauseTiming();
        auto sittings = std::make_unique<session::Sittings>(QStringList{}, clock);
        sittings->useStore(progress::Store::open(database, bench::systemNow));
        sittings->listNamed(list);
        state.ResumeTiming();
        const auto kept = sittings->continueTraining();
        if (!kept) {
            state.SkipWithError("nothing kept");
            break;
        }
        form.setBusy();
        form.resume(*kept);
        QApplication::processEvents(); // paint
        state.PauseTiming();
        sittings.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(continuerToAShownSeries)->Unit(benchmark::kMillisecond);

// The statistics of a generated year (history.h), kept in one database for
// the cases below.
const QString& yearDatabase() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("year.sqlite"));
        bench::fillYear(p, QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        return p;
    }();
    return path;
}

QDateTime yearNow() {
    return QDateTime(QDate(2026, 12, 9), QTime(20, 0));
}

// « Statistiques » clicked: the window built, its first tab worked out from
// the history and painted.
void statisticsShown(benchmark::State& state) {
    const auto store = bench::openStore(yearDatabase());
    for (auto _ : state) {
        screens::StatisticsWindow window(*store, yearNow);
        window.open();
        window.repaint();
        state.PauseTiming();
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(statisticsShown)->Unit(benchmark::kMillisecond);

// Each other tab, the first time it is shown: worked out and painted.
void statisticsTab(benchmark::State& state) {
    const auto store = bench::openStore(yearDatabase());
    for (auto _ : state) {
        state.PauseTiming();
        screens::StatisticsWindow window(*store, yearNow);
        window.open();
        window.repaint();
        state.ResumeTiming();
        window.tabs->setCurrentIndex(static_cast<int>(state.range(0)));
        window.repaint();
    }
}
BENCHMARK(statisticsTab)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

// The year written as a CSV file.
void exportYear(benchmark::State& state) {
    const auto store = bench::openStore(yearDatabase());
    QTemporaryDir dir;
    for (auto _ : state) {
        if (!session::exportHistory(*store, dir.filePath(QStringLiteral("h.csv"))))
            state.SkipWithError("not written");
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(dir.filePath(QStringLiteral("h.csv"))).size()) / 1e6;
}
BENCHMARK(exportYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    screens::installFontSubstitutions();
    if (argc == 2 && std::strncmp(argv[1], "--fill-year=", 12) == 0) {
        bench::fillYear(QString::fromLocal8Bit(argv[1] + 12), QDateTime::currentDateTime());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
