#pragma once

#include <QPushButton>

namespace tirages::entry {

// A letter tile: a button that shows one character on the colour of its
// palette's Button role, whatever the widget style draws for ordinary buttons.
class TileButton : public QPushButton {
    Q_OBJECT

public:
    explicit TileButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tirages::entry
