// Writing a training: afresh at its start, then after each correction only
// what the correction changed, each save in one transaction.

#include "progress/sql.h"
#include "progress/store.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QVariant>

namespace tirages::progress {
namespace {

QString timestamp() {
    return QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
}

// Each save marks the training with a revision no other save gives, so that a
// program can tell whether another has saved the list since it last did.
qint64 newRevision() {
    return static_cast<qint64>(QRandomGenerator::global()->generate64() >> 1);
}

// Qt binds a null text as NULL: a text is always bound as text, if empty.
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

} // namespace

// Binds `values` in order to the prepared query and runs it.
bool Store::run(QSqlQuery& query, std::initializer_list<QVariant> values) {
    int position = 0;
    for (const QVariant& value : values)
        query.bindValue(position++, value);
    return query.exec() || failed(query);
}

bool Store::failed(const QSqlQuery& query) {
    m_lastError = reasonOf(query.lastError(), m_path);
    return false;
}

// A write takes the database at once, waiting for another program's write to
// end, rather than finding at its first change that another got there first.
bool Store::beginWrite() {
    m_lastError.clear();
    QSqlQuery query(m_db);
    return query.exec(QStringLiteral("BEGIN IMMEDIATE")) || failed(query);
}

// Commits a write that went well, or takes it back; either way the list's
// revision is what the database now holds for it as far as this program knows.
bool Store::finishWrite(const QString& list, qint64 revision, bool done, const QSqlQuery& query) {
    if (done && m_db.commit()) {
        m_revisions.insert(list, revision);
        return true;
    }
    m_lastError =
        reasonOf(query.lastError().isValid() ? query.lastError() : m_db.lastError(), m_path);
    m_db.rollback();
    m_revisions.insert(list, -1);
    return false;
}

bool Store::begin(const QString& list, const TrainingSnapshot& start,
                  const lists::ListContent& fileLines) {
    if (!usable())
        return fail(m_problem);
    const qint64 revision = newRevision();
    if (!beginWrite())
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM trainings WHERE list = ?"));
    query.addBindValue(list);
    bool done = query.exec();
    if (done) {
        query.prepare(QStringLiteral(
            "INSERT INTO trainings (list, criterion, threshold, series_done, seconds_trained,"
            " entries_at_start, started, updated, finished, revision)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, NULL, ?)"));
        for (const QVariant& value :
             {QVariant(list), QVariant(criterionCode(start.criterion)), text(start.threshold),
              QVariant(start.seriesDone), QVariant(start.secondsTrained),
              QVariant(static_cast<qint32>(fileLines.size())), QVariant(timestamp()),
              QVariant(timestamp()), QVariant(revision)})
            query.addBindValue(value);
        done = query.exec();
    }
    return finishWrite(list, revision, done && writeAll(list, start, fileLines), query);
}

// Every line of the file, each marked as left in the training or not.
bool Store::writeAll(const QString& list, const TrainingSnapshot& now,
                     const lists::ListContent& fileLines) {
    QHash<qint32, qint32> left; // line -> successes
    for (const TrainingSnapshot::Entry& entry : now.entries)
        left.insert(entry.line, entry.reussites);
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM entries WHERE list = ?"));
    query.addBindValue(list);
    if (!query.exec())
        return failed(query);
    query.prepare(QStringLiteral("INSERT INTO entries (list, line, draw, solution, reussites,"
                                 " left_in) VALUES (?, ?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        const auto line = static_cast<qint32>(i + 1);
        const auto found = left.constFind(line);
        const bool kept = found != left.constEnd();
        if (!run(query, {list, line, text(fileLines[i].draw), text(fileLines[i].solution),
                         kept ? *found : 0, kept ? 1 : 0}))
            return false;
    }
    return true;
}

// The entries a correction showed: their successes, and whether they left.
bool Store::writeDelta(const QString& list, const SeriesRecord& series) {
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "UPDATE entries SET reussites = ?, left_in = ? WHERE list = ? AND line = ?"));
    for (const SeriesRecord::Answer& answer : series.answers) {
        if (!run(query, {answer.reussites, answer.eliminated ? 0 : 1, list, answer.line}))
            return false;
    }
    return true;
}

// The entries as this program holds them, over whatever was kept before.
bool Store::writeLeft(const QString& list, const TrainingSnapshot& now) {
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE entries SET left_in = 0 WHERE list = ?"));
    query.addBindValue(list);
    if (!query.exec())
        return failed(query);
    QSqlQuery insert(m_db);
    insert.prepare(QStringLiteral("INSERT OR REPLACE INTO entries (list, line, draw, solution,"
                                  " reussites, left_in) VALUES (?, ?, ?, ?, ?, 1)"));
    for (const TrainingSnapshot::Entry& entry : now.entries) {
        if (!run(insert,
                 {list, entry.line, text(entry.draw), text(entry.solution), entry.reussites}))
            return false;
    }
    return true;
}

bool Store::recordSeries(const QString& list, const SeriesRecord& series) {
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "INSERT INTO series (list, corrected, found, shown, seconds_used, criterion, threshold)"
        " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(list), QVariant(timestamp()), QVariant(series.found), QVariant(series.shown),
          QVariant(series.secondsUsed), QVariant(criterionCode(series.criterion)),
          text(series.threshold)})
        query.addBindValue(value);
    if (!query.exec())
        return failed(query);
    const QVariant id = query.lastInsertId();
    query.prepare(QStringLiteral("INSERT INTO answers (series, line, draw, solution, answer,"
                                 " correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const SeriesRecord::Answer& answer : series.answers) {
        if (!run(query, {id, answer.line, text(answer.draw), text(answer.solution),
                         text(answer.answer), answer.right ? 1 : 0, answer.seconds}))
            return false;
    }
    return true;
}

bool Store::save(const QString& list, const TrainingSnapshot& now, const SeriesRecord* series) {
    if (!usable())
        return fail(m_problem);
    if (!beginWrite()) {
        m_revisions.insert(list, -1);
        return false;
    }
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT revision FROM trainings WHERE list = ?"));
    query.addBindValue(list);
    bool done = query.exec();
    if (done && !query.next()) {
        // The kept training is gone (begun again by another program): this
        // program's training is kept afresh, as it stands.
        m_db.rollback();
        lists::ListContent lines;
        TrainingSnapshot renumbered = now;
        for (qsizetype i = 0; i < renumbered.entries.size(); ++i) {
            TrainingSnapshot::Entry& entry = renumbered.entries[i];
            entry.line = static_cast<qint32>(i + 1);
            lines.append({entry.draw, entry.solution});
        }
        return begin(list, renumbered, lines);
    }
    const qint64 ours = done ? query.value(0).toLongLong() : -1;
    const bool unchanged = ours == m_revisions.value(list, -1);
    const qint64 revision = newRevision();
    if (done && !unchanged)
        done = writeLeft(list, now);
    else if (done && series)
        done = writeDelta(list, *series);
    if (done) {
        query.prepare(QStringLiteral(
            "UPDATE trainings SET criterion = ?, threshold = ?, series_done = ?,"
            " seconds_trained = ?, updated = ?, revision = ?,"
            " finished = CASE WHEN ? THEN coalesce(finished, ?) ELSE NULL END WHERE list = ?"));
        for (const QVariant& value :
             {QVariant(criterionCode(now.criterion)), text(now.threshold), QVariant(now.seriesDone),
              QVariant(now.secondsTrained), QVariant(timestamp()), QVariant(revision),
              QVariant(now.entries.isEmpty()), QVariant(timestamp()), QVariant(list)})
            query.addBindValue(value);
        done = query.exec();
    }
    return finishWrite(list, revision, done && (!series || recordSeries(list, *series)), query);
}

QString Store::preference(const QString& name) const {
    if (!usable())
        return {};
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT value FROM preferences WHERE name = ?"));
    query.addBindValue(name);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool Store::setPreference(const QString& name, const QString& value) {
    if (!usable())
        return fail(m_problem);
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO preferences (name, value) VALUES (?, ?)"));
    return run(query, {name, text(value)});
}

} // namespace tirages::progress
