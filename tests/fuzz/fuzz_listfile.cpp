// libFuzzer target for the list reader: any bytes must parse without a crash,
// and what parses must come back the same when written out and read again.

#include "lists/cp1252.h"
#include "lists/listfile.h"
#include "lists/plainwords.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace tirages::lists;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ListResult result = parseList(bytes, QStringLiteral("fuzz"));
    // Read as a stream in two pieces, the same bytes give the same answer.
    ListParser streamed(QStringLiteral("fuzz"));
    if (streamed.feed(bytes.first(bytes.size() / 2)))
        streamed.feed(bytes.sliced(bytes.size() / 2));
    const ListResult inTwo = streamed.finish();
    if (inTwo.index() != result.index())
        std::abort();
    if (const auto* error = std::get_if<ListError>(&inTwo)) {
        const ListError& whole = std::get<ListError>(result);
        if (error->kind != whole.kind || error->line != whole.line)
            std::abort();
    } else if (*listEntries(inTwo) != *listEntries(result)) {
        std::abort();
    }

    const auto* entries = listEntries(result);
    if (!entries) {
        const ListError& error = std::get<ListError>(result);
        if (error.message().isEmpty())
            std::abort();
        return 0;
    }
    QSet<QString> draws;
    for (const Entry& entry : *entries)
        draws.insert(entry.draw);
    if (entries->size() > kMaxLines || draws.size() > kMaxEntries)
        std::abort();
    // A plain word list trains words of 2 to 15 letters A to Z; the words of
    // the same letters share the draw of the first of them.
    if (std::get<ListFile>(result).plainWords) {
        QHash<QString, QString> drawOfLetters;
        for (const Entry& entry : *entries) {
            QString letters = entry.expected;
            std::sort(letters.begin(), letters.end());
            const QString draw = drawOfLetters.value(letters, drawOf(entry.expected));
            drawOfLetters.insert(letters, draw);
            if (entry.expected.size() < kShortestWord || entry.expected.size() > kLongestWord ||
                scrabbleSpelling(entry.expected) != entry.expected || entry.draw != draw)
                std::abort();
        }
    }

    // Written back as UTF-8 behind its mark, the entries read the same.
    QByteArray written = "\xEF\xBB\xBF";
    for (const Entry& entry : *entries) {
        if (entry.draw.contains(u';') || entry.draw.contains(u'\r') || entry.draw.contains(u'\n') ||
            entry.expected.contains(u'\r') || entry.expected.contains(u'\n'))
            std::abort();
        written += entry.draw.toUtf8() + ';' + entry.expected.toUtf8() + "\r\n";
    }
    const ListResult again = parseList(written, QStringLiteral("fuzz"));
    const auto* reread = listEntries(again);
    if (!reread || *reread != *entries)
        std::abort();
    return 0;
}
