#include "training/training.h"

#include "training/rules.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace tirages {
namespace {

constexpr qint16 kMax16 = std::numeric_limits<qint16>::max();

// 16-bit counters stop at their largest value instead of wrapping.
void increment(qint16& counter) {
    if (counter < kMax16)
        ++counter;
}

void paintAtRest(SlotView& slot) {
    slot.tirageColour = Colour::LightCyan;
    slot.solutionColour = Colour::LightOrange;
}

} // namespace

ScreenState::ScreenState() {
    for (int k = 0; k < kTiles; ++k)
        tiles[k].left = tileHomeLeft(k);
}

Training::Training(SeedSource seeds) : m_seeds(std::move(seeds)) {}

bool Training::secondsCriterion() const {
    return m_screen.label6.startsWith(u's');
}

double Training::threshold() const {
    return numericValue(m_screen.seuiltxt);
}

int Training::shownCount() const {
    return std::min<qint32>(m_state.nbmots, kSlots);
}

// ---------------------------------------------------------------- list, series

void Training::setBusy(bool busy) {
    m_screen.busy = busy;
}

void Training::commencer(const lists::ListContent& entries) {
    QStringList tirages;
    QStringList solutions;
    tirages.reserve(entries.size());
    solutions.reserve(entries.size());
    for (const lists::Entry& entry : entries) {
        tirages.append(entry.draw);
        solutions.append(entry.solution);
    }
    m_state.tirages = std::move(tirages);
    m_state.solutions = std::move(solutions);
    m_screen.tempstotColour = Colour::SystemWindow;
    m_state.nbmots = static_cast<qint32>(entries.size());
    m_state.reussites = QStringList(entries.size(), QStringLiteral("0"));
    nouvelleserie();
}

void Training::nouvelleserie() {
    m_screen.motsleft = QString::number(m_state.nbmots);
    m_screen.scoreVisible = false;
    m_screen.tpsVisible = false;
    m_state.numeros.fill(-1);

    // Uniform draw without replacement: each slot takes one of the entries not
    // drawn yet, and the pool closes up behind it.
    std::vector<qint16> pool(static_cast<std::size_t>(m_state.nbmots));
    std::iota(pool.begin(), pool.end(), qint16{0});
    const int shown = shownCount();
    SeriesRandom random(m_seeds());
    for (int s = 0; s < shown; ++s) {
        const auto p = random.index(static_cast<qsizetype>(pool.size()));
        m_state.numeros[s] = pool[static_cast<std::size_t>(p)];
        pool.erase(pool.begin() + p);
    }

    m_state.lettre = -1;
    for (int s = 0; s < kSlots; ++s) {
        SlotView& slot = m_screen.slotViews[s];
        slot.tirage.clear();
        slot.solution.clear();
        slot.struckOut = false;
        m_state.etat[s] = -1;
    }
    for (int s = 0; s < shown; ++s)
        m_screen.slotViews[s].tirage = m_state.tirages[m_state.numeros[s]];

    m_screen.busy = false;
    m_screen.seuiltxtColour = Colour::SystemWindow;
    m_screen.corrigerEnabled = true;
    m_screen.restartEnabled = false;
    // The box left here belongs to the series just set up, which the player has
    // not seen yet: it is not judged. When the focus is already in the first
    // box, its arrival is handled all the same, so that the new series gets its
    // colours, its tiles and its stopwatch.
    if (m_screen.focusedAnswer == 0) {
        ++m_screen.focusMoves;
        answerGotFocus(0);
    } else {
        moveFocusTo(0, false);
    }
    m_screen.tempsColour = Colour::SystemWindow;
    // Each series shows its full four minutes from the start, so that a
    // correction in its first second reads its own time, not the last series'.
    m_screen.temps = countdownText(kSeriesSeconds);
    m_state.tempsrestant = kSeriesSeconds;
    m_screen.timer1.enable();
    m_screen.timer2.enable();
}

void Training::restartClicked() {
    if (!m_screen.restartEnabled)
        return;
    m_screen.busy = true;
    nouvelleserie();
}

void Training::restartKeyDown(Key key) {
    if (key == Key::F8)
        restartClicked();
}

// ---------------------------------------------------------------- focus

void Training::answerFocused(int slot) {
    if (m_screen.focusedAnswer == slot)
        return;
    const int left = m_screen.focusedAnswer;
    m_screen.focusedAnswer = slot;
    if (left >= 0)
        answerLostFocus(left, true);
    answerGotFocus(slot);
}

void Training::otherControlFocused() {
    const int left = m_screen.focusedAnswer;
    m_screen.focusedAnswer = -1;
    if (left >= 0)
        answerLostFocus(left, true);
}

void Training::moveFocusTo(int slot, bool judgeLeftBox) {
    ++m_screen.focusMoves;
    if (m_screen.focusedAnswer == slot)
        return; // no move, no focus events
    const int left = m_screen.focusedAnswer;
    m_screen.focusedAnswer = slot;
    if (left >= 0)
        answerLostFocus(left, judgeLeftBox);
    answerGotFocus(slot);
}

void Training::answerGotFocus(int slot) {
    m_state.courant = static_cast<qint16>(slot);
    if (m_screen.corrigerEnabled) {
        m_screen.defaultButton = DefaultButton::Command2;
        if (secondsCriterion()) {
            m_state.chrono = 0;
            m_screen.timer3.enable();
        }
        for (int j = 0; j < kSlots; ++j) {
            SlotView& view = m_screen.slotViews[j];
            if (j == slot) {
                view.tirageColour = Colour::LightGreen;
                view.solutionColour = Colour::LightYellow;
            } else {
                paintAtRest(view);
            }
        }
    }
    placerlettres(m_screen.slotViews[slot].tirage);
}

void Training::answerLostFocus(int slot, bool judgeAnswer) {
    m_screen.timer3.disable();
    if (!m_screen.corrigerEnabled)
        return;
    // An empty slot has no entry to compare with: it is never judged.
    if (judgeAnswer && secondsCriterion() && m_state.numeros[slot] >= 0)
        judge(slot);
    paintAtRest(m_screen.slotViews[slot]);
}

void Training::judge(int slot) {
    const bool fast = threshold() > m_state.chrono;
    const bool right =
        m_screen.slotViews[slot].solution == m_state.solutions[m_state.numeros[slot]];
    qint16& etat = m_state.etat[slot];
    if (right && fast) {
        if (etat != 0) {
            etat = 1;
            m_screen.voyant = texts::judgedOk;
        }
    } else {
        etat = 0;
        m_screen.voyant = texts::judgedNo;
    }
}

// ---------------------------------------------------------------- answer boxes

void Training::answerEdited(int slot, const QString& text) {
    setAnswerText(slot, text);
}

// An answer is never longer than the slot's draw box text: the last character
// goes, one beep each, until it fits.
void Training::setAnswerText(int slot, const QString& text) {
    SlotView& view = m_screen.slotViews[slot];
    view.solution = text;
    const qsizetype limit = view.tirage.size();
    while (view.solution.size() > limit) {
        view.solution.chop(1);
        ++m_screen.beeps;
    }
}

void Training::answerKeyDown(int, Key key) {
    switch (key) {
    case Key::Down:
        command2Clicked();
        break;
    case Key::Up:
        moveFocusTo(m_state.courant == 0 ? kSlots - 1 : m_state.courant - 1);
        break;
    case Key::F12:
        if (m_screen.corrigerEnabled)
            corrigerClicked();
        break;
    case Key::F8:
        restartClicked();
        break;
    case Key::Other:
        break;
    }
}

void Training::enterPressed() {
    if (m_screen.defaultButton == DefaultButton::Command2)
        command2Clicked();
    else
        validerClicked();
}

void Training::command2Clicked() {
    moveFocusTo(m_state.courant == kSlots - 1 ? 0 : m_state.courant + 1);
}

// ---------------------------------------------------------------- search box

void Training::rechercheClicked() {
    m_screen.defaultButton = DefaultButton::Valider;
    // The answer box the validation will fill stays marked.
    SlotView& current = m_screen.slotViews[m_state.courant];
    current.tirageColour = Colour::LightCyan;
    current.solutionColour = Colour::LightYellow;
}

void Training::rechercheEdited(const QString& text) {
    m_screen.recherche = text;
}

void Training::validerClicked() {
    setAnswerText(m_state.courant, m_screen.recherche);
    m_screen.recherche.clear();
    moveFocusTo(m_state.courant);
    command2Clicked();
}

// ---------------------------------------------------------------- pause, display

void Training::command5Clicked() {
    if (m_screen.pauseCaption == texts::pause) {
        m_screen.timer1.disable();
        m_screen.timer2.disable();
        m_screen.rechercheEnabled = false;
        m_screen.pauseCaption = texts::resume;
        m_screen.answersReadOnly = true;
    } else {
        if (m_screen.corrigerEnabled)
            m_screen.timer1.enable();
        m_screen.timer2.enable();
        m_screen.rechercheEnabled = true;
        m_screen.pauseCaption = texts::pause;
        m_screen.answersReadOnly = false;
    }
}

void Training::command3Clicked() {
    const texts::FontStep& step = texts::fontCycle[static_cast<std::size_t>(m_state.numpolice - 1)];
    m_screen.tirageFont = step.family;
    if (step.answersToo)
        m_screen.solutionFont = step.family;
    if (step.italicsOff)
        m_screen.tirageItalic = false;
    m_state.numpolice = static_cast<qint16>(m_state.numpolice % texts::fontCycle.size() + 1);
    m_screen.police = QString::number(m_state.numpolice);
}

void Training::check1Clicked(bool checked) {
    m_screen.clocksVisible = checked;
}

void Training::quitterClicked() {
    m_screen.tileColour = Colour::LightBlue;
    m_state.tempsrestant = kSeriesSeconds;
    m_state.tempstotal = 0;
    m_state.lettre = -1;
    m_state.compteseries = 0;
    m_screen.nbseries = texts::seriesDoneReset;
}

// ---------------------------------------------------------------- tiles

void Training::placerlettres(const QString& draw) {
    const QString letters = tileLetters(draw);
    if (letters.isEmpty() || letters.size() > kTiles)
        return;
    for (TileView& tile : m_screen.tiles)
        tile.caption.clear();
    for (int k = 0; k < letters.size(); ++k) {
        m_screen.tiles[k].caption = letters.at(k);
        m_screen.tiles[k].left = tileHomeLeft(k);
    }
}

void Training::tileClicked(int k) {
    // The answer box being worked on stays marked while the focus is on a tile.
    SlotView& current = m_screen.slotViews[m_state.courant];
    current.tirageColour = Colour::LightCyan;
    current.solutionColour = Colour::LightYellow;

    if (m_state.lettre == -1) {
        m_state.lettre = static_cast<qint16>(k);
        return;
    }
    std::swap(m_screen.tiles[m_state.lettre].left, m_screen.tiles[k].left);
    m_state.lettre = -1;
}

// ---------------------------------------------------------------- criterion

void Training::criterionClicked() {
    if (m_screen.label6.startsWith(u'r')) {
        m_screen.label5 = texts::secondsBefore;
        m_screen.seuiltxtLeft += kCriterionShift;
        m_screen.seuiltxt = texts::secondsThreshold;
        m_screen.label6Left += kCriterionShift;
        m_screen.label6 = texts::secondsUnit;
    } else {
        m_screen.seuiltxtLeft = kSeuiltxtLeft;
        m_screen.seuiltxt = texts::successesThreshold;
        m_screen.label6Left = kLabel6Left;
        m_screen.label5 = texts::successesBeforeAgain;
        m_screen.label6 = texts::successesUnit;
    }
}

void Training::thresholdEdited(const QString& text) {
    m_screen.seuiltxt = text;
}

// ---------------------------------------------------------------- correction

void Training::corrigerClicked() {
    if (m_screen.corrigerEnabled)
        correction();
}

void Training::correction() {
    m_screen.timer1.disable();
    m_screen.timer3.disable();
    m_screen.tempsColour = Colour::Red;
    m_screen.restartEnabled = true;

    const int shown = shownCount();
    const int last = shown - 1;
    const bool seconds = secondsCriterion();
    // With an empty list no slot shows an entry and there is nothing to judge.
    if (seconds && shown > 0)
        judge(last);
    m_screen.corrigerEnabled = false;

    const double limit = threshold();
    qint16 found = 0;
    for (int i = 0; i < shown; ++i) {
        const int k = m_state.numeros[i];
        SlotView& view = m_screen.slotViews[i];
        if (view.solution == m_state.solutions[k]) {
            view.solutionColour = Colour::LightGreen;
            increment(found);
            if (!seconds) {
                const qint64 successes = m_state.reussites[k].toLongLong() + 1;
                m_state.reussites[k] = QString::number(successes);
                if (!(limit > static_cast<double>(successes))) {
                    m_state.tirages[k].clear();
                    m_state.solutions[k].clear();
                }
            }
        } else {
            view.solutionColour = Colour::LightRed;
            if (!view.solution.isEmpty())
                view.struckOut = true;
            else
                setAnswerText(i, view.tirage);
            view.tirage = m_state.solutions[k];
            view.tirageColour = Colour::LightGreen;
        }
    }

    if (seconds) {
        for (int i = 0; i < kSlots; ++i) {
            const int k = m_state.numeros[i];
            if (m_state.etat[i] == 1 && k >= 0) {
                m_state.tirages[k].clear();
                m_state.solutions[k].clear();
            }
        }
    }

    compaction();

    m_screen.score = QString::number(found) + u'/' + QString::number(shown);
    m_screen.scoreVisible = true;
    increment(m_state.compteseries);
    m_screen.nbseries = QString::number(m_state.compteseries) + texts::seriesDoneSuffix;
    m_screen.tps = timeUsed(m_screen.temps);
    m_screen.tpsVisible = true;
}

void Training::compaction() {
    // One pass keeps the remaining entries in order, success counts with them.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_state.nbmots; ++i) {
        if (m_state.tirages[i].isEmpty())
            continue;
        if (kept != i) {
            m_state.tirages[kept] = std::move(m_state.tirages[i]);
            m_state.solutions[kept] = std::move(m_state.solutions[i]);
            m_state.reussites[kept] = std::move(m_state.reussites[i]);
        }
        ++kept;
    }
    m_state.tirages.resize(kept);
    m_state.solutions.resize(kept);
    m_state.reussites.resize(kept);
    m_state.nbmots = static_cast<qint32>(kept);
    if (m_state.nbmots != 0)
        return;

    m_screen.timer2.disable();
    m_screen.tempstotColour = Colour::Red;
    m_screen.tileColour = Colour::LightRed;
    m_screen.motsleft = QStringLiteral("0");
    placerlettres(texts::bravo);
    m_screen.restartEnabled = false;
}

// ---------------------------------------------------------------- clocks

void Training::countdownEdited(const QString& text) {
    m_screen.temps = text;
}

void Training::totalEdited(const QString& text) {
    m_screen.tempstot = text;
}

void Training::countdownTick() {
    --m_state.tempsrestant;
    m_screen.temps = countdownText(m_state.tempsrestant);
    if (m_state.tempsrestant <= 0)
        correction();
}

void Training::totalTick() {
    ++m_state.tempstotal;
    m_screen.tempstot = totalText(m_state.tempstotal);
}

void Training::stopwatchTick() {
    increment(m_state.chrono);
}

} // namespace tirages
