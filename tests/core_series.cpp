// The training's state at start, the start of a list and the series set-up.

#include "support/testsupport.h"
#include "training/training.h"

#include <QtTest>
#include <algorithm>
#include <set>

using namespace tirages;
using namespace tirages::training;
using tirages::test::numberedEntries;

namespace {

// The entries shown by the slots of the current series.
std::vector<int> shownEntries(const Training& training) {
    std::vector<int> shown;
    for (qint16 k : training.state().slotEntry) {
        if (k >= 0)
            shown.push_back(k);
    }
    return shown;
}

} // namespace

class TestSeries : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheInitialValues() {
        const Training training(test::countingSeeds());
        const TrainingState& s = training.state();
        QCOMPARE(s.tiles.selected(), -1);
        QCOMPARE(s.entryCount(), 0);
        QCOMPARE(s.secondsLeft, 240);
        QCOMPARE(s.totalSeconds, 0);
        QCOMPARE(s.secondsInBox, 0);
        QCOMPARE(s.nextFontStep, 1);
        QCOMPARE(s.currentSlot, 0);
        QCOMPARE(s.seriesCount, 0);
        QVERIFY(
            std::all_of(s.slotEntry.begin(), s.slotEntry.end(), [](qint16 v) { return v == 0; }));
        QVERIFY(std::all_of(s.verdicts.begin(), s.verdicts.end(),
                            [](FastVerdict v) { return v == FastVerdict::NotJudged; }));

        const ScreenView screen = training.screen();
        QVERIFY(!screen.correctEnabled);
        QVERIFY(!screen.newSeriesEnabled);
        QVERIFY(!s.isRunning(Timer::Countdown) && !s.isRunning(Timer::Total) &&
                !s.isRunning(Timer::Stopwatch));
        QCOMPARE(screen.countdownShown, QStringLiteral("4:00"));
        QCOMPARE(screen.totalShown, QStringLiteral("0:00:00"));
        QCOMPARE(screen.threshold, QStringLiteral("1"));
        QCOMPARE(screen.thresholdColour, Colour::LightMagenta);
        QCOMPARE(screen.defaultButton, DefaultButton::NextBox);
        for (const SlotView& slot : screen.slotViews) {
            QVERIFY(slot.draw.isEmpty() && slot.typed.isEmpty());
            QCOMPARE(slot.drawColour, Colour::LightCyan);
            QCOMPARE(slot.typedColour, Colour::LightOrange);
        }
    }

    void commencerLoadsTheListAndSetsUpASeries() {
        Training training(test::countingSeeds());
        training.setBusy();
        training.start(numberedEntries(40));

        const TrainingState& s = training.state();
        QCOMPARE(s.entryCount(), 40);
        QCOMPARE(s.draws().size(), 40);
        QCOMPARE(s.expectedWords()[39], QStringLiteral("S39"));
        QCOMPARE(s.successCounts(), QList<qint32>(40, 0));

        const ScreenView screen = training.screen();
        const Effects effects = training.takeEffects();
        QCOMPARE(screen.wordsLeftShown, QStringLiteral("40"));
        // Busy while the list is handed over, the default pointer once the series is set up.
        QCOMPARE(effects.front(), Effect::busy(true));
        QVERIFY(std::find(effects.begin(), effects.end(), Effect::busy(false)) != effects.end());
        QCOMPARE(std::count(effects.begin(), effects.end(), Effect::busy(true)), 1);
        QVERIFY(screen.correctEnabled);
        QVERIFY(!screen.newSeriesEnabled);
        QVERIFY(!screen.scoreVisible && !screen.timeUsedVisible);
        QCOMPARE(screen.thresholdColour, Colour::SystemWindow);
        QCOMPARE(screen.countdownColour, Colour::SystemWindow);
        QCOMPARE(screen.totalColour, Colour::SystemWindow);
        QCOMPARE(s.focus, 0);
        QCOMPARE(std::count(effects.begin(), effects.end(), Effect::focusAnswer(0)), 1);
        QVERIFY(s.isRunning(Timer::Countdown) && s.isRunning(Timer::Total));
        QCOMPARE(s.secondsLeft, 240);
        QCOMPARE(s.tiles.selected(), -1);

        // Thirty different entries, each slot showing its entry's draw.
        const std::vector<int> shown = shownEntries(training);
        QCOMPARE(shown.size(), 30u);
        QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), 30u);
        for (int slot = 0; slot < kSlots; ++slot) {
            const int k = s.slotEntry[slot];
            QVERIFY(k >= 0 && k < 40);
            QCOMPARE(screen.slotViews[slot].draw, s.entries[k].draw);
            QVERIFY(screen.slotViews[slot].typed.isEmpty());
            QCOMPARE(s.verdicts[slot], FastVerdict::NotJudged);
        }
    }

    void shortListsFillTheFirstSlotsOnly_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("empty list") << 0;
        QTest::newRow("one entry") << 1;
        QTest::newRow("twelve entries") << 12;
        QTest::newRow("exactly thirty") << 30;
    }
    void shortListsFillTheFirstSlotsOnly() {
        QFETCH(int, count);
        Training training(test::countingSeeds());
        training.start(numberedEntries(count));
        const TrainingState& s = training.state();
        // Every entry once, in slots 0 to count - 1; the rest stay empty.
        std::set<int> seen;
        for (int slot = 0; slot < kSlots; ++slot) {
            const int k = s.slotEntry[slot];
            QCOMPARE(s.verdicts[slot], FastVerdict::NotJudged);
            if (slot < count) {
                QVERIFY(k >= 0 && k < count);
                seen.insert(k);
            } else {
                QCOMPARE(k, -1);
                QVERIFY(training.screen().slotViews[slot].draw.isEmpty());
            }
        }
        QCOMPARE(static_cast<int>(seen.size()), count);
        // Even with nothing to show, the series runs.
        QVERIFY(training.screen().correctEnabled);
        QCOMPARE(training.state().focus, 0);
        QVERIFY(training.state().isRunning(Timer::Countdown));
    }

    void drawIsUniform() {
        // 4000 series of 30 out of 40: every entry should be shown 3000 times,
        // and slot 0 should take each entry about 100 times.
        constexpr int kSeries = 4000;
        quint64 seed = 0;
        Training training([&seed] { return ++seed; });
        training.start(numberedEntries(40));
        std::array<int, 40> shown{};
        std::array<int, 40> first{};
        for (int series = 0; series < kSeries; ++series) {
            if (series > 0) {
                training.correct(); // nothing answered: nothing leaves the list
                training.newSeries();
            }
            for (int k : shownEntries(training))
                ++shown[k];
            ++first[training.state().slotEntry[0]];
        }
        for (int count : shown)
            QVERIFY2(std::abs(count - 3000) < 150, qPrintable(QString::number(count)));
        // Chi-square with 39 degrees of freedom: 80 is far beyond the 99.99th percentile.
        double chi2 = 0;
        for (int count : first)
            chi2 += (count - 100.0) * (count - 100.0) / 100.0;
        QVERIFY2(chi2 < 80, qPrintable(QString::number(chi2)));
    }

    void eachSetUpTakesAFreshSeed() {
        int seedsTaken = 0;
        Training a([&seedsTaken] {
            ++seedsTaken;
            return quint64{7};
        });
        a.start(numberedEntries(100));
        const auto firstSeries = a.state().slotEntry;
        a.correct();
        a.newSeries();
        QCOMPARE(seedsTaken, 2);
        // The same seed gives the same series.
        QCOMPARE(a.state().slotEntry, firstSeries);

        Training b(test::countingSeeds());
        b.start(numberedEntries(100));
        const auto other = b.state().slotEntry;
        b.correct();
        b.newSeries();
        QVERIFY(b.state().slotEntry != other);
    }

    void totalClockIsStartedOnceAndNeverReset() {
        Training training(test::countingSeeds());
        training.start(numberedEntries(40));
        test::EffectCounter effects(training);
        training.correct();
        training.newSeries();
        training.start(numberedEntries(5));
        QCOMPARE(effects.starts(Timer::Total), 0);
        QVERIFY(training.state().isRunning(Timer::Total));
    }

    void aNewListReplacesTheOldOne() {
        Training training(test::countingSeeds());
        training.start(numberedEntries(40));
        lists::ListContent shorter = {{"XY", "YX"}, {"", "GONE"}};
        training.start(shorter);
        QCOMPARE(training.state().entryCount(), 2);
        QCOMPARE(training.state().draws(), (QStringList{"XY", ""}));
        QCOMPARE(training.state().successCounts(), (QList<qint32>{0, 0}));
        QCOMPARE(training.screen().wordsLeftShown, QStringLiteral("2"));
    }

    void restartDoesNothingWhileDisabled() {
        int seedsTaken = 0;
        Training training([&seedsTaken] { return quint64(++seedsTaken); });
        training.start(numberedEntries(40));
        const auto series = training.state().slotEntry;
        training.newSeries();
        training.keyOnNewSeries(Key::F8);
        QCOMPARE(seedsTaken, 1);
        QCOMPARE(training.state().slotEntry, series);
    }
};

QTEST_GUILESS_MAIN(TestSeries)
#include "core_series.moc"
