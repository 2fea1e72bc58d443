#pragma once

// The history of what was trained, as the statistics and the CSV export read
// it. Only read: the trainings and the memory write it. Days are the player's
// calendar days.

#include "lists/listfile.h"
#include "lists/listid.h"
#include "result.h"

#include <QDateTime>
#include <QList>
#include <functional>
#include <optional>

namespace tirages::progress {

class Connection;

struct DayTotal {
    QDate day;
    qint64 seconds = 0; // of the series corrected that day
    qint32 right = 0;
    qint32 answers = 0;
};
struct ListTotal {
    lists::ListId list;
    qint32 entriesAtStart = 0;
    qint32 entriesLeft = 0;
    qint32 seriesDone = 0;
    qint64 secondsTrained = 0;
    qint32 right = 0; // of the answers of every series on the list
    qint32 answers = 0;
    std::optional<QDateTime> finished;
};
struct LeftAfter {
    QDateTime at;
    qint32 wordsLeft = 0;
};
struct MissedQuestion {
    lists::Entry question;
    qint32 misses = 0;
    qint32 answers = 0;
    double meanSeconds = 0;
};
// A review that moved a card: when, and the stability it left.
struct Recall {
    qint64 card = 0;
    QDateTime at;
    double stability = 0;
};
struct WeekOfReviews {
    qint32 week = 0; // counted from the first week asked for
    qint32 reviews = 0;
    qint32 right = 0;
};
struct AnswerRow {
    QDateTime at;
    lists::ListId list;
    lists::Entry question;
    QString answer;
    bool right = false;
    qint32 seconds = 0;
};

class History {
public:
    explicit History(Connection& connection);

    bool hasSeries() const;     // a series was ever corrected
    bool keepsAnything() const; // a training, a series or a question
    QList<DayTotal> dayTotals(const QDate& from) const;
    QList<ListTotal> listTotals() const; // the lists with a training kept
    // The words left after each series of the training kept for the list.
    QList<LeftAfter> wordsLeftAfterSeries(const lists::ListId& list) const;
    // The questions missed at least once, most missed first, then the slowest.
    QList<MissedQuestion> mostMissed(int count) const;
    // For each card, the last review that moved it before `from`, then every
    // one since; by card, then in time.
    QList<Recall> recalls(const QDateTime& from) const;
    // The due dates before `before`, the earliest first.
    QList<QDateTime> dueDates(const QDateTime& before) const;
    // Reviews that tested a memory (a day or more after the last one), by
    // week from `from`.
    QList<WeekOfReviews> reviewsByWeek(const QDateTime& from) const;
    // Every answer recorded, in the order given; `row` returns false to stop.
    Result<Done> forEachAnswer(const std::function<bool(const AnswerRow&)>& row) const;

private:
    Connection& m_connection;
};

} // namespace tirages::progress
