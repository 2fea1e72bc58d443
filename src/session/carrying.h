#pragma once

// « Sauvegarde… » and its command forms: the memory to and from the cardbox
// of word-study programs, everything kept to and from a copy. Each action
// gives what to tell the player, or why it did nothing, in French.

#include "result.h"

#include <QString>
#include <QStringList>

namespace tirages::session {

class Sittings;

class Carrying {
public:
    // The questions a cardbox is matched with are those of the catalogue's
    // lists, found in `dataDirs`, of the trainings kept and of the memory.
    Carrying(Sittings& sittings, QStringList dataDirs);

    Result<QString> importCardbox(const QString& file);
    Result<QString> exportCardbox(const QString& file);
    Result<QString> backup(const QString& file);
    // What a restore of the copy will replace; or why it is refused.
    Result<QString> restoreQuestion(const QString& file) const;
    // The copy in place of everything kept. The trainings of this run are
    // kept no more: a training on screen goes on without being kept.
    Result<QString> restore(const QString& file);

private:
    Failure nothingKept() const;

    Sittings& m_sittings;
    QStringList m_dataDirs;
};

} // namespace tirages::session
