// Answer entry in the training: typing rules, tiles, focus, criterion and judging.

#include "support/testsupport.h"
#include "training/rules.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using test::answerRight;
using test::numberedEntries;
using test::wordEntries;

namespace {

QStringList captions(const Training& t) {
    QStringList out;
    for (const TileView& tile : t.screen().tiles)
        out << tile.caption;
    return out;
}

QList<int> lefts(const Training& t) {
    QList<int> out;
    for (const TileView& tile : t.screen().tiles)
        out << tile.left;
    return out;
}

const QList<int> kHome = {3000, 3360, 3720, 4080, 4440, 4800, 5160, 5520, 5880};

// A training under the seconds criterion with threshold `threshold`, on a list
// of `count` numbered entries.
Training secondsTraining(const QString& threshold, int count = 40) {
    Training t(test::countingSeeds());
    t.criterionClicked();
    t.thresholdEdited(threshold);
    t.commencer(numberedEntries(count));
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
        Training t(test::countingSeeds());
        t.placerlettres("ABCDEFG");
        QCOMPARE(captions(t), (QStringList{"A", "B", "C", "D", "E", "F", "G", "", ""}));
        QCOMPARE(lefts(t), kHome);

        t.placerlettres("ABCDEFGHI");
        QCOMPARE(captions(t).join(""), QStringLiteral("ABCDEFGHI"));

        // Too long, or nothing to lay: the tiles stay as they are.
        t.placerlettres("ABCDEFGHIJ");
        t.placerlettres("");
        t.placerlettres("+++");
        QCOMPARE(captions(t).join(""), QStringLiteral("ABCDEFGHI"));

        // "+" takes no tile, and ten characters with one "+" fit.
        t.placerlettres("ABCDEFG+HI");
        QCOMPARE(captions(t).join(""), QStringLiteral("ABCDEFGHI"));
        t.placerlettres("AEI+RS");
        QCOMPARE(captions(t), (QStringList{"A", "E", "I", "R", "S", "", "", "", ""}));

        t.placerlettres(" BRAVO! ");
        QCOMPARE(captions(t), (QStringList{" ", "B", "R", "A", "V", "O", "!", " ", ""}));
    }

    void tilesExchangeOnTheSecondClick() {
        Training t(test::countingSeeds());
        t.placerlettres("ABCDEFGHI");
        t.tileClicked(2);
        QCOMPARE(t.state().lettre, 2);
        QCOMPARE(lefts(t), kHome);
        t.tileClicked(5);
        QCOMPARE(t.state().lettre, -1);
        QCOMPARE(t.screen().tiles[2].left, 4800);
        QCOMPARE(t.screen().tiles[5].left, 3720);
        QCOMPARE(t.screen().tiles[2].caption, QStringLiteral("C"));

        // The same tile twice only clears the selection.
        t.placerlettres("ABCDEFGHI");
        t.tileClicked(4);
        t.tileClicked(4);
        QCOMPARE(t.state().lettre, -1);
        QCOMPARE(lefts(t), kHome);

        // A tile beyond a shorter draw keeps the place an exchange gave it.
        t.tileClicked(1);
        t.tileClicked(8);
        t.placerlettres("ABCDE");
        QCOMPARE(lefts(t).mid(0, 5), kHome.mid(0, 5));
        QCOMPARE(t.screen().tiles[8].left, 3360);
        QCOMPARE(t.screen().tiles[1].left, 3360);
        QVERIFY(t.screen().tiles[8].caption.isEmpty());
    }

    void aSelectionSurvivesANewDraw() {
        Training t(test::countingSeeds());
        t.commencer(wordEntries({"ABC", "DEF"}));
        t.tileClicked(0);
        t.command2Clicked(); // focus to slot 1: new letters on the tiles
        t.tileClicked(2);
        QCOMPARE(t.screen().tiles[0].left, 3720);
        QCOMPARE(t.screen().tiles[2].left, 3000);
    }

    void aTileClickKeepsTheCurrentSlotMarked() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        t.answerFocused(3);
        t.otherControlFocused(); // the tile takes the focus
        QCOMPARE(t.screen().slotViews[3].solutionColour, Colour::LightOrange);
        t.tileClicked(0);
        QCOMPARE(t.screen().slotViews[3].tirageColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[3].solutionColour, Colour::LightYellow);
    }

    void answersAreNoLongerThanTheirDraw() {
        Training t(test::countingSeeds());
        t.commencer(wordEntries({"ABCDEFG", "ABC"}));
        const int seven = test::slotShowing(t, "ABCDEFG");
        const int three = test::slotShowing(t, "ABC");

        t.answerEdited(seven, "ABCDEFGH");
        QCOMPARE(t.screen().slotViews[seven].solution, QStringLiteral("ABCDEFG"));
        QCOMPARE(t.screen().beeps, 1u);

        // The last character goes, wherever the new one was typed.
        t.answerEdited(three, "AZBC");
        QCOMPARE(t.screen().slotViews[three].solution, QStringLiteral("AZB"));
        QCOMPARE(t.screen().beeps, 2u);

        t.answerEdited(three, "ABCDE");
        QCOMPARE(t.screen().slotViews[three].solution, QStringLiteral("ABC"));
        QCOMPARE(t.screen().beeps, 4u);

        // An empty slot takes nothing.
        t.answerEdited(5, "X");
        QVERIFY(t.screen().slotViews[5].solution.isEmpty());
        QCOMPARE(t.screen().beeps, 5u);

        // Within the limit: no beep.
        t.answerEdited(three, "AB");
        QCOMPARE(t.screen().beeps, 5u);
    }

    void gotFocusMarksTheSlotOnlyWhileASeriesRuns() {
        Training t(test::countingSeeds());
        t.commencer(wordEntries({"ABC", "DEFG", "HI"}));
        const int slot = test::slotShowing(t, "DEFG");
        t.answerFocused(slot);
        QCOMPARE(t.state().courant, slot);
        QCOMPARE(t.screen().slotViews[slot].tirageColour, Colour::LightGreen);
        QCOMPARE(t.screen().slotViews[slot].solutionColour, Colour::LightYellow);
        QCOMPARE(t.screen().slotViews[0].tirageColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[0].solutionColour, Colour::LightOrange);
        QCOMPARE(captions(t).join(""), QStringLiteral("DEFG"));
        QVERIFY(!t.screen().timer3.enabled); // successes criterion

        t.corrigerClicked();
        const SlotView before = t.screen().slotViews[2];
        t.answerFocused(2);
        QCOMPARE(t.state().courant, 2);
        QCOMPARE(t.screen().slotViews[2].tirageColour, before.tirageColour);
        QCOMPARE(t.screen().slotViews[2].solutionColour, before.solutionColour);
        // The draw box now shows the solution, and the tiles follow it.
        QCOMPARE(captions(t).join(""), t.screen().slotViews[2].tirage);
    }

    void movesCycleThroughAllThirtyBoxes() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(5));
        QCOMPARE(t.screen().focusedAnswer, 0);
        t.answerKeyDown(0, Key::Up);
        QCOMPARE(t.screen().focusedAnswer, 29);
        QCOMPARE(t.state().courant, 29);
        t.answerKeyDown(29, Key::Down);
        QCOMPARE(t.screen().focusedAnswer, 0);
        t.answerFocused(29);
        t.enterPressed();
        QCOMPARE(t.screen().focusedAnswer, 0);
        t.answerKeyDown(0, Key::Down);
        t.answerKeyDown(1, Key::Down);
        QCOMPARE(t.screen().focusedAnswer, 2);
        t.answerKeyDown(2, Key::Other);
        QCOMPARE(t.screen().focusedAnswer, 2);
    }

    void f12AndF8OnlyInTheirPhases() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        const auto series = t.state().numeros;
        t.answerKeyDown(0, Key::F8);
        QCOMPARE(t.state().numeros, series);
        QVERIFY(t.screen().corrigerEnabled);

        t.answerKeyDown(0, Key::F12);
        QVERIFY(!t.screen().corrigerEnabled);
        QVERIFY(t.screen().restartEnabled);
        QCOMPARE(t.state().compteseries, 1);
        t.answerKeyDown(0, Key::F12);
        QCOMPARE(t.state().compteseries, 1);

        t.answerKeyDown(0, Key::F8);
        QVERIFY(t.screen().corrigerEnabled);
        QVERIFY(t.state().numeros != series);
    }

    void criterionSwitchesCaptionsAndPlaces() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        const auto timers = std::make_tuple(t.screen().timer1.enabled, t.screen().timer2.enabled);
        t.criterionClicked();
        QCOMPARE(t.screen().label5, QStringLiteral("Eliminer un mot trouvé en moins de"));
        QCOMPARE(t.screen().seuiltxt, QStringLiteral("5"));
        QCOMPARE(t.screen().seuiltxtLeft, 2700);
        QCOMPARE(t.screen().label6, QStringLiteral("secondes."));
        QCOMPARE(t.screen().label6Left, 3060);
        QVERIFY(t.secondsCriterion());
        QCOMPARE(std::make_tuple(t.screen().timer1.enabled, t.screen().timer2.enabled), timers);

        t.criterionClicked();
        QCOMPARE(t.screen().label5, QStringLiteral("Eliminer un mot après"));
        QCOMPARE(t.screen().seuiltxt, QStringLiteral("1"));
        QCOMPARE(t.screen().seuiltxtLeft, 1800);
        QCOMPARE(t.screen().label6, QStringLiteral("réussites."));
        QCOMPARE(t.screen().label6Left, 2160);
        QVERIFY(!t.secondsCriterion());
    }

    void stopwatchRunsOnlyUnderTheSecondsCriterion() {
        Training t = secondsTraining("5");
        QVERIFY(t.screen().timer3.enabled);
        ticks(t, 3);
        QCOMPARE(t.state().chrono, 3);
        t.answerFocused(1);
        QCOMPARE(t.state().chrono, 0);
        QVERIFY(t.screen().timer3.enabled);
        t.otherControlFocused();
        QVERIFY(!t.screen().timer3.enabled);

        // Switched while a box has the focus: the stopwatch waits for the next box.
        Training r(test::countingSeeds());
        r.commencer(numberedEntries(40));
        r.criterionClicked();
        QVERIFY(!r.screen().timer3.enabled);
        r.answerFocused(1);
        QVERIFY(r.screen().timer3.enabled);
    }

    void judgingAtFocusLoss_data() {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("etat");
        QTest::newRow("5: fast at 4 ticks") << "5" << 4 << true << 1;
        QTest::newRow("5: slow at 5 ticks") << "5" << 5 << true << 0;
        QTest::newRow("4.5: fast at 4") << "4.5" << 4 << true << 1;
        QTest::newRow("4.5: slow at 5") << "4.5" << 5 << true << 0;
        QTest::newRow("0: never fast") << "0" << 0 << true << 0;
        QTest::newRow("empty: never fast") << "" << 0 << true << 0;
        QTest::newRow("wrong but fast") << "5" << 1 << false << 0;
    }
    void judgingAtFocusLoss() {
        QFETCH(QString, threshold);
        QFETCH(int, seconds);
        QFETCH(bool, right);
        QFETCH(int, etat);
        Training t = secondsTraining(threshold);
        if (right)
            answerRight(t, 0);
        else
            t.answerEdited(0, "D");
        ticks(t, seconds);
        t.answerFocused(1);
        QCOMPARE(t.state().etat[0], etat);
        QCOMPARE(t.screen().voyant, etat == 1 ? QStringLiteral("OK") : QStringLiteral("NO"));
        QCOMPARE(t.screen().slotViews[0].tirageColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[0].solutionColour, Colour::LightOrange);
    }

    void aFailedSlotStaysFailed() {
        Training t = secondsTraining("5");
        t.answerFocused(1); // slot 0 left empty: failed
        QCOMPARE(t.state().etat[0], 0);
        QCOMPARE(t.screen().voyant, QStringLiteral("NO"));
        t.answerFocused(2); // slot 1 left empty: failed
        t.answerFocused(0);
        answerRight(t, 0);
        t.answerFocused(3); // right and fast, but judged failed before
        QCOMPARE(t.state().etat[0], 0);
        QCOMPARE(t.screen().voyant, QStringLiteral("NO")); // unchanged
        // A slot found in time fails when judged again with a wrong answer.
        answerRight(t, 3);
        t.answerFocused(4);
        QCOMPARE(t.state().etat[3], 1);
        t.answerFocused(3);
        t.answerEdited(3, "S");
        t.answerFocused(4);
        QCOMPARE(t.state().etat[3], 0);
    }

    void successesCriterionNeverJudges() {
        Training t(test::countingSeeds());
        t.commencer(numberedEntries(40));
        answerRight(t, 0);
        t.answerFocused(1);
        QCOMPARE(t.state().etat[0], -1);
        QVERIFY(t.screen().voyant.isEmpty());
        QCOMPARE(t.screen().slotViews[0].solutionColour, Colour::LightOrange);
    }

    void anEmptySlotIsNotJudged() {
        Training t = secondsTraining("5", 3);
        t.answerFocused(3);
        answerRight(t, 0);
        t.answerFocused(4); // leaves an empty slot
        QCOMPARE(t.state().etat[3], -1);
        QCOMPARE(t.screen().slotViews[3].tirageColour, Colour::LightCyan);
        QCOMPARE(t.screen().slotViews[3].solutionColour, Colour::LightOrange);
    }

    void aNewSeriesDoesNotJudgeTheBoxItLeaves() {
        Training t = secondsTraining("5");
        t.answerFocused(7);
        t.corrigerClicked();
        const QString voyant = t.screen().voyant;
        t.restartClicked();
        QCOMPARE(t.screen().focusedAnswer, 0);
        QCOMPARE(t.state().etat[7], -1);
        QCOMPARE(t.screen().voyant, voyant);
        QCOMPARE(t.screen().slotViews[0].solutionColour, Colour::LightYellow);
    }

    void aNewSeriesFromTheFirstBoxPaintsItAnew() {
        Training t = secondsTraining("5");
        t.corrigerClicked(); // focus still in box 0
        QCOMPARE(t.screen().slotViews[0].solutionColour, Colour::LightRed);
        t.answerKeyDown(0, Key::F8);
        QCOMPARE(t.screen().slotViews[0].solutionColour, Colour::LightYellow);
        QCOMPARE(t.screen().slotViews[1].solutionColour, Colour::LightOrange);
        QCOMPARE(t.screen().slotViews[1].tirageColour, Colour::LightCyan);
        QVERIFY(t.screen().timer3.enabled);
        QCOMPARE(captions(t).join(""), t.screen().slotViews[0].tirage);
    }

    void stopwatchStopsAtItsLargestValue() {
        Training t = secondsTraining("5");
        ticks(t, 40000);
        QCOMPARE(t.state().chrono, 32767);
        t.answerFocused(1);
        QCOMPARE(t.state().etat[0], 0);
    }
};

QTEST_GUILESS_MAIN(TestEntry)
#include "tst_entry.moc"
