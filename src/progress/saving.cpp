// Writing a training, each save in one transaction: whole when it begins, when
// an earlier save was not kept or another program wrote the list since; else
// only what its series changed.

#include "progress/database.h"
#include "progress/store.h"

#include <QHash>
#include <QRandomGenerator>

namespace tirages::progress {
namespace {

// Each save marks the training with a revision no other save gives, so that a
// program can tell whether another has saved the list since it last did.
qint64 newRevision() {
    return static_cast<qint64>(QRandomGenerator::global()->generate64() >> 1);
}

bool isFinished(const training::TrainingSnapshot& training) {
    return training.entries.isEmpty() && training.seriesDone > 0;
}

QString timestamp(const QDateTime& at) {
    return at.toString(Qt::ISODateWithMs);
}

} // namespace

std::optional<qint64> Store::Database::revisionOf(const QString& list) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT revision FROM trainings WHERE list = ?"));
    query.addBindValue(list);
    if (query.exec() && query.next())
        return query.value(0).toLongLong();
    return std::nullopt;
}

// Every line of the file, each marked as left in the training or not.
bool Store::Database::writeWhole(const QString& list, const Save& save, qint64 revision) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT started, finished FROM trainings WHERE list = ?"));
    query.addBindValue(list);
    if (!query.exec())
        return failed(query.lastError());
    QVariant started = timestamp(save.at);
    QVariant finished = isFinished(save.training) ? QVariant(timestamp(save.at)) : QVariant();
    if (!save.afresh && query.next()) {
        started = query.value(0);
        if (!finished.isNull() && !query.value(1).isNull())
            finished = query.value(1);
    }
    query.finish();
    const training::TrainingSnapshot& now = save.training;
    query.prepare(QStringLiteral(
        "INSERT OR REPLACE INTO trainings (list, criterion, threshold, series_done,"
        " seconds_trained, entries_at_start, started, updated, finished, revision)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    if (!run(query, {list, criterionCode(now.criterion), text(now.threshold), now.seriesDone,
                     now.secondsTrained, static_cast<qint32>(save.fileLines.size()), started,
                     timestamp(save.at), finished, revision}))
        return false;

    QHash<qint32, qint32> left; // line -> successes
    for (const training::ListEntry& entry : now.entries)
        left.insert(entry.line, entry.successes);
    query.prepare(QStringLiteral("DELETE FROM entries WHERE list = ?"));
    if (!run(query, {list}))
        return false;
    query.prepare(QStringLiteral("INSERT INTO entries (list, line, draw, solution, reussites,"
                                 " left_in) VALUES (?, ?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; i < save.fileLines.size(); ++i) {
        const auto line = static_cast<qint32>(i + 1);
        const auto found = left.constFind(line);
        const bool in = found != left.constEnd();
        if (!run(query, {list, line, text(save.fileLines[i].draw), text(save.fileLines[i].expected),
                         in ? *found : 0, in ? 1 : 0}))
            return false;
    }
    return true;
}

// The entries each series showed: their successes, and whether they left.
bool Store::Database::writeChanges(const QString& list, const Save& save, qint64 revision) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "UPDATE entries SET reussites = ?, left_in = ? WHERE list = ? AND line = ?"));
    for (const training::SeriesRecord& series : save.series) {
        for (const training::SeriesRecord::Answer& answer : series.answers) {
            if (!run(query, {answer.entry.successes, answer.entry.eliminated ? 0 : 1, list,
                             answer.entry.line}))
                return false;
        }
    }
    const training::TrainingSnapshot& now = save.training;
    const QString at = timestamp(save.at);
    query.prepare(QStringLiteral(
        "UPDATE trainings SET criterion = ?, threshold = ?, series_done = ?,"
        " seconds_trained = ?, updated = ?, revision = ?,"
        " finished = CASE WHEN ? THEN coalesce(finished, ?) ELSE NULL END WHERE list = ?"));
    return run(query, {criterionCode(now.criterion), text(now.threshold), now.seriesDone,
                       now.secondsTrained, at, revision, isFinished(now), at, list});
}

bool Store::Database::recordSeries(const QString& list, const training::SeriesRecord& series,
                                   const QDateTime& saved) {
    // A series kept late, after its save failed, keeps the time it was corrected.
    const QDateTime at = series.at.isValid() ? series.at : saved;
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO series (list, corrected, found, shown, seconds_used, criterion, threshold,"
        " words_left) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariant wordsLeft =
        series.wordsLeft >= 0 ? QVariant(series.wordsLeft) : QVariant(QMetaType(QMetaType::Int));
    if (!run(query, {list, timestamp(at), series.found, series.shown, series.secondsUsed,
                     criterionCode(series.criterion), text(series.threshold), wordsLeft}))
        return false;
    const qint64 id = query.lastInsertId().toLongLong();
    query.prepare(QStringLiteral("INSERT INTO answers (series, line, draw, solution, answer,"
                                 " correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const training::SeriesRecord::Answer& answer : series.answers) {
        if (!run(query,
                 {id, answer.entry.line, text(answer.entry.draw), text(answer.entry.expected),
                  text(answer.answer), answer.right ? 1 : 0, answer.seconds}))
            return false;
    }
    return reviewAnswers(id, series, at);
}

// Ends a write: kept whole, or taken back whole, lastError() then saying why.
bool Store::Database::commit() {
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("COMMIT")))
        return true;
    failed(query.lastError());
    query.exec(QStringLiteral("ROLLBACK")); // when SQLite has not already
    return false;
}

// A write takes the database at once (BEGIN IMMEDIATE), waiting for another
// program's write to end, rather than finding at its first change that another
// got there first.
std::optional<qint64> Store::save(const QString& list, const Save& save) {
    Database& d = *m_db;
    d.lastError.clear();
    if (!usable()) {
        d.lastError = d.problem;
        return std::nullopt;
    }
    QSqlQuery query(d.db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        d.failed(query.lastError());
        return std::nullopt;
    }
    const qint64 revision = newRevision();
    const bool changesOnly = !save.afresh && save.base && d.revisionOf(list) == save.base;
    bool done = changesOnly ? d.writeChanges(list, save, revision)
                            : d.writeWhole(list, save, revision);
    for (qsizetype i = 0; done && i < save.series.size(); ++i)
        done = d.recordSeries(list, save.series[i], save.at);
    if (done)
        return d.commit() ? std::optional(revision) : std::nullopt;
    query.exec(QStringLiteral("ROLLBACK"));
    return std::nullopt;
}

bool Store::record(const QString& list, const QList<training::SeriesRecord>& series,
                   const QDateTime& at) {
    Database& d = *m_db;
    d.lastError.clear();
    if (!usable()) {
        d.lastError = d.problem;
        return false;
    }
    QSqlQuery query(d.db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return d.failed(query.lastError());
    bool done = true;
    for (qsizetype i = 0; done && i < series.size(); ++i)
        done = d.recordSeries(list, series[i], at);
    if (done)
        return d.commit();
    query.exec(QStringLiteral("ROLLBACK"));
    return false;
}

bool Store::forget(const QString& list) {
    Database& d = *m_db;
    d.lastError.clear();
    if (!usable())
        return false;
    QSqlQuery query(d.db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return d.failed(query.lastError());
    bool done = true;
    for (const QString& table : {QStringLiteral("trainings"), QStringLiteral("entries")}) {
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE list = ?").arg(table));
        done = done && d.run(query, {list});
    }
    if (done)
        return d.commit();
    query.exec(QStringLiteral("ROLLBACK"));
    return false;
}

QString Store::preference(const QString& name) const {
    if (!usable())
        return {};
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral("SELECT value FROM preferences WHERE name = ?"));
    query.addBindValue(name);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool Store::setPreference(const QString& name, const QString& value) {
    if (!usable())
        return false;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO preferences (name, value) VALUES (?, ?)"));
    return m_db->run(query, {name, text(value)});
}

} // namespace tirages::progress
