#include "training/tiles.h"

#include "training/rules.h"

#include <numeric>

namespace tirages::training {

TileRack::TileRack() {
    std::iota(m_places.begin(), m_places.end(), 0);
}

void TileRack::layTiles(const QString& draw) {
    const QString letters = tileLetters(draw);
    if (letters.isEmpty() || letters.size() > kTiles)
        return;
    for (QString& caption : m_captions)
        caption.clear();
    for (int k = 0; k < letters.size(); ++k) {
        m_captions[static_cast<std::size_t>(k)] = letters.at(k);
        m_places[static_cast<std::size_t>(k)] = k;
    }
}

void TileRack::click(int k) {
    if (m_selected == -1) {
        m_selected = static_cast<qint16>(k);
        return;
    }
    std::swap(m_places[static_cast<std::size_t>(m_selected)],
              m_places[static_cast<std::size_t>(k)]);
    m_selected = -1;
}

} // namespace tirages::training
