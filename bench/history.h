#pragma once

// A generated year of daily use for the statistics' benchmarks: 365 days of 20
// series of 30 answers over 17 lists and 60000 questions, a third wrong and
// the others found in 2 to 30 s, with a training kept for each list. Written
// as the last version without reviews kept it, then brought up to date by the
// store, which makes the memory from the answers.

#include "lists/catalogue.h"
#include "progress/store.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace tirages::bench {

inline QDateTime systemNow() {
    return QDateTime::currentDateTime();
}

// The store at `path`, as the program opens it.
inline std::unique_ptr<progress::Store> openStore(const QString& path,
                                                  QRandomGenerator* fuzz = nullptr) {
    auto opened = progress::Store::open(path, systemNow, fuzz);
    return opened ? std::move(*opened) : nullptr;
}

inline void fillYear(const QString& path, const QDateTime& lastDay) {
    constexpr int kDays = 365, kSeriesADay = 20, kAnswers = 30, kQuestions = 60000, kLists = 17;
    openStore(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("year"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        for (const char* statement :
             {"DROP TABLE reviews", "DROP TABLE cards", "ALTER TABLE series DROP COLUMN words_left",
              "PRAGMA user_version = 3"})
            query.exec(QString::fromLatin1(statement));
        db.transaction();
        const auto listName = [](int l) { return lists::catalogue()[l].name; };
        const int perList = kQuestions / kLists;
        QSqlQuery training(db);
        training.prepare(QStringLiteral(
            "INSERT INTO trainings VALUES (?, 0, '3', ?, ?, ?, ?, ?, NULL, 1)"));
        QSqlQuery entry(db);
        entry.prepare(QStringLiteral("INSERT INTO entries VALUES (?, ?, ?, ?, 0, ?)"));
        const QString started = lastDay.addDays(-kDays).toString(Qt::ISODateWithMs);
        for (int l = 0; l < kLists; ++l) {
            for (const QVariant& v : {QVariant(listName(l)), QVariant(kDays * kSeriesADay / kLists),
                                      QVariant(kDays * 3600 / kLists), QVariant(perList),
                                      QVariant(started), QVariant(lastDay.toString(Qt::ISODateWithMs))})
                training.addBindValue(v);
            training.exec();
            for (int i = 0; i < perList; ++i) {
                const int q = l + kLists * i;
                for (const QVariant& v :
                     {QVariant(listName(l)), QVariant(i + 1), QVariant(QStringLiteral("AEINRST%1").arg(q)),
                      QVariant(QStringLiteral("SATINER%1").arg(q)), QVariant(i % 3 == 0 ? 1 : 0)})
                    entry.addBindValue(v);
                entry.exec();
            }
        }
        QSqlQuery series(db);
        series.prepare(QStringLiteral("INSERT INTO series (id, list, corrected, found, shown,"
                                      " seconds_used, criterion, threshold) VALUES (?, ?, ?, 20,"
                                      " 30, 200, 0, '3')"));
        QSqlQuery answer(db);
        answer.prepare(QStringLiteral("INSERT INTO answers (series, line, draw, solution, answer,"
                                      " correct, seconds) VALUES (?, ?, ?, ?, '', ?, ?)"));
        int id = 0;
        for (int d = 0; d < kDays; ++d) {
            const QDateTime morning = lastDay.addDays(d - kDays + 1);
            for (int s = 0; s < kSeriesADay; ++s) {
                ++id;
                const int l = id % kLists;
                series.addBindValue(id);
                series.addBindValue(listName(l));
                series.addBindValue(morning.addSecs(s * 900).toString(Qt::ISODateWithMs));
                series.exec();
                for (int a = 0; a < kAnswers; ++a) {
                    const int n = id * kAnswers + a;
                    const int q = l + kLists * ((n * 7919) % perList);
                    answer.addBindValue(id);
                    answer.addBindValue(a + 1);
                    answer.addBindValue(QStringLiteral("AEINRST%1").arg(q));
                    answer.addBindValue(QStringLiteral("SATINER%1").arg(q));
                    answer.addBindValue(n % 3 != 0 ? 1 : 0);
                    answer.addBindValue(2 + n % 29);
                    answer.exec();
                }
            }
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("year"));
    const auto store = openStore(path); // the memory made from the answers
    // The words left after each series, for the lists' curves.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("left"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery(db).exec(QStringLiteral(
        "UPDATE series SET words_left = max(0, 3529 - (SELECT count(*) FROM series t"
        " WHERE t.list = series.list AND t.id < series.id) * 8)"));
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("left"));
}

} // namespace tirages::bench
