#pragma once

// What the store tests share: a digest of a whole training, and SQLite's own
// check of a database file.

#include "progress/store.h"
#include "reviews/cardbox.h"
#include "support/testsupport.h"
#include "training/snapshot.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tirages::test {

// A list as the launcher's box names it.
inline lists::ListId list(const QString& text) {
    return lists::ListId::typed(text);
}

// The store at `path`, opened as the program opens it; null when it cannot be,
// and why in the test's log.
inline std::unique_ptr<progress::Store> openStore(const QString& path,
                                                  QRandomGenerator* fuzz = nullptr) {
    auto opened = progress::Store::open(path, systemNow, fuzz);
    if (!opened)
        qWarning("%s", qPrintable(opened.why()));
    return opened ? std::move(*opened) : nullptr;
}

inline QByteArray digest(const training::TrainingSnapshot& snapshot) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(static_cast<int>(snapshot.criterion)) + '|' +
                 snapshot.threshold.toUtf8() + '|' + QByteArray::number(snapshot.seriesDone) + '|');
    for (const training::ListEntry& entry : snapshot.entries)
        hash.addData(QByteArray::number(entry.line) + ';' + entry.draw.toUtf8() + ';' +
                     entry.expected.toUtf8() + ';' + QByteArray::number(entry.successes) + '\n');
    return hash.result().toHex();
}

// A training kept as the program keeps it: whole when it begins, then only
// what each series changed, over the revision last kept.
struct KeptList {
    progress::Store& store;
    QString list;
    lists::ListContent lines;
    std::optional<qint64> base = {};
    QString why = {}; // of the last save that failed

    bool begin(const training::TrainingSnapshot& training) { return put(training, {}, true); }
    bool save(const training::TrainingSnapshot& training,
              const training::SeriesRecord* series = nullptr) {
        return put(training,
                   series ? QList<training::SeriesRecord>{*series}
                          : QList<training::SeriesRecord>{},
                   false);
    }
    bool put(const training::TrainingSnapshot& training,
             const QList<training::SeriesRecord>& series, bool afresh) {
        const auto saved = store.trainings().save(
            lists::ListId::typed(list), {training, lines, series, QDateTime::currentDateTime(),
                                         afresh ? std::nullopt : base, afresh});
        base = saved ? std::optional(*saved) : std::nullopt;
        why = saved.why();
        return saved.ok();
    }
};

// "ok" when SQLite finds the file whole, else what it found.
inline QString integrityOf(const QString& path) {
    QString result;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity-check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next())
                result = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("integrity-check"));
    return result;
}

// Every table of a database, a line a row in a stable order, and its schema
// version: two databases that give the same are the same.
inline QStringList tablesOf(const QString& path) {
    QStringList dump;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dump"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("PRAGMA user_version"));
            query.next();
            dump << QStringLiteral("version %1").arg(query.value(0).toInt());
            QStringList tables;
            query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"
                                      " ORDER BY name"));
            while (query.next())
                tables << query.value(0).toString();
            for (const QString& table : tables) {
                query.exec(QStringLiteral("SELECT * FROM %1").arg(table));
                QStringList rows;
                while (query.next()) {
                    QStringList values;
                    for (int i = 0; i < query.record().count(); ++i)
                        values << query.value(i).toString();
                    rows << table + u'|' + values.join(u'|');
                }
                rows.sort();
                dump += rows;
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("dump"));
    return dump;
}

// A cardbox as word-study programs write it.
inline bool writeCardbox(const QString& path, const QList<reviews::CardboxRow>& rows) {
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("box"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        written = db.open() &&
                  query.exec(QStringLiteral(
                      "CREATE TABLE questions (question varchar(16), correct integer,"
                      " incorrect integer, streak integer, last_correct integer,"
                      " difficulty integer, cardbox integer, next_scheduled integer)")) &&
                  db.transaction();
        query.prepare(QStringLiteral("INSERT INTO questions VALUES (?, ?, ?, ?, ?, 0, ?, ?)"));
        const auto orNull = [](const auto& value) {
            return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::LongLong));
        };
        for (const reviews::CardboxRow& row : rows) {
            query.addBindValue(row.question);
            query.addBindValue(row.correct);
            query.addBindValue(row.incorrect);
            query.addBindValue(row.streak);
            query.addBindValue(orNull(row.lastCorrect));
            query.addBindValue(orNull(row.cardbox));
            query.addBindValue(orNull(row.nextScheduled));
            written = written && query.exec();
        }
        written = written && db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("box"));
    return written;
}

} // namespace tirages::test
