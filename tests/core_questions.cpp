// Draws of several words: the lines of a list grouped into questions, an
// answer judged against every word, the score, the criteria and what each word
// gives the memory.

#include "support/testsupport.h"
#include "training/questions.h"
#include "training/training.h"

#include <QtTest>

using namespace tirages;
using namespace tirages::training;

namespace {

// "ACERT:CARTE ECART@1,2" for each question.
QStringList described(const QList<Question>& questions) {
    QStringList out;
    for (const Question& q : questions) {
        QStringList lines;
        for (const qint32 line : q.lines)
            lines << QString::number(line);
        out << QStringLiteral("%1:%2@%3/%4")
                   .arg(q.draw, q.words.join(u' '), lines.join(u','))
                   .arg(q.successes);
    }
    return out;
}

const lists::ListContent kList{{"ACERT", "CARTE"},
                               {"ABERR", "ARBRE"},
                               {"ACERT", "ECART"},
                               {"ACERT", "TRACE"},
                               {"ABELT", "TABLE"}};

} // namespace

class TestQuestions : public QObject {
    Q_OBJECT

private slots:
    void linesThatShareADrawAreOneQuestion() {
        QCOMPARE(
            described(questionsOf(kList)),
            (QStringList{"ACERT:CARTE ECART TRACE@1,3,4/0", "ABERR:ARBRE@2/0", "ABELT:TABLE@5/0"}));
        // Character for character; a word twice counts once, its line kept
        // after the words' own; the lowest success count of the lines.
        const QList<NumberedLine> kept{{{"ACERT", "CARTE"}, 1, 3},
                                       {{"ACERT", "CARTE"}, 2, 1},
                                       {{"ACERT ", "ECART"}, 3, 0},
                                       {{"acert", "TRACE"}, 4, 0},
                                       {{"ACERT", "ECART"}, 7, 2}};
        QCOMPARE(described(questionsOf(kept)),
                 (QStringList{"ACERT:CARTE ECART@1,7,2/1", "ACERT :ECART@3/0", "acert:TRACE@4/0"}));
    }

    // Each case: the words, what is typed, and the marking as
    // "right|missing|extra|words typed".
    void answersAreJudgedAgainstEveryWord_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("marking");
        const QString three = "CARTE ECART TRACE";
        QTest::newRow("all, in another order") << three << "TRACE CARTE ECART"
                                               << "1|||3";
        QTest::newRow("any case, spaces around") << three << "  trace  Carte ecart "
                                                 << "1|||3";
        QTest::newRow("a word twice") << three << "TRACE CARTE ECART TRACE"
                                      << "1|||3";
        QTest::newRow("an extra word") << three << "TRACE CARTE ECART CRATE"
                                       << "0||CRATE|4";
        QTest::newRow("missing, extra") << three << "ECART CRATE CARTE"
                                        << "0|TRACE|CRATE|3";
        QTest::newRow("nothing typed") << three << ""
                                       << "0|CARTE ECART TRACE||0";
        QTest::newRow("one word, as typed") << "ARBRE"
                                            << "ARBRE"
                                            << "1|||1";
        QTest::newRow("one word, a space kept") << "ARBRE"
                                                << "ARBRE "
                                                << "0|ARBRE|ARBRE |1";
        QTest::newRow("one word, case kept") << "ARBRE"
                                             << "arbre"
                                             << "0|ARBRE|arbre|1";
    }
    void answersAreJudgedAgainstEveryWord() {
        QFETCH(QString, words);
        QFETCH(QString, typed);
        const Marking m = mark({"X", words.split(u' '), {}, 0, false}, typed);
        QTEST(QStringLiteral("%1|%2|%3|%4")
                  .arg(int(m.right))
                  .arg(m.missing.join(u' '), m.extra.join(u' '))
                  .arg(m.typedWords),
              "marking");
        QCOMPARE(m.found.size() + m.missing.size(), words.split(u' ').size());
    }

    // A series on a list with a draw of three words: the box takes what they
    // need, « Valider » adds a word, the correction counts words, a wrong
    // answer shows what it missed, and each word is an answer of the memory.
    void aSeriesWithADrawOfThreeWords() {
        Training t(test::countingSeeds());
        t.start(kList);
        QCOMPARE(t.state().entryCount(), 3);
        const int acert = test::slotShowing(t, "ECART");
        const int arbre = test::slotShowing(t, "ARBRE");
        const auto boxOf = [&](int slot) { return t.state().boxes[std::size_t(slot)]; };
        QCOMPARE(t.screen().slotViews[std::size_t(acert)].draw, QStringLiteral("ACERT ×3"));
        QCOMPARE(t.screen().slotViews[std::size_t(acert)].spoken,
                 QStringLiteral("Tirage : ACERT, 3 mots"));

        t.answerFocused(acert);
        t.answerEdited(acert, QString(30, u'X'));
        QCOMPARE(boxOf(acert).typed.size(), 17); // 3 × 5 letters and 2 spaces
        t.answerEdited(acert, "TRACE");
        t.searchBoxClicked();
        t.searchEdited("CRATE");
        t.validate();
        QCOMPARE(boxOf(acert).typed, QStringLiteral("TRACE CRATE"));
        t.answerFocused(acert);
        QCOMPARE(t.screen().wordsLine, QStringLiteral("TRACE CRATE"));
        for (int i = 0; i < 9; ++i)
            t.countdownTick();
        test::answerRight(t, arbre);
        t.correct();

        QCOMPARE(t.screen().score, QStringLiteral("1/3 · 2/5 mots"));
        const SlotBoxes wrong = boxOf(acert);
        QCOMPARE(wrong.typed, QStringLiteral("TRACE CRATE")); // kept, struck out
        QVERIFY(wrong.struckOut);
        QCOMPARE(t.screen().slotViews[std::size_t(acert)].draw, QStringLiteral("CARTE ECART"));
        QCOMPARE(t.screen().slotViews[std::size_t(acert)].spoken,
                 QStringLiteral("Faux : 1 mot sur 3, manque : CARTE, ECART, en trop : CRATE"));
        t.otherControlFocused();
        t.answerFocused(acert);
        QCOMPARE(t.screen().wordsLine, QStringLiteral("Manque : CARTE, ECART · En trop : CRATE"));
        QCOMPARE(t.screen().tiles[0].caption, QStringLiteral("C")); // CARTE, the first missing

        // Each word an answer: the word found has the box's nine seconds
        // shared between the two words typed.
        QStringList answers;
        for (const SeriesRecord::Answer& a : t.lastSeries().answers) {
            if (a.word.draw == "ACERT")
                answers << QStringLiteral("%1@%2:%3:%4")
                               .arg(a.word.expected)
                               .arg(a.line)
                               .arg(a.right ? "found" : "missed")
                               .arg(a.seconds);
        }
        QCOMPARE(answers, (QStringList{"CARTE@1:missed:9", "ECART@3:missed:9", "TRACE@4:found:5"}));

        // The next series: the three words in another order, in lower case.
        t.newSeries();
        const int again = test::slotShowing(t, "TRACE");
        t.answerEdited(again, "ecart trace carte");
        t.correct();
        QCOMPARE(boxOf(again).result, SlotResult::Right);
        QCOMPARE(t.state().draws(), QStringList{"ABELT"}); // threshold 1: both found left
    }

    // « Eliminer un mot trouvé en moins de N secondes »: a question of k words
    // is fast when its whole answer took less than k × N seconds.
    void theSecondsCriterionCountsEachWord_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("14 s for three words under 5 s") << 14 << true;
        QTest::newRow("15 s") << 15 << false;
    }
    void theSecondsCriterionCountsEachWord() {
        QFETCH(int, seconds);
        Training t(test::countingSeeds());
        t.switchCriterion(); // 5 seconds
        t.start(kList);
        const int acert = test::slotShowing(t, "TRACE");
        t.answerFocused(acert);
        for (int i = 0; i < seconds; ++i)
            t.stopwatchTick();
        t.answerEdited(acert, "CARTE ECART TRACE");
        t.otherControlFocused();
        t.correct();
        QTEST(!t.state().draws().contains("ACERT"), "leaves");
    }
};

QTEST_GUILESS_MAIN(TestQuestions)
#include "core_questions.moc"
