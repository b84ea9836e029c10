#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "support/EffectGlobals.h"
#include "support/EmbraRig.h"
#include "support/WaitUntil.h"
#include "tests/reference/CSetEmbraReference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A colour table whose entry a is blue a, green 255 - a, red 128.
CSetEmbra::ColourTable RampTable() {
    CSetEmbra::ColourTable table;
    for (int a = 0; a < 256; ++a) {
        table.blue[a] = static_cast<uint8_t>(a);
        table.green[a] = static_cast<uint8_t>(255 - a);
        table.red[a] = 128;
    }
    return table;
}

TEST(EmbraBlend, EdgeCases) {
    const CSetEmbra::ColourTable table = RampTable();
    struct Case {
        const char* what;
        uint8_t sprite[4]; // blue, green, red, alpha
        uint8_t before[4];
        uint8_t after[4];
    };
    const Case cases[] = {
        // a = 100: each channel T[100] * 100 / 256.
        {"100 over empty", {1, 2, 3, 100}, {0, 0, 0, 0}, {39, 60, 50, 100}},
        // a = 100 + 100 - 39 = 161; blue (161*161 + 40*94) / 256, green (94*161 + 50*94) / 256.
        {"100 over 100", {1, 2, 3, 100}, {40, 50, 60, 100}, {115, 77, 102, 161}},
        {"saturated target untouched", {1, 2, 3, 100}, {9, 8, 7, 255}, {9, 8, 7, 255}},
        {"transparent sprite skipped", {1, 2, 3, 0}, {9, 8, 7, 6}, {9, 8, 7, 6}},
        {"opaque sprite copied", {1, 2, 3, 255}, {9, 8, 7, 6}, {1, 2, 3, 255}},
        {"opaque sprite over saturated", {1, 2, 3, 255}, {9, 8, 7, 255}, {9, 8, 7, 255}},
        // a = 254 + 254 - 253 = 255: the colour is all table, scaled by 255 / 256.
        {"union reaching 255", {0, 0, 0, 254}, {0, 0, 0, 254}, {254, 0, 127, 255}},
    };
    for (const Case& c : cases) {
        uint8_t pixel[4];
        std::memcpy(pixel, c.before, 4);
        CSetEmbraReference::BlendPixel(pixel, c.sprite, table);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.after[i], pixel[i]) << c.what << ", byte " << i;
    }
}

// The blended pixel's alpha: hand-worked rows, and for every pair never below either alpha
// nor above 255, the sprite's own over an empty pixel.
TEST(EmbraBlend, AlphaIsTheUnionForEveryPair) {
    const CSetEmbra::ColourTable table = RampTable();
    const auto blend = [&table](uint32_t s, uint32_t d) {
        uint8_t pixel[4] = {0, 0, 0, static_cast<uint8_t>(d)};
        const uint8_t sprite[4] = {0, 0, 0, static_cast<uint8_t>(s)};
        CSetEmbraReference::BlendPixel(pixel, sprite, table);
        return static_cast<uint32_t>(pixel[3]);
    };
    EXPECT_EQ(blend(128, 128), 192u);
    EXPECT_EQ(blend(100, 50), 131u);
    EXPECT_EQ(blend(1, 254), 255u); // 255 - 254/255 truncated to 0
    EXPECT_EQ(blend(254, 254), 255u);
    for (uint32_t s = 1; s < 255; ++s)
        for (uint32_t d = 0; d < 255; ++d) {
            const uint32_t a = blend(s, d);
            ASSERT_TRUE(a >= s && a >= d && a <= 255 && (d != 0 || a == s)) << s << " over " << d;
        }
}

class EmbraDraw : public ::testing::Test {
protected:
    EmbraDraw() : rig(320, 400) {}
    void SetUp() override {
        ASSERT_TRUE(rig.Start(5));
        rig.set.frameBuffer.Fill(0);
    }
    // Alpha of the frame-buffer pixel.
    uint32_t AlphaAt(int32_t x, int32_t y) const { return rig.set.frameBuffer.Pixel(x, y) >> 24; }
    // A flame showing frame 0 (38 x 64), the largest: life 19 x 256 selects entry 19.
    static CItemEmbra LargestFlame(int32_t x, int32_t y) {
        CItemEmbra flame;
        flame.x = x;
        flame.y = y;
        flame.life = 19 * 256;
        return flame;
    }

    EmbraRig rig;
};

TEST_F(EmbraDraw, BottomAlignsTheFrame) {
    // Entry 0 is the last frame (3 x 4): rows y + R - 1 - 4 .. y + R - 2, R = 64.
    CItemEmbra flame;
    flame.x = 100;
    flame.y = 200;
    flame.life = 255;
    EXPECT_EQ(12, rig.set.DrawFlame(flame));
    const CBmp& sprite = rig.set.frames[19];
    for (int32_t v = 0; v < 4; ++v)
        for (int32_t u = 0; u < 3; ++u)
            EXPECT_EQ(sprite.Pixel(u, v) >> 24, AlphaAt(100 + u, 200 + 59 + v)) << u << "," << v;
    EXPECT_EQ(0u, AlphaAt(100, 258));
    EXPECT_EQ(0u, AlphaAt(100, 263));
    EXPECT_EQ(0u, AlphaAt(99, 260));
    EXPECT_EQ(0u, AlphaAt(103, 260));
}

TEST_F(EmbraDraw, LifeBeyondTheFramesDrawsNothing) {
    for (int32_t life : {20 * 256, 21 * 256 + 255, 22 * 256, -1}) {
        CItemEmbra flame;
        flame.x = 100;
        flame.y = 200;
        flame.life = life;
        EXPECT_EQ(0, rig.set.DrawFlame(flame)) << life;
    }
}

// Flames are clipped at the left and right edges: nothing lands on the neighbouring row.
TEST_F(EmbraDraw, ClipsAtTheLeftAndRightEdges) {
    const int32_t W = 320;
    const int32_t top = 100 + 64 - 1 - 64; // frame 0 is 64 rows high
    EXPECT_EQ(35 * 64, rig.set.DrawFlame(LargestFlame(-3, 100)));
    EXPECT_EQ(5 * 64, rig.set.DrawFlame(LargestFlame(W - 5, 200)));
    for (int32_t v = 0; v < 64; ++v) {
        // Left flame: columns 0 .. 34 carry sprite columns 3 .. 37; the previous row's
        // last columns stay empty.
        EXPECT_EQ(rig.set.frames[0].Pixel(3, v) >> 24, AlphaAt(0, top + v)) << v;
        for (int32_t column = W - 3; column < W; ++column)
            EXPECT_EQ(0u, AlphaAt(column, top + v - 1)) << v;
        // Right flame: sprite columns 0 .. 4 at W - 5 .. W - 1, nothing on the next row.
        EXPECT_EQ(rig.set.frames[0].Pixel(4, v) >> 24, AlphaAt(W - 1, top + 100 + v)) << v;
        for (int32_t column = 0; column < 33; ++column)
            EXPECT_EQ(0u, AlphaAt(column, top + 100 + v + 1)) << v;
    }
    EXPECT_EQ(0, rig.set.DrawFlame(LargestFlame(-38, 100)));
    EXPECT_EQ(0, rig.set.DrawFlame(LargestFlame(W, 100)));
}

TEST_F(EmbraDraw, ClipsAtTheTopAndBottom) {
    // Frame 0 covers rows y - 1 .. y + 62.
    EXPECT_EQ(38 * 10, rig.set.DrawFlame(LargestFlame(50, -53))); // rows 0 .. 9 remain
    EXPECT_EQ(38 * 2, rig.set.DrawFlame(LargestFlame(50, 399)));  // rows 398, 399
    EXPECT_EQ(0, rig.set.DrawFlame(LargestFlame(50, 401)));
    EXPECT_EQ(0, rig.set.DrawFlame(LargestFlame(50, -64)));
}

// A flame whose life is 99 at the start of a frame is respawned in that frame and drawn at
// its new place.
TEST_F(EmbraDraw, ExhaustedFlameIsRespawnedAndDrawnInTheSameFrame) {
    CItemEmbra flame = LargestFlame(-200, -500);
    flame.life = 99;
    CRandom::Seed(31);
    const int64_t drawn = rig.set.StepFlames(&flame, 1);
    EXPECT_GE(flame.x, 10);
    EXPECT_LE(flame.y, 400 - 160);
    EXPECT_GT(flame.life, 0);
    EXPECT_GT(drawn, 0);
    // Its lowest rows lie below the band and are not drawn; its frame (at least 50 rows
    // high) reaches into the band's last row.
    const int32_t lastBandRow = rig.set.BandTop() + rig.set.BandRows() - 1;
    uint32_t lit = 0;
    for (int32_t column = flame.x; column < flame.x + 38; ++column)
        lit += AlphaAt(column, lastBandRow) != 0;
    EXPECT_GT(lit, 0u);
}

TEST_F(EmbraDraw, ItemsShareAnimatesThatPercentOfTheFlames) {
    const int32_t perWorker = rig.set.itemsPerWorker; // 320 * 4000 / 1600 = 800
    ASSERT_EQ(800, perWorker);
    for (int32_t share : {30, 55, 100}) {
        rig.set.items.Set(share);
        CItemEmbra* flames = static_cast<CItemEmbra*>(rig.set.workerItems[0]);
        const std::vector<CItemEmbra> before(flames, flames + perWorker);
        rig.set.StepAndDraw(0, flames);
        const int32_t animated = perWorker * share / 100; // 240 for 30 %
        for (int32_t i = 0; i < perWorker; ++i) {
            const bool moved = flames[i].life != before[i].life || flames[i].x != before[i].x;
            EXPECT_EQ(i < animated, moved) << share << "% item " << i;
        }
    }
}

TEST_F(EmbraDraw, OpacityScalesEveryByteBelowOneHundred) {
    struct Case {
        int32_t vis;
        uint32_t before;
        uint32_t after;
    };
    const Case cases[] = {
        {50, 0xC8FF0301u, 0x647F0100u},  // k = 128: every byte halved
        {100, 0xC8FF0301u, 0xC8FF0301u}, // no opacity pass
        {10, 0xFF8000FFu, 0x180C0018u},  // k = 25
    };
    for (const Case& c : cases) {
        rig.set.vis.Set(c.vis);
        CBmp band;
        band.Create(3, 2);
        band.Fill(c.before);
        rig.set.ApplyOpacity(band);
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(c.after, band.Pixel(x, 1)) << c.vis;
    }
}

// One worker makes the frames a pure function of the seeds: the band presented after 30
// frames (a profile change included) must match bit for bit in every build.
constexpr uint64_t kGoldenBand = 12510846550077563722ull;

TEST(EmbraGolden, SeededOneWorkerRunPresentsTheKnownBand) {
    EmbraRig rig(640, 480);
    ASSERT_TRUE(rig.Start(2024));
    rig.RenderFrames(30);
    EXPECT_EQ(30, rig.desktop.PresentCount());
    EXPECT_EQ(kGoldenBand, rig.PresentedChecksum());
    CBmp band;
    rig.desktop.CopyLastPresented(&band);
    int32_t lit = 0;
    for (int32_t y = 0; y < band.height; ++y)
        for (int32_t x = 0; x < band.width; ++x)
            lit += (band.Pixel(x, y) >> 24) != 0;
    EXPECT_GT(lit, band.width * 20) << "the fire fills a good part of the band";
}

// The render workers give the same band: worker 0 is seeded with 0 x tick count.
TEST(EmbraGolden, RenderWorkerPresentsTheSameBand) {
    EmbraRig rig(640, 480);
    rig.desktop.SetTickCount(2024);
    rig.renderState.frameSleepMs = 0;
    rig.renderState.frameLimit = 30;
    ResetEffectGlobals(2024);
    ASSERT_TRUE(rig.renderState.StartEffect());
    // Worker 0 drops the run flag once it has presented the last frame.
    WaitUntil([&] { return rig.renderState.runFlag.load() == 0; });
    rig.renderState.StopEffect();
    EXPECT_EQ(30, rig.desktop.PresentCount());
    EXPECT_EQ(kGoldenBand, rig.PresentedChecksum());
}

} // namespace
