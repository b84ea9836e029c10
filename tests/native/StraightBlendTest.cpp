#include "graphics/StraightBlend.h"
#include "support/PixelWords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint8_t* Bytes(Words& words) {
    return reinterpret_cast<uint8_t*>(words.data());
}

// Source pixels whose blue is given per column (or per row), opaque, on no green or red.
Words Blues(const std::vector<uint32_t>& blues, int repeat, bool perColumn) {
    Words words;
    const int count = static_cast<int>(blues.size());
    for (int i = 0; i < count * repeat; ++i)
        words.push_back(0xFF000000 | blues[perColumn ? i % count : i / repeat]);
    return words;
}

} // namespace

TEST(StraightBlend, OverFollowsTheStraightAlphaRule) {
    struct Case {
        uint32_t source, target, result;
    };
    const Case cases[] = {
        {0x00FFFFFF, 0x12345678, 0x12345678}, // transparent: the target stays
        {0xFF102030, 0x12345678, 0xFF102030}, // opaque: copied
        {0x80FF8000, 0xFF0000FF, 0xBE7F407E}, // alpha (255*127 + 128*128) >> 8 = 190
        {0x01FFFFFF, 0x00000000, 0x00000000}, // 255*1 >> 8 = 0
        {0xFE000000, 0xFFFFFFFF, 0xFD000000}, // alpha (255 + 254*254) >> 8 = 253
    };
    for (const Case& c : cases) {
        CBmp source;
        Load(source, 2, 1, {c.source, c.source});
        Words target = {c.target, c.target};
        StraightBlend::Over(source, Bytes(target));
        EXPECT_EQ(target, Words(2, c.result)) << std::hex << c.source << " over " << c.target;
    }
}

TEST(StraightBlend, StretchedWidthKeepsTheBorderColumns) {
    // 4 x 4 source, borders 1: columns of blue 40, 80, 160, 200, stretched to 6 x 4. The
    // middle columns sample source columns 1, 1 + 1/3, 1 + 2/3 and 2 (weights 0, 85, 170, 0).
    CBmp source;
    Load(source, 4, 4, Blues({40, 80, 160, 200}, 4, true));
    Words target(6 * 4, 0xFF101010);
    ASSERT_TRUE(StraightBlend::Stretched(source, Bytes(target), 6, 4, 1, 1));
    // Row 0 is a border row (alpha 255): the target's 16 goes, the blue is mixed, times
    // 255/256 twice in the middle and once at the borders.
    const Words row0 = {0xFF000027, 0xFF00004F, 0xFF000069, 0xFF000084, 0xFF00009E, 0xFF0000C7};
    EXPECT_EQ(Words(target.begin(), target.begin() + 6), row0);
    // Row 1 is a middle row: the vertical pass gave (80*255) >> 8 = 79 and alpha 254, so 1/255
    // of the target's 16 stays (and rounds away).
    EXPECT_EQ(target[6], 0xFF000026u);     // (39*254 + 16) >> 8 = 38
    EXPECT_EQ(target[6 + 1], 0xFF00004Eu); // (16 + 79*255*254/256) >> 8 = 78
}

TEST(StraightBlend, StretchedHeightWithoutSideBorders) {
    // 2 x 4 source, borders (0, 1): rows of blue 40, 80, 160, 200 stretched to 2 x 6. The
    // columns sample at weight 0 only, so the last column never reads past the row.
    CBmp source;
    Load(source, 2, 4, Blues({40, 80, 160, 200}, 2, false));
    Words target(2 * 6, 0xFF101010);
    ASSERT_TRUE(StraightBlend::Stretched(source, Bytes(target), 2, 6, 0, 1));
    const uint32_t blues[] = {39, 78, 104, 130, 157, 198};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(target[std::size_t(y * 2 + x)], 0xFF000000 | blues[y]) << x << ", " << y;
}

TEST(StraightBlend, StretchedRefusesRectanglesBelowTwiceTheBorders) {
    CBmp source;
    Load(source, 10, 10, Words(100, 0xFFFFFFFF));
    struct Case {
        int width, height, borderX, borderY;
        bool fits;
    };
    const Case cases[] = {
        {10, 10, 4, 4, true}, {9, 10, 4, 4, false},
        {10, 9, 4, 4, false}, {30, 10, 5, 0, false}, // the source is narrower than 2*5 + 2
        {3, 3, -1, 0, false}, {2, 2, 0, 0, true},
    };
    for (const Case& c : cases) {
        Words target(std::size_t(c.width * c.height), 0x11223344);
        EXPECT_EQ(StraightBlend::Stretched(source, Bytes(target), c.width, c.height, c.borderX,
                                           c.borderY),
                  c.fits)
            << c.width << " x " << c.height;
        if (!c.fits) {
            EXPECT_EQ(target, Words(target.size(), 0x11223344));
        }
    }
}

// A picture scaled for the screen leaves the target alone where it is transparent; the
// bordered stretch darkens it there by 1/256 (the square a scaled face showed behind it).
// Where the picture is opaque, both blend alike.
TEST(StraightBlend, ScaledKeepsTheTargetUnderTransparentPixels) {
    CBmp source;
    Load(source, 4, 4, Words(16, 0x00000000));
    Words scaled(6 * 6, 0xFFF0F0F0);
    Words stretched = scaled;
    ASSERT_TRUE(StraightBlend::Scaled(source, Bytes(scaled), 6, 6));
    ASSERT_TRUE(StraightBlend::Stretched(source, Bytes(stretched), 6, 6, 0, 0));
    EXPECT_EQ(scaled, Words(36, 0xFFF0F0F0));
    EXPECT_EQ(stretched, Words(36, 0xFFEFEFEF));

    Load(source, 4, 4, Blues({40, 80, 160, 200}, 4, true));
    Words opaqueScaled(6 * 6, 0xFF101010);
    Words opaqueStretched = opaqueScaled;
    ASSERT_TRUE(StraightBlend::Scaled(source, Bytes(opaqueScaled), 6, 6));
    ASSERT_TRUE(StraightBlend::Stretched(source, Bytes(opaqueStretched), 6, 6, 0, 0));
    EXPECT_EQ(opaqueScaled, opaqueStretched);
}
