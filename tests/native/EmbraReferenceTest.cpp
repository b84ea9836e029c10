// The fast fire renderer against the scalar reference: the same bytes, pixel by pixel and
// band by band.

#include "effects/fire/CFlameBlender.h"
#include "graphics/CBmp.h"
#include "graphics/PixelMath.h"
#include "support/EmbraRig.h"
#include "support/ScrambledTable.h"
#include "tests/reference/CSetEmbraReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

TEST(EmbraFastMath, DivideBy255IsExactForEveryProductOfTwoBytes) {
    for (uint32_t x = 0; x < 65535; ++x)
        ASSERT_EQ(x / 255, PixelMath::DivideBy255(x)) << x;
}

// Every pair of sprite and target alphas, in rows of 7 pixels (one group of four and a
// tail of three) whose alphas and colours differ from pixel to pixel, so that groups mix
// skipped, copied and blended pixels; as a row, as a sprite of one row and as a list of
// groups, whose fast paths run in SSE2's encoding and, where the processor has it, AVX2's.
TEST(EmbraFastMath, BlendRowMatchesThePixelByPixelBlend) {
    const CSetEmbra::ColourTable table = ScrambledTable();
    CFlameBlender blender;
    blender.SetColours(table.blue, table.green, table.red);
    constexpr int32_t kRow = 7;
    const CFlameBlender::RowSpan span{0, kRow};
    std::vector<bool> encodings = {false};
    if (blender.avx2)
        encodings.push_back(true);
    for (uint32_t s = 0; s < 256; ++s)
        for (uint32_t d = 0; d < 256; ++d) {
            uint8_t sprite[4 * kRow];
            uint8_t expected[4 * kRow];
            bool opaque = false;
            for (uint32_t i = 0; i < kRow; ++i) {
                const uint8_t spriteAlpha = static_cast<uint8_t>(s + 37 * i);
                const uint8_t targetAlpha = static_cast<uint8_t>(d + 91 * i);
                const uint8_t spritePixel[4] = {static_cast<uint8_t>(s ^ i), 9, 200, spriteAlpha};
                const uint8_t targetPixel[4] = {static_cast<uint8_t>(d), static_cast<uint8_t>(s),
                                                static_cast<uint8_t>(255 - d), targetAlpha};
                std::memcpy(sprite + 4 * i, spritePixel, 4);
                std::memcpy(expected + 4 * i, targetPixel, 4);
                opaque = opaque || spriteAlpha == 255;
            }
            uint8_t fast[4 * kRow];
            uint8_t oneByOne[4 * kRow];
            std::memcpy(fast, expected, sizeof fast);
            std::memcpy(oneByOne, expected, sizeof oneByOne);
            for (int32_t i = 0; i < kRow; ++i)
                CSetEmbraReference::BlendPixel(expected + 4 * i, sprite + 4 * i, table);
            for (const bool avx2 : encodings) {
                uint8_t rows[4 * kRow];
                std::memcpy(rows, fast, sizeof rows);
                blender.avx2 = avx2;
                blender.BlendSprite(rows, sizeof rows, sprite, sizeof rows, &span, 1, 0, kRow,
                                    opaque);
                ASSERT_EQ(0, std::memcmp(expected, rows, sizeof rows))
                    << s << " over " << d << (avx2 ? ", sprite rows in AVX2's encoding" : "");
            }
            // The same row as two groups of four, the eighth pixel transparent, as a sprite
            // without alpha 255 is blended whole.
            for (const bool avx2 : opaque ? std::vector<bool>{} : encodings) {
                uint8_t padded[4 * (kRow + 1)] = {};
                uint8_t groupRow[4 * (kRow + 1)] = {};
                std::memcpy(padded, sprite, sizeof sprite);
                std::memcpy(groupRow, fast, sizeof fast);
                const CFlameBlender::Group groups[] = {{0, 0}, {16, 16}};
                blender.avx2 = avx2;
                blender.BlendGroupList(groupRow, 0, padded, groups, 2);
                ASSERT_EQ(0, std::memcmp(expected, groupRow, sizeof expected))
                    << s << " over " << d << (avx2 ? ", two groups at once" : ", as groups");
            }
            blender.BlendRow(fast, sprite, 0, kRow, kRow, opaque);
            blender.BlendRow(oneByOne, sprite, 0, kRow, kRow, true);
            ASSERT_EQ(0, std::memcmp(expected, fast, sizeof fast)) << s << " over " << d;
            ASSERT_EQ(0, std::memcmp(expected, oneByOne, sizeof fast)) << s << " over " << d;
        }
}

// Every percentage over every byte value, on a bitmap whose size is not a multiple of the
// 16 or 32 bytes the fast loops take at once, with a run of zero bytes that covers whole
// blocks (which the fast loops leave as they are) and parts of others.
TEST(EmbraFastMath, ScaleAllMatchesTheByteByByteScaling) {
    for (int percent = -1; percent <= 101; ++percent) {
        CBmp fast;
        CBmp expected;
        fast.Create(67, 1);
        expected.Create(67, 1);
        for (int32_t i = 0; i < fast.byteSize; ++i)
            fast.pixels[i] = expected.pixels[i] = static_cast<uint8_t>(i * 97 + percent);
        std::memset(fast.pixels + 40, 0, 100);
        std::memset(expected.pixels + 40, 0, 100);
        fast.ScaleAll(percent);
        CSetEmbraReference::ScaleBytes(expected, percent);
        ASSERT_EQ(0, std::memcmp(expected.pixels, fast.pixels, fast.byteSize)) << percent;
    }
}

struct BandCase {
    const char* what;
    int32_t width;
    int32_t height;
    uint32_t seed;
    int vis;
    int items;
    int32_t stripColumns = 1920;
};

// The band presented after each of `frames` frames of one worker, fire started with the
// case's seed and parameters.
template <class TRig>
std::vector<std::vector<uint8_t>> PresentedBands(const BandCase& c, int32_t frames) {
    TRig rig(c.width, c.height);
    rig.set.vis.Set(c.vis);
    rig.set.items.Set(c.items);
    rig.set.stripColumns = c.stripColumns;
    std::vector<std::vector<uint8_t>> bands;
    if (!rig.Start(c.seed))
        return bands;
    CRandom::Seed(0);
    for (int32_t frame = 0; frame < frames; ++frame) {
        rig.set.Render(0, &rig.runFlag);
        CBmp band;
        rig.desktop.CopyLastPresented(&band);
        bands.emplace_back(band.pixels, band.pixels + band.byteSize);
    }
    return bands;
}

// Each run covers two profile changes (frames 21 and 27 .. 66).
TEST(EmbraFastRenderer, PresentsTheReferenceBandsEveryFrame) {
    constexpr int32_t kFrames = 70;
    const BandCase cases[] = {
        {"defaults", 640, 480, 1, 50, 100},
        {"least opacity and flames", 640, 480, 2024, 10, 30},
        {"full opacity, no opacity pass", 640, 480, 7, 100, 100},
        {"full opacity, fewest flames", 500, 400, 99, 100, 30},
        {"least opacity, every flame", 800, 600, 12345, 10, 100},
        {"odd width", 333, 401, 5, 50, 100},
        {"narrower than the widest sprite", 31, 360, 3, 50, 100},
        {"narrow and odd, fewest flames", 37, 365, 11, 10, 30},
        {"shorter than the band's reach", 97, 250, 8, 50, 100},
        {"wide", 1280, 720, 42, 50, 100},
        // Strips of 640, the last one 30 columns: flames cross the borders and both edges.
        {"drawn a strip at a time", 1950, 300, 6, 50, 100, 640},
    };
    for (const BandCase& c : cases) {
        const auto expected = PresentedBands<EmbraReferenceRig>(c, kFrames);
        const auto fast = PresentedBands<EmbraRig>(c, kFrames);
        ASSERT_EQ(static_cast<std::size_t>(kFrames), expected.size()) << c.what;
        ASSERT_EQ(expected.size(), fast.size()) << c.what;
        const auto& last = expected.back();
        EXPECT_TRUE(std::any_of(last.begin(), last.end(), [](uint8_t byte) { return byte != 0; }))
            << c.what << ": the fire shows";
        for (int32_t frame = 0; frame < kFrames; ++frame) {
            const auto& want = expected[frame];
            const auto& got = fast[frame];
            ASSERT_EQ(want.size(), got.size()) << c.what << ", frame " << frame;
            const auto differs = std::mismatch(want.begin(), want.end(), got.begin());
            ASSERT_TRUE(differs.first == want.end())
                << c.what << ", frame " << frame << ": first differing byte "
                << (differs.first - want.begin()) << " of " << want.size();
        }
    }
}

// The bytes of the presented band's rows of a set's frame buffer.
std::vector<uint8_t> BandBytes(const CSetEmbra& set) {
    const std::size_t rowBytes = std::size_t{4} * set.frameBuffer.width;
    const uint8_t* first = set.frameBuffer.pixels + rowBytes * set.BandTop();
    return std::vector<uint8_t>(first, first + rowBytes * set.BandRows());
}

void ClearBand(CSetEmbra& set) {
    const std::size_t rowBytes = std::size_t{4} * set.frameBuffer.width;
    std::memset(set.frameBuffer.pixels + rowBytes * set.BandTop(), 0, rowBytes * set.BandRows());
}

// With several workers every flame is blended one stripe of rows at a time, under that
// stripe's lock. The workers' flames, stepped one worker after another on one thread, give
// the reference's bytes: cutting a sprite at the stripes loses and repeats no row.
TEST(EmbraFastRenderer, StripeByStripeBlendDrawsTheReferenceBytes) {
    constexpr int32_t kFrames = 40;
    struct Case {
        int32_t width;
        int32_t height; // the band starts at row height - 330, on or off a stripe boundary
        int32_t workers;
    };
    const Case cases[] = {{640, 480, 2}, {333, 401, 3}, {800, 618, 4}};
    for (const Case& c : cases) {
        EmbraRig fast(c.width, c.height, c.workers);
        EmbraReferenceRig reference(c.width, c.height, c.workers);
        ASSERT_TRUE(fast.Start(77));
        ASSERT_TRUE(reference.Start(77));
        for (int32_t frame = 0; frame < kFrames; ++frame) {
            ClearBand(fast.set);
            ClearBand(reference.set);
            for (int32_t worker = 0; worker < c.workers; ++worker) {
                const auto flames = [worker](CSetEmbra& set) {
                    return static_cast<CItemEmbra*>(set.workerItems[worker]);
                };
                CRandom::Seed(static_cast<uint32_t>(frame * c.workers + worker));
                fast.set.StepFlames(flames(fast.set), fast.set.itemsPerWorker);
                CRandom::Seed(static_cast<uint32_t>(frame * c.workers + worker));
                reference.set.StepFlames(flames(reference.set), reference.set.itemsPerWorker);
            }
            ASSERT_TRUE(BandBytes(reference.set) == BandBytes(fast.set))
                << c.width << " x " << c.height << ", " << c.workers << " workers, frame " << frame;
        }
    }
}

} // namespace
