#pragma once

#include <QString>
#include <QtGlobal>

namespace tirages::session {

// The launcher's farewell after "Quitter": a countdown shown from 5 to 0, one
// step a tick, and the end of the program on the seventh tick.
class Farewell {
public:
    qint16 countdown() const { return m_countdown; }
    // The countdown as the launcher shows it; empty before the first tick.
    QString caption() const;

    void start();
    // One tick; true when the program must end now.
    bool tick();

private:
    bool m_started = false;
    bool m_ticked = false;
    qint16 m_countdown = 0;
};

} // namespace tirages::session
