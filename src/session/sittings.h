#pragma once

// What happens between the two screens: which kept training the launcher
// offers for the list named and what its line says, whether "LANCER" asks
// first, the list read for "LANCER" or taken up by « Continuer », every save of
// the training the screen trains, and what the player is told about it all.
// The windows show what this decides and forward their events here. It keeps
// nothing itself: the store does, and without one every training is as it
// would be if nothing were ever kept.

#include "clock.h"
#include "lists/listfile.h"
#include "lists/listid.h"
#include "progress/store.h"
#include "result.h"
#include "session/lexicons.h"
#include "training/snapshot.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace tirages::session {

// What the launcher shows beyond its first design; all empty and hidden while
// nothing is kept.
struct LauncherView {
    QString message;            // an alert: a list that cannot start, what cannot be kept
    QString progress;           // the kept training of the list named; empty: no line
    bool continueShown = false; // « Continuer » takes it up
    QString reviews;            // the questions due today; empty: no line, no « Réviser »
    bool statisticsShown = false; // a series was ever corrected
    bool carryShown = false;      // « Sauvegarde… »: something is kept
    QString lexicon;              // the lexicon in force when not the one shipped
};

class Sitting;

class Sittings {
public:
    // dataDirs: where the catalogue's lists are looked for besides the working
    // directory; now: the time of day, for the dates kept.
    Sittings(QStringList dataDirs, Clock now);
    ~Sittings();

    // The store that keeps the trainings, opened once the launcher is on
    // screen, or why none could be: what the player should know of it is said
    // at once.
    void useStore(Result<std::unique_ptr<progress::Store>> store);
    progress::Store* store() const { return m_store.get(); }
    // The lexicon that completes plain word lists, its choice kept in the store.
    Lexicons& lexicons() { return m_lexicons; }

    LauncherView view() const;
    // The text of the list box changed: the line follows it, a message goes.
    void listNamed(const QString& text);

    // The question "LANCER" asks before it forgets a training in progress on
    // the list named; none when there is nothing to lose.
    std::optional<QString> restartQuestion() const;
    // "LANCER" (asked and answered if need be): the list named, read.
    Result<lists::ListFile> launch();
    // « Continuer »: the kept training of the list named, merged with its file
    // when the file changed.
    Result<training::TrainingSnapshot> continueTraining();
    // « Réviser »: the questions due today, as a list trained like any other.
    Result<lists::ListFile> review();
    // A list built from the memory (« Réviser », « Entraîner ces mots »): its
    // series and their reviews are kept as they are corrected, the training
    // itself is not: the next time starts from what is due or hard then.
    // Each draw is asked with every word the memory holds for it.
    Result<lists::ListFile> trainFromMemory(const lists::ListId& list,
                                            lists::ListContent questions);

    // The training screen's news: a list started (after launch(),
    // continueTraining() or trainFromMemory()), a series corrected, the screen
    // left.
    void started(const training::TrainingSnapshot& training);
    void corrected(const training::TrainingSnapshot& training,
                   const training::SeriesRecord& series);
    void left(const training::TrainingSnapshot& training);

    // Whether something trained is not kept yet; retry() tries again.
    bool pending() const;
    void retry();
    // The program ends: the last saves, waiting longer for the database. What
    // to tell the player of what could still not be kept; empty when all is.
    QString end();

private:
    friend class Carrying; // it replaces what is kept, and says so here

    Sitting* sittingOf(const lists::ListId& list) const;
    Sitting* current() const;
    bool trainedElsewhere(const lists::ListId& list) const;
    // A sitting on `list`, the current one from now on; null when another
    // program trains that list (the message then says so, naming it `shown`).
    Sitting* sitFor(const lists::ListId& list, const QString& shown);
    // A training of questions of the memory, as they are given.
    Result<lists::ListFile> trainOn(const lists::ListId& list, lists::ListContent questions);
    std::optional<progress::Summary> summaryOf(const lists::ListId& list) const;
    QString progressLine(const progress::Summary& summary, const lists::ListId& list,
                         const Sitting* sitting) const;
    void save(Sitting& sitting, int patience);
    void dropKeptOnes();
    // What is kept was replaced: nothing known of it holds any more.
    void forgetWhatWasKept();
    qint32 dueToday() const;
    Result<lists::ListFile> failed(const QString& why);
    // The list named, read; a plain word list completed by the lexicon.
    lists::ListResult readNamed() const;

    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        qint64 revision = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    struct KnownChange {
        FileStamp stamp;
        std::optional<progress::FileChange> change; // none: the file cannot be read
    };
    std::optional<progress::FileChange> fileChange(const lists::ListId& list, qint64 revision,
                                                   const lists::ListContent* fileLines) const;

    QStringList m_dataDirs;
    Clock m_now;
    std::unique_ptr<progress::Store> m_store;
    mutable Lexicons m_lexicons;
    QString m_whyNoStore;
    QString m_typed; // the text of the list box
    QString m_message;
    // The lists trained in this run whose training is kept: the current one
    // last; the others only while a save of theirs is pending.
    std::vector<std::unique_ptr<Sitting>> m_sittings;
    mutable QHash<QString, KnownChange> m_changes; // by list key: read once a file version
    // The questions due, counted once a day and after each save.
    mutable std::optional<std::pair<QDate, qint32>> m_due;
    mutable bool m_history = false; // once a series is kept, for good
    mutable bool m_keeping = false; // once anything is kept, for good
};

} // namespace tirages::session
