// The fire rendered by several real worker threads. Flames of different workers overlap,
// so the order of their blends in a pixel depends on timing, but no blend may be lost or
// torn: the ThreadSanitizer build runs these cases to show that no two workers touch a
// pixel at the same time.

#include "effects/engine/CRandom.h"
#include "effects/fire/CItemEmbra.h"
#include "effects/fire/CSetEmbra.h"
#include "graphics/CBmp.h"
#include "support/EffectGlobals.h"
#include "support/EmbraRig.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Small enough for the ThreadSanitizer build; the frames cover the first profile change.
constexpr int32_t kWidth = 480;
constexpr int32_t kHeight = 400;
constexpr int32_t kFrames = 24;

struct WorkerRun {
    int32_t presented = 0;
    std::vector<CItemEmbra> flames; // every worker's flames as drawn in the last frame
    std::vector<bool> lit;          // the pixels of the last band with a non-zero alpha
};

std::vector<bool> LitPixels(const CBmp& band) {
    std::vector<bool> lit;
    for (int32_t y = 0; y < band.height; ++y)
        for (int32_t x = 0; x < band.width; ++x)
            lit.push_back((band.Pixel(x, y) >> 24) != 0);
    return lit;
}

// `workers` render workers draw kFrames frames at full opacity (a pixel that any flame
// covered keeps a non-zero alpha), seeded from the same tick count every run.
WorkerRun RunWorkers(int32_t workers) {
    WorkerRun run;
    EmbraRig rig(kWidth, kHeight, workers);
    rig.set.vis.Set(100);
    rig.renderState.frameSleepMs = 0;
    rig.renderState.frameLimit = kFrames;
    rig.desktop.SetTickCount(2024);
    // Worker 0 presents once every worker has finished the frame, so it may read them all.
    rig.desktop.onPresent = [&](const CBmp&, int32_t, int32_t) {
        if (rig.desktop.PresentCount() != kFrames)
            return;
        for (CItem* items : rig.set.workerItems) {
            const CItemEmbra* flames = static_cast<const CItemEmbra*>(items);
            run.flames.insert(run.flames.end(), flames, flames + rig.set.itemsPerWorker);
        }
    };
    ResetEffectGlobals(99);
    if (!rig.renderState.StartEffect())
        return run;
    WaitUntil([&] { return rig.renderState.runFlag.load() == 0; });
    rig.renderState.StopEffect();
    run.presented = rig.desktop.PresentCount();
    CBmp band;
    rig.desktop.CopyLastPresented(&band);
    run.lit = LitPixels(band);
    return run;
}

// The pixels of the band that the given flames cover, drawn by one worker on its own.
std::vector<bool> CoveredPixels(const std::vector<CItemEmbra>& flames) {
    EmbraRig rig(kWidth, kHeight);
    std::vector<bool> covered;
    if (!rig.Start(1))
        return covered;
    for (const CItemEmbra& flame : flames)
        rig.set.DrawFlame(flame);
    const CBmp& buffer = rig.set.frameBuffer;
    for (int32_t y = rig.set.BandTop(); y < rig.set.BandTop() + rig.set.BandRows(); ++y)
        for (int32_t x = 0; x < buffer.width; ++x)
            covered.push_back((buffer.Pixel(x, y) >> 24) != 0);
    return covered;
}

bool SameFlames(const std::vector<CItemEmbra>& first, const std::vector<CItemEmbra>& second) {
    if (first.size() != second.size())
        return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const CItemEmbra& a = first[i];
        const CItemEmbra& b = second[i];
        if (a.x != b.x || a.y != b.y || a.dx != b.dx || a.dy != b.dy || a.life != b.life)
            return false;
    }
    return true;
}

// Every frame is presented; every flame of every worker shows in the last band, and
// nothing else does; each worker steps its flames from its own generator only, so two
// runs leave every flame in the same state whatever the timing.
TEST(EmbraWorkers, RealWorkersDrawEveryFlameOfEveryWorker) {
    for (const int32_t workers : {2, 4}) {
        const WorkerRun run = RunWorkers(workers);
        ASSERT_EQ(kFrames, run.presented) << workers << " workers";
        ASSERT_EQ(static_cast<std::size_t>(kWidth * 4000 / 1600), run.flames.size())
            << workers << " workers";
        const std::vector<bool> covered = CoveredPixels(run.flames);
        const std::vector<bool>& lit = run.lit;
        ASSERT_EQ(covered.size(), lit.size()) << workers << " workers";
        EXPECT_TRUE(covered == lit) << workers << " workers";
        EXPECT_GT(std::count(lit.begin(), lit.end(), true), kWidth * 20)
            << workers << " workers: the fire fills a good part of the band";
        EXPECT_TRUE(SameFlames(run.flames, RunWorkers(workers).flames)) << workers << " workers";
    }
}

} // namespace
