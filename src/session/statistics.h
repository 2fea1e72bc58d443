#pragma once

// What the « Statistiques » window shows, worked out from the store's history:
// numbers for its charts, and the French of its sentences and tables. Each tab
// is worked out on its own, when it is first shown.

#include "progress/store.h"
#include "result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tirages::session {

inline constexpr int kStatisticsDays = 56; // eight weeks
inline constexpr int kStatisticsWeeks = 8;
inline constexpr int kDueDays = 30;
inline constexpr int kHardestCount = 50;
inline constexpr double kKnownRecall = 0.9; // the schedule's aim, and what "known" means

// French as the window writes it.
QString shortDay(const QDate& day);     // « 9 déc. »
QString duration(qint64 seconds);       // « 25 min », « 1 h 05 »
QString percent(qint64 part, qint64 whole); // « 87 % »

// « Jour par jour »
struct DayBar {
    QDate day;
    double minutes = 0;
    qint32 right = 0;
    qint32 wrong = 0;
};
struct Daily {
    QList<DayBar> days; // the last eight weeks, today last
    QString week;       // « Cette semaine : … »
    QString spoken;     // the chart, in a sentence
};
Daily daily(const progress::History& history, const QDateTime& now);

// « Listes »
struct ListRow {
    lists::ListId list;
    QStringList cells; // as the table shows them
};
QList<ListRow> listRows(const progress::History& history);
struct ListCurve {
    QList<progress::LeftAfter> points;
    QString spoken;
};
ListCurve listCurve(const progress::History& history, const lists::ListId& list);

// « Mémoire »
struct Memory {
    qint32 knownToday = 0;
    QList<qint32> known;                // each of the last eight weeks' days, today last
    QList<qint32> due;                  // each of the next 30 days, today first (and all overdue)
    QList<std::optional<double>> right; // each of the last eight weeks: the share of reviews right
    QString knownSpoken, dueSpoken, rightSpoken;
};
Memory memory(const progress::History& history, const QDateTime& now);

// « Mots difficiles »
struct Hardest {
    QList<progress::MissedQuestion> questions;
    QList<QStringList> cells;
    lists::ListContent entries() const;
};
Hardest hardest(const progress::History& history);

// The whole history as a CSV file for a spreadsheet, UTF-8; never over the
// database itself.
Result<Done> exportHistory(const progress::Store& store, const QString& path);

} // namespace tirages::session
