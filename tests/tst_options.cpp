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
        t.answerFocused(slot);
        t.otherControlFocused(); // into the search box
        t.rechercheClicked();
        QCOMPARE(t.screen().defaultButton, DefaultButton::Valider);
        QCOMPARE(t.screen().slotViews[slot].solutionColour, Colour::LightYellow);
        t.rechercheEdited("DEFGH");
        t.enterPressed();
        QCOMPARE(t.screen().slotViews[slot].solution, QStringLiteral("DEFG"));
        QCOMPARE(t.screen().beeps, 1u);
        QVERIFY(t.screen().recherche.isEmpty());
        QCOMPARE(t.screen().focusedAnswer, slot + 1);
        QCOMPARE(t.screen().defaultButton, DefaultButton::Command2);
    }

    void validationFromTheLastBoxGoesToTheFirst() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.answerFocused(29);
        t.otherControlFocused();
        t.rechercheEdited("S1");
        t.validerClicked();
        QCOMPARE(t.screen().slotViews[29].solution, QStringLiteral("S1"));
        QCOMPARE(t.screen().focusedAnswer, 0);
        // An empty validation empties the box.
        t.answerFocused(29);
        t.otherControlFocused();
        t.validerClicked();
        QVERIFY(t.screen().slotViews[29].solution.isEmpty());
    }

    void validationAfterAFailedJudgingStaysFailed() {
        Training t(test::countingSeeds());
        t.criterionClicked();
        t.commencer(numberedEntries(40));
        t.otherControlFocused(); // the click into the search box judges the empty box 0
        t.rechercheClicked();
        QCOMPARE(t.state().etat[0], 0);
        t.rechercheEdited(t.state().solutions[t.state().numeros[0]]);
        t.validerClicked();
        QCOMPARE(t.state().etat[0], 0);
    }

    void pauseStopsTheClocksAndLocksTheAnswers() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.command5Clicked();
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Reprendre"));
        QVERIFY(!t.screen().timer1.enabled && !t.screen().timer2.enabled);
        QVERIFY(!t.screen().rechercheEnabled);
        QVERIFY(t.screen().answersReadOnly);
        const quint64 starts = t.screen().timer1.starts;
        t.command5Clicked();
        QCOMPARE(t.screen().pauseCaption, QStringLiteral("Pause"));
        QVERIFY(t.screen().timer1.enabled && t.screen().timer2.enabled);
        QCOMPARE(t.screen().timer1.starts, starts + 1);
        QVERIFY(t.screen().rechercheEnabled && !t.screen().answersReadOnly);
    }

    void resumingAfterTheCorrectionLeavesTheCountdownStopped() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.command5Clicked();
        t.answerKeyDown(0, Key::F12);
        QVERIFY(!t.screen().corrigerEnabled);
        t.command5Clicked();
        QVERIFY(!t.screen().timer1.enabled);
        QVERIFY(t.screen().timer2.enabled);
        // A new series while paused keeps the pause.
        t.command5Clicked();
        t.restartClicked();
        QVERIFY(t.screen().timer1.enabled && t.screen().timer2.enabled);
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
            t.command3Clicked();
        QCOMPARE(t.screen().tirageFont, draws);
        QCOMPARE(t.screen().solutionFont, answers);
        QCOMPARE(t.screen().police, police);
        QCOMPARE(QString::number(t.state().numpolice), police);
    }

    void sommaireResetsTheCountersOnly() {
        Training t(test::countingSeeds());
        t.commencer(wordEntries({"AB"}));
        t.command3Clicked();
        t.command5Clicked();
        t.answerEdited(0, "AB");
        t.corrigerClicked(); // the end: BRAVO
        t.tileClicked(3);
        t.quitterClicked();
        QCOMPARE(t.screen().tileColour, Colour::LightBlue);
        QCOMPARE(t.state().tempsrestant, 240);
        QCOMPARE(t.state().tempstotal, 0);
        QCOMPARE(t.state().lettre, -1);
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
        t.quitterClicked();
        QVERIFY(t.screen().timer1.enabled && t.screen().timer2.enabled);
        for (int i = 0; i < 240; ++i)
            t.countdownTick();
        QVERIFY(!t.screen().corrigerEnabled);
        QCOMPARE(t.screen().tps, QStringLiteral("4:00"));
        QCOMPARE(t.state().compteseries, 1);
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
