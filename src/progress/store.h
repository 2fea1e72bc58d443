#pragma once

// Everything kept across runs, in one SQLite database: the trainings and their
// series, the memory of questions, the history the statistics read, what is
// carried to and from other files, and the player's choices. Each concern has
// its own contract; they share one connection. Nothing of SQL shows here.

#include "clock.h"
#include "progress/history.h"
#include "progress/memory.h"
#include "progress/preferences.h"
#include "progress/trainings.h"
#include "progress/transfers.h"
#include "result.h"

#include <memory>

class QRandomGenerator;

namespace tirages::progress {

class Store {
public:
    static constexpr int kSchemaVersion = 6;

    // The database in the user's data folder (XDG_DATA_HOME is honoured).
    static QString defaultPath();
    // Opens the database at `path`, creating it and its folder when missing,
    // brings it up to date and makes sure it can be written; or why nothing
    // can be kept. `now` dates the files it names; `fuzz` spreads the
    // intervals of the reviews (none: the plain intervals).
    static Result<std::unique_ptr<Store>> open(const QString& path, Clock now,
                                               QRandomGenerator* fuzz = nullptr);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const QString& path() const;
    // Something the player should know about the database, in French: a
    // damaged file set aside. Empty otherwise.
    const QString& notice() const;
    // False once a restore has left no database that can be opened.
    bool isOpen() const;
    // How long a write waits for another program holding the database, in ms.
    void setPatience(int milliseconds);

    Trainings& trainings() { return m_trainings; }
    Memory& memory() { return m_memory; }
    const History& history() const { return m_history; }
    Transfers& transfers() { return m_transfers; }
    Preferences& preferences() { return m_preferences; }

private:
    Store(const QString& path, const Clock& now, QRandomGenerator* fuzz);
    Result<Done> migrate();

    std::unique_ptr<Connection> m_connection;
    Memory m_memory;
    Trainings m_trainings;
    History m_history;
    Transfers m_transfers;
    Preferences m_preferences;
};

} // namespace tirages::progress
