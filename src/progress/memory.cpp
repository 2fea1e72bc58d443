#include "progress/memory.h"

#include "progress/connection.h"
#include "reviews/grades.h"

#include <QHash>
#include <vector>

namespace tirages::progress {
namespace {

using reviews::Card;
using training::SeriesRecord;

const QString kCardColumns =
    QStringLiteral("state, stability, difficulty, due, last_review, scheduled_days, reps, lapses");

// The card from the query's columns of kCardColumns, from `first` on.
Card cardAt(const QSqlQuery& query, int first) {
    Card card;
    card.state = static_cast<reviews::CardState>(query.value(first).toInt());
    card.stability = query.value(first + 1).toDouble();
    card.difficulty = query.value(first + 2).toDouble();
    card.due = timeOf(query.value(first + 3));
    card.lastReview = timeOf(query.value(first + 4));
    card.scheduledDays = query.value(first + 5).toInt();
    card.reps = query.value(first + 6).toInt();
    card.lapses = query.value(first + 7).toInt();
    return card;
}

QVariantList valuesOf(const Card& card) {
    return {static_cast<int>(card.state), card.stability,     card.difficulty, seconds(card.due),
            seconds(card.lastReview),     card.scheduledDays, card.reps,       card.lapses};
}

// A review is worked out at the second it will be kept at.
QDateTime wholeSecond(const QDateTime& at) {
    return QDateTime::fromSecsSinceEpoch(at.toSecsSinceEpoch(), playersZone());
}

} // namespace

Memory::Memory(Connection& connection, QRandomGenerator* fuzz)
    : m_connection(connection), m_fuzz(fuzz) {}

qint32 Memory::dueCount(const QDateTime& before) const {
    return m_connection
        .value(QStringLiteral("SELECT count(*) FROM cards WHERE due < ?"), {seconds(before)})
        .toInt();
}

// A draw comes with every word the memory holds for it, due or not: its
// question expects them all.
lists::ListContent Memory::dueQuestions(const QDateTime& before) const {
    return m_connection.rows<lists::Entry>(
        QStringLiteral("SELECT c.draw, c.solution FROM cards c JOIN"
                       " (SELECT draw, min(due) AS first, min(id) AS first_id FROM cards"
                       " WHERE due < ? GROUP BY draw) d ON d.draw = c.draw"
                       " ORDER BY d.first, d.first_id, c.id"),
        {seconds(before)}, [](const QSqlQuery& row) {
            return lists::Entry{row.value(0).toString(), row.value(1).toString()};
        });
}

lists::ListContent Memory::withTheirDraws(const lists::ListContent& questions) const {
    QHash<QString, lists::ListContent> byDraw;
    QStringList draws; // in the order they come
    for (const lists::Entry& question : questions) {
        if (!byDraw.contains(question.draw))
            draws << question.draw;
        lists::ListContent& lines = byDraw[question.draw];
        if (!lines.contains(question))
            lines << question;
    }
    lists::ListContent all;
    for (const QString& draw : std::as_const(draws)) {
        lists::ListContent& lines = byDraw[draw];
        (void)m_connection.forEach(
            QStringLiteral("SELECT solution FROM cards WHERE draw = ? ORDER BY id"), {text(draw)},
            [&](const QSqlQuery& row) {
                const lists::Entry word{draw, row.value(0).toString()};
                if (!lines.contains(word))
                    lines << word;
            });
        all += lines;
    }
    return all;
}

std::optional<Card> Memory::card(const lists::Entry& question) const {
    const std::optional<StoredCard> found = stored(question);
    return found ? std::optional(found->card) : std::nullopt;
}

std::optional<StoredCard> Memory::stored(const lists::Entry& question) const {
    std::optional<StoredCard> found;
    (void)m_connection.forEach(
        QStringLiteral("SELECT id, %1 FROM cards WHERE draw = ? AND solution = ?")
            .arg(kCardColumns),
        {text(question.draw), text(question.expected)}, [&](const QSqlQuery& row) {
            found = StoredCard{row.value(0).toLongLong(), cardAt(row, 1)};
        });
    return found;
}

QList<LoggedReview> Memory::reviewLog(const lists::Entry& question) const {
    return m_connection.rows<LoggedReview>(
        QStringLiteral("SELECT r.reviewed, r.grade, r.elapsed_days, r.scheduled FROM reviews r"
                       " JOIN cards c ON c.id = r.card WHERE c.draw = ? AND c.solution = ?"
                       " ORDER BY r.id"),
        {text(question.draw), text(question.expected)}, [](const QSqlQuery& row) {
            return LoggedReview{timeOf(row.value(0)),
                                static_cast<reviews::Grade>(row.value(1).toInt()),
                                row.value(2).toInt(), row.value(3).toBool()};
        });
}

Result<Done>
Memory::forEachCard(const std::function<void(const lists::Entry&, const StoredCard&)>& card) const {
    return m_connection.forEach(
        QStringLiteral("SELECT id, draw, solution, %1 FROM cards WHERE state <> 0")
            .arg(kCardColumns),
        {}, [&](const QSqlQuery& row) {
            card({row.value(1).toString(), row.value(2).toString()},
                 {row.value(0).toLongLong(), cardAt(row, 3)});
        });
}

Result<qint64> Memory::put(const lists::Entry& question, const Card& card,
                           std::optional<qint64> id) {
    if (id) {
        const auto updated = m_connection.run(
            QStringLiteral("UPDATE cards SET state = ?, stability = ?, difficulty = ?, due = ?,"
                           " last_review = ?, scheduled_days = ?, reps = ?, lapses = ?"
                           " WHERE id = ?"),
            valuesOf(card) + QVariantList{*id});
        return updated ? Result<qint64>(*id) : updated.failure();
    }
    const auto inserted = m_connection.run(
        QStringLiteral(
            "INSERT INTO cards (draw, solution, %1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(kCardColumns),
        QVariantList{text(question.draw), text(question.expected)} + valuesOf(card));
    if (!inserted)
        return inserted.failure();
    return (*inserted)->lastInsertId().toLongLong();
}

Result<Done> Memory::log(qint64 card, qint64 seriesId, const QDateTime& at, reviews::Grade grade,
                         const reviews::Review& done) {
    const auto logged = m_connection.run(
        QStringLiteral("INSERT INTO reviews (card, series, reviewed, grade, elapsed_days,"
                       " scheduled, stability) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {card, seriesId, seconds(at), static_cast<int>(grade), done.elapsedDays,
         done.scheduled ? 1 : 0, done.card.stability});
    return logged ? Result<Done>(Done{}) : logged.failure();
}

Result<Done> Memory::review(qint64 seriesId, const SeriesRecord& series, const QDateTime& at) {
    const QDateTime when = wholeSecond(at);
    for (const SeriesRecord::Answer& answer : series.answers) {
        const std::optional<StoredCard> known = stored(answer.word);
        const reviews::Grade grade = reviews::gradeOf(answer.right, answer.seconds);
        const reviews::Review done =
            reviews::review(known ? known->card : Card{}, grade, when, m_fuzz);
        Result<qint64> id = known ? Result<qint64>(known->id) : Result<qint64>(Failure{});
        if (!known || done.scheduled)
            id = put(answer.word, done.card, known ? std::optional(known->id) : std::nullopt);
        if (!id)
            return id.failure();
        if (auto logged = log(*id, seriesId, when, grade, done); !logged)
            return logged;
    }
    return Done{};
}

// Inside the step of the schema that adds the memory: cards are worked out in
// memory, in the order the answers were recorded, and written once at the end
// into the empty table, where they take the ids the log gave them.
Result<Done> Memory::replayAnswers() {
    struct Question {
        lists::Entry entry;
        Card card;
    };
    std::vector<Question> questions;
    QHash<QString, qint64> idOf; // draw and expected word -> card id, from 1
    qint64 seriesId = -1;
    QDateTime at;
    Result<Done> logged = Done{};
    const auto read = m_connection.forEach(
        QStringLiteral("SELECT s.id, s.corrected, a.draw, a.solution, a.correct, a.seconds"
                       " FROM answers a JOIN series s ON s.id = a.series ORDER BY s.id, a.rowid"),
        {}, [&](const QSqlQuery& row) {
            if (row.value(0).toLongLong() != seriesId) {
                seriesId = row.value(0).toLongLong();
                at = wholeSecond(timeOfAnyVersion(row.value(1)));
            }
            if (!at.isValid() || !logged)
                return;
            const lists::Entry entry{row.value(2).toString(), row.value(3).toString()};
            qint64& id = idOf[entry.draw + u'\n' + entry.expected];
            if (id == 0) {
                questions.push_back({entry, Card{}});
                id = static_cast<qint64>(questions.size());
            }
            Card& card = questions[static_cast<std::size_t>(id - 1)].card;
            const reviews::Grade grade =
                reviews::gradeOf(row.value(4).toBool(), row.value(5).toInt());
            const reviews::Review done = reviews::review(card, grade, at, m_fuzz);
            card = done.card;
            logged = log(id, seriesId, at, grade, done);
        });
    if (!read || !logged)
        return read ? logged : read;
    for (const Question& question : questions) {
        if (auto put = this->put(question.entry, question.card, std::nullopt); !put)
            return put.failure();
    }
    return Done{};
}

} // namespace tirages::progress
