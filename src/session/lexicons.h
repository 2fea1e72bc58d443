#pragma once

// The lexicon in force: the one shipped, or a word file the player chose,
// kept among the preferences. It is read when first needed, off the caller's
// thread; whoever needs it then waits no longer than the read itself.

#include "lexicon/lexicon.h"
#include "result.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <future>
#include <memory>

namespace tirages::progress {
class Store;
}

namespace tirages::session {

class Lexicons {
public:
    // dataDirs: where the shipped lexicon is looked for besides data/ in the
    // working directory; store: where the choice is kept, when there is one.
    Lexicons(QStringList dataDirs, std::function<progress::Store*()> store);
    ~Lexicons(); // waits for a read under way

    // Starts reading the lexicon in force, unless it is read or being read.
    void prefetch();
    // The lexicon in force, read; null when none could be.
    std::shared_ptr<const lexicon::Lexicon> lexicon();

    // The player's word file, read now: refused (the lexicon in force stays)
    // when it cannot be used. An empty path goes back to the one shipped.
    Result<Done> choose(const QString& path);
    // The word file chosen; empty for the one shipped.
    QString chosen() const;
    // What the launcher says of it: empty for the one shipped, else the file
    // in force and its words, or why the one shipped is used instead.
    QString line();

private:
    struct Read {
        std::shared_ptr<const lexicon::Lexicon> lexicon;
        QString trouble; // why the lexicon chosen is not the one in force
    };
    QString shippedPath() const;
    // The file the lexicon in force is read from: the one chosen while it exists.
    QString wanted() const;
    void start(const QString& path);

    QStringList m_dataDirs;
    std::function<progress::Store*()> m_store;
    QString m_chosen;   // the choice, while there is no store to keep it
    QString m_readFrom; // what m_reading reads, or has read
    std::shared_future<Read> m_reading;
};

} // namespace tirages::session
