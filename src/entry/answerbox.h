#pragma once

#include <QLineEdit>

namespace tirages::entry {

// A single-line box in which the letters a to z are typed as capitals; any
// other character, and pasted text, goes in unchanged. Every key is announced
// before the box handles it.
class AnswerBox : public QLineEdit {
    Q_OBJECT

public:
    explicit AnswerBox(QWidget* parent = nullptr);

signals:
    void keyDown(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tirages::entry
