// The search box, the pause, the display options and the return to the launcher,
// in the training core.

#include "support/testsupport.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using test::numberedEntries;
using test::wordEntries;

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void validationFillsTheCurrentBoxAndMovesOn() {
        Training t(test::countingSeeds());
        t.start(wordEntries({"ABC", "DEFG"}));
        const int slot = test::slotShowing(t, "DEFG");
        test::EffectCounter effects(t);
        t.answerFocused(slot);
        t.otherControlFocused(); // into the search box
        t.searchBoxClicked();
        QCOMPARE(t.screen().defaultButton, DefaultButton::Validate);
        QCOMPARE(t.screen().slotViews[slot].typedColour, Colour::LightYellow);
        t.searchEdited("DEFGH");
        t.enterPressed();
        QCOMPARE(t.screen().slotViews[slot].typed, QStringLiteral("DEFG"));
        QCOMPARE(effects.beeps(), 1);
        QVERIFY(t.screen().searchText.isEmpty());
        QCOMPARE(t.state().focus, slot + 1);
        QCOMPARE(t.screen().defaultButton, DefaultButton::NextBox);
    }

    void validationFromTheLastBoxGoesToTheFirst() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        t.answerFocused(29);
        t.otherControlFocused();
        t.searchEdited("S1");
        t.validate();
        QCOMPARE(t.screen().slotViews[29].typed, QStringLiteral("S1"));
        QCOMPARE(t.state().focus, 0);
        // An empty validation empties the box.
        t.answerFocused(29);
        t.otherControlFocused();
        t.validate();
        QVERIFY(t.screen().slotViews[29].typed.isEmpty());
    }

    void validationAfterAFailedJudgingStaysFailed() {
        Training t(test::countingSeeds());
        t.switchCriterion();
        t.start(numberedEntries(40));
        t.otherControlFocused(); // the click into the search box judges the empty box 0
        t.searchBoxClicked();
        QCOMPARE(t.state().verdicts[0], FastVerdict::Failed);
        t.searchEdited(t.state().expectedWords()[t.state().slotEntry[0]]);
        t.validate();
        QCOMPARE(t.state().verdicts[0], FastVerdict::Failed);
    }

    void pauseStopsTheClocksAndLocksTheAnswers() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        t.togglePause();
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QVERIFY(!t.state().isRunning(Timer::Countdown) && !t.state().isRunning(Timer::Total));
        QVERIFY(!t.screen().searchEnabled);
        QVERIFY(t.screen().answersReadOnly);
        test::EffectCounter effects(t);
        t.togglePause();
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Pause"));
        QVERIFY(t.state().isRunning(Timer::Countdown) && t.state().isRunning(Timer::Total));
        QCOMPARE(effects.starts(Timer::Countdown), 1);
        QVERIFY(t.screen().searchEnabled && !t.screen().answersReadOnly);
    }

    void resumingAfterTheCorrectionLeavesTheCountdownStopped() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        t.togglePause();
        t.answerKeyDown(0, Key::F12);
        QVERIFY(!t.screen().correctEnabled);
        t.togglePause();
        QVERIFY(!t.state().isRunning(Timer::Countdown));
        QVERIFY(t.state().isRunning(Timer::Total));
        // A new series while paused keeps the pause.
        t.togglePause();
        t.newSeries();
        QVERIFY(t.state().isRunning(Timer::Countdown) && t.state().isRunning(Timer::Total));
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QVERIFY(t.screen().answersReadOnly);
    }

    void fontCycle_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("draws");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("fontNumber");
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
        QFETCH(QString, fontNumber);
        Training t(test::countingSeeds());
        for (int i = 0; i < clicks; ++i)
            t.cycleFont();
        QCOMPARE(t.screen().drawFont, draws);
        QCOMPARE(t.screen().answerFont, answers);
        QCOMPARE(t.screen().fontNumber, fontNumber);
        QCOMPARE(QString::number(t.state().nextFontStep), fontNumber);
    }

    void sommaireResetsTheCountersOnly() {
        Training t(test::countingSeeds());
        t.start(wordEntries({"AB"}));
        t.cycleFont();
        t.togglePause();
        t.answerEdited(0, "AB");
        t.correct(); // the end: BRAVO
        t.tileClicked(3);
        t.backToLauncher();
        QCOMPARE(t.screen().tileColour, Colour::LightBlue);
        QCOMPARE(t.state().secondsLeft, 240);
        QCOMPARE(t.state().totalSeconds, 0);
        QCOMPARE(t.state().tiles.selected(), -1);
        QCOMPARE(t.state().seriesCount, 0);
        QCOMPARE(t.screen().seriesDone, QStringLiteral("0 série déjà réalisée."));
        // Kept: fonts, pause, scores of the last series.
        QCOMPARE(t.state().nextFontStep, 2);
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QCOMPARE(t.screen().score, QStringLiteral("1/1"));
    }

    void sommaireLeavesARunningSeriesToItsCountdown() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        for (int i = 0; i < 100; ++i)
            t.countdownTick();
        t.backToLauncher();
        QVERIFY(t.state().isRunning(Timer::Countdown) && t.state().isRunning(Timer::Total));
        for (int i = 0; i < 240; ++i)
            t.countdownTick();
        QVERIFY(!t.screen().correctEnabled);
        QCOMPARE(t.screen().timeUsed, QStringLiteral("4:00"));
        QCOMPARE(t.state().seriesCount, 1);
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "core_options.moc"
