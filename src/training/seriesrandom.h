#pragma once

#include <QtGlobal>
#include <functional>
#include <random>

namespace tirages::training {

// Where each series set-up takes its seed: the time of day in the program, a
// fixed sequence in tests.
using SeedSource = std::function<quint64()>;

// Nanoseconds since local midnight.
quint64 timeOfDaySeed();

// Uniform values in [0, 1) from a seed; the same seed gives the same values on
// every platform.
class SeriesRandom {
public:
    explicit SeriesRandom(quint64 seed) : m_engine(seed) {}
    double next();

    // A uniform index in [0, size); size must be positive.
    qsizetype index(qsizetype size);

private:
    std::mt19937_64 m_engine;
};

} // namespace tirages::training
