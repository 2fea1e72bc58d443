#pragma once

// What happens between the two screens: which kept training the launcher
// offers for the list named and what its line says, whether "LANCER" asks
// first, the list read for "LANCER" or taken up by « Continuer », every save of
// the training the screen trains, and what the player is told about it all.
// The windows show what this decides and forward their events here. It keeps
// nothing itself: the store does, and without one every training is as it
// would be if nothing were ever kept.

#include "lists/listfile.h"
#include "progress/store.h"
#include "training/snapshot.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

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
};

// What an action of « Sauvegarde… » did, or why it did nothing, in French.
struct Outcome {
    bool ok = false;
    QString message;
};

class Sitting;

class Sittings {
public:
    using Clock = std::function<QDateTime()>;

    // dataDirs: where the catalogue's lists are looked for besides the working
    // directory; now: the time of day, for the dates kept.
    Sittings(QStringList dataDirs, Clock now);
    ~Sittings();

    // The store that keeps the trainings, opened once the launcher is on
    // screen; what the player should know of it is said at once.
    void useStore(std::unique_ptr<progress::Store> store);
    const progress::Store* store() const { return m_store.get(); }
    QDateTime now() const { return m_now(); }

    LauncherView view() const;
    // The text of the list box changed: the line follows it, a message goes.
    void listNamed(const QString& fichier);

    // The question "LANCER" asks before it forgets a training in progress on
    // the list named; none when there is nothing to lose.
    std::optional<QString> restartQuestion() const;
    // "LANCER" (asked and answered if need be): the list named, read; or
    // nothing, and the message says why.
    std::optional<lists::ListFile> launch();
    // « Continuer »: the kept training of the list named, merged with its file
    // when the file changed; or nothing, and the launcher shows why.
    std::optional<training::TrainingSnapshot> continueTraining();
    // « Réviser »: the questions due today, as a list trained like any other.
    // Its series and their reviews are kept as they are corrected, the
    // training itself is not: the next « Réviser » starts from what is due then.
    std::optional<lists::ListFile> review();
    // « Entraîner ces mots » of the statistics: the questions given, trained
    // as the reviews are, under the name given.
    std::optional<lists::ListFile> trainUnkept(const QString& name, lists::ListContent questions);

    // The training screen's news: a list started (after launch() or
    // continueTraining()), a series corrected, the screen left.
    void started(const training::TrainingSnapshot& training);
    void corrected(const training::TrainingSnapshot& training,
                   const training::SeriesRecord& series);
    void left(const training::TrainingSnapshot& training);

    // « Sauvegarde… »: the memory to and from a cardbox file of word-study
    // programs, and everything kept to and from a copy. The questions a
    // cardbox is matched with are those of the catalogue, of the trainings
    // kept and of the memory.
    Outcome importCardbox(const QString& file);
    Outcome exportCardbox(const QString& file);
    Outcome backup(const QString& file);
    // What a restore of the copy will replace; or, not ok, why it is refused.
    Outcome restoreQuestion(const QString& file) const;
    // The copy in place of everything kept. The trainings of this run are
    // kept no more: a training on screen goes on without being kept.
    Outcome restore(const QString& file);

    // Whether something trained is not kept yet; retry() tries again.
    bool pending() const;
    void retry();
    // The program ends: the last saves, waiting longer for the database. What
    // to tell the player of what could still not be kept; empty when all is.
    QString end();

    // The folder « Parcourir… » opens in: the one a list was chosen in last,
    // in this run or an earlier one, while it exists; else `home`.
    QString browseFolder(const QString& home) const;
    void listFileChosen(const QString& path);

private:
    QString keyOf(const QString& fichier) const;
    Sitting* sittingOf(const QString& key) const;
    Sitting* current() const;
    std::unique_ptr<QLockFile> lockOf(const QString& key) const;
    bool trainedElsewhere(const QString& key) const;
    // A sitting on `key`, the current one from now on; null when another
    // program trains that list (the message then says so).
    Sitting* sitFor(const QString& key, const QString& fichier);
    void save(Sitting& sitting, int patience);
    void dropKeptOnes();
    // What is kept was replaced: nothing known of it holds any more.
    void forgetWhatWasKept();
    qint32 dueToday() const;

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
    std::optional<progress::FileChange> fileChange(const QString& fichier, const QString& key,
                                                   qint64 revision,
                                                   const lists::ListContent* fileLines) const;

    QStringList m_dataDirs;
    Clock m_now;
    std::unique_ptr<progress::Store> m_store;
    QString m_fichier; // the text of the list box
    QString m_message;
    // The lists trained in this run whose training is kept: the current one
    // last; the others only while a save of theirs is pending.
    std::vector<std::unique_ptr<Sitting>> m_sittings;
    mutable QHash<QString, KnownChange> m_changes; // by list key: read once a file version
    QString m_lastFolder;
    // The questions due, counted once a day and after each save.
    mutable std::optional<std::pair<QDate, qint32>> m_due;
    mutable bool m_history = false; // once a series is kept, for good
    mutable bool m_keeping = false; // once anything is kept, for good
};

} // namespace tirages::session
