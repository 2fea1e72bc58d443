#pragma once

#include <QString>

namespace tirages::session {

class Sittings;

// The folder « Parcourir… » opens in: the one a list was chosen in last, in
// this run or an earlier one, while it exists.
class ListFolder {
public:
    explicit ListFolder(const Sittings& sittings) : m_sittings(sittings) {}

    // That folder; `home` when there is none.
    QString folder(const QString& home) const;
    void chosen(const QString& path);

private:
    const Sittings& m_sittings;
    QString m_last;
};

} // namespace tirages::session
