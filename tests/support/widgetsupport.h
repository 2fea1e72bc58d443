#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QList>
#include <QRect>
#include <QWidget>

namespace tirages::test {

// A rectangle given in twips, as the layout tables give it, in pixels at 96 dpi.
inline QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return qRound(t / 15.0); };
    return {px(left), px(top), px(width), px(height)};
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
