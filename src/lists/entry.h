#pragma once

#include <QList>
#include <QString>
#include <QTypeInfo>

namespace tirages::lists {

// One line of a list file: the draw shown to the player and the word expected.
struct Entry {
    QString draw;
    QString expected;
    friend bool operator==(const Entry&, const Entry&) = default;
};

} // namespace tirages::lists

// Its texts may be moved in memory as bytes: a list grows without copying them.
Q_DECLARE_TYPEINFO(tirages::lists::Entry, Q_RELOCATABLE_TYPE);
