#include "progress/store.h"

#include "progress/sql.h"
#include "texts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>
#include <atomic>

namespace tirages::progress {
namespace {

namespace say = texts::progress;

// Each schema version is the previous one plus its step; a database is brought
// up to date one step at a time, each in its own transaction.
const std::array<QStringList, Store::kSchemaVersion> kMigrations = {{
    {QStringLiteral("CREATE TABLE trainings ("
                    " list TEXT PRIMARY KEY, criterion INTEGER NOT NULL, threshold TEXT NOT NULL,"
                    " series_done INTEGER NOT NULL, seconds_trained INTEGER NOT NULL,"
                    " entries_at_start INTEGER NOT NULL, started TEXT NOT NULL,"
                    " updated TEXT NOT NULL, finished TEXT, revision INTEGER NOT NULL)"),
     QStringLiteral("CREATE TABLE entries ("
                    " list TEXT NOT NULL, line INTEGER NOT NULL, draw TEXT NOT NULL,"
                    " solution TEXT NOT NULL, reussites INTEGER NOT NULL, left_in INTEGER NOT NULL,"
                    " PRIMARY KEY (list, line)) WITHOUT ROWID")},
    {QStringLiteral("CREATE TABLE series ("
                    " id INTEGER PRIMARY KEY, list TEXT NOT NULL, corrected TEXT NOT NULL,"
                    " found INTEGER NOT NULL, shown INTEGER NOT NULL,"
                    " seconds_used INTEGER NOT NULL, criterion INTEGER NOT NULL,"
                    " threshold TEXT NOT NULL)"),
     QStringLiteral("CREATE TABLE answers ("
                    " series INTEGER NOT NULL REFERENCES series(id), line INTEGER NOT NULL,"
                    " draw TEXT NOT NULL, solution TEXT NOT NULL, answer TEXT NOT NULL,"
                    " correct INTEGER NOT NULL, seconds INTEGER NOT NULL)"),
     QStringLiteral("CREATE INDEX series_by_list ON series (list, corrected)")},
    {QStringLiteral("CREATE TABLE preferences ("
                    " name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID")},
}};

} // namespace

// What SQLite's error means for the player.
QString reasonOf(const QSqlError& error, const QString& path) {
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    switch (code) {
    case 8: // SQLITE_READONLY
        return say::cannotWrite.arg(path);
    case 10: // SQLITE_IOERR
        return say::diskError;
    case 13: // SQLITE_FULL
        return say::diskFull;
    case 14: // SQLITE_CANTOPEN
        return say::cannotOpen.arg(path);
    default:
        return say::databaseError.arg(error.text());
    }
}

namespace {

bool isDamage(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == 11 || code == 26; // SQLITE_CORRUPT, SQLITE_NOTADB
}

bool isBusy(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == 5 || code == 6; // SQLITE_BUSY, SQLITE_LOCKED
}

// How long a program waits for another one that holds the database.
constexpr int kBusyMilliseconds = 5000;

// Switching a new database to the write-ahead log takes the file whole, and
// SQLite answers "busy" at once, without waiting, when another program switches
// it at the same moment: the switch is tried again for as long as a save would
// wait. A database already in the log answers at once.
bool switchToWriteAheadLog(QSqlQuery& query) {
    QDeadlineTimer deadline(kBusyMilliseconds);
    for (;;) {
        if (query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && query.next())
            return query.value(0).toString() == QStringLiteral("wal");
        if (!isBusy(query.lastError()) || deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

QString connectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("tirages-progress-%1").arg(++next);
}

} // namespace

int criterionCode(Criterion criterion) {
    return criterion == Criterion::Seconds ? 1 : 0;
}

Criterion criterionOf(int code) {
    return code == 1 ? Criterion::Seconds : Criterion::Successes;
}

QString Store::defaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("tirages.sqlite"));
}

Store::Store(const QString& path) : m_path(path), m_connection(connectionName()) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        m_problem = say::cannotKeep.arg(say::notAFile.arg(path));
        return;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        m_problem = say::cannotKeep.arg(say::cannotCreateFolder.arg(info.absolutePath()));
        return;
    }
    if (!open())
        return;
    if (!checkHealth()) {
        if (!m_problem.isEmpty())
            return;
        setAside();
        if (!open() || !checkHealth())
            return;
    }
    if (!migrate())
        m_db.close();
}

Store::~Store() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

bool Store::open() {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(m_path);
    // Another program may be saving: wait for it rather than fail.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMilliseconds));
    if (!m_db.open()) {
        m_problem = say::cannotKeep.arg(reasonOf(m_db.lastError(), m_path));
        return false;
    }
    return true;
}

// False when the file is no database or a damaged one (problem() then empty:
// it is to be set aside), or one this program cannot use (problem() says why).
bool Store::checkHealth() {
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        if (isDamage(query.lastError()))
            return false;
        m_problem = say::cannotKeep.arg(reasonOf(query.lastError(), m_path));
        m_db.close();
        return false;
    }
    if (query.value(0).toInt() > kSchemaVersion) {
        m_problem = say::cannotKeep.arg(say::newerVersion.arg(m_path));
        m_db.close();
        return false;
    }
    // A save is whole or not at all, and what was saved survives a power cut.
    if (!switchToWriteAheadLog(query) || !query.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        if (isDamage(query.lastError()))
            return false;
        m_problem = say::cannotKeep.arg(reasonOf(query.lastError(), m_path));
        m_db.close();
        return false;
    }
    return true;
}

// A damaged file is never written again: it is renamed with the date, and a new
// one begun in its place.
void Store::setAside() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
    const QFileInfo info(m_path);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString aside = QDir(info.absolutePath())
                              .filePath(QStringLiteral("%1-abime-%2.%3")
                                            .arg(info.completeBaseName(), stamp, info.suffix()));
    for (const QString& end : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(m_path + end))
            QFile::rename(m_path + end, aside + end);
    }
    m_notice = say::setAside.arg(aside);
}

// Another program may be bringing the same database up to date at the same
// moment: each step reads the version again once it holds the database.
bool Store::migrate() {
    QSqlQuery query(m_db);
    for (;;) {
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
            !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            m_problem = say::cannotKeep.arg(reasonOf(query.lastError(), m_path));
            m_db.rollback();
            return false;
        }
        const int version = query.value(0).toInt();
        if (version >= kSchemaVersion)
            return m_db.commit();
        for (const QString& statement : kMigrations[static_cast<std::size_t>(version)]) {
            if (!query.exec(statement)) {
                m_problem = say::cannotKeep.arg(reasonOf(query.lastError(), m_path));
                m_db.rollback();
                return false;
            }
        }
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1)) ||
            !m_db.commit()) {
            m_problem = say::cannotKeep.arg(reasonOf(m_db.lastError(), m_path));
            m_db.rollback();
            return false;
        }
    }
}

bool Store::fail(const QString& error) {
    m_lastError = error;
    return false;
}

std::optional<Summary> Store::summary(const QString& list) const {
    if (!usable())
        return std::nullopt;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT entries_at_start, series_done, seconds_trained, finished,"
                                 " (SELECT count(*) FROM entries WHERE list = :l AND left_in = 1)"
                                 " FROM trainings WHERE list = :l"));
    query.bindValue(QStringLiteral(":l"), list);
    if (!query.exec() || !query.next())
        return std::nullopt;
    Summary summary;
    summary.entriesAtStart = query.value(0).toInt();
    summary.seriesDone = query.value(1).toInt();
    summary.secondsTrained = query.value(2).toLongLong();
    if (!query.value(3).isNull())
        summary.finished = QDateTime::fromString(query.value(3).toString(), Qt::ISODateWithMs);
    summary.entriesLeft = query.value(4).toInt();
    return summary;
}

std::optional<Kept> Store::load(const QString& list) const {
    const std::optional<Summary> summary = this->summary(list);
    if (!summary)
        return std::nullopt;
    Kept kept{*summary, {}, {}};
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT criterion, threshold, series_done, seconds_trained, revision FROM trainings"
        " WHERE list = ?"));
    query.addBindValue(list);
    if (!query.exec() || !query.next())
        return std::nullopt;
    kept.snapshot.criterion = criterionOf(query.value(0).toInt());
    kept.snapshot.threshold = query.value(1).toString();
    kept.snapshot.seriesDone = query.value(2).toInt();
    kept.snapshot.secondsTrained = query.value(3).toLongLong();
    m_revisions.insert(list, query.value(4).toLongLong());

    query.prepare(QStringLiteral("SELECT line, draw, solution, reussites, left_in FROM entries"
                                 " WHERE list = ? ORDER BY line"));
    query.addBindValue(list);
    query.setForwardOnly(true);
    if (!query.exec())
        return std::nullopt;
    while (query.next()) {
        const auto line = query.value(0).toInt();
        const QString draw = query.value(1).toString();
        const QString solution = query.value(2).toString();
        kept.fileLines.append({draw, solution});
        if (query.value(4).toBool())
            kept.snapshot.entries.append({draw, solution, query.value(3).toInt(), line});
    }
    return kept;
}

} // namespace tirages::progress
