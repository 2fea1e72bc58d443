// Every list shipped under data/ is well formed for the trainer.

#include "lexicon/lexiconfile.h"
#include "lists/catalogue.h"
#include "lists/listfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace tirages::lists;

namespace {

struct Lengths {
    int shortest;
    int longest;
    bool expensive; // holds one of J K Q W X Y Z
};

// What each list's name promises.
Lengths lengthsOf(const QString& name) {
    if (name.startsWith("2 à 4"))
        return {2, 4, false};
    if (name.startsWith("2 à 6l"))
        return {2, 6, true};
    if (name.startsWith("7 et 8l"))
        return {7, 8, true};
    if (name.startsWith("Verbes"))
        return {2, 9, false};
    if (name == "Mots invariables")
        return {1, 9, false};
    const int length = name.section(' ', 0, 0).toInt();
    return {length, length, false};
}

QString sortedLetters(QString text) {
    text.remove('+');
    std::sort(text.begin(), text.end());
    return text;
}

} // namespace

class TestShippedLists : public QObject {
    Q_OBJECT

private slots:
    void everyListIsWellFormed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        for (const CatalogueList& list : catalogue())
            QTest::newRow(qPrintable(list.name)) << list.name << list.path;
    }
    void everyListIsWellFormed() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        const QString file = QStringLiteral(TIRAGES_SOURCE_DIR "/") + path;

        QFile raw(file);
        QVERIFY2(raw.open(QIODevice::ReadOnly), qPrintable(file));
        const QByteArray bytes = raw.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count('\n'));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));

        const ListResult result = readList(file);
        QVERIFY(std::holds_alternative<ListFile>(result));
        const ListContent entries = *listEntries(result);
        QSet<QString> draws;
        for (const Entry& entry : entries)
            draws.insert(entry.draw);
        QVERIFY2(draws.size() >= 1 && draws.size() <= kMaxEntries && entries.size() <= kMaxLines,
                 qPrintable(QString::number(draws.size())));

        static const QRegularExpression capitals(QStringLiteral("^[A-Z]+$"));
        static const QRegularExpression expensive(QStringLiteral("[JKQWXYZ]"));
        const Lengths lengths = lengthsOf(name);
        QSet<QString> seen;
        for (const Entry& entry : entries) {
            const QString line = entry.draw + ';' + entry.expected;
            QVERIFY2(capitals.match(entry.expected).hasMatch(), qPrintable(line));
            QVERIFY2(!entry.draw.contains(';'), qPrintable(line));
            QCOMPARE(sortedLetters(entry.draw), sortedLetters(entry.expected));
            QVERIFY2(QString(entry.draw).remove('+').size() <= 9, qPrintable(line));
            QVERIFY2(entry.expected.size() >= lengths.shortest &&
                         entry.expected.size() <= lengths.longest,
                     qPrintable(line));
            if (lengths.expensive)
                QVERIFY2(expensive.match(entry.expected).hasMatch(), qPrintable(line));
            QVERIFY2(!seen.contains(entry.expected), qPrintable(line));
            seen.insert(entry.expected);
        }
    }

    // The series split the draws, never the words of one draw.
    void seriesOfOneLengthDoNotOverlap() {
        for (const char* length : {"6", "7", "8"}) {
            QSet<QString> all;
            qsizetype total = 0;
            QHash<QString, QString> seriesOfDraw;
            for (const char* series : {"a", "b", "c"}) {
                const auto result = readList(
                    QStringLiteral(TIRAGES_SOURCE_DIR "/data/%1l_tir_%2.txt").arg(length, series));
                for (const Entry& entry : *listEntries(result)) {
                    all.insert(entry.expected);
                    QCOMPARE(seriesOfDraw.value(entry.draw, series), QString::fromLatin1(series));
                    seriesOfDraw.insert(entry.draw, series);
                }
                total += listEntries(result)->size();
            }
            QCOMPARE(all.size(), total);
        }
    }

    // The lists leave no word out: each draw holds every word of the shipped
    // lexicon made of its letters, and nothing else.
    void eachDrawHoldsTheLexiconsWordsOfItsLetters() {
        const auto lexicon =
            tirages::lexicon::readLexicon(QStringLiteral(TIRAGES_SOURCE_DIR "/data/lexique.lex"));
        QVERIFY2(lexicon, qPrintable(lexicon.why()));
        QCOMPARE(lexicon->size(), 421341);
        for (const CatalogueList& list : catalogue()) {
            QHash<QString, QStringList> byDraw;
            const ListResult read = readList(QStringLiteral(TIRAGES_SOURCE_DIR "/") + list.path);
            for (const Entry& entry : *listEntries(read))
                byDraw[entry.draw] << entry.expected;
            for (auto draw = byDraw.cbegin(); draw != byDraw.cend(); ++draw)
                QCOMPARE(lexicon->anagrams(sortedLetters(draw.key())), draw.value());
        }
    }
};

QTEST_GUILESS_MAIN(TestShippedLists)
#include "core_shippedlists.moc"
