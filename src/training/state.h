#pragma once

// The state of a training as typed facts. What the screen shows (captions,
// colours, enabled controls) is computed from it in screenview.cpp and never
// read back.

#include "training/questions.h"
#include "texts.h"
#include "training/tiles.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace tirages::training {

inline constexpr int kSlots = 30;
inline constexpr qint32 kSeriesSeconds = 240;

// The elimination criterion: by the number of successes, or by the seconds an
// answer took.
enum class Criterion { Successes, Seconds };

// Where the series stands. "Corriger(F12)" is live while a series runs,
// "Nouvelle série(F8)" while a corrected series waits for the next.
enum class Phase { BeforeFirstSeries, SeriesRunning, SeriesCorrected, ListFinished };

// The judging light: nothing judged yet, "OK" or "NO".
enum class Judgement { None, Ok, No };

// The training screen's one-second timers.
enum class Timer { Countdown, Total, Stopwatch };
inline constexpr int kTimers = 3;

// The button Enter clicks in a text box: the next-box strip or "Valider".
enum class DefaultButton { NextBox, Validate };

// The threshold of the criterion: the text the player typed, and its numeric
// value (the leading number of the text, 0 when there is none).
struct Threshold {
    QString text;
    double value = 0;
    static Threshold of(const QString& text);
};

// Whether an answer was found fast enough, under the seconds criterion: once
// failed, it stays failed for the series.
enum class FastVerdict { NotJudged, Failed, InTime };

// How a slot's boxes are marked.
enum class DrawLook { AtRest, Current, ShowsSolution };
// A judged answer box is coloured by its result.
enum class AnswerLook { AtRest, Current, Judged };

// What the correction made of a slot's answer; it stays until the next series,
// wherever the focus goes meanwhile.
enum class SlotResult { NotJudged, Right, Wrong };

// The two boxes of a slot: their texts and how they are marked.
struct SlotBoxes {
    QString draw;  // the draw, or the words missing from a wrong answer after the correction
    QString typed; // the answer typed
    DrawLook drawLook = DrawLook::AtRest;
    AnswerLook answerLook = AnswerLook::AtRest;
    bool struckOut = false; // a wrong answer, crossed out
    SlotResult result = SlotResult::NotJudged;
    qsizetype words = 1; // the words of its question
    // The longest answer a question of several words takes; -1: as long as the
    // draw box's text.
    qsizetype longest = -1;
    // After the correction: the words found, and the words typed that are no answer.
    qsizetype wordsFound = 0;
    QStringList extra;
    QStringList answers; // after the correction: every word of its question
};

// Everything a training knows; the screen view is worked out from it.
struct TrainingState {
    QList<Question> entries;               // the list, in the order of the file
    std::array<qint16, kSlots> slotEntry{};     // question shown by each slot, -1 for an empty slot
    std::array<FastVerdict, kSlots> verdicts{}; // under the seconds criterion
    std::array<SlotBoxes, kSlots> boxes{}; // the draw and answer box of each slot
    TileRack tiles;
    bool tilesShowTheEnd = false; // coloured for the end of the list, until "Sommaire"

    Phase phase = Phase::BeforeFirstSeries;
    Criterion criterion = Criterion::Successes;
    Threshold threshold = Threshold::of(QStringLiteral("1"));
    bool criterionSwitched = false; // the caption before the threshold loses its final space
    bool paused = false;
    std::array<bool, kTimers> running{}; // which timers run
    Judgement judgement = Judgement::None;

    qint16 found = 0;     // answers right in the last corrected series
    qint16 shown = 0;     // slots shown in the last corrected series
    qint32 wordsFound = 0; // words found in the last corrected series...
    qint32 wordsShown = 0; // ...of so many
    bool severalWords = false; // it showed a question of several words
    QString timeUsed;     // by the last corrected series, "m:ss"
    qint32 wordsLeftShown = -1; // the words-left count shown, -1 before the first series
    QString countdownShown =
        texts::countdownStart; // the countdown as shown: a tick's text, or what was typed
    QString totalShown = texts::totalStart; // the total time as shown
    QString searchText;                     // text of the search box
    bool clocksShown = true;
    DefaultButton defaultButton = DefaultButton::NextBox;
    bool countersReset = false; // "Sommaire" has set the series counter back to 0
    bool fontChosen = false;    // the font button has been clicked
    bool answersFontChosen = false;
    bool italicsOff = false; // a font step has switched italics off on the draw boxes

    int focus = -1; // the answer box that has the focus, -1 for any other control
    qint32 secondsLeft = kSeriesSeconds;
    qint32 totalSeconds = 0;
    qint16 secondsInBox = 0; // seconds in the current answer box
    qint16 nextFontStep = 1; // font the next font click applies
    qint16 currentSlot = 0;  // slot whose answer box got the focus last
    qint16 seriesCount = 0;

    std::array<qint32, kSlots> slotSeconds{}; // seconds each answer box held the focus this series

    // What the list has cost over every sitting, for a training kept across runs.
    qint32 seriesOnList = 0;
    qint64 secondsOnList = 0;
    bool onScreen = false; // the list is being trained on the shown screen

    qint32 entryCount() const { return static_cast<qint32>(entries.size()); }
    bool isRunning(Timer timer) const { return running[static_cast<std::size_t>(timer)]; }
    // The questions' fields one by one, in list order; the words of a question
    // joined by spaces.
    QStringList draws() const;
    QStringList expectedWords() const;
    QList<qint32> successCounts() const;
};

} // namespace tirages::training
