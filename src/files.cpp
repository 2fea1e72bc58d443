#include "files.h"

#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace tirages::files {

namespace say = texts::files;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kFileNames = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kFileNames = Qt::CaseSensitive;
#endif

QString readFailure(const QString& path) {
    const QFileInfo file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!file.exists())
        return say::notFound.arg(shown);
    return (file.isDir() ? say::isFolder : say::cannotRead).arg(shown);
}

QString writeFailure(const QString& path) {
    const QFileInfo file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (file.isDir())
        return say::isFolder.arg(shown);
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return say::noFolder.arg(shown, QDir::toNativeSeparators(folder));
    return (diskFull(folder) ? say::diskFull : say::cannotWrite).arg(shown);
}

bool diskFull(const QString& folder) {
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.bytesAvailable() < kNearlyFull;
}

// A file not there yet is named by its folder's real path.
bool sameFile(const QString& one, const QString& other) {
    const auto real = [](const QString& path) {
        const QFileInfo file(path);
        const QString canonical = file.canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical;
        const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
        return folder.isEmpty() ? file.absoluteFilePath() : folder + u'/' + file.fileName();
    };
    return real(one).compare(real(other), kFileNames) == 0;
}

} // namespace tirages::files
