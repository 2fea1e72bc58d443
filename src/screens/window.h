#pragma once

// What both windows share: their set-up, their font and their timers.

#include <QFont>
#include <QString>
#include <initializer_list>
#include <utility>

class QObject;
class QTimer;
class QWidget;

namespace tirages::screens {

// The font every control starts with, at the given size.
QFont screenFont(int points = 8);

// A window of the program: its caption, the screens' font and the light peach
// background; what a screen reader reads of its controls is set up too.
void setUpWindow(QWidget* window, const QString& title);

// Gives each control the name the manual uses for it, as its object name.
void nameControls(std::initializer_list<std::pair<QObject*, const char*>> names);

// A timer that ticks once a second once started.
QTimer* secondTimer(QObject* parent);

} // namespace tirages::screens
