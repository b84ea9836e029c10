#pragma once

#include "effects/engine/CDrawTarget.h"

#include <cstddef>
#include <cstdint>

// The fire's blend of a run of sprite pixels into a run of frame-buffer pixels (both
// blue, green, red, alpha), with the per-alpha products precomputed. For a sprite alpha s
// over a target alpha d the pixel is left alone when d = 255 or s = 0, copied when
// s = 255, and otherwise takes the alpha a = s + d - s*d/255 and, per channel of old value
// v, the colour (T[a]*a + v*(255 - a)) / 256, T being that channel's colour table. The
// result is the same byte for byte as blending the pixels one by one.
class CFlameBlender {
public:
    // The columns [first, end) of a sprite row that hold every pixel of non-zero alpha;
    // first = end for a row without any.
    struct RowSpan {
        int32_t first;
        int32_t end;
    };

    // Four pixels at their byte offsets from a sprite's and a target's origin.
    struct Group {
        int32_t sprite;
        int32_t target;
    };

    // Builds the products from the three colour tables, indexed by an alpha value.
    void SetColours(const uint8_t* blue, const uint8_t* green, const uint8_t* red);

    // Blends the sprite pixels [first, end) of a row into the target pixels [first, end).
    // Pixels [0, reach) of both rows may be read (end <= reach), and the sprite pixels
    // there outside [first, end) must have alpha 0; target pixels there that the blend
    // leaves alone may be written back unchanged, so no other thread may write them
    // meanwhile.
    // `mayBeOpaque` tells that the sprite may hold pixels of alpha 255, which the fast path
    // leaves out.
    void BlendRow(uint8_t* target, const uint8_t* sprite, int32_t first, int32_t end, int32_t reach,
                  bool mayBeOpaque) const;
    // Blends `rows` rows of a sprite, each row's span clipped to the columns
    // [firstU, endU). `target` and `sprite` point at column firstU of the first row, the
    // strides are in bytes and spans[0] is the first row's span (in sprite columns).
    void BlendSprite(uint8_t* target, std::ptrdiff_t targetStride, const uint8_t* sprite,
                     std::ptrdiff_t spriteStride, const RowSpan* spans, int32_t rows,
                     int32_t firstU, int32_t endU, bool mayBeOpaque) const;
    // Blends `count` groups of four sprite pixels, each group's target pixels at its
    // offset less `shift` from `target`. No two consecutive groups may share a pixel, and
    // no sprite pixel may have alpha 255.
    void BlendGroupList(uint8_t* target, std::ptrdiff_t shift, const uint8_t* sprite,
                        const Group* groups, int32_t count) const;
    // One pixel at a time, with the same tables.
    void BlendPixel(uint8_t* target, const uint8_t* sprite) const;

    // The fast paths run in AVX2's encoding, and BlendGroupList takes two groups at a time
    // in its wide registers (the same bytes); true where the processor has AVX2.
    bool avx2 = FastestDrawPath() == CDrawPath::Avx2;

private:
    void BlendGroupRows(uint8_t* target, std::ptrdiff_t targetStride, const uint8_t* sprite,
                        std::ptrdiff_t spriteStride, const RowSpan* spans, int32_t rows,
                        int32_t firstU, int32_t endU) const;
    void BlendGroupRowsAvx2(uint8_t* target, std::ptrdiff_t targetStride, const uint8_t* sprite,
                            std::ptrdiff_t spriteStride, const RowSpan* spans, int32_t rows,
                            int32_t firstU, int32_t endU) const;
    void BlendGroupListAvx2(uint8_t* target, std::ptrdiff_t shift, const uint8_t* sprite,
                            const Group* groups, int32_t count) const;
    void BlendEight(uint8_t* target0, const uint8_t* sprite0, uint8_t* target1,
                    const uint8_t* sprite1) const;
    template <bool kMovedBack>
    void BlendFour(uint8_t* target, const uint8_t* sprite, int32_t done) const;
    void BlendGroups(uint8_t* target, const uint8_t* sprite, int32_t first, int32_t end,
                     int32_t reach) const;

    static constexpr int kKeep = 4; // where an entry's keeps begin
    // Per alpha a: T[a]*a for blue, green and red, and a*256 for the alpha, which the
    // final shift by 8 turns back into a; then from kKeep on, 255 - a for the three colours
    // and 0 for the alpha.
    alignas(16) uint16_t products[256][8] = {};
};
