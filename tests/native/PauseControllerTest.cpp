#include "support/CStandInSystem.h"
#include "system/CPauseController.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The controller over a stand-in system: what it tells the effect, when, and what the tip
// says.
namespace {

struct Rig {
    Rig() : controller(&system) {
        system.state.overlayMonitors = {{0, 0, 1280, 720}};
        controller.clock = [this] { return now; };
        controller.runWanted = [this] { return running; };
        controller.setPaused = [this](bool paused) { calls.push_back(paused); };
        controller.onReasonsChanged = [this] { ++tipChanges; };
        system.SetListener(&controller);
    }
    void FullScreenInFront(bool inFront) {
        system.state.windows = {
            Borderless(inFront ? DesktopRect{0, 0, 1280, 720} : DesktopRect{100, 100, 600, 400})};
        system.listener->OnSystemStateChanged();
    }
    static TopWindow Borderless(const DesktopRect& rect) {
        TopWindow window;
        window.rect = rect;
        window.visible = true;
        return window;
    }

    CStandInSystem system;
    CPauseController controller;
    uint64_t now = 1000;
    bool running = true;
    std::vector<bool> calls;
    int tipChanges = 0;
};

TEST(PauseControllerTest, PausesAndResumesOnceForEachChange) {
    Rig rig;
    rig.controller.Update();
    EXPECT_EQ(rig.calls, std::vector<bool>({false})) << "the first update says where it stands";
    rig.FullScreenInFront(true);
    rig.FullScreenInFront(true);
    rig.system.state.sessionLocked = true;
    rig.system.listener->OnSystemStateChanged();
    EXPECT_EQ(rig.calls, std::vector<bool>({false, true})) << "a second reason pauses no more";
    EXPECT_EQ(rig.controller.Note().reason, uint32_t{kPauseFullScreen});
    rig.FullScreenInFront(false);
    EXPECT_EQ(rig.controller.Note().reason, uint32_t{kPauseSessionLocked});
    rig.system.state.sessionLocked = false;
    rig.system.listener->OnSystemStateChanged();
    EXPECT_EQ(rig.calls, std::vector<bool>({false, true, false}));
    EXPECT_EQ(rig.controller.Note().reason, 0u);
    EXPECT_EQ(rig.tipChanges, 4) << "full screen, and locked, locked alone, none";
}

TEST(PauseControllerTest, EachBandIsToldOfItsOwnFullScreenPauseOnlyWhenItChanges) {
    Rig rig;
    std::vector<std::pair<std::size_t, bool>> bands;
    rig.controller.setMonitorPaused = [&bands](std::size_t index, bool paused) {
        bands.emplace_back(index, paused);
    };
    rig.system.state.overlayMonitors = {{0, 0, 1280, 720}, {1280, 0, 2560, 1024}};
    rig.controller.Update();
    using Calls = std::vector<std::pair<std::size_t, bool>>;
    EXPECT_EQ(bands, Calls({{0, false}, {1, false}})) << "the first update tells every band";
    bands.clear();
    rig.system.state.windows = {Rig::Borderless({1280, 0, 2560, 1024})};
    rig.system.Change();
    rig.system.Change();
    EXPECT_EQ(bands, Calls({{1, true}})) << "the second monitor alone, once";
    EXPECT_EQ(rig.calls, std::vector<bool>({false})) << "the effect as a whole runs on";
    EXPECT_EQ(rig.controller.Note().reason, 0u);
    bands.clear();
    rig.system.state.windows[0].rect = {0, 0, 2560, 1024};
    rig.system.Change();
    EXPECT_EQ(bands, Calls({{0, true}}));
    EXPECT_EQ(rig.calls, std::vector<bool>({false, true})) << "every monitor covered";
    EXPECT_EQ(rig.controller.Note().reason, uint32_t{kPauseFullScreen});
    bands.clear();
    rig.controller.options.pauseFullScreen = false;
    rig.controller.Update();
    EXPECT_EQ(bands, Calls({{0, false}, {1, false}})) << "the option off resumes each band";
    bands.clear();
    rig.controller.ForgetMonitors();
    rig.controller.Update();
    EXPECT_EQ(bands, Calls({{0, false}, {1, false}})) << "new bands are told where they stand";
}

TEST(PauseControllerTest, OptionsDecideWhatPauses) {
    Rig rig;
    rig.controller.options.pauseFullScreen = false;
    rig.FullScreenInFront(true);
    EXPECT_EQ(rig.controller.Reasons(), 0u);
    rig.system.state.onBattery = true;
    rig.controller.options.pauseOnBattery = true;
    rig.controller.Update();
    EXPECT_EQ(rig.controller.Reasons(), uint32_t{kPauseOnBattery});
    EXPECT_EQ(rig.calls.back(), true);
}

TEST(PauseControllerTest, TheHourPauseEndsByItselfOrWhenChosenAgain) {
    Rig rig;
    rig.controller.ToggleHourPause(15, 40);
    EXPECT_TRUE(rig.controller.TimedPauseRuns());
    EXPECT_EQ(rig.controller.TimedPauseLeft(), CPauseController::kHourMs);
    const PauseNote note = rig.controller.Note();
    EXPECT_EQ(note.reason, uint32_t{kPauseForHour});
    EXPECT_EQ(note.untilHour * 100 + note.untilMinute, 1540);
    EXPECT_EQ(rig.calls.back(), true);
    rig.now += CPauseController::kHourMs;
    rig.controller.Update();
    EXPECT_FALSE(rig.controller.TimedPauseRuns());
    EXPECT_EQ(rig.calls.back(), false) << "resumed after the hour";
    rig.controller.ToggleHourPause(16, 45);
    rig.now += 60'000;
    rig.controller.ToggleHourPause(0, 0);
    EXPECT_FALSE(rig.controller.TimedPauseRuns());
    EXPECT_EQ(rig.controller.TimedPauseLeft(), 0u);
    EXPECT_EQ(rig.calls.back(), false) << "resumed at once when chosen again";
}

TEST(PauseControllerTest, StoppedShowsNoReasonAndWatchesNothing) {
    Rig rig;
    rig.controller.Update();
    EXPECT_TRUE(rig.system.watch.windows) << "running: the periodic check looks for full screen";
    rig.running = false;
    rig.FullScreenInFront(true);
    EXPECT_FALSE(rig.system.watch.windows);
    EXPECT_EQ(rig.controller.Note().reason, 0u) << "a stopped effect is not paused";
    rig.running = true;
    rig.system.state.displayOff = true;
    rig.controller.Update();
    EXPECT_FALSE(rig.system.watch.windows) << "the display is off: nothing to look at";
}

TEST(PauseControllerTest, WakingFromSleepPlacesTheOverlayAnew) {
    Rig rig;
    int placed = 0;
    rig.controller.onResumedFromSleep = [&placed] { ++placed; };
    rig.system.state.sessionLocked = true;
    rig.system.listener->OnResumedFromSleep();
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(rig.calls.back(), true) << "and reads the state again";
}

} // namespace
