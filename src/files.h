#pragma once

// What went wrong with a file, in French: the file system is asked why a read
// or a write failed, so that the player is told the real cause.

#include <QString>

namespace tirages::files {

// Below this, a disk that fails a write is taken for a full one.
inline constexpr qint64 kNearlyFull = qint64{4} * 1024 * 1024;

// Why `path` could not be read: it does not exist, is a folder, or cannot be
// read. The path as the player's system writes it.
QString readFailure(const QString& path);
// Why `path` could not be written: it is a folder, its folder does not exist,
// the disk is full, or it cannot be written.
QString writeFailure(const QString& path);
// Whether the disk that holds `folder` is full, or nearly.
bool diskFull(const QString& folder);
// Whether two names stand for the same file, however they are written.
bool sameFile(const QString& one, const QString& other);

} // namespace tirages::files
