#pragma once

// The questions of a training: the lines of a list file that share a draw are
// one question, whose answers are the words of those lines. How an answer box
// is judged against a question.

#include "lists/entry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTypeInfo>

namespace tirages::training {

// One question of the list and how the training stands with it.
struct Question {
    QString draw;
    QStringList words; // its answers, in file order, each once
    // Its lines in the list file the training began from, from 1: lines[i]
    // holds words[i]; any after the words' own repeat one of them.
    QList<qint32> lines;
    qint32 successes = 0;    // times found
    bool eliminated = false; // leaves the list at the next compaction

    // The memory's question of each word: the draw and that word.
    lists::Entry entryOf(qsizetype word) const { return {draw, words[word]}; }
    friend bool operator==(const Question&, const Question&) = default;
};

} // namespace tirages::training

// Its texts and lists may be moved in memory as bytes.
Q_DECLARE_TYPEINFO(tirages::training::Question, Q_RELOCATABLE_TYPE);

namespace tirages::training {

// A line of a list file with its number and the successes it was kept with.
struct NumberedLine {
    lists::Entry entry;
    qint32 number = 0;
    qint32 successes = 0;
};

// The lines that share a draw (character for character) as one question, in
// the order of their first lines; a word twice counts once. A question keeps
// the lowest success count of its lines.
QList<Question> questionsOf(const QList<NumberedLine>& lines);
// The lines of a file, numbered from 1, none found yet.
QList<Question> questionsOf(const QList<lists::Entry>& lines);

// What an answer box holds, against its question.
struct Marking {
    bool right = false;
    QStringList found;        // the words typed, in the question's order
    QStringList missing;      // the words not typed, in the question's order
    QStringList extra;        // words typed that are no answer, in typed order, each once
    qsizetype typedWords = 0; // different words typed
};

// A question of one word is right when the box holds that word, character for
// character. A question of several is right when the box holds each of them
// and nothing else, separated by spaces, in any order and any case.
Marking mark(const Question& question, const QString& typed);

// The longest text the answer box of a question takes: its draw's length for
// one word; for k words, k times that and a space between them.
qsizetype answerLimit(const Question& question);

} // namespace tirages::training
