// Trainings kept through crashes and through two programs at once: a driver
// that plays and saves with the program's own code is killed with SIGKILL at
// pseudo-random moments; what is kept must be the last correction saved, whole,
// or the one being saved, whole, never anything else.

#include "progress/store.h"
#include "support/progresssupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

using namespace tirages;

namespace {

// What a driver said: the last training it saved, and the one it was saving.
struct Said {
    QByteArray saved;   // "SERIES DIGEST"
    QByteArray pending; // being saved when it was killed
};

class Driver {
public:
    Driver(const QString& database, const QString& list, quint64 seed, int pauseMs = 0) {
        m_process.start(QStringLiteral(TIRAGES_PROGRESS_DRIVER),
                        {database, list, QString::number(seed), QString::number(pauseMs)});
    }
    // Reads the driver's lines until it has saved `saves` more times.
    bool runUntil(int saves) {
        while (saves > 0) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(10000)) {
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
    progress::Store store(database);
    const auto kept = store.load(list);
    if (!kept)
        return {};
    return QByteArray::number(kept->snapshot.seriesDone) + ' ' + test::digest(kept->snapshot);
}

bool keptIsOneOf(const QByteArray& kept, const Said& said) {
    return kept == said.saved || (!said.pending.isEmpty() && kept == said.pending);
}

} // namespace

class TestProgressCrash : public QObject {
    Q_OBJECT

private slots:
    void killedAtAnyMomentKeepsTheLastCorrectionWhole() {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
        std::mt19937 chance(2026);
        for (int run = 0; run < 200; ++run) {
            Driver driver(database, QStringLiteral("liste"), run);
            QVERIFY2(driver.runUntil(1 + static_cast<int>(chance() % 4)), "the driver stalled");
            const Said said = driver.kill();
            const QByteArray kept = keptOf(database, QStringLiteral("liste"));
            QVERIFY2(keptIsOneOf(kept, said),
                     qPrintable(QStringLiteral("run %1: kept %2, saved %3, pending %4")
                                    .arg(run)
                                    .arg(QString::fromLatin1(kept), QString::fromLatin1(said.saved),
                                         QString::fromLatin1(said.pending))));
            QCOMPARE(test::integrityOf(database), QStringLiteral("ok"));
        }
    }

    void twoProgramsAtOnceEachSaveWhole() {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("tirages.sqlite"));
        // Two lists side by side, then two programs on the same list.
        for (const bool sameList : {false, true}) {
            const QString second = sameList ? QStringLiteral("a") : QStringLiteral("b");
            Driver one(database, QStringLiteral("a"), 1, 3);
            Driver two(database, second, 2, 3);
            for (int round = 0; round < 10; ++round) {
                QVERIFY(one.runUntil(1));
                QVERIFY(two.runUntil(1));
            }
            const Said saidOne = one.kill();
            const Said saidTwo = two.kill();
            QCOMPARE(test::integrityOf(database), QStringLiteral("ok"));
            const QByteArray a = keptOf(database, QStringLiteral("a"));
            if (sameList) {
                // The last to save wins, whole.
                QVERIFY(keptIsOneOf(a, saidOne) || keptIsOneOf(a, saidTwo));
            } else {
                QVERIFY(keptIsOneOf(a, saidOne));
                QVERIFY(keptIsOneOf(keptOf(database, QStringLiteral("b")), saidTwo));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestProgressCrash)
#include "tst_progresscrash.moc"
