#pragma once

// The trainings kept across runs, a list each, and the series corrected on
// them. The training core knows nothing of it: it gives snapshots, and this
// keeps them. Every answer of a series kept is also a review of its question
// in the memory, in the same transaction.

#include "lists/listfile.h"
#include "lists/listid.h"
#include "result.h"
#include "training/snapshot.h"

#include <QDateTime>
#include <QList>
#include <optional>

namespace tirages::progress {

class Connection;
class Memory;

// A kept training as the launcher tells it.
struct Summary {
    qint32 entriesLeft = 0;    // words left: the lines of the questions left
    qint32 entriesAtStart = 0; // lines of the list file the training began from
    qint32 seriesDone = 0;
    qint64 secondsTrained = 0;
    std::optional<QDateTime> finished; // when " BRAVO! " ended it
    qint64 revision = 0;               // changes with every save
};

// A kept training and the lines of the file it began from, to tell how the
// file has changed since.
struct Kept {
    Summary summary;
    training::TrainingSnapshot snapshot;
    lists::ListContent fileLines; // in file order; an entry's line is its place here, from 1
};

// How a list file differs from the one a training began from, line by line
// (draw and expected word).
struct FileChange {
    qint32 added = 0;
    qint32 removed = 0;
    bool any() const { return added > 0 || removed > 0; }
};
FileChange compareLines(const lists::ListContent& before, const lists::ListContent& now);

// The training taken up on a list file that changed: entries still in the file
// keep their success counts (or stay eliminated), entries gone leave, entries
// new in the file join with none; all in the order of the file as it is now.
training::TrainingSnapshot mergeWithFile(const Kept& kept, const lists::ListContent& now);

// One save of a training, whole or not at all.
struct Save {
    const training::TrainingSnapshot& training;  // as it stands now
    const lists::ListContent& fileLines;         // the file its entries' lines number
    const QList<training::SeriesRecord>& series; // corrected since the last save that was kept
    QDateTime at;
    // The revision this program last kept of the list. While the database
    // still holds it, only what the series changed is written; otherwise, or
    // without one, the training is written whole.
    std::optional<qint64> base;
    bool afresh = false; // a training begun: it replaces the one kept before
};

class Trainings {
public:
    Trainings(Connection& connection, Memory& memory);

    std::optional<Summary> summary(const lists::ListId& list) const;
    std::optional<Kept> load(const lists::ListId& list) const;
    // Keeps a training, with the series given: its new revision.
    Result<qint64> save(const lists::ListId& list, const Save& save);
    // Series of a training that is not kept (built from the memory): recorded
    // with their reviews.
    Result<Done> record(const lists::ListId& list, const QList<training::SeriesRecord>& series,
                        const QDateTime& at);
    // The training kept for the list, gone.
    Result<Done> forget(const lists::ListId& list);

private:
    Result<Done> writeWhole(const QString& list, const Save& save, qint64 revision);
    Result<Done> writeChanges(const QString& list, const Save& save, qint64 revision);
    Result<Done> recordSeries(const QString& list, const training::SeriesRecord& series,
                              const QDateTime& saved);

    Connection& m_connection;
    Memory& m_memory;
};

} // namespace tirages::progress
