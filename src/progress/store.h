#pragma once

// Trainings kept across runs, in one SQLite database. The training core knows
// nothing of it: it gives snapshots, and this keeps them. Nothing of SQL shows
// through this header.

#include "lists/listfile.h"
#include "reviews/fsrs.h"
#include "training/snapshot.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QRandomGenerator;

namespace tirages::progress {

// A kept training as the launcher tells it.
struct Summary {
    qint32 entriesLeft = 0;
    qint32 entriesAtStart = 0; // lines of the list file the training began from
    qint32 seriesDone = 0;
    qint64 secondsTrained = 0;
    std::optional<QDateTime> finished; // when " BRAVO! " ended it
    qint64 revision = 0;               // changes with every save
};

// A kept training and the lines of the file it began from, to tell how the
// file has changed since.
struct Kept {
    Summary summary;
    training::TrainingSnapshot snapshot;
    lists::ListContent fileLines; // in file order; an entry's line is its place here, from 1
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
training::TrainingSnapshot mergeWithFile(const Kept& kept, const lists::ListContent& now);

// One save of a training, whole or not at all.
struct Save {
    const training::TrainingSnapshot& training; // as it stands now
    const lists::ListContent& fileLines; // the file its entries' lines number
    const QList<training::SeriesRecord>& series; // corrected since the last save that was kept
    QDateTime at;
    // The revision this program last kept of the list. While the database
    // still holds it, only what the series changed is written; otherwise, or
    // without one, the training is written whole.
    std::optional<qint64> base;
    bool afresh = false; // a training begun: it replaces the one kept before
};

// One review of a question, as the log keeps it.
struct LoggedReview {
    QDateTime at;
    reviews::Grade grade = reviews::Grade::Again;
    qint32 elapsedDays = 0;
    bool scheduled = false; // it moved the question's date
    friend bool operator==(const LoggedReview&, const LoggedReview&) = default;
};

// The history, as the statistics read it.
struct DayTotal {
    QDate day;
    qint64 seconds = 0; // of the series corrected that day
    qint32 right = 0;
    qint32 answers = 0;
};
struct ListTotal {
    QString list;
    qint32 entriesAtStart = 0;
    qint32 entriesLeft = 0;
    qint32 seriesDone = 0;
    qint64 secondsTrained = 0;
    qint32 right = 0; // of the answers of every series on the list
    qint32 answers = 0;
    std::optional<QDateTime> finished;
};
struct LeftAfter {
    QDateTime at;
    qint32 wordsLeft = 0;
};
struct MissedQuestion {
    lists::Entry question;
    qint32 misses = 0;
    qint32 answers = 0;
    double meanSeconds = 0;
};
// A review that moved a card: when, and the stability it left.
struct Recall {
    qint64 card = 0;
    QDateTime at;
    double stability = 0;
};
struct WeekOfReviews {
    qint32 week = 0; // counted from the first week asked for
    qint32 reviews = 0;
    qint32 right = 0;
};
struct AnswerRow {
    QDateTime at;
    QString list;
    lists::Entry question;
    QString answer;
    bool right = false;
    qint32 seconds = 0;
};

// What an import of a cardbox did.
struct CardboxImport {
    qint32 questions = 0; // questions given the card of their alphagram
    qint32 keptOwn = 0;   // questions whose own card was reviewed as late or later, kept
    QStringList unknown;  // alphagrams of the cardbox no known question has the letters of
};

// What a copy of everything kept holds, before it replaces what is kept.
struct CopyExamined {
    QString refusal; // why it cannot be restored, in French; empty when it can
    // The last day it kept a training or a series; without any, the day the
    // file was written.
    std::optional<QDate> lastUse;
};

class Store {
public:
    // Opens the database at path, creating it and its folder when missing, and
    // makes sure it can be written. It never fails loudly: when the progress
    // cannot be kept, problem() says why and every call does nothing. `fuzz`
    // spreads the intervals of the reviews; none: the plain intervals.
    explicit Store(const QString& path, QRandomGenerator* fuzz = nullptr);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // The database in the user's data folder (XDG_DATA_HOME is honoured).
    static QString defaultPath();
    static constexpr int kSchemaVersion = 5;

    const QString& path() const;
    bool usable() const;
    // Why the progress cannot be kept, in French; empty when it can.
    const QString& problem() const;
    // Something the player should know about the database, in French: a
    // damaged file set aside. Empty otherwise.
    const QString& notice() const;

    std::optional<Summary> summary(const QString& list) const;
    std::optional<Kept> load(const QString& list) const;

    // Keeps a training, with the series given; its new revision, or nothing
    // when it could not be kept (lastError() says why), the database then as
    // it was.
    std::optional<qint64> save(const QString& list, const Save& save);
    // Series of a training that is not kept (a review of the questions due):
    // recorded with their reviews, whole or not at all.
    bool record(const QString& list, const QList<training::SeriesRecord>& series,
                const QDateTime& at);
    // The training kept for the list, gone.
    bool forget(const QString& list);
    const QString& lastError() const;
    // How long a write waits for another program holding the database, in ms.
    void setPatience(int milliseconds);

    // The memory of questions. Every answer of a series kept or recorded is a
    // review of its question (draw and solution), in the same transaction.
    qint32 dueCount(const QDateTime& before) const;
    // The questions due before that time, the longest due first.
    lists::ListContent dueQuestions(const QDateTime& before) const;
    std::optional<reviews::Card> card(const lists::Entry& question) const;
    QList<LoggedReview> reviewLog(const lists::Entry& question) const;

    // The history, for the statistics. Days are the player's calendar days.
    bool hasHistory() const; // a series was ever corrected
    bool keepsAnything() const; // a training, a series or a question
    QList<DayTotal> dayTotals(const QDate& from) const;
    QList<ListTotal> listTotals() const; // the lists with a training kept
    // The words left after each series of the training kept for the list.
    QList<LeftAfter> wordsLeftAfterSeries(const QString& list) const;
    // The questions missed at least once, most missed first, then the slowest.
    QList<MissedQuestion> mostMissed(int count) const;
    // For each card, the last review that moved it before `from`, then every
    // one since; by card, then in time.
    QList<Recall> recalls(const QDateTime& from) const;
    // The due dates before `before`, the earliest first.
    QList<QDateTime> dueDates(const QDateTime& before) const;
    // Reviews that tested a memory (a day or more after the last one), by
    // week from `from`.
    QList<WeekOfReviews> reviewsByWeek(const QDateTime& from) const;
    // Every answer recorded, in the order given; `row` returns false to stop.
    bool forEachAnswer(const std::function<bool(const AnswerRow&)>& row) const;

    // Carrying what is kept elsewhere. Each writes its file beside the name
    // given, then renames it: the name never holds half a file. Failures:
    // nothing, and lastError() says why.
    //
    // Reads the cardbox file of a word-study program. Each alphagram in its
    // cardbox gives its schedule to every question whose draw has its letters,
    // among `questions`, the trainings kept and the memory; a question whose
    // own card was reviewed later keeps it. Whole or not at all.
    std::optional<CardboxImport> importCardbox(const QString& file,
                                               const lists::ListContent& questions);
    // Writes the memory as a cardbox file, a row an alphagram; how many.
    std::optional<qint32> exportCardbox(const QString& file);
    // A copy of everything kept, taken by SQLite while the program runs.
    bool backup(const QString& file);
    static CopyExamined examineCopy(const QString& file);
    // Replaces everything kept by the copy, once examineCopy accepts it. What
    // was kept is copied aside first, under a new name with the date: its path.
    std::optional<QString> restore(const QString& file);

    // A choice of the player's kept across runs, by its name; empty when none.
    QString preference(const QString& name) const;
    bool setPreference(const QString& name, const QString& value);

private:
    struct Database;
    std::unique_ptr<Database> m_db;
};

} // namespace tirages::progress
