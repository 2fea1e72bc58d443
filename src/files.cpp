#include "files.h"

#include "texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/statvfs.h>
#endif

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

// Asked of the file system itself: QStorageInfo would read the table of every
// mount first, which costs the launcher's start more than the rest of opening.
bool diskFull(const QString& folder) {
#ifdef Q_OS_WIN
    ULARGE_INTEGER available;
    return GetDiskFreeSpaceExW(
               reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(folder).utf16()),
               &available, nullptr, nullptr) &&
           available.QuadPart < static_cast<quint64>(kNearlyFull);
#else
    struct statvfs disk;
    return statvfs(QFile::encodeName(folder).constData(), &disk) == 0 &&
           static_cast<qint64>(disk.f_bavail) * static_cast<qint64>(disk.f_frsize) < kNearlyFull;
#endif
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
