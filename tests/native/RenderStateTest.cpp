#include "effects/engine/CEffectControl.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "support/CTestSet.h"
#include "support/ExpectRect.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <system_error>
#include <thread>
#include <utility>

// The render state with real worker threads on the headless desktop. Nothing here depends
// on timing: the tests wait for states, never for durations.
namespace {

struct Rig {
    explicit Rig(int32_t workers) : desktop(320, 480), state(&desktop), set(&state) {
        state.processorCount = workers;
        state.activeSet = &set;
        state.frameSleepMs = 0;
    }
    // The render state stops the set before the set is destroyed.
    ~Rig() { state.StopEffect(); }

    CHeadlessDesktop desktop;
    CRenderState state;
    CTestSet set;
};

} // namespace

TEST(RenderState, StartRenderingShowsTheOverlayAtTheBottom) {
    Rig rig(1);
    ASSERT_TRUE(rig.state.StartRendering());
    EXPECT_TRUE(rig.desktop.OverlayVisible());
    DesktopRect overlay;
    ASSERT_TRUE(rig.desktop.OverlayRect(0, &overlay));
    ExpectRect(overlay, {0, 280, 320, 480}); // the top at H - 200
    EXPECT_EQ(rig.set.starts.load(), 1);

    // A second start stops the running one first.
    ASSERT_TRUE(rig.state.StartRendering());
    EXPECT_EQ(rig.desktop.OverlayCount(), 2);
    EXPECT_EQ(rig.set.starts.load(), 2);

    EXPECT_TRUE(rig.state.StopRendering());
    EXPECT_FALSE(rig.desktop.OverlayExists());
    EXPECT_EQ(rig.set.frameBuffer.pixels, nullptr);
}

// A set that fails to start (no taskbar) starts no worker and leaves no overlay, and
// stays the active set: the next start tries it again. Without an active set nothing
// starts either.
TEST(RenderState, FailedStartKeepsTheActiveSetAndStartsNoWorker) {
    Rig rig(2);
    rig.set.failStart = true;
    EXPECT_FALSE(rig.state.StartEffect());
    EXPECT_EQ(rig.state.activeSet, &rig.set);
    EXPECT_EQ(rig.state.runFlag.load(), 0);
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_FALSE(rig.desktop.OverlayExists());

    EXPECT_FALSE(rig.state.StartEffect());
    EXPECT_EQ(rig.set.starts.load(), 2);

    rig.state.activeSet = nullptr;
    EXPECT_FALSE(rig.state.StartEffect());
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_EQ(rig.desktop.OverlayCount(), 2);

    rig.set.failStart = false;
    rig.state.activeSet = &rig.set;
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.desktop.PresentCount() >= 1; });
    rig.state.StopEffect();
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_FALSE(rig.desktop.OverlayExists());
}

// Two starts in a row: the second is refused while the workers of the first run.
TEST(RenderState, SecondStartWhileRunningIsRefused) {
    Rig rig(2);
    ASSERT_TRUE(rig.state.StartEffect());
    EXPECT_FALSE(rig.state.StartEffect());
    EXPECT_EQ(rig.set.starts.load(), 1);
    rig.state.StopEffect();
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
}

// One processor: worker 0 draws everything and presents every frame.
TEST(RenderState, OneWorkerPresentsEveryFrame) {
    Rig rig(1);
    rig.state.frameLimit = 6;
    std::atomic<int32_t> wrong{0};
    int32_t seen = 0; // touched only by worker 0
    rig.desktop.onPresent = [&](const CBmp& band, int32_t, int32_t) {
        ++seen;
        if (band.Pixel(0, 0) != CTestSet::Mark(seen))
            wrong.fetch_add(1);
    };
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.state.runFlag.load() == 0; }); // worker 0 ends after 6 frames
    rig.state.StopEffect();
    EXPECT_EQ(rig.desktop.PresentCount(), 6);
    EXPECT_EQ(rig.set.draws[0].load(), 6);
    EXPECT_EQ(wrong.load(), 0);
}

// Several workers: every presented frame holds every worker's part of that frame and of
// no other, each frame is presented once, in order.
TEST(RenderState, SeveralWorkersFinishEveryFrameBeforeItIsPresented) {
    constexpr int32_t kWorkers = 4;
    Rig rig(kWorkers);
    rig.state.frameLimit = 12;
    std::atomic<int32_t> wrong{0};
    int32_t seen = 0;
    rig.desktop.onPresent = [&](const CBmp& band, int32_t, int32_t) {
        ++seen;
        for (int32_t w = 0; w < kWorkers; ++w)
            if (band.Pixel(w, rig.set.MarkRow(w)) != CTestSet::Mark(seen) ||
                band.Pixel(kWorkers, rig.set.MarkRow(w)) != 0)
                wrong.fetch_add(1);
    };
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.state.runFlag.load() == 0; });
    rig.state.StopEffect();
    EXPECT_EQ(rig.desktop.PresentCount(), 12);
    EXPECT_EQ(rig.state.framesRendered.load(), 12) << "counted once a frame, not per worker";
    EXPECT_EQ(wrong.load(), 0);
    for (int32_t w = 0; w < kWorkers; ++w)
        EXPECT_EQ(rig.set.draws[w].load(), 12) << w;
}

// Stop while worker 0 waits for a worker that has not finished: every worker leaves and
// the count of running workers reaches 0 before StopRendering stops the set. Frame 3 is
// presented only if the held worker has left it (flag set) before worker 0 looked again;
// a frame that a worker may still be drawing into is never presented.
TEST(RenderState, StopWhileWorkerZeroWaitsForTheOthers) {
    Rig rig(3);
    rig.set.blockWorker = 1;
    rig.set.blockFrame = 3;
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] {
        return rig.set.blocked.load() && rig.set.doneFlags[0].load() == 1 &&
               rig.set.doneFlags[2].load() == 1;
    });
    const int32_t rows[] = {rig.set.MarkRow(1), rig.set.MarkRow(2)}; // while the band is there
    rig.state.StopEffect();
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_EQ(rig.set.workersAtStop.load(), 0);
    EXPECT_FALSE(rig.desktop.OverlayExists());
    const int32_t presented = rig.desktop.PresentCount();
    ASSERT_TRUE(presented == 2 || presented == 3) << presented;
    EXPECT_EQ(rig.set.frames.load(), presented);
    CBmp last;
    rig.desktop.CopyLastPresented(&last);
    EXPECT_EQ(last.Pixel(0, 0), CTestSet::Mark(presented));
    EXPECT_EQ(last.Pixel(1, rows[0]), presented == 2 ? CTestSet::Mark(2) : 0u); // held: undrawn
    EXPECT_EQ(last.Pixel(2, rows[1]), CTestSet::Mark(presented));
}

// Stop while the other worker waits for worker 0 to clear its flag (worker 0 is held at
// the end of frame 2): the other worker leaves without drawing again.
TEST(RenderState, StopWhileAWorkerWaitsForItsFlag) {
    Rig rig(2);
    rig.set.blockEndOfFrame = 2;
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.set.blocked.load(); });
    rig.state.StopEffect();
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_EQ(rig.set.workersAtStop.load(), 0);
    EXPECT_EQ(rig.set.draws[1].load(), 2);
    EXPECT_EQ(rig.desktop.PresentCount(), 2);
}

// Start and stop repeatedly, with worker 0's 40 ms pause cut short by every stop.
TEST(RenderState, RepeatedStartStopCycles) {
    Rig rig(2);
    rig.state.frameSleepMs = 40;
    for (int32_t cycle = 1; cycle <= 4; ++cycle) {
        const int32_t before = rig.desktop.PresentCount();
        ASSERT_TRUE(rig.state.StartEffect()) << cycle;
        EXPECT_TRUE(rig.desktop.OverlayVisible());
        WaitUntil([&] { return rig.desktop.PresentCount() >= before + 2; });
        rig.state.StopEffect();
        EXPECT_EQ(rig.state.runningWorkers.load(), 0) << cycle;
        EXPECT_EQ(rig.set.workersAtStop.load(), 0) << cycle;
        EXPECT_FALSE(rig.desktop.OverlayExists()) << cycle;
        EXPECT_EQ(rig.set.starts.load(), cycle);
    }
    EXPECT_EQ(rig.desktop.OverlayCount(), 4);
}

// Each frame wakes each worker about once: the others when worker 0 starts the frame,
// worker 0 when the last of them is done and when its pause ends. Polling would wake them
// many times a frame.
TEST(RenderState, WorkersWakeAboutOnceAFrame) {
    constexpr int32_t kWorkers = 3;
    constexpr int32_t kFrames = 10;
    Rig rig(kWorkers);
    rig.state.frameSleepMs = 20;
    rig.state.frameLimit = kFrames;
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.state.runFlag.load() == 0; });
    rig.state.StopEffect();
    EXPECT_EQ(rig.desktop.PresentCount(), kFrames);
    EXPECT_LE(rig.state.wakeUps.load(), int64_t{kFrames} * (kWorkers + 2));
}

// Paused, the workers keep their frame and wait without waking; the overlay is hidden and
// nothing is presented. Resumed, the overlay shows and the frames go on where they were.
TEST(RenderState, PauseKeepsTheFrameAndWakesNoWorker) {
    Rig rig(3);
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.desktop.PresentCount() >= 3; });
    rig.state.SetPaused(true);
    EXPECT_TRUE(rig.state.Paused());
    EXPECT_FALSE(rig.desktop.OverlayVisible());
    WaitUntil([&] { return rig.state.parked.load(); });
    const int32_t presented = rig.desktop.PresentCount();
    const int32_t drawn = rig.set.draws[2].load();
    const int64_t wakeUps = rig.state.wakeUps.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // frames run back to back
    EXPECT_EQ(rig.desktop.PresentCount(), presented);
    EXPECT_EQ(rig.set.draws[2].load(), drawn);
    EXPECT_EQ(rig.state.wakeUps.load(), wakeUps);
    EXPECT_EQ(rig.state.runningWorkers.load(), 3);

    rig.state.SetPaused(false);
    EXPECT_TRUE(rig.desktop.OverlayVisible());
    WaitUntil([&] { return rig.desktop.PresentCount() >= presented + 2; });
    rig.state.StopEffect();
    EXPECT_EQ(rig.set.starts.load(), 1);
    CBmp last;
    rig.desktop.CopyLastPresented(&last);
    EXPECT_EQ(last.Pixel(0, 0), CTestSet::Mark(rig.desktop.PresentCount())); // counted on
}

// A stop while paused ends the workers at once; a start while paused creates the overlay
// hidden and draws nothing until the pause ends.
TEST(RenderState, StopAndStartWhilePaused) {
    Rig rig(2);
    ASSERT_TRUE(rig.state.StartEffect());
    rig.state.SetPaused(true);
    WaitUntil([&] { return rig.state.parked.load(); });
    rig.state.StopEffect();
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_FALSE(rig.desktop.OverlayExists());
    const int32_t presented = rig.desktop.PresentCount();

    ASSERT_TRUE(rig.state.StartEffect());
    EXPECT_TRUE(rig.state.Paused());
    EXPECT_TRUE(rig.desktop.OverlayExists());
    EXPECT_FALSE(rig.desktop.OverlayVisible());
    WaitUntil([&] { return rig.state.parked.load(); });
    EXPECT_EQ(rig.desktop.PresentCount(), presented);
    rig.state.SetPaused(false);
    EXPECT_TRUE(rig.desktop.OverlayVisible());
    WaitUntil([&] { return rig.desktop.PresentCount() > presented; });
}

// A worker whose thread the system refuses fails the start as a set that refuses it does:
// no exception leaves the start, the workers made before it are stopped and joined, the
// overlay is gone and the set stopped; the next start that gets its threads runs.
TEST(RenderState, AWorkerThatCannotBeMadeFailsTheStart) {
    const struct {
        const char* what;
        int32_t refused; // the worker whose thread is refused
    } cases[] = {{"the first of three", 0}, {"the second of three", 1}, {"the last of three", 2}};
    for (const auto& test : cases) {
        Rig rig(3);
        CEffectControl control(&rig.state);
        int32_t made = 0;
        int32_t refused = test.refused;
        rig.state.makeThread = [&](std::function<void()> work) {
            if (made++ == refused)
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(work));
        };
        EXPECT_NO_THROW(control.Start()) << test.what;
        EXPECT_TRUE(control.StartFailed()) << test.what;
        EXPECT_FALSE(control.Running()) << test.what;
        EXPECT_EQ(rig.state.runningWorkers.load(), 0) << test.what;
        EXPECT_EQ(rig.state.runFlag.load(), 0) << test.what;
        EXPECT_FALSE(rig.desktop.OverlayExists()) << test.what;
        EXPECT_EQ(rig.set.frameBuffer.pixels, nullptr) << test.what << ": the set stopped";

        refused = -1;
        control.Start();
        ASSERT_TRUE(control.Running()) << test.what;
        WaitUntil([&] { return rig.desktop.PresentCount() >= 1; });
        control.Stop();
    }
}
