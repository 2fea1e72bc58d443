#include "session/carrying.h"

#include "lists/catalogue.h"
#include "session/sittings.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tirages::session {
namespace {

namespace say = texts::carrying;

// The alphagrams of a cardbox that no known question has the letters of,
// listed beside it; the list's path, or nothing when it cannot be written.
std::optional<QString> listUnknown(const QString& cardbox, const QStringList& alphagrams) {
    const QFileInfo info(cardbox);
    const QString path = info.dir().filePath(info.completeBaseName() + say::unknownSuffix);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return std::nullopt;
    QString text = say::unknownHeading.arg(info.fileName()) + QStringLiteral("\r\n");
    for (const QString& alphagram : alphagrams)
        text += alphagram + QStringLiteral("\r\n");
    file.write(text.toUtf8());
    if (!file.commit())
        return std::nullopt;
    return path;
}

} // namespace

Failure Carrying::nothingKept() const {
    return {say::nothingKept.arg(m_sittings.m_whyNoStore)};
}

Carrying::Carrying(Sittings& sittings, QStringList dataDirs)
    : m_sittings(sittings), m_dataDirs(std::move(dataDirs)) {}

Result<QString> Carrying::importCardbox(const QString& file) {
    progress::Store* store = m_sittings.store();
    if (!store)
        return nothingKept();
    lists::ListContent questions;
    for (const lists::CatalogueList& list : lists::catalogue()) {
        const lists::ListResult read = lists::openList(list.name, m_dataDirs);
        if (const auto* entries = lists::listEntries(read))
            questions += *entries;
    }
    const Result<progress::CardboxImport> done = store->transfers().importCardbox(file, questions);
    if (!done)
        return done.failure();
    m_sittings.m_due.reset();
    QString message = texts::counted(done->questions, say::questions);
    if (done->unknown.isEmpty()) {
        message = say::imported.arg(message);
    } else if (const auto list = listUnknown(file, done->unknown)) {
        message = say::importedUnknown.arg(message, texts::french().toString(done->unknown.size()),
                                           QDir::toNativeSeparators(*list));
    } else {
        message = say::importedUnlisted.arg(message, texts::french().toString(done->unknown.size()),
                                            QDir::toNativeSeparators(QFileInfo(file).absolutePath()));
    }
    if (done->keptOwn > 0)
        message += u' ' + texts::counted(done->keptOwn, say::keptOwn) + u'.';
    return message;
}

Result<QString> Carrying::exportCardbox(const QString& file) {
    progress::Store* store = m_sittings.store();
    if (!store)
        return nothingKept();
    const Result<qint32> rows = store->transfers().exportCardbox(file);
    if (!rows)
        return rows.failure();
    return say::exported.arg(texts::counted(*rows, say::alphagrams),
                             QDir::toNativeSeparators(file));
}

Result<QString> Carrying::backup(const QString& file) {
    progress::Store* store = m_sittings.store();
    if (!store)
        return nothingKept();
    m_sittings.retry(); // what waits to be kept goes into the copy too
    if (const auto copied = store->transfers().backup(file); !copied)
        return copied.failure();
    return say::backedUp.arg(QDir::toNativeSeparators(file));
}

Result<QString> Carrying::restoreQuestion(const QString& file) const {
    const Result<QDate> lastUse = progress::Transfers::examineCopy(file);
    if (!lastUse)
        return lastUse.failure();
    return say::restoreQuestion.arg(
        texts::french().toString(*lastUse, QStringLiteral("d MMMM yyyy")));
}

// A restore that leaves no database to open leaves nothing kept: the launcher
// says why, as when none could be opened at the start.
Result<QString> Carrying::restore(const QString& file) {
    progress::Store* store = m_sittings.store();
    if (!store)
        return nothingKept();
    m_sittings.retry(); // what waits to be kept goes aside with the rest
    const Result<QString> aside = store->transfers().restore(file);
    if (!store->isOpen()) {
        m_sittings.forgetWhatWasKept();
        m_sittings.useStore(aside.failure());
    }
    if (!aside)
        return aside.failure();
    m_sittings.forgetWhatWasKept();
    return say::restored.arg(QDir::toNativeSeparators(*aside));
}

} // namespace tirages::session
