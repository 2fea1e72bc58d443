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
    case Kind::TooManyEntries:
        return QStringLiteral("La liste %1 a plus de %2 lignes : une liste en compte %2 au plus.")
            .arg(file)
            .arg(kMaxEntries);
    }
    return {};
}

ListResult parseList(QByteArrayView bytes, const QString& path) {
    ListContent entries;
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        // The line runs up to the next CR or LF; CR LF counts as one line end.
        qsizetype end = start;
        qsizetype separator = -1;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n') {
            if (separator < 0 && bytes[end] == ';')
                separator = end;
            ++end;
        }
        const qsizetype lineNumber = entries.size() + 1;
        if (separator < 0) {
            return ListError{ListError::Kind::MissingSeparator, path, lineNumber, end == start, {}};
        }
        if (entries.size() == kMaxEntries)
            return ListError{ListError::Kind::TooManyEntries, path, 0, false, {}};
        entries.append({fromCp1252(bytes.sliced(start, separator - start)),
                        fromCp1252(bytes.sliced(separator + 1, end - separator - 1))});

        start = end;
        if (start < size) {
            const bool crlf = bytes[start] == '\r' && start + 1 < size && bytes[start + 1] == '\n';
            start += crlf ? 2 : 1;
        }
    }
    return entries;
}

ListResult readList(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return ListError{ListError::Kind::NotFound, path, 0, false, {}};
    if (!info.isFile())
        return ListError{ListError::Kind::NotAFile, path, 0, false, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.error() == QFileDevice::PermissionsError
                                   ? QStringLiteral("accès refusé")
                                   : file.errorString();
        return ListError{ListError::Kind::Unreadable, path, 0, false, reason};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ListError{ListError::Kind::Unreadable, path, 0, false, file.errorString()};
    return parseList(bytes, path);
}

} // namespace tirages::lists
