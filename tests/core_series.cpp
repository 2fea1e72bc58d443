// The training's state at start, the start of a list and the series set-up.

#include "support/testsupport.h"
#include "training/training.h"

#include <QtTest>
#include <algorithm>
#include <set>

using namespace tirages;
using tirages::test::numberedEntries;

namespace {

// The entries shown by the slots of the current series.
std::vector<int> shownEntries(const Training& training) {
    std::vector<int> shown;
    for (qint16 k : training.state().numeros) {
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
        QCOMPARE(s.tiles.lettre(), -1);
        QCOMPARE(s.nbmots(), 0);
        QCOMPARE(s.tempsrestant, 240);
        QCOMPARE(s.tempstotal, 0);
        QCOMPARE(s.chrono, 0);
        QCOMPARE(s.numpolice, 1);
        QCOMPARE(s.courant, 0);
        QCOMPARE(s.compteseries, 0);
        QVERIFY(std::all_of(s.numeros.begin(), s.numeros.end(), [](qint16 v) { return v == 0; }));
        QVERIFY(std::all_of(s.etat.begin(), s.etat.end(), [](qint16 v) { return v == 0; }));

        const ScreenView screen = training.screen();
        QVERIFY(!screen.corrigerEnabled);
        QVERIFY(!screen.restartEnabled);
        QVERIFY(!s.isRunning(Clock::Countdown) && !s.isRunning(Clock::Total) &&
                !s.isRunning(Clock::Stopwatch));
        QCOMPARE(screen.temps, QStringLiteral("4:00"));
        QCOMPARE(screen.tempstot, QStringLiteral("0:00:00"));
        QCOMPARE(screen.seuiltxt, QStringLiteral("1"));
        QCOMPARE(screen.seuiltxtColour, Colour::LightMagenta);
        QCOMPARE(screen.defaultButton, DefaultButton::NextBox);
        for (const SlotView& slot : screen.slotViews) {
            QVERIFY(slot.tirage.isEmpty() && slot.solution.isEmpty());
            QCOMPARE(slot.tirageColour, Colour::LightCyan);
            QCOMPARE(slot.solutionColour, Colour::LightOrange);
        }
    }

    void commencerLoadsTheListAndSetsUpASeries() {
        Training training(test::countingSeeds());
        training.setBusy();
        training.commencer(numberedEntries(40));

        const TrainingState& s = training.state();
        QCOMPARE(s.nbmots(), 40);
        QCOMPARE(s.tirages().size(), 40);
        QCOMPARE(s.solutions()[39], QStringLiteral("S39"));
        QCOMPARE(s.reussites(), QList<qint32>(40, 0));

        const ScreenView screen = training.screen();
        const Effects effects = training.takeEffects();
        QCOMPARE(screen.motsleft, QStringLiteral("40"));
        // Busy while the list is handed over, the default pointer once the series is set up.
        QCOMPARE(effects.front(), Effect::busy(true));
        QVERIFY(std::find(effects.begin(), effects.end(), Effect::busy(false)) != effects.end());
        QCOMPARE(std::count(effects.begin(), effects.end(), Effect::busy(true)), 1);
        QVERIFY(screen.corrigerEnabled);
        QVERIFY(!screen.restartEnabled);
        QVERIFY(!screen.scoreVisible && !screen.tpsVisible);
        QCOMPARE(screen.seuiltxtColour, Colour::SystemWindow);
        QCOMPARE(screen.tempsColour, Colour::SystemWindow);
        QCOMPARE(screen.tempstotColour, Colour::SystemWindow);
        QCOMPARE(s.focus, 0);
        QCOMPARE(std::count(effects.begin(), effects.end(), Effect::focusAnswer(0)), 1);
        QVERIFY(s.isRunning(Clock::Countdown) && s.isRunning(Clock::Total));
        QCOMPARE(s.tempsrestant, 240);
        QCOMPARE(s.tiles.lettre(), -1);

        // Thirty different entries, each slot showing its entry's draw.
        const std::vector<int> shown = shownEntries(training);
        QCOMPARE(shown.size(), 30u);
        QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), 30u);
        for (int slot = 0; slot < kSlots; ++slot) {
            const int k = s.numeros[slot];
            QVERIFY(k >= 0 && k < 40);
            QCOMPARE(screen.slotViews[slot].tirage, s.entries[k].draw);
            QVERIFY(screen.slotViews[slot].solution.isEmpty());
            QCOMPARE(s.etat[slot], -1);
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
        training.commencer(numberedEntries(count));
        const TrainingState& s = training.state();
        // Every entry once, in slots 0 to count - 1; the rest stay empty.
        std::set<int> seen;
        for (int slot = 0; slot < kSlots; ++slot) {
            const int k = s.numeros[slot];
            QCOMPARE(s.etat[slot], -1);
            if (slot < count) {
                QVERIFY(k >= 0 && k < count);
                seen.insert(k);
            } else {
                QCOMPARE(k, -1);
                QVERIFY(training.screen().slotViews[slot].tirage.isEmpty());
            }
        }
        QCOMPARE(static_cast<int>(seen.size()), count);
        // Even with nothing to show, the series runs.
        QVERIFY(training.screen().corrigerEnabled);
        QCOMPARE(training.state().focus, 0);
        QVERIFY(training.state().isRunning(Clock::Countdown));
    }

    void drawIsUniform() {
        // 4000 series of 30 out of 40: every entry should be shown 3000 times,
        // and slot 0 should take each entry about 100 times.
        constexpr int kSeries = 4000;
        quint64 seed = 0;
        Training training([&seed] { return ++seed; });
        training.commencer(numberedEntries(40));
        std::array<int, 40> shown{};
        std::array<int, 40> first{};
        for (int series = 0; series < kSeries; ++series) {
            if (series > 0) {
                training.correct(); // nothing answered: nothing leaves the list
                training.newSeries();
            }
            for (int k : shownEntries(training))
                ++shown[k];
            ++first[training.state().numeros[0]];
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
        a.commencer(numberedEntries(100));
        const auto firstSeries = a.state().numeros;
        a.correct();
        a.newSeries();
        QCOMPARE(seedsTaken, 2);
        // The same seed gives the same series.
        QCOMPARE(a.state().numeros, firstSeries);

        Training b(test::countingSeeds());
        b.commencer(numberedEntries(100));
        const auto other = b.state().numeros;
        b.correct();
        b.newSeries();
        QVERIFY(b.state().numeros != other);
    }

    void totalClockIsStartedOnceAndNeverReset() {
        Training training(test::countingSeeds());
        training.commencer(numberedEntries(40));
        test::EffectCounter effects(training);
        training.correct();
        training.newSeries();
        training.commencer(numberedEntries(5));
        QCOMPARE(effects.starts(Clock::Total), 0);
        QVERIFY(training.state().isRunning(Clock::Total));
    }

    void aNewListReplacesTheOldOne() {
        Training training(test::countingSeeds());
        training.commencer(numberedEntries(40));
        lists::ListContent shorter = {{"XY", "YX"}, {"", "GONE"}};
        training.commencer(shorter);
        QCOMPARE(training.state().nbmots(), 2);
        QCOMPARE(training.state().tirages(), (QStringList{"XY", ""}));
        QCOMPARE(training.state().reussites(), (QList<qint32>{0, 0}));
        QCOMPARE(training.screen().motsleft, QStringLiteral("2"));
    }

    void restartDoesNothingWhileDisabled() {
        int seedsTaken = 0;
        Training training([&seedsTaken] { return quint64(++seedsTaken); });
        training.commencer(numberedEntries(40));
        const auto series = training.state().numeros;
        training.newSeries();
        training.keyOnNewSeries(Key::F8);
        QCOMPARE(seedsTaken, 1);
        QCOMPARE(training.state().numeros, series);
    }
};

QTEST_GUILESS_MAIN(TestSeries)
#include "core_series.moc"
