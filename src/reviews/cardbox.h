#pragma once

// The cardbox of word-study programs: one row an alphagram, with how often it
// was answered right and wrong, the box it sits in and when it comes back.
// Arithmetic only, between such a row and a card of our own schedule.

#include "reviews/fsrs.h"

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace tirages::reviews {

// The days a question waits in each box, from box 0.
inline constexpr std::array<double, 11> kCardboxDays = {1, 4, 7, 12, 20, 30, 60, 90, 150, 270, 480};

struct CardboxRow {
    QString question; // the alphagram
    qint32 correct = 0;
    qint32 incorrect = 0;
    qint32 streak = 0; // right answers in a row, at the end
    std::optional<qint64> lastCorrect;   // Unix seconds
    std::optional<qint32> cardbox;       // none: the question is not in the cardbox
    std::optional<qint64> nextScheduled; // Unix seconds
    friend bool operator==(const CardboxRow&, const CardboxRow&) = default;
};

// A count of a cardbox as it is believed: from 0 to a million.
qint32 clampedCount(qint64 count);

// The letters of a draw in alphabetical order, in capitals, without the '+'
// that sets the letters to add apart: the draws of one alphagram share it.
QString alphagram(QStringView draw);

// The card a row of a cardbox stands for; none when the question is not in
// the cardbox or has no date to come back. A time outside 1990 to 2200 counts
// as absent. Stability: the days from its last success to its next date; 1
// when that is not positive or when it sits in box 0 after a success; 0.2
// when it was never answered right. Difficulty: 5, one more a wrong answer,
// half a point less a right one, between 1 and 10. The stability stays within
// the schedule's longest interval.
std::optional<Card> cardFromCardbox(const CardboxRow& row);

// What the log tells of a question's answers.
struct Answered {
    qint32 right = 0;
    qint32 wrong = 0;
    qint32 streak = 0; // right in a row since the last wrong one
    std::optional<qint64> lastRight; // Unix seconds
};

// The row of an alphagram (its `question` set, no box yet), with one more of
// the questions it stands for: the row comes back when the first of them is
// due, in the box of the least stable, with their answers together. A card
// without a log (one imported) tells its answers from its own counts.
void addToCardbox(CardboxRow& row, const Card& card, const Answered& answered);

// The box of a card: the last whose days its stability reaches, 0 below a day.
qint32 boxOf(double stability);

} // namespace tirages::reviews
