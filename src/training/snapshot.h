#pragma once

#include "training/state.h"

namespace tirages {

// A training as it can be kept between runs: the entries left in order with
// their success counts, the criterion and its threshold as typed, and what the
// list has cost so far.
struct TrainingSnapshot {
    struct Entry {
        QString draw;
        QString solution;
        qint32 reussites = 0;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    QList<Entry> entries;
    Criterion criterion = Criterion::Successes;
    QString threshold;
    qint32 seriesDone = 0;     // series corrected on the list, over every sitting
    qint64 secondsTrained = 0; // time the list has been trained, over every sitting

    friend bool operator==(const TrainingSnapshot&, const TrainingSnapshot&) = default;
};

} // namespace tirages
