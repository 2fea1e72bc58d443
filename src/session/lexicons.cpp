#include "session/lexicons.h"

#include "lexicon/lexiconfile.h"
#include "progress/store.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>

namespace tirages::session {
namespace {

namespace say = texts::lexicon;
const QString kLexiconFile = QStringLiteral("lexicon_file");

QString quoted(const QString& path) {
    return texts::listMessages::quoted.arg(QFileInfo(path).fileName());
}

} // namespace

Lexicons::Lexicons(QStringList dataDirs, std::function<progress::Store*()> store)
    : m_dataDirs(std::move(dataDirs)), m_store(std::move(store)) {}

Lexicons::~Lexicons() {
    if (m_reading.valid())
        m_reading.wait();
}

QString Lexicons::shippedPath() const {
    const QString name = QString::fromLatin1(lexicon::kShippedFile);
    const QString here = QDir(QStringLiteral("data")).filePath(name);
    if (QFileInfo(here).isFile())
        return here;
    for (const QString& dir : m_dataDirs) {
        if (const QString there = QDir(dir).filePath(name); QFileInfo(there).isFile())
            return there;
    }
    return here;
}

QString Lexicons::chosen() const {
    progress::Store* store = m_store();
    return store ? store->preferences().value(kLexiconFile) : m_chosen;
}

QString Lexicons::wanted() const {
    const QString file = chosen();
    return !file.isEmpty() && QFileInfo(file).isFile() ? file : shippedPath();
}

void Lexicons::start(const QString& path) {
    m_readFrom = path;
    m_reading = std::async(std::launch::async, [path, shipped = shippedPath()] {
                    Read read;
                    Result<lexicon::Lexicon> got = lexicon::readLexicon(path);
                    if (!got && path != shipped) {
                        read.trouble = got.why();
                        got = lexicon::readLexicon(shipped);
                    }
                    if (got)
                        read.lexicon = std::make_shared<const lexicon::Lexicon>(std::move(*got));
                    else
                        read.trouble = got.why();
                    return read;
                }).share();
}

void Lexicons::prefetch() {
    if (const QString path = wanted(); path != m_readFrom || !m_reading.valid())
        start(path);
}

std::shared_ptr<const lexicon::Lexicon> Lexicons::lexicon() {
    prefetch();
    return m_reading.get().lexicon;
}

Result<Done> Lexicons::choose(const QString& path) {
    std::shared_ptr<const lexicon::Lexicon> chosen;
    QString file;
    if (!path.isEmpty()) {
        Result<lexicon::Lexicon> got = lexicon::readLexicon(path);
        if (!got)
            return Failure{got.why() + say::refusedTail};
        chosen = std::make_shared<const lexicon::Lexicon>(std::move(*got));
        file = QFileInfo(path).absoluteFilePath();
    }
    m_chosen = file;
    if (progress::Store* store = m_store())
        (void)store->preferences().set(kLexiconFile, file); // else kept for this run only
    if (chosen) {
        if (m_reading.valid())
            m_reading.wait();
        std::promise<Read> ready;
        ready.set_value({std::move(chosen), {}});
        m_reading = ready.get_future().share();
        m_readFrom = file;
    }
    return Done{};
}

// What is known without waiting: a read under way is not waited for.
QString Lexicons::line() {
    const QString file = chosen();
    if (!file.isEmpty() && !QFileInfo(file).isFile())
        return say::missing.arg(quoted(file));
    const bool known = m_readFrom == wanted() && m_reading.valid() &&
                       m_reading.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    const QString trouble = known ? m_reading.get().trouble : QString();
    if (file.isEmpty()) // the one shipped, said only when it could not be read
        return trouble;
    return trouble.isEmpty() ? say::inForce.arg(QFileInfo(file).fileName())
                             : say::shippedInstead.arg(trouble);
}

} // namespace tirages::session
