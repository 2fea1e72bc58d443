#pragma once

// Numbers, dates and counts as a French player reads them.

#include <QLocale>
#include <QString>

namespace tirages::texts {

inline const QLocale& french() {
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

// A count with its noun: « 0 série », « 1 série », « 12 séries »,
// « 1 234 mots restants ».
struct Forms {
    QString one;
    QString many;
};
inline QString counted(qint64 n, const Forms& forms) {
    return french().toString(n) + u' ' + (n < 2 ? forms.one : forms.many);
}

} // namespace tirages::texts
