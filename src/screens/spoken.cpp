#include "screens/spoken.h"

#include "texts.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tirages::screens {
namespace {

// The alert: its name is the message itself.
class AlertAccessible : public QAccessibleWidget {
public:
    explicit AlertAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

// Read as « name : what it shows ». It has no text interface, so the text
// changes of a clock box are not passed on to the screen reader.
class QuietAccessible : public QAccessibleWidget {
public:
    explicit QuietAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        const QWidget* shown = widget();
        const QString text = qobject_cast<const QLineEdit*>(shown)
                                 ? static_cast<const QLineEdit*>(shown)->text()
                                 : static_cast<const QLabel*>(shown)->text();
        if (t == QAccessible::Name)
            return text.isEmpty() ? shown->accessibleName()
                                  : texts::spoken::labelled(shown->accessibleName(), text);
        if (t == QAccessible::Value)
            return text;
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* spokenFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String(AlertLabel::staticMetaObject.className()))
        return new AlertAccessible(widget);
    if (className == QLatin1String(QuietLabel::staticMetaObject.className()) ||
        className == QLatin1String(QuietLineEdit::staticMetaObject.className()))
        return new QuietAccessible(widget);
    return nullptr;
}

} // namespace

void installSpokenControls() {
    static const bool installed = [] {
        QAccessible::installFactory(spokenFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

AlertLabel::AlertLabel(QWidget* parent) : QLabel(parent) {
    hide();
}

void AlertLabel::say(const QString& text) {
    if (text == this->text() && isHidden() == text.isEmpty())
        return;
    setText(text); // announced as a change of its name
    setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void setSpokenName(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

void setSpokenDescription(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace tirages::screens
