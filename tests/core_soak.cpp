// Long plays through the training core: a full list played to its end under
// each criterion with random answers, and twelve hours of clock ticks.

#include "support/testsupport.h"
#include "training/rules.h"
#include "training/training.h"

#include <QtTest>
#include <optional>
#include <random>
#include <set>

using namespace tirages;
using namespace tirages::training;

namespace {

constexpr int kEntries = 10000;

struct Play {
    QString criterion; // "r" or "s"
    QString threshold;
    quint64 seed;
};

// The positions of `before` that `after` lacks, when `after` is `before` with
// some entries taken out in order; nullopt otherwise.
std::optional<QList<qsizetype>> removedFrom(const QStringList& before, const QStringList& after) {
    QList<qsizetype> removed;
    qsizetype j = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (j < after.size() && after[j] == before[i])
            ++j;
        else
            removed.append(i);
    }
    if (j != after.size())
        return std::nullopt;
    return removed;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void aFullListIsPlayedToItsEnd_data() {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<quint64>("seed");
        QTest::newRow("successes, 1") << "r"
                                      << "1" << quint64{11};
        QTest::newRow("successes, 2") << "r"
                                      << "2" << quint64{12};
        QTest::newRow("seconds, 5") << "s"
                                    << "5" << quint64{13};
    }
    void aFullListIsPlayedToItsEnd() {
        QFETCH(QString, criterion);
        QFETCH(QString, threshold);
        QFETCH(quint64, seed);

        std::mt19937_64 player(seed);
        auto chance = [&player](double p) {
            return std::uniform_real_distribution<double>(0, 1)(player) < p;
        };
        Training t([&player] { return player(); });
        if (criterion == "s")
            t.switchCriterion();
        t.thresholdEdited(threshold);
        t.start(test::numberedEntries(kEntries));

        int series = 0;
        while (t.state().entryCount() > 0) {
            QVERIFY2(++series < 20000, "the list never ends");
            const TrainingState& s = t.state();
            const int shown = std::min(s.entryCount(), 30);

            // The series shows distinct entries in its first slots only.
            std::set<int> entries;
            for (int slot = 0; slot < kSlots; ++slot) {
                if (slot < shown) {
                    QVERIFY(s.slotEntry[slot] >= 0 && s.slotEntry[slot] < s.entryCount());
                    entries.insert(s.slotEntry[slot]);
                } else {
                    QCOMPARE(s.slotEntry[slot], -1);
                }
                QCOMPARE(s.verdicts[slot], FastVerdict::NotJudged);
            }
            QCOMPARE(static_cast<int>(entries.size()), shown);

            // The player answers every slot, right about half of the time,
            // taking 0 to 8 seconds a word.
            std::set<QString> found;
            for (int slot = 0; slot < shown; ++slot) {
                t.answerFocused(slot);
                for (int tick = std::uniform_int_distribution<int>(0, 8)(player); tick > 0; --tick)
                    t.stopwatchTick();
                const QString word = s.entries[s.slotEntry[slot]].words.join(u' ');
                if (chance(0.5)) {
                    t.answerEdited(slot, word);
                    found.insert(word);
                } else if (chance(0.5)) {
                    t.answerEdited(slot, word.left(1));
                }
            }
            t.otherControlFocused();

            const QStringList before = s.expectedWords();
            const QList<qint32> counts = s.successCounts();
            if (chance(0.1)) {
                while (t.screen().correctEnabled)
                    t.countdownTick();
            } else {
                t.correct();
            }

            // The list only shrinks, in order, by entries this series found.
            QVERIFY(s.entryCount() <= before.size());
            QCOMPARE(s.draws().size(), s.entryCount());
            const auto removed = removedFrom(before, s.expectedWords());
            QVERIFY(removed);
            for (qsizetype k : *removed) {
                QVERIFY2(found.count(before[k]), qPrintable(before[k]));
                if (criterion == "r")
                    QCOMPARE(counts[k] + 1, threshold.toInt());
            }
            if (criterion == "r" && threshold == "1")
                QCOMPARE(removed->size(), static_cast<qsizetype>(found.size()));
            // What stays has fewer successes than the threshold; under the
            // seconds criterion successes are not counted.
            for (const qint32 count : s.successCounts())
                QVERIFY(count >= 0 && count < (criterion == "r" ? threshold.toInt() : 1));
            QCOMPARE(t.screen().score, QStringLiteral("%1/%2").arg(found.size()).arg(shown));

            if (s.entryCount() > 0) {
                QVERIFY(t.screen().newSeriesEnabled);
                t.newSeries();
            }
        }
        QVERIFY(!t.screen().newSeriesEnabled && !t.state().isRunning(Timer::Total));
        QCOMPARE(t.screen().tiles[1].caption, QStringLiteral("B"));
        qInfo("%d series played", series);
    }

    void twelveHoursOfTicks() {
        Training t(test::countingSeeds());
        t.start(test::numberedEntries(40));
        for (int second = 1; second <= 12 * 3600; ++second) {
            t.totalTick();
            if (second % 599 == 0 || second % 3600 == 0) {
                const QString expected = QString::asprintf("%d:%02d:%02d", second / 3600,
                                                           (second / 60) % 60, second % 60);
                QCOMPARE(t.screen().totalShown, expected);
            }
        }
        QCOMPARE(t.screen().totalShown, QStringLiteral("12:00:00"));
        QCOMPARE(t.state().totalSeconds, 43200);
    }
};

QTEST_GUILESS_MAIN(TestSoak)
#include "core_soak.moc"
