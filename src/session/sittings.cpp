#include "session/sittings.h"

#include "lists/catalogue.h"
#include "session/statistics.h"
#include "texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace tirages::session {
namespace {

namespace say = texts::progress;
using texts::french;
using training::SeriesRecord;
using training::TrainingSnapshot;

// How long a save waits for another program holding the database: the window
// is not to freeze for longer. At the end of the program it may wait more.
constexpr int kWindowPatience = 30;
constexpr int kEndPatience = 3000;

QDateTime endOfToday(const QDateTime& now) {
    return QDateTime(now.date().addDays(1), QTime(0, 0));
}

} // namespace

// One list trained in this run, and how far its training is kept. The
// training in memory is the truth: until a save keeps it, every later save
// writes it whole, with the series not recorded yet.
class Sitting {
public:
    // How much of it a store keeps.
    enum class Keeping {
        Nothing,    // no store, or a list with no word to train
        Training,   // the training and its series
        SeriesOnly, // a list built from the memory: its series and their reviews
    };
    // What a store holds of it, against the training in memory.
    enum class Saved {
        Yes,     // all of it
        Changed, // less than the training: the next save writes what changed
        Begun,   // begun again: the next save writes it whole, over what was kept
    };
    struct SaveFailure {
        QString why;
        bool told = false; // the player was told on leaving the screen
    };

    lists::ListId list;
    lists::ListContent fileLines; // the file the entries' lines number
    qint64 linesVersion = 0;      // changes with fileLines
    TrainingSnapshot training;
    QList<SeriesRecord> unsaved; // series corrected and not recorded yet
    std::optional<qint64> base;  // the revision this program last kept
    Keeping keeping = Keeping::Nothing;
    Saved saved = Saved::Yes;
    std::optional<QDateTime> finished;
    std::optional<SaveFailure> failure; // of the last save
    std::unique_ptr<QLockFile> lock;    // no other program trains the list meanwhile

    bool pending() const { return keeping != Keeping::Nothing && saved != Saved::Yes; }
    void changed() {
        if (saved == Saved::Yes)
            saved = Saved::Changed;
    }
    progress::Summary summary() const {
        return {static_cast<qint32>(training.entries.size()),
                static_cast<qint32>(fileLines.size()),
                training.seriesDone,
                training.secondsTrained,
                finished,
                0};
    }
};

namespace {

// The lock that says this program trains the list, not taken yet; none
// without a store to keep it in.
std::unique_ptr<QLockFile> lockOf(const progress::Store* store, const lists::ListId& list) {
    if (!store)
        return nullptr;
    const QDir folder(QFileInfo(store->path()).absolutePath() + QStringLiteral("/locks"));
    folder.mkpath(QStringLiteral("."));
    const QByteArray name =
        QCryptographicHash::hash(list.key().toUtf8(), QCryptographicHash::Sha1).toHex();
    auto lock = std::make_unique<QLockFile>(folder.filePath(QString::fromLatin1(name + ".lock")));
    // A lock left by a program that ended without letting it go is taken over.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

Sittings::Sittings(QStringList dataDirs, Clock now)
    : m_dataDirs(std::move(dataDirs)), m_now(std::move(now)) {}

Sittings::~Sittings() = default;

void Sittings::useStore(Result<std::unique_ptr<progress::Store>> store) {
    m_store = store ? std::move(*store) : nullptr;
    m_whyNoStore = store.why();
    m_message = m_store ? m_store->notice() : m_whyNoStore;
}

Sitting* Sittings::sittingOf(const lists::ListId& list) const {
    for (const auto& sitting : m_sittings) {
        if (sitting->list == list)
            return sitting.get();
    }
    return nullptr;
}

Sitting* Sittings::current() const {
    return m_sittings.empty() ? nullptr : m_sittings.back().get();
}

void Sittings::listNamed(const QString& text) {
    m_typed = text;
    m_message.clear();
}

// How the file of the list differs from the lines its training numbers, read
// once for each version of the file and of the training kept.
std::optional<progress::FileChange>
Sittings::fileChange(const lists::ListId& list, qint64 revision,
                     const lists::ListContent* fileLines) const {
    const QFileInfo file(lists::locateList(m_typed, m_dataDirs));
    const FileStamp stamp{file.exists() ? file.size() : -1, file.lastModified(), revision};
    const QString cacheKey =
        list.key() + (fileLines ? QStringLiteral("\n+") : QStringLiteral("\n-"));
    if (const auto known = m_changes.constFind(cacheKey);
        known != m_changes.constEnd() && known->stamp == stamp)
        return known->change;
    KnownChange known{stamp, std::nullopt};
    const lists::ListResult read = lists::openList(m_typed, m_dataDirs);
    if (const auto* lines = lists::listEntries(read)) {
        if (fileLines)
            known.change = progress::compareLines(*fileLines, *lines);
        else if (const auto kept = m_store->trainings().load(list))
            known.change = progress::compareLines(kept->fileLines, *lines);
    }
    m_changes.insert(cacheKey, known);
    return known.change;
}

// What this program trains is told as it stands in memory, saved or not.
std::optional<progress::Summary> Sittings::summaryOf(const lists::ListId& list) const {
    if (const Sitting* sitting = sittingOf(list))
        return sitting->keeping == Sitting::Keeping::Training ? std::optional(sitting->summary())
                                                              : std::nullopt;
    return m_store ? m_store->trainings().summary(list) : std::nullopt;
}

LauncherView Sittings::view() const {
    LauncherView view;
    view.message = m_message;
    if (const qint32 due = dueToday(); due > 0)
        view.reviews = texts::reviews::due.arg(texts::counted(due, texts::reviews::dueCount));
    m_history = m_history || (m_store && m_store->history().hasSeries());
    view.statisticsShown = m_history;
    m_keeping = m_keeping || m_history || (m_store && m_store->history().keepsAnything());
    view.carryShown = m_keeping;
    const lists::ListId list = lists::ListId::typed(m_typed);
    const std::optional<progress::Summary> summary =
        list.isEmpty() ? std::nullopt : summaryOf(list);
    // A training with no series corrected has nothing to lose: no line.
    if (!summary || summary->seriesDone == 0)
        return view;
    view.continueShown = !summary->finished;
    if (view.message.isEmpty())
        view.progress = progressLine(*summary, list, sittingOf(list));
    return view;
}

QString Sittings::progressLine(const progress::Summary& summary, const lists::ListId& list,
                               const Sitting* sitting) const {
    const QString series = texts::counted(summary.seriesDone, texts::seriesCount);
    if (summary.finished)
        return say::finished.arg(
            french().toString(summary.finished->date(), QStringLiteral("d MMMM yyyy")), series,
            duration(summary.secondsTrained));
    QString line = say::inProgress.arg(texts::counted(summary.entriesLeft, texts::wordsLeftCount),
                                       french().toString(summary.entriesAtStart), series,
                                       duration(summary.secondsTrained));
    const auto change = sitting ? fileChange(list, sitting->linesVersion, &sitting->fileLines)
                                : fileChange(list, summary.revision, nullptr);
    if (!change)
        line += u'\n' + say::fileUnreadable;
    else if (change->any())
        line += u'\n' + say::fileChanged.arg(texts::counted(change->added, texts::wordsAdded),
                                             texts::counted(change->removed, texts::wordsRemoved));
    return line;
}

std::optional<QString> Sittings::restartQuestion() const {
    const lists::ListId list = lists::ListId::typed(m_typed);
    const std::optional<progress::Summary> summary =
        list.isEmpty() ? std::nullopt : summaryOf(list);
    // Nothing this program would forget: another trains the list, and
    // "LANCER" will say so.
    if (!summary || summary->seriesDone == 0 || summary->finished || trainedElsewhere(list))
        return std::nullopt;
    if (summary->entriesLeft == 1)
        return say::restartQuestionOne.arg(m_typed);
    return say::restartQuestionMany.arg(m_typed, french().toString(summary->entriesLeft));
}

bool Sittings::trainedElsewhere(const lists::ListId& list) const {
    if (sittingOf(list))
        return false;
    const auto lock = lockOf(m_store.get(), list);
    if (!lock || lock->tryLock(0))
        return false;
    return lock->error() == QLockFile::LockFailedError;
}

Sitting* Sittings::sitFor(const lists::ListId& list, const QString& shown) {
    Sitting* sitting = sittingOf(list);
    if (!sitting) {
        auto made = std::make_unique<Sitting>();
        made->list = list;
        made->lock = lockOf(m_store.get(), list);
        if (made->lock && !made->lock->tryLock(0) &&
            made->lock->error() == QLockFile::LockFailedError) {
            m_message = say::listInUse.arg(shown);
            return nullptr;
        }
        sitting = made.get();
        m_sittings.push_back(std::move(made));
    }
    // The current sitting goes last.
    const auto at = std::find_if(m_sittings.begin(), m_sittings.end(),
                                 [sitting](const auto& s) { return s.get() == sitting; });
    std::rotate(at, at + 1, m_sittings.end());
    dropKeptOnes();
    return sitting;
}

Result<lists::ListFile> Sittings::failed(const QString& why) {
    m_message = why;
    return Failure{why};
}

Result<lists::ListFile> Sittings::launch() {
    m_message.clear();
    lists::ListResult read = lists::openList(m_typed, m_dataDirs);
    if (const auto* error = std::get_if<lists::ListError>(&read))
        return failed(error->message());
    Sitting* sitting = sitFor(lists::ListId::typed(m_typed), m_typed);
    if (!sitting)
        return Failure{m_message};
    auto& file = std::get<lists::ListFile>(read);
    sitting->fileLines = file.entries;
    ++sitting->linesVersion;
    sitting->keeping = Sitting::Keeping::Nothing; // until it has started
    sitting->saved = Sitting::Saved::Begun;
    sitting->finished.reset();
    return std::move(file);
}

// What this program trains is taken up as it stands in memory, whether its
// last save went through or not.
Result<TrainingSnapshot> Sittings::continueTraining() {
    m_message.clear();
    const lists::ListId list = lists::ListId::typed(m_typed);
    const Sitting* known = sittingOf(list);
    std::optional<progress::Kept> kept;
    if (known && known->keeping == Sitting::Keeping::Training)
        kept = progress::Kept{known->summary(), known->training, known->fileLines};
    else if (!known && m_store)
        kept = m_store->trainings().load(list);
    if (!kept || kept->summary.finished || kept->summary.seriesDone == 0)
        return Failure{};
    Sitting* sitting = sitFor(list, m_typed);
    if (!sitting)
        return Failure{m_message};
    if (!known) {
        sitting->base = kept->summary.revision;
        sitting->saved = Sitting::Saved::Yes;
    }
    sitting->training = kept->snapshot;
    sitting->fileLines = kept->fileLines;
    const lists::ListResult read = lists::openList(m_typed, m_dataDirs);
    const auto* lines = lists::listEntries(read);
    if (lines && progress::compareLines(kept->fileLines, *lines).any()) {
        // The file changed: the training goes on on the file as it is now,
        // written whole.
        sitting->training = progress::mergeWithFile(*kept, *lines);
        sitting->fileLines = *lines;
        sitting->base.reset();
        sitting->changed();
    }
    ++sitting->linesVersion;
    return sitting->training;
}

Result<lists::ListFile> Sittings::review() {
    m_message.clear();
    m_due.reset();
    if (!m_store || dueToday() == 0)
        return Failure{};
    return trainFromMemory(lists::ListId::of(lists::ListId::Kind::Reviews),
                           m_store->memory().dueQuestions(endOfToday(m_now())));
}

Result<lists::ListFile> Sittings::trainFromMemory(const lists::ListId& list,
                                                  lists::ListContent questions) {
    m_message.clear();
    if (questions.isEmpty())
        return Failure{};
    Sitting* sitting = sitFor(list, list.caption());
    if (!sitting)
        return Failure{m_message};
    lists::ListFile file;
    file.entries = std::move(questions);
    sitting->fileLines = file.entries;
    ++sitting->linesVersion;
    sitting->finished.reset();
    return file;
}

qint32 Sittings::dueToday() const {
    if (!m_store)
        return 0;
    const QDate today = m_now().date();
    if (!m_due || m_due->first != today)
        m_due = {today, m_store->memory().dueCount(endOfToday(m_now()))};
    return m_due->second;
}

// A list with nothing to train is not kept at all; a training that "LANCER"
// forgot in its place is gone.
void Sittings::started(const TrainingSnapshot& training) {
    Sitting* sitting = current();
    if (!sitting)
        return;
    sitting->training = training;
    if (sitting->list.fromMemory()) {
        sitting->keeping = m_store ? Sitting::Keeping::SeriesOnly : Sitting::Keeping::Nothing;
        return;
    }
    const bool keeping = m_store && !training.entries.isEmpty();
    sitting->keeping = keeping ? Sitting::Keeping::Training : Sitting::Keeping::Nothing;
    if (!keeping) {
        if (m_store && sitting->saved == Sitting::Saved::Begun)
            (void)m_store->trainings().forget(sitting->list);
        sitting->saved = Sitting::Saved::Yes;
        return;
    }
    save(*sitting, kWindowPatience);
}

void Sittings::corrected(const TrainingSnapshot& training, const SeriesRecord& series) {
    Sitting* sitting = current();
    if (!sitting || sitting->keeping == Sitting::Keeping::Nothing)
        return;
    sitting->training = training;
    sitting->unsaved.append(series);
    sitting->unsaved.last().at = m_now();
    sitting->unsaved.last().wordsLeft = static_cast<qint32>(training.entries.size());
    m_history = true;
    if (training.entries.isEmpty() && !sitting->finished)
        sitting->finished = m_now();
    sitting->changed();
    save(*sitting, kWindowPatience);
}

void Sittings::left(const TrainingSnapshot& training) {
    Sitting* sitting = current();
    if (!sitting || sitting->keeping == Sitting::Keeping::Nothing)
        return;
    sitting->training = training;
    sitting->changed();
    save(*sitting, kWindowPatience);
    if (sitting->pending() && sitting->failure && !sitting->failure->told) {
        m_message = say::savePending.arg(sitting->failure->why);
        sitting->failure->told = true;
    }
}

void Sittings::save(Sitting& sitting, int patience) {
    if (!sitting.pending() || !m_store)
        return;
    m_store->setPatience(patience);
    const QDateTime at = m_now();
    Result<Done> kept = Done{};
    if (sitting.keeping == Sitting::Keeping::SeriesOnly) {
        if (!sitting.unsaved.isEmpty())
            kept = m_store->trainings().record(sitting.list, sitting.unsaved, at);
    } else {
        const bool begun = sitting.saved == Sitting::Saved::Begun;
        const progress::Save save{sitting.training,
                                  sitting.fileLines,
                                  sitting.unsaved,
                                  at,
                                  begun ? std::nullopt : sitting.base,
                                  begun};
        const Result<qint64> revision = m_store->trainings().save(sitting.list, save);
        sitting.base = revision ? std::optional(*revision) : std::nullopt;
        kept = revision ? Result<Done>(Done{}) : revision.failure();
    }
    if (!kept) {
        const bool told = sitting.failure && sitting.failure->told;
        sitting.failure = Sitting::SaveFailure{kept.why(), told};
        return;
    }
    if (!sitting.unsaved.isEmpty())
        m_due.reset();
    sitting.saved = Sitting::Saved::Yes;
    sitting.unsaved.clear();
    sitting.failure.reset();
    // What the player was told is no longer so.
    if (!pending() && m_message.startsWith(say::savePending.section(u':', 0, 0)))
        m_message.clear();
}

// A list no longer trained is let go once all of it is kept.
void Sittings::dropKeptOnes() {
    const Sitting* now = current();
    std::erase_if(m_sittings,
                  [now](const auto& sitting) { return sitting.get() != now && !sitting->pending(); });
}

bool Sittings::pending() const {
    return std::any_of(m_sittings.begin(), m_sittings.end(),
                       [](const auto& sitting) { return sitting->pending(); });
}

void Sittings::retry() {
    for (const auto& sitting : m_sittings)
        save(*sitting, kWindowPatience);
    dropKeptOnes();
}

void Sittings::forgetWhatWasKept() {
    m_sittings.clear();
    m_changes.clear();
    m_due.reset();
    m_history = false;
    m_keeping = false;
}

QString Sittings::end() {
    QString failure;
    for (const auto& sitting : m_sittings) {
        save(*sitting, kEndPatience);
        if (sitting->pending() && failure.isEmpty())
            failure = say::saveFailed.arg(sitting->failure ? sitting->failure->why : QString());
    }
    return failure;
}

} // namespace tirages::session
