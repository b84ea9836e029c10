#include "effects/engine/DirtyBox.h"

#include "graphics/CBmp.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kBlockPixels = 8; // 32 bytes, four 64-bit words

bool BlockNonZero(const uint32_t* pixels) {
    uint64_t words[4];
    std::memcpy(words, pixels, sizeof words);
    return ((words[0] | words[1]) | (words[2] | words[3])) != 0;
}

// The first non-zero pixel of row[from, to); `to` when there is none.
int32_t FirstNonZero(const uint32_t* row, int32_t from, int32_t to) {
    int32_t x = from;
    while (x + kBlockPixels <= to && !BlockNonZero(row + x))
        x += kBlockPixels;
    while (x < to && row[x] == 0)
        ++x;
    return x;
}

// One past the last non-zero pixel of row[from, to); `from` when there is none.
int32_t EndOfNonZero(const uint32_t* row, int32_t from, int32_t to) {
    int32_t x = to;
    while (x - kBlockPixels >= from && !BlockNonZero(row + x - kBlockPixels))
        x -= kBlockPixels;
    while (x > from && row[x - 1] == 0)
        --x;
    return x;
}

} // namespace

bool BoxEmpty(const DesktopRect& box) {
    return box.right <= box.left || box.bottom <= box.top;
}

DesktopRect NonZeroBox(const CBmp& band) {
    if (!band.pixels || band.width <= 0 || band.height <= 0)
        return {};
    const int32_t width = band.width;
    const auto* pixels = reinterpret_cast<const uint32_t*>(band.pixels);
    auto row = [&](int32_t y) { return pixels + static_cast<std::size_t>(y) * width; };
    DesktopRect box;
    int32_t y = 0;
    while (y < band.height && FirstNonZero(row(y), 0, width) == width)
        ++y;
    if (y == band.height)
        return {};
    box.top = y;
    box.left = FirstNonZero(row(y), 0, width);
    box.right = EndOfNonZero(row(y), box.left, width);
    int32_t last = band.height - 1;
    while (last > y && FirstNonZero(row(last), 0, width) == width)
        --last;
    box.bottom = last + 1;
    // Rows below the top one: only what lies outside the box can widen it.
    for (int32_t inner = y + 1; inner <= last; ++inner) {
        box.left = FirstNonZero(row(inner), 0, box.left);
        box.right = std::max(box.right, EndOfNonZero(row(inner), box.right, width));
    }
    return box;
}

DesktopRect UniteBoxes(const DesktopRect& a, const DesktopRect& b) {
    if (BoxEmpty(a))
        return b;
    if (BoxEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

DesktopRect ClipBox(const DesktopRect& box, int32_t width, int32_t height) {
    const DesktopRect clipped{std::max(box.left, 0), std::max(box.top, 0),
                              std::min(box.right, width), std::min(box.bottom, height)};
    return BoxEmpty(clipped) ? DesktopRect{} : clipped;
}
