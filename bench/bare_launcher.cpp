// A bare Qt window showing the launcher's controls as the player sees them
// (the same places, texts and fonts), and nothing else: the floor the real
// program's start is measured against (startup.sh).

#include "lists/catalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
    QWidget window;
    window.setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    window.setWindowTitle(QStringLiteral("Bienvenue :o)"));
    window.setFixedSize(350, 263);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(255, 224, 192));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    auto* heading = new QLabel(QStringLiteral("MOTS NOUVEAUX ODS 5"), &window);
    heading->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    heading->setGeometry(64, 16, 192, 20);
    auto* list = new QComboBox(&window);
    list->setEditable(true);
    for (const auto& entry : tirages::lists::catalogue())
        list->addItem(entry.name);
    list->setEditText(QStringLiteral("Sélectionnez votre liste"));
    list->setGeometry(80, 88, 153, 21);
    (new QPushButton(QStringLiteral("LANCER"), &window))->setGeometry(112, 120, 81, 25);
    (new QPushButton(QStringLiteral("Quitter"), &window))->setGeometry(256, 216, 81, 33);
    (new QPushButton(QStringLiteral("Parcourir…"), &window))->setGeometry(237, 88, 81, 21);
    (new QPushButton(QStringLiteral("Lexique…"), &window))->setGeometry(8, 88, 67, 21);
    (new QPlainTextEdit(&window))->hide();
    new QLabel(&window);
    window.show();
    return QApplication::exec();
}
