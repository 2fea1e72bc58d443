// Whole copies of everything kept, for another computer or for later: taken by
// SQLite's online backup while the program runs, and put back in place of the
// database.

#include "files.h"
#include "progress/connection.h"
#include "progress/otherfile.h"
#include "progress/store.h"
#include "progress/transfers.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QThread>
#include <atomic>
#include <filesystem>
#include <sqlite3.h>

namespace tirages::progress {
namespace {

namespace say = texts::carrying;

// What the copy kept last, in a database of that version.
std::optional<QDateTime> lastUseIn(QSqlDatabase& db, int version) {
    QSqlQuery query(db);
    const QString sql = version >= 2
                            ? QStringLiteral("SELECT max(at) FROM (SELECT max(updated) AS at"
                                             " FROM trainings UNION ALL SELECT max(corrected)"
                                             " FROM series)")
                            : QStringLiteral("SELECT max(updated) FROM trainings");
    if (!query.exec(sql) || !query.next() || query.value(0).isNull())
        return std::nullopt;
    return timeOfAnyVersion(query.value(0));
}

} // namespace

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

OtherFile::OtherFile(const QString& path, bool readOnly) {
    static std::atomic<int> next{0};
    m_name = QStringLiteral("tirages-other-%1").arg(++next);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(path);
    if (readOnly)
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    m_db.open();
}

OtherFile::~OtherFile() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

sqlite3* OtherFile::handle() const {
    return handleOf(m_db);
}

Result<Done> replaceFile(const QString& from, const QString& to) {
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), code);
    if (code)
        return Failure{files::writeFailure(to)};
    return Done{};
}

Result<Done> copyDatabase(sqlite3* from, const QString& source, const QString& to) {
    const QString part = to + kPartEnd;
    QFile::remove(part);
    sqlite3* copy = nullptr;
    int code = sqlite3_open_v2(QFile::encodeName(part).constData(), &copy,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", from, "main");
        if (!backup) {
            code = sqlite3_errcode(copy);
        } else {
            // A writer holding the database a moment: the copy waits for it.
            for (int tries = 0; tries < 200; ++tries) {
                code = sqlite3_backup_step(backup, -1);
                if (code != SQLITE_BUSY && code != SQLITE_LOCKED)
                    break;
                QThread::msleep(10);
            }
            sqlite3_backup_finish(backup);
            if (code == SQLITE_DONE)
                code = sqlite3_exec(copy, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        }
    }
    sqlite3_close(copy);
    const bool damaged = code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
    Result<Done> done = code == SQLITE_OK ? replaceFile(part, to)
                        : damaged         ? Failure{files::readFailure(source)}
                                          : Failure{files::writeFailure(to)};
    if (!done)
        QFile::remove(part);
    return done;
}

Transfers::Transfers(Connection& connection, Memory& memory, Clock now,
                     std::function<Result<Done>()> reopen)
    : m_connection(connection), m_memory(memory), m_now(std::move(now)),
      m_reopen(std::move(reopen)) {}

bool Transfers::isDatabaseFile(const QString& database, const QString& file) {
    return files::sameFile(file, database) || files::sameFile(file, database + "-wal") ||
           files::sameFile(file, database + "-shm");
}

Result<Done> Transfers::refuseDatabase(const QString& file) const {
    if (isDatabaseFile(m_connection.path(), file))
        return Failure{texts::files::isTheDatabase.arg(QDir::toNativeSeparators(file))};
    return Done{};
}

Result<Done> Transfers::backup(const QString& file) {
    if (auto refused = refuseDatabase(file); !refused)
        return refused;
    return copyDatabase(m_connection.handle(), m_connection.path(), file);
}

Result<QDate> Transfers::examineCopy(const QString& file) {
    const QString shown = QDir::toNativeSeparators(file);
    if (!QFileInfo(file).isFile())
        return Failure{files::readFailure(file)};
    OtherFile copy(file, true);
    QSqlQuery query(copy.db());
    const auto refuseFor = [&](const QSqlError& error) {
        const int code = error.nativeErrorCode().toInt() & 0xFF;
        return Failure{(code == SQLITE_CORRUPT ? say::damagedCopy : say::notACopy).arg(shown)};
    };
    if (!copy.db().isOpen())
        return QFileInfo(file).isReadable() ? refuseFor(copy.db().lastError())
                                            : Failure{files::readFailure(file)};
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return refuseFor(query.lastError());
    const int version = query.value(0).toInt();
    if (version > Store::kSchemaVersion)
        return Failure{say::newerCopy.arg(shown)};
    if (version < 1)
        return Failure{say::notACopy.arg(shown)};
    if (!query.exec(QStringLiteral("SELECT 1 FROM trainings, entries LIMIT 1")))
        return refuseFor(query.lastError());
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next() ||
        query.value(0).toString() != QStringLiteral("ok"))
        return Failure{say::damagedCopy.arg(shown)};
    query.finish();
    if (const auto lastUse = lastUseIn(copy.db(), version))
        return lastUse->toTimeZone(playersZone()).date();
    return QFileInfo(file).lastModified().date(); // no training in it: the day it was written
}

// Closed, the database has no log left beside it, unless another program has
// it open too: then it is not replaced under that program, and nothing is
// copied or moved.
Result<QString> Transfers::restore(const QString& file) {
    if (const auto examined = examineCopy(file); !examined)
        return examined.failure();
    const QString database = m_connection.path();
    m_connection.close();
    if (QFileInfo::exists(database + QStringLiteral("-wal"))) {
        (void)m_reopen();
        return Failure{say::restoreBusy};
    }
    const QString incoming = database + QStringLiteral(".restauration");
    const Result<Done> copied = [&] {
        OtherFile copy(file, true);
        return copyDatabase(copy.handle(), file, incoming);
    }();
    const Result<QString> aside = copied ? putInPlace(incoming) : copied.failure();
    QFile::remove(incoming);
    if (const auto reopened = m_reopen(); !reopened && aside)
        return reopened.failure();
    return aside;
}

// The copy taken whole beside the database goes in its place; what was kept
// goes aside, under a name no file has yet.
Result<QString> Transfers::putInPlace(const QString& incoming) {
    const QString database = m_connection.path();
    const QFileInfo info(database);
    const QString stamp = m_now().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString aside;
    for (int n = 1; aside.isEmpty() || QFileInfo::exists(aside); ++n) {
        aside = QDir(info.absolutePath())
                    .filePath(QStringLiteral("%1-avant-restauration-%2%3.%4")
                                  .arg(info.completeBaseName(), stamp,
                                       n == 1 ? QString() : QStringLiteral("-%1").arg(n),
                                       info.suffix()));
    }
    if (auto moved = replaceFile(database, aside); !moved)
        return moved.failure();
    if (auto replaced = replaceFile(incoming, database); !replaced) {
        (void)replaceFile(aside, database);
        return replaced.failure();
    }
    return aside;
}

} // namespace tirages::progress
