#pragma once

#include "training/colour.h"

#include <QColor>

namespace tirages::screens {

// The RGB value of each colour the screens use.
QColor rgb(training::Colour colour);

} // namespace tirages::screens

class QWidget;

namespace tirages::screens {

// Sets the background of a control: the base of a text box, the face of a
// button, the fill of any other control.
void setBackground(QWidget* widget, const QColor& colour);

} // namespace tirages::screens
