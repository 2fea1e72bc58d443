#pragma once

// Other SQLite files than the store's database, for the transfers: a
// connection of its own to one, and a file put in place of another whole.

#include "result.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace tirages::progress {

// The SQLite connection under Qt's driver.
sqlite3* handleOf(const QSqlDatabase& db);

// Files are written under this ending beside their name, then renamed.
inline const QString kPartEnd = QStringLiteral(".partiel");

// A connection of its own to another file, closed with it.
class OtherFile {
public:
    OtherFile(const QString& path, bool readOnly);
    ~OtherFile();
    OtherFile(const OtherFile&) = delete;
    OtherFile& operator=(const OtherFile&) = delete;
    QSqlDatabase& db() { return m_db; }
    sqlite3* handle() const;

private:
    QString m_name;
    QSqlDatabase m_db;
};

// The file at `from` in place of the one at `to`, in one step.
Result<Done> replaceFile(const QString& from, const QString& to);

// A copy of the database `from` at `to`, by SQLite's online backup: written
// beside `to`, whole, then renamed. A copy has no log beside it.
Result<Done> copyDatabase(sqlite3* from, const QString& source, const QString& to);

} // namespace tirages::progress
