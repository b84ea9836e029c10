#pragma once

#include "graphics/CBmp.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Guard bytes around a started set's frame buffer. The buffer's pixels move into the
// middle of a larger block whose two ends hold a known pattern, each end at least as large
// as the buffer, and the set draws on into the moved pixels. A write before the first or
// past the last pixel changes a guard byte, so Intact fails in every build, not only under
// AddressSanitizer. Stop only forgets the borrowed pixels, so the canary may go before or
// after the set's Stop, as long as the set no longer renders.
class CFrameCanary {
public:
    explicit CFrameCanary(CBmp& frameBuffer);

    // Every guard byte still holds the pattern.
    bool Intact() const;

private:
    static uint8_t Pattern(std::size_t index);

    std::size_t guard = 0;
    std::size_t pixelBytes = 0;
    std::vector<uint8_t> block;
};
