#include "graphics/StraightBlend.h"

#include <cstring>
#include <memory>
#include <new>

namespace StraightBlend {

namespace {

// Sample position of middle element i of `count` elements over a source span of
// `span` + 1 elements: index (i*span)/(count - 1) and weight ((i*span*255)/(count - 1)) mod 255.
struct Sample {
    int index;
    uint32_t weight;
};

Sample SampleAt(int i, int span, int count) {
    const int64_t position = int64_t{i} * span;
    return {static_cast<int>(position / (count - 1)),
            static_cast<uint32_t>(position * 255 / (count - 1) % 255)};
}

// (next*f + here*(255 - f)) >> 8. Where f is 0 the caller passes here as next, so the
// last sample never reaches past the end of its line.
uint32_t Lerp(uint32_t here, uint32_t next, uint32_t f) {
    return (next * f + here * (255 - f)) >> 8;
}

// Rows of the vertical stretch: the border rows copied, the middle rows interpolated.
void StretchRows(const CBmp& source, uint8_t* rows, int height, int borderY) {
    const std::size_t rowBytes = std::size_t(source.width) * kBytesPerPixel;
    const auto sourceRow = [&](int y) { return source.pixels + y * rowBytes; };
    for (int y = 0; y < borderY; ++y) {
        std::memcpy(rows + y * rowBytes, sourceRow(y), rowBytes);
        std::memcpy(rows + (height - borderY + y) * rowBytes,
                    sourceRow(source.height - borderY + y), rowBytes);
    }
    const int middle = height - 2 * borderY;
    const int span = source.height - 2 * borderY - 1;
    for (int i = 0; i < middle; ++i) {
        const Sample sample = SampleAt(i, span, middle);
        const uint8_t* here = sourceRow(borderY + sample.index);
        const uint8_t* next = sample.weight == 0 ? here : here + rowBytes;
        uint8_t* row = rows + (borderY + i) * rowBytes;
        for (std::size_t b = 0; b < rowBytes; ++b)
            row[b] = static_cast<uint8_t>(Lerp(here[b], next[b], sample.weight));
    }
}

// The middle columns: colour := (T*(255 - a) + ((p'*f + p*(255 - f))*a)/256) >> 8, with p
// and p' neighbouring stretched pixels and a the alpha of p; where a is 0 and keepClear is
// set, the target stays as it is.
void StretchColumns(const uint8_t* rows, int sourceWidth, uint8_t* target, int width, int height,
                    int borderX, bool keepClear) {
    const int middle = width - 2 * borderX;
    const int span = sourceWidth - 2 * borderX - 1;
    for (int i = 0; i < middle; ++i) {
        const Sample sample = SampleAt(i, span, middle);
        for (int y = 0; y < height; ++y) {
            const uint8_t* p =
                rows + (std::size_t(y) * sourceWidth + borderX + sample.index) * kBytesPerPixel;
            uint8_t* t = target + (std::size_t(y) * width + borderX + i) * kBytesPerPixel;
            const uint32_t a = p[kAlphaByte];
            if (keepClear && a == 0)
                continue;
            for (int lane = 0; lane < kAlphaByte; ++lane) {
                const uint32_t mix = sample.weight == 0 ? p[lane] * 255u
                                                        : p[lane + kBytesPerPixel] * sample.weight +
                                                              p[lane] * (255 - sample.weight);
                t[lane] = static_cast<uint8_t>((t[lane] * (255 - a) + mix * a / 256) >> 8);
            }
        }
    }
}

// Border column `from` of the stretched rows onto column `to` of the target:
// colour := (source*a + T*(255 - a)) >> 8.
void BlendColumn(const uint8_t* rows, int sourceWidth, int from, uint8_t* target, int width, int to,
                 int height) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = rows + (std::size_t(y) * sourceWidth + from) * kBytesPerPixel;
        uint8_t* t = target + (std::size_t(y) * width + to) * kBytesPerPixel;
        const uint32_t a = s[kAlphaByte];
        for (int lane = 0; lane < kAlphaByte; ++lane)
            t[lane] = static_cast<uint8_t>((s[lane] * a + t[lane] * (255 - a)) >> 8);
    }
}

} // namespace

void Over(const CBmp& source, uint8_t* target) {
    if (!source.pixels || !target)
        return;
    for (int32_t i = source.byteSize - kBytesPerPixel; i >= 0; i -= kBytesPerPixel) {
        const uint8_t* s = source.pixels + i;
        uint8_t* t = target + i;
        const uint32_t a = s[kAlphaByte];
        if (a == 0)
            continue;
        if (a == 255) {
            std::memcpy(t, s, kBytesPerPixel);
            continue;
        }
        t[kAlphaByte] = static_cast<uint8_t>((t[kAlphaByte] * (255 - a) + a * a) >> 8);
        for (int lane = 0; lane < kAlphaByte; ++lane)
            t[lane] = static_cast<uint8_t>((t[lane] * (255 - a) + s[lane] * a) >> 8);
    }
}

bool Fits(const CBmp& source, int width, int height, int borderX, int borderY) {
    if (!source.pixels || borderX < 0 || borderY < 0)
        return false;
    const int64_t needX = 2 * int64_t{borderX} + 2;
    const int64_t needY = 2 * int64_t{borderY} + 2;
    return width >= needX && height >= needY && source.width >= needX && source.height >= needY;
}

bool Stretched(const CBmp& source, uint8_t* target, int width, int height, int borderX,
               int borderY) {
    if (!target || !Fits(source, width, height, borderX, borderY))
        return false;
    const std::size_t rowsBytes = std::size_t(source.width) * height * kBytesPerPixel;
    const std::unique_ptr<uint8_t[]> rows(new (std::nothrow) uint8_t[rowsBytes]);
    if (!rows)
        return false;
    StretchRows(source, rows.get(), height, borderY);
    StretchColumns(rows.get(), source.width, target, width, height, borderX, false);
    for (int c = 0; c < borderX; ++c) {
        BlendColumn(rows.get(), source.width, c, target, width, c, height);
        BlendColumn(rows.get(), source.width, source.width - borderX + c, target, width,
                    width - borderX + c, height);
    }
    return true;
}

bool Scaled(const CBmp& source, uint8_t* target, int width, int height) {
    if (!target || !Fits(source, width, height, 0, 0))
        return false;
    const std::size_t rowsBytes = std::size_t(source.width) * height * kBytesPerPixel;
    const std::unique_ptr<uint8_t[]> rows(new (std::nothrow) uint8_t[rowsBytes]);
    if (!rows)
        return false;
    StretchRows(source, rows.get(), height, 0);
    StretchColumns(rows.get(), source.width, target, width, height, 0, true);
    return true;
}

} // namespace StraightBlend
