#pragma once

#include "training/seriesrandom.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tirages::test {

// Path of a fixture under tests/data.
QString fixture(const QString& name);

// Seeds 1, 2, 3... one per series set-up.
SeedSource countingSeeds();

// A list file of `count` distinct entries "D<i>;S<i>", CR LF line ends.
QByteArray numberedList(int count);

// A temporary folder that becomes the working directory for the lifetime of
// the object, so that lists can be found by their relative paths.
class WorkingFolder {
public:
    WorkingFolder();
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    QString path() const { return m_dir.path(); }
    // Writes `bytes` at `relativePath`, creating its folders.
    void write(const QString& relativePath, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace tirages::test

#include "lists/listfile.h"

namespace tirages {
class Training;
}

namespace tirages::test {

// Entries "D<i>" / "S<i>" for i = 0 .. count - 1.
lists::ListContent numberedEntries(int count);

// Entries whose draw and solution are both the given word.
lists::ListContent wordEntries(const QStringList& words);

// Types the expected word into the answer box of `slot`.
void answerRight(Training& training, int slot);

// The slot that shows the entry whose solution is `word`, or -1.
int slotShowing(const Training& training, const QString& word);

} // namespace tirages::test
