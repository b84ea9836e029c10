// What the northern lights and the water share as sprite sets: several workers moving one
// walk, the items' share and life step, the band's placement, small screens.

#include "effects/engine/CRandom.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "effects/lights/CGlimraCurtain.h"
#include "effects/water/CRiplaWave.h"
#include "support/CFrameCanary.h"
#include "support/CSpriteRig.h"
#include "support/EffectName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

// Four workers of perWorker items and one of four times as many, on a width x height
// screen started with `seed`.
struct WalkCase {
    int32_t width, height, perWorker;
    uint32_t seed;
};

// A row of the items' share table: with "items" and the duration parameter set so, the
// first `animated` items of a worker lose `taken` of their life in one step.
struct ShareCase {
    int32_t items;
    int32_t duration;
    int32_t animated;
    int32_t taken;
};

// A row of the placement table: where the overlay is moved and the destination point.
struct PlacementCase {
    ScriptedBar bar;
    int32_t overlayX, overlayY;
    int32_t x, y;
};

constexpr int32_t kPlacementWidth = 1280;
constexpr int32_t kPlacementHeight = 1024;

struct GlimraEffect {
    using Rig = GlimraRig;
    static constexpr const char* kName = "Glimra";
    static constexpr WalkCase kWalk = {596, 900, 93, 31};
    static std::vector<int32_t> ItemState(const CItemGlimra& ray) {
        return {ray.x, ray.y, ray.dx, ray.dy, ray.life, static_cast<int32_t>(ray.colour)};
    }
    static std::vector<int32_t> WalkState(const CSetGlimra& set) {
        const CGlimraWalk& walk = set.curtain.walk;
        return {walk.raysPlaced, walk.headX,         walk.speed,         walk.direction,
                walk.curtainY,   walk.verticalSpeed, walk.verticalJitter};
    }

    // 99 spawns per thread with no new curtain due (L = 400, room on every side).
    struct SharedWalk {
        static constexpr int32_t kSpawns = 99;
        SharedWalk() : phaseTable(4000, 0) {
            screenWidth = 4000;
            screenHeight = 1000;
            curtain.length = 400;
            curtain.speedLimit = 15;
            curtain.frameCount = 41;
            curtain.yLimit = 1 << 30;
            curtain.walk.headX = 2000 * 256;
            curtain.walk.curtainY = 1 << 29;
        }
        void Attach(CItemGlimra& ray) {
            ray.curtain = &curtain;
            ray.spriteWidth = 15;
            ray.spriteHeight = 96;
        }
        void Respawn(CItemGlimra& ray) { ray.Respawn(phaseTable.data(), nullptr, 0); }
        int32_t Placed() const { return curtain.walk.raysPlaced; }
        int32_t HeadX() const { return curtain.walk.headX; }
        // The jitter puts a ray anywhere near the head: no slots to hold it to.
        void ExpectPlaces(const std::vector<int32_t>&) const {}

        CGlimraCurtain curtain;
        std::vector<int32_t> phaseTable;
    };

    // 250 rays in each of four workers, all inside the band and far from their end.
    static constexpr int32_t kShareWorkers = 4, kSharePerWorker = 250;
    static constexpr ShareCase kShareCases[] = {
        {30, 200, 75, 300}, {100, 400, 250, 100}, {55, 100, 137, 400}};
    static CEdges<CParam<int>, int>& Duration(CSetGlimra& set) { return set.flmDuration; }
    static void Prime(CItemGlimra& ray) {
        ray.life = 30 * 256;
        ray.y = 400 * 256;
    }
    static constexpr int32_t kPrimedLife = 30 * 256;

    // Screens narrower than a curtain, lower than a ray, or both.
    static constexpr DesktopSize kSmallScreens[] = {
        {50, 50}, {400, 90}, {90, 400}, {1, 1}, {16, 300}};

    // The band at the top, below a top taskbar.
    static constexpr int32_t kW = kPlacementWidth, kH = kPlacementHeight;
    static constexpr PlacementCase kPlacements[] = {
        {ScriptedBar::Top, 0, 40, 0, 40},           // below the taskbar
        {ScriptedBar::Bottom, 0, 0, 0, 0},          // top of the screen
        {ScriptedBar::Left, 60, kH - 200, 60, 0},   // content at (taskbar right, 0)
        {ScriptedBar::Right, 0, kH - 200, 0, 0},    // content at (0, 0)
        {ScriptedBar::Absent, 0, 0, 0, 0},          // a top taskbar whose bottom is 0
        {ScriptedBar::Hidden, 0, 0, 0, 0},          // as none: the top
        {ScriptedBar::AutoHidden, 0, 0, 0, 0},      // as none: the top
        {ScriptedBar::Middle, 0, kH - 200, -1, -1}, // on no edge: left where it is
    };
};

struct RiplaEffect {
    using Rig = RiplaRig;
    static constexpr const char* kName = "Ripla";
    static constexpr WalkCase kWalk = {640, 480, 400, 41};
    static std::vector<int32_t> ItemState(const CItemRipla& splash) {
        return {splash.x, splash.y, splash.dx, splash.dy, splash.life};
    }
    static std::vector<int32_t> WalkState(const CSetRipla& set) {
        const CRiplaWalk& walk = set.wave.walk;
        return {walk.x, walk.placed, walk.y};
    }

    // 9 spawns per thread along a wave of 40 with room to the right.
    struct SharedWalk {
        static constexpr int32_t kSpawns = 9;
        SharedWalk() {
            screenWidth = 2000;
            screenHeight = 1000;
            wave.size = 40;
            wave.yLimit = 1000 - 32;
            wave.lastFrame = 23;
            wave.walk = CRiplaWalk{100, 0, 500};
        }
        void Attach(CItemRipla& splash) {
            splash.wave = &wave;
            splash.spriteWidth = 64;
            splash.spriteHeight = 32;
        }
        void Respawn(CItemRipla& splash) { splash.Respawn(nullptr, nullptr, 0); }
        int32_t Placed() const { return wave.walk.placed; }
        int32_t HeadX() const { return wave.walk.x; }
        // Every splash lands on its own slot 20 pixels further along, none twice, none
        // skipped.
        void ExpectPlaces(std::vector<int32_t> places) const {
            std::sort(places.begin(), places.end());
            std::vector<int32_t> slots;
            for (int32_t k = 1; k <= static_cast<int32_t>(places.size()); ++k)
                slots.push_back(100 + 20 * k);
            EXPECT_EQ(places, slots);
            EXPECT_EQ(wave.walk.x, places.back());
        }

        CRiplaWave wave;
    };

    // 2000 splashes in each of two workers, far from their end.
    static constexpr int32_t kShareWorkers = 2, kSharePerWorker = 2000;
    static constexpr ShareCase kShareCases[] = {
        {30, 150, 600, 150}, {100, 200, 2000, 100}, {45, 100, 900, 200}};
    static CEdges<CParam<int>, int>& Duration(CSetRipla& set) { return set.waveDuration; }
    static void Prime(CItemRipla& splash) { splash.life = 10 * 256; }
    static constexpr int32_t kPrimedLife = 10 * 256;

    static constexpr DesktopSize kSmallScreens[] = {
        {50, 50}, {400, 40}, {60, 400}, {1, 1}, {90, 90}};

    // The band on the taskbar's edge of the screen, the bottom without one there.
    static constexpr int32_t kW = kPlacementWidth, kH = kPlacementHeight;
    static constexpr PlacementCase kPlacements[] = {
        {ScriptedBar::Bottom, 0, kH - 40 - 200, 0, kH - 40 - 200}, // on top of the taskbar
        {ScriptedBar::Top, 0, kH - 200, 0, kH - 200},              // bottom of the screen
        {ScriptedBar::Right, 0, kH - 200, 0, kH - 200},
        {ScriptedBar::Left, 60, kH - 200, 60, kH - 200}, // right of the taskbar
        {ScriptedBar::Absent, 0, kH - 200, 0, kH - 200}, // no taskbar counts as top
        {ScriptedBar::Hidden, 0, kH - 200, 0, kH - 200}, // as none: the bottom edge
        {ScriptedBar::AutoHidden, 0, kH - 200, 0, kH - 200},
        {ScriptedBar::Middle, 0, kH - 200, -1, -1},
    };
};

template <class TEffect> class SpriteSet : public testing::Test {};
using Effects = testing::Types<GlimraEffect, RiplaEffect>;
TYPED_TEST_SUITE(SpriteSet, Effects, EffectName);

} // namespace

TYPED_TEST(SpriteSet, EveryWorkerContinuesTheOneWalk) {
    // Four workers move the one walk: spawned by Start and then stepped one worker after
    // the other, their items are exactly those of one worker with four times as many.
    using Effect = TypeParam;
    constexpr WalkCase walk = Effect::kWalk;
    constexpr int32_t n = walk.perWorker;
    typename Effect::Rig one(walk.width, walk.height, 1);
    typename Effect::Rig four(walk.width, walk.height, 4);
    ASSERT_TRUE(one.Start(walk.seed));
    ASSERT_TRUE(four.Start(walk.seed));
    ASSERT_EQ(one.set.itemsPerWorker, 4 * n);
    ASSERT_EQ(four.set.itemsPerWorker, n);
    for (int32_t frame = 0; frame < 40; ++frame) {
        for (int32_t worker = 0; worker < 4; ++worker)
            for (int32_t k = 0; k < n; ++k)
                ASSERT_EQ(Effect::ItemState(four.Items(worker)[k]),
                          Effect::ItemState(one.Items()[worker * n + k]))
                    << "frame " << frame << ", worker " << worker << ", item " << k;
        ASSERT_EQ(Effect::WalkState(four.set), Effect::WalkState(one.set)) << frame;
        CRandom::Seed(static_cast<uint32_t>(frame));
        one.set.StepAndDraw(0, one.Items());
        CRandom::Seed(static_cast<uint32_t>(frame));
        for (int32_t worker = 0; worker < 4; ++worker)
            four.set.StepAndDraw(worker, four.Items(worker));
    }
}

TYPED_TEST(SpriteSet, SpawnsOfConcurrentWorkersAllMoveTheOneWalk) {
    // Four threads respawn at once along the one walk: it counts every spawn, and its head
    // is where the last item of one of them landed.
    constexpr int32_t kThreads = 4;
    using Shared = typename TypeParam::SharedWalk;
    Shared shared;
    std::vector<std::vector<int32_t>> placed(kThreads);
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            CRandom::Seed(static_cast<uint32_t>(t + 1));
            typename TypeParam::Rig::Item item;
            shared.Attach(item);
            for (int32_t k = 0; k < Shared::kSpawns; ++k) {
                shared.Respawn(item);
                placed[static_cast<std::size_t>(t)].push_back(item.x);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(shared.Placed(), kThreads * Shared::kSpawns);
    std::vector<int32_t> all;
    std::vector<int32_t> last;
    for (const std::vector<int32_t>& xs : placed) {
        all.insert(all.end(), xs.begin(), xs.end());
        last.push_back(xs.back());
    }
    EXPECT_NE(std::find(last.begin(), last.end(), shared.HeadX()), last.end());
    shared.ExpectPlaces(all);
}

TYPED_TEST(SpriteSet, ItemsShareAndDurationSetTheLifeTaken) {
    using Effect = TypeParam;
    constexpr int32_t n = Effect::kSharePerWorker;
    for (const ShareCase& test : Effect::kShareCases) {
        typename Effect::Rig rig(1600, 900, Effect::kShareWorkers);
        ASSERT_TRUE(rig.Start(2));
        ASSERT_EQ(rig.set.itemsPerWorker, n);
        rig.set.items.Set(test.items);
        Effect::Duration(rig.set).Set(test.duration);
        auto* items = rig.Items(1);
        for (int32_t k = 0; k < n; ++k)
            Effect::Prime(items[k]);
        rig.set.StepAndDraw(1, items);
        for (int32_t k = 0; k < n; ++k)
            EXPECT_EQ(items[k].life, Effect::kPrimedLife - (k < test.animated ? test.taken : 0))
                << test.items << " " << k;
    }
}

TYPED_TEST(SpriteSet, BandPlacedByTheTaskbar) {
    using Effect = TypeParam;
    for (const PlacementCase& test : Effect::kPlacements) {
        const int bar = static_cast<int>(test.bar);
        typename Effect::Rig rig(kPlacementWidth, kPlacementHeight);
        PlaceScriptedBar(rig.desktop, test.bar);
        ASSERT_TRUE(rig.Start(1)) << bar;
        rig.set.SetDestination(-1, -1);
        rig.set.UpdatePlacement();
        DesktopRect overlay;
        ASSERT_TRUE(rig.desktop.OverlayRect(0, &overlay));
        EXPECT_EQ(overlay.left, test.overlayX) << bar;
        EXPECT_EQ(overlay.top, test.overlayY) << bar;
        EXPECT_EQ(overlay.right - overlay.left, kPlacementWidth) << bar;
        EXPECT_EQ(rig.set.DestinationX(), test.x) << bar;
        EXPECT_EQ(rig.set.DestinationY(), test.y) << bar;
    }
}

TYPED_TEST(SpriteSet, SmallScreensRenderWithoutStrayWrites) {
    for (const DesktopSize& size : TypeParam::kSmallScreens) {
        typename TypeParam::Rig rig(size.width, size.height);
        ASSERT_TRUE(rig.Start(6)) << size.width << "x" << size.height;
        CFrameCanary canary(rig.set.frameBuffer);
        rig.RenderFrames(30);
        EXPECT_TRUE(canary.Intact()) << size.width << "x" << size.height;
    }
}

TYPED_TEST(SpriteSet, ScreenTooNarrowForAnItemPerWorkerKeepsOneIdleItemEach) {
    // One column and four workers: no worker animates an item, yet each array keeps one
    // entry that is never spawned, stepped or drawn.
    using Effect = TypeParam;
    typename Effect::Rig rig(1, 400, 4);
    ASSERT_TRUE(rig.Start(3));
    EXPECT_EQ(rig.set.itemsPerWorker, 0);
    ASSERT_EQ(rig.set.workerItems.size(), 4u);
    const typename Effect::Rig::Item idle;
    for (int32_t worker = 0; worker < 4; ++worker) {
        ASSERT_NE(rig.Items(worker), nullptr) << worker;
        rig.set.StepAndDraw(worker, rig.Items(worker));
        EXPECT_EQ(Effect::ItemState(rig.Items(worker)[0]), Effect::ItemState(idle)) << worker;
    }
}
