#include "lexicon/lexicon.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace tirages::lexicon {
namespace {

constexpr int kAlphabet = 26;

// A number for each letter; a set of letters is known by the sum of its
// letters' numbers, whatever their order.
constexpr std::array<quint64, kAlphabet> letterNumbers() {
    std::array<quint64, kAlphabet> numbers{};
    quint64 state = 0x9E3779B97F4A7C15ULL;
    for (quint64& number : numbers) { // splitmix64
        state += 0x9E3779B97F4A7C15ULL;
        quint64 z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        number = z ^ (z >> 31);
    }
    return numbers;
}
constexpr std::array<quint64, kAlphabet> kLetterNumbers = letterNumbers();

quint64 lettersKey(QByteArrayView word) {
    quint64 key = 0;
    for (char letter : word)
        key += kLetterNumbers[static_cast<std::size_t>(letter - 'A')];
    return key;
}

bool isWord(QByteArrayView word) {
    return !word.isEmpty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// A word typed or shown, as the lexicon spells it; empty when it is no word.
QByteArray spelled(QStringView word) {
    QByteArray bytes = word.toLatin1();
    return isWord(bytes) ? bytes : QByteArray();
}

QByteArray sortedLetters(QByteArrayView word) {
    QByteArray letters = word.toByteArray();
    std::sort(letters.begin(), letters.end());
    return letters;
}

} // namespace

void Lexicon::Builder::reserve(qsizetype words, qsizetype letters) {
    m_starts.reserve(static_cast<std::size_t>(words) + 1);
    m_letters.reserve(letters);
}

void Lexicon::Builder::add(QByteArrayView word) {
    if (!isWord(word))
        return;
    m_letters.append(word);
    m_starts.push_back(static_cast<quint32>(m_letters.size()));
}

Lexicon Lexicon::Builder::build() && {
    Lexicon lexicon;
    const auto wordAt = [this](quint32 i) {
        return QByteArrayView(m_letters).sliced(m_starts[i], m_starts[i + 1] - m_starts[i]);
    };
    const auto count = static_cast<quint32>(m_starts.size() - 1);
    std::vector<quint32> order(count);
    std::iota(order.begin(), order.end(), 0U);
    // The shipped lexicon comes in order already: then nothing moves.
    const auto before = [&](quint32 a, quint32 b) { return wordAt(a) < wordAt(b); };
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::sort(order.begin(), order.end(), before);
    lexicon.m_letters.reserve(m_letters.size());
    lexicon.m_starts.reserve(m_starts.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const QByteArrayView word = wordAt(order[i]);
        if (i > 0 && word == wordAt(order[i - 1]))
            continue;
        lexicon.m_letters.append(word);
        lexicon.m_starts.push_back(static_cast<quint32>(lexicon.m_letters.size()));
    }
    lexicon.index();
    return lexicon;
}

Lexicon::Lexicon(const QList<QByteArray>& words) {
    Builder builder;
    for (const QByteArray& word : words)
        builder.add(word);
    *this = std::move(builder).build();
}

void Lexicon::index() {
    const auto count = static_cast<quint32>(size());
    m_byLetters.resize(count);
    for (quint32 i = 0; i < count; ++i)
        m_byLetters[i] = {lettersKey(word(i)), i};
    std::sort(m_byLetters.begin(), m_byLetters.end());
}

QByteArrayView Lexicon::word(quint32 index) const {
    return QByteArrayView(m_letters).sliced(m_starts[index], m_starts[index + 1] - m_starts[index]);
}

bool Lexicon::contains(QByteArrayView wanted) const {
    quint32 low = 0;
    auto high = static_cast<quint32>(size());
    while (low < high) {
        const quint32 middle = low + (high - low) / 2;
        const QByteArrayView here = word(middle);
        if (here == wanted)
            return true;
        if (here < wanted)
            low = middle + 1;
        else
            high = middle;
    }
    return false;
}

bool Lexicon::contains(QStringView word) const {
    const QByteArray bytes = spelled(word);
    return !bytes.isEmpty() && contains(QByteArrayView(bytes));
}

QStringList Lexicon::anagrams(QStringView letters) const {
    const QByteArray bytes = spelled(letters);
    if (bytes.isEmpty())
        return {};
    const QByteArray sorted = sortedLetters(bytes);
    const auto [first, last] =
        std::equal_range(m_byLetters.begin(), m_byLetters.end(),
                         std::pair{lettersKey(bytes), quint32{0}},
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList words; // in alphabetical order, as the index keeps words of one key
    for (auto at = first; at != last; ++at) {
        const QByteArrayView candidate = word(at->second);
        if (candidate.size() == sorted.size() && sortedLetters(candidate) == sorted)
            words << QString::fromLatin1(candidate);
    }
    return words;
}

Hooks Lexicon::hooks(QStringView word) const {
    const QByteArray bytes = spelled(word);
    Hooks hooks;
    if (bytes.isEmpty())
        return hooks;
    QByteArray longer = ' ' + bytes;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        longer[0] = letter;
        if (contains(QByteArrayView(longer)))
            hooks.front += QLatin1Char(letter);
    }
    longer = bytes + ' ';
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        longer[longer.size() - 1] = letter;
        if (contains(QByteArrayView(longer)))
            hooks.back += QLatin1Char(letter);
    }
    return hooks;
}

QList<PlusOne> Lexicon::plusOne(QStringView word) const {
    QList<PlusOne> found;
    if (spelled(word).isEmpty())
        return found;
    QString letters = word.toString() + u' ';
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        letters.back() = QChar(letter);
        if (QStringList words = anagrams(letters); !words.isEmpty())
            found.append({QChar(letter), std::move(words)});
    }
    return found;
}

qsizetype Lexicon::memoryUsed() const {
    return m_letters.capacity() +
           static_cast<qsizetype>(m_starts.capacity() * sizeof(quint32) +
                                  m_byLetters.capacity() * sizeof(m_byLetters.front()));
}

} // namespace tirages::lexicon
