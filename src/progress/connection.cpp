#include "progress/connection.h"

#include "files.h"
#include "progress/otherfile.h"
#include "progress/store.h"
#include "texts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QThread>
#include <atomic>
#include <sqlite3.h>

namespace tirages::progress {
namespace {

namespace say = texts::progress;

int primaryCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xFF;
}

bool isDamage(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool isBusy(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// How long the program waits at its start for another one that brings the
// database up to date; a save waits far less (setPatience).
constexpr int kStartPatience = 5000;

QString connectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("tirages-progress-%1").arg(++next);
}

Failure cannotKeep(const QString& why) {
    return {say::cannotKeep.arg(why)};
}

// Switching a new database to the write-ahead log takes the file whole, and
// SQLite answers "busy" at once, without waiting, when another program switches
// it at the same moment: the switch is tried again for a while. A database
// already in the log answers at once.
bool switchToWriteAheadLog(QSqlQuery& query) {
    QDeadlineTimer deadline(kStartPatience);
    for (;;) {
        if (query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && query.next())
            return query.value(0).toString() == QStringLiteral("wal");
        if (!isBusy(query.lastError()) || deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

} // namespace

Connection::Connection(QString path, Clock now)
    : m_path(std::move(path)), m_now(std::move(now)), m_name(connectionName()) {}

Connection::~Connection() {
    close();
}

void Connection::close() {
    m_literals.clear();
    m_statements.clear(); // before their connection
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

sqlite3* Connection::handle() const {
    return handleOf(m_db);
}

void Connection::setPatience(int milliseconds) {
    if (isOpen())
        (void)value(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

Result<Done> Connection::open(const std::function<Result<Done>()>& migrate) {
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile())
        return cannotKeep(say::notAFile.arg(m_path));
    if (!QDir().mkpath(info.absolutePath()))
        return cannotKeep(say::cannotCreateFolder.arg(info.absolutePath()));
    const Result<Done> started = start(migrate);
    if (!started)
        close();
    else
        setPatience(kSavePatience);
    return started;
}

Result<Done> Connection::start(const std::function<Result<Done>()>& migrate) {
    if (const auto connected = connect(kStartPatience); !connected)
        return connected;
    const Result<bool> health = healthy();
    if (!health)
        return health.failure();
    if (!*health) {
        setAside();
        if (const auto connected = connect(kStartPatience); !connected)
            return connected;
        if (const auto again = healthy(); !again || !*again)
            return again ? cannotKeep(say::diskError) : again.failure();
    }
    if (const auto migrated = migrate(); !migrated)
        return cannotKeep(migrated.why());
    return probeWrite();
}

Result<Done> Connection::connect(int patience) {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(m_path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(patience));
    if (!m_db.open())
        return cannotKeep(failure(m_db.lastError()).why);
    return Done{};
}

// False for no database or a damaged one, to be set aside; a failure for one
// this program cannot use.
Result<bool> Connection::healthy() {
    QSqlQuery query(m_db);
    const auto cannotUse = [&]() -> Result<bool> {
        if (isDamage(query.lastError()))
            return false;
        return cannotKeep(failure(query.lastError()).why);
    };
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return cannotUse();
    if (query.value(0).toInt() > Store::kSchemaVersion)
        return cannotKeep(say::newerVersion.arg(m_path));
    // A save is whole or not at all, and what was saved survives a power cut.
    if (!switchToWriteAheadLog(query) || !query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return cannotUse();
    return true;
}

// A database that can be read but not written (the file or its folder read
// only, a full disk) keeps nothing: the player is told so at once rather than
// after a whole sitting. The probe writes nothing that stays.
Result<Done> Connection::probeWrite() {
    if (files::diskFull(QFileInfo(m_path).absolutePath()))
        return cannotKeep(say::diskFull);
    QSqlQuery query(m_db);
    // Another program writing now shows that the database can be written.
    query.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    const bool written = query.exec(QStringLiteral("BEGIN IMMEDIATE")) &&
                         query.exec(QStringLiteral("CREATE TABLE write_probe (x)"));
    const QSqlError error = query.lastError();
    query.exec(QStringLiteral("ROLLBACK"));
    if (written || isBusy(error))
        return Done{};
    return cannotKeep(failure(error).why);
}

// A damaged file is never written again: it is renamed with the date, and a new
// one begun in its place.
void Connection::setAside() {
    close();
    const QFileInfo info(m_path);
    const QString stamp = m_now().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString aside = QDir(info.absolutePath())
                              .filePath(QStringLiteral("%1-abime-%2.%3")
                                            .arg(info.completeBaseName(), stamp, info.suffix()));
    for (const QString& end : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(m_path + end))
            QFile::rename(m_path + end, aside + end);
    }
    m_notice = say::setAside.arg(aside);
}

// A statement written as a literal is found again by where its text lies, which
// a loop of thousands of rows would otherwise pay for in comparisons of texts.
Result<QSqlQuery*> Connection::statement(const QString& sql) {
    const bool literal = !sql.data_ptr().isMutable(); // no block of its own: a literal
    if (QSqlQuery* known = literal ? m_literals.value(sql.constData()) : nullptr)
        return known;
    auto [found, added] = m_statements.try_emplace(sql, m_db);
    QSqlQuery& query = found->second;
    if (added) {
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            const Failure why = failure(query.lastError());
            m_statements.erase(found);
            return why;
        }
    }
    if (literal)
        m_literals.insert(sql.constData(), &query);
    return &query;
}

Result<QSqlQuery*> Connection::run(const QString& sql, const QVariantList& values) {
    const Result<QSqlQuery*> prepared = statement(sql);
    if (!prepared)
        return prepared;
    QSqlQuery& query = **prepared;
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    if (!query.exec())
        return failure(query.lastError());
    return &query;
}

Result<Done> Connection::forEach(const QString& sql, const QVariantList& values,
                                 const std::function<void(const QSqlQuery&)>& row) {
    const Result<QSqlQuery*> query = run(sql, values);
    if (!query)
        return query.failure();
    while ((*query)->next())
        row(**query);
    const QSqlError error = (*query)->lastError();
    (*query)->finish();
    if (error.isValid())
        return failure(error);
    return Done{};
}

QVariant Connection::value(const QString& sql, const QVariantList& values) {
    QVariant first;
    (void)forEach(sql, values, [&](const QSqlQuery& query) {
        if (!first.isValid())
            first = query.value(0);
    });
    return first;
}

Result<Done> Connection::commit() {
    if (const auto committed = run(QStringLiteral("COMMIT")); !committed) {
        rollback(); // when SQLite has not already
        return committed.failure();
    }
    return Done{};
}

void Connection::rollback() {
    QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
}

Failure Connection::failure(const QSqlError& error) const {
    const QFileInfo file(m_path);
    const QFileInfo folder(file.absolutePath());
    switch (primaryCode(error)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {say::busy};
    case SQLITE_FULL:
        return {say::diskFull};
    case SQLITE_READONLY:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        // SQLite's code names the step that failed; the file system tells why.
        if (file.exists() && !file.isWritable())
            return {say::cannotWrite.arg(m_path)};
        if (!folder.isWritable())
            return {say::folderReadOnly.arg(folder.filePath())};
        if (files::diskFull(folder.filePath()))
            return {say::diskFull};
        if (const QStorageInfo storage(folder.filePath());
            storage.isValid() && storage.isReadOnly())
            return {say::cannotWrite.arg(m_path)};
        return {primaryCode(error) == SQLITE_CANTOPEN ? say::cannotOpen.arg(m_path)
                                                      : say::diskError};
    default:
        return {say::databaseError.arg(error.text())};
    }
}

} // namespace tirages::progress
