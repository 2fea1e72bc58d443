#include "training/seriesrandom.h"

#include <QTime>
#include <algorithm>

namespace tirages::training {

quint64 timeOfDaySeed() {
    const QTime now = QTime::currentTime();
    const auto nanos = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000;
    return static_cast<quint64>(now.msecsSinceStartOfDay()) * 1000000u +
           static_cast<quint64>(nanos);
}

double SeriesRandom::next() {
    // The top 53 bits make an exact double in [0, 1).
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

qsizetype SeriesRandom::index(qsizetype size) {
    const auto p = static_cast<qsizetype>(next() * static_cast<double>(size));
    // r * size may round up to size for r just below 1.
    return std::min(p, size - 1);
}

} // namespace tirages::training
