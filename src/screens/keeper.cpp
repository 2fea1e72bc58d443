#include "screens/keeper.h"

#include "lists/catalogue.h"
#include "screens/form1.h"
#include "texts.h"

#include <QFileInfo>
#include <QLocale>

namespace tirages::screens {
namespace {

namespace say = texts::progress;

const QLocale& french() {
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

QString number(qint64 n) {
    return french().toString(n);
}

// « 1 h 05 », or « 25 min » under an hour.
QString duration(qint64 seconds) {
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return texts::counted(minutes, texts::minutes);
    return QStringLiteral("%1 h %2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString changeText(const progress::FileChange& change) {
    return say::fileChanged.arg(texts::counted(change.added, texts::wordsAdded),
                                texts::counted(change.removed, texts::wordsRemoved));
}

} // namespace

TrainingKeeper::TrainingKeeper(progress::Store* store, QStringList dataDirs, QObject* parent)
    : QObject(parent), m_store(store), m_dataDirs(std::move(dataDirs)) {
    if (m_store)
        m_startMessage = !m_store->problem().isEmpty() ? m_store->problem() : m_store->notice();
}

// A catalogue list is kept by its name; a file by its absolute path, however
// it was typed.
QString TrainingKeeper::keyOf(const QString& fichier) const {
    if (lists::listPath(fichier) != fichier)
        return fichier;
    return QFileInfo(fichier).absoluteFilePath();
}

std::optional<TrainingKeeper::Line> TrainingKeeper::lineFor(const QString& fichier) const {
    if (!m_store || !m_store->usable() || fichier.isEmpty())
        return std::nullopt;
    const QString list = keyOf(fichier);
    const std::optional<progress::Summary> summary = m_store->summary(list);
    if (!summary)
        return std::nullopt;
    Line line;
    const QString series = texts::counted(summary->seriesDone, texts::seriesCount);
    if (summary->finished) {
        line.text = say::finished.arg(
            french().toString(summary->finished->date(), QStringLiteral("d MMMM yyyy")), series,
            duration(summary->secondsTrained));
        return line;
    }
    line.inProgress = true;
    line.canContinue = true;
    line.entriesLeft = summary->entriesLeft;
    line.text = say::inProgress.arg(texts::counted(summary->entriesLeft, texts::wordsLeftCount),
                                    number(summary->entriesAtStart), series,
                                    duration(summary->secondsTrained));
    const lists::ListResult file = lists::openList(fichier, m_dataDirs);
    if (const auto* lines = lists::listEntries(file)) {
        const std::optional<progress::Kept> kept = m_store->load(list);
        if (kept) {
            const progress::FileChange change = progress::compareLines(kept->fileLines, *lines);
            if (change.any())
                line.text += u'\n' + changeText(change);
        }
    } else {
        line.text += u'\n' + say::fileUnreadable;
    }
    return line;
}

void TrainingKeeper::began(const QString& fichier, const lists::ListContent& fileLines) {
    m_list = keyOf(fichier);
    if (m_store && m_screen)
        saved(m_store->begin(m_list, m_screen->training().snapshot(), fileLines));
}

std::optional<TrainingSnapshot> TrainingKeeper::toContinue(const QString& fichier) {
    if (!m_store)
        return std::nullopt;
    const std::optional<progress::Kept> kept = m_store->load(keyOf(fichier));
    if (!kept || kept->summary.finished)
        return std::nullopt;
    const lists::ListResult file = lists::openList(fichier, m_dataDirs);
    const auto* lines = lists::listEntries(file);
    if (!lines || !progress::compareLines(kept->fileLines, *lines).any())
        return kept->snapshot;
    // The file changed: the training goes on on the file as it is now.
    const TrainingSnapshot merged = progress::mergeWithFile(*kept, *lines);
    saved(m_store->begin(keyOf(fichier), merged, *lines));
    return merged;
}

void TrainingKeeper::continued(const QString& fichier, const TrainingSnapshot&) {
    m_list = keyOf(fichier);
}

void TrainingKeeper::follow(Form1* screen) {
    m_screen = screen;
    connect(screen, &Form1::seriesCorrected, this, [this] {
        if (m_store && !m_list.isEmpty())
            saved(m_store->save(m_list, m_screen->training().snapshot(),
                                &m_screen->training().lastSeries()));
    });
}

void TrainingKeeper::saveNow() {
    if (m_store && m_screen && !m_list.isEmpty())
        saved(m_store->save(m_list, m_screen->training().snapshot(), nullptr));
}

void TrainingKeeper::saved(bool done) {
    if (!done && m_store->usable() && m_saveFailure.isEmpty())
        m_saveFailure = say::saveFailed.arg(m_store->lastError());
}

QString TrainingKeeper::takeStartMessage() {
    return std::exchange(m_startMessage, {});
}

QString TrainingKeeper::takeSaveFailure() {
    return std::exchange(m_saveFailure, {});
}

namespace {
const QString kListFolder = QStringLiteral("list_folder");
}

QString TrainingKeeper::listFolder() const {
    return m_store ? m_store->preference(kListFolder) : QString();
}

void TrainingKeeper::keepListFolder(const QString& folder) {
    if (m_store)
        m_store->setPreference(kListFolder, folder);
}

} // namespace tirages::screens
