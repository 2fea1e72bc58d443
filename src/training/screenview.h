#pragma once

// What the training screen shows, computed from the training's state in one
// place (screenview.cpp). The view copies it onto the widgets.

#include "training/colour.h"
#include "training/state.h"

#include <QString>
#include <array>

namespace tirages {

struct SlotView {
    QString tirage;   // text of the draw box
    QString solution; // text of the answer box
    Colour tirageColour = Colour::LightCyan;
    Colour solutionColour = Colour::LightOrange;
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
    QString seuiltxt;
    Colour seuiltxtColour = Colour::LightMagenta;
    QString voyant; // judging light, "OK" or "NO"
    QString score;  // found/shown of the last series
    QString tps;    // time used by the last series
    bool scoreVisible = false;
    bool tpsVisible = false;
    QString nbseries;
    QString motsleft;
    QString temps;
    QString tempstot;
    Colour tempsColour = Colour::SystemWindow;
    Colour tempstotColour = Colour::SystemWindow;
    bool clocksVisible = true;
    QString recherche;
    bool rechercheEnabled = true;
    bool answersReadOnly = false;
    QString pauseCaption;
    QString police;
    QString tirageFont;   // font family of the draw boxes; empty: the screen's
    QString solutionFont; // font family of the answer boxes; empty: the screen's
    bool tirageItalicsOff = false;
    bool corrigerEnabled = false; // a series runs
    bool restartEnabled = false;  // a corrected series waits for the next one
    DefaultButton defaultButton = DefaultButton::NextBox;
};

ScreenView screenView(const TrainingState& state);

} // namespace tirages
