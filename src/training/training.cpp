// The training's handlers for answering: the focus, the answer boxes, the
// tiles, the search box, the pause and the display options. Starting a list,
// the series and its correction are in series.cpp.

#include "training/training.h"

#include "training/rules.h"

#include <limits>

namespace tirages::training {
namespace {

void paintAtRest(SlotBoxes& slot) {
    slot.drawLook = DrawLook::AtRest;
    slot.answerLook = AnswerLook::AtRest;
}

} // namespace

Threshold Threshold::of(const QString& text) {
    return {text, numericValue(text)};
}

QStringList TrainingState::draws() const {
    QStringList out;
    for (const Question& entry : entries)
        out << entry.draw;
    return out;
}

QStringList TrainingState::expectedWords() const {
    QStringList out;
    for (const Question& entry : entries)
        out << entry.words.join(u' ');
    return out;
}

QList<qint32> TrainingState::successCounts() const {
    QList<qint32> out;
    for (const Question& entry : entries)
        out << entry.successes;
    return out;
}

Training::Training(SeedSource seeds) : m_seeds(std::move(seeds)) {}

Effects Training::takeEffects() {
    return std::exchange(m_effects, {});
}

void Training::startTimer(Timer timer) {
    bool& running = m_state.running[static_cast<std::size_t>(timer)];
    if (!running) {
        running = true;
        m_effects.push_back(Effect::start(timer));
    }
}

void Training::stopTimer(Timer timer) {
    bool& running = m_state.running[static_cast<std::size_t>(timer)];
    if (running) {
        running = false;
        m_effects.push_back(Effect::stop(timer));
    }
}

// ---------------------------------------------------------------- focus

void Training::answerFocused(int slot) {
    if (m_state.focus == slot)
        return;
    const int left = m_state.focus;
    m_state.focus = slot;
    if (left >= 0)
        answerLostFocus(left, true);
    answerGotFocus(slot);
}

void Training::otherControlFocused() {
    const int left = m_state.focus;
    m_state.focus = -1;
    if (left >= 0)
        answerLostFocus(left, true);
}

// The program's own moves: the screen is told to follow, and the boxes' focus
// handling runs here at once, the box left first.
void Training::moveFocusTo(int slot, bool judgeLeftBox) {
    m_effects.push_back(Effect::focusAnswer(slot));
    if (m_state.focus == slot)
        return; // no move, no focus events
    const int left = m_state.focus;
    m_state.focus = slot;
    if (left >= 0)
        answerLostFocus(left, judgeLeftBox);
    answerGotFocus(slot);
}

void Training::answerGotFocus(int slot) {
    m_state.currentSlot = static_cast<qint16>(slot);
    if (m_state.phase == Phase::SeriesRunning) {
        m_state.defaultButton = DefaultButton::NextBox;
        if (m_state.criterion == Criterion::Seconds) {
            m_state.secondsInBox = 0;
            startTimer(Timer::Stopwatch);
        }
        for (int j = 0; j < kSlots; ++j) {
            SlotBoxes& boxes = m_state.boxes[static_cast<std::size_t>(j)];
            if (j == slot) {
                boxes.drawLook = DrawLook::Current;
                boxes.answerLook = AnswerLook::Current;
            } else {
                paintAtRest(boxes);
            }
        }
    }
    // A wrong answer of several words shows every word missing in its draw
    // box: the tiles take the first of them.
    const SlotBoxes& boxes = m_state.boxes[static_cast<std::size_t>(slot)];
    layTiles(boxes.words > 1 && boxes.result == SlotResult::Wrong ? boxes.draw.section(u' ', 0, 0)
                                                                   : boxes.draw);
}

void Training::answerLostFocus(int slot, bool judgeAnswer) {
    stopTimer(Timer::Stopwatch);
    if (m_state.phase != Phase::SeriesRunning)
        return;
    // An empty slot has no entry to compare with: it is never judged.
    if (judgeAnswer && m_state.criterion == Criterion::Seconds &&
        m_state.slotEntry[static_cast<std::size_t>(slot)] >= 0)
        judge(slot);
    paintAtRest(m_state.boxes[static_cast<std::size_t>(slot)]);
}

// A question of k words is fast when its whole answer took less than k times
// the threshold.
void Training::judge(int slot) {
    const auto s = static_cast<std::size_t>(slot);
    const Question& question = m_state.entries[m_state.slotEntry[s]];
    const bool fast = m_state.threshold.value * static_cast<double>(question.words.size()) >
                      m_state.secondsInBox;
    const bool right = mark(question, m_state.boxes[s].typed).right;
    FastVerdict& verdict = m_state.verdicts[s];
    if (right && fast) {
        if (verdict != FastVerdict::Failed) {
            verdict = FastVerdict::InTime;
            m_state.judgement = Judgement::Ok;
        }
    } else {
        verdict = FastVerdict::Failed;
        m_state.judgement = Judgement::No;
    }
}

// ---------------------------------------------------------------- answer boxes

void Training::answerEdited(int slot, const QString& text) {
    setAnswerText(slot, text);
}

// An answer of one word is never longer than the slot's draw box text, an
// answer of several than its words need: the last character goes, one beep
// each, until it fits.
void Training::setAnswerText(int slot, const QString& text) {
    SlotBoxes& boxes = m_state.boxes[static_cast<std::size_t>(slot)];
    boxes.typed = text;
    const qsizetype limit = boxes.longest >= 0 ? boxes.longest : boxes.draw.size();
    while (boxes.typed.size() > limit) {
        boxes.typed.chop(1);
        m_effects.push_back(Effect::beep());
    }
}

void Training::answerKeyDown(int, Key key) {
    switch (key) {
    case Key::Down:
        nextBox();
        break;
    case Key::Up:
        moveFocusTo(m_state.currentSlot == 0 ? kSlots - 1 : m_state.currentSlot - 1);
        break;
    case Key::F12:
        correct();
        break;
    case Key::F8:
        newSeries();
        break;
    case Key::Other:
        break;
    }
}

void Training::enterPressed() {
    if (m_state.defaultButton == DefaultButton::NextBox)
        nextBox();
    else
        validate();
}

void Training::nextBox() {
    moveFocusTo(m_state.currentSlot == kSlots - 1 ? 0 : m_state.currentSlot + 1);
}

// The answer box being worked on stays marked while the focus is on a tile or
// in the search box.
void Training::markCurrentSlotWorkedOn() {
    SlotBoxes& current = m_state.boxes[static_cast<std::size_t>(m_state.currentSlot)];
    current.drawLook = DrawLook::AtRest;
    current.answerLook = AnswerLook::Current;
}

void Training::tileClicked(int k) {
    markCurrentSlotWorkedOn();
    m_state.tiles.click(k);
}

void Training::layTiles(const QString& draw) {
    m_state.tiles.layTiles(draw);
}

// ---------------------------------------------------------------- search box

void Training::searchBoxClicked() {
    m_state.defaultButton = DefaultButton::Validate;
    markCurrentSlotWorkedOn();
}

void Training::searchEdited(const QString& text) {
    m_state.searchText = text;
}

// For a question of several words the search box's word joins those already
// typed.
void Training::validate() {
    const SlotBoxes& boxes = m_state.boxes[static_cast<std::size_t>(m_state.currentSlot)];
    const QString typed = boxes.typed;
    setAnswerText(m_state.currentSlot, boxes.words > 1 && !typed.trimmed().isEmpty()
                                           ? typed.trimmed() + u' ' + m_state.searchText
                                           : m_state.searchText);
    m_state.searchText.clear();
    moveFocusTo(m_state.currentSlot);
    nextBox();
}

// ---------------------------------------------------------------- criterion

void Training::switchCriterion() {
    if (m_state.criterion == Criterion::Successes) {
        m_state.criterion = Criterion::Seconds;
        m_state.threshold = Threshold::of(texts::secondsThreshold);
    } else {
        m_state.criterion = Criterion::Successes;
        m_state.threshold = Threshold::of(texts::successesThreshold);
        m_state.criterionSwitched = true;
    }
}

void Training::thresholdEdited(const QString& text) {
    m_state.threshold = Threshold::of(text);
}

// ---------------------------------------------------------------- pause, display

void Training::togglePause() {
    if (!m_state.paused) {
        stopTimer(Timer::Countdown);
        stopTimer(Timer::Total);
        m_state.paused = true;
    } else {
        if (m_state.phase == Phase::SeriesRunning)
            startTimer(Timer::Countdown);
        startTimer(Timer::Total);
        m_state.paused = false;
    }
}

void Training::cycleFont() {
    const texts::FontStep& step =
        texts::fontCycle[static_cast<std::size_t>(m_state.nextFontStep - 1)];
    m_state.fontChosen = true;
    m_state.answersFontChosen = m_state.answersFontChosen || step.answersToo;
    m_state.italicsOff = m_state.italicsOff || step.italicsOff;
    m_state.nextFontStep = static_cast<qint16>(m_state.nextFontStep % texts::fontCycle.size() + 1);
}

void Training::showClocks(bool shown) {
    m_state.clocksShown = shown;
}

void Training::backToLauncher() {
    m_state.tilesShowTheEnd = false;
    m_state.secondsLeft = kSeriesSeconds;
    m_state.totalSeconds = 0;
    m_state.tiles.clearSelection();
    m_state.seriesCount = 0;
    m_state.countersReset = true;
    m_state.onScreen = false;
}

} // namespace tirages::training
