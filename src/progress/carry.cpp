// What is kept, carried to and from other files: the cardbox of word-study
// programs for the memory of questions, and whole copies of the database for
// another computer.

#include "progress/database.h"
#include "progress/store.h"
#include "reviews/cardbox.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlDriver>
#include <QThread>
#include <atomic>
#include <filesystem>
#include <sqlite3.h>

namespace tirages::progress {
namespace {

namespace say = texts::carrying;
using reviews::Card;
using reviews::CardboxRow;

const QString kPartEnd = QStringLiteral(".partiel");

// A connection of its own to another file, closed with it.
class OtherFile {
public:
    OtherFile(const QString& path, bool readOnly) {
        static std::atomic<int> next{0};
        m_name = QStringLiteral("tirages-other-%1").arg(++next);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        if (readOnly)
            m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_db.open();
    }
    ~OtherFile() {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    OtherFile(const OtherFile&) = delete;
    OtherFile& operator=(const OtherFile&) = delete;
    QSqlDatabase& db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// The file at `from` in place of the one at `to`, in one step.
bool replaceFile(const QString& from, const QString& to, QString* error) {
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), code);
    if (code)
        *error = QString::fromLocal8Bit(code.message());
    return !code;
}

// A copy of the database `from` at `to`, by SQLite's online backup: written
// beside `to`, whole, then renamed. A copy has no log beside it.
bool copyDatabase(sqlite3* from, const QString& to, QString* error) {
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
    if (code != SQLITE_OK)
        *error = QString::fromUtf8(copy ? sqlite3_errmsg(copy) : sqlite3_errstr(code));
    sqlite3_close(copy);
    if (code != SQLITE_OK) {
        QFile::remove(part);
        return false;
    }
    if (!replaceFile(part, to, error)) {
        QFile::remove(part);
        return false;
    }
    return true;
}

QVariant nullable(const std::optional<qint64>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::LongLong));
}

std::optional<qint64> optionalOf(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional(value.toLongLong());
}

// The rows of a cardbox file; nothing when it is none (`error` says why).
std::optional<QList<CardboxRow>> readCardbox(const QString& file, QString* error) {
    if (!QFileInfo(file).isFile()) {
        *error = say::notACardbox.arg(file);
        return std::nullopt;
    }
    OtherFile cardbox(file, true);
    QSqlQuery query(cardbox.db());
    query.setForwardOnly(true);
    if (!cardbox.db().isOpen() ||
        !query.exec(QStringLiteral("SELECT question, correct, incorrect, streak, last_correct,"
                                   " cardbox, next_scheduled FROM questions"))) {
        *error = say::notACardbox.arg(file);
        return std::nullopt;
    }
    QList<CardboxRow> rows;
    while (query.next()) {
        rows.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt(),
                     query.value(3).toInt(), optionalOf(query.value(4)),
                     query.value(5).isNull() ? std::nullopt
                                             : std::optional(query.value(5).toInt()),
                     optionalOf(query.value(6))});
    }
    if (query.lastError().isValid()) {
        *error = say::cannotRead.arg(file, query.lastError().text());
        return std::nullopt;
    }
    return rows;
}

} // namespace

std::optional<CardboxImport> Store::importCardbox(const QString& file,
                                                  const lists::ListContent& questions) {
    Database& d = *m_db;
    if (!usable()) {
        d.lastError = d.problem;
        return std::nullopt;
    }
    const std::optional<QList<CardboxRow>> rows = readCardbox(file, &d.lastError);
    if (!rows)
        return std::nullopt;

    // Every question known, by the letters of its draw.
    QHash<QString, QList<lists::Entry>> known;
    QSet<QPair<QString, QString>> seen;
    const auto know = [&](const QString& draw, const QString& solution) {
        if (!seen.contains({draw, solution})) {
            seen.insert({draw, solution});
            known[reviews::alphagram(draw)].append({draw, solution});
        }
    };
    for (const lists::Entry& question : questions)
        know(question.draw, question.expected);
    QSqlQuery query(d.db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT draw, solution FROM entries"
                                   " UNION SELECT draw, solution FROM cards")))
        return d.failed(query.lastError()), std::nullopt;
    while (query.next())
        know(query.value(0).toString(), query.value(1).toString());

    if (!d.db.transaction())
        return d.failed(d.db.lastError()), std::nullopt;
    const auto fail = [&d](const QSqlError& error) {
        d.failed(error);
        d.db.rollback();
        return std::nullopt;
    };
    QSqlQuery find(d.db), insert(d.db), update(d.db);
    find.prepare(QStringLiteral("SELECT id, last_review FROM cards WHERE draw = ? AND solution = ?"));
    insert.prepare(QStringLiteral("INSERT INTO cards (draw, solution, %1)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                       .arg(kCardColumns));
    update.prepare(QStringLiteral(
        "UPDATE cards SET state = ?, stability = ?, difficulty = ?, due = ?, last_review = ?,"
        " scheduled_days = ?, reps = ?, lapses = ? WHERE id = ?"));
    CardboxImport done;
    for (const CardboxRow& row : *rows) {
        const std::optional<Card> card = reviews::cardFromCardbox(row);
        if (!card)
            continue; // not in the cardbox
        const auto matches = known.constFind(reviews::alphagram(row.question));
        if (matches == known.cend()) {
            done.unknown.append(row.question);
            continue;
        }
        const QVariantList values = valuesOf(*card);
        for (const lists::Entry& question : *matches) {
            if (!d.run(find, {text(question.draw), text(question.expected)}))
                return fail(find.lastError());
            if (find.next()) {
                const qint64 id = find.value(0).toLongLong();
                const bool ownIsLater = !find.value(1).isNull() &&
                                        find.value(1).toLongLong() >=
                                            card->lastReview.toSecsSinceEpoch();
                find.finish();
                if (ownIsLater) {
                    ++done.keptOwn;
                    continue;
                }
                if (!d.run(update, values + QVariantList{id}))
                    return fail(update.lastError());
            } else if (!d.run(insert, QVariantList{text(question.draw), text(question.expected)} +
                                          values)) {
                return fail(insert.lastError());
            }
            ++done.questions;
        }
    }
    if (!d.commit())
        return std::nullopt;
    return done;
}

std::optional<qint32> Store::exportCardbox(const QString& file) {
    Database& d = *m_db;
    if (!usable()) {
        d.lastError = d.problem;
        return std::nullopt;
    }
    // What the log says of each card's answers, read in one pass.
    QHash<qint64, reviews::Answered> answered;
    QMap<QString, CardboxRow> rows; // in the order of the alphagrams
    {
        d.db.transaction(); // the log and the cards of the same moment
        QSqlQuery query(d.db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT card, grade, reviewed FROM reviews ORDER BY id"))) {
            d.db.rollback();
            return d.failed(query.lastError()), std::nullopt;
        }
        while (query.next()) {
            reviews::Answered& card = answered[query.value(0).toLongLong()];
            if (query.value(1).toInt() == static_cast<int>(reviews::Grade::Again)) {
                ++card.wrong;
                card.streak = 0;
            } else {
                ++card.right;
                ++card.streak;
                card.lastRight = query.value(2).toLongLong();
            }
        }
        if (!query.exec(QStringLiteral("SELECT id, draw, %1 FROM cards WHERE state <> 0")
                            .arg(kCardColumns))) {
            d.db.rollback();
            return d.failed(query.lastError()), std::nullopt;
        }
        while (query.next()) {
            const Card card = cardAt(query, 2);
            const QString question = reviews::alphagram(query.value(1).toString());
            CardboxRow& row = rows[question];
            row.question = question;
            reviews::addToCardbox(row, card, answered.value(query.value(0).toLongLong()));
        }
        d.db.commit();
    }

    const QString part = file + kPartEnd;
    QFile::remove(part);
    {
        OtherFile cardbox(part, false);
        QSqlQuery query(cardbox.db());
        const auto fail = [&](const QSqlError& error) {
            d.lastError = say::cannotRead.arg(file, error.text());
            return false;
        };
        const bool written = [&] {
            if (!cardbox.db().isOpen())
                return fail(cardbox.db().lastError());
            if (!query.exec(QStringLiteral(
                    "CREATE TABLE questions (question varchar(16), correct integer,"
                    " incorrect integer, streak integer, last_correct integer,"
                    " difficulty integer, cardbox integer, next_scheduled integer)")) ||
                !query.exec(QStringLiteral(
                    "CREATE UNIQUE INDEX question_index ON questions (question)")) ||
                !cardbox.db().transaction())
                return fail(query.lastError());
            query.prepare(QStringLiteral(
                "INSERT INTO questions (question, correct, incorrect, streak, last_correct,"
                " difficulty, cardbox, next_scheduled) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
            for (const CardboxRow& row : std::as_const(rows)) {
                if (!d.run(query, {row.question, row.correct, row.incorrect, row.streak,
                                   nullable(row.lastCorrect), 0, row.cardbox.value_or(0),
                                   nullable(row.nextScheduled)}))
                    return fail(query.lastError());
            }
            return cardbox.db().commit() || fail(cardbox.db().lastError());
        }();
        if (!written) {
            query.finish();
            cardbox.db().rollback();
        }
        if (!written) {
            QFile::remove(part);
            return std::nullopt;
        }
    }
    if (!replaceFile(part, file, &d.lastError)) {
        QFile::remove(part);
        d.lastError = say::cannotRead.arg(file, d.lastError);
        return std::nullopt;
    }
    return static_cast<qint32>(rows.size());
}

bool Store::backup(const QString& file) {
    Database& d = *m_db;
    if (!usable()) {
        d.lastError = d.problem;
        return false;
    }
    QString error;
    if (!copyDatabase(handleOf(d.db), file, &error)) {
        d.lastError = say::cannotRead.arg(file, error);
        return false;
    }
    return true;
}

CopyExamined Store::examineCopy(const QString& file) {
    CopyExamined examined;
    if (!QFileInfo(file).isFile()) {
        examined.refusal = say::notACopy.arg(file);
        return examined;
    }
    OtherFile copy(file, true);
    QSqlQuery query(copy.db());
    const auto refuse = [&](const QString& why) {
        examined.refusal = why.arg(file);
        return examined;
    };
    const auto refuseFor = [&](const QSqlError& error) {
        const int code = error.nativeErrorCode().toInt() & 0xFF;
        return refuse(code == SQLITE_CORRUPT ? say::damagedCopy : say::notACopy);
    };
    if (!copy.db().isOpen())
        return refuseFor(copy.db().lastError());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return refuseFor(query.lastError());
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion)
        return refuse(say::newerCopy);
    if (version < 1)
        return refuse(say::notACopy);
    if (!query.exec(QStringLiteral("SELECT 1 FROM trainings, entries LIMIT 1")))
        return refuseFor(query.lastError());
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next() ||
        query.value(0).toString() != QStringLiteral("ok"))
        return refuse(say::damagedCopy);
    const QString lastUse = version >= 2 ? QStringLiteral(
                                               "SELECT max(at) FROM (SELECT max(updated) AS at"
                                               " FROM trainings UNION ALL SELECT max(corrected)"
                                               " FROM series)")
                                         : QStringLiteral("SELECT max(updated) FROM trainings");
    if (query.exec(lastUse) && query.next() && !query.value(0).isNull())
        examined.lastUse = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs)
                               .toTimeZone(playersZone())
                               .date();
    else // no training in it: the day it was written
        examined.lastUse = QFileInfo(file).lastModified().date();
    return examined;
}

std::optional<QString> Store::restore(const QString& file) {
    Database& d = *m_db;
    if (!usable()) {
        d.lastError = d.problem;
        return std::nullopt;
    }
    if (const CopyExamined examined = examineCopy(file); !examined.refusal.isEmpty()) {
        d.lastError = examined.refusal;
        return std::nullopt;
    }
    // The copy, taken whole beside the database before anything changes.
    const QString incoming = d.path + QStringLiteral(".restauration");
    {
        OtherFile copy(file, true);
        QString error;
        if (!copyDatabase(handleOf(copy.db()), incoming, &error)) {
            d.lastError = say::cannotRead.arg(file, error);
            return std::nullopt;
        }
    }
    // What is kept now, aside under a name no file has yet.
    const QFileInfo info(d.path);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString aside;
    for (int n = 1; aside.isEmpty() || QFileInfo::exists(aside); ++n) {
        aside = QDir(info.absolutePath())
                    .filePath(QStringLiteral("%1-avant-restauration-%2%3.%4")
                                  .arg(info.completeBaseName(), stamp,
                                       n == 1 ? QString() : QStringLiteral("-%1").arg(n),
                                       info.suffix()));
    }
    QString error;
    if (!copyDatabase(handleOf(d.db), aside, &error)) {
        QFile::remove(incoming);
        d.lastError = say::cannotRead.arg(aside, error);
        return std::nullopt;
    }
    // Closed, the database has no log left beside it, unless another program
    // has it open too: then it is not replaced under that program.
    d.close();
    const bool heldElsewhere = QFileInfo::exists(d.path + QStringLiteral("-wal"));
    const bool replaced = !heldElsewhere && replaceFile(incoming, d.path, &error);
    if (!replaced)
        QFile::remove(incoming);
    d.problem.clear();
    d.notice.clear();
    const bool started = d.start();
    setPatience(kSavePatience);
    if (!replaced) {
        d.lastError = heldElsewhere ? texts::progress::busy : say::cannotRead.arg(d.path, error);
        return std::nullopt;
    }
    if (!started) {
        d.lastError = d.problem;
        return std::nullopt;
    }
    return aside;
}

} // namespace tirages::progress
