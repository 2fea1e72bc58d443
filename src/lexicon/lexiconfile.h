#pragma once

// A lexicon read from a file: the one shipped (lexique.lex, written by the
// list builder: a header line, then each word in alphabetical order as a
// character chr(48 + n) saying it shares its first n letters with the word
// before, and the rest of the word), or a player's word file, read like a
// plain word list: one word a line, UTF-8 or Windows-1252, any case, accents
// allowed, blank lines and what is no word skipped.

#include "lexicon/lexicon.h"
#include "result.h"

#include <QByteArrayView>
#include <QString>

namespace tirages::lexicon {

inline constexpr qsizetype kMaxLexiconLines = 1000000;
inline constexpr qint64 kMaxLexiconBytes = qint64{16} * 1024 * 1024;
inline constexpr qsizetype kShortestLexiconWord = 2;
inline constexpr qsizetype kLongestLexiconWord = 32;
// The shipped lexicon's name, among the lists.
inline constexpr char kShippedFile[] = "lexique.lex";

// The words of a lexicon file held in memory, or why it is refused: no word,
// more than kMaxLexiconLines lines, not text. `path` names it in messages.
Result<Lexicon> parseLexicon(QByteArrayView bytes, const QString& path);

// Reads the file at path; one that cannot be read, or is larger than
// kMaxLexiconBytes, is refused, the latter before a byte of it is read.
Result<Lexicon> readLexicon(const QString& path);

} // namespace tirages::lexicon
