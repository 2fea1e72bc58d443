#include "lexicon/lexiconfile.h"

#include "files.h"
#include "lists/cp1252.h"
#include "lists/plainwords.h"
#include "texts.h"

#include <QFile>
#include <QFileInfo>

namespace tirages::lexicon {
namespace {

namespace say = texts::lexicon;
constexpr QByteArrayView kHeader = "tirages-lexique 1\n";
constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

QString quoted(const QString& path) {
    return texts::listMessages::quoted.arg(QFileInfo(path).fileName());
}

bool fits(qsizetype length) {
    return length >= kShortestLexiconWord && length <= kLongestLexiconWord;
}

// The shipped lexicon, as the list builder writes it.
Result<Lexicon> shippedLexicon(QByteArrayView bytes, const QString& path) {
    Lexicon::Builder builder;
    builder.reserve(bytes.size() / 4, bytes.size() * 3);
    QByteArray word;
    qsizetype at = kHeader.size();
    while (at < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = bytes.sliced(at, end - at);
        const int shared = line.isEmpty() ? -1 : line.front() - '0';
        if (shared < 0 || shared > word.size())
            return Failure{say::damaged.arg(quoted(path))};
        word.truncate(shared);
        word.append(line.sliced(1));
        builder.add(word);
        at = end + 1;
    }
    Lexicon lexicon = std::move(builder).build();
    if (lexicon.isEmpty())
        return Failure{say::damaged.arg(quoted(path))};
    return lexicon;
}

bool isControl(char byte) {
    return static_cast<unsigned char>(byte) < 0x20 && byte != '\t';
}

bool isCapitals(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// A player's word file: each line in Scrabble spelling, as a word list reads it.
Result<Lexicon> wordFile(QByteArrayView bytes, const QString& path) {
    if (bytes.contains('\0'))
        return Failure{say::notText.arg(quoted(path))};
    const bool bom = bytes.startsWith(kByteOrderMark);
    if (bom)
        bytes = bytes.sliced(kByteOrderMark.size());
    const bool utf8 = bom || bytes.isValidUtf8();
    Lexicon::Builder builder;
    builder.reserve(bytes.size() / 8, bytes.size());
    qsizetype lines = 0;
    qsizetype taken = 0;
    qsizetype garbled = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (++lines > kMaxLexiconLines)
            return Failure{say::tooManyLines.arg(quoted(path)).arg(kMaxLexiconLines)};
        const QByteArrayView line = bytes.sliced(at, end - at).trimmed();
        at = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
        if (line.isEmpty())
            continue;
        ++taken;
        if (std::any_of(line.begin(), line.end(), isControl)) {
            ++garbled;
            continue;
        }
        if (isCapitals(line)) { // most lines of most lexicons: nothing to decode
            if (fits(line.size()))
                builder.add(line);
            continue;
        }
        const QString text = utf8 ? QString::fromUtf8(line) : lists::fromCp1252(line);
        const QByteArray word = lists::scrabbleSpelling(text).toLatin1();
        if (fits(word.size()))
            builder.add(word);
    }
    if (garbled * 2 > taken)
        return Failure{say::notText.arg(quoted(path))};
    Lexicon lexicon = std::move(builder).build();
    if (lexicon.isEmpty())
        return Failure{
            say::noWord.arg(quoted(path)).arg(kShortestLexiconWord).arg(kLongestLexiconWord)};
    return lexicon;
}

} // namespace

Result<Lexicon> parseLexicon(QByteArrayView bytes, const QString& path) {
    return bytes.startsWith(kHeader) ? shippedLexicon(bytes, path) : wordFile(bytes, path);
}

Result<Lexicon> readLexicon(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxLexiconBytes)
        return Failure{say::tooLarge.arg(quoted(path)).arg(kMaxLexiconBytes / (1024 * 1024))};
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return Failure{say::unreadable.arg(files::readFailure(path))};
    // A file that grew since it was looked at is read no further than the limit.
    const QByteArray bytes = file.read(kMaxLexiconBytes + 1);
    if (bytes.size() > kMaxLexiconBytes)
        return Failure{say::tooLarge.arg(quoted(path)).arg(kMaxLexiconBytes / (1024 * 1024))};
    if (file.error() != QFileDevice::NoError)
        return Failure{say::unreadable.arg(files::readFailure(path))};
    return parseLexicon(bytes, path);
}

} // namespace tirages::lexicon
