#pragma once

// What both windows share: their set-up, their font and their timers.

#include <QFont>
#include <QString>

class QObject;
class QTimer;
class QWidget;

namespace tirages::screens {

// The font every control starts with, at the given size.
QFont screenFont(int points = 8);

// A window of the program: its caption, the screens' font and the light peach
// background.
void setUpWindow(QWidget* window, const QString& title);

// A timer that ticks once a second once started.
QTimer* secondTimer(QObject* parent);

} // namespace tirages::screens
