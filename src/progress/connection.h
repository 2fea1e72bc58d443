#pragma once

// The store's one connection to its SQLite database, seen by the store's own
// files and by no one else: statements prepared once, rows read into values,
// writes whole or not at all, and SQLite's errors told in French.

#include "clock.h"
#include "result.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTimeZone>
#include <QVariant>
#include <functional>
#include <map>

struct sqlite3;

namespace tirages::progress {

class Connection {
public:
    // `now` dates the name a damaged file is set aside under.
    Connection(QString path, Clock now);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database, creating it and its folder when missing; a damaged
    // file is set aside (notice() says where) and a new one begun. `migrate`
    // then brings it up to date.
    Result<Done> open(const std::function<Result<Done>()>& migrate);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    const QString& path() const { return m_path; }
    const QString& notice() const { return m_notice; }
    sqlite3* handle() const;
    // How long a write waits for another program holding the database, in ms.
    void setPatience(int milliseconds);

    // Runs `sql`, prepared once for the life of the connection, with `values`
    // bound in order. A statement that reads is finished by rows() or value().
    Result<QSqlQuery*> run(const QString& sql, const QVariantList& values = {});
    // Runs `sql` and hands each row to `row`, to the last one.
    Result<Done> forEach(const QString& sql, const QVariantList& values,
                         const std::function<void(const QSqlQuery&)>& row);
    template <typename Row>
    QList<Row> rows(const QString& sql, const QVariantList& values,
                    const std::function<Row(const QSqlQuery&)>& map) {
        QList<Row> all;
        (void)forEach(sql, values, [&](const QSqlQuery& query) { all.append(map(query)); });
        return all;
    }
    // The first column of the first row; an invalid value when there is none.
    QVariant value(const QString& sql, const QVariantList& values = {});

    // Runs `work` in one transaction: BEGIN IMMEDIATE for a write, which
    // takes the database at once rather than finding at its first change that
    // another program got there first; a plain BEGIN for reads that must see
    // one moment. Whole or not at all.
    template <typename Work> auto write(Work&& work) { return inTransaction(true, work); }
    template <typename Work> auto read(Work&& work) { return inTransaction(false, work); }

    // What an SQLite error means for the player, in French, in the words of
    // the real cause: the file system is asked what went wrong.
    Failure failure(const QSqlError& error) const;

private:
    template <typename Work> auto inTransaction(bool writing, Work& work) -> decltype(work()) {
        if (const auto begun =
                run(writing ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
            !begun)
            return begun.failure();
        auto done = work();
        if (!done) {
            rollback();
            return done;
        }
        if (const auto ended = commit(); !ended)
            return ended.failure();
        return done;
    }
    Result<QSqlQuery*> statement(const QString& sql);
    Result<Done> commit();
    void rollback();

    Result<Done> start(const std::function<Result<Done>()>& migrate);
    Result<Done> connect(int patience);
    Result<bool> healthy();
    Result<Done> probeWrite();
    void setAside();

    QString m_path;
    Clock m_now;
    QString m_name;
    QSqlDatabase m_db;
    QString m_notice;
    std::map<QString, QSqlQuery> m_statements; // whose places never move
    QHash<const QChar*, QSqlQuery*> m_literals;
};

// How long a save waits for another program holding the database, in ms.
inline constexpr int kSavePatience = 30;

// Qt binds a null text as NULL: a text is always bound as text, if empty.
inline QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

// Times are kept as seconds since the epoch: the same instant in any time
// zone, and cards due before a time found through their index.
inline QVariant seconds(const QDateTime& at) {
    return at.isValid() ? QVariant(at.toSecsSinceEpoch())
                        : QVariant(QMetaType(QMetaType::LongLong));
}

// Days are counted in the player's time zone. Qt's own copy of it answers
// without asking the C library, which looks at the system's zone file again
// for each time it converts.
inline const QTimeZone& playersZone() {
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    return zone;
}

inline QDateTime timeOf(const QVariant& value) {
    return value.isNull() ? QDateTime()
                          : QDateTime::fromSecsSinceEpoch(value.toLongLong(), playersZone());
}

// A time as any version of the schema stored it: before version 6, the series
// and the trainings had theirs as text, in the player's time.
inline QDateTime timeOfAnyVersion(const QVariant& value) {
    if (value.typeId() != QMetaType::QString)
        return timeOf(value);
    const QDateTime written = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return written.timeSpec() == Qt::LocalTime
               ? QDateTime(written.date(), written.time(), playersZone())
               : written;
}

} // namespace tirages::progress
