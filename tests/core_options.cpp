// The search box, the pause, the display options and the return to the launcher,
// in the training core.

#include "support/testsupport.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using test::numberedEntries;
using test::wordEntries;

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void validationFillsTheCurrentBoxAndMovesOn() {
        Training t(test::countingSeeds());
        t.commencer(wordEntries({"ABC", "DEFG"}));
        const int slot = test::slotShowing(t, "DEFG");
        test::EffectCounter effects(t);
        t.answerFocused(slot);
        t.otherControlFocused(); // into the search box
        t.searchBoxClicked();
        QCOMPARE(t.screen().defaultButton, DefaultButton::Valider);
        QCOMPARE(t.screen().slotViews[slot].solutionColour, Colour::LightYellow);
        t.searchEdited("DEFGH");
        t.enterPressed();
        QCOMPARE(t.screen().slotViews[slot].solution, QStringLiteral("DEFG"));
        QCOMPARE(effects.beeps(), 1);
        QVERIFY(t.screen().recherche.isEmpty());
        QCOMPARE(t.state().focus, slot + 1);
        QCOMPARE(t.screen().defaultButton, DefaultButton::NextBox);
    }

    void validationFromTheLastBoxGoesToTheFirst() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.answerFocused(29);
        t.otherControlFocused();
        t.searchEdited("S1");
        t.validate();
        QCOMPARE(t.screen().slotViews[29].solution, QStringLiteral("S1"));
        QCOMPARE(t.state().focus, 0);
        // An empty validation empties the box.
        t.answerFocused(29);
        t.otherControlFocused();
        t.validate();
        QVERIFY(t.screen().slotViews[29].solution.isEmpty());
    }

    void validationAfterAFailedJudgingStaysFailed() {
        Training t(test::countingSeeds());
        t.switchCriterion();
        t.commencer(numberedEntries(40));
        t.otherControlFocused(); // the click into the search box judges the empty box 0
        t.searchBoxClicked();
        QCOMPARE(t.state().etat[0], 0);
        t.searchEdited(t.state().solutions()[t.state().numeros[0]]);
        t.validate();
        QCOMPARE(t.state().etat[0], 0);
    }

    void pauseStopsTheClocksAndLocksTheAnswers() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.togglePause();
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QVERIFY(!t.state().isRunning(Clock::Countdown) && !t.state().isRunning(Clock::Total));
        QVERIFY(!t.screen().rechercheEnabled);
        QVERIFY(t.screen().answersReadOnly);
        test::EffectCounter effects(t);
        t.togglePause();
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Pause"));
        QVERIFY(t.state().isRunning(Clock::Countdown) && t.state().isRunning(Clock::Total));
        QCOMPARE(effects.starts(Clock::Countdown), 1);
        QVERIFY(t.screen().rechercheEnabled && !t.screen().answersReadOnly);
    }

    void resumingAfterTheCorrectionLeavesTheCountdownStopped() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.togglePause();
        t.answerKeyDown(0, Key::F12);
        QVERIFY(!t.screen().corrigerEnabled);
        t.togglePause();
        QVERIFY(!t.state().isRunning(Clock::Countdown));
        QVERIFY(t.state().isRunning(Clock::Total));
        // A new series while paused keeps the pause.
        t.togglePause();
        t.newSeries();
        QVERIFY(t.state().isRunning(Clock::Countdown) && t.state().isRunning(Clock::Total));
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QVERIFY(t.screen().answersReadOnly);
    }

    void fontCycle_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("draws");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("police");
        QTest::newRow("none") << 0 << ""
                              << ""
                              << "1";
        QTest::newRow("one") << 1 << "Georgia"
                             << ""
                             << "2";
        QTest::newRow("five") << 5 << "Arial"
                              << ""
                              << "6";
        QTest::newRow("six") << 6 << "Abadi MT Condensed Light"
                             << "Abadi MT Condensed Light"
                             << "7";
        QTest::newRow("seven") << 7 << "MS Sans Serif"
                               << "MS Sans Serif"
                               << "1";
        QTest::newRow("eight") << 8 << "Georgia"
                               << "MS Sans Serif"
                               << "2";
    }
    void fontCycle() {
        QFETCH(int, clicks);
        QFETCH(QString, draws);
        QFETCH(QString, answers);
        QFETCH(QString, police);
        Training t(test::countingSeeds());
        for (int i = 0; i < clicks; ++i)
            t.cycleFont();
        QCOMPARE(t.screen().tirageFont, draws);
        QCOMPARE(t.screen().solutionFont, answers);
        QCOMPARE(t.screen().police, police);
        QCOMPARE(QString::number(t.state().numpolice), police);
    }

    void sommaireResetsTheCountersOnly() {
        Training t(test::countingSeeds());
        t.commencer(wordEntries({"AB"}));
        t.cycleFont();
        t.togglePause();
        t.answerEdited(0, "AB");
        t.correct(); // the end: BRAVO
        t.tileClicked(3);
        t.backToLauncher();
        QCOMPARE(t.screen().tileColour, Colour::LightBlue);
        QCOMPARE(t.state().tempsrestant, 240);
        QCOMPARE(t.state().tempstotal, 0);
        QCOMPARE(t.state().tiles.lettre(), -1);
        QCOMPARE(t.state().compteseries, 0);
        QCOMPARE(t.screen().nbseries, QStringLiteral("0 série déjà réalisée."));
        // Kept: fonts, pause, scores of the last series.
        QCOMPARE(t.state().numpolice, 2);
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QCOMPARE(t.screen().score, QStringLiteral("1/1"));
    }

    void sommaireLeavesARunningSeriesToItsCountdown() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        for (int i = 0; i < 100; ++i)
            t.countdownTick();
        t.backToLauncher();
        QVERIFY(t.state().isRunning(Clock::Countdown) && t.state().isRunning(Clock::Total));
        for (int i = 0; i < 240; ++i)
            t.countdownTick();
        QVERIFY(!t.screen().corrigerEnabled);
        QCOMPARE(t.screen().tps, QStringLiteral("4:00"));
        QCOMPARE(t.state().compteseries, 1);
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "core_options.moc"
