// What happens between the screens, without a window: the launcher's line and
// « Continuer », the question before "LANCER", and every save of a training,
// on a real database in a temporary folder, held by another connection when a
// save is to fail.

#include "session/farewell.h"
#include "session/sittings.h"
#include "support/progresssupport.h"
#include "support/sittingsupport.h"
#include "support/testsupport.h"
#include "training/training.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tirages;
using namespace tirages::training;
using session::Sittings;
using test::Program;

namespace {

using test::Holder;

qint64 seriesRecorded(const QString& database) {
    return test::valueOf(database, "SELECT count(*) FROM series").toLongLong();
}

#ifndef Q_OS_WIN
// Runs `body` in a child process that is no longer root, and returns its exit code.
int asAnotherUser(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}
#endif

} // namespace

class TestSittings : public QObject {
    Q_OBJECT

private:
    QString m_database;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<test::WorkingFolder> m_cwd;

private slots:
    void init() {
        m_data = std::make_unique<QTemporaryDir>();
        m_database = m_data->filePath("tirages.sqlite");
        m_cwd = std::make_unique<test::WorkingFolder>();
        m_cwd->write("liste.txt", test::numberedList(40));
    }
    void cleanup() {
        m_cwd.reset();
        m_data.reset();
    }

    // A save refused while another program holds the database, at each moment
    // a training is saved; once it is free again, what is kept is exactly the
    // training in memory, every word with its own counts, and every series is
    // in the history.
    void aSaveRefusedCostsNothingOnceTheDatabaseIsFree_data() {
        QTest::addColumn<QString>("held");
        for (const char* moment : {"lancer", "continuer", "correction", "sommaire"})
            QTest::newRow(moment) << moment;
    }
    void aSaveRefusedCostsNothingOnceTheDatabaseIsFree() {
        QFETCH(QString, held);
        Program p(m_database);
        if (held == "continuer") {
            QVERIFY(p.lancer("liste.txt"));
            p.correct(5);
            p.sommaire();
            // The file changes: « Continuer » writes the training whole again.
            m_cwd->write("liste.txt", test::numberedList(45).mid(test::numberedList(3).size()));
        }
        std::optional<Holder> holder;
        if (held == "lancer" || held == "continuer")
            holder.emplace(m_database);
        QVERIFY(held == "continuer" ? p.continuer("liste.txt") : p.lancer("liste.txt"));
        if (held == "correction")
            holder.emplace(m_database);
        p.correct(7);
        if (held == "sommaire")
            holder.emplace(m_database);
        p.sommaire();
        QVERIFY(p.sittings.pending());
        QVERIFY(p.sittings.view().message.startsWith("Les dernières séries ne sont pas encore"));
        QVERIFY(p.sittings.view().message.contains("occupé par un autre programme"));
        QVERIFY(p.continuer("liste.txt"));
        holder.reset();
        p.correct(3);
        p.correct(30);
        QVERIFY(!p.sittings.pending());
        const auto store = test::openStore(m_database);
        const auto kept =
            store->trainings().load(test::list(QDir::current().absoluteFilePath("liste.txt")));
        QVERIFY(kept);
        QCOMPARE(kept->snapshot, p.training.snapshot());
        QCOMPARE(kept->summary.entriesLeft, p.training.state().entryCount());
        QCOMPARE(seriesRecorded(m_database), held == "continuer" ? 4 : 3);
    }

    // A save that did not go through is tried again, without a series more;
    // the program's end tries once more.
    void aPendingSaveIsWrittenWhenTried() {
        Program p(m_database);
        QVERIFY(p.lancer("liste.txt"));
        {
            Holder holder(m_database);
            p.correct(10);
            p.sittings.retry();
            QVERIFY(p.sittings.pending());
            p.sommaire();
            QVERIFY(p.sittings.view().message.startsWith("Les dernières séries ne sont pas"));
        }
        p.sittings.retry();
        QVERIFY(!p.sittings.pending());
        QCOMPARE(p.sittings.view().message, QString()); // no longer so
        const auto store = test::openStore(m_database);
        QCOMPARE(store->trainings()
                     .summary(test::list(QDir::current().absoluteFilePath("liste.txt")))
                     ->entriesLeft,
                 30);
        // The program's end says nothing when everything is kept, and what is
        // still not kept otherwise.
        QVERIFY(p.sittings.end().isEmpty());
        Holder holder(m_database);
        p.correct(10);
        QCOMPARE(p.sittings.end(), QStringLiteral("Les dernières séries n'ont pas pu être gardées"
                                                  " : le fichier des entraînements est occupé"
                                                  " par un autre programme."));
    }

    // One program at a time trains a list; the other is told so.
    void aListTrainedElsewhereIsRefused() {
        m_cwd->write("autre.txt", test::numberedList(5));
        m_cwd->write("trois.txt", test::numberedList(3));
        Program one(m_database);
        Program two(m_database);
        QVERIFY(one.lancer("liste.txt"));
        one.correct(1);
        two.sittings.listNamed("liste.txt");
        QVERIFY(!two.sittings.restartQuestion()); // nothing to forget: it is refused at once
        QVERIFY(!two.lancer("liste.txt"));
        QCOMPARE(two.sittings.view().message,
                 QStringLiteral("La liste « liste.txt » est déjà ouverte dans un autre tirages :"
                                " choisissez une autre liste, ou quittez l'autre tirages."));
        QVERIFY(two.lancer("autre.txt"));
        // Once the first has moved on to another list, the second may take it.
        QVERIFY(!one.lancer("autre.txt"));
        one.correct(4);
        QVERIFY(one.lancer("trois.txt"));
        QVERIFY(two.continuer("liste.txt"));
        QCOMPARE(two.training.state().entryCount(), 35);
    }

    // A training with no series corrected has nothing to lose: no line, no
    // « Continuer », no question. Once a series is corrected, all three.
    void nothingToLoseNothingAsked() {
        Program p(m_database);
        QVERIFY(p.lancer("liste.txt"));
        p.sommaire();
        p.sittings.listNamed("liste.txt");
        QCOMPARE(p.sittings.view().progress, QString());
        QVERIFY(!p.sittings.view().continueShown);
        QVERIFY(!p.sittings.restartQuestion());
        QVERIFY(p.lancer("liste.txt"));
        p.correct(1);
        p.sommaire();
        QCOMPARE(p.line(), QStringLiteral("En cours : 39 mots restants sur 40 · 1 série · 0 min"));
        QVERIFY(p.sittings.view().continueShown);
        QCOMPARE(*p.sittings.restartQuestion(),
                 QStringLiteral("Recommencer « liste.txt » ? Les 39 mots restants et leurs"
                                " réussites seront oubliés."));
    }

    // Words missed come back to « Réviser » on the days after; answered right
    // there, they leave the reviews. The review training itself is not kept.
    void missedWordsComeBackToBeReviewed() {
        m_cwd->write("cinq.txt", test::numberedList(5));
        Program p(m_database);
        QCOMPARE(p.sittings.view().reviews, QString());
        QVERIFY(p.lancer("cinq.txt"));
        p.correct(2);
        QStringList missed;
        for (const SeriesRecord::Answer& answer : p.training.lastSeries().answers) {
            if (!answer.right)
                missed << answer.word.expected;
        }
        p.sommaire();
        QCOMPARE(p.sittings.view().reviews, QString()); // due tomorrow
        QVERIFY(!p.sittings.review());

        p.now = test::kNow.addDays(2);
        QCOMPARE(p.sittings.view().reviews, QStringLiteral("Révisions : 3 mots à revoir aujourd'hui"));
        const auto due = p.sittings.review();
        QVERIFY(due);
        QStringList reviewed;
        for (const lists::Entry& entry : due->entries)
            reviewed << entry.expected;
        reviewed.sort();
        missed.sort();
        QCOMPARE(reviewed, missed);
        p.training.start(due->entries);
        p.sittings.started(p.training.snapshot());
        p.correct(2);
        QCOMPARE(p.sittings.view().reviews, QString()); // the one missed again: tomorrow
        p.sommaire();
        QCOMPARE(seriesRecorded(m_database), 2);
        p.sittings.listNamed(QStringLiteral("Révisions"));
        QVERIFY(!p.sittings.continueTraining());
        QVERIFY(!test::openStore(m_database)
                     ->trainings()
                     .summary(lists::ListId::of(lists::ListId::Kind::Reviews)));
        // The next day, only the one missed again.
        p.now = test::kNow.addDays(3);
        QCOMPARE(p.sittings.view().reviews, QStringLiteral("Révisions : 1 mot à revoir aujourd'hui"));
        QCOMPARE(p.sittings.review()->entries.size(), 1);
    }

    void theQuestionReadsAsFrenchDoes_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("question");
        QTest::newRow("one") << 2 << "Le mot restant et ses réussites seront oubliés.";
        QTest::newRow("many") << 1235 << "Les 1\u202F234 mots restants et leurs réussites seront oubliés.";
    }
    void theQuestionReadsAsFrenchDoes() {
        QFETCH(int, entries);
        QFETCH(QString, question);
        m_cwd->write("n.txt", test::numberedList(entries));
        Program p(m_database);
        QVERIFY(p.lancer("n.txt"));
        p.correct(1);
        p.sommaire();
        QCOMPARE(*p.sittings.restartQuestion(), "Recommencer « n.txt » ? " + question);
    }

    // The hidden screen corrects its series and ends the list: the launcher
    // shows what is kept now.
    void theLineFollowsTheHiddenScreen() {
        m_cwd->write("deux.txt", "AB;AB\r\nCD;CD\r\n");
        Program p(m_database);
        QVERIFY(p.lancer("deux.txt"));
        p.correct(1);
        test::answerRight(p.training, 0);
        p.sommaire();
        QVERIFY(p.line().startsWith("En cours : 1 mot restant sur 2 · 1 série"));
        for (int tick = 0; tick < kSeriesSeconds; ++tick)
            p.training.countdownTick();
        p.sittings.corrected(p.training.snapshot(), p.training.lastSeries());
        QCOMPARE(p.line(), QStringLiteral("Terminée le 9 décembre 2026 · 2 séries · 0 min"));
        QVERIFY(!p.sittings.view().continueShown);
        QVERIFY(!p.sittings.restartQuestion());
        QVERIFY(!p.sittings.continueTraining());
    }

    // A list with nothing to train is kept neither begun nor finished.
    void aListWithNothingToTrainIsNotKept_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("empty draws") << QByteArray(";AB\r\n;CD\r\n");
    }
    void aListWithNothingToTrainIsNotKept() {
        QFETCH(QByteArray, bytes);
        m_cwd->write("vide.txt", bytes);
        Program p(m_database);
        QVERIFY(p.lancer("vide.txt"));
        p.sommaire();
        QVERIFY(p.lancer("vide.txt"));
        p.correct(0);
        p.sommaire();
        QCOMPARE(p.line(), QString());
        QVERIFY(!test::openStore(m_database)
                     ->trainings()
                     .summary(test::list(QDir::current().absoluteFilePath("vide.txt"))));
    }

    void aFinishedListAChangedFileAndAFileGone() {
        m_cwd->write("un.txt", "AB;AB\r\n");
        m_cwd->write("deux.txt", "AB;AB\r\nCD;CD\r\n");
        Program p(m_database);
        QVERIFY(p.lancer("un.txt"));
        p.correct(1); // " BRAVO! "
        p.sommaire();
        QCOMPARE(p.line(), QStringLiteral("Terminée le 9 décembre 2026 · 1 série · 0 min"));
        QVERIFY(!p.sittings.view().continueShown);
        QVERIFY(!p.sittings.restartQuestion());

        // Another program takes the file up after it changed.
        QVERIFY(p.lancer("deux.txt"));
        p.correct(0);
        p.sommaire();
        QVERIFY(p.lancer("un.txt"));
        m_cwd->write("deux.txt", "AB;AB\r\nEF;EF\r\nGH;GH\r\n");
        auto other = std::make_unique<Program>(m_database);
        other->sittings.listNamed("deux.txt");
        QVERIFY(other->line().endsWith(
            "\nLa liste a changé : 2 mots ajoutés, 1 retiré depuis le début."));
        // The list box changes: the file is read once for each version of it.
        const QString path = m_cwd->path() + "/deux.txt";
        const QDateTime written = QFileInfo(path).lastModified();
        m_cwd->write("deux.txt", "XY;XY\r\nEF;EF\r\nGH;GH\r\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();
        other->sittings.listNamed("un.txt");
        other->sittings.listNamed("deux.txt");
        QVERIFY(other->line().contains("2 mots ajoutés, 1 retiré"));
        m_cwd->write("deux.txt", "AB;AB\r\nEF;EF\r\nGH;GH\r\n");
        QVERIFY(other->continuer("deux.txt"));
        QCOMPARE(other->training.state().draws(), (QStringList{"AB", "EF", "GH"}));
        other.reset();

        // A file that cannot be read any more: the kept entries are trained.
        QFile::remove("deux.txt");
        Program third(m_database);
        third.sittings.listNamed("deux.txt");
        QVERIFY(third.line().contains("ne peut plus être lu"));
        QVERIFY(third.continuer("deux.txt"));
        QCOMPARE(third.training.state().entryCount(), 3);
    }

    // A database that cannot be written is said at start, in the words of
    // the real cause, and nothing is offered as if it could keep.
    void whatCannotBeKeptIsSaidAtStart_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("file read only") << "file" << "le fichier « %1 » ne peut pas être écrit";
        QTest::newRow("folder read only") << "folder" << "le dossier « %1 » ne peut pas être écrit";
    }
    void whatCannotBeKeptIsSaidAtStart() {
#ifdef Q_OS_WIN
        QSKIP("a process of another user: POSIX only");
#else
        QFETCH(QString, what);
        QFETCH(QString, reason);
        {
            Program p(m_database);
            QVERIFY(p.lancer("liste.txt"));
            p.correct(1);
        }
        using P = QFileDevice;
        const auto all = P::ReadOwner | P::ReadGroup | P::ReadOther | P::ExeOwner | P::ExeGroup |
                         P::ExeOther;
        const auto writable = P::WriteOwner | P::WriteGroup | P::WriteOther;
        const QString target = what == "file" ? m_database : m_data->path();
        QFile::setPermissions(m_data->path(), what == "file" ? all | writable : all);
        QFile::setPermissions(m_database, what == "file" ? P::ReadOwner | P::ReadOther
                                                         : P::ReadOwner | P::ReadOther | writable);
        const QString expected = QStringLiteral("Les entraînements ne pourront pas être gardés : %1.")
                                     .arg(reason.arg(target));
        const int result = asAnotherUser([&] {
            Program p(m_database);
            if (p.sittings.view().message != expected) {
                qWarning("%s", qPrintable(p.sittings.view().message));
                return 1;
            }
            p.sittings.listNamed("5 lettres");
            p.sittings.listNamed("liste.txt");
            return p.sittings.view().continueShown || p.sittings.restartQuestion() ? 2 : 0;
        });
        QFile::setPermissions(m_data->path(), all | writable);
        QCOMPARE(result, 0);
    #endif
    }

    void farewellCountsDownThenEnds() {
        session::Farewell farewell;
        QVERIFY(!farewell.tick()); // not started: ticks change nothing
        QVERIFY(farewell.caption().isEmpty());
        farewell.start();
        QCOMPARE(farewell.countdown(), 6);
        QStringList shown;
        for (int i = 0; i < 6; ++i) {
            QVERIFY(!farewell.tick());
            shown << farewell.caption();
        }
        QCOMPARE(shown, (QStringList{"5", "4", "3", "2", "1", "0"}));
        QVERIFY(farewell.tick());
    }
};

QTEST_GUILESS_MAIN(TestSittings)
#include "core_sittings.moc"
