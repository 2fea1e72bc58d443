#pragma once

#include "lists/entry.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace tirages::lists {

// A plain word list holds one word a line and no ';'. Each word is trained in
// its Scrabble spelling, with the draw the bundled lists give it.

inline constexpr qsizetype kShortestWord = 2;
inline constexpr qsizetype kLongestWord = 15;

// The Scrabble spelling of a word: capitals A to Z, accents dropped, Œ as OE
// and Æ as AE, surrounding spaces dropped. Empty when the word holds anything
// else (a hyphen, an apostrophe, a space, a digit...).
QString scrabbleSpelling(QStringView text);

// The draw of a word in Scrabble spelling: its letters in alphabetical order;
// past seven letters, a rack of seven, "+", and the letters on the board, each
// part in alphabetical order. The board letters are picked from the word by
// its SHA-256 hash, the way the list builder picks them, so the same word gets
// the same draw in a bundled list and in a player's word list.
QString drawOf(const QString& word);

// A line of a plain word list that is not trained, and why.
struct LeftOutWord {
    enum class Reason {
        NotAWord,    // does not spell 2 to 15 letters A to Z
        Duplicate,   // the same word as an earlier line
    };
    qsizetype line = 0; // 1-based
    QString text;       // as it stands in the file, trimmed
    Reason reason = Reason::NotAWord;
    QString earlier; // the same word, as the earlier line has it
    qsizetype earlierLine = 0;
    friend bool operator==(const LeftOutWord&, const LeftOutWord&) = default;
};

// A line of a plain word list, decoded.
struct WordLine {
    qsizetype line = 0;
    QString text;
};

// The entries the words give, in file order, and the words left out. Words
// made of the same letters share the draw of the first of them: they are one
// question.
struct TrainedWords {
    QList<Entry> entries;
    QList<LeftOutWord> leftOut;
};
TrainedWords trainedWords(const QList<WordLine>& lines);

// What the launcher tells of the words left out: how many, and the first few
// with their line numbers.
QString leftOutReport(const QList<LeftOutWord>& leftOut);

} // namespace tirages::lists
