// Writing a training: afresh at its start, then after each correction only
// what the correction changed, each save in one transaction.

#include "progress/sql.h"
#include "progress/store.h"

#include <QSqlQuery>
#include <QVariant>

namespace tirages::progress {
namespace {

QString timestamp() {
    return QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
}

} // namespace

bool Store::begin(const QString& list, const TrainingSnapshot& start,
                  const lists::ListContent& fileLines) {
    if (!usable())
        return fail(m_problem);
    m_db.transaction();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM trainings WHERE list = ?"));
    query.addBindValue(list);
    bool done = query.exec();
    if (done) {
        query.prepare(QStringLiteral(
            "INSERT INTO trainings (list, criterion, threshold, series_done, seconds_trained,"
            " entries_at_start, started, updated, finished, revision)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, NULL, 1)"));
        for (const QVariant& value :
             {QVariant(list), QVariant(criterionCode(start.criterion)), QVariant(start.threshold),
              QVariant(start.seriesDone), QVariant(start.secondsTrained),
              QVariant(static_cast<qint32>(fileLines.size())), QVariant(timestamp()),
              QVariant(timestamp())})
            query.addBindValue(value);
        done = query.exec();
    }
    done = done && writeAll(list, start, fileLines) && m_db.commit();
    if (!done) {
        m_lastError =
            reasonOf(query.lastError().isValid() ? query.lastError() : m_db.lastError(), m_path);
        m_db.rollback();
        m_revisions.insert(list, -1);
        return false;
    }
    m_revisions.insert(list, 1);
    return true;
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
        return false;
    query.prepare(QStringLiteral("INSERT INTO entries (list, line, draw, solution, reussites,"
                                 " left_in) VALUES (?, ?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        const auto line = static_cast<qint32>(i + 1);
        const auto found = left.constFind(line);
        query.bindValue(0, list);
        query.bindValue(1, line);
        query.bindValue(2, fileLines[i].draw);
        query.bindValue(3, fileLines[i].solution);
        query.bindValue(4, found == left.constEnd() ? 0 : *found);
        query.bindValue(5, found == left.constEnd() ? 0 : 1);
        if (!query.exec())
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
        query.bindValue(0, answer.reussites);
        query.bindValue(1, answer.eliminated ? 0 : 1);
        query.bindValue(2, list);
        query.bindValue(3, answer.line);
        if (!query.exec())
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
        return false;
    QSqlQuery insert(m_db);
    insert.prepare(QStringLiteral("INSERT OR REPLACE INTO entries (list, line, draw, solution,"
                                  " reussites, left_in) VALUES (?, ?, ?, ?, ?, 1)"));
    for (const TrainingSnapshot::Entry& entry : now.entries) {
        insert.bindValue(0, list);
        insert.bindValue(1, entry.line);
        insert.bindValue(2, entry.draw);
        insert.bindValue(3, entry.solution);
        insert.bindValue(4, entry.reussites);
        if (!insert.exec())
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
          QVariant(series.threshold)})
        query.addBindValue(value);
    if (!query.exec())
        return false;
    const QVariant id = query.lastInsertId();
    query.prepare(QStringLiteral("INSERT INTO answers (series, line, draw, solution, answer,"
                                 " right, seconds) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const SeriesRecord::Answer& answer : series.answers) {
        query.bindValue(0, id);
        query.bindValue(1, answer.line);
        query.bindValue(2, answer.draw);
        query.bindValue(3, answer.solution);
        query.bindValue(4, answer.answer);
        query.bindValue(5, answer.right ? 1 : 0);
        query.bindValue(6, answer.seconds);
        if (!query.exec())
            return false;
    }
    return true;
}

bool Store::save(const QString& list, const TrainingSnapshot& now, const SeriesRecord* series) {
    if (!usable())
        return fail(m_problem);
    m_db.transaction();
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
    const qint64 revision = done ? query.value(0).toLongLong() : -1;
    const bool ours = revision == m_revisions.value(list, -1);
    if (done && !ours)
        done = writeLeft(list, now);
    else if (done && series)
        done = writeDelta(list, *series);
    if (done) {
        query.prepare(QStringLiteral(
            "UPDATE trainings SET criterion = ?, threshold = ?, series_done = ?,"
            " seconds_trained = ?, updated = ?, revision = ?,"
            " finished = CASE WHEN ? THEN coalesce(finished, ?) ELSE NULL END WHERE list = ?"));
        for (const QVariant& value :
             {QVariant(criterionCode(now.criterion)), QVariant(now.threshold),
              QVariant(now.seriesDone), QVariant(now.secondsTrained), QVariant(timestamp()),
              QVariant(revision + 1), QVariant(now.entries.isEmpty()), QVariant(timestamp()),
              QVariant(list)})
            query.addBindValue(value);
        done = query.exec();
    }
    done = done && (!series || recordSeries(list, *series)) && m_db.commit();
    if (!done) {
        m_lastError =
            reasonOf(query.lastError().isValid() ? query.lastError() : m_db.lastError(), m_path);
        m_db.rollback();
        m_revisions.insert(list, -1);
        return false;
    }
    m_revisions.insert(list, revision + 1);
    return true;
}

} // namespace tirages::progress
