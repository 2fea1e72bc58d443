#pragma once

#include <QString>

namespace tirages::lists {

// One line of a list file: the draw shown to the player and the word expected.
struct Entry {
    QString draw;
    QString expected;
    friend bool operator==(const Entry&, const Entry&) = default;
};

} // namespace tirages::lists
