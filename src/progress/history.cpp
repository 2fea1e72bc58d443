// The history as the statistics read it: sums worked out by SQLite, and the
// rows a figure needs one by one.

#include "progress/database.h"
#include "progress/store.h"

namespace tirages::progress {

bool Store::hasHistory() const {
    QSqlQuery query(m_db->db);
    return usable() && query.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM series)")) &&
           query.next() && query.value(0).toBool();
}

bool Store::keepsAnything() const {
    QSqlQuery query(m_db->db);
    return usable() &&
           query.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM trainings)"
                                     " OR EXISTS (SELECT 1 FROM series)"
                                     " OR EXISTS (SELECT 1 FROM cards)")) &&
           query.next() && query.value(0).toBool();
}

QList<DayTotal> Store::dayTotals(const QDate& from) const {
    QList<DayTotal> days;
    if (!usable())
        return days;
    // A series is dated by its correction, written in the player's time: its
    // first ten characters are the day.
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral(
        "SELECT substr(corrected, 1, 10), sum(seconds_used), sum(found), sum(shown) FROM series"
        " WHERE corrected >= ? GROUP BY 1 ORDER BY 1"));
    query.addBindValue(from.toString(Qt::ISODate));
    if (query.exec()) {
        while (query.next())
            days.append({QDate::fromString(query.value(0).toString(), Qt::ISODate),
                         query.value(1).toLongLong(), query.value(2).toInt(),
                         query.value(3).toInt()});
    }
    return days;
}

QList<ListTotal> Store::listTotals() const {
    QList<ListTotal> lists;
    if (!usable())
        return lists;
    QSqlQuery query(m_db->db);
    if (!query.exec(QStringLiteral(
            "SELECT t.list, t.entries_at_start, t.series_done, t.seconds_trained, t.finished,"
            " (SELECT count(*) FROM entries e WHERE e.list = t.list AND e.left_in = 1),"
            " (SELECT total(found) FROM series s WHERE s.list = t.list),"
            " (SELECT total(shown) FROM series s WHERE s.list = t.list)"
            " FROM trainings t WHERE t.series_done > 0 ORDER BY t.updated DESC")))
        return lists;
    while (query.next()) {
        ListTotal list{query.value(0).toString(), query.value(1).toInt(), query.value(5).toInt(),
                       query.value(2).toInt(), query.value(3).toLongLong(),
                       static_cast<qint32>(query.value(6).toDouble()),
                       static_cast<qint32>(query.value(7).toDouble()), std::nullopt};
        if (!query.value(4).isNull())
            list.finished = QDateTime::fromString(query.value(4).toString(), Qt::ISODateWithMs);
        lists.append(list);
    }
    return lists;
}

QList<LeftAfter> Store::wordsLeftAfterSeries(const QString& list) const {
    QList<LeftAfter> points;
    if (!usable())
        return points;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral(
        "SELECT s.corrected, s.words_left FROM series s JOIN trainings t ON t.list = s.list"
        " WHERE s.list = ? AND s.corrected >= t.started AND s.words_left IS NOT NULL"
        " ORDER BY s.id"));
    query.addBindValue(list);
    if (query.exec()) {
        while (query.next())
            points.append({QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs),
                           query.value(1).toInt()});
    }
    return points;
}

QList<MissedQuestion> Store::mostMissed(int count) const {
    QList<MissedQuestion> missed;
    if (!usable())
        return missed;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral(
        "SELECT draw, solution, count(*) - sum(correct) AS misses, count(*), avg(seconds) AS mean"
        " FROM answers GROUP BY draw, solution HAVING misses > 0"
        " ORDER BY misses DESC, mean DESC, draw LIMIT ?"));
    query.addBindValue(count);
    if (query.exec()) {
        while (query.next())
            missed.append({{query.value(0).toString(), query.value(1).toString()},
                           query.value(2).toInt(), query.value(3).toInt(),
                           query.value(4).toDouble()});
    }
    return missed;
}

QList<Recall> Store::recalls(const QDateTime& from) const {
    QList<Recall> recalls;
    if (!usable())
        return recalls;
    QSqlQuery query(m_db->db);
    query.setForwardOnly(true);
    // SQLite takes the other columns from the row of max().
    query.prepare(QStringLiteral(
        "SELECT card, reviewed, stability FROM ("
        "  SELECT card, max(reviewed) AS reviewed, stability FROM reviews"
        "   WHERE scheduled = 1 AND reviewed < :from GROUP BY card"
        "  UNION ALL SELECT card, reviewed, stability FROM reviews"
        "   WHERE scheduled = 1 AND reviewed >= :from)"
        " ORDER BY card, reviewed"));
    query.bindValue(QStringLiteral(":from"), seconds(from));
    if (query.exec()) {
        while (query.next())
            recalls.append({query.value(0).toLongLong(), timeOf(query.value(1)),
                            query.value(2).toDouble()});
    }
    return recalls;
}

QList<QDateTime> Store::dueDates(const QDateTime& before) const {
    QList<QDateTime> dates;
    if (!usable())
        return dates;
    QSqlQuery query(m_db->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT due FROM cards WHERE due < ? ORDER BY due"));
    query.addBindValue(seconds(before));
    if (query.exec()) {
        while (query.next())
            dates.append(timeOf(query.value(0)));
    }
    return dates;
}

QList<WeekOfReviews> Store::reviewsByWeek(const QDateTime& from) const {
    QList<WeekOfReviews> weeks;
    if (!usable())
        return weeks;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral(
        "SELECT (reviewed - :from) / 604800, count(*), sum(grade > 1) FROM reviews"
        " WHERE scheduled = 1 AND elapsed_days > 0 AND reviewed >= :from GROUP BY 1 ORDER BY 1"));
    query.bindValue(QStringLiteral(":from"), seconds(from));
    if (query.exec()) {
        while (query.next())
            weeks.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt()});
    }
    return weeks;
}

bool Store::forEachAnswer(const std::function<bool(const AnswerRow&)>& row) const {
    if (!usable())
        return false;
    QSqlQuery query(m_db->db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT s.corrected, s.list, a.draw, a.solution, a.answer, a.correct, a.seconds"
            " FROM answers a JOIN series s ON s.id = a.series ORDER BY s.id, a.rowid")))
        return false;
    QString corrected;
    QDateTime at;
    while (query.next()) {
        // The time of a series is read once for its answers.
        if (const QString text = query.value(0).toString(); text != corrected) {
            corrected = text;
            at = QDateTime::fromString(text, Qt::ISODateWithMs);
        }
        if (!row({at, query.value(1).toString(),
                  {query.value(2).toString(), query.value(3).toString()},
                  query.value(4).toString(), query.value(5).toBool(), query.value(6).toInt()}))
            return false;
    }
    return true;
}

} // namespace tirages::progress
