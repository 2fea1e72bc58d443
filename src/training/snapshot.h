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
        qint32 line = 0; // in the list file the training began from
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    QList<Entry> entries;
    Criterion criterion = Criterion::Successes;
    QString threshold;
    qint32 seriesDone = 0;     // series corrected on the list, over every sitting
    qint64 secondsTrained = 0; // time the list has been trained, over every sitting

    friend bool operator==(const TrainingSnapshot&, const TrainingSnapshot&) = default;
};

// A corrected series as it is recorded for the player's statistics: every
// answer judged, with its entry and the seconds its box held the focus.
struct SeriesRecord {
    struct Answer {
        qint32 line = 0; // the entry's line in the list file
        QString draw;
        QString solution;
        QString answer;
        bool right = false;
        qint32 seconds = 0;
        qint32 reussites = 0;    // the entry's successes after the correction
        bool eliminated = false; // the entry left the list
    };
    qint16 found = 0;
    qint16 shown = 0;
    qint32 secondsUsed = 0; // of the four minutes
    Criterion criterion = Criterion::Successes;
    QString threshold;
    QList<Answer> answers;
};

} // namespace tirages
