// Carrying what is kept: a cardbox of a word-study program imported into the
// memory and the memory exported as one; everything kept copied and put back.

#include "progress/store.h"
#include "reviews/cardbox.h"
#include "session/lexicons.h"
#include "support/historysupport.h"
#include "support/progresssupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using test::at;
using test::kNow;

namespace {

constexpr qint64 kDay = 86400;

// The i-th made-up question: two letters in order and a Z, each pair once.
lists::Entry question(int i) {
    const int number = i;
    int first = 0;
    for (; i >= 26 - first; ++first)
        i -= 26 - first;
    const QChar letters[] = {QChar(u'A' + first), QChar(u'A' + first + i), QChar(u'Z')};
    return {QString(letters, 3), QStringLiteral("MOT%1").arg(number)};
}

// A row of each kind a cardbox holds, and the card it must give: stability
// and difficulty; no stability: no card.
struct Kind {
    const char* name;
    qint32 correct, incorrect;
    std::optional<qint64> lastCorrect; // days from now
    std::optional<qint32> box;
    qint64 next; // days from now
    std::optional<double> stability;
    double difficulty;
};
const Kind kKinds[] = {
    {"in box 3", 6, 2, -3, 3, 7, 10.0, 4.0},
    {"due long ago", 1, 0, -20, 1, -5, 15.0, 4.5},
    {"box 0 after a success", 2, 1, -1, 0, 1, 1.0, 5.0},
    {"never right", 0, 3, std::nullopt, 0, 1, 0.2, 8.0},
    {"back before its success", 4, 0, 2, 2, 1, 1.0, 3.0},
    {"many right", 30, 0, -100, 10, 380, 480.0, 1.0},
    {"not in the cardbox", 2, 2, -3, std::nullopt, 7, std::nullopt, 0},
};
constexpr int kKindCount = sizeof kKinds / sizeof kKinds[0];

} // namespace

class TestStoreCarry : public QObject {
    Q_OBJECT

private slots:
    void cardboxRowsBecomeCards();
    void exportThenImportKeepsTheSchedule();
    void backupThenRestoreGivesTheSameDatabase();
    void theLexiconChosenIsKeptAndRestored();
    void restoreRefusesWhatIsNoSoundCopy_data();
    void restoreRefusesWhatIsNoSoundCopy();
    void aCardboxIsBelievedWithinReason();
    void failuresNameWhatHappened_data();
    void failuresNameWhatHappened();
    void aRestoreRefusedForABusyDatabaseTouchesNothing();

private:
    QTemporaryDir m_dir;
};

// Three hundred alphagrams of every kind, known from the lists given, from a
// training kept and from the memory; twenty no question has.
void TestStoreCarry::cardboxRowsBecomeCards() {
    const QString path = m_dir.filePath(QStringLiteral("cards.sqlite"));
    const auto store = test::openStore(path);
    lists::ListContent given, trained;
    for (int i = 0; i < 300; ++i)
        (i % 2 ? trained : given).append(question(i));
    // Two draws of one alphagram: both questions take its card.
    const lists::Entry longDraw{QStringLiteral("AZ+A"), QStringLiteral("AUTRE")};
    given.append(longDraw);
    QVERIFY(store->trainings().save(
        test::list(QStringLiteral("mienne")),
        {TrainingSnapshot{{}, {}, QStringLiteral("1"), 0, 0}, trained, {}, kNow, {}, true}));
    // Reviewed in tirages after its last success in the cardbox: it keeps its card.
    const lists::Entry reviewedHere = question(0);
    QVERIFY(store->trainings().record(test::list(QStringLiteral("Révisions")),
                                      {test::series(kNow, 10, 0, {{reviewedHere, true, 3}})},
                                      kNow));
    const reviews::Card ownCard = *store->memory().card(reviewedHere);

    QList<reviews::CardboxRow> rows;
    const qint64 now = kNow.toSecsSinceEpoch();
    for (int i = 0; i < 320; ++i) {
        const Kind& kind = kKinds[i % kKindCount];
        const QString alphagram = i < 300 ? question(i).draw : QStringLiteral("ZZZ%1").arg(i);
        rows.append({alphagram, kind.correct, kind.incorrect, 0,
                     kind.lastCorrect ? std::optional(now + *kind.lastCorrect * kDay) : std::nullopt,
                     kind.box, now + kind.next * kDay});
    }
    const QString cardbox = m_dir.filePath(QStringLiteral("Anagrams.db"));
    QVERIFY(test::writeCardbox(cardbox, rows));

    const auto done = store->transfers().importCardbox(cardbox, given);
    QVERIFY2(done, qPrintable(done.why()));
    int inBox = 0, unknownInBox = 0;
    for (int i = 0; i < 320; ++i) {
        const Kind& kind = kKinds[i % kKindCount];
        if (kind.stability)
            ++(i < 300 ? inBox : unknownInBox);
        if (i >= 300 || i == 0)
            continue;
        const auto card = store->memory().card(question(i));
        QCOMPARE(card.has_value(), kind.stability.has_value());
        if (!card)
            continue;
        QVERIFY2(qAbs(card->stability - *kind.stability) < 1e-9, kind.name);
        QVERIFY2(qAbs(card->difficulty - kind.difficulty) < 1e-9, kind.name);
        QCOMPARE(card->due.toSecsSinceEpoch(), now + kind.next * kDay);
        QCOMPARE(card->state, reviews::CardState::Review);
    }
    QCOMPARE(*store->memory().card(reviewedHere), ownCard);
    QCOMPARE(store->memory().card(longDraw)->stability, *kKinds[0].stability);
    QCOMPARE(done->questions, inBox); // less the one that kept its card, plus the long draw
    QCOMPARE(done->keptOwn, 1);
    QCOMPARE(done->unknown.size(), unknownInBox);
    QVERIFY(done->unknown.first().startsWith(QStringLiteral("ZZZ")));
    // Cards that came back long ago are due today.
    QVERIFY(store->memory().dueQuestions(kNow).contains(question(1)));

    // A file with no cardbox in it changes nothing.
    const QStringList before = test::tablesOf(path);
    const auto refused = store->transfers().importCardbox(path, given);
    QVERIFY(refused.why().contains(QStringLiteral("boîte à fiches")));
    QCOMPARE(test::tablesOf(path), before);
}

// Questions reviewed over a month, exported, then imported into a new store
// that knows them: each comes back on the same day, in the same box.
void TestStoreCarry::exportThenImportKeepsTheSchedule() {
    const auto first = test::openStore(m_dir.filePath(QStringLiteral("first.sqlite")));
    lists::ListContent questions;
    for (int i = 0; i < 40; ++i)
        questions.append(question(i));
    for (int day = 0; day < 30; day += 3) {
        const QDateTime when = at(1, 9).addDays(day);
        SeriesRecord series;
        for (int i = 0; i < 40; ++i) {
            // Each missed now and then, each at its own speed.
            const bool right = (i + day) % 7 != 0;
            series.answers.append(
                {questions[i], i + 1, right ? questions[i].expected : QString(), right, 2 + i});
        }
        QVERIFY(first->trainings().record(test::list(QStringLiteral("Révisions")), {series}, when));
    }
    const QString cardbox = m_dir.filePath(QStringLiteral("export.db"));
    QCOMPARE(*first->transfers().exportCardbox(cardbox), 40);
    QVERIFY(!QFile::exists(cardbox + QStringLiteral(".partiel")));

    const auto second = test::openStore(m_dir.filePath(QStringLiteral("second.sqlite")));
    const auto done = second->transfers().importCardbox(cardbox, questions);
    QVERIFY2(done, qPrintable(done.why()));
    QCOMPARE(done->questions, 40);
    QVERIFY(done->unknown.isEmpty());
    for (const lists::Entry& q : questions) {
        const reviews::Card before = *first->memory().card(q), after = *second->memory().card(q);
        QVERIFY2(qAbs(before.due.secsTo(after.due)) < kDay, qPrintable(q.draw));
        QCOMPARE(reviews::boxOf(after.stability), reviews::boxOf(before.stability));
    }
}

void TestStoreCarry::backupThenRestoreGivesTheSameDatabase() {
    const QString path = m_dir.filePath(QStringLiteral("kept.sqlite"));
    const QString copy = m_dir.filePath(QStringLiteral("copie.tirages"));
    const auto store = test::openStore(path);
    QVERIFY(test::fillHistory(*store));
    QVERIFY(store->preferences().set(QStringLiteral("dossier"), QStringLiteral("/listes")));
    QVERIFY(store->transfers().backup(copy));
    const QStringList atBackup = test::tablesOf(path);
    QVERIFY(atBackup.size() > 20);
    QCOMPARE(test::tablesOf(copy), atBackup);
    QCOMPARE(*progress::Transfers::examineCopy(copy), QDate(2026, 12, 9));

    // Trained on after the copy; then the copy put back.
    QVERIFY(store->trainings().record(test::list(QStringLiteral("plus tard")),
                                      {test::series(at(10, 9), 30, 0, {{test::kCible, true, 2}})},
                                      at(10, 9)));
    const QStringList afterwards = test::tablesOf(path);
    const auto aside = store->transfers().restore(copy);
    QVERIFY2(aside, qPrintable(aside.why()));
    QCOMPARE(test::tablesOf(path), atBackup);
    QCOMPARE(test::tablesOf(*aside), afterwards);
    QVERIFY(store->isOpen());
    QCOMPARE(store->trainings().summary(test::list(QStringLiteral("5 lettres")))->seriesDone, 2);
    // The store goes on keeping after it.
    QVERIFY(store->trainings().record(test::list(QStringLiteral("encore")),
                                      {test::series(at(11, 9), 30, 0, {{test::kCible, true, 2}})},
                                      at(11, 9)));
}

void TestStoreCarry::theLexiconChosenIsKeptAndRestored() {
    const QString path = m_dir.filePath(QStringLiteral("lexique.sqlite"));
    const QString own = m_dir.filePath(QStringLiteral("officiel.txt"));
    QFile file(own);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("chien\nniche\n") > 0);
    file.close();
    auto store = test::openStore(path);
    progress::Store* open = store.get();
    session::Lexicons lexicons({}, [&open] { return open; });
    QVERIFY(lexicons.choose(own));
    QCOMPARE(lexicons.lexicon()->size(), 2);

    // Kept across runs, and put back with a copy.
    store.reset();
    open = nullptr;
    store = test::openStore(path);
    open = store.get();
    session::Lexicons again({}, [&open] { return open; });
    QCOMPARE(again.chosen(), own);
    QVERIFY(again.lexicon()->contains(u"NICHE"));
    const QString copy = m_dir.filePath(QStringLiteral("lexique.tirages"));
    QVERIFY(store->transfers().backup(copy));
    QVERIFY(again.choose({})); // back to the one shipped
    QVERIFY(again.chosen().isEmpty());
    QVERIFY(store->transfers().restore(copy));
    QCOMPARE(again.chosen(), own);
    QVERIFY(again.lexicon()->contains(u"CHIEN"));
}

void TestStoreCarry::restoreRefusesWhatIsNoSoundCopy_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("text") << "text" << "n'est pas une copie de tirages";
    QTest::newRow("missing") << "missing"
                             << "n'existe pas";
    QTest::newRow("cardbox") << "cardbox" << "n'est pas une copie de tirages";
    QTest::newRow("damaged") << "damaged" << "est abîmé";
    QTest::newRow("cut short") << "cut" << "est abîmé";
    QTest::newRow("newer") << "newer" << "version plus récente";
}

void TestStoreCarry::restoreRefusesWhatIsNoSoundCopy() {
    QFETCH(QString, kind);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.sqlite"));
    const QString file = dir.filePath(QStringLiteral("copie"));
    const auto store = test::openStore(path);
    QVERIFY(test::fillHistory(*store));
    if (kind == "text") {
        QFile text(file);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("ABERR;ARBRE\r\n");
    } else if (kind == "cardbox") {
        QVERIFY(test::writeCardbox(file, {{QStringLiteral("ABERR"), 1, 0, 0, 1, 1, 1}}));
    } else if (kind != "missing") {
        QVERIFY(store->transfers().backup(file));
        QFile copy(file);
        QVERIFY(copy.open(QIODevice::ReadWrite));
        const qint64 size = copy.size();
        if (kind == "damaged") {
            // Every page after the first, scrambled.
            copy.seek(4096);
            copy.write(QByteArray(size - 4096, '\x5a'));
        } else if (kind == "cut") {
            copy.resize(size / 2);
        } else {
            copy.close();
            QCOMPARE(test::execute(file, {"PRAGMA user_version = 99"}), QString());
        }
    }
    const QStringList before = test::tablesOf(path);
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);

    QVERIFY(!progress::Transfers::examineCopy(file));
    const auto refused = store->transfers().restore(file);
    QVERIFY(!refused);
    QVERIFY2(refused.why().contains(refusal), qPrintable(refused.why()));
    QVERIFY(refused.why().contains(QDir::toNativeSeparators(file)));
    QCOMPARE(test::tablesOf(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);
    QVERIFY(store->isOpen());
}

// Numbers no word-study program writes: no card without a date to come back,
// times outside 1990 to 2200 absent, counts and stabilities within reason.
void TestStoreCarry::aCardboxIsBelievedWithinReason() {
    QTemporaryDir dir;
    const auto store = test::openStore(dir.filePath(QStringLiteral("kept.sqlite")));
    const qint64 now = kNow.toSecsSinceEpoch();
    const QString cardbox = dir.filePath(QStringLiteral("Anagrams.db"));
    QVERIFY(test::writeCardbox(cardbox, {}));
    // question, correct, incorrect, streak, last_correct, difficulty, cardbox, next_scheduled
    const QString insert = QStringLiteral("INSERT INTO questions VALUES (%1)");
    QCOMPARE(
        test::execute(cardbox,
                      {insert.arg("'AAZ', 5000000000, -3, 1e10, 1e18, 0, 99, 1e18"),
                       insert.arg(QStringLiteral("'ABZ', 2, 1, 1, -9223372036854775808, 0, 2, %1")
                                      .arg(now + 7 * kDay)),
                       insert.arg(QStringLiteral("'ACZ', 3000000000, 0, 3, %1, 0, 10, 7258000000")
                                      .arg(now - kDay))}),
        QString());
    const lists::ListContent known{question(0), question(1), question(2)};
    const auto done = store->transfers().importCardbox(cardbox, known);
    QVERIFY2(done, qPrintable(done.why()));
    QCOMPARE(done->questions, 2);
    QVERIFY(!store->memory().card(question(0))); // never due: no card
    const reviews::Card neverRight = *store->memory().card(question(1));
    QCOMPARE(neverRight.stability, 0.2);
    QCOMPARE(neverRight.due.toSecsSinceEpoch(), now + 7 * kDay);
    const reviews::Card far = *store->memory().card(question(2));
    QCOMPARE(far.stability, double(reviews::kMaximumInterval));
    QVERIFY(far.due.isValid());
    QVERIFY(far.reps > 0 && far.reps <= 2000000);
}

// Nothing is written over the database, and a file that cannot be written
// or read is said so, in French.
void TestStoreCarry::failuresNameWhatHappened_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("said");
    QTest::newRow("backup over the database") << "backup"
                                              << "kept.sqlite"
                                              << "est le fichier où tirages garde";
    QTest::newRow("export over its log") << "export"
                                         << "kept.sqlite-wal"
                                         << "est le fichier où tirages garde";
    QTest::newRow("export over it, named otherwise") << "export"
                                                     << "./sub/../kept.sqlite"
                                                     << "est le fichier où tirages garde";
    QTest::newRow("backup into no folder") << "backup"
                                           << "absent/copie.tirages"
                                           << "ne peut pas être écrit : le dossier";
    QTest::newRow("export into no folder") << "export"
                                           << "absent/export.db"
                                           << "ne peut pas être écrit : le dossier";
    QTest::newRow("export over a folder") << "export"
                                          << "sub"
                                          << "est un dossier.";
    QTest::newRow("restore, its copy unwritable")
        << "restore"
        << "kept.sqlite.restauration.partiel"
        << "kept.sqlite.restauration ne peut pas être écrit.";
    QTest::newRow("import of no file") << "import"
                                       << "absent.db"
                                       << "absent.db n'existe pas.";
    QTest::newRow("restore of no file") << "restore"
                                        << "absent.tirages"
                                        << "absent.tirages n'existe pas.";
}

void TestStoreCarry::failuresNameWhatHappened() {
    QFETCH(QString, action);
    QFETCH(QString, file);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("kept.sqlite"));
    const auto store = test::openStore(database);
    QVERIFY(test::fillHistory(*store));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString copy = dir.filePath(QStringLiteral("copie.tirages"));
    QVERIFY(store->transfers().backup(copy));
    const QStringList before = test::tablesOf(database);
    QString target = dir.filePath(file);
    if (action == "restore" && file.endsWith(QStringLiteral(".partiel"))) {
        QVERIFY(QDir(dir.path()).mkdir(file)); // where the copy would be written
        target = copy;
    }
    progress::Transfers& transfers = store->transfers();
    const QString why = [&] {
        if (action == "backup")
            return transfers.backup(target).why();
        if (action == "export")
            return transfers.exportCardbox(target).why();
        if (action == "import")
            return transfers.importCardbox(target, {}).why();
        return transfers.restore(target).why();
    }();
    QVERIFY2(why.contains(said), qPrintable(why));
    QVERIFY(store->isOpen());
    QCOMPARE(test::tablesOf(database), before);
}

// Another program has the database open: the copy is not put in its place,
// and nothing is set aside for it.
void TestStoreCarry::aRestoreRefusedForABusyDatabaseTouchesNothing() {
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("kept.sqlite"));
    const auto store = test::openStore(database);
    QVERIFY(test::fillHistory(*store));
    const QString copy = dir.filePath(QStringLiteral("copie.tirages"));
    QVERIFY(store->transfers().backup(copy));
    const auto other = test::openStore(database);
    QVERIFY(other);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    const auto refused = store->transfers().restore(copy);
    QVERIFY(!refused);
    QVERIFY(refused.why().contains(QStringLiteral("un autre tirages")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
    QVERIFY(store->isOpen());
    QVERIFY(store->trainings().summary(test::list(QStringLiteral("5 lettres"))));
}

QTEST_GUILESS_MAIN(TestStoreCarry)
#include "store_carry.moc"
