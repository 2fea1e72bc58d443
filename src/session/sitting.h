#pragma once

#include "lists/listfile.h"
#include "lists/listid.h"
#include "progress/store.h"
#include "training/snapshot.h"

#include <QDateTime>
#include <QLockFile>
#include <memory>
#include <optional>

namespace tirages::session {

// One list trained in this run, and how far its training is kept. The
// training in memory is the truth: until a save keeps it, every later save
// writes it whole, with the series not recorded yet.
class Sitting {
public:
    // How much of it a store keeps.
    enum class Keeping {
        Nothing,    // no store, or a list with no word to train
        Training,   // the training and its series
        SeriesOnly, // a list built from the memory: its series and their reviews
    };
    // What a store holds of it, against the training in memory.
    enum class Saved {
        Yes,     // all of it
        Changed, // less than the training: the next save writes what changed
        Begun,   // begun again: the next save writes it whole, over what was kept
    };
    struct SaveFailure {
        QString why;
        bool told = false; // the player was told on leaving the screen
    };

    lists::ListId list;
    lists::ListContent fileLines; // the file the entries' lines number
    qint64 linesVersion = 0;      // changes with fileLines
    training::TrainingSnapshot training;
    QList<training::SeriesRecord> unsaved; // series corrected and not recorded yet
    std::optional<qint64> base;            // the revision this program last kept
    Keeping keeping = Keeping::Nothing;
    Saved saved = Saved::Yes;
    std::optional<QDateTime> finished;
    std::optional<SaveFailure> failure; // of the last save
    std::unique_ptr<QLockFile> lock;    // no other program trains the list meanwhile

    void setFileLines(lists::ListContent lines) {
        fileLines = std::move(lines);
        ++linesVersion;
    }
    bool pending() const { return keeping != Keeping::Nothing && saved != Saved::Yes; }
    void changed() {
        if (saved == Saved::Yes)
            saved = Saved::Changed;
    }
    // The launcher counts words: the lines of the questions left, as the store does.
    progress::Summary summary() const {
        qint32 wordsLeft = 0;
        for (const training::Question& question : training.entries)
            wordsLeft += static_cast<qint32>(question.lines.size());
        return {wordsLeft,
                static_cast<qint32>(fileLines.size()),
                training.seriesDone,
                training.secondsTrained,
                finished,
                0};
    }
};

// The lock that says this program trains the list, not taken yet; none
// without a store to keep it in.
std::unique_ptr<QLockFile> lockOf(const progress::Store* store, const lists::ListId& list);

inline QDateTime endOfToday(const QDateTime& now) {
    return QDateTime(now.date().addDays(1), QTime(0, 0));
}

} // namespace tirages::session
