// The memory of questions: a card per question (draw and solution) with its
// schedule, and the log of every review, written in the transaction of the
// series whose answers they are.

#include "progress/database.h"
#include "progress/store.h"
#include "reviews/grades.h"

#include <QHash>
#include <vector>

namespace tirages::progress {
namespace {

using reviews::Card;

// A review is worked out at the second it will be kept at.
QDateTime wholeSecond(const QDateTime& at) {
    return QDateTime::fromSecsSinceEpoch(at.toSecsSinceEpoch(), playersZone());
}

} // namespace

const QString kCardColumns = QStringLiteral(
    "state, stability, difficulty, due, last_review, scheduled_days, reps, lapses");

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
    return {static_cast<int>(card.state), card.stability,   card.difficulty,
            seconds(card.due),            seconds(card.lastReview), card.scheduledDays,
            card.reps,                    card.lapses};
}


// Each answer, a review of its question. The statements are prepared once
// for the life of the connection: a correction runs about ninety of them.
bool Store::Database::reviewAnswers(qint64 seriesId, const training::SeriesRecord& series,
                                    const QDateTime& at) {
    if (!reviewing) {
        reviewing = std::make_unique<Reviewing>(Reviewing{QSqlQuery(db), QSqlQuery(db),
                                                          QSqlQuery(db), QSqlQuery(db)});
        reviewing->find.prepare(
            QStringLiteral("SELECT id, %1 FROM cards WHERE draw = ? AND solution = ?")
                .arg(kCardColumns));
        reviewing->insert.prepare(QStringLiteral("INSERT INTO cards (draw, solution, %1)"
                                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                      .arg(kCardColumns));
        reviewing->update.prepare(QStringLiteral(
            "UPDATE cards SET state = ?, stability = ?, difficulty = ?, due = ?,"
            " last_review = ?, scheduled_days = ?, reps = ?, lapses = ? WHERE id = ?"));
        reviewing->log.prepare(QStringLiteral(
            "INSERT INTO reviews (card, series, reviewed, grade, elapsed_days, scheduled,"
            " stability) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    }
    auto& [find, insert, update, log] = *reviewing;
    const QDateTime when = wholeSecond(at);
    for (const training::SeriesRecord::Answer& answer : series.answers) {
        if (!run(find, {text(answer.entry.draw), text(answer.entry.expected)}))
            return false;
        const bool known = find.next();
        const Card card = known ? cardAt(find, 1) : Card{};
        qint64 id = known ? find.value(0).toLongLong() : 0;
        find.finish();
        const reviews::Grade grade = reviews::gradeOf(answer.right, answer.seconds);
        const reviews::Review done = reviews::review(card, grade, when, fuzz);
        if (!known) {
            if (!run(insert, QVariantList{text(answer.entry.draw), text(answer.entry.expected)} +
                                 valuesOf(done.card)))
                return false;
            id = insert.lastInsertId().toLongLong();
        } else if (done.scheduled && !run(update, valuesOf(done.card) + QVariantList{id})) {
            return false;
        }
        if (!run(log, {id, seriesId, seconds(when), static_cast<int>(grade), done.elapsedDays,
                       done.scheduled ? 1 : 0, done.card.stability}))
            return false;
    }
    return true;
}

// Inside the step that adds the memory: cards are worked out in memory, in
// the order the answers were recorded, and written once at the end.
bool Store::Database::replayAnswers() {
    QSqlQuery answers(db);
    answers.setForwardOnly(true);
    if (!answers.exec(QStringLiteral(
            "SELECT s.id, s.corrected, a.draw, a.solution, a.correct, a.seconds"
            " FROM answers a JOIN series s ON s.id = a.series ORDER BY s.id, a.rowid")))
        return failed(answers.lastError());
    QSqlQuery log(db);
    log.prepare(QStringLiteral("INSERT INTO reviews (card, series, reviewed, grade, elapsed_days,"
                               " scheduled, stability) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    struct Question {
        QString draw, solution;
        Card card;
    };
    std::vector<Question> questions;
    QHash<QString, qint64> idOf; // draw and solution -> card id, from 1
    qint64 seriesId = -1;
    QDateTime at;
    while (answers.next()) {
        if (answers.value(0).toLongLong() != seriesId) {
            seriesId = answers.value(0).toLongLong();
            at = wholeSecond(QDateTime::fromString(answers.value(1).toString(), Qt::ISODateWithMs));
        }
        if (!at.isValid())
            continue;
        const QString draw = answers.value(2).toString();
        const QString solution = answers.value(3).toString();
        qint64& id = idOf[draw + u'\n' + solution];
        if (id == 0) {
            questions.push_back({draw, solution, Card{}});
            id = static_cast<qint64>(questions.size());
        }
        Card& card = questions[static_cast<std::size_t>(id - 1)].card;
        const reviews::Grade grade =
            reviews::gradeOf(answers.value(4).toBool(), answers.value(5).toInt());
        const reviews::Review done = reviews::review(card, grade, at, fuzz);
        card = done.card;
        if (!run(log, {id, seriesId, seconds(at), static_cast<int>(grade), done.elapsedDays,
                       done.scheduled ? 1 : 0, done.card.stability}))
            return false;
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO cards (id, draw, solution, %1)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                       .arg(kCardColumns));
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const Question& question = questions[i];
        if (!run(insert,
                     QVariantList{static_cast<qint64>(i + 1), question.draw, question.solution} +
                         valuesOf(question.card)))
            return false;
    }
    return true;
}

qint32 Store::dueCount(const QDateTime& before) const {
    if (!usable())
        return 0;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral("SELECT count(*) FROM cards WHERE due < ?"));
    query.addBindValue(seconds(before));
    return query.exec() && query.next() ? query.value(0).toInt() : 0;
}

lists::ListContent Store::dueQuestions(const QDateTime& before) const {
    lists::ListContent due;
    if (!usable())
        return due;
    QSqlQuery query(m_db->db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT draw, solution FROM cards WHERE due < ? ORDER BY due, id"));
    query.addBindValue(seconds(before));
    if (query.exec()) {
        while (query.next())
            due.append({query.value(0).toString(), query.value(1).toString()});
    }
    return due;
}

std::optional<Card> Store::card(const lists::Entry& question) const {
    if (!usable())
        return std::nullopt;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral("SELECT %1 FROM cards WHERE draw = ? AND solution = ?")
                      .arg(kCardColumns));
    query.addBindValue(text(question.draw));
    query.addBindValue(text(question.expected));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return cardAt(query, 0);
}

QList<LoggedReview> Store::reviewLog(const lists::Entry& question) const {
    QList<LoggedReview> log;
    if (!usable())
        return log;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral(
        "SELECT r.reviewed, r.grade, r.elapsed_days, r.scheduled FROM reviews r"
        " JOIN cards c ON c.id = r.card WHERE c.draw = ? AND c.solution = ? ORDER BY r.id"));
    query.addBindValue(text(question.draw));
    query.addBindValue(text(question.expected));
    if (query.exec()) {
        while (query.next())
            log.append({timeOf(query.value(0)), static_cast<reviews::Grade>(query.value(1).toInt()),
                        query.value(2).toInt(), query.value(3).toBool()});
    }
    return log;
}

} // namespace tirages::progress
