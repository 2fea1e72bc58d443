#include "training/questions.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace tirages::training {

QList<Question> questionsOf(const QList<NumberedLine>& lines) {
    QList<Question> questions;
    QHash<QString, qsizetype> byDraw; // draw -> its question
    byDraw.reserve(lines.size());
    for (const NumberedLine& line : lines) {
        const auto found = byDraw.constFind(line.entry.draw);
        if (found == byDraw.cend()) {
            byDraw.insert(line.entry.draw, questions.size());
            questions.append({line.entry.draw, {line.entry.expected}, {line.number},
                              line.successes, false});
            continue;
        }
        Question& question = questions[*found];
        question.successes = std::min(question.successes, line.successes);
        if (question.words.contains(line.entry.expected)) {
            question.lines.append(line.number);
        } else {
            question.lines.insert(question.words.size(), line.number);
            question.words.append(line.entry.expected);
        }
    }
    return questions;
}

QList<Question> questionsOf(const QList<lists::Entry>& lines) {
    QList<NumberedLine> numbered;
    numbered.reserve(lines.size());
    for (const lists::Entry& line : lines)
        numbered.append({line, static_cast<qint32>(numbered.size() + 1), 0});
    return questionsOf(numbered);
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
