#include "FlameSheet.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr int kSheetWidth = 256;
constexpr int kSheetHeight = 64;

// Size of each flame's bounding box and the alpha its brightest pixel reaches once the
// fire has scaled the mask by 150 / 255; largest flames first, sparks last.
struct FlameSize {
    int width;
    int height;
    int peakAlpha;
};

constexpr FlameSize kFlames[] = {
    {38, 64, 105}, {13, 64, 103}, {13, 64, 90},  {16, 57, 101}, {16, 58, 112},
    {14, 50, 115}, {16, 45, 114}, {13, 33, 114}, {12, 28, 108}, {10, 20, 74},
    {8, 15, 72},   {9, 12, 58},   {9, 9, 64},    {6, 7, 69},    {6, 6, 69},
    {5, 5, 60},    {4, 7, 150},   {4, 6, 150},   {4, 5, 150},   {3, 4, 150},
};
constexpr int kFlameCount = static_cast<int>(sizeof kFlames / sizeof kFlames[0]);

// The smallest mask value that 150 * value / 255 (truncated) maps to the wanted alpha.
int MaskPeak(int alpha) {
    return (alpha * 255 + 149) / 150;
}

// The faintest mask value that still gives a non-zero alpha after that scaling, so every
// drawn pixel counts towards the flame's bounding box.
constexpr int kMaskFloor = 2;

// How a flame is shaped: half-width in pixels and centre column of each row, counted from
// the bottom row (0). The widest row sits at 28 % of the height; below it the outline
// rounds off to half the width, above it it narrows as t^1.5 to a tip half a pixel wide.
struct FlameShape {
    int width;
    int height;
    int widestRow;
    double lean; // share of the half-width by which the tip leans sideways

    double Rise(int row) const {
        return static_cast<double>(row - widestRow) / (height - 1 - widestRow);
    }

    double HalfWidth(int row) const {
        const double full = (width - 1) / 2.0 - 0.5;
        if (row <= widestRow) {
            const double q = static_cast<double>(widestRow - row) / (widestRow + 1);
            return 0.5 + full * std::sqrt(1.0 - 0.75 * q * q);
        }
        const double t = 1.0 - Rise(row);
        return 0.5 + full * t * std::sqrt(t);
    }

    double Centre(int row) const {
        const double middle = (width - 1) / 2.0;
        if (row <= widestRow)
            return middle;
        const double rise = Rise(row);
        return middle + lean * middle * rise * rise;
    }

    // Brightness inside the outline: highest on the axis at 30 % of the height.
    double Heat(int x, int row) const {
        const double spread = HalfWidth(row) + 0.5;
        const double d = (x - Centre(row)) / spread;
        const double v = height > 1 ? static_cast<double>(row) / (height - 1) : 0.0;
        return (1.0 - d * d) * (0.35 + 0.65 * (1.0 - std::fabs(v - 0.3) / 0.7));
    }

    bool Inside(int x, int row) const {
        return std::fabs(x - Centre(row)) <= HalfWidth(row) + 1e-9;
    }
};

void DrawFlame(CRaster& sheet, int left, const FlameSize& size, double lean) {
    const FlameShape shape{size.width, size.height, (size.height - 1) * 28 / 100, lean};
    double hottest = 0.0;
    for (int row = 0; row < size.height; ++row)
        for (int x = 0; x < size.width; ++x)
            if (shape.Inside(x, row) && shape.Heat(x, row) > hottest)
                hottest = shape.Heat(x, row);
    const int peak = MaskPeak(size.peakAlpha);
    for (int row = 0; row < size.height; ++row) {
        for (int x = 0; x < size.width; ++x) {
            if (!shape.Inside(x, row))
                continue;
            const double share = shape.Heat(x, row) / hottest;
            const auto grey =
                static_cast<uint32_t>(kMaskFloor + std::lround((peak - kMaskFloor) * share));
            sheet.At(left + x, kSheetHeight - 1 - row) =
                (grey << 24) | (grey << 16) | (grey << 8) | grey;
        }
    }
}

} // namespace

CRaster MakeFlameSheet() {
    CRaster sheet(kSheetWidth, kSheetHeight);
    int used = 0;
    for (const FlameSize& flame : kFlames)
        used += flame.width;
    // The spare columns are spread over the gaps before, between and after the flames.
    const int spare = kSheetWidth - used;
    const int gaps = kFlameCount + 1;
    int left = 0;
    for (int i = 0; i < kFlameCount; ++i) {
        left += spare * (i + 1) / gaps - spare * i / gaps;
        DrawFlame(sheet, left, kFlames[i], i % 2 == 0 ? 0.25 : -0.25);
        left += kFlames[i].width;
    }
    return sheet;
}
