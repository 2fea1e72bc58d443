// Every write and every sync of a save made to fail in turn, under SQLite
// itself: a training begun on 10000 entries, a save after a correction, the
// save when the screen is left. After each failure the database is whole, and
// holds the training from before that save or from after it, never a mix; the
// player is told once and trains on; once the fault is lifted, the next save
// keeps exactly the training in memory.

#include "support/faultyvfs.h"
#include "support/progresssupport.h"
#include "support/sittingsupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;

namespace {

const QString kList = QStringLiteral("liste.txt");

#ifdef TIRAGES_FAULT_STRIDE
constexpr int kStride = TIRAGES_FAULT_STRIDE;
#else
constexpr int kStride = 1;
#endif

// "ok SERIES DIGEST" of the kept training, as a new process reads it.
QByteArray keptInAnotherProcess(const QString& database, const QString& list) {
    QProcess checker;
    checker.start(QStringLiteral(TIRAGES_SITTING_DRIVER), {"--kept", database, list});
    checker.waitForFinished(30000);
    return checker.readAllStandardOutput().trimmed();
}

QByteArray keptHere(const QString& database, const QString& list) {
    const auto store = test::openStore(database);
    const auto kept = store->trainings().load(test::list(list));
    return "ok" + (kept ? ' ' + QByteArray::number(kept->snapshot.seriesDone) + ' ' +
                              test::digest(kept->snapshot)
                        : QByteArray());
}

} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_list;
    QString m_base; // the database each run starts from: a training kept, one series done

    // One run of `save` with the n-th write or sync failing (none for 0); the
    // writes and syncs the save made.
    int run(const QString& save, int n) {
        QTemporaryDir work;
        const QString database = work.filePath("tirages.sqlite");
        if (!QFile::copy(m_base, database))
            return -1;
        test::Program p(database);
        if (save != "begun") {
            p.continuer(m_list);
            if (save == "left")
                p.correct(5);
        }
        const QByteArray before = keptHere(database, m_list);
        test::faultyvfs::arm(n);
        if (save == "begun")
            p.lancer(m_list);
        else if (save == "corrected")
            p.correct(30);
        else
            p.sommaire();
        const int operations = test::faultyvfs::operations();
        if (n == 0) {
            test::faultyvfs::lift();
            return p.sittings.pending() ? -1 : operations;
        }
        const QByteArray after = "ok " + QByteArray::number(p.training.snapshot().seriesDone) +
                                 ' ' + test::digest(p.training.snapshot());
        [&] {
            QVERIFY2(p.sittings.pending(), qPrintable(QStringLiteral("fault %1 kept").arg(n)));
            const QByteArray kept = keptInAnotherProcess(database, m_list);
            QVERIFY2(kept == before || kept == after,
                     qPrintable(QStringLiteral("fault %1: kept %2").arg(n).arg(kept)));
            // Training goes on, and the player is told once, in French.
            QVERIFY(p.training.screen().correctEnabled);
            if (save != "left")
                p.sommaire();
            const QString told = p.sittings.view().message;
            QVERIFY2(told.startsWith("Les dernières séries ne sont pas encore gardées : le disque"),
                     qPrintable(told));
            p.sittings.listNamed(m_list);
            p.continuer(m_list);
            p.sommaire();
            QCOMPARE(p.sittings.view().message, QString());
            // The fault lifted, the training in memory is kept exactly.
            test::faultyvfs::lift();
            p.sittings.retry();
            QVERIFY(!p.sittings.pending());
            const auto store = test::openStore(database);
            const auto now = store->trainings().load(test::list(m_list));
            QVERIFY(now);
            const TrainingSnapshot memory = p.training.snapshot();
            QCOMPARE(now->snapshot.entries.size(), memory.entries.size());
            for (qsizetype i = 0; i < memory.entries.size(); ++i)
                QCOMPARE(now->snapshot.entries[i], memory.entries[i]);
            QCOMPARE(now->summary.entriesLeft, memory.entries.size());
            QCOMPARE(now->summary.entriesAtStart, 10000);
            QCOMPARE(now->snapshot.seriesDone, memory.seriesDone);
        }();
        test::faultyvfs::lift();
        return operations;
    }

private slots:
    void initTestCase() {
        test::faultyvfs::install();
        m_list = m_dir.filePath(kList);
        QFile file(m_list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(test::numberedList(10000));
        file.close();
        m_base = m_dir.filePath("base.sqlite");
        test::Program p(m_base);
        QVERIFY(p.lancer(m_list));
        p.correct(30);
        p.sommaire();
        QVERIFY(!p.sittings.pending());
    }

    void everyWriteAndSyncOfASaveMayFail_data() {
        QTest::addColumn<QString>("save");
        for (const char* save : {"begun", "corrected", "left"})
            QTest::newRow(save) << save;
    }
    void everyWriteAndSyncOfASaveMayFail() {
        QFETCH(QString, save);
        const int operations = run(save, 0);
        QVERIFY2(operations > 0, "the save wrote nothing");
        int tried = 0;
        for (int n = 1; n <= operations; n += kStride, ++tried) {
            QCOMPARE(run(save, n), n);
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%s: %d writes and syncs; %d of them made to fail in turn", qPrintable(save),
              operations, tried);
    }

    // The database is there, and the disk full: the launcher says so as it
    // shows, not at the first save. A small file system of its own, mounted
    // where the system lets a test do so.
    void aFullDiskIsSaidAtTheStart() {
        QTemporaryDir dir;
        const QString script = QStringLiteral("mount -t tmpfs -o size=16m none \"$1\" || exit 99\n"
                                              "\"$2\" --open \"$1/tirages.sqlite\"\n"
                                              "dd if=/dev/zero of=\"$1/fill\" bs=64k 2>/dev/null\n"
                                              "\"$2\" --open \"$1/tirages.sqlite\"\n");
        QProcess shell;
        shell.start("unshare", {"--user", "--map-root-user", "--mount", "sh", "-c", script, "sh",
                                dir.path(), QStringLiteral(TIRAGES_SITTING_DRIVER)});
        if (!shell.waitForFinished(60000) || shell.exitCode() == 99 ||
            shell.error() == QProcess::FailedToStart)
            QSKIP("no file system of its own can be mounted here");
        const QStringList said = QString::fromUtf8(shell.readAllStandardOutput()).split('\n');
        QCOMPARE(said.value(0), QStringLiteral("ok"));
        QCOMPARE(
            said.value(1),
            QStringLiteral("Les entraînements ne pourront pas être gardés : le disque est plein."));
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "store_faults.moc"
