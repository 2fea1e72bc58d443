#include "training/rules.h"

namespace tirages::training {
namespace {

QString twoDigits(qint32 value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QChar typedCharacter(QChar typed) {
    const char16_t code = typed.unicode();
    if (code >= u'a' && code <= u'z')
        return QChar(static_cast<char16_t>(code - 32));
    return typed;
}

double numericValue(QStringView text) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    double sign = 1;
    if (i < size && (text[i] == u'-' || text[i] == u'+')) {
        sign = text[i] == u'-' ? -1 : 1;
        ++i;
    }
    double value = 0;
    while (i < size && text[i].isDigit() && text[i].unicode() < 128) {
        value = value * 10 + (text[i].unicode() - u'0');
        ++i;
    }
    if (i < size && text[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < size && text[i].isDigit() && text[i].unicode() < 128) {
            value += scale * (text[i].unicode() - u'0');
            scale /= 10;
            ++i;
        }
    }
    return sign * value;
}

QString countdownText(qint32 seconds) {
    const qint32 minutes = seconds / 60;
    return QString::number(minutes) + u':' + twoDigits(seconds - 60 * minutes);
}

QString totalText(qint32 seconds) {
    const qint32 hours = seconds / 3600;
    const qint32 minutes = (seconds - 3600 * hours) / 60;
    return QString::number(hours) + u':' + twoDigits(minutes) + u':' +
           twoDigits(seconds - 60 * (seconds / 60));
}

QString timeUsed(const QString& countdownShown) {
    const auto m = static_cast<qint32>(numericValue(QStringView(countdownShown).left(1)));
    const auto s = static_cast<qint32>(numericValue(QStringView(countdownShown).right(2)));
    if (m == 0 && s == 0)
        return QStringLiteral("4:00");
    if (s != 0)
        return QString::number(3 - m) + u':' + twoDigits(60 - s);
    return QString::number(4 - m) + QStringLiteral(":00");
}

QString tileLetters(const QString& draw) {
    QString letters = draw;
    letters.remove(u'+');
    return letters;
}

} // namespace tirages::training
