#include "screens/window.h"

#include "screens/colours.h"
#include "screens/spoken.h"

#include <QPalette>
#include <QTimer>
#include <QWidget>

namespace tirages::screens {
namespace {

constexpr int kTickInterval = 1000; // ms
const QString kScreenFontFamily = QStringLiteral("MS Sans Serif");

} // namespace

QFont screenFont(int points) {
    return QFont(kScreenFontFamily, points);
}

void setUpWindow(QWidget* window, const QString& title) {
    installSpokenControls(); // before the window's controls are made
    window->setWindowTitle(title);
    window->setFont(screenFont());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, rgb(training::Colour::Peach));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void nameControls(std::initializer_list<std::pair<QObject*, const char*>> names) {
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));
}

QTimer* secondTimer(QObject* parent) {
    auto* timer = new QTimer(parent);
    timer->setInterval(kTickInterval);
    return timer;
}

} // namespace tirages::screens
