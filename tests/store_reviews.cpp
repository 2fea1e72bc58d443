// The memory of questions in the store: cards and their log kept with the
// series they come from, the questions due, and the answers recorded before
// the memory existed replayed into the same cards as live reviews.

#include "progress/store.h"
#include "reviews/grades.h"
#include "support/progresssupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using progress::Store;
using reviews::Grade;

namespace {

struct Answered {
    const char* draw;
    const char* expected;
    bool right;
    qint32 seconds;
};

SeriesRecord series(const QDateTime& at, std::initializer_list<Answered> answers) {
    SeriesRecord record;
    record.at = at;
    for (const Answered& a : answers) {
        const lists::Entry entry{QString::fromUtf8(a.draw), QString::fromUtf8(a.expected)};
        record.answers.append(
            {entry, 1, a.right ? QString::fromUtf8(a.expected) : QString(), a.right, a.seconds});
    }
    return record;
}

QDateTime day(int d, int hour) {
    return QDateTime(QDate(2026, 12, d), QTime(hour, 0));
}

// Every row of the tables, in order, as text.
QStringList rowsOf(const QString& path, const QStringList& tables) {
    return test::tablesOf(path, tables, false).mid(1);
}

const lists::Entry kArbre{"ABERR", "ARBRE"};
const lists::Entry kTable{"ABELT", "TABLE"};
const lists::Entry kCible{"BCEIL", "CIBLE"};

} // namespace

class StoreReviews : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // The same answers, given over four days in two lists, with a clock set
    // back once.
    void answerOverFourDays(Store& store) {
        QVERIFY(store.trainings().record(test::list("5 lettres"),
                                         {series(day(9, 10), {{"ABERR", "ARBRE", false, 3},
                                                              {"ABELT", "TABLE", true, 3},
                                                              {"BCEIL", "CIBLE", true, 30}})},
                                         day(9, 10)));
        // The same day: recorded, not scheduled.
        QVERIFY(store.trainings().record(test::list("5 lettres"),
                                         {series(day(9, 15), {{"ABERR", "ARBRE", true, 2}})},
                                         day(9, 15)));
        // In another list: the same question; kept a day late, after its save
        // failed, and dated when it was corrected.
        QVERIFY(store.trainings().record(test::list("mes mots"),
                                         {series(day(10, 9), {{"ABERR", "ARBRE", true, 12}})},
                                         day(11, 9)));
        // A clock set back a week.
        QVERIFY(store.trainings().record(test::list("mes mots"),
                                         {series(day(3, 9), {{"ABERR", "ARBRE", false, 4}})},
                                         day(3, 9)));
        QVERIFY(store.trainings().record(
            test::list("5 lettres"),
            {series(day(12, 20), {{"ABERR", "ARBRE", true, 8}, {"BCEIL", "CIBLE", false, 50}})},
            day(12, 20)));
    }

private slots:
    void cardsAndTheirLogRoundTrip() {
        const auto store = test::openStore(m_dir.filePath("round.sqlite"));
        answerOverFourDays(*store);

        // The card is the one the scheduler makes of the reviews that count.
        reviews::Card arbre = reviews::review({}, Grade::Again, day(9, 10)).card;
        arbre = reviews::review(arbre, Grade::Good, day(10, 9)).card;
        arbre = reviews::review(arbre, Grade::Good, day(12, 20)).card;
        QCOMPARE(store->memory().card(kArbre), arbre);
        QCOMPARE(store->memory().reviewLog(kArbre),
                 (QList<progress::LoggedReview>{{day(9, 10), Grade::Again, 0, true},
                                                {day(9, 15), Grade::Easy, 0, false},
                                                {day(10, 9), Grade::Good, 1, true},
                                                {day(3, 9), Grade::Again, 0, false},
                                                {day(12, 20), Grade::Good, 2, true}}));
        QCOMPARE(store->memory().card(kTable)->due, day(9, 10).addDays(8)); // easy at first sight
        QCOMPARE(store->memory().card(kCible)->lapses, 1);
        QVERIFY(!store->memory().card({"AEMRT", "MARTE"}));

        // Due: CIBLE failed on the 12th, back on the 13th; TABLE on the 17th;
        // ARBRE, good twice, on the 18th (as ts-fsrs schedules it).
        QCOMPARE(store->memory().dueCount(day(12, 23)), 0);
        QCOMPARE(store->memory().dueCount(day(13, 23)), 1);
        QCOMPARE(store->memory().dueQuestions(day(13, 23)), lists::ListContent{kCible});
        QCOMPARE(store->memory().dueQuestions(day(18, 21)),
                 (lists::ListContent{kCible, kTable, kArbre}));
        QCOMPARE(store->memory().dueCount(day(18, 21)), 3);
    }

    // A player of the last version finds the memory their answers make.
    void theRecordedAnswersAreReplayedOnceInTheMigration() {
        const QString live = m_dir.filePath("live.sqlite");
        const QString old = m_dir.filePath("old.sqlite");
        {
            const auto store = test::openStore(live);
            answerOverFourDays(*store);
            // A kept training's series count too.
            const lists::ListContent lines{kTable, kCible};
            TrainingSnapshot training{
                {test::oneWord(kTable, 1), test::oneWord(kCible, 2)}, {}, "1", 0, 0};
            test::KeptList kept{*store, "deux", lines};
            QVERIFY(kept.begin(training));
            training.seriesDone = 1;
            const SeriesRecord record =
                series(day(20, 8), {{"ABELT", "TABLE", true, 25}, {"BCEIL", "CIBLE", true, 1}});
            QVERIFY(kept.save(training, &record));
        }
        QVERIFY(QFile::copy(live, old));
        QCOMPARE(test::execute(old, {"DROP TABLE reviews", "DROP TABLE cards",
                                     "ALTER TABLE series DROP COLUMN words_left",
                                     "PRAGMA user_version = 3"}),
                 QString());

        const QStringList tables{"cards", "reviews"};
        const QStringList expected = rowsOf(live, tables);
        QCOMPARE(expected.size(), 3 + 10);
        QVERIFY(test::openStore(old));
        QCOMPARE(rowsOf(old, tables), expected);
        // Once: the next start finds it up to date.
        QVERIFY(test::openStore(old));
        QCOMPARE(rowsOf(old, tables), expected);
    }
};

QTEST_GUILESS_MAIN(StoreReviews)
#include "store_reviews.moc"
