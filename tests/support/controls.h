#pragma once

// The controls of the two windows, found as players' tools and screen readers
// find them: by their object names. `ui(window).corriger` reads like the
// manual.

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/launcher.h"
#include "screens/spoken.h"
#include "screens/trainingscreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <memory>

namespace tirages::test {

// The child of `window` named `name`; the test stops when there is none.
template <typename Control> Control* named(const QObject* window, const QString& name) {
    auto* control = window->findChild<Control*>(name, Qt::FindDirectChildrenOnly);
    if (!control)
        qFatal("no control named %s", qPrintable(name));
    return control;
}

template <typename Control, std::size_t count>
std::array<Control*, count> numbered(const QObject* window, const char* name) {
    std::array<Control*, count> controls{};
    for (std::size_t i = 0; i < count; ++i)
        controls[i] =
            named<Control>(window, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    return controls;
}

// The training screen's controls.
struct TrainingControls {
    const QObject* window;
    std::array<QLineEdit*, training::kSlots> tirage =
        numbered<QLineEdit, training::kSlots>(window, "tirage");
    std::array<entry::AnswerBox*, training::kSlots> solution =
        numbered<entry::AnswerBox, training::kSlots>(window, "solution");
    std::array<QGroupBox*, 3> Frame1 = numbered<QGroupBox, 3>(window, "Frame1");
    std::array<entry::TileButton*, training::kTiles> Command1 =
        numbered<entry::TileButton, training::kTiles>(window, "Command1");
    QPushButton* restart = named<QPushButton>(window, QStringLiteral("restart"));
    QPushButton* corriger = named<QPushButton>(window, QStringLiteral("corriger"));
    entry::AnswerBox* recherche = named<entry::AnswerBox>(window, QStringLiteral("recherche"));
    QPushButton* valider = named<QPushButton>(window, QStringLiteral("valider"));
    QPushButton* Command2 = named<QPushButton>(window, QStringLiteral("Command2"));
    QPushButton* Command5 = named<QPushButton>(window, QStringLiteral("Command5"));
    QPushButton* Command3 = named<QPushButton>(window, QStringLiteral("Command3"));
    QLabel* police = named<QLabel>(window, QStringLiteral("police"));
    QPushButton* Command4 = named<QPushButton>(window, QStringLiteral("Command4"));
    QLabel* Label5 = named<QLabel>(window, QStringLiteral("Label5"));
    QLineEdit* seuiltxt = named<QLineEdit>(window, QStringLiteral("seuiltxt"));
    QLabel* Label6 = named<QLabel>(window, QStringLiteral("Label6"));
    QLabel* Label4 = named<QLabel>(window, QStringLiteral("Label4"));
    QLineEdit* motsleft = named<QLineEdit>(window, QStringLiteral("motsleft"));
    QLabel* nbseries = named<QLabel>(window, QStringLiteral("nbseries"));
    QLabel* voyant = named<QLabel>(window, QStringLiteral("voyant"));
    QLabel* score = named<QLabel>(window, QStringLiteral("score"));
    QLabel* motsreponse = named<QLabel>(window, QStringLiteral("motsreponse"));
    QPlainTextEdit* fiche = named<QPlainTextEdit>(window, QStringLiteral("fiche"));
    QLabel* tps = named<QLabel>(window, QStringLiteral("tps"));
    QLabel* Label3 = named<QLabel>(window, QStringLiteral("Label3"));
    QCheckBox* Check1 = named<QCheckBox>(window, QStringLiteral("Check1"));
    QLabel* Label1 = named<QLabel>(window, QStringLiteral("Label1"));
    QLineEdit* temps = named<QLineEdit>(window, QStringLiteral("temps"));
    QLabel* Label2 = named<QLabel>(window, QStringLiteral("Label2"));
    QLineEdit* tempstot = named<QLineEdit>(window, QStringLiteral("tempstot"));
    QPushButton* quitter = named<QPushButton>(window, QStringLiteral("quitter"));
    QTimer* Timer1 = named<QTimer>(window, QStringLiteral("Timer1"));
    QTimer* Timer2 = named<QTimer>(window, QStringLiteral("Timer2"));
    QTimer* Timer3 = named<QTimer>(window, QStringLiteral("Timer3"));
};

// The launcher's controls.
struct LauncherControls {
    const QObject* window;
    QLabel* Label1 = named<QLabel>(window, QStringLiteral("Label1"));
    QComboBox* fichier = named<QComboBox>(window, QStringLiteral("fichier"));
    QPushButton* Command1 = named<QPushButton>(window, QStringLiteral("Command1"));
    QPushButton* quitter = named<QPushButton>(window, QStringLiteral("quitter"));
    QPlainTextEdit* Text1 = named<QPlainTextEdit>(window, QStringLiteral("Text1"));
    QLabel* Label2 = named<QLabel>(window, QStringLiteral("Label2"));
    QTimer* Timer1 = named<QTimer>(window, QStringLiteral("Timer1"));
    screens::AlertLabel* message = named<screens::AlertLabel>(window, QStringLiteral("message"));
    QLabel* progress = named<QLabel>(window, QStringLiteral("progress"));
    QPushButton* continuer = named<QPushButton>(window, QStringLiteral("continuer"));
    QPushButton* parcourir = named<QPushButton>(window, QStringLiteral("parcourir"));
    QPushButton* lexique = named<QPushButton>(window, QStringLiteral("lexique"));
    QLabel* lexiqueLigne = named<QLabel>(window, QStringLiteral("lexiqueLigne"));
    QLabel* reviewLine = named<QLabel>(window, QStringLiteral("reviewLine"));
    QPushButton* reviser = named<QPushButton>(window, QStringLiteral("reviser"));
    QPushButton* statistiques = named<QPushButton>(window, QStringLiteral("statistiques"));
    QPushButton* sauvegarde = named<QPushButton>(window, QStringLiteral("sauvegarde"));
};

inline TrainingControls ui(const screens::TrainingScreen* window) {
    return {window};
}
inline TrainingControls ui(const screens::TrainingScreen& window) {
    return {&window};
}
inline TrainingControls ui(const std::unique_ptr<screens::TrainingScreen>& window) {
    return {window.get()};
}
inline LauncherControls ui(const screens::Launcher* window) {
    return {window};
}
inline LauncherControls ui(const screens::Launcher& window) {
    return {&window};
}
template <typename L, typename = std::enable_if_t<std::is_base_of_v<screens::Launcher, L>>>
LauncherControls ui(const std::unique_ptr<L>& window) {
    return {window.get()};
}

} // namespace tirages::test
