#include "session/sittings.h"

#include "lexicon/completion.h"
#include "lists/catalogue.h"
#include "session/sitting.h"
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

} // namespace

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

Sittings::Sittings(QStringList dataDirs, Clock now)
    : m_dataDirs(std::move(dataDirs)), m_now(std::move(now)),
      m_lexicons(m_dataDirs, [this] { return m_store.get(); }) {}

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

lists::ListResult Sittings::readNamed() const {
    lists::ListResult read = lists::openList(m_typed, m_dataDirs);
    auto* file = std::get_if<lists::ListFile>(&read);
    if (!file || !file->plainWords)
        return read;
    if (const auto lexicon = m_lexicons.lexicon()) {
        lexicon::Completion completion = lexicon::completed(file->entries, *lexicon);
        file->entries = std::move(completion.entries);
        file->fromLexicon = std::move(completion.added);
    }
    return read;
}

Result<lists::ListFile> Sittings::launch() {
    m_message.clear();
    lists::ListResult read = readNamed();
    if (const auto* error = std::get_if<lists::ListError>(&read))
        return failed(error->message());
    Sitting* sitting = sitFor(lists::ListId::typed(m_typed), m_typed);
    if (!sitting)
        return Failure{m_message};
    auto& file = std::get<lists::ListFile>(read);
    sitting->setFileLines(file.entries);
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
    const lists::ListResult read = readNamed();
    const auto* lines = lists::listEntries(read);
    if (lines && progress::compareLines(kept->fileLines, *lines).any()) {
        // The file changed: the training goes on on the file as it is now,
        // written whole.
        sitting->training = progress::mergeWithFile(*kept, *lines);
        sitting->setFileLines(*lines);
        sitting->base.reset();
        sitting->changed();
    } else {
        sitting->setFileLines(kept->fileLines);
    }
    return sitting->training;
}

Result<lists::ListFile> Sittings::review() {
    m_message.clear();
    m_due.reset();
    if (!m_store || dueToday() == 0)
        return Failure{};
    // The questions due come with every word of their draws already.
    return trainOn(lists::ListId::of(lists::ListId::Kind::Reviews),
                   m_store->memory().dueQuestions(endOfToday(m_now())));
}

Result<lists::ListFile> Sittings::trainFromMemory(const lists::ListId& list,
                                                  lists::ListContent questions) {
    m_message.clear();
    if (m_store)
        questions = m_store->memory().withTheirDraws(questions);
    return trainOn(list, std::move(questions));
}

Result<lists::ListFile> Sittings::trainOn(const lists::ListId& list,
                                          lists::ListContent questions) {
    if (questions.isEmpty())
        return Failure{};
    Sitting* sitting = sitFor(list, list.caption());
    if (!sitting)
        return Failure{m_message};
    lists::ListFile file;
    file.entries = std::move(questions);
    sitting->setFileLines(file.entries);
    sitting->finished.reset();
    return file;
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
