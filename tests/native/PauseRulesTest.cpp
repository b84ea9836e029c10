#include "system/PauseRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// The rules that decide whether and why the effect pauses, over plain system states.
namespace {

constexpr DesktopRect kMonitor{0, 0, 1920, 1080};
constexpr DesktopRect kRightMonitor{1920, 0, 3840, 1080};

ForegroundWindow Borderless(const DesktopRect& rect) {
    ForegroundWindow window;
    window.exists = true;
    window.rect = rect;
    return window;
}

SystemState StateWith(const ForegroundWindow& window) {
    SystemState state;
    state.overlayMonitors = {kMonitor};
    state.foreground = window;
    return state;
}

TEST(PauseRulesTest, CoverNeedsACaptionlessForeignWindowOverTheWholeMonitor) {
    struct Case {
        const char* what;
        ForegroundWindow window;
        bool covers;
    };
    ForegroundWindow captioned = Borderless(kMonitor);
    captioned.hasCaption = true;
    ForegroundWindow shell = Borderless(kMonitor);
    shell.isShell = true;
    ForegroundWindow own = Borderless(kMonitor);
    own.isOwn = true;
    const Case cases[] = {
        {"exactly the monitor", Borderless(kMonitor), true},
        {"larger on every side", Borderless({-8, -8, 1928, 1088}), true},
        {"1 px short at the right", Borderless({0, 0, 1919, 1080}), false},
        {"1 px short at the bottom", Borderless({0, 0, 1920, 1079}), false},
        {"1 px short at the left", Borderless({1, 0, 1920, 1080}), false},
        {"1 px short at the top", Borderless({0, 1, 1920, 1080}), false},
        {"on the other monitor", Borderless(kRightMonitor), false},
        {"with a caption (a maximised window)", captioned, false},
        {"the desktop or a shell window", shell, false},
        {"the program's own overlay", own, false},
        {"no foreground window", ForegroundWindow{}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoversMonitor(c.window, kMonitor), c.covers) << c.what;
    EXPECT_FALSE(CoversMonitor(Borderless(kMonitor), DesktopRect{})) << "an empty monitor";
}

TEST(PauseRulesTest, FullScreenFromTheShellOrTheOverlaysMonitorOnly) {
    SystemState spanning = StateWith(Borderless({0, 0, 3840, 1080}));
    EXPECT_TRUE(FullScreenProgramInFront(spanning)) << "a window over both monitors";
    SystemState elsewhere = StateWith(Borderless(kRightMonitor));
    EXPECT_FALSE(FullScreenProgramInFront(elsewhere)) << "full screen on another monitor";
    elsewhere.fullScreenNotification = true;
    EXPECT_TRUE(FullScreenProgramInFront(elsewhere)) << "Direct3D or presentation mode";
    SystemState unknown = StateWith(Borderless(kMonitor));
    unknown.overlayMonitors.clear();
    EXPECT_FALSE(FullScreenProgramInFront(unknown)) << "no overlay, no monitor to cover";
}

TEST(PauseRulesTest, AFullScreenProgramOnOneMonitorPausesThatBandAloneAndEveryOneAll) {
    constexpr DesktopRect kLeftMonitor{-1280, 56, 0, 1080};
    struct Case {
        const char* what;
        ForegroundWindow window;
        std::vector<bool> paused;
        bool all;
    };
    const Case cases[] = {
        {"on the primary", Borderless(kMonitor), {true, false, false}, false},
        {"on the right monitor", Borderless(kRightMonitor), {false, true, false}, false},
        {"on the left monitor, negative coordinates",
         Borderless(kLeftMonitor),
         {false, false, true},
         false},
        {"over the primary and the right one",
         Borderless({0, 0, 3840, 1080}),
         {true, true, false},
         false},
        {"over the whole desktop", Borderless({-1280, 0, 3840, 1080}), {true, true, true}, true},
        {"nowhere", ForegroundWindow{}, {false, false, false}, false},
    };
    for (const Case& c : cases) {
        SystemState state = StateWith(c.window);
        state.overlayMonitors = {kMonitor, kRightMonitor, kLeftMonitor};
        EXPECT_EQ(PausedMonitors(state, PauseOptions{}), c.paused) << c.what;
        EXPECT_EQ(FullScreenProgramInFront(state), c.all) << c.what;
        EXPECT_EQ(PauseReasons(state, PauseOptions{}, TimedPause{}, 0) == kPauseFullScreen, c.all)
            << c.what;
        EXPECT_EQ(PausedMonitors(state, PauseOptions{false, false}), std::vector<bool>(3, false))
            << c.what << ", the option off";
    }
    SystemState shell = StateWith(ForegroundWindow{});
    shell.overlayMonitors = {kMonitor, kRightMonitor};
    shell.fullScreenNotification = true;
    EXPECT_TRUE(FullScreenProgramInFront(shell)) << "the shell's report names no monitor";
}

TEST(PauseRulesTest, EachReasonAfterTheOptions) {
    struct Case {
        const char* what;
        void (*make)(SystemState&);
        PauseOptions options;
        uint32_t reasons;
    };
    const PauseOptions defaults;
    const PauseOptions none{false, false};
    const PauseOptions battery{true, true};
    const Case cases[] = {
        {"nothing", [](SystemState&) {}, defaults, 0},
        {"full screen", [](SystemState& s) { s.foreground = Borderless(kMonitor); }, defaults,
         kPauseFullScreen},
        {"full screen, option off", [](SystemState& s) { s.foreground = Borderless(kMonitor); },
         none, 0},
        {"presentation, option off", [](SystemState& s) { s.fullScreenNotification = true; }, none,
         0},
        {"locked", [](SystemState& s) { s.sessionLocked = true; }, none, kPauseSessionLocked},
        {"display off", [](SystemState& s) { s.displayOff = true; }, none, kPauseDisplayOff},
        {"energy saver", [](SystemState& s) { s.energySaver = true; }, none, kPauseBatterySaver},
        {"on battery, option off", [](SystemState& s) { s.onBattery = true; }, defaults, 0},
        {"on battery, option on", [](SystemState& s) { s.onBattery = true; }, battery,
         kPauseOnBattery},
        {"locked with the display off",
         [](SystemState& s) {
             s.sessionLocked = true;
             s.displayOff = true;
         },
         defaults, kPauseSessionLocked | kPauseDisplayOff},
    };
    for (const Case& c : cases) {
        SystemState state = StateWith(ForegroundWindow{});
        c.make(state);
        EXPECT_EQ(PauseReasons(state, c.options, TimedPause{}, 1000), c.reasons) << c.what;
    }
}

TEST(PauseRulesTest, TheHoursPauseEndsAtItsTick) {
    const TimedPause hour{3'600'000 + 500, 15, 40};
    const SystemState state = StateWith(ForegroundWindow{});
    EXPECT_EQ(PauseReasons(state, {}, hour, 500), kPauseForHour);
    EXPECT_EQ(PauseReasons(state, {}, hour, 3'600'000 + 499), kPauseForHour);
    EXPECT_EQ(PauseReasons(state, {}, hour, 3'600'000 + 500), 0u) << "the hour is over";
    EXPECT_EQ(PauseReasons(state, {}, TimedPause{}, 0), 0u) << "none chosen";
}

TEST(PauseRulesTest, TheTipNamesTheUsersPauseFirstThenTheSystemsReason) {
    const TimedPause hour{1, 9, 5};
    struct Case {
        const char* what;
        uint32_t reasons;
        PauseNote note;
    };
    const Case cases[] = {
        {"nothing pauses", 0, {}},
        {"the hour's end with it", kPauseForHour | kPauseFullScreen, {kPauseForHour, 9, 5}},
        {"full screen before battery", kPauseFullScreen | kPauseOnBattery, {kPauseFullScreen}},
        {"locked before display off",
         kPauseSessionLocked | kPauseDisplayOff,
         {kPauseSessionLocked}},
        {"display off", kPauseDisplayOff, {kPauseDisplayOff}},
        {"battery saver before battery",
         kPauseBatterySaver | kPauseOnBattery,
         {kPauseBatterySaver}},
        {"on battery", kPauseOnBattery, {kPauseOnBattery}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(NotePause(c.reasons, hour) == c.note) << c.what;
}

TEST(PauseRulesTest, ThePeriodicCheckRunsOnlyWhereItCanChangeSomething) {
    const PauseOptions defaults;
    EXPECT_TRUE(FullScreenWatchWanted(true, defaults, 0)) << "running";
    EXPECT_TRUE(FullScreenWatchWanted(true, defaults, kPauseFullScreen)) << "waiting for the end";
    EXPECT_FALSE(FullScreenWatchWanted(false, defaults, 0)) << "stopped";
    EXPECT_FALSE(FullScreenWatchWanted(true, PauseOptions{false, false}, 0)) << "option off";
    EXPECT_FALSE(FullScreenWatchWanted(true, defaults, kPauseFullScreen | kPauseSessionLocked))
        << "locked: the check could not resume it";
    EXPECT_FALSE(FullScreenWatchWanted(true, defaults, kPauseForHour));
}

} // namespace
