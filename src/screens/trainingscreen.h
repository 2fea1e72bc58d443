#pragma once

#include "lexicon/wordsheet.h"
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
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tirages::entry {
class AnswerBox;
class TileButton;
} // namespace tirages::entry

namespace tirages::screens {

// The training screen: forwards the player's events to the training, then
// shows what the training says and carries out the effects it asks for. Its
// controls carry the names players and the manual use as their object names,
// which is how tests and screen readers find them.
class TrainingScreen : public QWidget {
    Q_OBJECT

public:
    explicit TrainingScreen(training::SeedSource seeds, QWidget* parent = nullptr);
    ~TrainingScreen() override;

    // Starts a list that the launcher has read.
    void start(const lists::ListContent& entries);
    // Takes up a kept training: its entries, success counts and criterion.
    void resume(const training::TrainingSnapshot& kept);
    // The busy pointer the launcher sets before it hands a list over.
    void setBusy();

    const training::Training& training() const { return m_training; }

    // The system beep; tests replace it to count the beeps.
    void setBeep(std::function<void()> beep);

    // What the lexicon says of a draw's answers and of the words typed, shown
    // under the tiles once the series is corrected; without, nothing is.
    using WordSheetMaker =
        std::function<lexicon::WordSheet(const QStringList& answers, const QStringList& typed)>;
    void setWordSheetMaker(WordSheetMaker maker) { m_makeWordSheet = std::move(maker); }

    // One tick of each timer: the countdown, the total clock, the word stopwatch.
    void countdownTick();
    void totalTick();
    void stopwatchTick();

signals:
    // A list started, or a kept training taken up, as it stands.
    void listStarted(const training::TrainingSnapshot& training);
    // A series was corrected, on the shown screen or on the hidden one: the
    // training as the correction left it, and the series as it is recorded.
    void seriesCorrected(const training::TrainingSnapshot& training,
                         const training::SeriesRecord& series);
    // "Sommaire", or the window closed: the screen is hidden and the launcher
    // takes over. The training as it was left.
    void backToLauncher(const training::TrainingSnapshot& training);

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
    void forwardClick(QAbstractButton* button, void (training::Training::*handler)());
    void forwardEdits(QLineEdit* box, void (training::Training::*handler)(const QString&));
    void orderTabs();
    void load();
    void leave();

    // Runs one of the training's handlers, then brings the screen up to date.
    // An event that this raises (the toolkit moving the focus off a control
    // being disabled, or following the program's own move) is handled once the
    // screen is up to date, never in the middle.
    void handle(std::function<void(training::Training&)> handler);
    void render(const training::ScreenView& view);
    void renderSlots(const training::ScreenView& view);
    void renderTiles(const training::ScreenView& view);
    void renderLabels(const training::ScreenView& view);
    void renderBoxes(const training::ScreenView& view);
    void renderFonts(const training::ScreenView& view);
    void renderWordSheet(const training::ScreenView& view);
    void applyPhaseAndEffects(const training::ScreenView& view, const training::Effects& effects);
    void apply(const training::Effect& effect);
    QTimer* timerOf(training::Timer timer) const;

    training::Training m_training;
    bool m_updating = false;
    std::deque<std::function<void(training::Training&)>> m_raisedWhileUpdating;
    std::function<void()> m_beep;
    WordSheetMaker m_makeWordSheet;
    std::pair<QStringList, QStringList> m_sheetOf; // the answers and words typed it shows

    std::array<QLineEdit*, training::kSlots> m_draws{};          // each slot's draw box
    std::array<entry::AnswerBox*, training::kSlots> m_answers{}; // each slot's answer box
    std::array<QGroupBox*, 3> m_columns{};                       // the three columns of ten slots
    std::array<entry::TileButton*, training::kTiles> m_tiles{};  // the letter tiles
    QPushButton* m_newSeries = nullptr;                          // "Nouvelle série(F8)"
    QPushButton* m_correct = nullptr;                            // "Corriger(F12)"
    entry::AnswerBox* m_search = nullptr;                        // the search box
    QPushButton* m_validate = nullptr;        // "Valider": the search box into the answer box
    QPushButton* m_nextBox = nullptr;         // the thin strip Enter clicks: the next answer box
    QPushButton* m_pause = nullptr;           // "Pause" / "Reprendre"
    QPushButton* m_changeFont = nullptr;      // "Changer de police"
    QLabel* m_fontNumber = nullptr;           // the number of the next font
    QPushButton* m_changeCriterion = nullptr; // "Changer critère"
    QLabel* m_criterionCaption = nullptr;     // the criterion, before its threshold
    QLineEdit* m_threshold = nullptr;         // the threshold of the criterion
    QLabel* m_thresholdUnit = nullptr;        // the threshold's unit: "réussites." or "secondes."
    QLabel* m_wordsLeftCaption = nullptr;     // "Mots restants :"
    QLineEdit* m_wordsLeft = nullptr;         // the count of words left
    QLabel* m_seriesDone = nullptr;           // the series done in this sitting
    QLabel* m_judgement = nullptr;            // the judging light: "OK" or "NO"
    QLabel* m_score = nullptr;                // found/shown of the last series
    QLabel* m_wordsLine = nullptr; // the answer of a question of several words, under the tiles
    QPlainTextEdit* m_wordSheet = nullptr; // once corrected, the lexicon on the current box's words
    QLabel* m_timeUsed = nullptr;             // the time the last series used
    QLabel* m_timeHeading = nullptr;          // "TEMPS"
    QCheckBox* m_showClocks = nullptr;        // shows or hides the clocks
    QLabel* m_countdownCaption = nullptr;     // "Série", the countdown's caption
    QLineEdit* m_countdown = nullptr;         // the series countdown
    QLabel* m_totalCaption = nullptr;         // "Total", the total clock's caption
    QLineEdit* m_total = nullptr;             // the total time
    QPushButton* m_backToLauncher = nullptr;  // "Sommaire": back to the launcher
    QTimer* m_countdownTimer = nullptr;       // ticks the countdown
    QTimer* m_totalTimer = nullptr;           // ticks the total time
    QTimer* m_stopwatchTimer = nullptr;       // ticks the word stopwatch
};

} // namespace tirages::screens
