#pragma once

#include "texts.h"
#include "training/colour.h"

#include <QString>
#include <QStringList>
#include <array>

namespace tirages {

inline constexpr int kSlots = 30;
inline constexpr int kTiles = 9;
inline constexpr qint32 kSeriesSeconds = 240;

// Left edge, in twips, of letter tile k at its home position.
constexpr int tileHomeLeft(int k) {
    return 3000 + 360 * k;
}

// The variables of a training, named as the players' manual and the screens
// name them. Entry k of the list is tirages[k], solutions[k], reussites[k].
struct TrainingState {
    qint16 lettre = -1;                   // selected letter tile, -1 for none
    QStringList tirages;                  // draws; "" marks an eliminated entry
    QStringList solutions;                // expected words
    QStringList reussites;                // success counts, as decimal text
    std::array<qint16, kSlots> numeros{}; // entry shown by each slot, -1 for an empty slot
    std::array<qint16, kSlots> etat{};    // -1 not judged, 0 failed, 1 found in time
    qint32 nbmots = 0;                    // entries in the list
    qint32 tempsrestant = kSeriesSeconds;
    qint32 tempstotal = 0;
    qint16 chrono = 0;    // seconds in the current answer box
    qint16 numpolice = 1; // font the next font click applies
    qint16 courant = 0;   // slot whose answer box got the focus last
    qint16 compteseries = 0;
};

// One slot as the screen shows it.
struct SlotView {
    QString tirage;   // text of the draw box
    QString solution; // text of the answer box
    Colour tirageColour = Colour::LightCyan;
    Colour solutionColour = Colour::LightOrange;
    bool struckOut = false; // answer box font struck through
};

// A letter tile: its character and its left edge in twips.
struct TileView {
    QString caption;
    int left = 0;
};

struct TimerView {
    bool enabled = false;
    quint64 starts = 0; // counts each switch from disabled to enabled

    void enable() {
        if (!enabled) {
            enabled = true;
            ++starts;
        }
    }
    void disable() { enabled = false; }
};

enum class DefaultButton { Command2, Valider };

// Where the threshold box and its unit stand on the criterion line, in twips.
inline constexpr int kSeuiltxtLeft = 1800;
inline constexpr int kLabel6Left = 2160;
inline constexpr int kCriterionShift = 900; // to make room for the seconds caption

// What the training screen shows and which of its controls are live: the state
// a player reads off the screen rather than from a variable.
struct ScreenState {
    ScreenState();

    std::array<SlotView, kSlots> slotViews{};
    std::array<TileView, kTiles> tiles{};
    Colour tileColour = Colour::LightBlue;
    QString label5 = texts::successesBefore;
    QString label6 = texts::successesUnit; // its first letter is the criterion in force
    int seuiltxtLeft = kSeuiltxtLeft;
    int label6Left = kLabel6Left;
    QString voyant; // judging light, "OK" or "NO"
    QString score;  // found/shown of the last series
    QString tps;    // time used by the last series
    QString nbseries = texts::seriesDoneInitial;
    QString recherche; // text of the search box
    bool rechercheEnabled = true;
    bool answersReadOnly = false; // the answer boxes are locked during a pause
    QString pauseCaption = texts::pause;
    QString police = texts::firstFont;
    QString tirageFont;   // font family of the draw boxes; empty: the screen's
    QString solutionFont; // font family of the answer boxes; empty: the screen's
    bool tirageItalic = false;
    bool clocksVisible = true;
    QString motsleft;
    QString temps = texts::countdownStart;
    QString tempstot = texts::totalStart;
    QString seuiltxt = texts::successesThreshold;
    Colour tempsColour = Colour::SystemWindow;
    Colour tempstotColour = Colour::SystemWindow;
    Colour seuiltxtColour = Colour::LightMagenta;
    bool scoreVisible = false;
    bool tpsVisible = false;
    bool corrigerEnabled = false; // a series runs
    bool restartEnabled = false;  // a corrected series waits for the next one
    TimerView timer1;             // countdown of the series
    TimerView timer2;             // total training time
    TimerView timer3;             // word stopwatch
    bool busy = false;            // busy pointer on the training screen
    DefaultButton defaultButton = DefaultButton::Command2;

    int focusedAnswer = -1; // answer box that holds the focus, -1 for any other control
    quint64 focusMoves = 0; // counts the focus moves the program makes
    quint64 beeps = 0;      // counts the system beeps asked for
};

} // namespace tirages
