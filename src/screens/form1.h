#pragma once

#include "lists/listfile.h"
#include "training/training.h"

#include <QWidget>
#include <array>
#include <deque>
#include <functional>

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

// The training screen: forwards the player's events to the training, then
// shows what the training says and carries out the effects it asks for. Its
// controls carry the names players and the manual use.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(SeedSource seeds, QWidget* parent = nullptr);
    ~Form1() override;

    // Starts a list that the launcher has read.
    void commencer(const lists::ListContent& entries);
    // Takes up a kept training: its entries, success counts and criterion.
    void resume(const TrainingSnapshot& kept);
    // The busy pointer the launcher sets before it hands a list over.
    void setBusy();

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
    // A series was corrected, on the shown screen or on the hidden one: the list
    // has changed (training().lastSeries() tells how).
    void seriesCorrected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void createSlotsAndTiles();
    void nameForTheManual();
    void connectControls();
    // A click of `button` runs `handler` of the training.
    void forwardClick(QAbstractButton* button, void (Training::*handler)());
    void forwardEdits(QLineEdit* box, void (Training::*handler)(const QString&));
    void orderTabs();
    void load();
    void sommaire();

    // Runs one of the training's handlers, then brings the screen up to date.
    // An event that this raises (the toolkit moving the focus off a control
    // being disabled, or following the program's own move) is handled once the
    // screen is up to date, never in the middle.
    void handle(std::function<void(Training&)> handler);
    void render(const ScreenView& view);
    void renderSlots(const ScreenView& view);
    void renderTiles(const ScreenView& view);
    void renderLabels(const ScreenView& view);
    void renderBoxes(const ScreenView& view);
    void renderFonts(const ScreenView& view);
    void applyPhaseAndEffects(const ScreenView& view, const Effects& effects);
    void apply(const Effect& effect);
    QTimer* timerOf(Clock clock) const;

    Training m_training;
    bool m_updating = false;
    std::deque<std::function<void(Training&)>> m_raisedWhileUpdating;
    std::function<void()> m_beep;
};

} // namespace tirages::screens
