// The memory to and from the cardbox of word-study programs: a SQLite file
// with a row an alphagram, its answers, its box and when it comes back.

#include "files.h"
#include "progress/connection.h"
#include "progress/memory.h"
#include "progress/otherfile.h"
#include "progress/transfers.h"
#include "reviews/cardbox.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSet>
#include <cmath>

namespace tirages::progress {
namespace {

namespace say = texts::carrying;
using reviews::CardboxRow;

// A number of the file as it stands, whatever its type; none for NULL.
std::optional<qint64> numberOf(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number))
        return std::nullopt;
    // Past 2^53 a double no longer holds every integer: what is kept of such a
    // number does not matter, only that it stays far out of any range.
    return static_cast<qint64>(std::clamp(number, -9.0e15, 9.0e15));
}

qint32 countOf(const QVariant& value) {
    return reviews::clampedCount(numberOf(value).value_or(0));
}

// The rows of a cardbox file; or why it is none.
Result<QList<CardboxRow>> readCardbox(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return Failure{files::readFailure(file)};
    OtherFile cardbox(file, true);
    QSqlQuery query(cardbox.db());
    query.setForwardOnly(true);
    if (!cardbox.db().isOpen() ||
        !query.exec(QStringLiteral("SELECT question, correct, incorrect, streak, last_correct,"
                                   " cardbox, next_scheduled FROM questions")))
        return Failure{say::notACardbox.arg(QDir::toNativeSeparators(file))};
    QList<CardboxRow> rows;
    while (query.next()) {
        const std::optional<qint64> box = numberOf(query.value(5));
        rows.append({query.value(0).toString(), countOf(query.value(1)), countOf(query.value(2)),
                     countOf(query.value(3)), numberOf(query.value(4)),
                     box ? std::optional(reviews::clampedCount(*box)) : std::nullopt,
                     numberOf(query.value(6))});
    }
    if (query.lastError().isValid())
        return Failure{texts::files::cannotRead.arg(QDir::toNativeSeparators(file))};
    return rows;
}

QVariant nullable(const std::optional<qint64>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::LongLong));
}

// The rows written in a new cardbox file beside `file`, then put in its place.
Result<Done> writeCardbox(const QString& file, const QMap<QString, CardboxRow>& rows) {
    const QString part = file + kPartEnd;
    QFile::remove(part);
    const bool written = [&] {
        OtherFile cardbox(part, false);
        QSqlQuery query(cardbox.db());
        if (!cardbox.db().isOpen() ||
            !query.exec(
                QStringLiteral("CREATE TABLE questions (question varchar(16), correct integer,"
                               " incorrect integer, streak integer, last_correct integer,"
                               " difficulty integer, cardbox integer, next_scheduled integer)")) ||
            !query.exec(
                QStringLiteral("CREATE UNIQUE INDEX question_index ON questions (question)")) ||
            !cardbox.db().transaction())
            return false;
        query.prepare(QStringLiteral(
            "INSERT INTO questions (question, correct, incorrect, streak, last_correct,"
            " difficulty, cardbox, next_scheduled) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const CardboxRow& row : rows) {
            const QVariantList values = {row.question,
                                         row.correct,
                                         row.incorrect,
                                         row.streak,
                                         nullable(row.lastCorrect),
                                         0,
                                         row.cardbox.value_or(0),
                                         nullable(row.nextScheduled)};
            for (qsizetype i = 0; i < values.size(); ++i)
                query.bindValue(static_cast<int>(i), values[i]);
            if (!query.exec()) {
                query.finish();
                cardbox.db().rollback();
                return false;
            }
        }
        return cardbox.db().commit();
    }();
    const Result<Done> done =
        written ? replaceFile(part, file) : Failure{files::writeFailure(file)};
    if (!done)
        QFile::remove(part);
    return done;
}

} // namespace

Result<CardboxImport> Transfers::importCardbox(const QString& file,
                                               const lists::ListContent& questions) {
    const Result<QList<CardboxRow>> rows = readCardbox(file);
    if (!rows)
        return rows.failure();
    // Every question known, by the letters of its draw.
    QHash<QString, QList<lists::Entry>> known;
    QSet<QPair<QString, QString>> seen;
    const auto know = [&](const lists::Entry& question) {
        if (!seen.contains({question.draw, question.expected})) {
            seen.insert({question.draw, question.expected});
            known[reviews::alphagram(question.draw)].append(question);
        }
    };
    for (const lists::Entry& question : questions)
        know(question);
    if (const auto kept = m_connection.forEach(
            QStringLiteral(
                "SELECT draw, solution FROM entries UNION SELECT draw, solution FROM cards"),
            {},
            [&](const QSqlQuery& row) {
                know({row.value(0).toString(), row.value(1).toString()});
            });
        !kept)
        return kept.failure();
    return m_connection.write([&]() -> Result<CardboxImport> {
        CardboxImport done;
        for (const CardboxRow& row : *rows) {
            const std::optional<reviews::Card> card = reviews::cardFromCardbox(row);
            if (!card)
                continue; // not in the cardbox
            const auto matches = known.constFind(reviews::alphagram(row.question));
            if (matches == known.cend()) {
                done.unknown.append(row.question);
                continue;
            }
            for (const lists::Entry& question : *matches) {
                // Only its id and its last review: a card read whole costs the
                // time of its dates, fifty thousand times.
                std::optional<qint64> id;
                QVariant ownLast;
                (void)m_connection.forEach(
                    QStringLiteral(
                        "SELECT id, last_review FROM cards WHERE draw = ? AND solution = ?"),
                    {text(question.draw), text(question.expected)}, [&](const QSqlQuery& own) {
                        id = own.value(0).toLongLong();
                        ownLast = own.value(1);
                    });
                if (!ownLast.isNull() &&
                    ownLast.toLongLong() >= card->lastReview.toSecsSinceEpoch()) {
                    ++done.keptOwn;
                    continue;
                }
                if (auto put = m_memory.put(question, *card, id); !put)
                    return put.failure();
                ++done.questions;
            }
        }
        return done;
    });
}

Result<qint32> Transfers::exportCardbox(const QString& file) {
    if (auto refused = refuseDatabase(file); !refused)
        return refused.failure();
    QHash<qint64, reviews::Answered> answered; // what the log says of each card's answers
    QMap<QString, CardboxRow> rows;            // in the order of the alphagrams
    const auto read = m_connection.read([&]() -> Result<Done> {
        const auto log = m_connection.forEach(
            QStringLiteral("SELECT card, grade, reviewed FROM reviews ORDER BY id"), {},
            [&](const QSqlQuery& row) {
                reviews::Answered& card = answered[row.value(0).toLongLong()];
                if (row.value(1).toInt() == static_cast<int>(reviews::Grade::Again)) {
                    ++card.wrong;
                    card.streak = 0;
                } else {
                    ++card.right;
                    ++card.streak;
                    card.lastRight = row.value(2).toLongLong();
                }
            });
        if (!log)
            return log;
        return m_memory.forEachCard([&](const lists::Entry& question, const StoredCard& card) {
            const QString alphagram = reviews::alphagram(question.draw);
            CardboxRow& row = rows[alphagram];
            row.question = alphagram;
            reviews::addToCardbox(row, card.card, answered.value(card.id));
        });
    });
    if (!read)
        return read.failure();
    if (auto written = writeCardbox(file, rows); !written)
        return written.failure();
    return static_cast<qint32>(rows.size());
}

} // namespace tirages::progress
