#include "tests/reference/CSetEmbraReference.h"

#include "effects/engine/ScreenSize.h"
#include "graphics/CBmp.h"
#include "graphics/PixelMath.h"

#include <cstddef>
#include <cstring>

bool CSetEmbraReference::Start() {
    if (!CSetEmbra::Start())
        return false;
    return rowLocks.Allocate(screenHeight) || Fail();
}

void CSetEmbraReference::StepAndDraw(int worker, CItem* itemArray) {
    (void)worker;
    if (itemArray)
        StepFlames(ItemsAs<CItemEmbra>(itemArray), AnimatedCount());
}

void CSetEmbraReference::ApplyOpacity(CBmp& band) {
    const int percent = vis.Bounded();
    if (percent < 100)
        ScaleBytes(band, percent);
}

int64_t CSetEmbraReference::StepFlames(CItemEmbra* flames, int32_t count) {
    int64_t drawn = 0;
    for (int32_t i = 0; i < count; ++i) {
        CItemEmbra& flame = flames[i];
        flame.x += flame.dx;
        flame.y += flame.dy;
        flame.life -= 100;
        if (flame.life < 0)
            flame.Respawn(lifeCut.get(), drift.get(), 0);
        drawn += DrawFlame(flame);
    }
    return drawn;
}

// Life >> 8 counts the frames from the last one: entry j is frame frameCount - 1 - j, and
// entries past the frames draw nothing.
int64_t CSetEmbraReference::DrawFlame(const CItemEmbra& flame) {
    const int32_t j = flame.life >> 8;
    if (!frameBuffer.pixels || j < 0 || j >= frameCount)
        return 0;
    const CBmp& frame = frames[frameCount - 1 - j];
    const int32_t w = frame.width;
    const int32_t h = frame.height;
    const int32_t top = flame.y + frames[0].height - 1 - h;
    int64_t drawn = 0;
    CRowLocks::CHold hold(workerCount > 1 ? &rowLocks : nullptr);
    for (int32_t v = h - 1; v >= 0; --v)
        for (int32_t u = w - 1; u >= 0; --u) {
            const int32_t row = top + v;
            const int32_t column = flame.x + u;
            if (row < 0 || row >= frameBuffer.height || column < 0 || column >= frameBuffer.width)
                continue;
            hold.Row(row);
            const std::size_t target = (std::size_t{4} * row * frameBuffer.width) + 4u * column;
            BlendPixel(frameBuffer.pixels + target,
                       frame.pixels + (std::size_t{4} * v * w) + 4u * u, colourTable);
            ++drawn;
        }
    return drawn;
}

void CSetEmbraReference::BlendPixel(uint8_t* target, const uint8_t* sprite,
                                    const ColourTable& table) {
    const uint32_t s = sprite[3];
    const uint32_t d = target[3];
    if (d == 255 || s == 0)
        return;
    if (s == 255) {
        std::memcpy(target, sprite, 4);
        return;
    }
    const uint32_t a = d == 0 ? s : s + d - s * d / 255;
    // Each channel v becomes (T[a]*a + v*(255 - a)) / 256.
    target[0] = static_cast<uint8_t>((table.blue[a] * a + target[0] * (255 - a)) / 256);
    target[1] = static_cast<uint8_t>((table.green[a] * a + target[1] * (255 - a)) / 256);
    target[2] = static_cast<uint8_t>((table.red[a] * a + target[2] * (255 - a)) / 256);
    target[3] = static_cast<uint8_t>(a);
}

void CSetEmbraReference::ScaleBytes(CBmp& bitmap, int percent) {
    const uint32_t k = PixelMath::OpacityFactor(percent);
    for (int32_t i = 0; i < bitmap.byteSize; ++i)
        bitmap.pixels[i] = static_cast<uint8_t>(bitmap.pixels[i] * k / 256);
}
