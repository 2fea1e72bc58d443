// Plain word lists: one word a line, trained with the draws the bundled lists
// give their words.

#include "lists/catalogue.h"
#include "lists/cp1252.h"
#include "lists/listfile.h"
#include "lists/plainwords.h"
#include "support/testsupport.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using namespace tirages::lists;

namespace {

using Reason = LeftOutWord::Reason;

const ListFile* fileOf(const ListResult& result) {
    if (const auto* error = std::get_if<ListError>(&result))
        qWarning() << "unexpected error:" << error->message();
    return std::get_if<ListFile>(&result);
}

// "3:duplicate:1" for a word of line 3 left out as the word of line 1.
QStringList described(const QList<LeftOutWord>& leftOut) {
    QStringList out;
    for (const LeftOutWord& word : leftOut) {
        const char* why = word.reason == Reason::NotAWord ? "not a word" : "duplicate";
        out << QStringLiteral("%1:%2").arg(word.line).arg(why) +
                   (word.earlierLine ? QStringLiteral(":%1").arg(word.earlierLine) : QString());
    }
    return out;
}

// The list builder's draws of the given words, one a line.
QStringList buildersDraws(const QStringList& words) {
    QProcess python;
    python.setProcessEnvironment([] {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PYTHONPATH", TIRAGES_SOURCE_DIR "/tools/listbuilder");
        return env;
    }());
    python.start("/usr/bin/python3", {"-c", "import sys\n"
                                            "from build_lists import draw_of\n"
                                            "for word in sys.stdin.read().split():\n"
                                            "    print(draw_of(word))\n"});
    python.write(words.join('\n').toUtf8());
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestPlainWords : public QObject {
    Q_OBJECT

private slots:
    void wordsAreFoldedAndLeftOut_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("words");   // trained, in file order
        QTest::addColumn<QStringList>("leftOut"); // line:reason[:earlier line]
        QTest::newRow("accents and ligatures, UTF-8")
            << QByteArray(
                   "\xc3\xa9t\xc3\xa9\r\nc\xc5\x93ur\r\n\xc3\x86gipan\r\n\xc3\x89L\xc3\x88VE")
            << QStringList{"ETE", "COEUR", "AEGIPAN", "ELEVE"} << QStringList{};
        QTest::newRow("accents and ligatures, Windows-1252")
            << QByteArray("\xe9t\xe9\r\nc\x9cur\r\n\xc6gipan\r\n\xc9L\xc8VE")
            << QStringList{"ETE", "COEUR", "AEGIPAN", "ELEVE"} << QStringList{};
        QTest::newRow("UTF-8 behind its mark") << QByteArray("\xef\xbb\xbf\xc3\xa9t\xc3\xa9\nabc")
                                               << QStringList{"ETE", "ABC"} << QStringList{};
        QTest::newRow("blank lines and spaces")
            << QByteArray("  arbre \r\n\r\n \t\r\nz\xe8\x62re\n\n") << QStringList{"ARBRE", "ZEBRE"}
            << QStringList{};
        QTest::newRow("apostrophes, hyphens, spaces inside, digits")
            << QByteArray("aujourd'hui\nporte-cl\xc3\xa9\npomme de terre\nmot2\nabc")
            << QStringList{"ABC"}
            << QStringList{"1:not a word", "2:not a word", "3:not a word", "4:not a word"};
        QTest::newRow("duplicates left out, anagrams kept")
            << QByteArray("chien\nCHIEN\nniche\nabc\nChi\xc3\xa8n\n")
            << QStringList{"CHIEN", "NICHE", "ABC"}
            << QStringList{"2:duplicate:1", "5:duplicate:1"};
        QTest::newRow("2 to 15 letters")
            << QByteArray("a\nab\nanticonstitutionnellement\nanticonformiste\n")
            << QStringList{"AB", "ANTICONFORMISTE"} << QStringList{"1:not a word", "3:not a word"};
    }
    void wordsAreFoldedAndLeftOut() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QFETCH(QStringList, leftOut);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            ListParser parser("x");
            if (parser.feed(QByteArrayView(bytes).first(cut)))
                parser.feed(QByteArrayView(bytes).sliced(cut));
            const ListResult result = parser.finish();
            const ListFile* file = fileOf(result);
            QVERIFY(file);
            QVERIFY(file->plainWords);
            QStringList trained;
            for (const Entry& entry : file->entries) {
                trained << entry.expected;
                QCOMPARE(entry.draw, drawOf(entry.expected));
            }
            QCOMPARE(trained, words);
            QCOMPARE(described(file->leftOut), leftOut);
        }
    }

    void refusedWordLists_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("lines with and without ';' are a list file")
            << QByteArray("arbre\r\nAB;BA\r\n") << int(ListError::Kind::MissingSeparator)
            << "La liste « x » est mal formée : la ligne 1 n'a pas de « ; » entre le tirage et "
               "la solution.";
        QTest::newRow("a blank line, then entries")
            << QByteArray("\r\nAB;BA\r\n") << int(ListError::Kind::MissingSeparator)
            << "La liste « x » est mal formée : la ligne 1 est vide.";
        QTest::newRow("blank lines only")
            << QByteArray("\r\n\r\n") << int(ListError::Kind::MissingSeparator)
            << "La liste « x » est mal formée : la ligne 1 est vide.";
        QTest::newRow("every word left out")
            << QByteArray("a\nb-c\n") << int(ListError::Kind::NoWordToTrain)
            << "Aucun mot de la liste « x » ne peut être entraîné. 2 mots laissés de côté : "
               "ligne 1, « a » n'est pas un mot de 2 à 15 lettres ; ligne 2, « b-c » n'est pas "
               "un mot de 2 à 15 lettres.";
    }
    void refusedWordLists() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QString, message);
        const ListResult result = parseList(bytes, "x");
        const auto* error = std::get_if<ListError>(&result);
        QVERIFY(error);
        QCOMPARE(int(error->kind), kind);
        QCOMPARE(error->message(), message);
    }

    void tenThousandDrawsAndNoMore() {
        // Words of distinct letters: a prefix of distinct letters, then AAA..
        QByteArray bytes;
        int made = 0;
        for (char a = 'A'; a <= 'Z' && made < 10001; ++a)
            for (char b = a; b <= 'Z' && made < 10001; ++b)
                for (char c = b; c <= 'Z' && made < 10001; ++c)
                    for (char d = c; d <= 'Z' && made < 10001; ++d, ++made)
                        bytes.append(a).append(b).append(c).append(d).append('\n');
        const QByteArray tenThousand = bytes.first(10000 * 5);
        const ListResult read = parseList("\n" + tenThousand + "\n", "x");
        const ListFile* full = fileOf(read);
        QVERIFY(full);
        QCOMPARE(full->entries.size(), 10000);
        QVERIFY(full->leftOut.isEmpty());

        const ListResult over = parseList(bytes, "x");
        const auto* error = std::get_if<ListError>(&over);
        QVERIFY(error);
        QCOMPARE(error->kind, ListError::Kind::TooManyEntries);
        QCOMPARE(error->message(), QStringLiteral("La liste « x » a plus de 10000 tirages "
                                                  "différents : une liste en compte 10000 au "
                                                  "plus."));
        // Words of the same letters are one draw: 100000 lines at most.
        QByteArray same;
        for (int i = 0; i < 100000; ++i)
            same += i % 2 ? "chien\n" : "niche\n";
        const ListResult many = parseList(same, "x");
        QCOMPARE(fileOf(many)->entries.size(), 2);
        const ListResult tooMany = parseList(same + "chien\n", "x");
        QCOMPARE(std::get<ListError>(tooMany).message(),
                 QStringLiteral("La liste « x » a plus de 100000 mots : une liste en compte "
                                "100000 au plus."));
    }

    void reportNamesTheFirstFewWithTheirLines() {
        const ListResult read = parseList("chien\nniche\nl'eau\nchien\nabc\nx\ny\nz\n", "x");
        const ListFile* file = fileOf(read);
        QVERIFY(file);
        QCOMPARE(leftOutReport(file->leftOut),
                 QStringLiteral("5 mots laissés de côté : ligne 3, « l'eau » n'est pas un mot de "
                                "2 à 15 lettres ; ligne 4, « chien » est déjà à la ligne 1 ; "
                                "ligne 6, « x » n'est pas un mot de 2 à 15 lettres ; et 2 "
                                "autres."));
        // A line as long as a file may hold is not quoted whole.
        const QString longLine(100000, u'z');
        const QString oneLong = leftOutReport({{7, longLine, Reason::NotAWord, {}, 0}});
        QVERIFY(oneLong.startsWith(QStringLiteral("1 mot laissé de côté : ligne 7, « zzz")));
        QVERIFY(oneLong.size() < 200);
    }

    // Each bundled list, given as a plain word list of its words, reads back as
    // the list itself; and every draw is the one the list builder makes.
    // Words of the same letters are one question: past seven letters, they
    // take the draw of the first of them.
    void anagramsShareTheDrawOfTheFirst() {
        const ListResult read = parseList("resinate\narsenite\n", "x");
        const ListFile* file = fileOf(read);
        QVERIFY(file);
        QVERIFY(drawOf("ARSENITE") != drawOf("RESINATE"));
        QCOMPARE(file->entries, (ListContent{{drawOf("RESINATE"), "RESINATE"},
                                             {drawOf("RESINATE"), "ARSENITE"}}));
    }

    void drawsAreTheListBuildersForEveryBundledWord() {
#ifdef Q_OS_WIN
        QSKIP("the list builder runs on the build machine's Python, not on Windows");
#endif
        QStringList words;
        for (const CatalogueList& list : catalogue()) {
            const ListResult bundled = readList(QStringLiteral(TIRAGES_SOURCE_DIR "/") + list.path);
            const ListContent* entries = listEntries(bundled);
            QVERIFY2(entries, qPrintable(list.path));
            // "Mots invariables" holds words of one letter (A, O), which a word
            // list leaves out.
            ListContent playable;
            QByteArray plain;
            for (const Entry& entry : *entries) {
                if (entry.expected.size() < kShortestWord)
                    continue;
                playable << entry;
                plain += entry.expected.toLatin1() + "\r\n";
            }
            const ListResult read = parseList(plain, list.path);
            const ListFile* asWords = fileOf(read);
            QVERIFY(asWords);
            QVERIFY2(asWords->leftOut.isEmpty(), qPrintable(leftOutReport(asWords->leftOut)));
            QCOMPARE(asWords->entries, playable);
            for (const Entry& entry : *entries)
                words << entry.expected;
        }
        QVERIFY(words.size() > 10000);
        // Longer words than the bundled lists hold, up to 15 letters.
        words << "ANTICONFORMISTE"
              << "ABRACADABRANTES"
              << "ZYGOMATIQUES"
              << "WAGONNETS";
        const QStringList expected = buildersDraws(words);
        QCOMPARE(expected.size(), words.size());
        for (qsizetype i = 0; i < words.size(); ++i)
            QCOMPARE(drawOf(words[i]), expected[i]);
        QCOMPARE(drawOf("DENOMMER"), QStringLiteral("DEEMNOR+M"));
    }
};

QTEST_GUILESS_MAIN(TestPlainWords)
#include "core_plainwords.moc"
