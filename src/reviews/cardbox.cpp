#include "reviews/cardbox.h"

#include <algorithm>

namespace tirages::reviews {

QString alphagram(QStringView draw) {
    QString letters;
    letters.reserve(draw.size());
    for (const QChar c : draw) {
        if (c.isLetter())
            letters.append(c.toUpper());
    }
    std::sort(letters.begin(), letters.end());
    return letters;
}

namespace {

constexpr qint64 kFirstTime = 631152000; // 1990-01-01, UTC
constexpr qint64 kLastTime = 7258118400; // 2200-01-01, UTC

std::optional<qint64> plausible(const std::optional<qint64>& time) {
    if (time && *time >= kFirstTime && *time < kLastTime)
        return time;
    return std::nullopt;
}

} // namespace

qint32 clampedCount(qint64 count) {
    return static_cast<qint32>(std::clamp<qint64>(count, 0, 1000000));
}

std::optional<Card> cardFromCardbox(const CardboxRow& given) {
    CardboxRow row = given;
    row.lastCorrect = plausible(row.lastCorrect);
    row.nextScheduled = plausible(row.nextScheduled);
    for (qint32* count : {&row.correct, &row.incorrect, &row.streak})
        *count = clampedCount(*count);
    if (!row.cardbox || !row.nextScheduled)
        return std::nullopt;
    constexpr double kSecondsADay = 86400;
    const bool everRight = row.correct > 0 && row.lastCorrect;
    // In UTC: the dates are whole seconds either way, and the cardbox counts
    // its days from them.
    Card card;
    card.state = CardState::Review;
    card.due = QDateTime::fromSecsSinceEpoch(*row.nextScheduled, Qt::UTC);
    if (!everRight) {
        // Its last review is not told: taken a day before it comes back, as
        // box 0 would have it.
        card.stability = 0.2;
        card.lastReview = card.due.addDays(-1);
    } else {
        const double days = static_cast<double>(*row.nextScheduled - *row.lastCorrect) / kSecondsADay;
        card.stability =
            days <= 0 || *row.cardbox == 0 ? 1.0 : std::min<double>(days, kMaximumInterval);
        card.lastReview = QDateTime::fromSecsSinceEpoch(*row.lastCorrect, Qt::UTC);
    }
    card.difficulty = std::clamp(5.0 + row.incorrect - 0.5 * row.correct, 1.0, 10.0);
    card.scheduledDays = std::max<qint32>(0, static_cast<qint32>(card.lastReview.daysTo(card.due)));
    card.reps = std::max(0, row.correct) + std::max(0, row.incorrect);
    card.lapses = std::max(0, row.incorrect);
    return card;
}

qint32 boxOf(double stability) {
    const auto past = std::upper_bound(kCardboxDays.begin(), kCardboxDays.end(), stability);
    return std::max<qint32>(0, static_cast<qint32>(past - kCardboxDays.begin()) - 1);
}

void addToCardbox(CardboxRow& row, const Card& card, const Answered& answered) {
    Answered told = answered;
    if (told.right + told.wrong == 0 && card.reps > 0) {
        told.wrong = card.lapses;
        told.right = std::max(0, card.reps - card.lapses);
        told.streak = 0;
        if (told.right > 0 && card.lastReview.isValid())
            told.lastRight = card.lastReview.toSecsSinceEpoch();
    }
    const qint32 box = boxOf(card.stability);
    const std::optional<qint64> due =
        card.due.isValid() ? std::optional(card.due.toSecsSinceEpoch()) : std::nullopt;
    if (!row.cardbox) {
        row.cardbox = box;
        row.nextScheduled = due;
        row.streak = told.streak;
    } else {
        row.cardbox = std::min(*row.cardbox, box);
        if (due && (!row.nextScheduled || *due < *row.nextScheduled))
            row.nextScheduled = due;
        row.streak = std::min(row.streak, told.streak);
    }
    row.correct += told.right;
    row.incorrect += told.wrong;
    if (told.lastRight && (!row.lastCorrect || *told.lastRight > *row.lastCorrect))
        row.lastCorrect = told.lastRight;
}

} // namespace tirages::reviews
