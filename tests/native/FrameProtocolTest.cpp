#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "support/CTestSet.h"
#include "support/ExpectRect.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

// The frame protocol driven by hand on the test thread: with one worker, Render(0) is one
// whole frame.
namespace {

constexpr uint32_t kFilled = 0xFFFFFFFFu;

struct Rig {
    Rig(int32_t width, int32_t height, int32_t workers)
        : desktop(width, height), state(&desktop), set(&state) {
        state.processorCount = workers;
        state.activeSet = &set;
        started = state.StartRendering();
    }
    // The render state stops the set before the set is destroyed.
    ~Rig() { state.StopEffect(); }

    CHeadlessDesktop desktop;
    CRenderState state;
    CTestSet set;
    bool started = false;
    std::atomic<int32_t> run{1};
};

} // namespace

// The band is presented at the destination point, one present per frame.
TEST(FrameProtocol, PresentsTheBandAtTheDestination) {
    Rig rig(64, 400, 1);
    ASSERT_TRUE(rig.started);
    rig.set.Render(0, &rig.run);
    EXPECT_EQ(rig.desktop.PresentCount(), 1);
    ExpectRect(rig.desktop.LastDestination(), {0, 200, 64, 400}); // the overlay's top, H - 200

    rig.set.SetDestination(60, 140);
    rig.set.Render(0, &rig.run);
    EXPECT_EQ(rig.desktop.PresentCount(), 2);
    EXPECT_EQ(rig.desktop.LastDestination().left, 60);
    EXPECT_EQ(rig.desktop.LastDestination().top, 140);
    CBmp presented;
    rig.desktop.CopyLastPresented(&presented);
    ASSERT_EQ(presented.width, 64);
    ASSERT_EQ(presented.height, 200);
    EXPECT_EQ(presented.Pixel(0, 0), CTestSet::Mark(2));
    EXPECT_EQ(presented.Pixel(1, 0), 0u);
}

// The opacity step works on a view of the frame buffer, not on a copy, and runs before
// the copy for presentation; the hooks run in protocol order.
TEST(FrameProtocol, OpacityViewSharesTheFrameBufferAndHooksRunInOrder) {
    Rig rig(64, 400, 1);
    ASSERT_TRUE(rig.started);
    rig.set.opacityMark = 0x80402010u;
    rig.set.recordSteps = true;
    rig.set.Render(0, &rig.run);
    EXPECT_EQ(rig.set.steps, "reset draw opacity end after");
    EXPECT_EQ(rig.set.frameBuffer.Pixel(63, 269), 0x80402010u); // last band row, H - 131
    CBmp presented;
    rig.desktop.CopyLastPresented(&presented);
    EXPECT_EQ(presented.Pixel(63, 199), 0x80402010u);
}

// Worker 0 clears exactly the 200 rows from H - 330 and nothing else. On screens lower
// than 330 rows the band starts at row 0 and holds the rows there are; the clear never
// leaves the frame buffer (the sanitizer builds check the bounds).
TEST(FrameProtocol, ClearsOnlyTheBandInsideTheFrameBuffer) {
    struct Case {
        int32_t width, height;
        int32_t bandTop, bandRows;
    };
    const Case cases[] = {
        {64, 400, 70, 200}, // rows H - 330 .. H - 131
        {64, 330, 0, 200},  // exactly high enough: band rows 0 .. 199
        {64, 329, 0, 200},  // one row short: the band moves up to row 0
        {64, 200, 0, 200},  // band and screen coincide
        {64, 100, 0, 100},  // fewer rows than the band: all of them, and a W x 200 overlay
        {8, 1, 0, 1},       // a single row
        {1, 331, 1, 200},   // a single column
    };
    for (const Case& c : cases) {
        Rig rig(c.width, c.height, 1);
        ASSERT_TRUE(rig.started) << c.height;
        rig.set.frameBuffer.Fill(kFilled);
        rig.set.Render(0, &rig.run);
        EXPECT_EQ(rig.set.BandTop(), c.bandTop) << c.height;
        EXPECT_EQ(rig.set.BandRows(), c.bandRows) << c.height;
        EXPECT_EQ(rig.desktop.PresentCount(), 1) << c.height;
        CBmp presented;
        rig.desktop.CopyLastPresented(&presented);
        ASSERT_EQ(presented.height, 200) << c.height;
        EXPECT_EQ(presented.Pixel(0, 0), CTestSet::Mark(1)) << c.height;
        // Cleared: w x 200 pixels from the band's top, cut at the end of the buffer.
        const int32_t cleared = std::min(c.width * 200, c.width * (c.height - c.bandTop));
        const int32_t first = c.bandTop * c.width;
        for (int32_t i = 0; i < c.width * c.height; ++i) {
            const int32_t x = i % c.width;
            const int32_t y = i / c.width;
            const bool clear = i >= first && i < first + cleared;
            const uint32_t expected = !clear ? kFilled : (i == first ? CTestSet::Mark(1) : 0u);
            ASSERT_EQ(rig.set.frameBuffer.Pixel(x, y), expected) << c.height << " " << i;
        }
    }
}

// With the run flag down, no wait is entered and nothing is presented.
TEST(FrameProtocol, DroppedRunFlagLeavesWithoutPresenting) {
    Rig rig(64, 400, 2);
    ASSERT_TRUE(rig.started);
    rig.run = 0;
    rig.set.Render(1, &rig.run); // its flag is still set from Start: it would wait
    rig.set.Render(0, &rig.run);
    EXPECT_EQ(rig.set.draws[0].load(), 0);
    EXPECT_EQ(rig.set.draws[1].load(), 0);
    EXPECT_EQ(rig.desktop.PresentCount(), 0);
}

// A worker other than 0 whose flag is clear draws its part, sets its flag and leaves
// without presenting.
TEST(FrameProtocol, OtherWorkerDrawsAndSetsItsFlag) {
    Rig rig(64, 400, 2);
    ASSERT_TRUE(rig.started);
    EXPECT_EQ(rig.set.doneFlags[0].load(), 1); // Start sets every flag
    EXPECT_EQ(rig.set.doneFlags[1].load(), 1);
    rig.set.doneFlags[1] = 0;
    rig.set.Render(1, &rig.run);
    EXPECT_EQ(rig.set.draws[1].load(), 1);
    EXPECT_EQ(rig.set.doneFlags[1].load(), 1);
    EXPECT_EQ(rig.set.frameBuffer.Pixel(1, 170), CTestSet::Mark(1)); // its slice's first row
    EXPECT_EQ(rig.desktop.PresentCount(), 0);
}

// A worker waiting for its frame to start, and worker 0 waiting for a worker that never
// draws, leave without drawing or presenting as soon as the run flag drops.
TEST(FrameProtocol, WaitsEndWhenTheRunFlagDrops) {
    Rig rig(64, 400, 3);
    ASSERT_TRUE(rig.started);
    rig.state.runFlag = 1;
    std::thread waiting([&] { rig.set.Render(1, &rig.state.runFlag); }); // flag set by Start
    std::thread first([&] { rig.set.Render(0, &rig.state.runFlag); });
    // Worker 0 drew its part and worker 1 its own; worker 2 never runs.
    WaitUntil([&] { return rig.set.draws[0].load() == 1 && rig.set.draws[1].load() == 1; });
    std::thread second([&] { rig.set.Render(1, &rig.state.runFlag); }); // waits for frame 2
    rig.state.DropRunFlag();
    waiting.join();
    first.join();
    second.join();
    EXPECT_EQ(rig.set.draws[1].load(), 1);
    EXPECT_EQ(rig.set.draws[2].load(), 0);
    EXPECT_EQ(rig.desktop.PresentCount(), 0);
}

// Stop sets every done flag and frees the frame buffer and the items.
TEST(FrameProtocol, StopReleasesTheFrame) {
    Rig rig(64, 400, 3);
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.set.workerItems.size(), 3u);
    rig.set.doneFlags[2] = 0;
    rig.set.Stop();
    EXPECT_EQ(rig.set.doneFlags[2].load(), 1);
    EXPECT_EQ(rig.set.frameBuffer.pixels, nullptr);
    EXPECT_TRUE(rig.set.workerItems.empty());
}
