#pragma once

#include "lists/entry.h"
#include "lists/plainwords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

class QIODevice;

namespace tirages::lists {

// A list holds at most kMaxEntries questions (the lines that share a draw are
// one), in at most kMaxLines lines; a plain word list likewise, a word a line.
inline constexpr qsizetype kMaxEntries = 10000;
inline constexpr qsizetype kMaxLines = 100000;
// No list of kMaxLines lines comes near this size: a larger file is refused
// before a byte of it is read, and a stream that runs past it is cut there.
inline constexpr qint64 kMaxListBytes = qint64{16} * 1024 * 1024;

struct ListError {
    enum class Kind {
        NotFound,         // nothing at the path
        NotAFile,         // a folder, a device, a pipe...
        Unreadable,       // exists but cannot be opened or read
        MissingSeparator, // a line without ';' (an empty line included)
        TooManyEntries,   // more than kMaxEntries questions
        TooManyLines,     // more than kMaxLines lines
        TooLarge,         // more than kMaxListBytes bytes
        NoWordToTrain,    // a plain word list whose every word is left out
        NotText,          // NUL bytes, or lines mostly of control characters
    };
    Kind kind;
    QString path;
    qsizetype line = 0;     // 1-based, for MissingSeparator
    bool emptyLine = false; // for MissingSeparator
    QString detail; // the system's reason, for Unreadable; the words left out, for NoWordToTrain
    bool plainWords = false; // for TooManyLines: a plain word list

    // The message shown to the player, in French.
    QString message() const;
};

using ListContent = QList<Entry>;

// A list as read: its entries, and for a plain word list the words left out.
struct ListFile {
    ListContent entries;
    bool plainWords = false;
    QList<LeftOutWord> leftOut;
    QStringList fromLexicon; // a plain word list: the lexicon's words added to its draws
};

using ListResult = std::variant<ListFile, ListError>;

// The entries of a list that was read, or null for an error.
inline const ListContent* listEntries(const ListResult& result) {
    const auto* file = std::get_if<ListFile>(&result);
    return file ? &file->entries : nullptr;
}

// Splits the bytes of a list file into entries as they arrive: one entry a
// line (the lines that share a draw make one question of the training), lines ended by CR LF, CR or LF, each split at its first ';'. Nothing
// is trimmed. A file in which no line holds a ';' is a plain word list: one
// word a line, blank lines skipped, each word trained with its draw (see
// plainwords.h). A file that starts with a UTF-8 byte-order mark (dropped), or
// is valid UTF-8 and holds other bytes than ASCII, is read as UTF-8; any other
// as Windows-1252. It stops at the first line that is not an entry and at the
// entry (or word) after the last one a list may hold, so that a reader never
// has to go further than that.
class ListParser {
public:
    explicit ListParser(QString path) : m_path(std::move(path)) {}

    // Takes the next bytes of the file. False once the parser has stopped on
    // an error: nothing more needs to be read.
    bool feed(QByteArrayView bytes);
    // The end of the file: the entries, or the first error met.
    ListResult finish();

private:
    void takeLine(QByteArrayView line);
    void takeWord(QByteArrayView line, bool separator);
    void noteEncoding(QByteArrayView bytes);
    bool readAsUtf8() const;
    ListResult wordList();

    QString m_path;
    // Entries are decoded as Windows-1252 as they come; the fields that hold
    // other bytes than ASCII are kept as bytes too, to be decoded again should
    // the file turn out to be UTF-8.
    struct RawField {
        qsizetype entry;
        bool expected; // the field of the word, not of the draw
        QByteArray bytes;
    };
    enum class Kind { Undecided, Entries, Words };
    Kind m_kind = Kind::Undecided; // set by the first line: does it hold a ';'?
    qsizetype m_line = 0;          // lines taken so far
    bool m_firstLineEmpty = false;
    ListContent m_entries;
    // Past kMaxEntries lines, the draws are counted: a hash of the draw of
    // each line where the draw changes (the lines of a draw mostly follow each
    // other), made unique once there are more than a list may hold.
    bool tooManyDraws();
    void noteDraw(qsizetype entry);
    std::vector<size_t> m_drawHashes;
    std::size_t m_countDrawsAt = kMaxEntries + 1;
    QList<RawField> m_nonAsciiFields;
    QList<QPair<qsizetype, QByteArray>> m_words; // line number, bytes: decoded at the end
    qsizetype m_garbledWords = 0;                // words holding control characters
    bool m_nonAscii = false;
    bool m_started = false; // the first bytes have been looked at for a byte-order mark
    bool m_byteOrderMark = false;
    bool m_validUtf8 = true;
    QByteArray m_partial;        // the start of a line whose end has not arrived yet
    bool m_skipLineFeed = false; // the last line ended with a CR: an LF that follows is its end
    std::optional<ListError> m_error;
};

// Parses a whole list file held in memory.
ListResult parseList(QByteArrayView bytes, const QString& path);

// Reads a list from an open device, a chunk at a time, up to kMaxListBytes.
ListResult readList(QIODevice& device, const QString& path);

// Reads and parses the list file at path. Anything but a regular file, and a
// file over kMaxListBytes, is refused without being read.
ListResult readList(const QString& path);

} // namespace tirages::lists
