#include "progress/trainings.h"

#include <QHash>

namespace tirages::progress {

using namespace training;

FileChange compareLines(const lists::ListContent& before, const lists::ListContent& now) {
    QHash<QPair<QString, QString>, int> counts;
    for (const lists::Entry& line : before)
        ++counts[{line.draw, line.expected}];
    FileChange change;
    for (const lists::Entry& line : now) {
        int& left = counts[{line.draw, line.expected}];
        if (left > 0)
            --left;
        else
            ++change.added;
    }
    for (const int left : std::as_const(counts))
        change.removed += left;
    return change;
}

// Line by line first: a line still in the file keeps what it was kept with (or
// stays out), a line new in the file joins with no success; then the lines
// that share a draw make one question, in when any of its lines is.
TrainingSnapshot mergeWithFile(const Kept& kept, const lists::ListContent& now) {
    // The lines of the old file, by their text, each with its successes if it
    // is still in the training; a text twice in the file pairs in file order.
    QHash<qint32, qint32> leftByLine; // line -> successes
    for (const Question& question : kept.snapshot.entries) {
        for (const qint32 line : question.lines)
            leftByLine.insert(line, question.successes);
    }
    QHash<QPair<QString, QString>, QList<qint32>> oldLines;
    for (qsizetype i = 0; i < kept.fileLines.size(); ++i) {
        const lists::Entry& line = kept.fileLines[i];
        oldLines[{line.draw, line.expected}].append(static_cast<qint32>(i + 1));
    }
    QList<NumberedLine> left;
    for (qsizetype i = 0; i < now.size(); ++i) {
        const lists::Entry& line = now[i];
        const auto number = static_cast<qint32>(i + 1);
        QList<qint32>& same = oldLines[{line.draw, line.expected}];
        if (same.isEmpty()) { // new in the file
            left.append({line, number, 0});
            continue;
        }
        const auto successes = leftByLine.constFind(same.takeFirst());
        if (successes != leftByLine.cend())
            left.append({line, number, *successes});
    }
    TrainingSnapshot merged = kept.snapshot;
    merged.entries = questionsOf(left);
    return merged;
}

} // namespace tirages::progress
