// Writing a training, each save in one transaction: whole when it begins, when
// an earlier save was not kept or another program wrote the list since; else
// only what its series changed.

#include "progress/trainings.h"

#include "progress/connection.h"
#include "progress/memory.h"

#include <QHash>
#include <QRandomGenerator>

namespace tirages::progress {

using namespace training;

namespace {

// Each save marks the training with a revision no other save gives, so that a
// program can tell whether another has saved the list since it last did.
qint64 newRevision() {
    return static_cast<qint64>(QRandomGenerator::global()->generate64() >> 1);
}

bool isFinished(const TrainingSnapshot& training) {
    return training.entries.isEmpty() && training.seriesDone > 0;
}

int criterionCode(Criterion criterion) {
    return criterion == Criterion::Seconds ? 1 : 0;
}

Criterion criterionOf(int code) {
    return code == 1 ? Criterion::Seconds : Criterion::Successes;
}

} // namespace

Trainings::Trainings(Connection& connection, Memory& memory)
    : m_connection(connection), m_memory(memory) {}

std::optional<Summary> Trainings::summary(const lists::ListId& list) const {
    std::optional<Summary> summary;
    (void)m_connection.forEach(
        QStringLiteral("SELECT entries_at_start, series_done, seconds_trained, finished, revision,"
                       " (SELECT count(*) FROM entries WHERE list = ? AND left_in = 1)"
                       " FROM trainings WHERE list = ?"),
        {list.key(), list.key()}, [&](const QSqlQuery& row) {
            summary =
                Summary{row.value(5).toInt(),      row.value(0).toInt(), row.value(1).toInt(),
                        row.value(2).toLongLong(), std::nullopt,         row.value(4).toLongLong()};
            if (!row.value(3).isNull())
                summary->finished = timeOf(row.value(3));
        });
    return summary;
}

// One read transaction: the summary and the entries of the same save.
std::optional<Kept> Trainings::load(const lists::ListId& list) const {
    const auto read = m_connection.read([&]() -> Result<Kept> {
        const std::optional<Summary> summary = this->summary(list);
        if (!summary)
            return Failure{};
        Kept kept{*summary, {}, {}};
        (void)m_connection.forEach(
            QStringLiteral("SELECT criterion, threshold FROM trainings WHERE list = ?"),
            {list.key()}, [&](const QSqlQuery& row) {
                kept.snapshot.criterion = criterionOf(row.value(0).toInt());
                kept.snapshot.threshold = row.value(1).toString();
            });
        kept.snapshot.seriesDone = summary->seriesDone;
        kept.snapshot.secondsTrained = summary->secondsTrained;
        QList<NumberedLine> left; // the lines still trained, grouped into questions below
        const auto entries = m_connection.forEach(
            QStringLiteral("SELECT line, draw, solution, reussites, left_in FROM entries"
                           " WHERE list = ? ORDER BY line"),
            {list.key()}, [&](const QSqlQuery& row) {
                const lists::Entry line{row.value(1).toString(), row.value(2).toString()};
                kept.fileLines.append(line);
                if (row.value(4).toBool())
                    left.append({line, row.value(0).toInt(), row.value(3).toInt()});
            });
        kept.snapshot.entries = questionsOf(left);
        if (!entries)
            return entries.failure();
        return kept;
    });
    return read ? std::optional(*read) : std::nullopt;
}

Result<qint64> Trainings::save(const lists::ListId& list, const Save& save) {
    return m_connection.write([&]() -> Result<qint64> {
        const qint64 revision = newRevision();
        const QVariant kept = m_connection.value(
            QStringLiteral("SELECT revision FROM trainings WHERE list = ?"), {list.key()});
        const bool changesOnly =
            !save.afresh && save.base && kept.isValid() && kept.toLongLong() == *save.base;
        Result<Done> done = changesOnly ? writeChanges(list.key(), save, revision)
                                        : writeWhole(list.key(), save, revision);
        for (qsizetype i = 0; done && i < save.series.size(); ++i)
            done = recordSeries(list.key(), save.series[i], save.at);
        if (!done)
            return done.failure();
        return revision;
    });
}

Result<Done> Trainings::record(const lists::ListId& list, const QList<SeriesRecord>& series,
                               const QDateTime& at) {
    return m_connection.write([&]() -> Result<Done> {
        for (const SeriesRecord& one : series) {
            if (auto recorded = recordSeries(list.key(), one, at); !recorded)
                return recorded;
        }
        return Done{};
    });
}

Result<Done> Trainings::forget(const lists::ListId& list) {
    return m_connection.write([&]() -> Result<Done> {
        for (const QString& table : {QStringLiteral("trainings"), QStringLiteral("entries")}) {
            if (auto deleted = m_connection.run(
                    QStringLiteral("DELETE FROM %1 WHERE list = ?").arg(table), {list.key()});
                !deleted)
                return deleted.failure();
        }
        return Done{};
    });
}

// Every line of the file, each marked as left in the training or not.
Result<Done> Trainings::writeWhole(const QString& list, const Save& save, qint64 revision) {
    const TrainingSnapshot& now = save.training;
    QVariant started = seconds(save.at);
    QVariant finished = isFinished(now) ? seconds(save.at) : QVariant();
    (void)m_connection.forEach(
        QStringLiteral("SELECT started, finished FROM trainings WHERE list = ?"), {list},
        [&](const QSqlQuery& row) {
            if (save.afresh)
                return;
            started = row.value(0);
            if (!finished.isNull() && !row.value(1).isNull())
                finished = row.value(1);
        });
    if (auto written = m_connection.run(
            QStringLiteral("INSERT OR REPLACE INTO trainings (list, criterion, threshold,"
                           " series_done, seconds_trained, entries_at_start, started, updated,"
                           " finished, revision) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {list, criterionCode(now.criterion), text(now.threshold), now.seriesDone,
             now.secondsTrained, static_cast<qint32>(save.fileLines.size()), started,
             seconds(save.at), finished, revision});
        !written)
        return written.failure();
    QHash<qint32, qint32> left; // line -> successes
    for (const Question& question : now.entries) {
        for (const qint32 line : question.lines)
            left.insert(line, question.successes);
    }
    if (auto deleted =
            m_connection.run(QStringLiteral("DELETE FROM entries WHERE list = ?"), {list});
        !deleted)
        return deleted.failure();
    for (qsizetype i = 0; i < save.fileLines.size(); ++i) {
        const auto line = static_cast<qint32>(i + 1);
        const auto found = left.constFind(line);
        const bool in = found != left.constEnd();
        if (auto inserted = m_connection.run(
                QStringLiteral("INSERT INTO entries (list, line, draw, solution, reussites,"
                               " left_in) VALUES (?, ?, ?, ?, ?, ?)"),
                {list, line, text(save.fileLines[i].draw), text(save.fileLines[i].expected),
                 in ? *found : 0, in ? 1 : 0});
            !inserted)
            return inserted.failure();
    }
    return Done{};
}

// The questions each series showed, every line of them: their successes, and
// whether they left.
Result<Done> Trainings::writeChanges(const QString& list, const Save& save, qint64 revision) {
    for (const SeriesRecord& series : save.series) {
        for (const Question& question : series.questions) {
            for (const qint32 line : question.lines) {
                if (auto updated = m_connection.run(
                        QStringLiteral("UPDATE entries SET reussites = ?, left_in = ?"
                                       " WHERE list = ? AND line = ?"),
                        {question.successes, question.eliminated ? 0 : 1, list, line});
                    !updated)
                    return updated.failure();
            }
        }
    }
    const TrainingSnapshot& now = save.training;
    const auto updated = m_connection.run(
        QStringLiteral("UPDATE trainings SET criterion = ?, threshold = ?, series_done = ?,"
                       " seconds_trained = ?, updated = ?, revision = ?,"
                       " finished = CASE WHEN ? THEN coalesce(finished, ?) ELSE NULL END"
                       " WHERE list = ?"),
        {criterionCode(now.criterion), text(now.threshold), now.seriesDone, now.secondsTrained,
         seconds(save.at), revision, isFinished(now), seconds(save.at), list});
    return updated ? Result<Done>(Done{}) : updated.failure();
}

Result<Done> Trainings::recordSeries(const QString& list, const SeriesRecord& series,
                                     const QDateTime& saved) {
    // A series kept late, after its save failed, keeps the time it was corrected.
    const QDateTime at = series.at.isValid() ? series.at : saved;
    const QVariant wordsLeft =
        series.wordsLeft >= 0 ? QVariant(series.wordsLeft) : QVariant(QMetaType(QMetaType::Int));
    const auto inserted = m_connection.run(
        QStringLiteral("INSERT INTO series (list, corrected, found, shown, seconds_used,"
                       " criterion, threshold, words_left) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        {list, seconds(at), series.found, series.shown, series.secondsUsed,
         criterionCode(series.criterion), text(series.threshold), wordsLeft});
    if (!inserted)
        return inserted.failure();
    const qint64 id = (*inserted)->lastInsertId().toLongLong();
    for (const SeriesRecord::Answer& answer : series.answers) {
        if (auto recorded = m_connection.run(
                QStringLiteral("INSERT INTO answers (series, line, draw, solution, answer,"
                               " correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {id, answer.line, text(answer.word.draw), text(answer.word.expected),
                 text(answer.answer), answer.right ? 1 : 0, answer.seconds});
            !recorded)
            return recorded.failure();
    }
    return m_memory.review(id, series, at);
}

} // namespace tirages::progress
