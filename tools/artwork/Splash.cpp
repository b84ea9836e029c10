#include "Splash.h"

#include <cmath>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;
constexpr int kCentre = 32;
constexpr int kDomeRows = 20;  // rows 0 .. 19; the reflection begins at row 19
constexpr int kWidestRow = 17; // rows 17 .. 19 are the widest

// Highest alpha of each row, on the centre column: the dome climbs to 252 and holds it,
// the reflection falls off by about a quarter per row.
constexpr int kRowPeak[kHeight] = {
    121, 152, 180, 204, 223, 237, 246, 251, 252, 252, 252, 252, 252, 252, 252, 252,
    251, 250, 222, 191, 147, 113, 87,  66,  51,  39,  30,  23,  18,  14,  10,  8,
};

// Half-width of each row: the row covers columns centre - k .. centre + k.
int HalfWidth(int row) {
    if (row >= kDomeRows)
        return 47 - row; // the reflection narrows from 27 to 16
    if (row >= kWidestRow)
        return 30;
    const double fromTop = 1.0 - static_cast<double>(row) / kWidestRow;
    return static_cast<int>(std::lround(1.0 + 29.0 * (1.0 - fromTop * fromTop)));
}

uint32_t PaleBlue(int alpha) {
    const auto a = static_cast<uint32_t>(alpha);
    return (a << 24) | ((a * 200 / 255) << 16) | ((a * 230 / 255) << 8) | a;
}

} // namespace

CRaster MakeSplash() {
    CRaster splash(kWidth, kHeight);
    for (int row = 0; row < kHeight; ++row) {
        const int k = HalfWidth(row);
        for (int x = kCentre - k; x <= kCentre + k; ++x) {
            // Falls to about half the row's peak at the rim.
            const double d = static_cast<double>(x - kCentre) / (k + 1);
            const auto alpha = static_cast<int>(std::lround(kRowPeak[row] * (1.0 - 0.55 * d * d)));
            splash.At(x, row) = PaleBlue(alpha);
        }
    }
    return splash;
}
