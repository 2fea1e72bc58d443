// Correcting a series: judging, elimination, compaction, end of the list, clocks.

#include "support/testsupport.h"
#include "training/rules.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using test::answerRight;
using test::numberedEntries;
using test::slotShowing;
using test::wordEntries;

namespace {

void answerWords(Training& t, const QStringList& words) {
    for (const QString& word : words)
        answerRight(t, slotShowing(t, word));
}

// A training on `entries` with threshold `threshold` under the successes criterion.
Training successes(const lists::ListContent& entries, const QString& threshold = "1") {
    Training t(test::countingSeeds());
    t.thresholdEdited(threshold);
    t.start(entries);
    return t;
}

} // namespace

class TestCorrection : public QObject {
    Q_OBJECT

private slots:
    void compactionKeepsOrderAndSuccessCounts() {
        // Threshold 3: every entry found once, C D E twice, then C and D a third time.
        Training t = successes(wordEntries({"A", "B", "C", "D", "E"}), "3");
        answerWords(t, {"A", "B", "C", "D", "E"});
        t.correct();
        t.newSeries();
        answerWords(t, {"C", "D", "E"});
        t.correct();
        t.newSeries();
        answerWords(t, {"C", "D"});
        t.correct();
        QCOMPARE(t.state().entryCount(), 3);
        QCOMPARE(t.state().draws(), (QStringList{"A", "B", "E"}));
        QCOMPARE(t.state().expectedWords(), (QStringList{"A", "B", "E"}));
        QCOMPARE(t.state().successCounts(), (QList<qint32>{1, 1, 2}));
    }

    void compactionCases_data() {
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("last entry") << QStringList{"E"} << QStringList{"A", "B", "C", "D"};
        QTest::newRow("first entry") << QStringList{"A"} << QStringList{"B", "C", "D", "E"};
        QTest::newRow("two adjacent") << QStringList{"B", "C"} << QStringList{"A", "D", "E"};
        QTest::newRow("nothing") << QStringList{} << QStringList{"A", "B", "C", "D", "E"};
    }
    void compactionCases() {
        QFETCH(QStringList, found);
        QFETCH(QStringList, left);
        Training t = successes(wordEntries({"A", "B", "C", "D", "E"}));
        answerWords(t, found);
        const QString wordsLeftShown = t.screen().wordsLeftShown;
        t.correct();
        QCOMPARE(t.state().draws(), left);
        QCOMPARE(t.state().entryCount(), left.size());
        QCOMPARE(t.screen().wordsLeftShown, wordsLeftShown); // written by the next set-up only
        QVERIFY(t.screen().newSeriesEnabled);
    }

    void anEntryLoadedWithoutDrawLeavesAtTheFirstCorrection() {
        Training t = successes({{"AB", "BA"}, {"", "GONE"}, {"CD", "DC"}});
        t.correct();
        QCOMPARE(t.state().expectedWords(), (QStringList{"BA", "DC"}));
    }

    void aCorrectionThatEmptiesTheListEndsTheTraining() {
        Training t = successes(wordEntries({"AB", "CDE"}));
        answerWords(t, {"AB", "CDE"});
        t.correct();
        const ScreenView screen = t.screen();
        const TrainingState& s = t.state();
        QCOMPARE(t.state().entryCount(), 0);
        QVERIFY(!s.isRunning(Timer::Countdown) && !s.isRunning(Timer::Total) &&
                !s.isRunning(Timer::Stopwatch));
        QCOMPARE(screen.totalColour, Colour::Red);
        QCOMPARE(screen.tileColour, Colour::LightRed);
        QCOMPARE(screen.wordsLeftShown, QStringLiteral("0"));
        QStringList tiles;
        for (const TileView& tile : screen.tiles)
            tiles << tile.caption;
        QCOMPARE(tiles.join(""), QStringLiteral(" BRAVO! "));
        QVERIFY(!screen.newSeriesEnabled && !screen.correctEnabled);
        QCOMPARE(screen.score, QStringLiteral("2/2"));
        QVERIFY(screen.scoreVisible && screen.timeUsedVisible);
        QCOMPARE(screen.seriesDone, QStringLiteral("1 série(s) déjà réalisée(s)."));
        // F8 can no longer start a series.
        t.answerKeyDown(0, Key::F8);
        QVERIFY(!t.screen().correctEnabled);
    }

    void correctionShowsRightAndWrongAnswers() {
        Training t = successes(wordEntries({"ARBRE", "TABLE", "CHAT"}), "5");
        const int right = slotShowing(t, "ARBRE");
        const int wrong = slotShowing(t, "TABLE");
        const int empty = slotShowing(t, "CHAT");
        t.answerEdited(right, "ARBRE");
        t.answerEdited(wrong, "TABLO");
        t.correct();
        const auto views = t.screen().slotViews;
        QCOMPARE(views[right].typedColour, Colour::LightGreen);
        QVERIFY(!views[right].struckOut);
        QCOMPARE(views[wrong].typedColour, Colour::LightRed);
        QVERIFY(views[wrong].struckOut);
        QCOMPARE(views[wrong].typed, QStringLiteral("TABLO"));
        QCOMPARE(views[wrong].draw, QStringLiteral("TABLE"));
        QCOMPARE(views[wrong].drawColour, Colour::LightGreen);
        QCOMPARE(views[empty].typedColour, Colour::LightRed);
        QVERIFY(!views[empty].struckOut);
        QCOMPARE(views[empty].typed, QStringLiteral("CHAT")); // the draw, here the word itself
        QCOMPARE(t.screen().score, QStringLiteral("1/3"));
        QCOMPARE(t.state().successCounts()[0], 1);
        QCOMPARE(t.screen().countdownColour, Colour::Red);
        QVERIFY(!t.state().isRunning(Timer::Countdown));
        QVERIFY(t.state().isRunning(Timer::Total));
    }

    void anEmptyAnswerShowsItsDrawAndTheSolution() {
        Training t = successes({{"ABERR", "ARBRE"}});
        t.correct();
        QCOMPARE(t.screen().slotViews[0].typed, QStringLiteral("ABERR"));
        QCOMPARE(t.screen().slotViews[0].draw, QStringLiteral("ARBRE"));
    }

    void lettersCaseMatters() {
        Training t = successes({{"ABERR", "arbre"}});
        t.answerEdited(0, "ARBRE");
        t.correct();
        QCOMPARE(t.screen().score, QStringLiteral("0/1"));
        QCOMPARE(t.state().entryCount(), 1);
    }

    void thirtyRightAnswersWithThresholdOne() {
        Training t = successes(numberedEntries(40));
        for (int s = 0; s < kSlots; ++s)
            answerRight(t, s);
        t.correct();
        QCOMPARE(t.screen().score, QStringLiteral("30/30"));
        QCOMPARE(t.state().entryCount(), 10);
    }

    void thresholdsThatEliminateAtOnce_data() {
        QTest::addColumn<QString>("threshold");
        QTest::newRow("0") << "0";
        QTest::newRow("empty") << "";
        QTest::newRow("not a number") << "abc";
    }
    void thresholdsThatEliminateAtOnce() {
        QFETCH(QString, threshold);
        Training t = successes(numberedEntries(40), threshold);
        answerRight(t, 4);
        t.correct();
        QCOMPARE(t.state().entryCount(), 39);
    }

    void thresholdTwoNeedsTwoSeries() {
        Training t = successes(wordEntries({"AB", "CD", "EF"}), "2");
        answerWords(t, {"AB"});
        t.correct();
        QCOMPARE(t.state().entryCount(), 3);
        QCOMPARE(t.state().successCounts(), (QList<qint32>{1, 0, 0}));
        t.newSeries();
        answerWords(t, {"AB"});
        t.correct();
        QCOMPARE(t.state().draws(), (QStringList{"CD", "EF"}));
    }

    void secondsCriterionEliminatesWhatWasFoundInTime() {
        Training t(test::countingSeeds());
        t.switchCriterion(); // threshold 5 seconds
        t.start(numberedEntries(7));
        // Slot 0 found at once, and judged when the focus leaves it.
        answerRight(t, 0);
        t.answerFocused(1);
        // Slot 2 right but never left: counted, not eliminated.
        answerRight(t, 2);
        // Slot 6, the last shown, is judged by the correction itself.
        t.answerFocused(6);
        answerRight(t, 6);
        const QString zero = t.state().expectedWords()[t.state().slotEntry[0]];
        const QString two = t.state().expectedWords()[t.state().slotEntry[2]];
        const QString six = t.state().expectedWords()[t.state().slotEntry[6]];
        t.correct();
        QCOMPARE(t.screen().score, QStringLiteral("3/7"));
        QCOMPARE(t.state().entryCount(), 5);
        QVERIFY(!t.state().expectedWords().contains(zero));
        QVERIFY(t.state().expectedWords().contains(two));
        QVERIFY(!t.state().expectedWords().contains(six));
        QCOMPARE(t.state().successCounts(), QList<qint32>(5, 0));
        QCOMPARE(t.screen().judgement, QStringLiteral("OK"));
    }

    void secondsCriterionKeepsAFailedSlotFailed() {
        Training t(test::countingSeeds());
        t.switchCriterion();
        t.start(numberedEntries(7));
        t.answerFocused(6); // slot 0 left empty: failed
        t.answerFocused(0);
        answerRight(t, 0);
        t.answerFocused(1);
        t.correct();
        QCOMPARE(t.state().entryCount(), 7);
        QCOMPARE(t.screen().score, QStringLiteral("1/7"));
    }

    void anEmptyListCorrectsToNothing() {
        Training t(test::countingSeeds());
        t.switchCriterion();
        t.start({});
        t.correct();
        QCOMPARE(t.screen().score, QStringLiteral("0/0"));
        QVERIFY(t.screen().judgement.isEmpty());
        QCOMPARE(t.screen().tileColour, Colour::LightRed);
        QVERIFY(!t.screen().newSeriesEnabled);
    }

    void timeUsedFromTheCountdownText_data() {
        QTest::addColumn<QString>("countdownShown");
        QTest::addColumn<QString>("used");
        QTest::newRow("2:35") << "2:35"
                              << "1:25";
        QTest::newRow("3:00") << "3:00"
                              << "1:00";
        QTest::newRow("3:55") << "3:55"
                              << "0:05";
        QTest::newRow("0:59") << "0:59"
                              << "3:01";
        QTest::newRow("0:00") << "0:00"
                              << "4:00";
        QTest::newRow("4:00") << "4:00"
                              << "0:00";
        QTest::newRow("3:50") << "3:50"
                              << "0:10";
    }
    void timeUsedFromTheCountdownText() {
        QFETCH(QString, countdownShown);
        QFETCH(QString, used);
        QCOMPARE(timeUsed(countdownShown), used);
    }

    void clockTexts() {
        QCOMPARE(countdownText(239), QStringLiteral("3:59"));
        QCOMPARE(countdownText(185), QStringLiteral("3:05"));
        QCOMPARE(countdownText(59), QStringLiteral("0:59"));
        QCOMPARE(countdownText(0), QStringLiteral("0:00"));
        QCOMPARE(totalText(59), QStringLiteral("0:00:59"));
        QCOMPARE(totalText(60), QStringLiteral("0:01:00"));
        QCOMPARE(totalText(3599), QStringLiteral("0:59:59"));
        QCOMPARE(totalText(3600), QStringLiteral("1:00:00"));
        QCOMPARE(totalText(36000), QStringLiteral("10:00:00"));
        QCOMPARE(totalText(400000), QStringLiteral("111:06:40"));
    }

    void totalClockTicksAcrossSeries() {
        Training t = successes(numberedEntries(40));
        for (int i = 0; i < 3599; ++i)
            t.totalTick();
        QCOMPARE(t.screen().totalShown, QStringLiteral("0:59:59"));
        t.correct();
        t.totalTick();
        QCOMPARE(t.screen().totalShown, QStringLiteral("1:00:00"));
        QVERIFY(t.state().isRunning(Timer::Total));
    }

    void countdownCorrectsOnItsLastTick() {
        Training t = successes(numberedEntries(40));
        answerRight(t, 0);
        t.countdownTick();
        QCOMPARE(t.screen().countdownShown, QStringLiteral("3:59"));
        for (int i = 1; i < 239; ++i)
            t.countdownTick();
        QCOMPARE(t.screen().countdownShown, QStringLiteral("0:01"));
        QVERIFY(t.screen().correctEnabled);
        t.countdownTick();
        QCOMPARE(t.screen().countdownShown, QStringLiteral("0:00"));
        QVERIFY(!t.screen().correctEnabled);
        QVERIFY(!t.state().isRunning(Timer::Countdown));
        QCOMPARE(t.screen().timeUsed, QStringLiteral("4:00"));
        QCOMPARE(t.screen().score, QStringLiteral("1/30"));
        QCOMPARE(t.state().secondsLeft, 0);
    }

    void correctingInTheFirstSecondOfASeries() {
        Training t = successes(numberedEntries(40));
        for (int i = 0; i < 240; ++i)
            t.countdownTick();
        t.newSeries();
        QCOMPARE(t.screen().countdownShown, QStringLiteral("4:00"));
        t.correct();
        QCOMPARE(t.screen().timeUsed, QStringLiteral("0:00"));
        QCOMPARE(t.screen().score, QStringLiteral("0/30"));
    }

    void seriesCounterStopsAtItsLargestValue() {
        Training t = successes(numberedEntries(40));
        for (int i = 0; i < 32770; ++i) {
            t.correct();
            t.newSeries();
        }
        QCOMPARE(t.state().seriesCount, 32767);
        QCOMPARE(t.screen().seriesDone, QStringLiteral("32767 série(s) déjà réalisée(s)."));
    }
};

QTEST_GUILESS_MAIN(TestCorrection)
#include "core_correction.moc"
