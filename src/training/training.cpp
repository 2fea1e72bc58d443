#include "training/training.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace tirages {

Training::Training(SeedSource seeds) : m_seeds(std::move(seeds)) {}

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
    const int shown = std::min<qint32>(m_state.nbmots, kSlots);
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
    moveFocusTo(0);
    m_screen.tempsColour = Colour::SystemWindow;
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

void Training::answerFocused(int slot) {
    m_screen.focusedAnswer = slot;
}

void Training::otherControlFocused() {
    m_screen.focusedAnswer = -1;
}

void Training::moveFocusTo(int slot) {
    m_screen.focusedAnswer = slot;
    ++m_screen.focusMoves;
}

} // namespace tirages
