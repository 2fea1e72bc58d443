#pragma once

// The memory of questions: a card per question (draw and expected word) with
// its schedule of reviews, and the log of every review. The trainings review
// the answers of each series they keep, in their own transaction.

#include "lists/listfile.h"
#include "result.h"
#include "reviews/fsrs.h"
#include "training/snapshot.h"

#include <QDateTime>
#include <QList>
#include <functional>
#include <optional>

class QRandomGenerator;

namespace tirages::progress {

class Connection;

// One review of a question, as the log keeps it.
struct LoggedReview {
    QDateTime at;
    reviews::Grade grade = reviews::Grade::Again;
    qint32 elapsedDays = 0;
    bool scheduled = false; // it moved the question's date
    friend bool operator==(const LoggedReview&, const LoggedReview&) = default;
};

// A card as the memory holds it.
struct StoredCard {
    qint64 id = 0;
    reviews::Card card;
};

class Memory {
public:
    // `fuzz` spreads the intervals of the reviews; none: the plain intervals.
    Memory(Connection& connection, QRandomGenerator* fuzz);

    qint32 dueCount(const QDateTime& before) const;
    // The questions due before that time, the longest due first, each with
    // the other words of its draw.
    lists::ListContent dueQuestions(const QDateTime& before) const;
    // The questions given, each followed by the other words the memory holds
    // for its draw: a draw is asked with all its words.
    lists::ListContent withTheirDraws(const lists::ListContent& questions) const;
    std::optional<reviews::Card> card(const lists::Entry& question) const;
    std::optional<StoredCard> stored(const lists::Entry& question) const;
    QList<LoggedReview> reviewLog(const lists::Entry& question) const;

    // Each answer of the series recorded as `seriesId`, a review of its
    // question at `at`.
    Result<Done> review(qint64 seriesId, const training::SeriesRecord& series, const QDateTime& at);
    // The card of a question written: over the one it had (`id`), or new.
    Result<qint64> put(const lists::Entry& question, const reviews::Card& card,
                       std::optional<qint64> id);
    // Every card that left the state of a new question, with its question.
    Result<Done>
    forEachCard(const std::function<void(const lists::Entry&, const StoredCard&)>& card) const;
    // The memory made anew from every answer ever recorded, replayed in order.
    Result<Done> replayAnswers();

private:
    Result<Done> log(qint64 card, qint64 seriesId, const QDateTime& at, reviews::Grade grade,
                     const reviews::Review& done);

    Connection& m_connection;
    QRandomGenerator* m_fuzz;
};

} // namespace tirages::progress
