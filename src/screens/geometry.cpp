#include "screens/geometry.h"

#include <QtMath>
#include <array>

namespace tirages::screens {

int toPixels(int twips) {
    return qRound(static_cast<double>(twips) / kTwipsPerPixel);
}

QRect toPixels(const Twips& twips) {
    return {toPixels(twips.left), toPixels(twips.top), toPixels(twips.width),
            toPixels(twips.height)};
}

namespace trainingLayout {
namespace {

// Slots lie in three columns of ten; the third column is not on an even pitch.
struct Column {
    int frameLeft;
    int tirageLeft;
    int solutionLeft;
};
constexpr std::array<Column, 3> kColumns = {{
    {240, 360, 1680},
    {3120, 3240, 4560},
    {5880, 6000, 7320},
}};
constexpr int kSlotWidth = 1095;
constexpr int kSlotHeight = 285;
constexpr int kFirstRowTop = 600;
constexpr int kRowPitch = 480;
constexpr int kRows = 10;
constexpr int kTileTop = 5880;
constexpr int kTileSize = 375;
constexpr int kFirstTileLeft = 3000;
constexpr int kTilePitch = 360; // neighbouring tiles overlap by 15 twips
constexpr int kCriterionShift = 900;

int rowTop(int slot) {
    return kFirstRowTop + kRowPitch * (slot % kRows);
}

const Column& columnOf(int slot) {
    return kColumns[static_cast<std::size_t>(slot / kRows)];
}

} // namespace

Twips column(int c) {
    return {kColumns[static_cast<std::size_t>(c)].frameLeft, 360, 2655, 5055};
}

Twips draw(int slot) {
    return {columnOf(slot).tirageLeft, rowTop(slot), kSlotWidth, kSlotHeight};
}

Twips answer(int slot) {
    return {columnOf(slot).solutionLeft, rowTop(slot), kSlotWidth, kSlotHeight};
}

Twips tile(int k) {
    return {tileLeft(k), kTileTop, kTileSize, kTileSize};
}

int tileLeft(int place) {
    return kFirstTileLeft + kTilePitch * place;
}

Twips threshold(training::Criterion criterion) {
    const int shift = criterion == training::Criterion::Seconds ? kCriterionShift : 0;
    return {1800 + shift, 7200, 255, 225};
}

Twips thresholdUnit(training::Criterion criterion) {
    const int shift = criterion == training::Criterion::Seconds ? kCriterionShift : 0;
    return {2160 + shift, 7200, 660, 195};
}

} // namespace trainingLayout
} // namespace tirages::screens
