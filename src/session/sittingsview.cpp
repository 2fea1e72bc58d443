// What the launcher shows of the sittings: the line of the kept training of
// the list named, what "LANCER" asks first, the questions due today. How lists
// start and how their trainings are kept is in sittings.cpp.

#include "lists/catalogue.h"
#include "session/sitting.h"
#include "session/sittings.h"
#include "session/statistics.h"
#include "texts.h"

#include <QFileInfo>

namespace tirages::session {
namespace {

namespace say = texts::progress;
using texts::french;

} // namespace

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
    const lists::ListResult read = readNamed();
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
    view.lexicon = m_lexicons.line();
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

qint32 Sittings::dueToday() const {
    if (!m_store)
        return 0;
    const QDate today = m_now().date();
    if (!m_due || m_due->first != today)
        m_due = {today, m_store->memory().dueCount(endOfToday(m_now()))};
    return m_due->second;
}

} // namespace tirages::session
