#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <variant>

namespace tirages::lists {

inline constexpr qsizetype kMaxEntries = 10000;

// One line of a list file: the draw shown to the player and the expected word.
struct Entry {
    QString draw;
    QString solution;
    friend bool operator==(const Entry&, const Entry&) = default;
};

struct ListError {
    enum class Kind {
        NotFound,         // nothing at the path
        NotAFile,         // a folder, a device, a pipe...
        Unreadable,       // exists but cannot be opened or read
        MissingSeparator, // a line without ';' (an empty line included)
        TooManyEntries,   // more than kMaxEntries lines
    };
    Kind kind;
    QString path;
    qsizetype line = 0;     // 1-based, for MissingSeparator
    bool emptyLine = false; // for MissingSeparator
    QString detail;         // the system's reason, for Unreadable

    // The message shown to the player, in French.
    QString message() const;
};

using ListContent = QList<Entry>;
using ListResult = std::variant<ListContent, ListError>;

// Parses the bytes of a list file: Windows-1252, one entry a line, lines ended
// by CR LF, CR or LF, each split at its first ';'. Nothing is trimmed.
ListResult parseList(QByteArrayView bytes, const QString& path);

// Reads and parses the list file at path.
ListResult readList(const QString& path);

} // namespace tirages::lists
