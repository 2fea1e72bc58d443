#pragma once

// What the training screen shows, computed from the training's state in one
// place (screenview.cpp). The view copies it onto the widgets.

#include "training/colour.h"
#include "training/state.h"

#include <QString>
#include <array>

namespace tirages::training {

struct SlotView {
    QString draw;  // text of the draw box
    QString typed; // text of the answer box
    Colour drawColour = Colour::LightCyan;
    Colour typedColour = Colour::LightOrange;
    bool struckOut = false; // answer box font struck through
    QString spoken;         // what a screen reader tells of the answer box besides its name
};

struct TileView {
    QString caption;
    int place = 0;  // the tile stands at the home of tile `place`
    QString spoken; // its name for a screen reader: its place and its letter
};

struct ScreenView {
    std::array<SlotView, kSlots> slotViews{};
    std::array<TileView, kTiles> tiles{};
    Colour tileColour = Colour::LightBlue;
    Criterion criterion = Criterion::Successes; // where the threshold and its unit stand
    QString criterionCaption; // before the threshold
    QString thresholdUnit;    // after it
    QString threshold;
    Colour thresholdColour = Colour::LightMagenta;
    QString judgement; // judging light, "OK" or "NO"
    QString score;  // found/shown of the last series
    QString timeUsed; // time used by the last series
    bool scoreVisible = false;
    bool timeUsedVisible = false;
    QString seriesDone;
    QString wordsLeftShown;
    QString countdownShown;
    QString totalShown;
    Colour countdownColour = Colour::SystemWindow;
    Colour totalColour = Colour::SystemWindow;
    bool clocksVisible = true;
    QString searchText;
    bool searchEnabled = true;
    // For a question of several words in the current box: its whole answer,
    // then once corrected what it missed and had too much. Empty otherwise.
    QString wordsLine;
    // Once corrected, the words of the current box's question and the words
    // typed there, for the word sheet. Empty otherwise.
    QStringList sheetAnswers;
    QStringList sheetTyped;
    bool answersReadOnly = false;
    QString pauseCaption;
    QString fontNumber;
    QString drawFont;   // font family of the draw boxes; empty: the screen's
    QString answerFont; // font family of the answer boxes; empty: the screen's
    bool drawItalicsOff = false;
    bool correctEnabled = false;   // a series runs
    bool newSeriesEnabled = false; // a corrected series waits for the next one
    DefaultButton defaultButton = DefaultButton::NextBox;
};

ScreenView screenView(const TrainingState& state);

} // namespace tirages::training
