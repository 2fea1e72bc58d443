#include "lexicon/completion.h"

#include "texts.h"

#include <QSet>

namespace tirages::lexicon {
namespace {

constexpr qsizetype kNamedWords = 10; // the words the report names; the others are "…"

} // namespace

Completion completed(const QList<lists::Entry>& entries, const Lexicon& lexicon) {
    QSet<QString> listed;
    for (const lists::Entry& entry : entries)
        listed.insert(entry.expected);
    QSet<QString> draws;
    Completion completion;
    completion.entries.reserve(entries.size());
    for (const lists::Entry& entry : entries) {
        completion.entries.append(entry);
        if (draws.contains(entry.draw))
            continue;
        draws.insert(entry.draw);
        for (const QString& word : lexicon.anagrams(entry.expected)) {
            if (listed.contains(word))
                continue;
            completion.entries.append({entry.draw, word});
            completion.added.append(word);
        }
    }
    return completion;
}

QString completionReport(const QStringList& added) {
    namespace say = texts::lexicon;
    QStringList named = added.first(std::min(added.size(), kNamedWords));
    if (added.size() > kNamedWords)
        named << say::more;
    const QString& sentence = added.size() > 1 ? say::addedMany : say::addedOne;
    return sentence.arg(texts::counted(added.size(), say::lexiconWords),
                        named.join(QStringLiteral(", ")));
}

} // namespace tirages::lexicon
