#include "screens/colours.h"

#include <QApplication>
#include <QPalette>

namespace tirages::screens {

using namespace training;

QColor rgb(Colour colour) {
    switch (colour) {
    case Colour::SystemWindow:
        return QApplication::palette().color(QPalette::Active, QPalette::Base);
    case Colour::Peach:
        return {255, 224, 192};
    case Colour::LightCyan:
        return {128, 255, 255};
    case Colour::LightOrange:
        return {255, 192, 128};
    case Colour::LightGreen:
        return {128, 255, 128};
    case Colour::LightYellow:
        return {255, 255, 128};
    case Colour::LightRed:
        return {255, 128, 128};
    case Colour::Red:
        return {255, 0, 0};
    case Colour::LightBlue:
        return {192, 192, 255};
    case Colour::LightMagenta:
        return {255, 128, 255};
    case Colour::DarkRed:
        return {160, 0, 0};
    }
    return {};
}

} // namespace tirages::screens

#include "entry/tilebutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tirages::screens {
namespace {

QPalette::ColorRole backgroundRole(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget))
        return QPalette::Base;
    if (qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QCheckBox*>(widget))
        return QPalette::Button;
    return QPalette::Window;
}

} // namespace

void setBackground(QWidget* widget, const QColor& colour) {
    const QPalette::ColorRole role = backgroundRole(widget);
    if (widget->palette().color(QPalette::Active, role) == colour &&
        widget->palette().isBrushSet(QPalette::Active, role))
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

} // namespace tirages::screens
