#pragma once

#include "lists/listfile.h"
#include "training/seriesrandom.h"
#include "training/state.h"

namespace tirages {

// Keys the training reacts to; the screens map the toolkit's key codes here.
enum class Key { Down, Up, F8, F12, Other };

// The training behind the training screen. The screen forwards the player's
// events here and then shows screen(); nothing here touches a widget, a clock
// or a file.
class Training {
public:
    explicit Training(SeedSource seeds);

    const TrainingState& state() const { return m_state; }
    const ScreenState& screen() const { return m_screen; }

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

    // The player moved the focus: into an answer box, or onto any other control.
    void answerFocused(int slot);
    void otherControlFocused();

private:
    void moveFocusTo(int slot);

    SeedSource m_seeds;
    TrainingState m_state;
    ScreenState m_screen;
};

} // namespace tirages
