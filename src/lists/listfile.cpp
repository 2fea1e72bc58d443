#include "lists/listfile.h"

#include "lists/cp1252.h"

#include <QFile>
#include <QFileInfo>

namespace tirages::lists {

QString ListError::message() const {
    const QString file = QStringLiteral("« %1 »").arg(path);
    switch (kind) {
    case Kind::NotFound:
        return QStringLiteral("Impossible d'ouvrir la liste %1 : ce fichier n'existe pas.")
            .arg(file);
    case Kind::NotAFile:
        return QStringLiteral("Impossible d'ouvrir la liste %1 : ce n'est pas un fichier.")
            .arg(file);
    case Kind::Unreadable:
        return QStringLiteral("Impossible de lire la liste %1 : %2.").arg(file, detail);
    case Kind::MissingSeparator:
        if (emptyLine)
            return QStringLiteral("La liste %1 est mal formée : la ligne %2 est vide.")
                .arg(file)
                .arg(line);
        return QStringLiteral("La liste %1 est mal formée : la ligne %2 n'a pas de « ; » "
                              "entre le tirage et la solution.")
            .arg(file)
            .arg(line);
    case Kind::TooLarge:
        return QStringLiteral("La liste %1 est trop grande : un fichier de liste fait au plus "
                              "%2 Mo.")
            .arg(file)
            .arg(kMaxListBytes / (1024 * 1024));
    case Kind::TooManyEntries:
        return QStringLiteral("La liste %1 a plus de %2 lignes : une liste en compte %2 au plus.")
            .arg(file)
            .arg(kMaxEntries);
    }
    return {};
}

void ListParser::takeLine(QByteArrayView line) {
    const qsizetype separator = line.indexOf(';');
    if (separator < 0) {
        m_error = ListError{
            ListError::Kind::MissingSeparator, m_path, m_entries.size() + 1, line.isEmpty(), {}};
        return;
    }
    if (m_entries.size() == kMaxEntries) {
        m_error = ListError{ListError::Kind::TooManyEntries, m_path, 0, false, {}};
        return;
    }
    m_entries.append({fromCp1252(line.first(separator)), fromCp1252(line.sliced(separator + 1))});
}

bool ListParser::feed(QByteArrayView bytes) {
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    if (m_skipLineFeed && size > 0) {
        m_skipLineFeed = false;
        if (bytes[0] == '\n')
            start = 1;
    }
    while (!m_error && start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == size) { // the line goes on in the next bytes
            m_partial += bytes.sliced(start);
            break;
        }
        if (m_partial.isEmpty()) {
            takeLine(bytes.sliced(start, end - start));
        } else {
            m_partial += bytes.sliced(start, end - start);
            takeLine(m_partial);
            m_partial.clear();
        }
        // CR LF is one line end, even when the LF comes in the next bytes.
        if (bytes[end] == '\r') {
            if (end + 1 == size)
                m_skipLineFeed = true;
            else if (bytes[end + 1] == '\n')
                ++end;
        }
        start = end + 1;
    }
    return !m_error;
}

ListResult ListParser::finish() {
    // A last line without its line end is an entry all the same.
    if (!m_error && !m_partial.isEmpty()) {
        takeLine(m_partial);
        m_partial.clear();
    }
    if (m_error)
        return *m_error;
    return std::move(m_entries);
}

ListResult parseList(QByteArrayView bytes, const QString& path) {
    ListParser parser(path);
    parser.feed(bytes);
    return parser.finish();
}

ListResult readList(QIODevice& device, const QString& path) {
    constexpr qint64 kChunk = 64 * 1024;
    ListParser parser(path);
    QByteArray chunk(kChunk, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 read = device.read(chunk.data(), kChunk);
        if (read < 0)
            return ListError{ListError::Kind::Unreadable, path, 0, false, device.errorString()};
        if (read == 0 && (device.atEnd() || !device.waitForReadyRead(-1)))
            break;
        total += read;
        if (total > kMaxListBytes)
            return ListError{ListError::Kind::TooLarge, path, 0, false, {}};
        if (!parser.feed(QByteArrayView(chunk.constData(), read)))
            break;
    }
    return parser.finish();
}

ListResult readList(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return ListError{ListError::Kind::NotFound, path, 0, false, {}};
    if (!info.isFile())
        return ListError{ListError::Kind::NotAFile, path, 0, false, {}};
    if (info.size() > kMaxListBytes)
        return ListError{ListError::Kind::TooLarge, path, 0, false, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.error() == QFileDevice::PermissionsError
                                   ? QStringLiteral("accès refusé")
                                   : file.errorString();
        return ListError{ListError::Kind::Unreadable, path, 0, false, reason};
    }
    return readList(file, path);
}

} // namespace tirages::lists
