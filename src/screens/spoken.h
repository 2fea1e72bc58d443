#pragma once

// What a screen reader reads of the controls that a plain Qt control would
// leave unsaid: a message to the player, and the clocks that change every
// second.

#include <QLabel>
#include <QLineEdit>

namespace tirages::screens {

// A message to the player: read as an alert, by its text. It shows only while
// it holds a text, so that its appearance is announced.
class AlertLabel : public QLabel {
    Q_OBJECT
public:
    explicit AlertLabel(QWidget* parent);
    // Shows the text, or hides the label for an empty one.
    void say(const QString& text);
};

// A label read by its name and what it shows, whenever a screen reader asks,
// without an announcement at each change: the farewell countdown, the line of
// a kept training.
class QuietLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// A clock box: read like a QuietLabel, so that its ticks stay silent.
class QuietLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
};

// Lets a screen reader read the controls above as described. Called by
// setUpWindow, before a window's controls are made.
void installSpokenControls();

// Sets a control's accessible name or description only when it changes: each
// change is announced.
void setSpokenName(QWidget* widget, const QString& name);
void setSpokenDescription(QWidget* widget, const QString& description);

} // namespace tirages::screens
