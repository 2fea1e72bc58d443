#include "session/statistics.h"

#include "files.h"
#include "reviews/grades.h"
#include "texts.h"

#include <QDir>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>

namespace tirages::session {
namespace {

namespace say = texts::statistics;

using texts::french;

QDateTime startOf(const QDate& day) {
    return day.startOfDay();
}

} // namespace

QString shortDay(const QDate& day) {
    // Qt writes « déc. » for the short month, as French does.
    return french().toString(day, QStringLiteral("d MMM"));
}

QString duration(qint64 seconds) {
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return texts::counted(minutes, texts::minutes);
    return QStringLiteral("%1 h %2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString percent(qint64 part, qint64 whole) {
    const qint64 share = whole > 0 ? (100 * part + whole / 2) / whole : 0;
    return french().toString(share) + QStringLiteral("\u00A0%");
}

Daily daily(const progress::History& history, const QDateTime& now) {
    Daily result;
    const QDate today = now.date();
    const QDate first = today.addDays(1 - kStatisticsDays);
    for (int i = 0; i < kStatisticsDays; ++i)
        result.days.append({first.addDays(i), 0, 0, 0});
    qint64 seconds = 0;
    int trained = 0;
    for (const progress::DayTotal& total : history.dayTotals(first)) {
        const qint64 i = first.daysTo(total.day);
        if (i < 0 || i >= kStatisticsDays)
            continue; // a day after today: the clock was set back
        DayBar& bar = result.days[i];
        bar.minutes = static_cast<double>(total.seconds) / 60;
        bar.right = total.right;
        bar.wrong = total.answers - total.right;
        seconds += total.seconds;
        ++trained;
    }
    // The week from Monday.
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    qint64 weekSeconds = 0, weekRight = 0, weekAnswers = 0;
    for (const DayBar& bar : result.days) {
        if (bar.day >= monday) {
            weekSeconds += static_cast<qint64>(bar.minutes * 60 + 0.5);
            weekRight += bar.right;
            weekAnswers += bar.right + bar.wrong;
        }
    }
    result.week = weekAnswers == 0 ? say::weekNothing
                                   : say::week.arg(duration(weekSeconds),
                                                   texts::counted(weekAnswers, say::answers),
                                                   percent(weekRight, weekAnswers));
    result.spoken = say::dailySpoken.arg(shortDay(first), shortDay(today),
                                         texts::counted(trained, say::days), duration(seconds));
    return result;
}

QList<ListRow> listRows(const progress::History& history) {
    QList<ListRow> rows;
    for (const progress::ListTotal& list : history.listTotals()) {
        rows.append(
            {list.list,
             {list.list.caption(), french().toString(list.entriesAtStart),
              french().toString(list.entriesLeft), french().toString(list.seriesDone),
              duration(list.secondsTrained), percent(list.right, list.answers),
              list.finished ? say::finishedOn.arg(shortDay(list.finished->date())) : QString()}});
    }
    return rows;
}

ListCurve listCurve(const progress::History& history, const lists::ListId& list) {
    ListCurve curve{history.wordsLeftAfterSeries(list), {}};
    if (curve.points.isEmpty()) {
        curve.spoken = say::listSpokenNone.arg(list.caption());
        return curve;
    }
    curve.spoken =
        say::listSpoken.arg(list.caption(), french().toString(curve.points.first().wordsLeft),
                            french().toString(curve.points.last().wordsLeft),
                            texts::counted(curve.points.size(), say::series));
    return curve;
}

Memory memory(const progress::History& history, const QDateTime& now) {
    Memory result;
    const QDate today = now.date();
    const QDate first = today.addDays(1 - kStatisticsDays);
    // The moment each day is counted at: its end, and now for today; in
    // milliseconds, since comparing times of the player's zone asks the C
    // library each time.
    QList<qint64> moments;
    for (int i = 0; i < kStatisticsDays; ++i)
        moments.append((i + 1 < kStatisticsDays ? startOf(first.addDays(i + 1)) : now)
                           .toMSecsSinceEpoch());
    result.known = QList<qint32>(kStatisticsDays, 0);

    // A question is known while the chance of recalling it is at least 90 %:
    // by the schedule's own definition of stability, while the days since its
    // last review are no more than its stability.
    const QList<progress::Recall> recalls = history.recalls(startOf(first));
    QList<qint64> times;
    times.reserve(recalls.size());
    for (const progress::Recall& recall : recalls)
        times.append(recall.at.toMSecsSinceEpoch());
    for (qsizetype begin = 0; begin < recalls.size();) {
        qsizetype end = begin;
        while (end < recalls.size() && recalls[end].card == recalls[begin].card)
            ++end;
        qsizetype last = begin - 1; // the latest review up to the moment
        for (int i = 0; i < kStatisticsDays; ++i) {
            while (last + 1 < end && times[last + 1] <= moments[i])
                ++last;
            if (last >= begin &&
                static_cast<double>(moments[i] - times[last]) / 86400000 <= recalls[last].stability)
                ++result.known[i];
        }
        begin = end;
    }
    result.knownToday = result.known.last();

    result.due = QList<qint32>(kDueDays, 0);
    for (const QDateTime& due : history.dueDates(startOf(today.addDays(kDueDays))))
        ++result.due[std::max<qint64>(0, today.daysTo(due.date()))];

    result.right = QList<std::optional<double>>(kStatisticsWeeks);
    for (const progress::WeekOfReviews& week : history.reviewsByWeek(startOf(first))) {
        if (week.week >= 0 && week.week < kStatisticsWeeks && week.reviews > 0)
            result.right[week.week] = static_cast<double>(week.right) / week.reviews;
    }

    qint64 dueAll = 0;
    for (qint32 n : result.due)
        dueAll += n;
    result.knownSpoken = say::knownSpoken.arg(shortDay(first), french().toString(result.known.first()),
                                              french().toString(result.knownToday));
    result.dueSpoken = say::dueSpoken.arg(french().toString(result.due.first()),
                                          french().toString(dueAll));
    const std::optional<double> lastWeek = result.right.last();
    result.rightSpoken = say::rightSpoken.arg(
        lastWeek ? percent(static_cast<qint64>(*lastWeek * 1000 + 0.5), 1000) : say::noReview);
    return result;
}

Hardest hardest(const progress::History& history) {
    Hardest result{history.mostMissed(kHardestCount), {}};
    for (const progress::MissedQuestion& missed : result.questions)
        result.cells.append({missed.question.draw, missed.question.expected,
                             french().toString(missed.misses), french().toString(missed.answers),
                             french().toString(missed.meanSeconds, 'f', 1)});
    return result;
}

lists::ListContent Hardest::entries() const {
    lists::ListContent entries;
    for (const progress::MissedQuestion& missed : questions)
        entries.append(missed.question);
    return entries;
}

namespace {

// A field as a spreadsheet reads it: quoted when it holds the separator, a
// quote or a line break.
QString csvField(const QString& field) {
    if (!field.contains(u';') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r'))
        return field;
    return u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

Result<Done> exportHistory(const progress::Store& store, const QString& path) {
    if (progress::Transfers::isDatabaseFile(store.path(), path))
        return Failure{texts::files::isTheDatabase.arg(QDir::toNativeSeparators(path))};
    // Written beside, then put in place whole: a failure leaves no half file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{files::writeFailure(path)};
    QByteArray chunk = QByteArrayLiteral("\xEF\xBB\xBF") + // the mark spreadsheets know UTF-8 by
                       say::csvColumns.join(u';').toUtf8() + "\r\n";
    bool written = true;
    const auto read = store.history().forEachAnswer([&](const progress::AnswerRow& row) {
        const reviews::Grade grade = reviews::gradeOf(row.right, row.seconds);
        const QStringList fields = {row.at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                    row.list.caption(),
                                    row.question.draw,
                                    row.question.expected,
                                    row.answer,
                                    row.right ? say::yes : say::no,
                                    QString::number(row.seconds),
                                    texts::reviews::grades[static_cast<std::size_t>(grade) - 1]};
        for (qsizetype i = 0; i < fields.size(); ++i) {
            chunk += csvField(fields[i]).toUtf8();
            chunk += i + 1 < fields.size() ? ";" : "\r\n";
        }
        if (chunk.size() > 1 << 16) {
            written = file.write(chunk) == chunk.size();
            chunk.clear();
        }
        return written;
    });
    if (!read)
        return read.failure();
    if (!written || file.write(chunk) != chunk.size() || !file.commit())
        return Failure{files::writeFailure(path)};
    return Done{};
}

} // namespace tirages::session
