#include "support/CFrameCanary.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kLeastGuard = 64 * 1024;

} // namespace

CFrameCanary::CFrameCanary(CBmp& frameBuffer)
    : guard(std::max(kLeastGuard, static_cast<std::size_t>(frameBuffer.byteSize))),
      pixelBytes(static_cast<std::size_t>(frameBuffer.byteSize)), block(2 * guard + pixelBytes) {
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = Pattern(i);
    if (frameBuffer.pixels)
        std::memcpy(block.data() + guard, frameBuffer.pixels, pixelBytes);
    const int width = frameBuffer.width;
    const int height = frameBuffer.height;
    frameBuffer.Wrap(block.data(), static_cast<int>(guard), width, height);
}

bool CFrameCanary::Intact() const {
    for (std::size_t i = 0; i < guard; ++i)
        if (block[i] != Pattern(i))
            return false;
    for (std::size_t i = guard + pixelBytes; i < block.size(); ++i)
        if (block[i] != Pattern(i))
            return false;
    return true;
}

// Neighbouring bytes differ, so a stray pixel word is all but sure to change one.
uint8_t CFrameCanary::Pattern(std::size_t index) {
    return static_cast<uint8_t>(index * 131 + 7);
}
