#include "progress/store.h"

#include "progress/database.h"
#include "texts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QThread>
#include <array>
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
    // The memory of questions, made from the answers in the next step.
    {QStringLiteral("CREATE TABLE cards ("
                    " id INTEGER PRIMARY KEY, draw TEXT NOT NULL, solution TEXT NOT NULL,"
                    " state INTEGER NOT NULL, stability REAL NOT NULL, difficulty REAL NOT NULL,"
                    " due INTEGER, last_review INTEGER, scheduled_days INTEGER NOT NULL,"
                    " reps INTEGER NOT NULL, lapses INTEGER NOT NULL, UNIQUE (draw, solution))"),
     QStringLiteral("CREATE INDEX cards_by_due ON cards (due)"),
     QStringLiteral("CREATE TABLE reviews ("
                    " id INTEGER PRIMARY KEY, card INTEGER NOT NULL REFERENCES cards(id),"
                    " series INTEGER REFERENCES series(id), reviewed INTEGER NOT NULL,"
                    " grade INTEGER NOT NULL, elapsed_days INTEGER NOT NULL,"
                    " scheduled INTEGER NOT NULL)")},
    // For the statistics: the words left after each series, and the stability
    // each review left its card with. The memory is made again from the
    // answers, with it (replayAnswers).
    {QStringLiteral("ALTER TABLE series ADD COLUMN words_left INTEGER"),
     QStringLiteral("ALTER TABLE reviews ADD COLUMN stability REAL"),
     QStringLiteral("DELETE FROM reviews"), QStringLiteral("DELETE FROM cards")},
}};
constexpr int kMemoryVersion = 5;

int primaryCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xFF;
}

bool isDamage(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == 11 || code == 26; // SQLITE_CORRUPT, SQLITE_NOTADB
}

bool isBusy(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == 5 || code == 6; // SQLITE_BUSY, SQLITE_LOCKED
}

// How long the program waits at its start for another one that brings the
// database up to date; a save waits far less (setPatience).
constexpr int kStartPatience = 5000;
// Below this, a disk that fails a write is taken for a full one.
constexpr qint64 kNearlyFull = qint64{4} * 1024 * 1024;

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

QString connectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("tirages-progress-%1").arg(++next);
}

} // namespace

int criterionCode(training::Criterion criterion) {
    return criterion == training::Criterion::Seconds ? 1 : 0;
}

training::Criterion criterionOf(int code) {
    return code == 1 ? training::Criterion::Seconds : training::Criterion::Successes;
}

QString Store::Database::reasonOf(const QSqlError& error) const {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    switch (primaryCode(error)) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return say::busy;
    case 13: // SQLITE_FULL
        return say::diskFull;
    case 8:  // SQLITE_READONLY
    case 10: // SQLITE_IOERR
    case 14: // SQLITE_CANTOPEN
        // SQLite's code names the step that failed; the file system tells why.
        if (file.exists() && !file.isWritable())
            return say::cannotWrite.arg(path);
        if (!folder.isWritable())
            return say::folderReadOnly.arg(folder.filePath());
        if (const QStorageInfo storage(folder.filePath()); storage.isValid()) {
            if (storage.bytesAvailable() < kNearlyFull)
                return say::diskFull;
            if (storage.isReadOnly())
                return say::cannotWrite.arg(path);
        }
        return primaryCode(error) == 14 ? say::cannotOpen.arg(path) : say::diskError;
    default:
        return say::databaseError.arg(error.text());
    }
}

bool Store::Database::failed(const QSqlError& error) {
    lastError = reasonOf(error);
    return false;
}

bool Store::Database::run(QSqlQuery& query, std::initializer_list<QVariant> values) {
    int position = 0;
    for (const QVariant& value : values)
        query.bindValue(position++, value);
    return query.exec() || failed(query.lastError());
}

bool Store::Database::run(QSqlQuery& query, const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    return query.exec() || failed(query.lastError());
}

QString Store::defaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("tirages.sqlite"));
}

Store::Store(const QString& path, QRandomGenerator* fuzz) : m_db(std::make_unique<Database>()) {
    Database& d = *m_db;
    d.path = path;
    d.fuzz = fuzz;
    d.connection = connectionName();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        d.problem = say::cannotKeep.arg(say::notAFile.arg(path));
        return;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        d.problem = say::cannotKeep.arg(say::cannotCreateFolder.arg(info.absolutePath()));
        return;
    }
    if (d.start())
        setPatience(kSavePatience);
}

bool Store::Database::start() {
    if (!open(kStartPatience))
        return false;
    if (!checkHealth()) {
        if (!problem.isEmpty())
            return false;
        setAside();
        if (!open(kStartPatience) || !checkHealth())
            return false;
    }
    if (!migrate() || !canWrite()) {
        db.close();
        return false;
    }
    return true;
}

void Store::Database::close() {
    reviewing.reset(); // its statements before their connection
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

Store::~Store() {
    m_db->close();
}

const QString& Store::path() const {
    return m_db->path;
}

bool Store::usable() const {
    return m_db->db.isOpen();
}

const QString& Store::problem() const {
    return m_db->problem;
}

const QString& Store::notice() const {
    return m_db->notice;
}

const QString& Store::lastError() const {
    return m_db->lastError;
}

void Store::setPatience(int milliseconds) {
    if (usable())
        QSqlQuery(m_db->db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

bool Store::Database::open(int patience) {
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(patience));
    if (!db.open()) {
        problem = say::cannotKeep.arg(reasonOf(db.lastError()));
        return false;
    }
    return true;
}

// False when the file is no database or a damaged one (problem then empty: it
// is to be set aside), or one this program cannot use (problem says why).
bool Store::Database::checkHealth() {
    QSqlQuery query(db);
    const auto cannotUse = [&] {
        if (isDamage(query.lastError()))
            return false;
        problem = say::cannotKeep.arg(reasonOf(query.lastError()));
        db.close();
        return false;
    };
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return cannotUse();
    if (query.value(0).toInt() > Store::kSchemaVersion) {
        problem = say::cannotKeep.arg(say::newerVersion.arg(path));
        db.close();
        return false;
    }
    // A save is whole or not at all, and what was saved survives a power cut.
    if (!switchToWriteAheadLog(query) || !query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return cannotUse();
    return true;
}

// A database that can be read but not written (the file or its folder read
// only, a full disk) keeps nothing: the player is told so at once rather than
// after a whole sitting. The probe writes nothing that stays.
bool Store::Database::canWrite() {
    QSqlQuery query(db);
    // Another program writing now shows that the database can be written.
    query.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    if (query.exec(QStringLiteral("BEGIN IMMEDIATE")) &&
        query.exec(QStringLiteral("CREATE TABLE write_probe (x)")) &&
        query.exec(QStringLiteral("ROLLBACK")))
        return true;
    if (isBusy(query.lastError())) {
        db.rollback();
        return true;
    }
    problem = say::cannotKeep.arg(reasonOf(query.lastError()));
    db.rollback();
    return false;
}

// A damaged file is never written again: it is renamed with the date, and a new
// one begun in its place.
void Store::Database::setAside() {
    close();
    const QFileInfo info(path);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString aside = QDir(info.absolutePath())
                              .filePath(QStringLiteral("%1-abime-%2.%3")
                                            .arg(info.completeBaseName(), stamp, info.suffix()));
    for (const QString& end : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path + end))
            QFile::rename(path + end, aside + end);
    }
    notice = say::setAside.arg(aside);
}

// Another program may be bringing the same database up to date at the same
// moment: each step reads the version again once it holds the database. A
// database up to date is only read.
bool Store::Database::migrate() {
    QSqlQuery query(db);
    const auto fail = [&](const QSqlError& error) {
        problem = say::cannotKeep.arg(reasonOf(error));
        db.rollback();
        return false;
    };
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail(query.lastError());
    if (query.value(0).toInt() >= Store::kSchemaVersion)
        return true;
    for (;;) {
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
            !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
            return fail(query.lastError());
        const int version = query.value(0).toInt();
        if (version >= Store::kSchemaVersion)
            return db.commit();
        for (const QString& statement : kMigrations[static_cast<std::size_t>(version)]) {
            if (!query.exec(statement))
                return fail(query.lastError());
        }
        if (version + 1 == kMemoryVersion && !replayAnswers()) {
            problem = say::cannotKeep.arg(lastError);
            db.rollback();
            return false;
        }
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1)))
            return fail(query.lastError());
        if (!db.commit())
            return fail(db.lastError());
    }
}

std::optional<Summary> Store::summary(const QString& list) const {
    if (!usable())
        return std::nullopt;
    QSqlQuery query(m_db->db);
    query.prepare(QStringLiteral("SELECT entries_at_start, series_done, seconds_trained, finished,"
                                 " revision,"
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
    summary.revision = query.value(4).toLongLong();
    summary.entriesLeft = query.value(5).toInt();
    return summary;
}

std::optional<Kept> Store::load(const QString& list) const {
    if (!usable())
        return std::nullopt;
    // One read transaction: the summary and the entries of the same save.
    QSqlDatabase& db = m_db->db;
    db.transaction();
    const auto done = [&db](std::optional<Kept> kept) {
        db.commit();
        return kept;
    };
    const std::optional<Summary> summary = this->summary(list);
    if (!summary)
        return done(std::nullopt);
    Kept kept{*summary, {}, {}};
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT criterion, threshold, series_done, seconds_trained FROM trainings WHERE list = ?"));
    query.addBindValue(list);
    if (!query.exec() || !query.next())
        return done(std::nullopt);
    kept.snapshot.criterion = criterionOf(query.value(0).toInt());
    kept.snapshot.threshold = query.value(1).toString();
    kept.snapshot.seriesDone = query.value(2).toInt();
    kept.snapshot.secondsTrained = query.value(3).toLongLong();

    query.prepare(QStringLiteral("SELECT line, draw, solution, reussites, left_in FROM entries"
                                 " WHERE list = ? ORDER BY line"));
    query.addBindValue(list);
    query.setForwardOnly(true);
    if (!query.exec())
        return done(std::nullopt);
    while (query.next()) {
        const lists::Entry line{query.value(1).toString(), query.value(2).toString()};
        kept.fileLines.append(line);
        if (query.value(4).toBool())
            kept.snapshot.entries.append({line, query.value(3).toInt(), query.value(0).toInt()});
    }
    return done(std::move(kept));
}

} // namespace tirages::progress
