#include "session/sittings.h"

#include "lists/catalogue.h"
#include "session/statistics.h"
#include "texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>

namespace tirages::session {
namespace {

namespace say = texts::progress;

// How long a save waits for another program holding the database: the window
// is not to freeze for longer. At the end of the program it may wait more.
constexpr int kWindowPatience = 30;
constexpr int kEndPatience = 3000;

const QString kListFolder = QStringLiteral("list_folder");
// The reviews' key in the store: never a catalogue list nor a file's absolute
// path.
const QString kReviewKey = texts::reviews::listName;

using texts::french;

} // namespace

// One list trained in this run, and how far its training is kept. The
// training in memory is the truth: until a save keeps it, every later save
// writes it whole, with the series not recorded yet.
class Sitting {
public:
    QString key;
    lists::ListContent fileLines; // the file the entries' lines number
    qint64 linesVersion = 0;      // changes with fileLines
    training::TrainingSnapshot training;
    QList<training::SeriesRecord> unsaved; // series corrected and not recorded yet
    std::optional<qint64> base;   // the revision this program last kept
    bool afresh = false;          // begun, and not kept yet since
    bool dirty = false;           // something not kept yet
    bool kept = false;            // a store keeps it, and the list has words to train
    bool review = false;          // reviews: only its series are kept, not the training
    std::optional<QDateTime> finished;
    QString failure; // why the last save failed
    bool told = false;
    std::unique_ptr<QLockFile> lock; // no other program trains the list meanwhile

    bool pending() const { return kept && dirty; }
    progress::Summary summary() const {
        progress::Summary s;
        s.entriesLeft = static_cast<qint32>(training.entries.size());
        s.entriesAtStart = static_cast<qint32>(fileLines.size());
        s.seriesDone = training.seriesDone;
        s.secondsTrained = training.secondsTrained;
        s.finished = finished;
        return s;
    }
};

Sittings::Sittings(QStringList dataDirs, Clock now)
    : m_dataDirs(std::move(dataDirs)), m_now(std::move(now)) {}

Sittings::~Sittings() = default;

void Sittings::useStore(std::unique_ptr<progress::Store> store) {
    m_store = std::move(store);
    if (m_store)
        m_message = !m_store->problem().isEmpty() ? m_store->problem() : m_store->notice();
}

// A catalogue list is kept by its name; a file by its absolute path, however
// it was typed.
QString Sittings::keyOf(const QString& fichier) const {
    if (fichier.isEmpty())
        return {};
    if (lists::listPath(fichier) != fichier)
        return fichier;
    return QFileInfo(fichier).absoluteFilePath();
}

Sitting* Sittings::sittingOf(const QString& key) const {
    for (const auto& sitting : m_sittings) {
        if (sitting->key == key)
            return sitting.get();
    }
    return nullptr;
}

Sitting* Sittings::current() const {
    return m_sittings.empty() ? nullptr : m_sittings.back().get();
}

void Sittings::listNamed(const QString& fichier) {
    m_fichier = fichier;
    m_message.clear();
}

// How the file of the list differs from the lines its training numbers, read
// once for each version of the file and of the training kept.
std::optional<progress::FileChange>
Sittings::fileChange(const QString& fichier, const QString& key, qint64 revision,
                     const lists::ListContent* fileLines) const {
    const QFileInfo file(lists::locateList(fichier, m_dataDirs));
    const FileStamp stamp{file.exists() ? file.size() : -1, file.lastModified(), revision};
    const QString cacheKey = key + (fileLines ? QStringLiteral("\n+") : QStringLiteral("\n-"));
    if (const auto known = m_changes.constFind(cacheKey);
        known != m_changes.constEnd() && known->stamp == stamp)
        return known->change;
    KnownChange known{stamp, std::nullopt};
    const lists::ListResult read = lists::openList(fichier, m_dataDirs);
    if (const auto* lines = lists::listEntries(read)) {
        if (fileLines) {
            known.change = progress::compareLines(*fileLines, *lines);
        } else if (const auto kept = m_store->load(key)) {
            known.change = progress::compareLines(kept->fileLines, *lines);
        }
    }
    m_changes.insert(cacheKey, known);
    return known.change;
}

LauncherView Sittings::view() const {
    LauncherView view;
    view.message = m_message;
    if (const qint32 due = dueToday(); due > 0)
        view.reviews = texts::reviews::due.arg(texts::counted(due, texts::reviews::dueCount));
    m_history = m_history || (m_store && m_store->hasHistory());
    view.statisticsShown = m_history;
    m_keeping = m_keeping || m_history || (m_store && m_store->keepsAnything());
    view.carryShown = m_keeping;
    const QString key = keyOf(m_fichier);
    if (key.isEmpty())
        return view;
    std::optional<progress::Summary> summary;
    const Sitting* sitting = sittingOf(key);
    if (sitting && sitting->kept)
        summary = sitting->summary();
    else if (!sitting && m_store)
        summary = m_store->summary(key);
    // A training with no series corrected has nothing to lose: no line.
    if (!summary || summary->seriesDone == 0)
        return view;
    const QString series = texts::counted(summary->seriesDone, texts::seriesCount);
    if (summary->finished) {
        view.progress = say::finished.arg(
            french().toString(summary->finished->date(), QStringLiteral("d MMMM yyyy")), series,
            duration(summary->secondsTrained));
    } else {
        view.continueShown = true;
        view.progress = say::inProgress.arg(
            texts::counted(summary->entriesLeft, texts::wordsLeftCount),
            french().toString(summary->entriesAtStart), series, duration(summary->secondsTrained));
        const auto change =
            sitting ? fileChange(m_fichier, key, sitting->linesVersion, &sitting->fileLines)
                    : fileChange(m_fichier, key, summary->revision, nullptr);
        if (!change)
            view.progress += u'\n' + say::fileUnreadable;
        else if (change->any())
            view.progress += u'\n' + say::fileChanged.arg(
                                         texts::counted(change->added, texts::wordsAdded),
                                         texts::counted(change->removed, texts::wordsRemoved));
    }
    if (!view.message.isEmpty())
        view.progress.clear();
    return view;
}

std::optional<QString> Sittings::restartQuestion() const {
    const QString key = keyOf(m_fichier);
    if (key.isEmpty())
        return std::nullopt;
    std::optional<progress::Summary> summary;
    if (const Sitting* sitting = sittingOf(key))
        summary = sitting->kept ? std::optional(sitting->summary()) : std::nullopt;
    else if (m_store)
        summary = m_store->summary(key);
    // Nothing this program would forget: another trains the list, and
    // "LANCER" will say so.
    if (!summary || summary->seriesDone == 0 || summary->finished || trainedElsewhere(key))
        return std::nullopt;
    if (summary->entriesLeft == 1)
        return say::restartQuestionOne.arg(m_fichier);
    return say::restartQuestionMany.arg(m_fichier, french().toString(summary->entriesLeft));
}

// The lock that says this program trains the list, not taken yet; none
// without a store to keep it in.
std::unique_ptr<QLockFile> Sittings::lockOf(const QString& key) const {
    if (!m_store || !m_store->usable())
        return nullptr;
    const QDir folder(QFileInfo(m_store->path()).absolutePath() + QStringLiteral("/locks"));
    folder.mkpath(QStringLiteral("."));
    const QByteArray name = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    auto lock = std::make_unique<QLockFile>(folder.filePath(QString::fromLatin1(name + ".lock")));
    // A lock left by a program that ended without letting it go is taken over.
    lock->setStaleLockTime(0);
    return lock;
}

bool Sittings::trainedElsewhere(const QString& key) const {
    if (sittingOf(key))
        return false;
    const auto lock = lockOf(key);
    if (!lock || lock->tryLock(0))
        return false;
    return lock->error() == QLockFile::LockFailedError;
}

Sitting* Sittings::sitFor(const QString& key, const QString& fichier) {
    Sitting* sitting = sittingOf(key);
    if (!sitting) {
        auto made = std::make_unique<Sitting>();
        made->key = key;
        made->lock = lockOf(key);
        if (made->lock && !made->lock->tryLock(0) &&
            made->lock->error() == QLockFile::LockFailedError) {
            m_message = say::listInUse.arg(fichier);
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

std::optional<lists::ListFile> Sittings::launch() {
    m_message.clear();
    const QString key = keyOf(m_fichier);
    lists::ListResult read = lists::openList(m_fichier, m_dataDirs);
    if (const auto* error = std::get_if<lists::ListError>(&read)) {
        m_message = error->message();
        return std::nullopt;
    }
    Sitting* sitting = sitFor(key, m_fichier);
    if (!sitting)
        return std::nullopt;
    auto& file = std::get<lists::ListFile>(read);
    sitting->fileLines = file.entries;
    ++sitting->linesVersion;
    sitting->afresh = true;
    sitting->finished.reset();
    return std::move(file);
}

std::optional<training::TrainingSnapshot> Sittings::continueTraining() {
    m_message.clear();
    const QString key = keyOf(m_fichier);
    // What this program trains is taken up as it stands in memory, whether its
    // last save went through or not.
    const Sitting* known = sittingOf(key);
    std::optional<progress::Kept> kept;
    if (known && known->kept)
        kept = progress::Kept{known->summary(), known->training, known->fileLines};
    else if (!known && m_store)
        kept = m_store->load(key);
    if (!kept || kept->summary.finished || kept->summary.seriesDone == 0)
        return std::nullopt;
    Sitting* sitting = sitFor(key, m_fichier);
    if (!sitting)
        return std::nullopt;
    if (!known) {
        sitting->base = kept->summary.revision;
        sitting->afresh = false;
    }
    sitting->training = kept->snapshot;
    sitting->fileLines = kept->fileLines;
    const lists::ListResult read = lists::openList(m_fichier, m_dataDirs);
    const auto* lines = lists::listEntries(read);
    if (lines && progress::compareLines(kept->fileLines, *lines).any()) {
        // The file changed: the training goes on on the file as it is now,
        // written whole.
        sitting->training = progress::mergeWithFile(*kept, *lines);
        sitting->fileLines = *lines;
        sitting->base.reset();
        sitting->dirty = true;
    }
    ++sitting->linesVersion;
    return sitting->training;
}

std::optional<lists::ListFile> Sittings::review() {
    m_message.clear();
    m_due.reset();
    if (!m_store || dueToday() == 0)
        return std::nullopt;
    return trainUnkept(kReviewKey,
                       m_store->dueQuestions(QDateTime(m_now().date().addDays(1), QTime(0, 0))));
}

std::optional<lists::ListFile> Sittings::trainUnkept(const QString& name,
                                                    lists::ListContent questions) {
    m_message.clear();
    if (questions.isEmpty())
        return std::nullopt;
    Sitting* sitting = sitFor(name, name);
    if (!sitting)
        return std::nullopt;
    lists::ListFile file;
    file.entries = std::move(questions);
    sitting->review = true;
    sitting->fileLines = file.entries;
    ++sitting->linesVersion;
    sitting->finished.reset();
    return file;
}

qint32 Sittings::dueToday() const {
    if (!m_store || !m_store->usable())
        return 0;
    const QDate today = m_now().date();
    if (!m_due || m_due->first != today)
        m_due = {today, m_store->dueCount(QDateTime(today.addDays(1), QTime(0, 0)))};
    return m_due->second;
}

void Sittings::started(const training::TrainingSnapshot& training) {
    Sitting* sitting = current();
    if (!sitting)
        return;
    sitting->training = training;
    const bool storeUsable = m_store && m_store->usable();
    if (sitting->review) {
        sitting->kept = storeUsable;
        return;
    }
    // A list with nothing to train is not kept at all; a training that "LANCER"
    // forgot in its place is gone.
    sitting->kept = storeUsable && !training.entries.isEmpty();
    if (!sitting->kept) {
        if (storeUsable && sitting->afresh)
            m_store->forget(sitting->key);
        sitting->dirty = false;
        return;
    }
    if (sitting->afresh)
        sitting->dirty = true;
    if (sitting->dirty)
        save(*sitting, kWindowPatience);
}

void Sittings::corrected(const training::TrainingSnapshot& training,
                         const training::SeriesRecord& series) {
    Sitting* sitting = current();
    if (!sitting || !sitting->kept)
        return;
    sitting->training = training;
    sitting->unsaved.append(series);
    sitting->unsaved.last().at = m_now();
    sitting->unsaved.last().wordsLeft = static_cast<qint32>(training.entries.size());
    m_history = true;
    if (training.entries.isEmpty() && !sitting->finished)
        sitting->finished = m_now();
    sitting->dirty = true;
    save(*sitting, kWindowPatience);
}

void Sittings::left(const training::TrainingSnapshot& training) {
    Sitting* sitting = current();
    if (!sitting || !sitting->kept)
        return;
    sitting->training = training;
    sitting->dirty = true;
    save(*sitting, kWindowPatience);
    if (sitting->pending() && !sitting->told) {
        m_message = say::savePending.arg(sitting->failure);
        sitting->told = true;
    }
}

void Sittings::save(Sitting& sitting, int patience) {
    if (!sitting.pending() || !m_store)
        return;
    m_store->setPatience(patience);
    const QDateTime at = m_now();
    bool kept = false;
    if (sitting.review) {
        // Only the series: the training itself is not kept.
        kept = sitting.unsaved.isEmpty() || m_store->record(sitting.key, sitting.unsaved, at);
    } else {
        const progress::Save save{sitting.training, sitting.fileLines, sitting.unsaved, at,
                                  sitting.afresh ? std::nullopt : sitting.base, sitting.afresh};
        const auto revision = m_store->save(sitting.key, save);
        kept = revision.has_value();
        sitting.base = revision;
    }
    if (kept) {
        if (!sitting.unsaved.isEmpty())
            m_due.reset();
        sitting.afresh = false;
        sitting.dirty = false;
        sitting.unsaved.clear();
        sitting.failure.clear();
        sitting.told = false;
        // What the player was told is no longer so.
        if (!pending() && m_message.startsWith(say::savePending.section(u':', 0, 0)))
            m_message.clear();
    } else {
        sitting.failure = m_store->lastError();
    }
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
            failure = say::saveFailed.arg(sitting->failure);
    }
    return failure;
}

QString Sittings::browseFolder(const QString& home) const {
    QString folder = m_lastFolder;
    if (folder.isEmpty() && m_store)
        folder = m_store->preference(kListFolder);
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? home : folder;
}

void Sittings::listFileChosen(const QString& path) {
    m_lastFolder = QFileInfo(path).absolutePath();
    if (m_store)
        m_store->setPreference(kListFolder, m_lastFolder);
}

} // namespace tirages::session
