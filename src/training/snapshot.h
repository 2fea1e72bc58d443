#pragma once

#include "training/state.h"

#include <QDateTime>

namespace tirages::training {

// A training as it can be kept between runs: the entries left in order with
// their success counts, the criterion and its threshold as typed, and what the
// list has cost so far.
struct TrainingSnapshot {
    QList<ListEntry> entries; // none of them eliminated
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
        ListEntry entry; // as the correction left it: its successes, whether it leaves
        QString answer;
        bool right = false;
        qint32 seconds = 0;
    };
    qint16 found = 0;
    qint16 shown = 0;
    qint32 secondsUsed = 0; // of the four minutes
    Criterion criterion = Criterion::Successes;
    QString threshold;
    QList<Answer> answers;
    // Left to who keeps the series: when it was corrected, and the words the
    // training had left then.
    QDateTime at;
    qint32 wordsLeft = -1;
};

} // namespace tirages::training
