// « Sauvegarde… » and the command line: the memory to and from cardbox files,
// everything kept to and from copies.

#include "lists/catalogue.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTextStream>

namespace tirages::session {
namespace {

namespace say = texts::carrying;

Outcome failure(const QString& why) {
    return {false, why};
}

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

Outcome Sittings::importCardbox(const QString& file) {
    if (!m_store || !m_store->usable())
        return failure(say::nothingKept.arg(m_store ? m_store->problem() : QString()));
    lists::ListContent questions;
    for (const lists::CatalogueList& list : lists::catalogue()) {
        const lists::ListResult read = lists::openList(list.name, m_dataDirs);
        if (const auto* entries = lists::listEntries(read))
            questions += *entries;
    }
    const std::optional<progress::CardboxImport> done = m_store->importCardbox(file, questions);
    if (!done)
        return failure(m_store->lastError());
    m_due.reset();
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
    return {true, message};
}

Outcome Sittings::exportCardbox(const QString& file) {
    if (!m_store || !m_store->usable())
        return failure(say::nothingKept.arg(m_store ? m_store->problem() : QString()));
    const std::optional<qint32> rows = m_store->exportCardbox(file);
    if (!rows)
        return failure(m_store->lastError());
    return {true, say::exported.arg(texts::counted(*rows, say::alphagrams),
                                    QDir::toNativeSeparators(file))};
}

Outcome Sittings::backup(const QString& file) {
    if (!m_store || !m_store->usable())
        return failure(say::nothingKept.arg(m_store ? m_store->problem() : QString()));
    retry(); // what waits to be kept goes into the copy too
    if (!m_store->backup(file))
        return failure(m_store->lastError());
    return {true, say::backedUp.arg(QDir::toNativeSeparators(file))};
}

Outcome Sittings::restoreQuestion(const QString& file) const {
    const progress::CopyExamined examined = progress::Store::examineCopy(file);
    if (!examined.refusal.isEmpty())
        return failure(examined.refusal);
    return {true, say::restoreQuestion.arg(texts::french().toString(
                      examined.lastUse.value_or(QDate()), QStringLiteral("d MMMM yyyy")))};
}

Outcome Sittings::restore(const QString& file) {
    if (!m_store || !m_store->usable())
        return failure(say::nothingKept.arg(m_store ? m_store->problem() : QString()));
    retry(); // what waits to be kept goes aside with the rest
    const std::optional<QString> aside = m_store->restore(file);
    if (!aside)
        return failure(m_store->lastError());
    forgetWhatWasKept();
    return {true, say::restored.arg(QDir::toNativeSeparators(*aside))};
}

bool isCommand(const QString& argument) {
    return argument == QLatin1String("--importer") || argument == QLatin1String("--exporter") ||
           argument == QLatin1String("--sauvegarder") || argument == QLatin1String("--restaurer") ||
           argument == QLatin1String("--help") || argument == QLatin1String("-h") ||
           argument == QLatin1String("--aide");
}

int runCommand(const QStringList& arguments, const QStringList& dataDirs, QTextStream& out,
               QTextStream& err) {
    const QString command = arguments.value(0);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("--aide")) {
        out << say::commandHelp;
        return 0;
    }
    if (!isCommand(command)) {
        err << say::commandUnknown.arg(command) << '\n';
        return 2;
    }
    if (arguments.size() < 2 || arguments[1].isEmpty()) {
        err << say::commandMissingFile.arg(command) << '\n';
        return 2;
    }
    if (arguments.size() > 2) {
        err << say::commandUnknown.arg(arguments[2]) << '\n';
        return 2;
    }
    const QString file = QFileInfo(arguments[1]).absoluteFilePath();
    Sittings sittings(dataDirs, [] { return QDateTime::currentDateTime(); });
    sittings.useStore(std::make_unique<progress::Store>(progress::Store::defaultPath(),
                                                        QRandomGenerator::global()));
    Outcome outcome;
    if (command == QLatin1String("--importer"))
        outcome = sittings.importCardbox(file);
    else if (command == QLatin1String("--exporter"))
        outcome = sittings.exportCardbox(file);
    else if (command == QLatin1String("--sauvegarder"))
        outcome = sittings.backup(file);
    else if (outcome = sittings.restoreQuestion(file); outcome.ok)
        outcome = sittings.restore(file);
    (outcome.ok ? out : err) << outcome.message << '\n';
    return outcome.ok ? 0 : 1;
}

} // namespace tirages::session
