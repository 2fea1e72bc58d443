#include "lexicon/wordsheet.h"

#include "texts.h"

namespace tirages::lexicon {
namespace {

namespace say = texts::lexicon;

QString spaced(const QString& letters) {
    QStringList each;
    for (QChar letter : letters)
        each << QString(letter);
    return each.join(u' ');
}

QString between(const QString& word, const Hooks& hooks) {
    QStringList parts;
    if (!hooks.front.isEmpty())
        parts << spaced(hooks.front);
    parts << word;
    if (!hooks.back.isEmpty())
        parts << spaced(hooks.back);
    return parts.join(u' ');
}

QString spokenHooks(const QString& word, const Hooks& hooks) {
    const auto orNone = [](const QString& letters) {
        return letters.isEmpty() ? say::spokenNone : spaced(letters);
    };
    return say::spokenHooks.arg(word, orNone(hooks.front), orNone(hooks.back));
}

} // namespace

WordSheet wordSheet(const Lexicon& lexicon, const QStringList& answers, const QStringList& typed) {
    WordSheet sheet;
    if (answers.isEmpty() || lexicon.isEmpty())
        return sheet;
    QStringList spoken;
    for (const QString& answer : answers) {
        const Hooks hooks = lexicon.hooks(answer);
        sheet.lines << between(answer, hooks);
        spoken << spokenHooks(answer, hooks);
    }
    QStringList longer;
    for (const PlusOne& plus : lexicon.plusOne(answers.front()))
        longer << say::plusOne.arg(plus.letter).arg(plus.words.join(QStringLiteral(", ")));
    sheet.lines << (longer.isEmpty() ? say::noPlusOne : longer.join(say::plusOneSeparator));
    spoken << sheet.lines.back();
    const qsizetype known = sheet.lines.size();
    QStringList unknown;
    for (const QString& word : typed) {
        if (!word.isEmpty() && !unknown.contains(word) && !lexicon.contains(word))
            unknown << word;
    }
    for (const QString& word : unknown)
        sheet.lines << say::unknown.arg(word);
    spoken << sheet.lines.mid(known);
    sheet.spoken = spoken.join(QStringLiteral(". "));
    return sheet;
}

} // namespace tirages::lexicon
