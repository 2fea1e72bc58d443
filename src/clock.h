#pragma once

#include <QDateTime>
#include <functional>

namespace tirages {

// The time of day, for whatever dates what it keeps or names: the system's
// clock in the program, one the test sets in tests.
using Clock = std::function<QDateTime()>;

} // namespace tirages
