#pragma once

// The store's own side of the database, shared by its files and seen by no
// one else.

#include "progress/store.h"
#include "training/state.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTimeZone>
#include <QVariant>
#include <initializer_list>
#include <memory>

class QRandomGenerator;

namespace tirages::progress {

struct Store::Database {
    QString path;
    QString connection;
    QSqlDatabase db;
    QString problem;
    QString notice;
    QString lastError;
    QRandomGenerator* fuzz = nullptr;
    // The statements of reviewAnswers, prepared at its first call.
    struct Reviewing {
        QSqlQuery find, insert, update, log;
    };
    std::unique_ptr<Reviewing> reviewing;

    // Opens the database, sets a damaged one aside, brings it up to date.
    bool start();
    bool open(int patience);
    void close();
    bool checkHealth();
    bool canWrite();
    void setAside();
    bool migrate();

    // Binds `values` in order to the prepared query and runs it.
    bool run(QSqlQuery& query, std::initializer_list<QVariant> values);
    bool run(QSqlQuery& query, const QVariantList& values);
    bool failed(const QSqlError& error);
    // What SQLite's error means for the player, in French, in the words of
    // the real cause: the file system is asked what went wrong.
    QString reasonOf(const QSqlError& error) const;

    bool commit();
    std::optional<qint64> revisionOf(const QString& list);
    bool writeWhole(const QString& list, const Save& save, qint64 revision);
    bool writeChanges(const QString& list, const Save& save, qint64 revision);
    bool recordSeries(const QString& list, const training::SeriesRecord& series,
                      const QDateTime& at);
    // Each answer of the series recorded as `seriesId`, a review of its question.
    bool reviewAnswers(qint64 seriesId, const training::SeriesRecord& series, const QDateTime& at);
    // Every answer recorded before the memory of questions was kept, reviewed
    // in the order it was given.
    bool replayAnswers();
};

// How long a save waits for another program holding the database, in ms.
inline constexpr int kSavePatience = 30;

// A card's columns in the table of cards, in the order cardAt and valuesOf take.
extern const QString kCardColumns;
// The card from the query's columns of kCardColumns, from `first` on.
reviews::Card cardAt(const QSqlQuery& query, int first);
QVariantList valuesOf(const reviews::Card& card);

int criterionCode(training::Criterion criterion);
training::Criterion criterionOf(int code);

// Qt binds a null text as NULL: a text is always bound as text, if empty.
inline QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

// Times are kept as seconds since the epoch: the same instant in any time
// zone, and cards due before a time found through their index.
inline QVariant seconds(const QDateTime& at) {
    return at.isValid() ? QVariant(at.toSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
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

} // namespace tirages::progress
