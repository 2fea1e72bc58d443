// Answer entry in the training: typing rules, tiles, focus, criterion and judging.

#include "support/testsupport.h"
#include "training/rules.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using test::answerRight;
using test::numberedEntries;
using test::wordEntries;

namespace {

QStringList captions(const TileRack& tiles) {
    QStringList out;
    for (int k = 0; k < kTiles; ++k)
        out << tiles.caption(k);
    return out;
}

QStringList captions(const Training& t) {
    return captions(t.state().tiles);
}

// The place each tile stands at: place p is the home of tile p.
QList<int> places(const TileRack& tiles) {
    QList<int> out;
    for (int k = 0; k < kTiles; ++k)
        out << tiles.place(k);
    return out;
}

const QList<int> kHome = {0, 1, 2, 3, 4, 5, 6, 7, 8};

// A training under the seconds criterion with threshold `threshold`, on a list
// of `count` numbered entries.
Training secondsTraining(const QString& threshold, int count = 40) {
    Training t(test::countingSeeds());
    t.switchCriterion();
    t.thresholdEdited(threshold);
    t.start(numberedEntries(count));
    return t;
}

void ticks(Training& t, int count) {
    for (int i = 0; i < count; ++i)
        t.stopwatchTick();
}

} // namespace

class TestEntry : public QObject {
    Q_OBJECT

private slots:
    void typedLettersBecomeCapitals_data() {
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<QChar>("kept");
        QTest::newRow("a") << QChar('a') << QChar('A');
        QTest::newRow("z") << QChar('z') << QChar('Z');
        QTest::newRow("capital") << QChar('Q') << QChar('Q');
        QTest::newRow("é") << QChar(0xE9) << QChar(0xE9);
        QTest::newRow("à") << QChar(0xE0) << QChar(0xE0);
        QTest::newRow("digit") << QChar('7') << QChar('7');
        QTest::newRow("backquote, before a") << QChar('`') << QChar('`');
        QTest::newRow("brace, after z") << QChar('{') << QChar('{');
    }
    void typedLettersBecomeCapitals() {
        QFETCH(QChar, typed);
        QFETCH(QChar, kept);
        QCOMPARE(typedCharacter(typed), kept);
    }

    void numericValueReadsTheLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "5" << 5.0;
        QTest::newRow("decimal point") << "4.5" << 4.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("leading blanks") << " 7" << 7.0;
        QTest::newRow("decimal comma") << "1,5" << 1.0;
        QTest::newRow("trailing text") << "12 secondes" << 12.0;
        QTest::newRow("bare fraction") << ".25" << 0.25;
        QTest::newRow("negative") << "-2" << -2.0;
        QTest::newRow("blank inside") << "1 5" << 1.0;
    }
    void numericValueReadsTheLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numericValue(text), value);
    }

    void placerlettresLaysUpToNineLetters() {
        TileRack t;
        t.layTiles("ABCDEFG");
        QCOMPARE(captions(t), (QStringList{"A", "B", "C", "D", "E", "F", "G", "", ""}));
        QCOMPARE(places(t), kHome);

        t.layTiles("ABCDEFGHI");
        QCOMPARE(captions(t).join(""), QStringLiteral("ABCDEFGHI"));

        // Too long, or nothing to lay: the tiles stay as they are.
        t.layTiles("ABCDEFGHIJ");
        t.layTiles("");
        t.layTiles("+++");
        QCOMPARE(captions(t).join(""), QStringLiteral("ABCDEFGHI"));

        // "+" takes no tile, and ten characters with one "+" fit.
        t.layTiles("ABCDEFG+HI");
        QCOMPARE(captions(t).join(""), QStringLiteral("ABCDEFGHI"));
        t.layTiles("AEI+RS");
        QCOMPARE(captions(t), (QStringList{"A", "E", "I", "R", "S", "", "", "", ""}));

        t.layTiles(" BRAVO! ");
        QCOMPARE(captions(t), (QStringList{" ", "B", "R", "A", "V", "O", "!", " ", ""}));
    }

    void tilesExchangeOnTheSecondClick() {
        TileRack t;
        t.layTiles("ABCDEFGHI");
        t.click(2);
        QCOMPARE(t.selected(), 2);
        QCOMPARE(places(t), kHome);
        t.click(5);
        QCOMPARE(t.selected(), -1);
        QCOMPARE(t.place(2), 5);
        QCOMPARE(t.place(5), 2);
        QCOMPARE(t.caption(2), QStringLiteral("C"));

        // The same tile twice only clears the selection.
        t.layTiles("ABCDEFGHI");
        t.click(4);
        t.click(4);
        QCOMPARE(t.selected(), -1);
        QCOMPARE(places(t), kHome);

        // A tile beyond a shorter draw keeps the place an exchange gave it.
        t.click(1);
        t.click(8);
        t.layTiles("ABCDE");
        QCOMPARE(places(t).mid(0, 5), kHome.mid(0, 5));
        QCOMPARE(t.place(8), 1);
        QCOMPARE(t.place(1), 1);
        QVERIFY(t.caption(8).isEmpty());
    }

    void aSelectionSurvivesANewDraw() {
        Training t(test::countingSeeds());
        t.start(wordEntries({"ABC", "DEF"}));
        t.tileClicked(0);
        t.nextBox(); // focus to slot 1: new letters on the tiles
        t.tileClicked(2);
        QCOMPARE(t.screen().tiles[0].place, 2);
        QCOMPARE(t.screen().tiles[2].place, 0);
    }

    void aTileClickKeepsTheCurrentSlotMarked() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        t.answerFocused(3);
        t.otherControlFocused(); // the tile takes the focus
        QCOMPARE(t.screen().slotViews[3].typedColour, Colour::LightOrange);
        t.tileClicked(0);
        QCOMPARE(t.screen().slotViews[3].drawColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[3].typedColour, Colour::LightYellow);
    }

    void answersAreNoLongerThanTheirDraw() {
        Training t(test::countingSeeds());
        t.start(wordEntries({"ABCDEFG", "ABC"}));
        const int seven = test::slotShowing(t, "ABCDEFG");
        const int three = test::slotShowing(t, "ABC");
        test::EffectCounter effects(t);

        t.answerEdited(seven, "ABCDEFGH");
        QCOMPARE(t.screen().slotViews[seven].typed, QStringLiteral("ABCDEFG"));
        QCOMPARE(effects.beeps(), 1);

        // The last character goes, wherever the new one was typed.
        t.answerEdited(three, "AZBC");
        QCOMPARE(t.screen().slotViews[three].typed, QStringLiteral("AZB"));
        QCOMPARE(effects.beeps(), 2);

        t.answerEdited(three, "ABCDE");
        QCOMPARE(t.screen().slotViews[three].typed, QStringLiteral("ABC"));
        QCOMPARE(effects.beeps(), 4);

        // An empty slot takes nothing.
        t.answerEdited(5, "X");
        QVERIFY(t.screen().slotViews[5].typed.isEmpty());
        QCOMPARE(effects.beeps(), 5);

        // Within the limit: no beep.
        t.answerEdited(three, "AB");
        QCOMPARE(effects.beeps(), 5);
    }

    void gotFocusMarksTheSlotOnlyWhileASeriesRuns() {
        Training t(test::countingSeeds());
        t.start(wordEntries({"ABC", "DEFG", "HI"}));
        const int slot = test::slotShowing(t, "DEFG");
        t.answerFocused(slot);
        QCOMPARE(t.state().currentSlot, slot);
        QCOMPARE(t.screen().slotViews[slot].drawColour, Colour::LightGreen);
        QCOMPARE(t.screen().slotViews[slot].typedColour, Colour::LightYellow);
        QCOMPARE(t.screen().slotViews[0].drawColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[0].typedColour, Colour::LightOrange);
        QCOMPARE(captions(t).join(""), QStringLiteral("DEFG"));
        QVERIFY(!t.state().isRunning(Timer::Stopwatch)); // successes criterion

        t.correct();
        const SlotView before = t.screen().slotViews[2];
        t.answerFocused(2);
        QCOMPARE(t.state().currentSlot, 2);
        QCOMPARE(t.screen().slotViews[2].drawColour, before.drawColour);
        QCOMPARE(t.screen().slotViews[2].typedColour, before.typedColour);
        // The draw box now shows the solution, and the tiles follow it.
        QCOMPARE(captions(t).join(""), t.screen().slotViews[2].draw);
    }

    void movesCycleThroughAllThirtyBoxes() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(5));
        QCOMPARE(t.state().focus, 0);
        t.answerKeyDown(0, Key::Up);
        QCOMPARE(t.state().focus, 29);
        QCOMPARE(t.state().currentSlot, 29);
        t.answerKeyDown(29, Key::Down);
        QCOMPARE(t.state().focus, 0);
        t.answerFocused(29);
        t.enterPressed();
        QCOMPARE(t.state().focus, 0);
        t.answerKeyDown(0, Key::Down);
        t.answerKeyDown(1, Key::Down);
        QCOMPARE(t.state().focus, 2);
        t.answerKeyDown(2, Key::Other);
        QCOMPARE(t.state().focus, 2);
    }

    void f12AndF8OnlyInTheirPhases() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        const auto series = t.state().slotEntry;
        t.answerKeyDown(0, Key::F8);
        QCOMPARE(t.state().slotEntry, series);
        QVERIFY(t.screen().correctEnabled);

        t.answerKeyDown(0, Key::F12);
        QVERIFY(!t.screen().correctEnabled);
        QVERIFY(t.screen().newSeriesEnabled);
        QCOMPARE(t.state().seriesCount, 1);
        t.answerKeyDown(0, Key::F12);
        QCOMPARE(t.state().seriesCount, 1);

        t.answerKeyDown(0, Key::F8);
        QVERIFY(t.screen().correctEnabled);
        QVERIFY(t.state().slotEntry != series);
    }

    void criterionSwitchesCaptionsAndPlaces() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        const auto timers = std::make_tuple(t.state().isRunning(Timer::Countdown),
                                            t.state().isRunning(Timer::Total));
        t.switchCriterion();
        QCOMPARE(t.screen().criterionCaption, QStringLiteral("Eliminer un mot trouvé en moins de"));
        QCOMPARE(t.screen().threshold, QStringLiteral("5"));
        QCOMPARE(t.screen().criterion, Criterion::Seconds);
        QCOMPARE(t.screen().thresholdUnit, QStringLiteral("secondes."));
        QCOMPARE(t.state().criterion, Criterion::Seconds);
        QCOMPARE(std::make_tuple(t.state().isRunning(Timer::Countdown),
                                 t.state().isRunning(Timer::Total)),
                 timers);

        t.switchCriterion();
        QCOMPARE(t.screen().criterionCaption, QStringLiteral("Eliminer un mot après"));
        QCOMPARE(t.screen().threshold, QStringLiteral("1"));
        QCOMPARE(t.screen().criterion, Criterion::Successes);
        QCOMPARE(t.screen().thresholdUnit, QStringLiteral("réussites."));
        QCOMPARE(t.state().criterion, Criterion::Successes);
    }

    void stopwatchRunsOnlyUnderTheSecondsCriterion() {
        Training t = secondsTraining("5");
        QVERIFY(t.state().isRunning(Timer::Stopwatch));
        ticks(t, 3);
        QCOMPARE(t.state().secondsInBox, 3);
        t.answerFocused(1);
        QCOMPARE(t.state().secondsInBox, 0);
        QVERIFY(t.state().isRunning(Timer::Stopwatch));
        t.otherControlFocused();
        QVERIFY(!t.state().isRunning(Timer::Stopwatch));

        // Switched while a box has the focus: the stopwatch waits for the next box.
        Training r(test::countingSeeds());
        r.start(numberedEntries(40));
        r.switchCriterion();
        QVERIFY(!r.state().isRunning(Timer::Stopwatch));
        r.answerFocused(1);
        QVERIFY(r.state().isRunning(Timer::Stopwatch));
    }

    void judgingAtFocusLoss_data() {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("right");
        QTest::addColumn<FastVerdict>("verdict");
        QTest::newRow("5: fast at 4 ticks") << "5" << 4 << true << FastVerdict::InTime;
        QTest::newRow("5: slow at 5 ticks") << "5" << 5 << true << FastVerdict::Failed;
        QTest::newRow("4.5: fast at 4") << "4.5" << 4 << true << FastVerdict::InTime;
        QTest::newRow("4.5: slow at 5") << "4.5" << 5 << true << FastVerdict::Failed;
        QTest::newRow("0: never fast") << "0" << 0 << true << FastVerdict::Failed;
        QTest::newRow("empty: never fast") << "" << 0 << true << FastVerdict::Failed;
        QTest::newRow("wrong but fast") << "5" << 1 << false << FastVerdict::Failed;
    }
    void judgingAtFocusLoss() {
        QFETCH(QString, threshold);
        QFETCH(int, seconds);
        QFETCH(bool, right);
        QFETCH(FastVerdict, verdict);
        Training t = secondsTraining(threshold);
        if (right)
            answerRight(t, 0);
        else
            t.answerEdited(0, "D");
        ticks(t, seconds);
        t.answerFocused(1);
        QCOMPARE(t.state().verdicts[0], verdict);
        QCOMPARE(t.screen().judgement,
                 verdict == FastVerdict::InTime ? QStringLiteral("OK") : QStringLiteral("NO"));
        QCOMPARE(t.screen().slotViews[0].drawColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[0].typedColour, Colour::LightOrange);
    }

    void aFailedSlotStaysFailed() {
        Training t = secondsTraining("5");
        t.answerFocused(1); // slot 0 left empty: failed
        QCOMPARE(t.state().verdicts[0], FastVerdict::Failed);
        QCOMPARE(t.screen().judgement, QStringLiteral("NO"));
        t.answerFocused(2); // slot 1 left empty: failed
        t.answerFocused(0);
        answerRight(t, 0);
        t.answerFocused(3); // right and fast, but judged failed before
        QCOMPARE(t.state().verdicts[0], FastVerdict::Failed);
        QCOMPARE(t.screen().judgement, QStringLiteral("NO")); // unchanged
        // A slot found in time fails when judged again with a wrong answer.
        answerRight(t, 3);
        t.answerFocused(4);
        QCOMPARE(t.state().verdicts[3], FastVerdict::InTime);
        t.answerFocused(3);
        t.answerEdited(3, "S");
        t.answerFocused(4);
        QCOMPARE(t.state().verdicts[3], FastVerdict::Failed);
    }

    void successesCriterionNeverJudges() {
        Training t(test::countingSeeds());
        t.start(numberedEntries(40));
        answerRight(t, 0);
        t.answerFocused(1);
        QCOMPARE(t.state().verdicts[0], FastVerdict::NotJudged);
        QVERIFY(t.screen().judgement.isEmpty());
        QCOMPARE(t.screen().slotViews[0].typedColour, Colour::LightOrange);
    }

    void anEmptySlotIsNotJudged() {
        Training t = secondsTraining("5", 3);
        t.answerFocused(3);
        answerRight(t, 0);
        t.answerFocused(4); // leaves an empty slot
        QCOMPARE(t.state().verdicts[3], FastVerdict::NotJudged);
        QCOMPARE(t.screen().slotViews[3].drawColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[3].typedColour, Colour::LightOrange);
    }

    void aNewSeriesDoesNotJudgeTheBoxItLeaves() {
        Training t = secondsTraining("5");
        t.answerFocused(7);
        t.correct();
        const QString judgement = t.screen().judgement;
        t.newSeries();
        QCOMPARE(t.state().focus, 0);
        QCOMPARE(t.state().verdicts[7], FastVerdict::NotJudged);
        QCOMPARE(t.screen().judgement, judgement);
        QCOMPARE(t.screen().slotViews[0].typedColour, Colour::LightYellow);
    }

    void aNewSeriesFromTheFirstBoxPaintsItAnew() {
        Training t = secondsTraining("5");
        t.correct(); // focus still in box 0
        QCOMPARE(t.screen().slotViews[0].typedColour, Colour::LightRed);
        t.answerKeyDown(0, Key::F8);
        QCOMPARE(t.screen().slotViews[0].typedColour, Colour::LightYellow);
        QCOMPARE(t.screen().slotViews[1].typedColour, Colour::LightOrange);
        QCOMPARE(t.screen().slotViews[1].drawColour, Colour::LightCyan);
        QVERIFY(t.state().isRunning(Timer::Stopwatch));
        QCOMPARE(captions(t).join(""), t.screen().slotViews[0].draw);
    }

    void stopwatchStopsAtItsLargestValue() {
        Training t = secondsTraining("5");
        ticks(t, 40000);
        QCOMPARE(t.state().secondsInBox, 32767);
        t.answerFocused(1);
        QCOMPARE(t.state().verdicts[0], FastVerdict::Failed);
    }
};

QTEST_GUILESS_MAIN(TestEntry)
#include "core_entry.moc"
