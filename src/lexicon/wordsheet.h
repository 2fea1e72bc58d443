#pragma once

// What the lexicon says of the words of a draw once it is corrected: each
// answer between its hooks (« P ROSE E R S Z »), the words of its letters and
// one more (« + E : CHINEE, ECHINE, NICHEE »), and the words typed that the
// lexicon does not know.

#include "lexicon/lexicon.h"

#include <QString>
#include <QStringList>

namespace tirages::lexicon {

struct WordSheet {
    // As shown: each answer between its hooks, the words of one letter more,
    // each word typed that the lexicon does not know.
    QStringList lines;
    QString spoken;    // as a screen reader says it
    bool isEmpty() const { return lines.isEmpty(); }
    friend bool operator==(const WordSheet&, const WordSheet&) = default;
};

// The sheet of a draw whose answers are `answers` (of the same letters), for
// the words `typed` in its box. Empty without answers or without a lexicon.
WordSheet wordSheet(const Lexicon& lexicon, const QStringList& answers, const QStringList& typed);

} // namespace tirages::lexicon
