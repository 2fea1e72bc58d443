#include "lists/plainwords.h"

#include "texts.h"

#include <QCryptographicHash>
#include <QHash>
#include <algorithm>

namespace tirages::lists {

namespace {

constexpr qsizetype kRack = 7;    // letters of a rack; the others are on the board
constexpr int kReportedWords = 3; // words the launcher names; the others are counted
constexpr qsizetype kQuotedLength = 40;

// Divides a big-endian unsigned number by a small divisor in place, giving
// the remainder.
int divideInPlace(QByteArray& number, int divisor) {
    int remainder = 0;
    for (char& byte : number) {
        const int current = remainder * 256 + static_cast<unsigned char>(byte);
        byte = static_cast<char>(current / divisor);
        remainder = current % divisor;
    }
    return remainder;
}

QString quoted(const QString& text) {
    return text.size() <= kQuotedLength ? text : text.first(kQuotedLength - 1) + u'…';
}

QString described(const LeftOutWord& word) {
    namespace say = texts::listMessages;
    const QString text = quoted(word.text);
    switch (word.reason) {
    case LeftOutWord::Reason::NotAWord:
        return say::notAWord.arg(word.line).arg(text).arg(kShortestWord).arg(kLongestWord);
    case LeftOutWord::Reason::Duplicate:
        return say::duplicate.arg(word.line).arg(text).arg(word.earlierLine);
    }
    return {};
}

} // namespace

QString scrabbleSpelling(QStringView text) {
    QString word = text.trimmed().toString().toLower();
    word.replace(u'œ', QLatin1String("oe")).replace(u'æ', QLatin1String("ae"));
    word = word.normalized(QString::NormalizationForm_D);
    word.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    word = word.toUpper();
    const bool letters =
        std::all_of(word.cbegin(), word.cend(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    return letters ? word : QString();
}

QString drawOf(const QString& word) {
    QString letters = word;
    std::sort(letters.begin(), letters.end());
    if (letters.size() <= kRack)
        return letters;
    // The hash read as one big number, taken apart one pick at a time.
    QByteArray seed =
        QCryptographicHash::hash(("board:" + word).toUtf8(), QCryptographicHash::Sha256);
    QString board;
    while (letters.size() > kRack) {
        const int pick = divideInPlace(seed, static_cast<int>(letters.size()));
        board += letters[pick];
        letters.remove(pick, 1);
    }
    std::sort(board.begin(), board.end());
    return letters + u'+' + board;
}

TrainedWords trainedWords(const QList<WordLine>& lines) {
    struct Kept {
        QString text;
        qsizetype line;
    };
    TrainedWords trained;
    QHash<QString, Kept> byWord;      // each word kept, as its first line has it
    QHash<QString, QString> byLetters; // sorted letters -> the draw of the first word
    for (const WordLine& line : lines) {
        const QString text = line.text.trimmed();
        if (text.isEmpty())
            continue;
        const QString word = scrabbleSpelling(text);
        if (word.size() < kShortestWord || word.size() > kLongestWord) {
            trained.leftOut.append({line.line, text, LeftOutWord::Reason::NotAWord, {}, 0});
            continue;
        }
        if (const auto earlier = byWord.constFind(word); earlier != byWord.cend()) {
            trained.leftOut.append(
                {line.line, text, LeftOutWord::Reason::Duplicate, earlier->text, earlier->line});
            continue;
        }
        byWord.insert(word, {text, line.line});
        QString letters = word;
        std::sort(letters.begin(), letters.end());
        QString& draw = byLetters[letters];
        if (draw.isEmpty())
            draw = drawOf(word);
        trained.entries.append({draw, word});
    }
    return trained;
}

QString leftOutReport(const QList<LeftOutWord>& leftOut) {
    namespace say = texts::listMessages;
    QStringList named;
    for (const LeftOutWord& word :
         leftOut.first(std::min<qsizetype>(leftOut.size(), kReportedWords)))
        named << described(word);
    if (leftOut.size() > kReportedWords)
        named << say::andOthers.arg(texts::counted(leftOut.size() - kReportedWords, texts::others));
    return say::leftOutIntro.arg(texts::counted(leftOut.size(), texts::wordsLeftOut),
                                 named.join(QStringLiteral(" ; ")));
}

} // namespace tirages::lists
