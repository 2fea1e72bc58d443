#include "entry/answerbox.h"

#include "training/rules.h"

#include <QKeyEvent>

namespace tirages::entry {

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key());
    const QString text = event->text();
    if (text.size() == 1 && training::typedCharacter(text[0]) != text[0]) {
        QKeyEvent capital(event->type(), event->key(), event->modifiers(),
                          QString(training::typedCharacter(text[0])), event->isAutoRepeat(),
                          static_cast<quint16>(event->count()));
        QLineEdit::keyPressEvent(&capital);
        event->setAccepted(capital.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tirages::entry
