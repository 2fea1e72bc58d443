#include "entry/tilebutton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tirages::entry {

TileButton::TileButton(QWidget* parent) : QPushButton(parent) {}

void TileButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    const QColor face = palette().color(QPalette::Button);
    painter.fillRect(rect(), face);

    // A raised bevel, sunk while the tile is pressed.
    const QColor light = isDown() ? face.darker(160) : face.lighter(130);
    const QColor dark = isDown() ? face.lighter(130) : face.darker(160);
    painter.setPen(light);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());

    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        option.backgroundColor = face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

} // namespace tirages::entry
