#pragma once

#include "training/state.h"

#include <QDateTime>

namespace tirages::training {

// A training as it can be kept between runs: the entries left in order with
// their success counts, the criterion and its threshold as typed, and what the
// list has cost so far.
struct TrainingSnapshot {
    QList<Question> entries; // none of them eliminated
    Criterion criterion = Criterion::Successes;
    QString threshold;
    qint32 seriesDone = 0;     // series corrected on the list, over every sitting
    qint64 secondsTrained = 0; // time the list has been trained, over every sitting

    friend bool operator==(const TrainingSnapshot&, const TrainingSnapshot&) = default;
};

// A corrected series as it is recorded for the player's statistics and the
// memory: every word of every question shown, each an answer of its own.
struct SeriesRecord {
    struct Answer {
        lists::Entry word; // the draw and one of its words
        qint32 line = 0;   // the word's line in the list file
        QString answer;    // what its box held
        bool right = false; // the word was typed (for a question of one word: the answer was right)
        qint32 seconds = 0; // the box's seconds, shared among the words typed
    };
    QList<Question> questions; // as the correction left them: their successes, whether they leave
    qint16 found = 0;          // questions right
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
