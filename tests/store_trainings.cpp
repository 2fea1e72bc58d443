// The store of trainings kept across runs, on a temporary folder: round trips,
// a list file that changed, the schema's migration, and every fault that must
// not hurt the player.

#include "progress/store.h"
#include "support/historysupport.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"
#include "training/training.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tirages;
using namespace tirages::training;
using progress::Store;

namespace {

lists::ListContent words(const QStringList& list) {
    return test::wordEntries(list);
}

#ifndef Q_OS_WIN
// Runs `body` in a child process and returns its exit code: for faults that
// need the process's own limits or user changed.
int inChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}
#endif

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A training begun and kept on `list`, with one series corrected and saved.
Training trainedAndSaved(Store& store, const QString& list, const lists::ListContent& lines) {
    Training t(test::countingSeeds());
    t.start(lines);
    test::KeptList kept{store, list, lines};
    kept.begin(t.snapshot());
    test::answerRight(t, 0);
    t.correct();
    kept.save(t.snapshot(), &t.lastSeries());
    return t;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void keepsSeveralListsAcrossRuns() {
        const QString database = path("several.sqlite");
        QList<TrainingSnapshot> expected;
        {
            const auto store = test::openStore(database);
            QVERIFY(store);
            Training a = trainedAndSaved(*store, "5 lettres", test::numberedEntries(40));
            Training b =
                trainedAndSaved(*store, "/home/moi/mes mots.txt", test::numberedEntries(3));
            Training c = trainedAndSaved(*store, "9 lettres", words({"AB"})); // ends on BRAVO
            // Left with a new criterion: kept without a correction.
            a.switchCriterion();
            a.thresholdEdited("4.5");
            for (int i = 0; i < 61; ++i)
                a.totalTick();
            QVERIFY(test::KeptList({*store, "5 lettres", test::numberedEntries(40)})
                        .save(a.snapshot()));
            expected = {a.snapshot(), b.snapshot(), c.snapshot()};
        }
        const auto again = test::openStore(database);
        const QStringList lists = {"5 lettres", "/home/moi/mes mots.txt", "9 lettres"};
        for (int i = 0; i < 3; ++i) {
            const auto kept = again->trainings().load(test::list(lists[i]));
            QVERIFY(kept);
            QCOMPARE(kept->snapshot, expected[i]);
        }
        const auto summary = again->trainings().summary(test::list("5 lettres"));
        QCOMPARE(summary->entriesLeft, 39);
        QCOMPARE(summary->entriesAtStart, 40);
        QCOMPARE(summary->seriesDone, 1);
        QCOMPARE(summary->secondsTrained, 61);
        QVERIFY(!summary->finished);
        QCOMPARE(again->trainings().load(test::list("5 lettres"))->snapshot.criterion,
                 Criterion::Seconds);
        QVERIFY(again->trainings().summary(test::list("9 lettres"))->finished);
        QVERIFY(!again->trainings().summary(test::list("une autre liste")));

        // Every corrected series and its answers are recorded.
        QCOMPARE(test::valueOf(database, "SELECT count(*) || ' ' || sum(found) || ' ' || sum(shown)"
                                         " FROM series")
                     .toString(),
                 QStringLiteral("3 3 %1").arg(30 + 3 + 1));
        QCOMPARE(test::valueOf(database, "SELECT count(*) || ' ' || sum(correct) FROM answers")
                     .toString(),
                 QStringLiteral("34 3"));

        // "LANCER" on a kept list begins it again, every success forgotten.
        Training fresh(test::countingSeeds());
        fresh.start(test::numberedEntries(40));
        QVERIFY(test::KeptList({*again, "5 lettres", test::numberedEntries(40)})
                    .begin(fresh.snapshot()));
        QCOMPARE(again->trainings().summary(test::list("5 lettres"))->entriesLeft, 40);
        QCOMPARE(again->trainings().summary(test::list("5 lettres"))->seriesDone, 0);
    }

    void aChangedFileKeepsWhatItStillHolds() {
        const auto store = test::openStore(path("changed.sqlite"));
        const lists::ListContent before = words({"A", "B", "C", "D", "E"});
        Training t(test::countingSeeds());
        t.thresholdEdited("2");
        t.start(before);
        test::KeptList kept{*store, "liste", before};
        kept.begin(t.snapshot());
        for (const char* word : {"B", "C"})
            test::answerRight(t, test::slotShowing(t, QString::fromLatin1(word)));
        t.correct();
        t.newSeries();
        test::answerRight(t, test::slotShowing(t, "B"));
        t.correct(); // B leaves on its second success; C has one
        QVERIFY(kept.save(t.snapshot(), &t.lastSeries()));

        const lists::ListContent now = words({"F", "A", "B", "C"});
        const auto loaded = store->trainings().load(test::list("liste"));
        const progress::FileChange change = progress::compareLines(loaded->fileLines, now);
        QCOMPARE(change.added, 1);   // F
        QCOMPARE(change.removed, 2); // D and E
        const TrainingSnapshot merged = progress::mergeWithFile(*loaded, now);
        QStringList left;
        for (const auto& entry : merged.entries)
            left << QStringLiteral("%1:%2@%3").arg(entry.draw).arg(entry.successes).arg(entry.lines.first());
        // In the order of the file now; B stays out, C keeps its success.
        QCOMPARE(left, (QStringList{"F:0@1", "A:0@2", "C:1@4"}));
        QCOMPARE(merged.seriesDone, 2);
        QVERIFY(!progress::compareLines(before, before).any());
    }

    // A question of three words is kept as its three lines. A training kept
    // line by line by an earlier version takes the lowest success count of a
    // draw's lines; each word is a card of the memory, and a draw comes back
    // to be reviewed with all its words when one of them is due.
    void aDrawOfSeveralWordsIsKeptLineByLine() {
        const QString database = path("several-words.sqlite");
        const auto store = test::openStore(database);
        const lists::ListContent lines{
            {"ACERT", "CARTE"}, {"ACERT", "ECART"}, {"ABERR", "ARBRE"}, {"ACERT", "TRACE"}};
        Training t(test::countingSeeds());
        t.thresholdEdited("3");
        t.start(lines);
        test::KeptList kept{*store, "mots", lines};
        QVERIFY(kept.begin(t.snapshot()));
        QCOMPARE(test::execute(database, {"UPDATE entries SET reussites = line % 3"}), QString());
        const auto before = store->trainings().load(test::list("mots"));
        QCOMPARE(before->snapshot.entries.size(), 2);
        // The launcher counts words.
        QCOMPARE(before->summary.entriesLeft, 4);
        QCOMPARE(before->snapshot.entries[0],
                 (Question{"ACERT", {"CARTE", "ECART", "TRACE"}, {1, 2, 4}, 1, false}));

        Training again(test::countingSeeds());
        again.resume(before->snapshot);
        const int acert = test::slotShowing(again, "TRACE");
        again.answerFocused(acert);
        for (int i = 0; i < 12; ++i)
            again.countdownTick();
        again.answerEdited(acert, "TRACE ECART CRATE");
        again.correct();
        const SeriesRecord first = again.lastSeries();
        again.newSeries();
        test::answerRight(again, test::slotShowing(again, "TRACE"));
        test::answerRight(again, test::slotShowing(again, "ARBRE"));
        again.correct(); // ACERT found a second time: two successes, still in
        kept.base = before->summary.revision;
        QVERIFY(kept.put(again.snapshot(), {first, again.lastSeries()}, false));
        QCOMPARE(test::valueOf(database, "SELECT group_concat(line || ':' || reussites || ':' ||"
                                         " left_in, ' ') FROM entries ORDER BY line"),
                 QVariant("1:2:1 2:2:1 3:1:1 4:2:1"));
        // Each word a review of its own: found in 12 s among three words typed,
        // 4 s each (« Facile »); missed, « À revoir ».
        QCOMPARE(test::valueOf(database, "SELECT count(*) FROM reviews"), QVariant(8));
        const auto gradesOf = [&](const char* word) {
            QList<reviews::Grade> grades;
            for (const auto& review : store->memory().reviewLog({"ACERT", word}))
                grades << review.grade;
            return grades;
        };
        using reviews::Grade;
        QCOMPARE(gradesOf("TRACE"), (QList<Grade>{Grade::Easy, Grade::Easy}));
        QCOMPARE(gradesOf("CARTE"), (QList<Grade>{Grade::Again, Grade::Easy}));

        // A word of the hardest brings the others of its draw; one word due too.
        QCOMPARE(store->memory().withTheirDraws({{"ACERT", "TRACE"}}),
                 (lists::ListContent{{"ACERT", "TRACE"}, {"ACERT", "CARTE"}, {"ACERT", "ECART"}}));
        QCOMPARE(test::execute(database, {"UPDATE cards SET due = 0 WHERE solution = 'ECART'"}),
                 QString());
        QCOMPARE(store->memory().dueQuestions(QDateTime::currentDateTimeUtc()),
                 (lists::ListContent{{"ACERT", "CARTE"}, {"ACERT", "ECART"}, {"ACERT", "TRACE"}}));
    }

    void migratesFromTheFirstVersion() {
        const QString database = path("version1.sqlite");
        // The database as the first version of the schema left it.
        QCOMPARE(test::execute(
                     database,
                     {"CREATE TABLE trainings (list TEXT PRIMARY KEY, criterion INTEGER NOT NULL,"
                      " threshold TEXT NOT NULL, series_done INTEGER NOT NULL,"
                      " seconds_trained INTEGER NOT NULL, entries_at_start INTEGER NOT NULL,"
                      " started TEXT NOT NULL, updated TEXT NOT NULL, finished TEXT,"
                      " revision INTEGER NOT NULL)",
                      "CREATE TABLE entries (list TEXT NOT NULL, line INTEGER NOT NULL,"
                      " draw TEXT NOT NULL, solution TEXT NOT NULL, reussites INTEGER NOT NULL,"
                      " left_in INTEGER NOT NULL, PRIMARY KEY (list, line)) WITHOUT ROWID",
                      "INSERT INTO trainings VALUES ('5 lettres', 1, '7', 4, 600, 2,"
                      " '2026-12-01T10:00:00', '2026-12-01T11:00:00', NULL, 5)",
                      "INSERT INTO entries VALUES ('5 lettres', 1, 'ABERR', 'ARBRE', 0, 0)",
                      "INSERT INTO entries VALUES ('5 lettres', 2, 'ABELT', 'TABLE', 3, 1)",
                      "PRAGMA user_version = 1"}),
                 QString());

        const auto store = test::openStore(database);
        QVERIFY(store);
        const auto kept = store->trainings().load(test::list("5 lettres"));
        QVERIFY(kept);
        QCOMPARE(kept->snapshot.entries.size(), 1);
        QCOMPARE(kept->snapshot.entries[0].successes, 3);
        QCOMPARE(kept->snapshot.criterion, Criterion::Seconds);
        QCOMPARE(kept->snapshot.threshold, QStringLiteral("7"));
        // Its times, written in the player's time, as seconds since.
        QCOMPARE(test::valueOf(database, "SELECT started FROM trainings").toLongLong(),
                 QDateTime(QDate(2026, 12, 1), QTime(10, 0)).toSecsSinceEpoch());
        // The new version's tables take the series.
        Training t(test::countingSeeds());
        t.resume(kept->snapshot);
        t.correct();
        QVERIFY((test::KeptList{*store, "5 lettres", kept->fileLines, kept->summary.revision}.save(
            t.snapshot(), &t.lastSeries())));
        QCOMPARE(store->trainings().summary(test::list("5 lettres"))->seriesDone, 5);
        // And the player's choices, kept across runs.
        QCOMPARE(store->preferences().value("list_folder"), QString());
        QVERIFY(store->preferences().set("list_folder", "/home/moi/listes"));
        QVERIFY(store->preferences().set("list_folder", "/home/moi/mes listes"));
        QCOMPARE(test::openStore(database)->preferences().value("list_folder"),
                 QStringLiteral("/home/moi/mes listes"));
    }

    // The last version kept times as text in the player's time and the
    // reviews under their caption: a history taken back to it comes back the same.
    void migratesTimesToSeconds() {
        const QString database = path("version5.sqlite");
        {
            const auto store = test::openStore(database);
            QVERIFY(test::fillHistory(*store));
            QVERIFY(store->trainings().record(
                lists::ListId::of(lists::ListId::Kind::Reviews),
                {test::series(test::at(9, 11, 30), 20, 0, {{test::kCible, true, 4}})},
                test::at(9, 11, 30)));
        }
        const QStringList now = test::tablesOf(database);
        const QString text = "strftime('%Y-%m-%dT%H:%M:%S.000', %1, 'unixepoch', 'localtime')";
        QCOMPARE(
            test::execute(
                database,
                QStringList{
                    "CREATE TABLE t5 (list TEXT PRIMARY KEY, criterion INTEGER NOT NULL,"
                    " threshold TEXT NOT NULL, series_done INTEGER NOT NULL,"
                    " seconds_trained INTEGER NOT NULL, entries_at_start INTEGER NOT NULL,"
                    " started TEXT NOT NULL, updated TEXT NOT NULL, finished TEXT,"
                    " revision INTEGER NOT NULL)",
                    "INSERT INTO t5 SELECT list, criterion, threshold, series_done, "
                    "seconds_trained,"
                    " entries_at_start, " +
                        text.arg("started") + ", " + text.arg("updated") + ", " +
                        text.arg("finished") + ", revision FROM trainings",
                    "DROP TABLE trainings", "ALTER TABLE t5 RENAME TO trainings",
                    "CREATE TABLE s5 (id INTEGER PRIMARY KEY, list TEXT NOT NULL, corrected TEXT "
                    "NOT"
                    " NULL, found INTEGER NOT NULL, shown INTEGER NOT NULL, seconds_used INTEGER "
                    "NOT"
                    " NULL, criterion INTEGER NOT NULL, threshold TEXT NOT NULL, words_left "
                    "INTEGER)",
                    "INSERT INTO s5 SELECT id, replace(list, 'memory:reviews', 'Révisions'), " +
                        text.arg("corrected") +
                        ", found, shown, seconds_used, criterion, threshold,"
                        " words_left FROM series",
                    "DROP TABLE series", "ALTER TABLE s5 RENAME TO series",
                    "CREATE INDEX series_by_list ON series (list, corrected)",
                    "PRAGMA user_version = 5"}),
            QString());
        QVERIFY(test::tablesOf(database) != now);
        QVERIFY(test::openStore(database));
        QCOMPARE(test::tablesOf(database), now);
    }

    void aDatabaseThatCannotBeUsedIsSaidAndTouchedNot() {
#ifdef Q_OS_WIN
        QSKIP("a process of another user: POSIX only");
#else
        // A folder in its place.
        QDir().mkpath(path("folder.sqlite"));
        const auto folder = Store::open(path("folder.sqlite"), test::systemNow);
        QVERIFY(!folder);
        QVERIFY(folder.why().startsWith("Les entraînements ne pourront pas être gardés"));

        // A schema newer than the program: left as it is.
        const QString newer = path("newer.sqlite");
        { const auto store = test::openStore(newer); }
        QCOMPARE(test::execute(newer, {"PRAGMA user_version = 99"}), QString());
        const QByteArray before = bytesOf(newer);
        {
            const auto store = Store::open(newer, test::systemNow);
            QVERIFY(!store);
            QVERIFY(store.why().contains("version plus récente"));
        }
        QCOMPARE(bytesOf(newer), before);

        // No permission to write its folder.
        const QString locked = path("locked");
        QDir().mkpath(locked);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
        const int denied = inChild([&] {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                return 3;
            const auto store = Store::open(locked + "/tirages.sqlite", test::systemNow);
            return !store && !store.why().isEmpty() ? 0 : 1;
        });
        QCOMPARE(denied, 0);
    #endif
    }

    void aDamagedFileIsSetAsideAndANewOneBegun() {
        const QString database = path("damaged.sqlite");
        QByteArray garbage(8192, 'x');
        garbage.prepend("these bytes are no database at all\n");
        QFile file(database);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(garbage);
        file.close();

        const auto store = test::openStore(database);
        QVERIFY(store);
        QVERIFY(store->notice().contains("mis de côté"));
        const QStringList aside =
            QDir(m_dir.path()).entryList({"damaged-abime-*.sqlite"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(bytesOf(m_dir.filePath(aside[0])), garbage);
        QVERIFY(store->notice().contains(aside[0]));
        Training t = trainedAndSaved(*store, "liste", test::numberedEntries(5));
        QCOMPARE(store->trainings().load(test::list("liste"))->snapshot, t.snapshot());
    }

    // A save that fails (the disk refuses every write) costs the training
    // nothing and leaves what was saved before whole.
    void aFailedSaveLeavesTheLastOneWhole() {
#ifdef Q_OS_WIN
        QSKIP("a process with a file size limit: POSIX only");
#else
        const QString database = path("full.sqlite");
        QByteArray savedBefore;
        {
            const auto store = test::openStore(database);
            Training t = trainedAndSaved(*store, "liste", test::numberedEntries(40));
            savedBefore = test::digest(t.snapshot());
        }
        const int result = inChild([&]() -> int {
            const auto store = test::openStore(database);
            Training t(test::countingSeeds());
            t.resume(store->trainings().load(test::list("liste"))->snapshot);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit none{0, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &none);
            for (int s = 0; s < 5; ++s)
                test::answerRight(t, s);
            t.correct();
            const auto kept = store->trainings().load(test::list("liste"));
            test::KeptList saver{*store, "liste", kept->fileLines, kept->summary.revision};
            const bool saved = saver.save(t.snapshot(), &t.lastSeries());
            // The training goes on whatever the disk does.
            t.newSeries();
            const bool goesOn = t.screen().correctEnabled && t.state().entryCount() == 34;
            return !saved && !saver.why.isEmpty() && goesOn ? 0 : 1;
        });
        QCOMPARE(result, 0);
        QCOMPARE(test::integrityOf(database), QStringLiteral("ok"));
        const auto store = test::openStore(database);
        QCOMPARE(test::digest(store->trainings().load(test::list("liste"))->snapshot), savedBefore);
#endif
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "store_trainings.moc"
