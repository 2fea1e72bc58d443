#pragma once

// The small rules of the training screen, free of any state.

#include <QChar>
#include <QString>
#include <QStringView>

namespace tirages::training {

// The character an answer box or the search box takes for a typed one: the
// letters a to z become capitals, anything else passes unchanged.
QChar typedCharacter(QChar typed);

// The numeric value of a text: leading blanks skipped, then the leading decimal
// number, "." as decimal point; 0 when the text does not begin with a number.
double numericValue(QStringView text);

// "m:ss" for the countdown, "h:mm:ss" for the total clock.
QString countdownText(qint32 seconds);
QString totalText(qint32 seconds);

// The time a series took, read back from the countdown text it stopped at.
QString timeUsed(const QString& countdownShown);

// The letters a draw lays on the tiles: the draw without its "+" signs.
QString tileLetters(const QString& draw);

} // namespace tirages::training
