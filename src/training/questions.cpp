#include "training/questions.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace tirages::training {

namespace {

// Equal texts, as views: Qt compares them byte for byte, where QString's own
// comparison orders them.
bool same(const QString& a, const QString& b) {
    return QStringView(a) == QStringView(b);
}

// The lines of a draw mostly follow each other: the draw of the last question
// is tried before the others are looked up. `line(i)` gives the entry, the
// number and the successes of line i.
template <typename Line> QList<Question> grouped(qsizetype count, Line line) {
    QList<Question> questions;
    QHash<QString, qsizetype> byDraw; // draw -> its question
    for (qsizetype i = 0; i < count; ++i) {
        const auto [entry, number, successes] = line(i);
        qsizetype index = questions.size() - 1;
        if (questions.isEmpty() || !same(questions.last().draw, entry.draw)) {
            const auto found = byDraw.constFind(entry.draw);
            if (found == byDraw.cend()) {
                byDraw.insert(entry.draw, questions.size());
                questions.append({entry.draw, {entry.expected}, {number}, successes, false});
                continue;
            }
            index = *found;
        }
        Question& question = questions[index];
        question.successes = std::min(question.successes, successes);
        if (std::any_of(question.words.cbegin(), question.words.cend(),
                        [&](const QString& word) { return same(word, entry.expected); })) {
            question.lines.append(number);
        } else {
            question.lines.insert(question.words.size(), number);
            question.words.append(entry.expected);
        }
    }
    return questions;
}

struct LineOf {
    const lists::Entry& entry;
    qint32 number;
    qint32 successes;
};

} // namespace

QList<Question> questionsOf(const QList<NumberedLine>& lines) {
    return grouped(lines.size(), [&](qsizetype i) {
        return LineOf{lines[i].entry, lines[i].number, lines[i].successes};
    });
}

QList<Question> questionsOf(const QList<lists::Entry>& lines) {
    return grouped(lines.size(), [&](qsizetype i) {
        return LineOf{lines[i], static_cast<qint32>(i + 1), 0};
    });
}

Marking mark(const Question& question, const QString& typed) {
    Marking marking;
    if (question.words.size() == 1) {
        marking.right = typed == question.words.first();
        (marking.right ? marking.found : marking.missing) = question.words;
        if (!marking.right && !typed.isEmpty())
            marking.extra << typed;
        marking.typedWords = typed.isEmpty() ? 0 : 1;
        return marking;
    }
    QStringList given;
    for (const QString& word : typed.split(u' ', Qt::SkipEmptyParts)) {
        const QString upper = word.toUpper();
        if (!given.contains(upper))
            given << upper;
    }
    marking.typedWords = given.size();
    for (const QString& word : question.words)
        (given.contains(word) ? marking.found : marking.missing) << word;
    for (const QString& word : std::as_const(given)) {
        if (!question.words.contains(word))
            marking.extra << word;
    }
    marking.right = marking.missing.isEmpty() && marking.extra.isEmpty();
    return marking;
}

qsizetype answerLimit(const Question& question) {
    const qsizetype words = std::max<qsizetype>(question.words.size(), 1);
    return words * question.draw.size() + words - 1;
}

} // namespace tirages::training
