#pragma once

// The schedule of a question's reviews, by FSRS-6 (the Free Spaced Repetition
// Scheduler) with its published default parameters, long-term only: every
// review sets the next one a whole number of days later, and a question
// answered again on the day of its last review keeps its date. Arithmetic
// only: the time of each review and the generator that spreads the intervals
// come from the caller.

#include <QDateTime>
#include <QtGlobal>

class QRandomGenerator;

namespace tirages::reviews {

// FSRS's ratings, in its numbering.
enum class Grade : qint8 { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// FSRS's states, in its numbering; without same-day steps a question is new
// or in review.
enum class CardState : qint8 { New = 0, Review = 2 };

// What the schedule knows of one question.
struct Card {
    CardState state = CardState::New;
    double stability = 0;  // days for the chance of recall to fall to 90 %
    double difficulty = 0; // from 1 to 10
    QDateTime due;         // when it is to be reviewed; none while new
    QDateTime lastReview;  // the review that set `due`
    qint32 scheduledDays = 0;
    qint32 reps = 0;   // reviews that moved its date
    qint32 lapses = 0; // of them, the ones failed after the first
    friend bool operator==(const Card&, const Card&) = default;
};

struct Review {
    Card card;               // the card after the review
    qint32 elapsedDays = 0;  // calendar days since the last review that counted
    bool scheduled = false;  // false: on the day of the last one, or before it
};

inline constexpr double kDesiredRetention = 0.9;
inline constexpr qint32 kMaximumInterval = 36500;

// The card after a review at `at` (calendar days as `at` and the card's dates
// tell them). With `fuzz`, intervals of three days and more are spread a
// little, so that questions learnt together do not all come back together.
Review review(const Card& card, Grade grade, const QDateTime& at,
              QRandomGenerator* fuzz = nullptr);

// The chance of recalling the question at `at`, from 0 to 1; 0 while new.
double retrievability(const Card& card, const QDateTime& at);

} // namespace tirages::reviews
