#pragma once

// What is kept, carried to and from other files: the memory to and from the
// cardbox of word-study programs, everything kept to and from a copy for
// another computer. Each writes its file beside the name given, then renames
// it: the name never holds half a file. None writes over the database itself.

#include "clock.h"
#include "lists/listfile.h"
#include "result.h"

#include <QDate>
#include <QStringList>
#include <functional>

namespace tirages::progress {

class Connection;
class Memory;

// What an import of a cardbox did.
struct CardboxImport {
    qint32 questions = 0; // questions given the card of their alphagram
    qint32 keptOwn = 0;   // questions whose own card was reviewed as late or later, kept
    QStringList unknown;  // alphagrams of the cardbox no known question has the letters of
};

class Transfers {
public:
    // `now` dates the name what was kept is moved aside under; `reopen` opens
    // the database again once a copy has replaced it.
    Transfers(Connection& connection, Memory& memory, Clock now,
              std::function<Result<Done>()> reopen);

    // Reads the cardbox file of a word-study program. Each alphagram in its
    // cardbox gives its schedule to every question whose draw has its letters,
    // among `questions`, the trainings kept and the memory; a question whose
    // own card was reviewed later keeps it. Whole or not at all.
    Result<CardboxImport> importCardbox(const QString& file, const lists::ListContent& questions);
    // Writes the memory as a cardbox file, a row an alphagram; how many.
    Result<qint32> exportCardbox(const QString& file);
    // A copy of everything kept, taken by SQLite while the program runs.
    Result<Done> backup(const QString& file);
    // The last day the copy kept a training or a series (without any, the day
    // the file was written); or why it cannot be restored.
    static Result<QDate> examineCopy(const QString& file);
    // Everything kept replaced by the copy, once examineCopy accepts it. What
    // was kept is moved aside under a new name with the date: its path.
    Result<QString> restore(const QString& file);
    // Whether `file` is the database at `database` or one of the files SQLite
    // keeps beside it, however either is written.
    static bool isDatabaseFile(const QString& database, const QString& file);

private:
    Result<Done> refuseDatabase(const QString& file) const;
    Result<QString> putInPlace(const QString& incoming);

    Connection& m_connection;
    Memory& m_memory;
    Clock m_now;
    std::function<Result<Done>()> m_reopen;
};

} // namespace tirages::progress
