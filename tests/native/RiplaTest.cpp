#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/engine/ScreenSize.h"
#include "effects/water/CSetRipla.h"
#include "support/CEffectRig.h"
#include "support/CFrameCanary.h"
#include "support/CSplashDesktop.h"
#include "tests/reference/CSetRiplaReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// The set with its frame hooks reachable, so that tests can run them one by one.
class CRiplaProbe : public CSetRipla {
public:
    using CSetRipla::CSetRipla;
    using CSetRipla::StepAndDraw;
};

// The water on a headless desktop with a 40-pixel taskbar at the bottom and `workers`
// render workers. Nothing is started.
struct RiplaRig : CEffectRig<CRiplaProbe, CItemRipla, CSplashDesktop> {
    RiplaRig(int32_t width, int32_t height, int32_t workers = 1)
        : CEffectRig(width, height, workers, TaskbarEdge::Bottom) {}
    CItemRipla* Splashes(int32_t worker = 0) { return Items(worker); }
};

} // namespace

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
    EXPECT_EQ(rig.set.pollMs, 3);
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
    EXPECT_EQ(rig.renderState.activeSet, nullptr);
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

TEST(RiplaStep, ItemsShareAndDurationSetTheLifeTaken) {
    struct Case {
        int32_t items;
        int32_t duration;
        int32_t animated; // of 2000 splashes
        int32_t taken;    // 200 - duration + 100
    } cases[] = {{30, 150, 600, 150}, {100, 200, 2000, 100}, {45, 100, 900, 200}};
    for (const Case& test : cases) {
        RiplaRig rig(1600, 900, 2);
        ASSERT_TRUE(rig.Start(2));
        rig.set.items.Set(test.items);
        rig.set.waveDuration.Set(test.duration);
        CItemRipla* splashes = rig.Splashes(1);
        for (int32_t k = 0; k < 2000; ++k)
            splashes[k].life = 10 * 256;
        rig.set.StepAndDraw(1, splashes);
        for (int32_t k = 0; k < 2000; ++k)
            EXPECT_EQ(splashes[k].life, 10 * 256 - (k < test.animated ? test.taken : 0))
                << test.items << " " << k;
    }
}

TEST(RiplaDraw, BottomAlignedBlendThroughTheRamp) {
    RiplaRig rig(300, 300);
    MakeFlatPicture(&rig.desktop.splash, 64, 32, 0x64FFFFFFu); // alpha 100 everywhere
    ASSERT_TRUE(rig.Start(1));
    rig.set.itemsPerWorker = 1;
    CItemRipla& splash = rig.Splashes()[0];
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
    CItemRipla& splash = rig.Splashes()[0];
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

TEST(RiplaPlacement, BandOnTheTaskbarEdge) {
    constexpr int32_t kW = 1280, kH = 1024;
    struct Case {
        ScriptedBar bar;
        int32_t overlayX, overlayY, x, y; // overlay moved to, and the destination
    } cases[] = {
        {ScriptedBar::Bottom, 0, kH - 40 - 200, 0, kH - 40 - 200}, // on top of the taskbar
        {ScriptedBar::Top, 0, kH - 200, 0, kH - 200},              // bottom of the screen
        {ScriptedBar::Right, 0, kH - 200, 0, kH - 200},
        {ScriptedBar::Left, 60, kH - 200, 60, kH - 200}, // right of the taskbar
        {ScriptedBar::Absent, 0, kH - 200, 0, kH - 200}, // no taskbar counts as top
        {ScriptedBar::Hidden, 0, kH - 200, -1, -1},      // left where it is
        {ScriptedBar::Middle, 0, kH - 200, -1, -1},
    };
    for (const Case& test : cases) {
        RiplaRig rig(kW, kH);
        PlaceScriptedBar(rig.desktop, test.bar);
        ASSERT_TRUE(rig.Start(1)) << static_cast<int>(test.bar);
        rig.set.SetDestination(-1, -1);
        rig.set.UpdatePlacement();
        DesktopRect overlay;
        ASSERT_TRUE(rig.desktop.OverlayRect(&overlay));
        EXPECT_EQ(overlay.left, test.overlayX) << static_cast<int>(test.bar);
        EXPECT_EQ(overlay.top, test.overlayY) << static_cast<int>(test.bar);
        EXPECT_EQ(rig.set.DestinationX(), test.x) << static_cast<int>(test.bar);
        EXPECT_EQ(rig.set.DestinationY(), test.y) << static_cast<int>(test.bar);
    }
}

TEST(RiplaRender, SmallScreensRenderWithoutStrayWrites) {
    const DesktopSize sizes[] = {{50, 50}, {400, 40}, {60, 400}, {1, 1}, {90, 90}};
    for (const DesktopSize& size : sizes) {
        RiplaRig rig(size.width, size.height);
        ASSERT_TRUE(rig.Start(6)) << size.width << "x" << size.height;
        CFrameCanary canary(rig.set.frameBuffer);
        rig.RenderFrames(30);
        EXPECT_TRUE(canary.Intact()) << size.width << "x" << size.height;
    }
}

TEST(RiplaRender, OneWorkerGoldenChecksum) {
    // The plain loops draw every row of the screen.
    CEffectRig<CSetRiplaReference, CItemRipla, CSplashDesktop> rig(480, 400, 1,
                                                                   TaskbarEdge::Bottom);
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

namespace {

std::vector<int32_t> SplashState(const CItemRipla& splash) {
    return {splash.x, splash.y, splash.dx, splash.dy, splash.life};
}

} // namespace

TEST(RiplaWave, EveryWorkerContinuesTheOneWave) {
    // Four workers of 400 splashes move the one wave: spawned by Start and then stepped
    // one worker after the other, their splashes are exactly the 1600 of one worker.
    RiplaRig one(640, 480, 1);
    RiplaRig four(640, 480, 4);
    ASSERT_TRUE(one.Start(41));
    ASSERT_TRUE(four.Start(41));
    ASSERT_EQ(one.set.itemsPerWorker, 1600);
    ASSERT_EQ(four.set.itemsPerWorker, 400);
    for (int32_t frame = 0; frame < 40; ++frame) {
        for (int32_t worker = 0; worker < 4; ++worker)
            for (int32_t k = 0; k < 400; ++k)
                ASSERT_EQ(SplashState(four.Splashes(worker)[k]),
                          SplashState(one.Splashes()[worker * 400 + k]))
                    << "frame " << frame << ", worker " << worker << ", splash " << k;
        const CRiplaWalk& a = one.set.wave.walk;
        const CRiplaWalk& b = four.set.wave.walk;
        ASSERT_EQ((std::vector<int32_t>{b.x, b.placed, b.y}),
                  (std::vector<int32_t>{a.x, a.placed, a.y}))
            << frame;
        CRandom::Seed(static_cast<uint32_t>(frame));
        one.set.StepAndDraw(0, one.Splashes());
        CRandom::Seed(static_cast<uint32_t>(frame));
        for (int32_t worker = 0; worker < 4; ++worker)
            four.set.StepAndDraw(worker, four.Splashes(worker));
    }
}

TEST(RiplaWave, SpawnsOfConcurrentWorkersTakeOneSlotEachAlongTheWave) {
    // 4 x 9 spawns at once along a wave of 40 with room to the right: every splash lands
    // on its own slot 20 pixels further along, none twice, none skipped.
    constexpr int32_t kThreads = 4;
    constexpr int32_t kSpawns = 9;
    screenWidth = 2000;
    screenHeight = 1000;
    CRiplaWave wave;
    wave.size = 40;
    wave.yLimit = 1000 - 32;
    wave.lastFrame = 23;
    wave.walk = CRiplaWalk{100, 0, 500};
    std::vector<std::vector<int32_t>> placed(kThreads);
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            CRandom::Seed(static_cast<uint32_t>(t + 1));
            CItemRipla splash;
            splash.wave = &wave;
            splash.spriteWidth = 64;
            splash.spriteHeight = 32;
            for (int32_t k = 0; k < kSpawns; ++k) {
                splash.Respawn(nullptr, nullptr, 0);
                placed[static_cast<std::size_t>(t)].push_back(splash.x);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    std::vector<int32_t> all;
    for (const std::vector<int32_t>& xs : placed)
        all.insert(all.end(), xs.begin(), xs.end());
    std::sort(all.begin(), all.end());
    std::vector<int32_t> slots;
    for (int32_t k = 1; k <= kThreads * kSpawns; ++k)
        slots.push_back(100 + 20 * k);
    EXPECT_EQ(all, slots);
    EXPECT_EQ(wave.walk.placed, kThreads * kSpawns);
    EXPECT_EQ(wave.walk.x, 100 + 20 * kThreads * kSpawns);
}
