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

    std::array<QLineEdit*, kSlots> tirage{};          // each slot's draw box
    std::array<entry::AnswerBox*, kSlots> solution{}; // each slot's answer box
    std::array<QGroupBox*, 3> Frame1{};               // the three columns of ten slots
    std::array<entry::TileButton*, kTiles> Command1{}; // the letter tiles
    QPushButton* restart = nullptr;       // "Nouvelle série(F8)"
    QPushButton* corriger = nullptr;      // "Corriger(F12)"
    entry::AnswerBox* recherche = nullptr; // the search box
    QPushButton* valider = nullptr;       // "Valider": the search box into the answer box
    QPushButton* Command2 = nullptr;      // the thin strip Enter clicks: the next answer box
    QPushButton* Command5 = nullptr;      // "Pause" / "Reprendre"
    QPushButton* Command3 = nullptr;      // "Changer de police"
    QLabel* police = nullptr;             // the number of the next font
    QPushButton* Command4 = nullptr;      // "Changer critère"
    QLabel* Label5 = nullptr;             // the criterion, before its threshold
    QLineEdit* seuiltxt = nullptr;        // the threshold of the criterion
    QLabel* Label6 = nullptr;             // the threshold's unit: "réussites." or "secondes."
    QLabel* Label4 = nullptr;             // "Mots restants :"
    QLineEdit* motsleft = nullptr;        // the count of words left
    QLabel* nbseries = nullptr;           // the series done in this sitting
    QLabel* voyant = nullptr;             // the judging light: "OK" or "NO"
    QLabel* score = nullptr;              // found/shown of the last series
    QLabel* tps = nullptr;                // the time the last series used
    QLabel* Label3 = nullptr;             // "TEMPS"
    QCheckBox* Check1 = nullptr;          // shows or hides the clocks
    QLabel* Label1 = nullptr;             // "Série", the countdown's caption
    QLineEdit* temps = nullptr;           // the series countdown
    QLabel* Label2 = nullptr;             // "Total", the total clock's caption
    QLineEdit* tempstot = nullptr;        // the total time
    QPushButton* quitter = nullptr;       // "Sommaire": back to the launcher
    QTimer* Timer1 = nullptr;             // ticks the countdown
    QTimer* Timer2 = nullptr;             // ticks the total time
    QTimer* Timer3 = nullptr;             // ticks the word stopwatch

signals:
    // A list started, or a kept training taken up, as it stands.
    void listStarted(const TrainingSnapshot& training);
    // A series was corrected, on the shown screen or on the hidden one: the
    // training as the correction left it, and the series as it is recorded.
    void seriesCorrected(const TrainingSnapshot& training, const SeriesRecord& series);
    // "Sommaire", or the window closed: the screen is hidden and the launcher
    // takes over. The training as it was left.
    void backToLauncher(const TrainingSnapshot& training);

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
