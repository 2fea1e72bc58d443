#pragma once

#include "lists/listfile.h"
#include "training/seriesrandom.h"
#include "training/state.h"

namespace tirages {

// Keys the training reacts to; the screens map the toolkit's key codes here.
enum class Key { Down, Up, F8, F12, Other };

// The training behind the training screen. The screen forwards the player's
// events here and then shows screen(); nothing here touches a widget, a clock
// or a file. Clocks arrive as ticks, randomness as seeds.
class Training {
public:
    explicit Training(SeedSource seeds);

    const TrainingState& state() const { return m_state; }
    const ScreenState& screen() const { return m_screen; }

    // The criterion in force, as the caption of its unit tells it.
    bool secondsCriterion() const;
    // The threshold typed in the threshold box.
    double threshold() const;

    // --- Starting a list and a series

    // The busy pointer the launcher sets before it hands a list over.
    void setBusy(bool busy);
    // Starts a list already read from its file: every success count at "0",
    // then a new series.
    void commencer(const lists::ListContent& entries);
    // Draws up to 30 different entries into the slots and starts the series.
    void nouvelleserie();
    // "Nouvelle série(F8)" clicked, or a key pressed while it has the focus.
    void restartClicked();
    void restartKeyDown(Key key);

    // --- Answer entry

    // The player moved the focus: into an answer box, or onto any other control.
    void answerFocused(int slot);
    void otherControlFocused();
    // The player changed the text of an answer box (typing, pasting, deleting).
    void answerEdited(int slot, const QString& text);
    void answerKeyDown(int slot, Key key);
    // Enter in a text box: the default button's click.
    void enterPressed();
    // The next-box move.
    void command2Clicked();
    void tileClicked(int k);
    // Lays the characters of a draw, "+" left out, on the tiles.
    void placerlettres(const QString& draw);

    // --- Search box

    // A mouse click into the search box.
    void rechercheClicked();
    void rechercheEdited(const QString& text);
    void validerClicked();

    // --- Pause, display, return to the launcher

    // "Pause" / "Reprendre".
    void command5Clicked();
    // "Changer de police": one step of the font cycle.
    void command3Clicked();
    // The clocks check box, with its new state.
    void check1Clicked(bool checked);
    // "Sommaire": the counters of a training go back to zero. The screen then
    // hides itself and shows the launcher.
    void quitterClicked();

    // --- Criterion, correction and clocks

    void criterionClicked();
    void thresholdEdited(const QString& text);
    void corrigerClicked();
    void correction();
    // Removes the eliminated entries; ends the training when none is left.
    void compaction();
    // The player typed into a clock box: it shows that text until the next tick.
    void countdownEdited(const QString& text);
    void totalEdited(const QString& text);
    void countdownTick();
    void totalTick();
    void stopwatchTick();

private:
    void moveFocusTo(int slot, bool judgeLeftBox = true);
    void answerGotFocus(int slot);
    void answerLostFocus(int slot, bool judge);
    void judge(int slot);
    void setAnswerText(int slot, const QString& text);
    int shownCount() const;

    SeedSource m_seeds;
    TrainingState m_state;
    ScreenState m_screen;
};

} // namespace tirages
