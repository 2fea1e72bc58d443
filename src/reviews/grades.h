#pragma once

// How an answer grades the review of its question: by whether it was right
// and how many seconds its box held the focus.

#include "reviews/fsrs.h"

#include <array>
#include <limits>

namespace tirages::reviews {

struct GradeLimit {
    Grade grade;
    bool right;
    qint32 fromSeconds; // the seconds of the answer, both ends included
    qint32 toSeconds;
};

inline constexpr qint32 kNoLimit = std::numeric_limits<qint32>::max();

// The first row an answer fits gives its grade.
inline constexpr std::array<GradeLimit, 4> kGradeLimits = {{
    {Grade::Again, false, 0, kNoLimit}, // wrong, or left empty
    {Grade::Easy, true, 0, 5},
    {Grade::Good, true, 6, 20},
    {Grade::Hard, true, 21, kNoLimit},
}};

constexpr Grade gradeOf(bool right, qint32 seconds) {
    for (const GradeLimit& limit : kGradeLimits) {
        if (limit.right == right && seconds >= limit.fromSeconds && seconds <= limit.toSeconds)
            return limit.grade;
    }
    return right ? Grade::Good : Grade::Again; // negative seconds: never measured
}

} // namespace tirages::reviews
