#pragma once

// A player's word list completed by the lexicon: each draw is asked with
// every word of the lexicon made of its letters, beside the player's own.

#include "lexicon/lexicon.h"
#include "lists/entry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tirages::lexicon {

struct Completion {
    QList<lists::Entry> entries; // the player's, each draw's added words after its first
    QStringList added;           // the words added, in that order
};

// The entries of a plain word list (words of the same letters sharing a draw)
// with the lexicon's other words of each draw's letters. A word the lexicon
// does not know stays.
Completion completed(const QList<lists::Entry>& entries, const Lexicon& lexicon);

// What the player is told before the training: how many words were added,
// and the first of them.
QString completionReport(const QStringList& added);

} // namespace tirages::lexicon
