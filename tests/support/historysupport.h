#pragma once

// A small made-up history that the statistics tests share: three questions
// over two lists and nine days, on a database the test gives.

#include "progress/store.h"
#include "support/testsupport.h"

#include <QDateTime>

namespace tirages::test {

inline QDateTime at(int day, int hour, int minute = 0) {
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute));
}
inline const QDateTime kNow = at(9, 10); // a Wednesday

inline const lists::Entry kArbre{"ABERR", "ARBRE"};
inline const lists::Entry kTable{"ABELT", "TABLE"};
inline const lists::Entry kCible{"BCEIL", "CIBLE"};

struct Given {
    lists::Entry question;
    bool right;
    qint32 seconds;
};

inline training::SeriesRecord series(const QDateTime& when, qint32 secondsUsed, qint32 wordsLeft,
                                     std::initializer_list<Given> answers) {
    training::SeriesRecord record;
    record.at = when;
    record.secondsUsed = secondsUsed;
    record.wordsLeft = wordsLeft;
    for (const Given& given : answers) {
        // Its line in « 5 lettres »; found once, it leaves (threshold 1).
        const qint32 line = given.question.expected == "ARBRE"   ? 1
                            : given.question.expected == "TABLE" ? 2
                                                                 : 3;
        training::Question question = oneWord(given.question, line, given.right ? 1 : 0);
        question.eliminated = given.right;
        record.questions.append(question);
        record.answers.append({given.question, line,
                               given.right ? given.question.expected : QString(), given.right,
                               given.seconds});
        record.found = static_cast<qint16>(record.found + (given.right ? 1 : 0));
        ++record.shown;
    }
    return record;
}

// « 5 lettres », kept: ARBRE found on the 1st, then TABLE and CIBLE missed
// two minutes before midnight on the 8th; « mes mots », a review, two minutes
// after it.
// True when all of it is kept.
inline bool fillHistory(progress::Store& store) {
    const lists::ListContent lines{kArbre, kTable, kCible};
    training::TrainingSnapshot training{
        {oneWord(kArbre, 1), oneWord(kTable, 2), oneWord(kCible, 3)}, {}, "1", 0, 0};
    const auto fiveLetters = lists::ListId::typed("5 lettres");
    auto base = store.trainings().save(fiveLetters, {training, lines, {}, at(1, 9), {}, true});
    training.entries.removeFirst();
    for (const training::SeriesRecord& s :
         {series(at(1, 10), 120, 2, {{kArbre, true, 3}, {kTable, false, 10}}),
          series(at(8, 23, 58), 180, 2, {{kTable, false, 30}, {kCible, false, 50}})}) {
        ++training.seriesDone;
        training.secondsTrained += 150;
        if (!base)
            return false;
        base = store.trainings().save(fiveLetters, {training, lines, {s}, s.at, *base, false});
    }
    return base && store.trainings().record(
                       lists::ListId::typed("mes mots"),
                       {series(at(9, 0, 1), 60, 0,
                               {{kArbre, true, 4}, {kTable, true, 8}, {kCible, false, 2}})},
                       at(9, 0, 1));
}

} // namespace tirages::test
