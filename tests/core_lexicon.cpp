// The lexicon: words by spelling and by letters, hooks and words of one letter
// more, the shipped file and a player's word file, a word list completed, the
// word sheet.

#include "lexicon/completion.h"
#include "lexicon/lexiconfile.h"
#include "lexicon/wordsheet.h"

#include <QtTest>

using namespace tirages;
using namespace tirages::lexicon;

namespace {

const Lexicon& small() {
    static const Lexicon lexicon({"NICHE", "CHIEN", "CHINE", "CHIENS", "CHIENT", "CHINES",
                                  "NICHES", "NICHEE", "ECHINE", "CHINEE", "ROSE", "PROSE",
                                  "ROSEE", "ROSER", "ROSES", "ROSEZ", "CHIEN", "ZZ"});
    return lexicon;
}

QString described(const QList<PlusOne>& found) {
    QStringList out;
    for (const PlusOne& plus : found)
        out << QString(plus.letter) + u':' + plus.words.join(u',');
    return out.join(u' ');
}

} // namespace

class TestLexicon : public QObject {
    Q_OBJECT

private slots:
    void wordsBySpellingAndByLetters() {
        const Lexicon& lexicon = small();
        QCOMPARE(lexicon.size(), 17); // CHIEN given twice is one word
        QVERIFY(lexicon.contains(u"CHINE"));
        QVERIFY(!lexicon.contains(u"CHIE"));
        QVERIFY(!lexicon.contains(u"chine"));
        QVERIFY(!lexicon.contains(u""));
        QCOMPARE(lexicon.anagrams(u"NEHIC"), QStringList({"CHIEN", "CHINE", "NICHE"}));
        QCOMPARE(lexicon.anagrams(u"CHIENE"), QStringList({"CHINEE", "ECHINE", "NICHEE"}));
        QCOMPARE(lexicon.anagrams(u"ABC"), QStringList());
        QCOMPARE(lexicon.anagrams(u"CHI-EN"), QStringList());
    }

    void hooksAndWordsOfOneLetterMore() {
        const Lexicon& lexicon = small();
        QCOMPARE(lexicon.hooks(u"CHIEN"), (Hooks{"", "ST"}));
        QCOMPARE(lexicon.hooks(u"ROSE"), (Hooks{"P", "ERSZ"}));
        QCOMPARE(lexicon.hooks(u"ZZ"), Hooks{});
        QCOMPARE(described(lexicon.plusOne(u"CHIEN")),
                 QStringLiteral("E:CHINEE,ECHINE,NICHEE S:CHIENS,CHINES,NICHES T:CHIENT"));
        QVERIFY(lexicon.plusOne(u"ZZ").isEmpty());
    }

    void theSheetOfADraw() {
        const WordSheet sheet = wordSheet(small(), {"CHIEN", "NICHE"}, {"CHIEN", "CHIOT", "CHIOT"});
        QCOMPARE(sheet.lines,
                 QStringList({"CHIEN S T", "NICHE E S",
                              "+ E : CHINEE, ECHINE, NICHEE ; + S : CHIENS, CHINES, NICHES ; "
                              "+ T : CHIENT",
                              "CHIOT n'est pas dans le lexique"}));
        QVERIFY(sheet.spoken.startsWith(
            "CHIEN : rallonges devant : aucune ; derrière : S T. NICHE : rallonges"));
        QVERIFY(sheet.spoken.endsWith(". CHIOT n'est pas dans le lexique"));
        QCOMPARE(wordSheet(small(), {"PROSE"}, {}).lines.last(),
                 QStringLiteral("Aucun mot d'une lettre de plus"));
        QVERIFY(wordSheet(Lexicon(), {"CHIEN"}, {}).isEmpty());
    }

    void aWordListCompleted() {
        // CHIEN brings CHINE and NICHE; ROSE nothing; a word unknown stays.
        const QList<lists::Entry> entries{{"CEHIN", "CHIEN"}, {"EORS", "ROSE"},
                                          {"CEHIN", "NICHE"}, {"ABC", "CAB"}};
        const Completion completion = completed(entries, small());
        QCOMPARE(completion.added, QStringList({"CHINE"}));
        QCOMPARE(completion.entries,
                 (QList<lists::Entry>{{"CEHIN", "CHIEN"}, {"CEHIN", "CHINE"}, {"EORS", "ROSE"},
                                      {"CEHIN", "NICHE"}, {"ABC", "CAB"}}));
        QCOMPARE(completionReport({"CHINE"}),
                 QStringLiteral("1 mot du lexique a les lettres de vos mots ; il est demandé "
                                "aussi : CHINE."));
        QStringList many;
        for (int i = 0; i < 37; ++i)
            many << QStringLiteral("MOT%1").arg(i);
        QVERIFY(completionReport(many).startsWith(
            "37 mots du lexique ont les lettres de vos mots ; ils sont demandés aussi : MOT0, "));
        QVERIFY(completionReport(many).endsWith("MOT9, ….")); // ten named
    }

    void lexiconFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("words"); // empty: refused
        QTest::addColumn<QString>("why");
        QTest::newRow("shipped") << QByteArray("tirages-lexique 1\n0CHIEN\n5S\n3NE\n0NICHE\n")
                                 << QStringList{"CHIEN", "CHIENS", "CHINE", "NICHE"} << "";
        QTest::newRow("shipped, damaged") << QByteArray("tirages-lexique 1\n0CHIEN\n9S\n")
                                          << QStringList{} << "est abîmé";
        QTest::newRow("word file, any case, accents, CR LF")
            << QByteArray("Chien\r\nniché\r\n\r\n  ÉCART \r\nporte-clé\rX\nchien\n")
            << QStringList{"CHIEN", "ECART", "NICHE"} << "";
        QTest::newRow("Windows-1252") << QByteArray("z\xe8" "bre\nc\xe6" "cum\n")
                                      << QStringList{"CAECUM", "ZEBRE"} << "";
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "chien\n")
                                         << QStringList{"CHIEN"} << "";
        QTest::newRow("no word") << QByteArray("\n  \n12\n") << QStringList{}
                                 << "n'a aucun mot de 2 à 32 lettres";
        QTest::newRow("NUL") << QByteArray("CHIEN\n\0\n", 8) << QStringList{}
                             << "n'est pas un fichier de texte";
        QTest::newRow("control characters") << QByteArray("\x01\x02\n\x03\nCHIEN\n")
                                            << QStringList{} << "n'est pas un fichier de texte";
        QTest::newRow("too many lines") << QByteArray(kMaxLexiconLines + 1, '\n')
                                        << QStringList{} << "a plus de 1000000 lignes";
    }
    void lexiconFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QFETCH(QString, why);
        const Result<Lexicon> read = parseLexicon(bytes, QStringLiteral("/x/mots.txt"));
        QCOMPARE(read.ok(), !words.isEmpty());
        if (!read) {
            QVERIFY2(read.why().contains(why), qPrintable(read.why()));
            QVERIFY(read.why().contains(QStringLiteral("« mots.txt »")));
            return;
        }
        QCOMPARE(read->size(), words.size());
        for (const QString& word : words)
            QVERIFY2(read->contains(word), qPrintable(word));
    }

    void filesThatCannotBeRead() {
        QTemporaryDir folder;
        const Result<Lexicon> missing = readLexicon(folder.filePath("absent.txt"));
        QVERIFY(missing.why().startsWith("Le lexique ne peut pas être lu : "));
        QVERIFY(missing.why().endsWith("n'existe pas."));
        QVERIFY(readLexicon(folder.path()).why().endsWith("est un dossier."));
        QFile big(folder.filePath("gros.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(kMaxLexiconBytes + 1));
        big.close();
        QVERIFY(readLexicon(big.fileName()).why().contains("au plus 16 Mo"));
    }
};

QTEST_GUILESS_MAIN(TestLexicon)
#include "core_lexicon.moc"
