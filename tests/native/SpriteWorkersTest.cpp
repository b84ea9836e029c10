// Each effect rendered by several real worker threads. Each worker moves its own items,
// then draws every worker's items on its own slice of the band: the band is exactly what
// one worker drawing all items, worker 0's first, makes, whatever the timing. The
// ThreadSanitizer build runs these cases to show that no two workers touch a pixel at the
// same time.

#include "effects/fire/CItemEmbra.h"
#include "graphics/CBmp.h"
#include "support/CSpriteRig.h"
#include "support/EffectGlobals.h"
#include "support/EffectName.h"
#include "support/EmbraRig.h"
#include "support/PixelWords.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Small enough for the ThreadSanitizer build; the frames cover the fire's first profile
// change and many respawns.
constexpr int32_t kWidth = 480;
constexpr int32_t kHeight = 400;
constexpr int32_t kFrames = 24;

// Each effect's rig, its items, how one worker draws a list of them over the band, and
// whether a second run presents the same band (the fire's workers step their flames from
// their own generators only).
struct EmbraWorkers {
    using Rig = EmbraRig;
    using Item = CItemEmbra;
    static constexpr const char* kName = "Embra";
    static constexpr bool kRepeatable = true;
    static void DrawAll(Rig& rig, const std::vector<Item>& flames) {
        for (const Item& flame : flames)
            rig.set.DrawFlame(flame);
    }
    static void Prepare(Rig&) {}
};

// The fire's band drawn a strip of 100 columns at a time (the last one 80): flames cross
// the strips' borders, and the last strip is narrower than the widest flame.
struct EmbraStripWorkers : EmbraWorkers {
    static constexpr const char* kName = "EmbraStrips";
    static void Prepare(Rig& rig) { rig.set.stripColumns = 100; }
};

struct GlimraWorkers {
    using Rig = GlimraRig;
    using Item = CItemGlimra;
    static constexpr const char* kName = "Glimra";
    static constexpr bool kRepeatable = false;
    static void DrawAll(Rig& rig, const std::vector<Item>& rays) {
        rig.set.DrawRays(rays.data(), static_cast<int32_t>(rays.size()), rig.set.BandTop(),
                         rig.set.BandTop() + rig.set.BandRows());
    }
    static void Prepare(Rig&) {}
};

struct RiplaWorkers {
    using Rig = RiplaRig;
    using Item = CItemRipla;
    static constexpr const char* kName = "Ripla";
    static constexpr bool kRepeatable = false;
    static void DrawAll(Rig& rig, const std::vector<Item>& splashes) {
        rig.set.DrawSplashes(splashes.data(), static_cast<int32_t>(splashes.size()),
                             rig.set.BandTop(), rig.set.BandTop() + rig.set.BandRows());
    }
    static void Prepare(Rig&) {}
};

// The lights and the water drawn a strip of 100 columns at a time, as the fire is.
struct GlimraStripWorkers : GlimraWorkers {
    static constexpr const char* kName = "GlimraStrips";
    static void Prepare(Rig& rig) { rig.set.stripColumns = 100; }
};
struct RiplaStripWorkers : RiplaWorkers {
    static constexpr const char* kName = "RiplaStrips";
    static void Prepare(Rig& rig) { rig.set.stripColumns = 100; }
};

template <class TEffect> struct WorkerRun {
    int32_t presented = 0;
    std::vector<typename TEffect::Item> items; // every worker's items as last drawn
    std::vector<uint32_t> band;                // the last band presented
};

// `workers` render workers draw kFrames frames at full opacity, seeded alike every run.
template <class TEffect> WorkerRun<TEffect> RunWorkers(int32_t workers) {
    using Item = typename TEffect::Item;
    WorkerRun<TEffect> run;
    typename TEffect::Rig rig(kWidth, kHeight, workers);
    rig.set.vis.Set(100);
    TEffect::Prepare(rig);
    rig.renderState.frameSleepMs = 0;
    rig.renderState.frameLimit = kFrames;
    rig.desktop.SetTickCount(2024);
    // Worker 0 presents once every worker has finished the frame, so it may read them all.
    rig.desktop.onPresent = [&](const CBmp&, int32_t, int32_t) {
        if (rig.desktop.PresentCount() != kFrames)
            return;
        for (CItem* items : rig.set.workerItems) {
            const Item* first = static_cast<const Item*>(items);
            run.items.insert(run.items.end(), first, first + rig.set.itemsPerWorker);
        }
    };
    ResetEffectGlobals(99);
    rig.renderState.activeSet = &rig.set;
    if (!rig.renderState.StartEffect())
        return run;
    WaitUntil([&] { return rig.renderState.runFlag.load() == 0; });
    rig.renderState.StopEffect();
    run.presented = rig.desktop.PresentCount();
    CBmp band;
    rig.desktop.CopyLastPresented(&band);
    run.band = Read(band);
    return run;
}

// The band that one worker on its own draws from the given items, in their order.
template <class TEffect>
std::vector<uint32_t> DrawnAlone(const std::vector<typename TEffect::Item>& items) {
    typename TEffect::Rig rig(kWidth, kHeight);
    if (!rig.Start(1))
        return {};
    TEffect::DrawAll(rig, items);
    CBmp band;
    band.Wrap(rig.set.frameBuffer.pixels, rig.set.BandTop() * kWidth * 4, kWidth,
              rig.set.BandRows());
    return Read(band);
}

template <class TEffect> class SpriteWorkers : public testing::Test {};
using Effects = testing::Types<EmbraWorkers, EmbraStripWorkers, GlimraWorkers, GlimraStripWorkers,
                               RiplaWorkers, RiplaStripWorkers>;
TYPED_TEST_SUITE(SpriteWorkers, Effects, EffectName);

} // namespace

// Every frame is presented; the last band is, byte for byte, every item of every worker
// drawn by one worker in worker order; the fire's second run presents the same band.
TYPED_TEST(SpriteWorkers, RealWorkersDrawEveryItemOfEveryWorker) {
    for (const int32_t workers : {2, 3, 4}) {
        const WorkerRun<TypeParam> run = RunWorkers<TypeParam>(workers);
        ASSERT_EQ(kFrames, run.presented) << workers << " workers";
        ASSERT_FALSE(run.items.empty()) << workers << " workers";
        const std::vector<uint32_t> alone = DrawnAlone<TypeParam>(run.items);
        ASSERT_EQ(alone.size(), run.band.size()) << workers << " workers";
        EXPECT_TRUE(alone == run.band) << workers << " workers";
        const auto lit = std::count_if(run.band.begin(), run.band.end(),
                                       [](uint32_t pixel) { return (pixel >> 24) != 0; });
        EXPECT_GT(lit, kWidth * 10) << workers << " workers: the items reach the band";
        if (TypeParam::kRepeatable) {
            EXPECT_TRUE(RunWorkers<TypeParam>(workers).band == run.band) << workers << " workers";
        }
    }
}
