#pragma once

#include <QString>
#include <array>

namespace tirages::training {

inline constexpr int kTiles = 9;

// The nine letter tiles: the character each shows, the place it stands at
// (place p is the home of tile p), and the tile selected for an exchange.
class TileRack {
public:
    TileRack();

    const QString& caption(int k) const { return m_captions[static_cast<std::size_t>(k)]; }
    int place(int k) const { return m_places[static_cast<std::size_t>(k)]; }
    qint16 selected() const { return m_selected; }

    // Lays the characters of a draw, "+" left out, on tiles 0 onwards, each at
    // its home place. A text of no letters or of more than nine leaves the
    // tiles as they are.
    void layTiles(const QString& draw);
    // The first click selects a tile, the second exchanges the places of the
    // two tiles (the same tile twice: nothing moves) and clears the selection.
    void click(int k);
    void clearSelection() { m_selected = -1; }

private:
    std::array<QString, kTiles> m_captions;
    std::array<int, kTiles> m_places{};
    qint16 m_selected = -1;
};

} // namespace tirages::training
