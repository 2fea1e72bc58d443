// Starting a list, the life of a series (set-up, correction, compaction), the
// clocks, and the snapshot of a training.

#include "training/rules.h"
#include "training/training.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace tirages::training {
namespace {

// Counters stop at their largest value instead of wrapping.
template <typename Counter> void increment(Counter& counter) {
    if (counter < std::numeric_limits<Counter>::max())
        ++counter;
}

} // namespace

int Training::shownCount() const {
    return std::min<qint32>(m_state.entryCount(), kSlots);
}

// ---------------------------------------------------------------- list, snapshot

void Training::setBusy() {
    m_effects.push_back(Effect::busy(true));
}

void Training::start(const lists::ListContent& entries) {
    m_state.seriesOnList = 0;
    m_state.secondsOnList = 0;
    load(questionsOf(entries));
}

TrainingSnapshot Training::snapshot() const {
    TrainingSnapshot kept;
    kept.entries.reserve(m_state.entries.size());
    for (const Question& entry : m_state.entries) {
        if (!entry.eliminated)
            kept.entries.append(entry);
    }
    kept.criterion = m_state.criterion;
    kept.threshold = m_state.threshold.text;
    kept.seriesDone = m_state.seriesOnList;
    kept.secondsTrained = m_state.secondsOnList;
    return kept;
}

void Training::resume(const TrainingSnapshot& kept) {
    QList<Question> list = kept.entries;
    for (Question& entry : list)
        entry.successes = std::max<qint32>(entry.successes, 0);
    if (kept.criterion != m_state.criterion)
        switchCriterion();
    m_state.threshold = Threshold::of(kept.threshold);
    m_state.seriesOnList = kept.seriesDone;
    m_state.secondsOnList = kept.secondsTrained;
    load(std::move(list));
}

// The list in memory is replaced whole. An entry without a draw has nothing to
// show: it leaves the list at the first correction.
void Training::load(QList<Question> entries) {
    for (Question& entry : entries)
        entry.eliminated = entry.draw.isEmpty();
    m_state.entries = std::move(entries);
    m_state.onScreen = true;
    startSeries();
}

// ---------------------------------------------------------------- series

void Training::newSeries() {
    if (m_state.phase != Phase::SeriesCorrected)
        return;
    m_effects.push_back(Effect::busy(true));
    startSeries();
}

void Training::keyOnNewSeries(Key key) {
    if (key == Key::F8)
        newSeries();
}

void Training::startSeries() {
    m_state.wordsLeftShown = m_state.entryCount();
    drawSlots();
    m_state.tiles.clearSelection();
    const int shown = shownCount();
    for (int s = 0; s < kSlots; ++s) {
        SlotBoxes& boxes = m_state.boxes[static_cast<std::size_t>(s)];
        boxes.draw.clear();
        boxes.typed.clear();
        boxes.struckOut = false;
        boxes.result = SlotResult::NotJudged;
        boxes.words = 1;
        boxes.longest = -1;
        boxes.wordsFound = 0;
        boxes.extra.clear();
        boxes.answers.clear();
        m_state.verdicts[static_cast<std::size_t>(s)] = FastVerdict::NotJudged;
    }
    m_state.slotSeconds.fill(0);
    for (int s = 0; s < shown; ++s) {
        const auto slot = static_cast<std::size_t>(s);
        const Question& question = m_state.entries[m_state.slotEntry[slot]];
        SlotBoxes& boxes = m_state.boxes[slot];
        boxes.draw = question.draw;
        boxes.words = question.words.size();
        if (boxes.words > 1)
            boxes.longest = answerLimit(question);
    }

    m_effects.push_back(Effect::busy(false));
    m_state.phase = Phase::SeriesRunning;
    // The box left here belongs to the series just set up, which the player has
    // not seen yet: it is not judged. When the focus is already in the first
    // box, its arrival is handled all the same, so that the new series gets its
    // colours, its tiles and its stopwatch.
    if (m_state.focus == 0) {
        m_effects.push_back(Effect::focusAnswer(0));
        answerGotFocus(0);
    } else {
        moveFocusTo(0, false);
    }
    // Each series shows its full four minutes from the start, so that a
    // correction in its first second reads its own time, not the last series'.
    m_state.countdownShown = countdownText(kSeriesSeconds);
    m_state.secondsLeft = kSeriesSeconds;
    startTimer(Timer::Countdown);
    startTimer(Timer::Total);
}

// Uniform draw without replacement: each slot takes one of the entries not
// drawn yet, and the pool closes up behind it.
void Training::drawSlots() {
    m_state.slotEntry.fill(-1);
    std::vector<qint16> pool(static_cast<std::size_t>(m_state.entryCount()));
    std::iota(pool.begin(), pool.end(), qint16{0});
    SeriesRandom random(m_seeds());
    const int shown = shownCount();
    for (int s = 0; s < shown; ++s) {
        const auto p = random.index(static_cast<qsizetype>(pool.size()));
        m_state.slotEntry[static_cast<std::size_t>(s)] = pool[static_cast<std::size_t>(p)];
        pool.erase(pool.begin() + p);
    }
}

// ---------------------------------------------------------------- correction

void Training::correct() {
    if (m_state.phase == Phase::SeriesRunning)
        correction();
}

void Training::correction() {
    stopTimer(Timer::Countdown);
    stopTimer(Timer::Stopwatch);
    m_state.phase = Phase::SeriesCorrected;

    const int shown = shownCount();
    const bool seconds = m_state.criterion == Criterion::Seconds;
    // With an empty list no slot shows an entry and there is nothing to judge.
    if (seconds && shown > 0)
        judge(shown - 1);
    std::array<QString, kSlots> typed; // the judging writes the draw into an empty box
    for (int i = 0; i < shown; ++i)
        typed[static_cast<std::size_t>(i)] = m_state.boxes[static_cast<std::size_t>(i)].typed;
    judgeAllShown(seconds);
    if (seconds) {
        for (int i = 0; i < kSlots; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            if (m_state.verdicts[slot] == FastVerdict::InTime && m_state.slotEntry[slot] >= 0)
                m_state.entries[m_state.slotEntry[slot]].eliminated = true;
        }
    }
    recordSeries(typed, shown);

    compaction();

    m_state.shown = static_cast<qint16>(shown);
    increment(m_state.seriesCount);
    increment(m_state.seriesOnList);
    m_state.timeUsed = timeUsed(m_state.countdownShown);
    m_effects.push_back(Effect::corrected());
}

// Taken before the compaction, while the slots still point at their
// questions: each word a question of the memory of its own. A word typed
// shares the box's seconds with the other words typed; a word missed is wrong.
void Training::recordSeries(const std::array<QString, kSlots>& typed, int shown) {
    SeriesRecord record;
    record.found = m_state.found;
    record.shown = static_cast<qint16>(shown);
    record.secondsUsed = kSeriesSeconds - std::max<qint32>(m_state.secondsLeft, 0);
    record.criterion = m_state.criterion;
    record.threshold = m_state.threshold.text;
    for (int i = 0; i < shown; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const Question& question = m_state.entries[m_state.slotEntry[slot]];
        record.questions.append(question);
        const Marking marking = mark(question, typed[slot]);
        const auto typedWords = static_cast<qint32>(std::max<qsizetype>(marking.typedWords, 1));
        const qint32 seconds = (m_state.slotSeconds[slot] + typedWords / 2) / typedWords;
        for (qsizetype w = 0; w < question.words.size(); ++w) {
            const bool found = marking.found.contains(question.words[w]);
            record.answers.append({question.entryOf(w), question.lines.value(w), typed[slot], found,
                                   found ? seconds : m_state.slotSeconds[slot]});
        }
    }
    m_lastSeries = std::move(record);
}

// Every shown answer right or wrong; under the successes criterion, a success
// more for each question found, and the questions that reach the threshold
// marked. A wrong answer keeps what was typed; its draw box shows the words
// missing.
void Training::judgeAllShown(bool seconds) {
    const int shown = shownCount();
    m_state.found = 0;
    m_state.wordsFound = 0;
    m_state.wordsShown = 0;
    m_state.severalWords = false;
    for (int i = 0; i < shown; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        Question& entry = m_state.entries[m_state.slotEntry[slot]];
        SlotBoxes& boxes = m_state.boxes[slot];
        const Marking marking = mark(entry, boxes.typed);
        boxes.answerLook = AnswerLook::Judged;
        boxes.answers = entry.words;
        boxes.wordsFound = marking.found.size();
        m_state.wordsFound += static_cast<qint32>(marking.found.size());
        m_state.wordsShown += static_cast<qint32>(entry.words.size());
        m_state.severalWords = m_state.severalWords || entry.words.size() > 1;
        if (marking.right) {
            boxes.result = SlotResult::Right;
            increment(m_state.found);
            if (!seconds) {
                increment(entry.successes);
                if (!(m_state.threshold.value > static_cast<double>(entry.successes)))
                    entry.eliminated = true;
            }
        } else {
            boxes.result = SlotResult::Wrong;
            if (!boxes.typed.isEmpty())
                boxes.struckOut = true;
            else
                setAnswerText(i, boxes.draw);
            if (entry.words.size() > 1)
                boxes.extra = marking.extra;
            boxes.draw = marking.missing.join(u' ');
            boxes.drawLook = DrawLook::ShowsSolution;
        }
    }
}

void Training::compaction() {
    m_state.entries.removeIf([](const Question& entry) { return entry.eliminated; });
    if (m_state.entryCount() != 0)
        return;

    m_state.phase = Phase::ListFinished;
    stopTimer(Timer::Total);
    m_state.tilesShowTheEnd = true;
    m_state.wordsLeftShown = 0;
    layTiles(texts::bravo);
}

// ---------------------------------------------------------------- clocks

void Training::countdownEdited(const QString& text) {
    m_state.countdownShown = text;
}

void Training::totalEdited(const QString& text) {
    m_state.totalShown = text;
}

void Training::countdownTick() {
    if (m_state.focus >= 0 && m_state.phase == Phase::SeriesRunning)
        increment(m_state.slotSeconds[static_cast<std::size_t>(m_state.focus)]);
    --m_state.secondsLeft;
    m_state.countdownShown = countdownText(m_state.secondsLeft);
    if (m_state.secondsLeft <= 0)
        correction();
}

void Training::totalTick() {
    ++m_state.totalSeconds;
    m_state.totalShown = totalText(m_state.totalSeconds);
    if (m_state.onScreen)
        increment(m_state.secondsOnList);
}

void Training::stopwatchTick() {
    increment(m_state.secondsInBox);
}

} // namespace tirages::training
