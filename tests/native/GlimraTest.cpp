#include "effects/engine/CRandom.h"
#include "effects/engine/ScreenSize.h"
#include "effects/lights/CSetGlimra.h"
#include "support/CEffectRig.h"
#include "support/CSpriteRig.h"
#include "support/PixelWords.h"
#include "support/TestBitmaps.h"
#include "tests/reference/CSetGlimraReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// How many draws `action` takes from the calling thread's generator seeded with `seed`.
template <class Action> int DrawsTaken(uint32_t seed, Action action) {
    CRandom::Seed(seed);
    action();
    const int32_t next = CRandom::Next();
    const std::vector<int32_t> draws = GeneratorDraws(seed, 64);
    return static_cast<int>(std::find(draws.begin(), draws.end(), next) - draws.begin());
}

} // namespace

TEST(GlimraFrames, FortyOneRaysFadingInAndOutSymmetrically) {
    GlimraRig rig(640, 480);
    ASSERT_TRUE(rig.Start(1));
    ASSERT_EQ(rig.set.frameCount, 41);
    EXPECT_EQ(rig.set.curtain.frameCount, 41);
    EXPECT_EQ(HighestAlpha(rig.set.frames[0]), 0u);
    EXPECT_EQ(HighestAlpha(rig.set.frames[40]), 0u);
    for (int k = 0; k < 41; ++k) {
        const CBmp& frame = rig.set.frames[k];
        const CBmp& mirror = rig.set.frames[40 - k];
        EXPECT_LE(frame.width, 15) << k;
        EXPECT_LE(frame.height, 96) << k;
        EXPECT_EQ(frame.width, mirror.width) << k;
        EXPECT_EQ(HighestAlpha(frame), HighestAlpha(mirror)) << k;
        if (k > 0 && k <= 20) {
            EXPECT_GT(HighestAlpha(frame), HighestAlpha(rig.set.frames[k - 1])) << k;
        }
    }
    EXPECT_GT(HighestAlpha(rig.set.frames[20]), 240u);
}

TEST(GlimraSetup, IdentityParametersAndItemCounts) {
    GlimraRig rig(1600, 900, 4);
    EXPECT_EQ(rig.set.Key(), tstr("Glimra"));
    EXPECT_EQ(rig.set.DisplayName(), tstr("Northern Lights"));
    EXPECT_EQ(*rig.set.colour.Get(), 0xFFFFDD77ul);
    EXPECT_EQ(rig.set.paramSet.GetPath(), tstr("Sets\\Glimra"));
    const char* names[] = {"vis", "items", "clr_change", "flm_size", "flm_duration"};
    ASSERT_EQ(rig.set.paramSet.Params().size(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(rig.set.paramSet.Params()[static_cast<std::size_t>(k)]->GetName(),
                  tstr(names[k]));
    ASSERT_TRUE(rig.Start(7));
    EXPECT_EQ(rig.set.itemsPerWorker, 250); // 1600 * 1000 / 1600 / 4
    EXPECT_EQ(rig.set.curtain.speedLimit, 15);
    EXPECT_EQ(rig.set.curtain.yLimit, (900 - 97) * 256);
    rig.set.flmSize.Set(250);
    EXPECT_EQ(rig.set.curtain.length, 250); // the curtain follows the parameter at once
}

TEST(GlimraSpawn, DrawsInTheStatedOrder) {
    GlimraRig rig(1000, 800);
    ASSERT_TRUE(rig.Start(3));
    screenWidth = 1000;
    screenHeight = 800;
    CGlimraWalk& walk = rig.set.curtain.walk;
    CItemGlimra ray;
    ray.curtain = &rig.set.curtain;
    const int32_t limit = rig.set.curtain.yLimit;

    // A later ray along the curtain: the column draw, the jitter, one unused draw.
    walk = CGlimraWalk{5, 100 * 256, 6, 1, 300 * 256, 40, -7};
    std::vector<int32_t> r = GeneratorDraws(11, 4);
    CRandom::Seed(11);
    ray.Spawn(0, 15, 96);
    EXPECT_EQ(ray.x, 100 * 256 + ((r[0] % 3) + 7 / 3) * 256 - 256);
    EXPECT_EQ(walk.headX, ray.x);
    EXPECT_EQ(walk.speed, 7);
    EXPECT_EQ(ray.y, 300 * 256);
    EXPECT_EQ(walk.verticalSpeed, 33);
    EXPECT_EQ(walk.curtainY, 300 * 256 + 33);
    EXPECT_EQ(walk.verticalJitter, (r[1] % 63) - 32);
    EXPECT_EQ(ray.life, 41 * 256);
    EXPECT_EQ(ray.colour, 0xFF99FFFFu);
    EXPECT_EQ(CRandom::Next(), r[3]);

    // The first ray of a curtain period picks a direction first; an initial ray scatters
    // around the curtain and starts at a random point of its life. The speed is clamped.
    walk = CGlimraWalk{8, 100 * 256, 14, 0, 300 * 256, 0, 0};
    r = GeneratorDraws(12, 4);
    CRandom::Seed(12);
    ray.Spawn(1, 15, 96);
    EXPECT_EQ(walk.direction, (r[0] & 1) ? 1 : -1);
    EXPECT_EQ(walk.speed, std::min(14, 14 + walk.direction));
    EXPECT_EQ(ray.x, 100 * 256 + ((r[1] % 3) + walk.speed / 3) * 256 - 256);
    EXPECT_EQ(ray.y, (r[2] % 1024) + 300 * 256 - 512);
    EXPECT_EQ(walk.curtainY, ray.y);
    EXPECT_EQ(ray.life, (r[3] % (40 * 256)) + 256);
    EXPECT_LE(limit, (800 - 97) * 256);
}

TEST(GlimraSpawn, NewCurtainWhenTheWalkEndsOrLeavesTheScreen) {
    GlimraRig rig(1000, 800);
    ASSERT_TRUE(rig.Start(3));
    const int32_t limit = rig.set.curtain.yLimit;
    struct Case {
        const char* why;
        CGlimraWalk walk;
    } cases[] = {
        {"L rays placed", {99, 500 * 256, 0, 1, 300 * 256, 0, 0}},
        {"x below 0", {5, 0, -14, -1, 300 * 256, 0, 0}},
        {"x at the right edge", {5, 999 * 256, 14, 1, 300 * 256, 0, 0}},
        {"curtain above row 0", {5, 500 * 256, 0, 1, -1, 0, 0}},
        {"curtain below its limit", {5, 500 * 256, 0, 1, limit + 1, 0, 0}},
    };
    const CGlimraWalk& walk = rig.set.curtain.walk;
    for (const Case& test : cases) {
        rig.set.curtain.walk = test.walk;
        CItemGlimra ray;
        ray.curtain = &rig.set.curtain;
        const std::vector<int32_t> r = GeneratorDraws(21, 4);
        CRandom::Seed(21);
        ray.Spawn(0, 15, 96);
        EXPECT_EQ(walk.raysPlaced, 0) << test.why;
        EXPECT_EQ(ray.x, (r[1] % (1000 - 100 - 20)) * 256) << test.why;
        EXPECT_EQ(walk.headX, ray.x) << test.why;
        EXPECT_EQ(ray.y, (800 - (r[2] % 100) - 300) * 256) << test.why;
        EXPECT_EQ(walk.verticalSpeed, 0) << test.why;
    }
}

TEST(GlimraSpawn, DirectionChosenEveryTwelfthOfTheCurtain) {
    GlimraRig rig(2000, 800);
    ASSERT_TRUE(rig.Start(3));
    struct Case {
        int32_t length;
        int32_t period; // L / 12
    } cases[] = {{50, 4}, {100, 8}, {400, 33}};
    for (const Case& test : cases) {
        rig.set.flmSize.Set(test.length);
        for (int32_t placed = 1; placed < test.length - 1; ++placed) {
            rig.set.curtain.walk = CGlimraWalk{placed, 800 * 256, 0, 1, 300 * 256, 0, 0};
            CItemGlimra ray;
            ray.curtain = &rig.set.curtain;
            const int taken = DrawsTaken(5, [&] { ray.Spawn(0, 15, 96); });
            EXPECT_EQ(taken, placed % test.period == 0 ? 4 : 3) << test.length << " " << placed;
        }
    }
}

TEST(GlimraSpawn, NarrowScreenStartsCurtainsAtTheLeftEdge) {
    // W - L - 20 is 0 here: the remainder is guarded and the curtain starts at column 0.
    GlimraRig rig(120, 400);
    ASSERT_TRUE(rig.Start(9));
    rig.set.curtain.walk = CGlimraWalk{99, 0, 0, 1, 100 * 256, 0, 0};
    CItemGlimra ray;
    ray.curtain = &rig.set.curtain;
    ray.Spawn(0, 15, 96);
    EXPECT_EQ(ray.x, 0);
    rig.RenderFrames(3);
}

TEST(GlimraPhaseTable, NoisyRampsWithinRangeOnAnyWidth) {
    for (int32_t width : {1920, 700, 101, 100, 60, 1}) {
        GlimraRig rig(width, 400);
        ASSERT_TRUE(rig.Start(static_cast<uint32_t>(width))) << width;
        for (int32_t k = 0; k < 5; ++k) {
            rig.set.GeneratePhaseTable();
            for (int32_t x = 0; x < width; ++x) {
                EXPECT_GE(rig.set.phaseTable[x], 0) << width;
                EXPECT_LE(rig.set.phaseTable[x], 1534) << width;
            }
        }
    }
}

TEST(GlimraStep, RespawnedRayTakesThePhaseOfItsColumn) {
    GlimraRig rig(800, 600);
    ASSERT_TRUE(rig.Start(4));
    rig.set.itemsPerWorker = 1;
    CItemGlimra& ray = rig.Items()[0];
    // A phase entry of 0 leaves the life at F * 256: no frame is drawn.
    std::fill(rig.set.phaseTable.get(), rig.set.phaseTable.get() + 800, 0);
    rig.set.frameBuffer.Fill(0);
    ray.life = 99;
    rig.set.StepAndDraw(0, &ray);
    EXPECT_EQ(ray.life, 41 * 256);
    EXPECT_EQ(BitmapChecksum(rig.set.frameBuffer), [] {
        CBmp empty;
        empty.Create(800, 600);
        return BitmapChecksum(empty);
    }());
    // A larger entry starts the ray further into its fade.
    std::fill(rig.set.phaseTable.get(), rig.set.phaseTable.get() + 800, 1000);
    ray.life = 0;
    rig.set.StepAndDraw(0, &ray);
    EXPECT_EQ(ray.life, 41 * 256 - 1000);
    // Rays below the lowest row of the band are respawned too.
    ray.life = 20 * 256;
    ray.y = (600 - 97) * 256;
    rig.set.StepAndDraw(0, &ray);
    EXPECT_EQ(ray.life, 41 * 256 - 1000);
}

TEST(GlimraDraw, ReplacesColourWithTheSharedColourAtTheUnitedAlpha) {
    GlimraRig rig(200, 400);
    ASSERT_TRUE(rig.Start(4));
    rig.set.itemsPerWorker = 2;
    CItemGlimra* rays = rig.Items();
    rig.set.frameBuffer.Fill(0);
    for (int k = 0; k < 2; ++k) {
        rays[k].x = 50 * 256;
        rays[k].y = 100 * 256;
        rays[k].life = 20 * 256 + 300; // t = 20 after the step: the middle frame
    }
    rig.set.curtain.colour = 0xFF99CC33; // drawing uses the colour of now
    rig.set.StepAndDraw(0, rays);
    const CBmp& frame = rig.set.frames[20];
    for (int v = 0; v < frame.height; ++v)
        for (int u = 0; u < frame.width; ++u) {
            const uint32_t s = frame.Pixel(u, v) >> 24;
            const uint32_t got = rig.set.frameBuffer.Pixel(50 + u, 100 + v - 1);
            if (v == 0 || s == 0 || s == 255)
                continue; // the top row is not drawn; 0 and 255 are not blended
            const uint32_t a = s + s - s * s / 255; // the second ray over the first
            EXPECT_EQ(got >> 24, a) << u << "," << v;
            EXPECT_EQ((got >> 16) & 0xFF, a * 0x99 / 255) << u << "," << v;
            EXPECT_EQ((got >> 8) & 0xFF, a * 0xCC / 255) << u << "," << v;
            EXPECT_EQ(got & 0xFF, a * 0x33 / 255) << u << "," << v;
        }
    // Nothing below the frame's last drawn row.
    for (int u = 0; u < 15; ++u)
        EXPECT_EQ(rig.set.frameBuffer.Pixel(50 + u, 100 + frame.height - 1), 0u);
}

TEST(GlimraDraw, ClipsAtTheRightEdge) {
    GlimraRig rig(200, 400);
    ASSERT_TRUE(rig.Start(4));
    rig.set.itemsPerWorker = 1;
    CItemGlimra& ray = rig.Items()[0];
    rig.set.frameBuffer.Fill(0);
    ray.x = 195 * 256;
    ray.y = 100 * 256;
    ray.life = 20 * 256 + 300;
    rig.set.StepAndDraw(0, &ray);
    uint32_t drawn = 0;
    for (int y = 90; y < 210; ++y) {
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(rig.set.frameBuffer.Pixel(x, y), 0u) << x << "," << y;
        for (int x = 195; x < 200; ++x)
            drawn |= rig.set.frameBuffer.Pixel(x, y);
    }
    EXPECT_NE(drawn, 0u);
}

TEST(GlimraColour, DriftStaysInItsBands) {
    GlimraRig rig(640, 480);
    for (int32_t amplitude = 1; amplitude <= 5; ++amplitude) {
        rig.set.curtain.colour = 0xFF99FFFF;
        CRandom::Seed(static_cast<uint32_t>(amplitude));
        bool redInside = false;
        for (int k = 0; k < 3000; ++k) {
            rig.set.DriftColour(amplitude);
            const uint32_t c = rig.set.curtain.colour;
            const uint32_t red = (c >> 16) & 0xFF, green = (c >> 8) & 0xFF, blue = c & 0xFF;
            EXPECT_EQ(c >> 24, 0xFFu);
            EXPECT_GE(green, 200u);
            EXPECT_GE(blue, 200u);
            EXPECT_FALSE(red / 32 == green / 32 && green / 32 == blue / 32);
            redInside = redInside || red >= 170;
            if (redInside) {
                EXPECT_GE(red, 170u) << amplitude;
                EXPECT_LE(red, 230u) << amplitude;
            }
        }
        EXPECT_TRUE(redInside) << amplitude;
    }
}

TEST(GlimraColour, NoDriftKeepsTheInitialColour) {
    GlimraRig rig(320, 400);
    ASSERT_TRUE(rig.Start(5));
    rig.RenderFrames(5);
    EXPECT_EQ(rig.set.curtain.colour, 0xFF99FFFFu);
    rig.set.clrChange.Set(3);
    rig.RenderFrames(1);
    EXPECT_NE(rig.set.curtain.colour, 0xFF99FFFFu);
}

TEST(GlimraFrame, PhaseTableRenewedAfterItsPeriod) {
    GlimraRig rig(640, 480);
    ASSERT_TRUE(rig.Start(5));
    rig.set.curtain.frameCounter = 0;
    rig.set.curtain.tablePeriod = 20;
    std::fill(rig.set.phaseTable.get(), rig.set.phaseTable.get() + 640, -1);
    for (int k = 0; k < 20; ++k)
        rig.set.EndOfFrame();
    EXPECT_EQ(rig.set.phaseTable[0], -1); // 20 frames: not yet
    CRandom::Seed(8);
    rig.set.EndOfFrame(); // the 21st renews the table and picks the next period
    EXPECT_GE(rig.set.phaseTable[0], 0);
    EXPECT_EQ(rig.set.curtain.frameCounter, 0);
    EXPECT_GE(rig.set.curtain.tablePeriod, 5);
    EXPECT_LE(rig.set.curtain.tablePeriod, 44);
}

TEST(GlimraRender, OneWorkerGoldenChecksum) {
    // The plain loops draw every row of the screen.
    CEffectRig<CSetGlimraReference, CItemGlimra, CHeadlessDesktop> rig(480, 400, 1,
                                                                       TaskbarSide::Top);
    rig.set.clrChange.Set(2);
    rig.set.vis.Set(70);
    ASSERT_TRUE(rig.Start(12345));
    rig.RenderFrames(40);
    EXPECT_EQ(rig.desktop.PresentCount(), 40);
    EXPECT_EQ(BitmapChecksum(rig.set.frameBuffer), 15079197069602903298ull);
    EXPECT_EQ(rig.set.curtain.colour, 0xFFB2F7FAu);
}
