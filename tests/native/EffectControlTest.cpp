#include "effects/engine/CEffectControl.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "support/CTestSet.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

// Every request to start or stop goes through the control; a request that arrives while a
// stop waits for the workers (on Windows: a message sent to the main thread meanwhile) is
// carried out after it, and never inside it.
namespace {

// A desktop whose pause during a stop runs, once, what the test put into `duringStop`:
// the requests that messages answered in that pause would make.
class CReenteringDesktop : public CHeadlessDesktop {
public:
    CReenteringDesktop() : CHeadlessDesktop(320, 480) {}
    void PauseWhileStopping(int32_t milliseconds) override {
        std::function<void()> requests;
        requests.swap(duringStop);
        if (requests)
            requests();
        CHeadlessDesktop::PauseWhileStopping(milliseconds);
    }

    std::function<void()> duringStop; // touched only by the thread that stops
};

struct Rig {
    static constexpr int32_t kWorkers = 3;

    Rig() : state(&desktop), control(&state), fire(&state), water(&state) {
        state.processorCount = kWorkers;
        state.frameSleepMs = 0;
        state.activeSet = &fire;
        // Worker 0 stays in its presentation while `hold` is set, as a presentation that
        // needs the main thread's answer does: the stop must pause for it.
        desktop.onPresent = [this](const CBmp&, int32_t, int32_t) {
            held.store(hold.load());
            while (hold.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
    }
    ~Rig() {
        state.StopEffect();
        state.activeSet = nullptr;
    }

    // Runs `outer` on a thread of its own (the main thread of the program), with the
    // requests `nested` arriving while its stop waits for the workers. False when it did
    // not end within the deadline; the workers are then made to leave so that the thread
    // can be joined.
    bool RunNested(const std::function<void()>& outer, const std::function<void()>& nested) {
        hold.store(true);
        // The stop comes while worker 0 presents, so that it must pause; workers that left
        // before its first look would let it end without ever pausing.
        if (!WaitUntilWithin([&] { return held.load(); }, std::chrono::seconds(20))) {
            hold.store(false);
            return false;
        }
        desktop.duringStop = [this, nested] {
            nested();
            hold.store(false);
        };
        std::atomic<bool> done{false};
        std::thread mainThread([&] {
            outer();
            done.store(true);
        });
        const bool ended = WaitUntilWithin([&] { return done.load(); }, std::chrono::seconds(20));
        if (!ended) {
            hold.store(false);
            state.DropRunFlag();
        }
        mainThread.join();
        return ended;
    }

    // Exactly one set of workers renders `set`, or none when `set` is null.
    void ExpectRunning(CSet* set) const {
        if (!set) {
            EXPECT_FALSE(control.Running());
            EXPECT_EQ(state.runningWorkers.load(), 0);
            EXPECT_FALSE(desktop.OverlayExists());
            return;
        }
        EXPECT_TRUE(control.Running());
        EXPECT_EQ(state.activeSet, set);
        EXPECT_EQ(state.runFlag.load(), 1);
        EXPECT_EQ(state.runningWorkers.load(), kWorkers);
        EXPECT_TRUE(desktop.OverlayVisible());
    }

    CReenteringDesktop desktop;
    CRenderState state;
    CEffectControl control;
    CTestSet fire;
    CTestSet water;
    std::atomic<bool> hold{false};
    std::atomic<bool> held{false}; // worker 0 is held in its presentation
};

} // namespace

TEST(EffectControl, RequestsArrivingDuringAStopRunAfterIt) {
    struct Case {
        const char* what;
        bool stopFirst; // the outer request: a stop, or a display change (a fresh start)
        std::function<void(CEffectControl&, CSet* other)> nested;
        bool endsRunning;
        bool onTheOtherSet;
    };
    const Case cases[] = {
        {"stop, then a display change", true,
         [](CEffectControl& control, CSet*) { control.Restart(); }, false, false},
        {"stop, then a second stop", true, [](CEffectControl& control, CSet*) { control.Stop(); },
         false, false},
        {"stop, then a switch of the effect", true,
         [](CEffectControl& control, CSet* other) {
             control.Stop();
             control.Choose(other);
             control.Start();
         },
         true, true},
        {"stop, then a start", true, [](CEffectControl& control, CSet*) { control.Start(); }, true,
         false},
        {"display change, then another", false,
         [](CEffectControl& control, CSet*) { control.Restart(); }, true, false},
        {"display change, then a stop", false,
         [](CEffectControl& control, CSet*) { control.Stop(); }, false, false},
        {"display change, then a switch of the effect", false,
         [](CEffectControl& control, CSet* other) { control.Choose(other); }, true, true},
    };
    for (const Case& test : cases) {
        Rig rig;
        rig.control.Start();
        ASSERT_TRUE(rig.control.Running()) << test.what;
        WaitUntil([&] { return rig.desktop.PresentCount() >= 1; });
        const bool ended =
            rig.RunNested([&] { test.stopFirst ? rig.control.Stop() : rig.control.Restart(); },
                          [&] { test.nested(rig.control, &rig.water); });
        ASSERT_TRUE(ended) << test.what << ": the outer request never ended";
        EXPECT_FALSE(rig.control.Busy()) << test.what;
        SCOPED_TRACE(test.what);
        rig.ExpectRunning(test.endsRunning ? (test.onTheOtherSet ? &rig.water : &rig.fire)
                                           : nullptr);
        // The set that stopped for good was stopped with no worker left.
        if (test.onTheOtherSet || !test.endsRunning) {
            EXPECT_EQ(rig.fire.workersAtStop.load(), 0);
        }
    }
}

// A start without a set, or whose set refuses it (no taskbar), leaves nothing running and
// says so; the set stays chosen, and a stop clears the failure.
TEST(EffectControl, FailedStartRunsNothingAndKeepsTheSet) {
    Rig rig;
    rig.fire.failStart = true;
    rig.control.Start();
    EXPECT_FALSE(rig.control.Running());
    EXPECT_TRUE(rig.control.StartFailed());
    EXPECT_EQ(rig.state.activeSet, &rig.fire);
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);

    rig.fire.failStart = false;
    rig.control.Start();
    EXPECT_TRUE(rig.control.Running());
    EXPECT_FALSE(rig.control.StartFailed());
    rig.control.Stop();

    rig.control.Choose(nullptr);
    rig.control.Start();
    EXPECT_FALSE(rig.control.Running());
    EXPECT_TRUE(rig.control.StartFailed());
    EXPECT_FALSE(rig.desktop.OverlayExists());
    rig.control.Stop();
    EXPECT_FALSE(rig.control.StartFailed());
}

// Choosing a set while the effect runs switches to it; while stopped it only chooses; a
// display change while stopped starts nothing.
TEST(EffectControl, ChooseSwitchesARunningEffectOnly) {
    Rig rig;
    rig.control.Choose(&rig.water);
    rig.control.Restart();
    EXPECT_FALSE(rig.control.Running());
    EXPECT_EQ(rig.water.starts.load(), 0);
    rig.control.Start();
    rig.control.Choose(&rig.fire);
    rig.ExpectRunning(&rig.fire);
    EXPECT_EQ(rig.water.starts.load(), 1);
    EXPECT_EQ(rig.water.workersAtStop.load(), 0);
    rig.control.Restart();
    rig.ExpectRunning(&rig.fire);
    EXPECT_EQ(rig.fire.starts.load(), 2);
}

// Pausing keeps the effect running (the button and the settings say so) and is kept across
// a stop, a start, a display change and a switch of the effect, each of which comes up
// hidden and drawing nothing until the pause ends.
TEST(EffectControl, PauseIsKeptAcrossStopsAndStarts) {
    Rig rig;
    rig.control.Start();
    rig.control.SetPaused(true);
    EXPECT_TRUE(rig.control.Paused());
    EXPECT_TRUE(rig.control.Running());
    EXPECT_FALSE(rig.desktop.OverlayVisible());
    rig.control.Stop();
    EXPECT_TRUE(rig.control.Paused());
    const int32_t presented = rig.desktop.PresentCount();
    rig.control.Start();
    rig.control.Restart();
    rig.control.Choose(&rig.water);
    EXPECT_TRUE(rig.control.Running());
    EXPECT_TRUE(rig.desktop.OverlayExists());
    EXPECT_FALSE(rig.desktop.OverlayVisible());
    WaitUntil([&] { return rig.state.parked.load(); });
    EXPECT_EQ(rig.desktop.PresentCount(), presented);
    EXPECT_EQ(rig.water.frames.load(), 0);
    rig.control.SetPaused(false);
    EXPECT_FALSE(rig.control.Paused());
    rig.ExpectRunning(&rig.water);
    WaitUntil([&] { return rig.water.frames.load() >= 1; });
}
