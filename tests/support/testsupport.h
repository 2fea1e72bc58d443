#pragma once

#include "training/questions.h"
#include "training/seriesrandom.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

namespace tirages::test {

// The Windows-1252 bytes that the list reader decodes to `text`, one a
// character; '?' for a character no byte decodes to.
QByteArray toCp1252(QStringView text);

// Path of a fixture under tests/data.
QString fixture(const QString& name);

// The system's clock, as the program reads it.
inline QDateTime systemNow() {
    return QDateTime::currentDateTime();
}

// Seeds 1, 2, 3... one per series set-up.
training::SeedSource countingSeeds();

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
#include "training/effects.h"

#include <array>

namespace tirages::training {
class Training;
}

namespace tirages::test {

// Entries "D<i>" / "S<i>" for i = 0 .. count - 1.
lists::ListContent numberedEntries(int count);

// Entries whose draw and solution are both the given word.
lists::ListContent wordEntries(const QStringList& words);

// A question of one word, on its line, found so many times.
training::Question oneWord(const lists::Entry& line, qint32 number, qint32 successes = 0);

// Types the expected words into the answer box of `slot`.
void answerRight(training::Training& training, int slot);

// The slot that shows the entry whose solution is `word`, or -1.
int slotShowing(const training::Training& training, const QString& word);

// Counts what a training has asked of the screen since the counter was made.
class EffectCounter {
public:
    explicit EffectCounter(training::Training& training);
    int beeps();
    int starts(training::Timer timer); // times the clock was started
    int focusMoves();        // times the focus was put into an answer box

private:
    void collect();
    training::Training& m_training;
    int m_beeps = 0;
    int m_focusMoves = 0;
    std::array<int, training::kTimers> m_starts{};
};

} // namespace tirages::test
