#include "system/PauseRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

// The rules that decide whether and why the effect pauses, over plain system states.
namespace {

constexpr DesktopRect kMonitor{0, 0, 1920, 1080};
constexpr DesktopRect kRightMonitor{1920, 0, 3840, 1080};

// A shown, opaque window of another program without a caption.
TopWindow Borderless(const DesktopRect& rect) {
    TopWindow window;
    window.rect = rect;
    window.visible = true;
    return window;
}

TopWindow Captioned(const DesktopRect& rect) {
    TopWindow window = Borderless(rect);
    window.hasCaption = true;
    return window;
}

template <class Change> TopWindow With(TopWindow window, Change change) {
    change(window);
    return window;
}

SystemState StateWith(std::vector<TopWindow> windows) {
    SystemState state;
    state.overlayMonitors = {kMonitor};
    state.windows = std::move(windows);
    return state;
}

TEST(PauseRulesTest, AFullScreenProgramIsAShownCaptionlessForeignWindowOverTheWholeMonitor) {
    struct Case {
        const char* what;
        TopWindow window;
        bool covers;
    };
    const Case cases[] = {
        {"exactly the monitor", Borderless(kMonitor), true},
        {"larger on every side", Borderless({-8, -8, 1928, 1088}), true},
        {"1 px short at the right", Borderless({0, 0, 1919, 1080}), false},
        {"1 px short at the bottom", Borderless({0, 0, 1920, 1079}), false},
        {"1 px short at the left", Borderless({1, 0, 1920, 1080}), false},
        {"1 px short at the top", Borderless({0, 1, 1920, 1080}), false},
        {"on the other monitor", Borderless(kRightMonitor), false},
        {"with a caption (a maximised window)", Captioned(kMonitor), false},
        // The work area is the whole monitor (the taskbar auto-hidden or absent).
        {"maximised without a caption, its frame beyond the monitor",
         With(Borderless({-8, -8, 1928, 1088}), [](TopWindow& w) { w.maximised = true; }), false},
        {"maximised to the monitor exactly, no caption or frame (a full-screen program)",
         With(Borderless(kMonitor), [](TopWindow& w) { w.maximised = true; }), true},
        {"the desktop or a shell window",
         With(Borderless(kMonitor), [](TopWindow& w) { w.isShell = true; }), false},
        {"the program's own overlay",
         With(Borderless(kMonitor), [](TopWindow& w) { w.isOwn = true; }), false},
        {"hidden", With(Borderless(kMonitor), [](TopWindow& w) { w.visible = false; }), false},
        {"minimised", With(Borderless(kMonitor), [](TopWindow& w) { w.minimised = true; }), false},
        {"cloaked (another virtual desktop)",
         With(Borderless(kMonitor), [](TopWindow& w) { w.cloaked = true; }), false},
        {"see-through (another program's overlay)",
         With(Borderless(kMonitor), [](TopWindow& w) { w.seeThrough = true; }), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsFullScreenOn(c.window, kMonitor), c.covers) << c.what;
    EXPECT_FALSE(IsFullScreenOn(Borderless(kMonitor), DesktopRect{})) << "an empty monitor";
}

TEST(PauseRulesTest, FullScreenFromTheShellOrTheOverlaysMonitorOnly) {
    SystemState spanning = StateWith({Borderless({0, 0, 3840, 1080})});
    EXPECT_TRUE(FullScreenProgramInFront(spanning)) << "a window over both monitors";
    SystemState elsewhere = StateWith({Borderless(kRightMonitor)});
    EXPECT_FALSE(FullScreenProgramInFront(elsewhere)) << "full screen on another monitor";
    elsewhere.fullScreenNotification = true;
    EXPECT_TRUE(FullScreenProgramInFront(elsewhere)) << "Direct3D or presentation mode";
    SystemState unknown = StateWith({Borderless(kMonitor)});
    unknown.overlayMonitors.clear();
    EXPECT_FALSE(FullScreenProgramInFront(unknown)) << "no overlay, no monitor to cover";
}

TEST(PauseRulesTest, AFullScreenProgramOnOneMonitorPausesThatBandAloneAndEveryOneAll) {
    constexpr DesktopRect kLeftMonitor{-1280, 56, 0, 1080};
    const TopWindow front = Captioned({100, 100, 900, 700}); // the user works on the primary
    struct Case {
        const char* what;
        std::vector<TopWindow> windows;
        std::vector<bool> paused;
        bool all;
    };
    const Case cases[] = {
        {"on the primary", {Borderless(kMonitor)}, {true, false, false}, false},
        {"on the right monitor", {Borderless(kRightMonitor)}, {false, true, false}, false},
        {"on the right monitor, behind the window in front on the primary",
         {front, Borderless(kRightMonitor)},
         {false, true, false},
         false},
        {"on the primary, behind a window in front of it",
         {front, Borderless(kMonitor)},
         {true, false, false},
         false},
        {"on the left monitor, negative coordinates",
         {Borderless(kLeftMonitor)},
         {false, false, true},
         false},
        {"over the primary and the right one",
         {Borderless({0, 0, 3840, 1080})},
         {true, true, false},
         false},
        {"over the whole desktop", {Borderless({-1280, 0, 3840, 1080})}, {true, true, true}, true},
        {"nowhere", {front}, {false, false, false}, false},
    };
    for (const Case& c : cases) {
        SystemState state = StateWith(c.windows);
        state.overlayMonitors = {kMonitor, kRightMonitor, kLeftMonitor};
        EXPECT_EQ(PausedMonitors(state, PauseOptions{}), c.paused) << c.what;
        EXPECT_EQ(FullScreenProgramInFront(state), c.all) << c.what;
        EXPECT_EQ(PauseReasons(state, PauseOptions{}, TimedPause{}, 0) == kPauseFullScreen, c.all)
            << c.what;
        EXPECT_EQ(PausedMonitors(state, PauseOptions{false, false}), std::vector<bool>(3, false))
            << c.what << ", the option off";
    }
    SystemState shell = StateWith({});
    shell.overlayMonitors = {kMonitor, kRightMonitor};
    shell.fullScreenNotification = true;
    EXPECT_TRUE(FullScreenProgramInFront(shell)) << "the shell's report names no monitor";
}

TEST(PauseRulesTest, UnderWindowsABandPausesWhileTheShownWindowsAboveItHideItWholly) {
    constexpr DesktopRect kBand{0, 880, 1920, 1080};
    constexpr DesktopRect kRightBand{1920, 880, 3840, 1080};
    TopWindow overlay = With(Borderless(kBand), [](TopWindow& w) {
        w.isOwn = w.seeThrough = true;
        w.band = 0;
    });
    TopWindow rightOverlay = With(overlay, [&](TopWindow& w) {
        w.rect = kRightBand;
        w.band = 1;
    });
    const TopWindow taskbar =
        With(Captioned({0, 1040, 1920, 1080}), [](TopWindow& w) { w.isShell = true; });
    const TopWindow exact = Captioned(kBand);
    struct Case {
        const char* what;
        std::vector<TopWindow> windows;
        std::vector<bool> covered;
    };
    const Case cases[] = {
        {"one window covering exactly", {exact, overlay, rightOverlay}, {true, false}},
        {"a maximised window",
         {Captioned({-8, -8, 1928, 1048}), taskbar, overlay, rightOverlay},
         {true, false}},
        {"1 px short at the left", {Captioned({1, 880, 1920, 1080}), overlay}, {false, false}},
        {"1 px short at the top", {Captioned({0, 881, 1920, 1080}), overlay}, {false, false}},
        {"1 px short at the right", {Captioned({0, 880, 1919, 1080}), overlay}, {false, false}},
        {"1 px short at the bottom", {Captioned({0, 880, 1920, 1079}), overlay}, {false, false}},
        {"two windows together",
         {Captioned({0, 800, 1000, 1080}), Captioned({900, 700, 1920, 1080}), overlay},
         {true, false}},
        {"four windows round a hole",
         {Captioned({0, 0, 1920, 900}), Captioned({0, 1000, 1920, 1080}),
          Captioned({0, 0, 900, 1080}), Captioned({1000, 0, 1920, 1080}), overlay},
         {false, false}},
        {"the taskbar alone", {taskbar, overlay}, {false, false}},
        {"the taskbar and a window over the rest",
         {taskbar, Captioned({0, 880, 1920, 1040}), overlay},
         {true, false}},
        {"a cloaked window",
         {With(exact, [](TopWindow& w) { w.cloaked = true; }), overlay},
         {false, false}},
        {"a see-through window",
         {With(exact, [](TopWindow& w) { w.seeThrough = true; }), overlay},
         {false, false}},
        {"a minimised window",
         {With(exact, [](TopWindow& w) { w.minimised = true; }), overlay},
         {false, false}},
        {"a window on the other monitor",
         {Captioned(kRightBand), overlay, rightOverlay},
         {false, true}},
        {"a window below the overlay", {overlay, exact}, {false, false}},
        {"the band's overlay not listed", {exact}, {false, false}},
        {"a hidden, paused overlay stays covered",
         {exact, With(overlay, [](TopWindow& w) { w.visible = false; })},
         {true, false}},
    };
    PauseOptions under;
    under.underWindows = true;
    PauseOptions over = under;
    over.underWindows = false;
    for (const Case& c : cases) {
        SystemState state = StateWith(c.windows);
        state.overlayMonitors = {kMonitor, kRightMonitor};
        EXPECT_EQ(CoveredBands(state), c.covered) << c.what;
        EXPECT_EQ(PausedMonitors(state, under), c.covered) << c.what;
        EXPECT_EQ(PausedMonitors(state, over), std::vector<bool>(2, false))
            << c.what << ", over all windows";
        EXPECT_EQ(PauseReasons(state, under, TimedPause{}, 0), 0u) << c.what << ": one band";
    }
    SystemState both = StateWith({Captioned({0, 0, 3840, 1080}), overlay, rightOverlay});
    both.overlayMonitors = {kMonitor, kRightMonitor};
    EXPECT_EQ(PauseReasons(both, under, TimedPause{}, 0), uint32_t{kPauseCoveredByWindows})
        << "every band covered";
    EXPECT_EQ(PauseReasons(both, over, TimedPause{}, 0), 0u) << "over all windows";
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
        {"full screen", [](SystemState& s) { s.windows = {Borderless(kMonitor)}; }, defaults,
         kPauseFullScreen},
        {"full screen, option off", [](SystemState& s) { s.windows = {Borderless(kMonitor)}; },
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
        SystemState state = StateWith({});
        c.make(state);
        EXPECT_EQ(PauseReasons(state, c.options, TimedPause{}, 1000), c.reasons) << c.what;
    }
}

TEST(PauseRulesTest, TheHoursPauseEndsAtItsTick) {
    const TimedPause hour{3'600'000 + 500, 15, 40};
    const SystemState state = StateWith({});
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
        {"full screen before windows",
         kPauseFullScreen | kPauseCoveredByWindows,
         {kPauseFullScreen}},
        {"windows before locked",
         kPauseCoveredByWindows | kPauseSessionLocked,
         {kPauseCoveredByWindows}},
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
    const PauseOptions underOnly{false, false, true};
    EXPECT_TRUE(FullScreenWatchWanted(true, underOnly, 0)) << "under windows, the other off";
    EXPECT_TRUE(FullScreenWatchWanted(true, underOnly, kPauseCoveredByWindows))
        << "waiting for a band to be uncovered";
}

} // namespace
