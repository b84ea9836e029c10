// The fire rendered by several real worker threads. Each worker moves its own flames, then
// draws every worker's flames on its own slice of the band: the band is exactly what one
// worker drawing all flames, worker 0's first, makes, whatever the timing. The
// ThreadSanitizer build runs these cases to show that no two workers touch a pixel at the
// same time.

#include "effects/engine/CRandom.h"
#include "effects/fire/CItemEmbra.h"
#include "effects/fire/CSetEmbra.h"
#include "graphics/CBmp.h"
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
    std::vector<uint32_t> band;     // the last band presented
};

std::vector<uint32_t> BandPixels(const CBmp& band) {
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < band.height; ++y)
        for (int32_t x = 0; x < band.width; ++x)
            pixels.push_back(band.Pixel(x, y));
    return pixels;
}

// `workers` render workers draw kFrames frames at full opacity, seeded from the same tick
// count every run.
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
    CSetEmbra::profileTimer = 0;
    CSetEmbra::profilePeriod = 20;
    CRandom::Seed(99); // Start spawns the flames from the calling thread's generator
    if (!rig.renderState.StartEffect())
        return run;
    WaitUntil([&] { return rig.renderState.runFlag.load() == 0; });
    rig.renderState.StopEffect();
    run.presented = rig.desktop.PresentCount();
    CBmp band;
    rig.desktop.CopyLastPresented(&band);
    run.band = BandPixels(band);
    return run;
}

// The band that one worker on its own draws from the given flames, in their order.
std::vector<uint32_t> DrawnAlone(const std::vector<CItemEmbra>& flames) {
    EmbraRig rig(kWidth, kHeight);
    if (!rig.Start(1))
        return {};
    for (const CItemEmbra& flame : flames)
        rig.set.DrawFlame(flame);
    CBmp band;
    band.Wrap(rig.set.frameBuffer.pixels, rig.set.BandTop() * kWidth * 4, kWidth,
              rig.set.BandRows());
    return BandPixels(band);
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

// Every frame is presented; the last band is, byte for byte, every flame of every worker
// drawn by one worker in worker order; each worker steps its flames from its own generator
// only, so two runs leave every flame in the same state and present the same band.
TEST(EmbraWorkers, RealWorkersDrawEveryFlameOfEveryWorker) {
    for (const int32_t workers : {2, 3, 4}) {
        const WorkerRun run = RunWorkers(workers);
        ASSERT_EQ(kFrames, run.presented) << workers << " workers";
        ASSERT_EQ(static_cast<std::size_t>(kWidth * 4000 / 1600 / workers * workers),
                  run.flames.size())
            << workers << " workers";
        const std::vector<uint32_t> alone = DrawnAlone(run.flames);
        ASSERT_EQ(alone.size(), run.band.size()) << workers << " workers";
        EXPECT_TRUE(alone == run.band) << workers << " workers";
        const auto lit = std::count_if(run.band.begin(), run.band.end(),
                                       [](uint32_t pixel) { return (pixel >> 24) != 0; });
        EXPECT_GT(lit, kWidth * 20)
            << workers << " workers: the fire fills a good part of the band";
        const WorkerRun again = RunWorkers(workers);
        EXPECT_TRUE(SameFlames(run.flames, again.flames)) << workers << " workers";
        EXPECT_TRUE(run.band == again.band) << workers << " workers";
    }
}

} // namespace
