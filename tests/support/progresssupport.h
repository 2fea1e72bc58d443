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
#include <QSqlError>
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
    for (const training::Question& entry : snapshot.entries)
        hash.addData(QByteArray::number(entry.lines.first()) + ';' + entry.draw.toUtf8() + ';' +
                     entry.words.join(u' ').toUtf8() + ';' + QByteArray::number(entry.successes) +
                     '\n');
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

// A connection of the test's own to the database at `path`, closed with it.
class OwnConnection {
public:
    explicit OwnConnection(const QString& path, bool readOnly = false)
        : m_name(QStringLiteral("test-%1").arg(++count())) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        if (readOnly)
            m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_db.open();
    }
    ~OwnConnection() {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase& db() { return m_db; }

private:
    static int& count() {
        static int made = 0;
        return made;
    }
    QString m_name;
    QSqlDatabase m_db;
};

// The first column of the first row `sql` gives; an invalid value when none.
inline QVariant valueOf(const QString& path, const QString& sql) {
    OwnConnection connection(path);
    QSqlQuery query(connection.db());
    return query.exec(sql) && query.next() ? query.value(0) : QVariant();
}

// Runs each statement in turn: the error of the first that fails, or nothing.
inline QString execute(const QString& path, const QStringList& statements) {
    OwnConnection connection(path);
    QSqlQuery query(connection.db());
    for (const QString& statement : statements) {
        if (!query.exec(statement))
            return statement + QStringLiteral(": ") + query.lastError().text();
    }
    return {};
}

// Another program holding the database for a write, until it goes.
class Holder {
public:
    explicit Holder(const QString& database) : m_connection(database) {
        QSqlQuery(m_connection.db()).exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    void letGo() { m_connection.db().rollback(); }
    ~Holder() { letGo(); }

private:
    OwnConnection m_connection;
};

// "ok" when SQLite finds the file whole, else what it found.
inline QString integrityOf(const QString& path) {
    return valueOf(path, QStringLiteral("PRAGMA integrity_check")).toString();
}

// Every row of the tables asked (all of them when none is), as text, and the
// schema version: two databases that give the same are the same. In the order
// of their ids, or sorted when `sorted`.
inline QStringList tablesOf(const QString& path, QStringList tables = {}, bool sorted = true) {
    OwnConnection connection(path, true);
    QSqlQuery query(connection.db());
    query.exec(QStringLiteral("PRAGMA user_version"));
    query.next();
    QStringList dump{QStringLiteral("version %1").arg(query.value(0).toInt())};
    query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    QStringList all;
    while (query.next())
        all << query.value(0).toString();
    if (tables.isEmpty())
        tables = all;
    for (const QString& table : tables) {
        query.exec(QStringLiteral("SELECT * FROM %1%2").arg(table, sorted ? "" : " ORDER BY id"));
        QStringList rows;
        while (query.next()) {
            QStringList values{table};
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            rows << values.join(u'|');
        }
        if (sorted)
            rows.sort();
        dump += rows;
    }
    return dump;
}

// A cardbox as word-study programs write it.
inline bool writeCardbox(const QString& path, const QList<reviews::CardboxRow>& rows) {
    OwnConnection connection(path);
    QSqlDatabase& db = connection.db();
    QSqlQuery query(db);
    bool written = query.exec(QStringLiteral(
                       "CREATE TABLE questions (question varchar(16), correct integer,"
                       " incorrect integer, streak integer, last_correct integer,"
                       " difficulty integer, cardbox integer, next_scheduled integer)")) &&
                   db.transaction();
    query.prepare(QStringLiteral("INSERT INTO questions VALUES (?, ?, ?, ?, ?, 0, ?, ?)"));
    const auto orNull = [](const auto& value) {
        return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::LongLong));
    };
    for (const reviews::CardboxRow& row : rows) {
        for (const QVariant& value :
             {QVariant(row.question), QVariant(row.correct), QVariant(row.incorrect),
              QVariant(row.streak), orNull(row.lastCorrect), orNull(row.cardbox),
              orNull(row.nextScheduled)})
            query.addBindValue(value);
        written = written && query.exec();
    }
    return written && db.commit();
}

} // namespace tirages::test
