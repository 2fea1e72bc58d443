#pragma once

// Where every control of the two windows stands, in twips (1/1440 inch)
// relative to the window's client area.

#include "training/state.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tirages::screens {

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15; // at 96 dots per inch

int toPixels(int twips);
QRect toPixels(const Twips& twips);

// Puts a control at its place.
template <typename Control> Control* placed(Control* control, const Twips& twips) {
    control->setGeometry(toPixels(twips));
    return control;
}

namespace launcherLayout {
inline constexpr int clientWidth = 5250;
inline constexpr int clientHeight = 3945;
inline constexpr Twips heading{960, 240, 2880, 300};
inline constexpr Twips listBox{1200, 1320, 2295, 315};
inline constexpr Twips launch{1680, 1800, 1215, 375};
inline constexpr Twips quit{3840, 3240, 1215, 495};
inline constexpr Twips about{360, 2160, 3735, 1575};
inline constexpr Twips aboutFarewell{360, 640, 3735, 2400};
inline constexpr Twips farewellCountdown{4440, 720, 375, 255};
inline constexpr Twips message{360, 2280, 4530, 900}; // why a list could not be started
// A training kept for the list named: what it stands at, and the button that
// takes it up, beside "LANCER".
inline constexpr Twips progress{360, 2280, 4530, 900};
inline constexpr Twips continueButton{3000, 1800, 1215, 375};
// Opens the file dialog, beside the list box.
inline constexpr Twips browse{3555, 1320, 1215, 315};
// The questions due today, under the heading, and the button that trains them,
// above « Parcourir… ».
inline constexpr Twips reviewLine{360, 780, 3100, 315};
inline constexpr Twips review{3555, 750, 1215, 375};
// The lexicon: its button on the other side of the list box from « Parcourir… »,
// and under the heading, which one is in force when it is not the one shipped.
inline constexpr Twips lexicon{120, 1320, 1005, 315};
inline constexpr Twips lexiconLine{360, 570, 4530, 195};
// Opens the statistics, once there are some, at the foot of the launcher.
inline constexpr Twips statistics{360, 3240, 1455, 495};
inline constexpr Twips carry{1935, 3240, 1455, 495};
} // namespace launcherLayout

namespace trainingLayout {
inline constexpr int clientWidth = 8865;
inline constexpr int clientHeight = 7800;
inline constexpr int clientLeft = 1635; // on the screen
inline constexpr int clientTop = 675;

Twips column(int column);
Twips draw(int slot);
Twips answer(int slot);
// Letter tile k at its home place; tileLeft gives the left edge of a place.
Twips tile(int k);
int tileLeft(int place);
// The threshold box and its unit move right under the seconds criterion, to
// make room for its longer caption.
Twips threshold(training::Criterion criterion);
Twips thresholdUnit(training::Criterion criterion);

inline constexpr Twips newSeries{600, 5640, 1455, 375};
inline constexpr Twips correct{6360, 5640, 1095, 375};
inline constexpr Twips search{3480, 6690, 1215, 285};
inline constexpr Twips validate{4800, 6600, 975, 375};
inline constexpr Twips nextBox{8400, 4920, 135, 495};
inline constexpr Twips pause{7680, 6600, 975, 255};
inline constexpr Twips changeFont{7320, 0, 1455, 255};
inline constexpr Twips fontNumber{7200, 0, 90, 195};
inline constexpr Twips changeCriterion{120, 7440, 2775, 255};
inline constexpr Twips criterionCaption{120, 7200, 1545, 195};
inline constexpr Twips wordsLeftCaption{240, 6360, 1035, 195};
inline constexpr Twips wordsLeft{1440, 6360, 495, 285};
inline constexpr Twips seriesDone{600, 6840, 1395, 195};
inline constexpr Twips judgement{3000, 7440, 45, 195};
inline constexpr Twips score{6720, 6360, 45, 195};
// A score that counts words too ends here, left of the total clock.
inline constexpr int scoreRightEdge = 7500;
// Under the tiles: the whole answer of a question of several words.
inline constexpr Twips wordsLine{3000, 6300, 3255, 195};
// Under the search box, once corrected: what the lexicon says of the words of
// the current box, right of the judging light.
inline constexpr Twips wordSheet{3300, 6990, 4200, 780};
inline constexpr Twips timeUsed{6720, 6720, 45, 195};
inline constexpr Twips timeHeading{8040, 5520, 555, 195};
inline constexpr Twips showClocks{7680, 5520, 255, 255};
inline constexpr Twips countdownCaption{7560, 5880, 360, 195};
inline constexpr Twips countdown{8040, 5880, 495, 285};
inline constexpr Twips totalCaption{7560, 6240, 360, 195};
inline constexpr Twips total{8040, 6240, 735, 285};
inline constexpr Twips backToLauncher{7560, 7080, 1215, 495};
} // namespace trainingLayout

} // namespace tirages::screens
