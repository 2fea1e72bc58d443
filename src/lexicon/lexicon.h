#pragma once

// The words a player is judged by: every playable form, in Scrabble spelling
// (capitals A to Z), looked up by spelling and by letters. The lexicon shipped
// with the program, or a player's own word file (lexiconfile.h).

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace tirages::lexicon {

// A word's hooks: the letters that make a word when put in front of it, and
// at its end, each in alphabetical order.
struct Hooks {
    QString front;
    QString back;
    friend bool operator==(const Hooks&, const Hooks&) = default;
};

// The words made of a word's letters and one letter more.
struct PlusOne {
    QChar letter;
    QStringList words; // alphabetical
    friend bool operator==(const PlusOne&, const PlusOne&) = default;
};

class Lexicon {
public:
    Lexicon() = default;
    // Words of capitals A to Z, in any order; a word given twice is one.
    explicit Lexicon(const QList<QByteArray>& words);

    // Takes words one at a time, then indexes them: cheaper than a list when
    // there are hundreds of thousands.
    class Builder {
    public:
        void reserve(qsizetype words, qsizetype letters);
        void add(QByteArrayView word); // capitals A to Z
        Lexicon build() &&;

    private:
        QByteArray m_letters;
        std::vector<quint32> m_starts{0};
    };

    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()) - 1; }
    bool isEmpty() const { return size() == 0; }
    bool contains(QStringView word) const;
    // Every word made of exactly these letters, in alphabetical order.
    QStringList anagrams(QStringView letters) const;
    Hooks hooks(QStringView word) const;
    // For each letter that makes words with the word's letters, those words.
    QList<PlusOne> plusOne(QStringView word) const;
    // Bytes held, for the benchmarks.
    qsizetype memoryUsed() const;

private:
    QByteArrayView word(quint32 index) const;
    bool contains(QByteArrayView word) const;
    void index();

    // The words one after the other in alphabetical order; word i spans
    // m_letters[m_starts[i], m_starts[i + 1]).
    QByteArray m_letters;
    std::vector<quint32> m_starts{0};
    // (hash of the letter counts, word) sorted: the words of one set of letters
    // lie together.
    std::vector<std::pair<quint64, quint32>> m_byLetters;
};

} // namespace tirages::lexicon
