#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QList>
#include <QRect>
#include <QWidget>

namespace tirages::test {

// The colours of the colour table, as the screens paint them.
inline namespace colours {
inline const QColor kPeach(255, 224, 192);
inline const QColor kLightCyan(128, 255, 255);
inline const QColor kLightOrange(255, 192, 128);
inline const QColor kLightGreen(128, 255, 128);
inline const QColor kLightYellow(255, 255, 128);
inline const QColor kLightRed(255, 128, 128);
inline const QColor kRed(255, 0, 0);
inline const QColor kLightBlue(192, 192, 255);
inline const QColor kLightMagenta(255, 128, 255);
} // namespace colours

// A rectangle given in twips, as the layout tables give it, in pixels at 96 dpi.
inline QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return qRound(t / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}

// The colour a control is filled with: the base of a text box, the face of a
// button, the window colour of any other control.
inline QColor background(const QWidget* widget) {
    QPalette::ColorRole role = QPalette::Window;
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget))
        role = QPalette::Base;
    else if (qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QCheckBox*>(widget))
        role = QPalette::Button;
    return widget->palette().color(QPalette::Active, role);
}

// The controls the Tab key visits from `start`, `count` presses long.
inline QList<QWidget*> tabWalk(QWidget* window, QWidget* start, int count) {
    start->setFocus(Qt::OtherFocusReason);
    QList<QWidget*> visited{window->focusWidget()};
    for (int i = 0; i < count; ++i) {
        QWidget* current = window->focusWidget();
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(current, &tab);
        visited.append(window->focusWidget());
    }
    return visited;
}

} // namespace tirages::test
