#include "lists/listfile.h"

#include "lists/cp1252.h"
#include "texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QUtf8StringView>
#include <algorithm>

namespace tirages::lists {

QString ListError::message() const {
    namespace say = texts::listMessages;
    const QString file = say::quoted.arg(path);
    switch (kind) {
    case Kind::NotFound:
        return say::notFound.arg(file);
    case Kind::NotAFile:
        return say::notAFile.arg(file);
    case Kind::Unreadable:
        return say::unreadable.arg(file, detail);
    case Kind::MissingSeparator:
        return (emptyLine ? say::emptyLine : say::noSeparator).arg(file).arg(line);
    case Kind::TooManyEntries:
        return say::tooManyQuestions.arg(file).arg(kMaxEntries);
    case Kind::TooManyLines:
        return (plainWords ? say::tooManyWords : say::tooManyLines).arg(file).arg(kMaxLines);
    case Kind::NoWordToTrain:
        return detail.isEmpty() ? say::noWordToTrain.arg(file)
                                : say::noWordToTrain.arg(file) + u' ' + detail;
    case Kind::NotText:
        return say::notText.arg(file);
    case Kind::TooLarge:
        return say::tooLarge.arg(file).arg(kMaxListBytes / (1024 * 1024));
    }
    return {};
}

namespace {

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// A line of text holds no control character but tabs.
bool isGarbled(QByteArrayView bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char byte) {
        return static_cast<unsigned char>(byte) < 0x20 && byte != '\t';
    });
}

bool isBlank(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return byte == ' ' || byte == '\t'; });
}

} // namespace

void ListParser::noteEncoding(QByteArrayView bytes) {
    m_nonAscii = true;
    m_validUtf8 = m_validUtf8 && QUtf8StringView(bytes).isValidUtf8();
}

bool ListParser::readAsUtf8() const {
    return m_byteOrderMark || (m_nonAscii && m_validUtf8);
}

void ListParser::takeLine(QByteArrayView line) {
    ++m_line;
    if (line.contains('\0')) {
        m_error = ListError{ListError::Kind::NotText, m_path, 0, false, {}};
        return;
    }
    const qsizetype separator = line.indexOf(';');
    if (m_kind == Kind::Undecided) {
        m_kind = separator < 0 ? Kind::Words : Kind::Entries;
        m_firstLineEmpty = line.isEmpty();
        if (isGarbled(line)) {
            m_error = ListError{ListError::Kind::NotText, m_path, 0, false, {}};
            return;
        }
    }
    if (m_kind == Kind::Words) {
        takeWord(line, separator >= 0);
        return;
    }
    if (separator < 0) {
        m_error = ListError{ListError::Kind::MissingSeparator, m_path, m_line, line.isEmpty(), {}};
        return;
    }
    if (m_entries.size() == kMaxLines) {
        m_error = ListError{ListError::Kind::TooManyLines, m_path, 0, false, {}};
        return;
    }
    const QByteArrayView draw = line.first(separator);
    const QByteArrayView expected = line.sliced(separator + 1);
    for (const QByteArrayView field : {draw, expected}) {
        if (!isAscii(field)) {
            m_nonAsciiFields.append(
                {m_entries.size(), field.data() == expected.data(), field.toByteArray()});
            noteEncoding(field);
        }
    }
    m_entries.append({fromCp1252(draw), fromCp1252(expected)});
    if (m_entries.size() > kMaxEntries && tooManyDraws())
        m_error = ListError{ListError::Kind::TooManyEntries, m_path, 0, false, {}};
}

// A list of no more lines than it may hold draws has no draw to count. Past
// them, the draws as decoded are counted: two draws that differ in their bytes
// differ once decoded, either way. The hashes are made unique after each
// kMaxEntries changes of draw, so that a file of too many draws is refused
// within that many lines of its last one that fits.
bool ListParser::tooManyDraws() {
    if (m_drawHashes.empty()) {
        for (qsizetype entry = 0; entry + 1 < m_entries.size(); ++entry)
            noteDraw(entry);
    }
    noteDraw(m_entries.size() - 1);
    if (m_drawHashes.size() < m_countDrawsAt)
        return false;
    std::sort(m_drawHashes.begin(), m_drawHashes.end());
    m_drawHashes.erase(std::unique(m_drawHashes.begin(), m_drawHashes.end()), m_drawHashes.end());
    m_countDrawsAt = m_drawHashes.size() + kMaxEntries + 1;
    return m_drawHashes.size() > static_cast<std::size_t>(kMaxEntries);
}

void ListParser::noteDraw(qsizetype entry) {
    const QString& draw = m_entries[entry].draw;
    if (entry == 0 || QStringView(draw) != QStringView(m_entries[entry - 1].draw))
        m_drawHashes.push_back(qHash(draw, size_t{0}));
}

// A line of a file whose first line holds no ';'.
void ListParser::takeWord(QByteArrayView line, bool separator) {
    if (separator) {
        // Lines with and without ';': a list file, whose first line is wrong.
        m_error = ListError{ListError::Kind::MissingSeparator, m_path, 1, m_firstLineEmpty, {}};
        return;
    }
    if (isBlank(line))
        return;
    if (m_words.size() == kMaxLines) {
        m_error = ListError{ListError::Kind::TooManyLines, m_path, 0, false, {}};
        m_error->plainWords = true;
        return;
    }
    if (!isAscii(line))
        noteEncoding(line);
    m_garbledWords += isGarbled(line) ? 1 : 0;
    m_words.append({m_line, line.toByteArray()});
}

ListResult ListParser::wordList() {
    if (2 * m_garbledWords > m_words.size())
        return ListError{ListError::Kind::NotText, m_path, 0, false, {}};
    QList<WordLine> lines;
    lines.reserve(m_words.size());
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    const bool asUtf8 = readAsUtf8();
    for (const auto& [line, bytes] : std::as_const(m_words))
        lines.append({line, asUtf8 ? utf8.decode(bytes) : fromCp1252(bytes)});
    TrainedWords trained = trainedWords(lines);
    QSet<QString> draws;
    for (const Entry& entry : std::as_const(trained.entries))
        draws.insert(entry.draw);
    if (draws.size() > kMaxEntries)
        return ListError{ListError::Kind::TooManyEntries, m_path, 0, false, {}};
    if (trained.entries.isEmpty()) {
        ListError error{ListError::Kind::NoWordToTrain, m_path, 0, false, {}};
        if (!trained.leftOut.isEmpty())
            error.detail = leftOutReport(trained.leftOut);
        return error;
    }
    return ListFile{std::move(trained.entries), true, std::move(trained.leftOut), {}};
}

bool ListParser::feed(QByteArrayView bytes) {
    if (!m_started) {
        // The mark may come split between the first reads.
        m_partial += bytes;
        if (m_partial.size() < 3 && QByteArrayView("\xEF\xBB\xBF").startsWith(m_partial))
            return true;
        m_started = true;
        m_byteOrderMark = m_partial.startsWith("\xEF\xBB\xBF");
        const QByteArray first = m_partial.mid(m_byteOrderMark ? 3 : 0);
        m_partial.clear();
        return feed(first);
    }
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    if (m_skipLineFeed && size > 0) {
        m_skipLineFeed = false;
        if (bytes[0] == '\n')
            start = 1;
    }
    while (!m_error && start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == size) { // the line goes on in the next bytes
            m_partial += bytes.sliced(start);
            break;
        }
        if (m_partial.isEmpty()) {
            takeLine(bytes.sliced(start, end - start));
        } else {
            m_partial += bytes.sliced(start, end - start);
            takeLine(m_partial);
            m_partial.clear();
        }
        // CR LF is one line end, even when the LF comes in the next bytes.
        if (bytes[end] == '\r') {
            if (end + 1 == size)
                m_skipLineFeed = true;
            else if (bytes[end + 1] == '\n')
                ++end;
        }
        start = end + 1;
    }
    return !m_error;
}

ListResult ListParser::finish() {
    if (!m_started) { // fewer than three bytes in all
        m_started = true;
        const QByteArray first = std::exchange(m_partial, {});
        feed(first);
    }
    // A last line without its line end is an entry all the same.
    if (!m_error && !m_partial.isEmpty()) {
        takeLine(m_partial);
        m_partial.clear();
    }
    if (m_error)
        return *m_error;
    if (m_kind == Kind::Words) {
        if (m_words.isEmpty()) // blank lines and nothing else: judged as a list file
            return ListError{ListError::Kind::MissingSeparator, m_path, 1, m_firstLineEmpty, {}};
        return wordList();
    }
    // ASCII reads the same in both encodings: only the other fields change.
    if (readAsUtf8()) {
        // Only the file's own mark is dropped: one at the start of a field stays.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
        for (const RawField& field : std::as_const(m_nonAsciiFields)) {
            Entry& entry = m_entries[field.entry];
            (field.expected ? entry.expected : entry.draw) = utf8.decode(field.bytes);
        }
    }
    return ListFile{std::move(m_entries), false, {}, {}};
}

ListResult parseList(QByteArrayView bytes, const QString& path) {
    ListParser parser(path);
    parser.feed(bytes);
    return parser.finish();
}

ListResult readList(QIODevice& device, const QString& path) {
    constexpr qint64 kChunk = 64 * 1024;
    ListParser parser(path);
    QByteArray chunk(kChunk, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 read = device.read(chunk.data(), kChunk);
        if (read < 0)
            return ListError{ListError::Kind::Unreadable, path, 0, false, device.errorString()};
        if (read == 0 && (device.atEnd() || !device.waitForReadyRead(-1)))
            break;
        total += read;
        if (total > kMaxListBytes)
            return ListError{ListError::Kind::TooLarge, path, 0, false, {}};
        if (!parser.feed(QByteArrayView(chunk.constData(), read)))
            break;
    }
    return parser.finish();
}

ListResult readList(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return ListError{ListError::Kind::NotFound, path, 0, false, {}};
    if (!info.isFile())
        return ListError{ListError::Kind::NotAFile, path, 0, false, {}};
    if (info.size() > kMaxListBytes)
        return ListError{ListError::Kind::TooLarge, path, 0, false, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.error() == QFileDevice::PermissionsError
                                   ? texts::listMessages::accessDenied
                                   : file.errorString();
        return ListError{ListError::Kind::Unreadable, path, 0, false, reason};
    }
    return readList(file, path);
}

} // namespace tirages::lists
