// The history as the statistics read it: sums worked out by SQLite, and the
// rows a figure needs one by one.

#include "progress/history.h"

#include "progress/connection.h"

namespace tirages::progress {

History::History(Connection& connection) : m_connection(connection) {}

bool History::hasSeries() const {
    return m_connection.value(QStringLiteral("SELECT EXISTS (SELECT 1 FROM series)")).toBool();
}

bool History::keepsAnything() const {
    return m_connection
        .value(QStringLiteral("SELECT EXISTS (SELECT 1 FROM trainings)"
                              " OR EXISTS (SELECT 1 FROM series) OR EXISTS (SELECT 1 FROM cards)"))
        .toBool();
}

// The series are summed by the day of the player's calendar they were
// corrected on.
QList<DayTotal> History::dayTotals(const QDate& from) const {
    QList<DayTotal> days;
    (void)m_connection.forEach(
        QStringLiteral("SELECT corrected, seconds_used, found, shown FROM series"
                       " WHERE corrected >= ? ORDER BY corrected"),
        {seconds(from.startOfDay())}, [&](const QSqlQuery& row) {
            const QDate day = timeOf(row.value(0)).date();
            if (days.isEmpty() || days.last().day != day)
                days.append({day, 0, 0, 0});
            days.last().seconds += row.value(1).toLongLong();
            days.last().right += row.value(2).toInt();
            days.last().answers += row.value(3).toInt();
        });
    return days;
}

QList<ListTotal> History::listTotals() const {
    return m_connection.rows<ListTotal>(
        QStringLiteral(
            "SELECT t.list, t.entries_at_start, t.series_done, t.seconds_trained, t.finished,"
            " (SELECT count(*) FROM entries e WHERE e.list = t.list AND e.left_in = 1),"
            " (SELECT total(found) FROM series s WHERE s.list = t.list),"
            " (SELECT total(shown) FROM series s WHERE s.list = t.list)"
            " FROM trainings t WHERE t.series_done > 0 ORDER BY t.updated DESC"),
        {}, [](const QSqlQuery& row) {
            ListTotal list{lists::ListId::fromKey(row.value(0).toString()),
                           row.value(1).toInt(),
                           row.value(5).toInt(),
                           row.value(2).toInt(),
                           row.value(3).toLongLong(),
                           static_cast<qint32>(row.value(6).toDouble()),
                           static_cast<qint32>(row.value(7).toDouble()),
                           std::nullopt};
            if (!row.value(4).isNull())
                list.finished = timeOf(row.value(4));
            return list;
        });
}

QList<LeftAfter> History::wordsLeftAfterSeries(const lists::ListId& list) const {
    return m_connection.rows<LeftAfter>(
        QStringLiteral("SELECT s.corrected, s.words_left FROM series s JOIN trainings t"
                       " ON t.list = s.list WHERE s.list = ? AND s.corrected >= t.started"
                       " AND s.words_left IS NOT NULL ORDER BY s.id"),
        {list.key()}, [](const QSqlQuery& row) {
            return LeftAfter{timeOf(row.value(0)), row.value(1).toInt()};
        });
}

QList<MissedQuestion> History::mostMissed(int count) const {
    return m_connection.rows<MissedQuestion>(
        QStringLiteral("SELECT draw, solution, count(*) - sum(correct) AS misses, count(*),"
                       " avg(seconds) AS mean FROM answers GROUP BY draw, solution"
                       " HAVING misses > 0 ORDER BY misses DESC, mean DESC, draw LIMIT ?"),
        {count}, [](const QSqlQuery& row) {
            return MissedQuestion{{row.value(0).toString(), row.value(1).toString()},
                                  row.value(2).toInt(),
                                  row.value(3).toInt(),
                                  row.value(4).toDouble()};
        });
}

QList<Recall> History::recalls(const QDateTime& from) const {
    // SQLite takes the other columns from the row of max().
    return m_connection.rows<Recall>(
        QStringLiteral("SELECT card, reviewed, stability FROM ("
                       "  SELECT card, max(reviewed) AS reviewed, stability FROM reviews"
                       "   WHERE scheduled = 1 AND reviewed < ? GROUP BY card"
                       "  UNION ALL SELECT card, reviewed, stability FROM reviews"
                       "   WHERE scheduled = 1 AND reviewed >= ?)"
                       " ORDER BY card, reviewed"),
        {seconds(from), seconds(from)}, [](const QSqlQuery& row) {
            return Recall{row.value(0).toLongLong(), timeOf(row.value(1)), row.value(2).toDouble()};
        });
}

QList<QDateTime> History::dueDates(const QDateTime& before) const {
    return m_connection.rows<QDateTime>(
        QStringLiteral("SELECT due FROM cards WHERE due < ? ORDER BY due"), {seconds(before)},
        [](const QSqlQuery& row) { return timeOf(row.value(0)); });
}

QList<WeekOfReviews> History::reviewsByWeek(const QDateTime& from) const {
    return m_connection.rows<WeekOfReviews>(
        QStringLiteral("SELECT (reviewed - ?) / 604800, count(*), sum(grade > 1) FROM reviews"
                       " WHERE scheduled = 1 AND elapsed_days > 0 AND reviewed >= ?"
                       " GROUP BY 1 ORDER BY 1"),
        {seconds(from), seconds(from)}, [](const QSqlQuery& row) {
            return WeekOfReviews{row.value(0).toInt(), row.value(1).toInt(), row.value(2).toInt()};
        });
}

Result<Done> History::forEachAnswer(const std::function<bool(const AnswerRow&)>& row) const {
    qint64 corrected = -1;
    QDateTime at;
    QString key;
    lists::ListId list;
    bool going = true;
    return m_connection.forEach(
        QStringLiteral("SELECT s.corrected, s.list, a.draw, a.solution, a.answer, a.correct,"
                       " a.seconds FROM answers a JOIN series s ON s.id = a.series"
                       " ORDER BY s.id, a.rowid"),
        {}, [&](const QSqlQuery& query) {
            if (!going)
                return;
            // The time and the list of a series are read once for its answers.
            if (query.value(0).toLongLong() != corrected) {
                corrected = query.value(0).toLongLong();
                at = timeOf(query.value(0));
            }
            if (query.value(1).toString() != key) {
                key = query.value(1).toString();
                list = lists::ListId::fromKey(key);
            }
            going = row({at,
                         list,
                         {query.value(2).toString(), query.value(3).toString()},
                         query.value(4).toString(),
                         query.value(5).toBool(),
                         query.value(6).toInt()});
        });
}

} // namespace tirages::progress
