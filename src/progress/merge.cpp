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

TrainingSnapshot mergeWithFile(const Kept& kept, const lists::ListContent& now) {
    // The lines of the old file, by their text, each with its entry if it is
    // still in the training; a text twice in the file pairs in file order.
    QHash<qint32, const ListEntry*> leftByLine;
    for (const ListEntry& entry : kept.snapshot.entries)
        leftByLine.insert(entry.line, &entry);
    QHash<QPair<QString, QString>, QList<qint32>> oldLines;
    for (qsizetype i = 0; i < kept.fileLines.size(); ++i) {
        const lists::Entry& line = kept.fileLines[i];
        oldLines[{line.draw, line.expected}].append(static_cast<qint32>(i + 1));
    }
    TrainingSnapshot merged = kept.snapshot;
    merged.entries.clear();
    for (qsizetype i = 0; i < now.size(); ++i) {
        const lists::Entry& line = now[i];
        const auto number = static_cast<qint32>(i + 1);
        QList<qint32>& same = oldLines[{line.draw, line.expected}];
        if (same.isEmpty()) { // new in the file
            merged.entries.append({line, 0, number});
            continue;
        }
        const qint32 oldLine = same.takeFirst();
        if (const auto* entry = leftByLine.value(oldLine))
            merged.entries.append({line, entry->successes, number});
    }
    return merged;
}

} // namespace tirages::progress
