#include "progress/store.h"

#include "progress/connection.h"

#include <QDir>
#include <QStandardPaths>
#include <array>
#include <sqlite3.h>

namespace tirages::progress {
namespace {

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
    // answers, with it (Memory::replayAnswers).
    {QStringLiteral("ALTER TABLE series ADD COLUMN words_left INTEGER"),
     QStringLiteral("ALTER TABLE reviews ADD COLUMN stability REAL"),
     QStringLiteral("DELETE FROM reviews"), QStringLiteral("DELETE FROM cards")},
    // Times as seconds since the epoch in every table, as the memory has them;
    // the trainings built from the memory under keys of their own, not their
    // captions.
    {QStringLiteral("CREATE TABLE trainings_6 ("
                    " list TEXT PRIMARY KEY, criterion INTEGER NOT NULL, threshold TEXT NOT NULL,"
                    " series_done INTEGER NOT NULL, seconds_trained INTEGER NOT NULL,"
                    " entries_at_start INTEGER NOT NULL, started INTEGER NOT NULL,"
                    " updated INTEGER NOT NULL, finished INTEGER, revision INTEGER NOT NULL)"),
     QStringLiteral("INSERT INTO trainings_6 SELECT list, criterion, threshold, series_done,"
                    " seconds_trained, entries_at_start, seconds_of(started),"
                    " seconds_of(updated), seconds_of(finished), revision FROM trainings"),
     QStringLiteral("DROP TABLE trainings"),
     QStringLiteral("ALTER TABLE trainings_6 RENAME TO trainings"),
     QStringLiteral("CREATE TABLE series_6 ("
                    " id INTEGER PRIMARY KEY, list TEXT NOT NULL, corrected INTEGER NOT NULL,"
                    " found INTEGER NOT NULL, shown INTEGER NOT NULL,"
                    " seconds_used INTEGER NOT NULL, criterion INTEGER NOT NULL,"
                    " threshold TEXT NOT NULL, words_left INTEGER)"),
     QStringLiteral("INSERT INTO series_6 SELECT id, list, seconds_of(corrected), found, shown,"
                    " seconds_used, criterion, threshold, words_left FROM series"),
     QStringLiteral("DROP TABLE series"), QStringLiteral("ALTER TABLE series_6 RENAME TO series"),
     QStringLiteral("CREATE INDEX series_by_list ON series (list, corrected)"),
     QStringLiteral("UPDATE series SET list = 'memory:reviews' WHERE list = 'Révisions'"),
     QStringLiteral("UPDATE series SET list = 'memory:hardest' WHERE list = 'Mots difficiles'")},
}};
constexpr int kMemoryVersion = 5;

// seconds_of(text): the seconds since the epoch of a time the versions before
// wrote as text, in the player's time unless it says its offset; 0 for a text
// that is no time. A number or NULL is kept as it is.
void secondsOf(sqlite3_context* context, int, sqlite3_value** values) {
    if (sqlite3_value_type(values[0]) != SQLITE_TEXT)
        return sqlite3_result_value(context, values[0]);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const QDateTime at = timeOfAnyVersion(QString::fromUtf8(text));
    sqlite3_result_int64(context, at.isValid() ? at.toSecsSinceEpoch() : 0);
}

} // namespace

QString Preferences::value(const QString& name) const {
    return m_connection
        .value(QStringLiteral("SELECT value FROM preferences WHERE name = ?"), {name})
        .toString();
}

Result<Done> Preferences::set(const QString& name, const QString& value) {
    const auto set = m_connection.run(
        QStringLiteral("INSERT OR REPLACE INTO preferences (name, value) VALUES (?, ?)"),
        {name, text(value)});
    return set ? Result<Done>(Done{}) : set.failure();
}

QString Store::defaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("tirages.sqlite"));
}

Store::Store(const QString& path, const Clock& now, QRandomGenerator* fuzz)
    : m_connection(std::make_unique<Connection>(path, now)), m_memory(*m_connection, fuzz),
      m_trainings(*m_connection, m_memory), m_history(*m_connection),
      m_transfers(*m_connection, m_memory, now,
                  [this] { return m_connection->open([this] { return migrate(); }); }),
      m_preferences(*m_connection) {}

Store::~Store() = default;

Result<std::unique_ptr<Store>> Store::open(const QString& path, Clock now, QRandomGenerator* fuzz) {
    std::unique_ptr<Store> store(new Store(path, now, fuzz));
    Store& opened = *store;
    if (const auto started = opened.m_connection->open([&opened] { return opened.migrate(); });
        !started)
        return started.failure();
    return store;
}

const QString& Store::path() const {
    return m_connection->path();
}

const QString& Store::notice() const {
    return m_connection->notice();
}

bool Store::isOpen() const {
    return m_connection->isOpen();
}

void Store::setPatience(int milliseconds) {
    m_connection->setPatience(milliseconds);
}

// Another program may be bringing the same database up to date at the same
// moment: each step reads the version again once it holds the database. A
// database up to date is only read.
Result<Done> Store::migrate() {
    Connection& c = *m_connection;
    const auto version = [&c] { return c.value(QStringLiteral("PRAGMA user_version")).toInt(); };
    if (version() >= kSchemaVersion)
        return Done{};
    sqlite3_create_function_v2(c.handle(), "seconds_of", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                               nullptr, secondsOf, nullptr, nullptr, nullptr);
    for (bool upToDate = false; !upToDate;) {
        const auto step = c.write([&]() -> Result<Done> {
            const int from = std::max(0, version());
            upToDate = from >= kSchemaVersion;
            for (qsizetype i = 0; !upToDate && i < kMigrations[from].size(); ++i) {
                if (const auto done = c.run(kMigrations[from][i]); !done)
                    return done.failure();
            }
            if (upToDate)
                return Done{};
            if (from + 1 == kMemoryVersion) {
                if (const auto replayed = m_memory.replayAnswers(); !replayed)
                    return replayed;
            }
            const auto set = c.run(QStringLiteral("PRAGMA user_version = %1").arg(from + 1));
            return set ? Result<Done>(Done{}) : set.failure();
        });
        if (!step)
            return step;
    }
    return Done{};
}

} // namespace tirages::progress
