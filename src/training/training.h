#pragma once

#include "lists/listfile.h"
#include "training/effects.h"
#include "training/screenview.h"
#include "training/seriesrandom.h"
#include "training/snapshot.h"
#include "training/state.h"

namespace tirages::training {

// Keys the training reacts to; the screens map the toolkit's key codes here.
enum class Key { Down, Up, F8, F12, Other };

// The training behind the training screen. The screen forwards the player's
// events here, shows screen() and carries out takeEffects(); nothing here
// touches a widget, a clock or a file. Clocks arrive as ticks, randomness as
// seeds.
class Training {
public:
    explicit Training(SeedSource seeds);

    const TrainingState& state() const { return m_state; }
    // What the screen shows now.
    ScreenView screen() const { return screenView(m_state); }
    // What the handlers since the last call ask of the screen, in order.
    Effects takeEffects();

    // --- Starting a list and a series

    // The busy pointer the launcher sets before it hands a list over.
    void setBusy();
    // Starts a list already read from its file: every success count at 0,
    // then a new series.
    void start(const lists::ListContent& entries);
    // The training as it can be kept, and a kept training taken up again: its
    // entries, success counts and criterion, then a new series.
    TrainingSnapshot snapshot() const;
    void resume(const TrainingSnapshot& snapshot);
    // The last corrected series, as it is recorded.
    const SeriesRecord& lastSeries() const { return m_lastSeries; }
    // "Nouvelle série(F8)" clicked, or a key pressed while it has the focus.
    void newSeries();
    void keyOnNewSeries(Key key);

    // --- Answer entry

    // The player moved the focus: into an answer box, or onto any other control.
    void answerFocused(int slot);
    void otherControlFocused();
    // The player changed the text of an answer box (typing, pasting, deleting).
    void answerEdited(int slot, const QString& text);
    void answerKeyDown(int slot, Key key);
    // Enter in a text box: the default button's click.
    void enterPressed();
    // The focus to the next answer box, from the last to the first.
    void nextBox();
    void tileClicked(int k);

    // --- Search box

    // A mouse click into the search box.
    void searchBoxClicked();
    void searchEdited(const QString& text);
    // "Valider": the search box's text into the current answer box, then on.
    void validate();

    // --- Criterion, correction, clocks

    void switchCriterion();
    void thresholdEdited(const QString& text);
    // "Corriger(F12)".
    void correct();
    // The player typed into a clock box: it shows that text until the next tick.
    void countdownEdited(const QString& text);
    void totalEdited(const QString& text);
    void countdownTick();
    void totalTick();
    void stopwatchTick();

    // --- Pause, display, return to the launcher

    void togglePause();
    // One step of the font cycle of the slot boxes.
    void cycleFont();
    void showClocks(bool shown);
    // "Sommaire": the counters of a training go back to zero. The screen then
    // hides itself and shows the launcher.
    void backToLauncher();

private:
    void load(QList<Question> entries);
    void startSeries();
    void drawSlots();
    void correction();
    void judgeAllShown(bool seconds);
    void recordSeries(const std::array<QString, kSlots>& typed, int shown);
    void compaction();
    void layTiles(const QString& draw);

    void moveFocusTo(int slot, bool judgeLeftBox = true);
    void answerGotFocus(int slot);
    void answerLostFocus(int slot, bool judge);
    void judge(int slot);
    void setAnswerText(int slot, const QString& text);
    void markCurrentSlotWorkedOn();
    int shownCount() const;
    void startTimer(Timer timer);
    void stopTimer(Timer timer);

    SeedSource m_seeds;
    TrainingState m_state;
    Effects m_effects;
    SeriesRecord m_lastSeries;
};

} // namespace tirages::training
