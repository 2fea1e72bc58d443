// A training kept and taken up again:
// core models, headless.

#include "support/testsupport.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using test::answerRight;
using test::numberedEntries;

namespace {

Training trainingUnder(Criterion criterion, const QString& threshold) {
    Training t(test::countingSeeds());
    if (criterion == Criterion::Seconds)
        t.switchCriterion();
    t.thresholdEdited(threshold);
    t.start(numberedEntries(40));
    return t;
}

// Answers right the answered given, each one left at once (fast under any threshold
// above 0 seconds).
void answerAndLeave(Training& t, const QList<int>& answered) {
    for (const int slot : answered) {
        t.answerFocused(slot);
        answerRight(t, slot);
        t.otherControlFocused();
    }
}

} // namespace

Q_DECLARE_METATYPE(Criterion)

class TestSnapshot : public QObject {
    Q_OBJECT

private slots:
    void aKeptTrainingComesBackAsItWas_data() {
        QTest::addColumn<Criterion>("criterion");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<int>("leftAfterFirst"); // entries left after the first series
        QTest::newRow("successes") << Criterion::Successes << "2" << 40;
        QTest::newRow("seconds") << Criterion::Seconds << "3.5" << 36;
    }
    void aKeptTrainingComesBackAsItWas() {
        QFETCH(Criterion, criterion);
        QFETCH(QString, threshold);
        QFETCH(int, leftAfterFirst);
        Training t = trainingUnder(criterion, threshold);
        answerAndLeave(t, {0, 1, 2, 3});
        for (int i = 0; i < 75; ++i)
            t.totalTick();
        t.correct();
        QCOMPARE(t.state().entryCount(), leftAfterFirst);

        const TrainingSnapshot kept = t.snapshot();
        QCOMPARE(kept.entries.size(), leftAfterFirst);
        QCOMPARE(kept.criterion, criterion);
        QCOMPARE(kept.threshold, threshold);
        QCOMPARE(kept.seriesDone, 1);
        QCOMPARE(kept.secondsTrained, 75);
        qint32 successes = 0;
        for (const Question& entry : kept.entries)
            successes += entry.successes;
        QCOMPARE(successes, criterion == Criterion::Successes ? 4 : 0);

        // Taken up on a new screen: the same list, criterion and threshold, a new
        // series drawn from the entries left, and the sitting's counters at zero.
        Training again(test::countingSeeds());
        again.resume(kept);
        QCOMPARE(again.snapshot(), kept);
        const ScreenView screen = again.screen();
        QCOMPARE(screen.criterion, criterion);
        QCOMPARE(screen.threshold, threshold);
        QCOMPARE(screen.thresholdUnit, criterion == Criterion::Seconds ? QStringLiteral("secondes.")
                                                                : QStringLiteral("réussites."));
        QVERIFY(screen.correctEnabled);
        QCOMPARE(screen.wordsLeftShown, QString::number(leftAfterFirst));
        QCOMPARE(again.state().seriesCount, 0);
        QCOMPARE(again.state().totalSeconds, 0);
        for (int s = 0; s < kSlots; ++s) {
            const int k = again.state().slotEntry[s];
            QVERIFY(k >= 0 && k < leftAfterFirst);
            QCOMPARE(screen.slotViews[s].draw, kept.entries[k].draw);
        }

        // The same rules eliminate: under successes an entry found once before
        // leaves on its second success, one never found stays; under seconds
        // every entry found fast leaves.
        QList<int> answered;
        int leaving = 0;
        if (criterion == Criterion::Seconds) {
            answered = {0, 1, 2};
            leaving = 3;
        } else {
            int fresh = -1;
            for (int s = 0; s < kSlots; ++s) {
                const qint32 found = again.state().entries[again.state().slotEntry[s]].successes;
                if (found == 1) {
                    answered << s;
                    ++leaving;
                } else if (fresh < 0) {
                    fresh = s;
                }
            }
            QVERIFY(leaving > 0 && fresh >= 0);
            answered << fresh;
        }
        answerAndLeave(again, answered);
        again.totalTick();
        again.correct();
        QCOMPARE(again.state().entryCount(), leftAfterFirst - leaving);
        QCOMPARE(again.snapshot().seriesDone, 2);
        QCOMPARE(again.snapshot().secondsTrained, 76);
    }

    void aFreshListStartsItsCostsAtZero() {
        Training t = trainingUnder(Criterion::Successes, "1");
        t.totalTick();
        t.correct();
        t.start(numberedEntries(5));
        QCOMPARE(t.snapshot().seriesDone, 0);
        QCOMPARE(t.snapshot().secondsTrained, 0);
        // Ticks on the launcher, after "Sommaire", are no time spent on the list.
        t.backToLauncher();
        t.totalTick();
        QCOMPARE(t.snapshot().secondsTrained, 0);
        QCOMPARE(t.state().totalSeconds, 1);
    }
};

QTEST_GUILESS_MAIN(TestSnapshot)
#include "core_snapshot.moc"
