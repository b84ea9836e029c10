#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/water/CSetRipla.h"
#include "support/CEffectRig.h"
#include "support/CSplashDesktop.h"
#include "support/CSpriteRig.h"
#include "support/TestBitmaps.h"
#include "tests/reference/CSetRiplaReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(RiplaFrames, SplashSqueezedUpAndDown) {
    struct Case {
        int32_t height;
        std::vector<int32_t> heights;
    } cases[] = {
        {32, {1, 3, 5, 7, 9, 11, 13, 15, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        {10, {1, 3, 5, 4, 3, 2, 1}}, // the rise stops at the first even row not below 5
        {1, {1}},                    // a one-row picture is one frame
    };
    for (const Case& test : cases) {
        RiplaRig rig(400, 300);
        MakeFlatPicture(&rig.desktop.splash, 64, test.height, 0x80FFFFFFu);
        ASSERT_TRUE(rig.Start(1)) << test.height;
        ASSERT_EQ(rig.set.frameCount, static_cast<int32_t>(test.heights.size())) << test.height;
        EXPECT_EQ(rig.set.wave.lastFrame, rig.set.frameCount - 1);
        for (int32_t k = 0; k < rig.set.frameCount; ++k) {
            EXPECT_EQ(rig.set.frames[k].width, 64) << test.height << " " << k;
            EXPECT_EQ(rig.set.frames[k].height, test.heights[static_cast<std::size_t>(k)])
                << test.height << " " << k;
        }
        rig.RenderFrames(2); // a one-frame splash spawns and renders too
    }
}

TEST(RiplaSetup, IdentityParametersRampAndItems) {
    RiplaRig rig(1600, 900, 2);
    EXPECT_EQ(rig.set.Key(), tstr("Ripla"));
    EXPECT_EQ(rig.set.DisplayName(), tstr("Water"));
    EXPECT_EQ(*rig.set.colour.Get(), 0xFFDD7755ul);
    EXPECT_EQ(rig.set.paramSet.GetPath(), tstr("Sets\\Ripla"));
    const char* names[] = {"vis", "items", "wave_size", "wave_duration"};
    ASSERT_EQ(rig.set.paramSet.Params().size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(rig.set.paramSet.Params()[static_cast<std::size_t>(k)]->GetName(),
                  tstr(names[k]));
    ASSERT_TRUE(rig.Start(7));
    EXPECT_EQ(rig.set.itemsPerWorker, 2000); // 1600 * 4000 / 1600 / 2
    // The ramp: (index: red, green, blue).
    const int ramp[][4] = {{0, 0, 90, 255}, {100, 37, 130, 255}, {255, 95, 192, 255}};
    for (const auto& row : ramp) {
        EXPECT_EQ(rig.set.rampRed[row[0]], row[1]);
        EXPECT_EQ(rig.set.rampGreen[row[0]], row[2]);
        EXPECT_EQ(rig.set.rampBlue[row[0]], row[3]);
    }
    rig.set.waveSize.Set(7);
    EXPECT_EQ(rig.set.wave.size, 7); // the wave follows the parameter at once
}

TEST(RiplaSetup, MissingSplashFailsTheStart) {
    RiplaRig rig(400, 300);
    rig.desktop.splash.Free();
    EXPECT_FALSE(rig.Start(1));
    EXPECT_EQ(rig.renderState.activeSet, &rig.set); // kept for the next start
    EXPECT_EQ(rig.set.frameBuffer.pixels, nullptr);
    EXPECT_TRUE(rig.set.workerItems.empty());
}

TEST(RiplaSpawn, DrawsInTheStatedOrder) {
    RiplaRig rig(1000, 800);
    ASSERT_TRUE(rig.Start(3));
    CRiplaWalk& walk = rig.set.wave.walk;
    CItemRipla splash;
    splash.wave = &rig.set.wave;

    // Along the wave: an unused draw, the row, the life, the drift.
    walk = CRiplaWalk{300, 4, 600};
    std::vector<int32_t> r = GeneratorDraws(31, 5);
    CRandom::Seed(31);
    splash.Spawn(0, 64, 32);
    EXPECT_EQ(splash.x, 320);
    EXPECT_EQ(walk.x, 320);
    EXPECT_EQ(walk.placed, 5);
    EXPECT_EQ(splash.y, (r[1] % 9) + 600 - 4);
    EXPECT_EQ(splash.life, (r[2] % 256) + 23 * 256);
    EXPECT_EQ(splash.dx, (r[3] % 7) - 3);
    EXPECT_EQ(splash.dy, 0);
    EXPECT_EQ(CRandom::Next(), r[4]);

    // The spawn at Start: a random point of the life.
    walk = CRiplaWalk{300, 4, 600};
    r = GeneratorDraws(32, 4);
    CRandom::Seed(32);
    splash.Spawn(1, 64, 32);
    EXPECT_EQ(splash.y, (r[1] % 7) + 600 - 3);
    EXPECT_EQ(splash.life, (r[2] % (23 * 256)) + 256);
    EXPECT_EQ(splash.dx, (r[3] % 7) - 3);
}

TEST(RiplaSpawn, NewWaveWhenTheWaveEndsOrLeavesItsLimits) {
    RiplaRig rig(1000, 800);
    ASSERT_TRUE(rig.Start(3));
    EXPECT_EQ(rig.set.wave.yLimit, 800 - 32);
    struct Case {
        const char* why;
        int32_t waveSize;
        CRiplaWalk walk;
    } cases[] = {
        {"wave size reached", 20, {300, 19, 600}},
        {"wave size 1: every spawn", 1, {300, 0, 600}},
        {"x below 0", 20, {-100, 3, 600}},
        {"x at W - w", 20, {1000 - 64 - 20, 3, 600}},
        {"wave above row 0", 20, {300, 3, -1}},
        {"wave below its limit", 20, {300, 3, 800 - 64 + 1}},
    };
    CRiplaWalk& walk = rig.set.wave.walk;
    for (const Case& test : cases) {
        rig.set.waveSize.Set(test.waveSize);
        walk = test.walk;
        CItemRipla splash;
        splash.wave = &rig.set.wave;
        const std::vector<int32_t> r = GeneratorDraws(41, 6);
        CRandom::Seed(41);
        splash.Spawn(0, 64, 32);
        EXPECT_EQ(walk.placed, 0) << test.why;
        EXPECT_EQ(splash.x, r[1] % (1000 - test.waveSize - 20)) << test.why;
        EXPECT_EQ(walk.x, splash.x) << test.why;
        EXPECT_EQ(walk.y, 800 - (r[2] % 200) - 50) << test.why;
        EXPECT_EQ(splash.y, (r[3] % 9) + walk.y - 4) << test.why;
    }
    // Just inside every limit: the wave goes on.
    rig.set.waveSize.Set(20);
    walk = CRiplaWalk{1000 - 64 - 21, 18, 800 - 64};
    CItemRipla splash;
    splash.wave = &rig.set.wave;
    splash.Spawn(0, 64, 32);
    EXPECT_EQ(walk.placed, 19);
    EXPECT_EQ(splash.x, 1000 - 64 - 1);
}

// A start on a taller screen (after a change of resolution) moves the wave's lower limit
// with it: a wave on a row that only the taller screen has goes on instead of starting
// anew at every spawn.
TEST(RiplaSpawn, LimitFollowsTheScreenOfEachStart) {
    RiplaRig rig(1000, 600);
    ASSERT_TRUE(rig.Start(3));
    EXPECT_EQ(rig.set.wave.yLimit, 600 - 32);
    rig.renderState.StopRendering();
    rig.desktop.SetScreenSize(1000, 1000);
    ASSERT_TRUE(rig.Start(4));
    EXPECT_EQ(rig.set.wave.yLimit, 1000 - 32);
    rig.set.wave.walk = CRiplaWalk{300, 3, 900};
    CItemRipla splash;
    splash.wave = &rig.set.wave;
    splash.Spawn(0, 64, 32);
    EXPECT_EQ(rig.set.wave.walk.placed, 4);
    EXPECT_EQ(splash.x, 320);
}

TEST(RiplaDraw, BottomAlignedBlendThroughTheRamp) {
    RiplaRig rig(300, 300);
    MakeFlatPicture(&rig.desktop.splash, 64, 32, 0x64FFFFFFu); // alpha 100 everywhere
    ASSERT_TRUE(rig.Start(1));
    rig.set.itemsPerWorker = 1;
    CItemRipla& splash = rig.Items()[0];
    CBmp& buffer = rig.set.frameBuffer;
    buffer.Fill(0);
    buffer.SetPixel(20, 120, 0xFF010203); // opaque: never changed
    buffer.SetPixel(21, 120, 0x64000000); // alpha 100: the alphas unite to 161
    splash.x = 10;
    splash.y = 128;
    splash.dx = 0;
    splash.life = 15 * 256 + 150; // t = 15 after the step: frame 8, 16 rows high
    rig.set.StepAndDraw(0, &splash);
    ASSERT_EQ(rig.set.frames[8].height, 16);
    // Rows 112 .. 127 (y - 16 .. y - 1), columns 10 .. 73.
    EXPECT_EQ(buffer.Pixel(10, 111), 0u);
    EXPECT_EQ(buffer.Pixel(10, 128), 0u);
    EXPECT_EQ(buffer.Pixel(9, 120), 0u);
    EXPECT_EQ(buffer.Pixel(74, 120), 0u);
    // Over an empty pixel: alpha 100, each channel ramp[100] * 100 / 256.
    const uint32_t empty =
        100u << 24 | (37 * 100 / 256) << 16 | (130 * 100 / 256) << 8 | (255 * 100 / 256);
    EXPECT_EQ(buffer.Pixel(10, 112), empty);
    EXPECT_EQ(buffer.Pixel(73, 127), empty);
    EXPECT_EQ(buffer.Pixel(20, 120), 0xFF010203u);
    const uint32_t a = 161, r = 3 * a / 8, g = 2 * a / 5 + 90, b = 255;
    EXPECT_EQ(buffer.Pixel(21, 120),
              a << 24 | (r * a / 256) << 16 | (g * a / 256) << 8 | (b * a / 256));
}

TEST(RiplaDraw, RespawnedSplashIsOneRowAndClippedAtTheEdges) {
    RiplaRig rig(300, 300);
    MakeFlatPicture(&rig.desktop.splash, 64, 32, 0x64FFFFFFu);
    ASSERT_TRUE(rig.Start(1));
    rig.set.itemsPerWorker = 1;
    CItemRipla& splash = rig.Items()[0];
    CBmp& buffer = rig.set.frameBuffer;
    // Life below 0: respawned in the same frame and drawn as frame 0, one row high.
    buffer.Fill(0);
    splash.life = 10;
    rig.set.StepAndDraw(0, &splash);
    EXPECT_GE(splash.life, 23 * 256);
    int32_t drawnRows = 0;
    for (int32_t y = 0; y < 300; ++y)
        drawnRows += buffer.Pixel(std::max(0, splash.x), y) != 0;
    EXPECT_EQ(drawnRows, 1);
    EXPECT_NE(buffer.Pixel(std::max(0, splash.x), splash.y - 1), 0u);
    // Across the left and right edges: nothing lands on the neighbouring rows.
    for (int32_t left : {-30, 270}) {
        buffer.Fill(0);
        splash.x = left;
        splash.y = 200;
        splash.dx = 0;
        splash.life = 15 * 256 + 150;
        rig.set.StepAndDraw(0, &splash);
        for (int32_t y = 180; y < 201; ++y)
            for (int32_t x = 0; x < 300; ++x) {
                const bool inside = x >= left && x < left + 64 && y >= 184 && y < 200;
                EXPECT_EQ(buffer.Pixel(x, y) != 0, inside) << left << ": " << x << "," << y;
            }
    }
}

TEST(RiplaRender, OneWorkerGoldenChecksum) {
    // The plain loops draw every row of the screen.
    CEffectRig<CSetRiplaReference, CItemRipla, CSplashDesktop> rig(480, 400, 1,
                                                                   TaskbarSide::Bottom);
    rig.set.vis.Set(80);
    rig.set.waveSize.Set(12);
    ASSERT_TRUE(rig.Start(54321));
    rig.RenderFrames(40);
    EXPECT_EQ(rig.desktop.PresentCount(), 40);
    EXPECT_EQ(BitmapChecksum(rig.set.frameBuffer), 13688248456606725085ull);
}

TEST(RiplaFrames, ShippedSplashGivesTwentyFourFrames) {
    CHeadlessDesktop desktop(640, 480);
    CRenderState renderState(&desktop);
    renderState.processorCount = 1;
    CSetRipla set(nullptr, &renderState);
    renderState.activeSet = &set;
    ASSERT_TRUE(renderState.StartRendering());
    const int32_t heights[] = {1,  3,  5,  7, 9, 11, 13, 15, 16, 15, 14, 13,
                               12, 11, 10, 9, 8, 7,  6,  5,  4,  3,  2,  1};
    ASSERT_EQ(set.frameCount, 24);
    for (int32_t k = 0; k < 24; ++k) {
        EXPECT_EQ(set.frames[k].width, 64) << k;
        EXPECT_EQ(set.frames[k].height, heights[k]) << k;
    }
    renderState.StopRendering();
    renderState.activeSet = nullptr;
}
