#include "reviews/fsrs.h"

#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

// The arithmetic follows the reference implementation step by step, its
// roundings to eight decimals included, so that both give the same days.

namespace tirages::reviews {
namespace {

// FSRS-6's default parameters w0..w20, as published with the algorithm.
constexpr std::array<double, 21> w = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

constexpr double kMinimumStability = 0.001;
constexpr double kMaximumStability = 36500;

// JavaScript's Math.round, half up.
double jsRound(double x) {
    return std::floor(x + 0.5);
}

double round8(double x) {
    return jsRound(x * 1e8) / 1e8;
}

double decay() {
    return -w[20];
}

// Makes the chance of recall 90 % after `stability` days.
double factor() {
    static const double value = round8(std::exp(std::log(0.9) / decay()) - 1);
    return value;
}

double intervalModifier() {
    static const double value = round8((std::pow(kDesiredRetention, 1 / decay()) - 1) / factor());
    return value;
}

double forgettingCurve(double elapsedDays, double stability) {
    return round8(std::pow(1 + factor() * elapsedDays / stability, decay()));
}

int rating(Grade grade) {
    return static_cast<int>(grade);
}

double initialStability(Grade grade) {
    return std::max(w[static_cast<std::size_t>(rating(grade) - 1)], 0.1);
}

double initialDifficulty(Grade grade) {
    return round8(w[4] - std::exp((rating(grade) - 1) * w[5]) + 1);
}

double nextDifficulty(double d, Grade grade) {
    const double delta = -w[6] * (rating(grade) - 3);
    const double next = d + round8(delta * (10 - d) / 9);
    const double reverted = round8(w[7] * initialDifficulty(Grade::Easy) + (1 - w[7]) * next);
    return std::clamp(reverted, 1.0, 10.0);
}

double recallStability(double d, double s, double r, Grade grade) {
    const double hardPenalty = grade == Grade::Hard ? w[15] : 1;
    const double easyBonus = grade == Grade::Easy ? w[16] : 1;
    const double grown = s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                                      (std::exp((1 - r) * w[10]) - 1) * hardPenalty * easyBonus);
    return round8(std::clamp(grown, kMinimumStability, kMaximumStability));
}

double forgetStability(double d, double s, double r) {
    const double after = w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) *
                         std::exp((1 - r) * w[14]);
    return round8(std::clamp(after, kMinimumStability, kMaximumStability));
}

struct Memory {
    double stability;
    double difficulty;
};

Memory nextMemory(const Card& card, Grade grade, double r) {
    if (card.state == CardState::New)
        return {initialStability(grade), std::clamp(initialDifficulty(grade), 1.0, 10.0)};
    const double s = card.stability;
    const double d = card.difficulty;
    const double stability =
        grade == Grade::Again
            ? std::min(std::max(round8(s), kMinimumStability), forgetStability(d, s, r))
            : recallStability(d, s, r, grade);
    return {stability, nextDifficulty(d, grade)};
}

// The fuzz range of an interval: wider the longer the interval.
qint32 fuzzed(qint32 interval, qint32 elapsedDays, double fuzzFactor) {
    struct Range {
        double start, end, factor;
    };
    constexpr std::array<Range, 3> ranges = {
        {{2.5, 7, 0.15}, {7, 20, 0.1}, {20, std::numeric_limits<double>::infinity(), 0.05}}};
    double delta = 1;
    for (const Range& range : ranges)
        delta += range.factor * std::max(std::min<double>(interval, range.end) - range.start, 0.0);
    const double ivl = std::min(interval, kMaximumInterval);
    auto low = static_cast<qint32>(std::max(2.0, jsRound(ivl - delta)));
    const auto high = static_cast<qint32>(std::min(jsRound(ivl + delta), double{kMaximumInterval}));
    if (ivl > elapsedDays)
        low = std::max(low, elapsedDays + 1);
    low = std::min(low, high);
    return static_cast<qint32>(std::floor(fuzzFactor * (high - low + 1) + low));
}

qint32 interval(double stability, qint32 elapsedDays, const double* fuzzFactor) {
    const auto days = static_cast<qint32>(
        std::min(std::max(1.0, jsRound(stability * intervalModifier())), double{kMaximumInterval}));
    if (!fuzzFactor || days < 2.5)
        return days;
    return fuzzed(days, elapsedDays, *fuzzFactor);
}

} // namespace

// A memory that makes no sense (a card edited by hand, or brought from
// elsewhere) is not worked on: the question starts again as new.
static bool sound(const Card& card) {
    return card.state == CardState::New ||
           (card.state == CardState::Review && card.lastReview.isValid() &&
            std::isfinite(card.stability) && card.stability >= kMinimumStability &&
            std::isfinite(card.difficulty) && card.difficulty >= 1 && card.difficulty <= 10);
}

Review review(const Card& given, Grade grade, const QDateTime& at, QRandomGenerator* fuzz) {
    Card card = given;
    if (!sound(card)) {
        card.state = CardState::New;
        card.stability = card.difficulty = 0;
    }
    Review result{card, 0, false};
    if (card.state != CardState::New) {
        result.elapsedDays =
            static_cast<qint32>(std::max<qint64>(0, card.lastReview.date().daysTo(at.date())));
        // The drill of the day, or a clock set back: the date stays.
        if (result.elapsedDays == 0)
            return result;
    }
    const double r = card.state == CardState::New
                         ? 0
                         : forgettingCurve(result.elapsedDays, card.stability);
    // Each grade's interval is worked out, since each is kept apart from the
    // next one down; the same fuzz spreads them all.
    const double fuzzFactor = fuzz ? fuzz->generateDouble() : 0;
    std::array<qint32, 4> days{};
    Memory chosen{};
    for (const Grade g : {Grade::Again, Grade::Hard, Grade::Good, Grade::Easy}) {
        const Memory memory = nextMemory(card, g, r);
        days[static_cast<std::size_t>(rating(g) - 1)] =
            interval(memory.stability, result.elapsedDays, fuzz ? &fuzzFactor : nullptr);
        if (g == grade)
            chosen = memory;
    }
    days[0] = std::min(days[0], days[1]);
    days[1] = std::max(days[1], days[0] + 1);
    days[2] = std::max(days[2], days[1] + 1);
    days[3] = std::max(days[3], days[2] + 1);

    Card& next = result.card;
    if (grade == Grade::Again && card.state != CardState::New)
        ++next.lapses;
    ++next.reps;
    next.state = CardState::Review;
    next.stability = chosen.stability;
    next.difficulty = chosen.difficulty;
    next.scheduledDays = days[static_cast<std::size_t>(rating(grade) - 1)];
    next.lastReview = at;
    next.due = at.addDays(next.scheduledDays);
    result.scheduled = true;
    return result;
}

double retrievability(const Card& card, const QDateTime& at) {
    if (card.state == CardState::New || card.stability <= 0)
        return 0;
    const qint64 seconds = std::max<qint64>(0, card.lastReview.secsTo(at));
    return forgettingCurve(static_cast<double>(seconds) / 86400, card.stability);
}

} // namespace tirages::reviews
