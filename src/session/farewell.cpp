#include "session/farewell.h"

namespace tirages::session {
namespace {

constexpr qint16 kFarewellSeconds = 6;

} // namespace

QString Farewell::caption() const {
    return m_ticked ? QString::number(m_countdown) : QString();
}

void Farewell::start() {
    m_started = true;
    m_countdown = kFarewellSeconds;
}

bool Farewell::tick() {
    if (!m_started)
        return false;
    --m_countdown;
    m_ticked = true;
    return m_countdown == -1;
}

} // namespace tirages::session
