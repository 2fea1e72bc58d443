// Trainings kept through crashes and through two programs at once: a driver
// that plays and saves with the program's own code is killed with SIGKILL at
// pseudo-random moments; what is kept must be the last correction saved, whole,
// or the one being saved, whole, never anything else; and so with the reviews
// of its answers. Two programs never train
// the same list at once.

#include "progress/store.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <random>

using namespace tirages;
using namespace tirages::training;

namespace {

// What a driver said: the last training it saved, and the one it was saving.
struct Said {
    QByteArray saved;   // "SERIES DIGEST"
    QByteArray pending; // being saved when it was killed
};

class Driver {
public:
    Driver(const QString& database, const QString& list, quint64 seed, int pauseMs = 0) {
        m_process.start(QStringLiteral(TIRAGES_SITTING_DRIVER),
                        {database, list, QString::number(seed), QString::number(pauseMs)});
    }
    // Reads the driver's lines until it has saved `saves` more times.
    bool runUntil(int saves) {
        while (saves > 0) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(30000)) {
                qWarning("the driver stopped: %s", m_process.readAllStandardError().constData());
                return false;
            }
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line.startsWith("about ")) {
                    m_said.pending = line.mid(6);
                } else if (line.startsWith("saved ")) {
                    m_said.saved = line.mid(6);
                    m_said.pending.clear();
                    --saves;
                }
            }
        }
        return true;
    }
    // The driver's last line, once it has ended by itself.
    QByteArray ended() {
        m_process.waitForFinished(10000);
        const QList<QByteArray> lines = m_process.readAllStandardOutput().trimmed().split('\n');
        return m_process.exitCode() == 4 ? lines.last() : QByteArray("still running");
    }
    Said kill() {
        m_process.kill();
        m_process.waitForFinished();
        // Lines written before the kill may still be waiting in the pipe.
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().trimmed();
            if (line.startsWith("about "))
                m_said.pending = line.mid(6);
            else if (line.startsWith("saved "))
                m_said = {line.mid(6), {}};
        }
        return m_said;
    }

private:
    QProcess m_process;
    Said m_said;
};

// The kept training as "SERIES DIGEST".
QByteArray keptOf(const QString& database, const QString& list) {
    const auto store = test::openStore(database);
    const auto kept = store->trainings().load(test::list(list));
    if (!kept)
        return {};
    return QByteArray::number(kept->snapshot.seriesDone) + ' ' + test::digest(kept->snapshot);
}

// A list file of 200 entries in `dir`; its path.
QString listIn(const QTemporaryDir& dir, const char* name) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly))
        file.write(test::numberedList(200));
    return file.fileName();
}

// Every series kept has a review for each of its answers, and every card as
// many reviews that moved it as its count says: none half written.
bool reviewsAreWhole(const QString& database) {
    return test::valueOf(
               database,
               "SELECT (SELECT count(*) FROM series s WHERE (SELECT count(*) FROM answers"
               "  WHERE series = s.id) != (SELECT count(*) FROM reviews WHERE series = s.id))"
               " + (SELECT count(*) FROM cards c WHERE reps != (SELECT count(*) FROM reviews"
               "  WHERE card = c.id AND scheduled = 1))") == 0;
}

bool keptIsOneOf(const QByteArray& kept, const Said& said) {
    return kept == said.saved || (!said.pending.isEmpty() && kept == said.pending);
}

} // namespace

class TestStoreCrash : public QObject {
    Q_OBJECT

private slots:
    void killedAtAnyMomentKeepsTheLastCorrectionWhole() {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
        const QString list = listIn(dir, "liste.txt");
        std::mt19937 chance(2026);
        for (int run = 0; run < 200; ++run) {
            Driver driver(database, list, run);
            QVERIFY2(driver.runUntil(1 + static_cast<int>(chance() % 4)), "the driver stalled");
            const Said said = driver.kill();
            const QByteArray kept = keptOf(database, list);
            QVERIFY2(keptIsOneOf(kept, said),
                     qPrintable(QStringLiteral("run %1: kept %2, saved %3, pending %4")
                                    .arg(run)
                                    .arg(QString::fromLatin1(kept), QString::fromLatin1(said.saved),
                                         QString::fromLatin1(said.pending))));
            QCOMPARE(test::integrityOf(database), QStringLiteral("ok"));
            QVERIFY2(reviewsAreWhole(database), qPrintable(QStringLiteral("run %1").arg(run)));
        }
    }

    // A copy of everything kept, killed at any moment: the name chosen holds
    // a whole copy or nothing, and the database is as it was.
    void backupKilledAtAnyMomentLeavesNoHalfCopy() {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
        const QString copy = dir.filePath(QStringLiteral("copie.tirages"));
        {
            const auto store = test::openStore(database);
            for (int day = 0; day < 60; ++day) {
                SeriesRecord series;
                for (int i = 0; i < 30; ++i) {
                    const lists::Entry question{QStringLiteral("Q%1").arg(day * 30 + i),
                                                QStringLiteral("MOT%1").arg(day * 30 + i)};
                    series.answers.append({question, i + 1, {}, i % 3 == 0, i});
                }
                QVERIFY(store->trainings().record(
                    test::list("liste"), {series},
                    QDateTime(QDate(2026, 1, 1), QTime(9, 0)).addDays(day)));
            }
        }
        const QStringList kept = test::tablesOf(database);
        std::mt19937 chance(2612);
        int midCopy = 0, whole = 0;
        for (int run = 0; run < 50; ++run) {
            QFile::remove(copy);
            QProcess driver;
            driver.start(QStringLiteral(TIRAGES_SITTING_DRIVER),
                         {QStringLiteral("--backup"), database, copy});
            // After none, one or two copies made, somewhere in the next.
            for (int made = static_cast<int>(chance() % 3); made > 0;) {
                QVERIFY2(driver.canReadLine() || driver.waitForReadyRead(10000), "no copy made");
                while (made > 0 && driver.canReadLine())
                    made -= driver.readLine().startsWith("copied") ? 1 : 0;
            }
            QThread::usleep(chance() % 20000);
            driver.kill();
            driver.waitForFinished();
            midCopy += QFile::exists(copy + QStringLiteral(".partiel")) ? 1 : 0;
            if (QFile::exists(copy)) {
                ++whole;
                QCOMPARE(test::integrityOf(copy), QStringLiteral("ok"));
                QCOMPARE(test::tablesOf(copy), kept);
            }
            QCOMPARE(test::integrityOf(database), QStringLiteral("ok"));
        }
        QCOMPARE(test::tablesOf(database), kept);
        qInfo("%d kills mid-copy, %d after a whole one", midCopy, whole);
        // Kills fell in the middle of copies, and after some had ended.
        QVERIFY2(midCopy >= 5 && whole >= 5,
                 qPrintable(QStringLiteral("%1 mid-copy, %2 whole").arg(midCopy).arg(whole)));
    }

    // Two programs on two lists each keep theirs whole; on the same list, the
    // second is told so and keeps nothing, so that it undoes nothing.
    void twoProgramsAtOnce() {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
        const QString a = listIn(dir, "a.txt");
        const QString b = listIn(dir, "b.txt");
        {
            Driver one(database, a, 1, 3);
            Driver two(database, b, 2, 3);
            for (int round = 0; round < 10; ++round) {
                QVERIFY(one.runUntil(1));
                QVERIFY(two.runUntil(1));
            }
            const Said saidOne = one.kill();
            const Said saidTwo = two.kill();
            QCOMPARE(test::integrityOf(database), QStringLiteral("ok"));
            QVERIFY(keptIsOneOf(keptOf(database, a), saidOne));
            QVERIFY(keptIsOneOf(keptOf(database, b), saidTwo));
        }
        Driver one(database, a, 3, 3);
        QVERIFY(one.runUntil(2));
        Driver two(database, a, 4, 3);
        QCOMPARE(two.ended(), QByteArray("refused La liste « ") + a.toUtf8() +
                                  " » est déjà ouverte dans un autre tirages : choisissez une"
                                  " autre liste, ou quittez l'autre tirages.");
        QVERIFY(one.runUntil(2));
        const Said said = one.kill();
        QVERIFY(keptIsOneOf(keptOf(database, a), said));
    }
};

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "store_crash.moc"
