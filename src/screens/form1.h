#pragma once

#include "lists/listfile.h"
#include "training/training.h"

#include <QWidget>
#include <array>
#include <deque>
#include <functional>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tirages::entry {
class AnswerBox;
class TileButton;
} // namespace tirages::entry

namespace tirages::screens {

// The training screen: shows the training's state and forwards the player's
// events to it. Its controls carry the names players and the manual use.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // dataDirs: folders where the catalogue's lists are looked for when they are
    // not found relative to the working directory.
    Form1(SeedSource seeds, QStringList dataDirs, QWidget* parent = nullptr);
    ~Form1() override;

    // Reads the list that fichier names and starts it. On failure nothing
    // changes and the reason is returned.
    std::optional<lists::ListError> commencer(const QString& fichier);

    // The busy pointer the launcher sets before it starts a list.
    void setBusy(bool busy);

    const Training& training() const { return m_training; }

    // The system beep; tests replace it to count the beeps.
    void setBeep(std::function<void()> beep);

    // One tick of each timer: the countdown, the total clock, the word stopwatch.
    void timer1Tick();
    void timer2Tick();
    void timer3Tick();

    std::array<QLineEdit*, kSlots> tirage{};
    std::array<entry::AnswerBox*, kSlots> solution{};
    std::array<QGroupBox*, 3> Frame1{};
    std::array<entry::TileButton*, kTiles> Command1{};
    QPushButton* restart = nullptr;
    QPushButton* corriger = nullptr;
    entry::AnswerBox* recherche = nullptr;
    QPushButton* valider = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* police = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* seuiltxt = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* motsleft = nullptr;
    QLabel* nbseries = nullptr;
    QLabel* voyant = nullptr;
    QLabel* score = nullptr;
    QLabel* tps = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* temps = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* tempstot = nullptr;
    QPushButton* quitter = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;

signals:
    // "Sommaire", or the window closed: the screen is hidden and the launcher
    // takes over.
    void backToLauncher();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void connectControls();
    // A click of `button` runs `handler` of the training.
    void forwardClick(QAbstractButton* button, void (Training::*handler)());
    void nameForScreenReaders();
    // Runs one of the training's handlers, then shows what it changed. An event
    // that the showing itself raises (the toolkit moving the focus off a control
    // being disabled) is handled once the screen is up to date, never inside.
    void handle(std::function<void(Training&)> handler);
    void orderTabs();
    void load();
    void render();
    void renderPhaseAndFocus(const ScreenState& view);
    void renderTimer(QTimer* timer, const TimerView& view, quint64& starts);
    void renderFonts(const ScreenState& view);
    void sommaire();

    Training m_training;
    QStringList m_dataDirs;
    bool m_movingFocus = false; // the program is moving the focus itself
    bool m_rendering = false;
    std::deque<std::function<void(Training&)>> m_raisedWhileRendering;
    quint64 m_focusMovesShown = 0; // focus moves of the training already carried out
    std::array<quint64, 3> m_timerStarts{};
    quint64 m_beepsSounded = 0;
    std::function<void()> m_beep;
};

} // namespace tirages::screens
