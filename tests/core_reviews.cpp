// The schedule of reviews: the reference sequences of ts-fsrs, the grades an
// answer gives, and one review a day.

#include "reviews/grades.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace tirages::reviews;

class CoreReviews : public QObject {
    Q_OBJECT

private slots:
    void matchesTheReferenceSequences();
    void gradesComeFromTheAnswerAndItsSeconds_data();
    void gradesComeFromTheAnswerAndItsSeconds();
    void onlyTheFirstReviewOfADayMovesTheCard();
    void fuzzSpreadsLongIntervalsOnly();
};

QDateTime utc(const QString& iso) {
    return QDateTime::fromString(iso, Qt::ISODateWithMs).toUTC();
}

void CoreReviews::matchesTheReferenceSequences() {
    QFile file(QStringLiteral(TIRAGES_TEST_DATA "/fsrs-vectors.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray sequences = QJsonDocument::fromJson(file.readAll())["sequences"].toArray();
    QVERIFY(sequences.size() >= 200);
    int steps = 0;
    for (qsizetype i = 0; i < sequences.size(); ++i) {
        const QJsonValue sequence = sequences[i];
        Card card;
        for (const QJsonValue& value : sequence["steps"].toArray()) {
            const QJsonObject step = value.toObject();
            const QString where =
                QStringLiteral("sequence %1, review of %2").arg(i).arg(step["at"].toString());
            const Review done =
                review(card, static_cast<Grade>(step["grade"].toInt()), utc(step["at"].toString()));
            card = done.card;
            QVERIFY2(done.scheduled && card.scheduledDays == step["interval"].toInt() &&
                         card.due == utc(step["due"].toString()) &&
                         qAbs(card.stability - step["stability"].toDouble()) < 1e-6 &&
                         qAbs(card.difficulty - step["difficulty"].toDouble()) < 1e-6 &&
                         card.reps == step["reps"].toInt() && card.lapses == step["lapses"].toInt(),
                     qPrintable(where + QStringLiteral(": %1 days, S %2, D %3")
                                            .arg(card.scheduledDays)
                                            .arg(card.stability, 0, 'g', 10)
                                            .arg(card.difficulty, 0, 'g', 10)));
            ++steps;
        }
    }
    QVERIFY(steps > 1000);
}

void CoreReviews::gradesComeFromTheAnswerAndItsSeconds_data() {
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<Grade>("grade");
    QTest::newRow("wrong at once") << false << 0 << Grade::Again;
    QTest::newRow("wrong, slow") << false << 240 << Grade::Again;
    QTest::newRow("right at once") << true << 0 << Grade::Easy;
    QTest::newRow("right in 5 s") << true << 5 << Grade::Easy;
    QTest::newRow("right in 6 s") << true << 6 << Grade::Good;
    QTest::newRow("right in 20 s") << true << 20 << Grade::Good;
    QTest::newRow("right in 21 s") << true << 21 << Grade::Hard;
    QTest::newRow("right after the whole series") << true << 240 << Grade::Hard;
}

void CoreReviews::gradesComeFromTheAnswerAndItsSeconds() {
    QFETCH(bool, right);
    QFETCH(int, seconds);
    QFETCH(Grade, grade);
    QCOMPARE(gradeOf(right, seconds), grade);
}

void CoreReviews::onlyTheFirstReviewOfADayMovesTheCard() {
    const QDateTime morning(QDate(2026, 12, 9), QTime(9, 0));
    const Card first = review(Card{}, Grade::Again, morning).card;
    QCOMPARE(first.due, morning.addDays(1));
    // Later the same day, and with the clock set back a week: recorded only.
    for (const QDateTime& at : {morning.addSecs(14 * 3600), morning.addDays(-7)}) {
        const Review again = review(first, Grade::Easy, at);
        QVERIFY(!again.scheduled);
        QCOMPARE(again.card, first);
        QCOMPARE(again.elapsedDays, 0);
    }
    // Just after midnight is another day.
    const Review next = review(first, Grade::Good, QDateTime(QDate(2026, 12, 10), QTime(0, 5)));
    QVERIFY(next.scheduled);
    QCOMPARE(next.elapsedDays, 1);
    QVERIFY(next.card.due > first.due);
    QCOMPARE(next.card.reps, 2);

    // A card whose memory makes no sense starts again as new.
    Card broken = first;
    broken.stability = std::nan("");
    const Card again = review(broken, Grade::Good, morning.addDays(3)).card;
    QCOMPARE(again.stability, review(Card{}, Grade::Good, morning).card.stability);
    QCOMPARE(again.due, morning.addDays(3 + again.scheduledDays));
}

void CoreReviews::fuzzSpreadsLongIntervalsOnly() {
    const QDateTime at(QDate(2026, 12, 9), QTime(9, 0), Qt::UTC);
    Card card = review(Card{}, Grade::Easy, at).card; // 8 days
    card = review(card, Grade::Easy, card.due).card;
    const qint32 plain = review(card, Grade::Good, card.due).card.scheduledDays;
    QRandomGenerator fuzz(7);
    QSet<qint32> seen;
    for (int i = 0; i < 200; ++i) {
        const qint32 days = review(card, Grade::Good, card.due, &fuzz).card.scheduledDays;
        QVERIFY2(qAbs(days - plain) <= qMax(2, plain / 10), qPrintable(QString::number(days)));
        seen.insert(days);
    }
    QVERIFY(seen.size() > 2);
    // A new question failed comes back the next day, fuzz or not.
    QCOMPARE(review(Card{}, Grade::Again, at, &fuzz).card.scheduledDays, 1);
}

QTEST_GUILESS_MAIN(CoreReviews)
#include "core_reviews.moc"
