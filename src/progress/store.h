#pragma once

// Trainings kept across runs, in one SQLite database. The training core knows
// nothing of it: it gives and takes back snapshots, and this keeps them.

#include "lists/listfile.h"
#include "training/snapshot.h"

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <optional>

namespace tirages::progress {

// A kept training as the launcher tells it.
struct Summary {
    qint32 entriesLeft = 0;
    qint32 entriesAtStart = 0; // lines of the list file the training began from
    qint32 seriesDone = 0;
    qint64 secondsTrained = 0;
    std::optional<QDateTime> finished; // when " BRAVO! " ended it
};

// A kept training and the lines of the file it began from, to tell how the
// file has changed since.
struct Kept {
    Summary summary;
    TrainingSnapshot snapshot;
    lists::ListContent fileLines; // in file order
};

// How a list file differs from the one a training began from, line by line
// (draw and solution).
struct FileChange {
    qint32 added = 0;
    qint32 removed = 0;
    bool any() const { return added > 0 || removed > 0; }
};
FileChange compareLines(const lists::ListContent& before, const lists::ListContent& now);

// The training taken up on a list file that changed: entries still in the file
// keep their success counts (or stay eliminated), entries gone leave, entries
// new in the file join with none; all in the order of the file as it is now.
TrainingSnapshot mergeWithFile(const Kept& kept, const lists::ListContent& now);

class Store {
public:
    // Opens the database at path, creating it and its folder when missing. It
    // never fails loudly: when the progress cannot be kept, problem() says why
    // and every call does nothing.
    explicit Store(const QString& path);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // The database in the user's data folder (XDG_DATA_HOME is honoured).
    static QString defaultPath();
    static constexpr int kSchemaVersion = 3;

    bool usable() const { return m_db.isOpen(); }
    // Why the progress cannot be kept, in French; empty when it can.
    const QString& problem() const { return m_problem; }
    // Something the player should know about the database, in French: a
    // damaged file set aside. Empty otherwise.
    const QString& notice() const { return m_notice; }

    std::optional<Summary> summary(const QString& list) const;
    std::optional<Kept> load(const QString& list) const;

    // A training started afresh on `fileLines`, replacing any kept one.
    bool begin(const QString& list, const TrainingSnapshot& start,
               const lists::ListContent& fileLines);
    // After a correction (with its record) or when the screen is left (none).
    // False when it could not be kept; lastError() says why.
    bool save(const QString& list, const TrainingSnapshot& now, const SeriesRecord* series);
    const QString& lastError() const { return m_lastError; }

    // A choice of the player's kept across runs, by its name; empty when none.
    QString preference(const QString& name) const;
    bool setPreference(const QString& name, const QString& value);

private:
    bool open();
    bool checkHealth();
    void setAside();
    bool migrate();
    bool writeAll(const QString& list, const TrainingSnapshot& now,
                  const lists::ListContent& fileLines);
    bool writeDelta(const QString& list, const SeriesRecord& series);
    bool writeLeft(const QString& list, const TrainingSnapshot& now);
    bool recordSeries(const QString& list, const SeriesRecord& series);
    bool fail(const QString& error);
    bool failed(const QSqlQuery& query);
    bool run(QSqlQuery& query, std::initializer_list<QVariant> values);
    bool beginWrite();
    bool finishWrite(const QString& list, qint64 revision, bool done, const QSqlQuery& query);

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    QString m_problem;
    QString m_notice;
    QString m_lastError;
    // The revision of each list as this program last wrote it: another program
    // that saved the same list since makes the next save a whole rewrite.
    mutable QHash<QString, qint64> m_revisions;
};

} // namespace tirages::progress
