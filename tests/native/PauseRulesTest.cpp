#include "system/PauseRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
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

// The options with the full-screen, battery and under-windows flags, the rest as default.
PauseOptions Flags(bool fullScreen, bool battery, bool underWindows = false) {
    PauseOptions options;
    options.pauseFullScreen = fullScreen;
    options.pauseOnBattery = battery;
    options.underWindows = underWindows;
    return options;
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
        EXPECT_EQ(PausedMonitors(state, Flags(false, false)), std::vector<bool>(3, false))
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

// The options with one change.
template <class Change> PauseOptions OptionsWith(Change change) {
    PauseOptions options;
    change(options);
    return options;
}

TEST(PauseRulesTest, EachReasonAfterTheOptions) {
    struct Case {
        const char* what;
        void (*make)(SystemState&);
        PauseOptions options;
        uint32_t reasons;
    };
    const PauseOptions defaults;
    const PauseOptions none = Flags(false, false);
    const PauseOptions battery = Flags(true, true);
    const PauseOptions noRemote = OptionsWith([](PauseOptions& o) { o.pauseRemote = false; });
    const PauseOptions camera = OptionsWith([](PauseOptions& o) { o.pauseCamera = true; });
    const PauseOptions alwaysAnimate =
        OptionsWith([](PauseOptions& o) { o.followAnimations = false; });
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
        {"remote session", [](SystemState& s) { s.remoteSession = true; }, defaults,
         kPauseRemoteSession},
        {"remote, option off", [](SystemState& s) { s.remoteSession = true; }, noRemote, 0},
        {"camera, option off", [](SystemState& s) { s.cameraInUse = true; }, defaults, 0},
        {"camera, option on", [](SystemState& s) { s.cameraInUse = true; }, camera, kPauseCamera},
        {"animations off", [](SystemState& s) { s.animationsOff = true; }, defaults,
         kPauseAnimationsOff},
        {"animations off, always animating", [](SystemState& s) { s.animationsOff = true; },
         alwaysAnimate, 0},
    };
    for (const Case& c : cases) {
        SystemState state = StateWith({});
        c.make(state);
        EXPECT_EQ(PauseReasons(state, c.options, TimedPause{}, 1000), c.reasons) << c.what;
    }
}

TEST(PauseRulesTest, ARuleNamesItsProgramByTheWholeFileNameWithoutRegardToCase) {
    struct Case {
        const char* what;
        const char* stored;   // the value's name under "Programs"
        const char* reported; // the program as the system names it
        bool names;
    };
    const Case cases[] = {
        {"the same file name", "obs64.exe", "obs64.exe", true},
        {"another case", "OBS64.EXE", "obs64.exe", true},
        {"reported with its path", "obs64.exe", "C:\\Program Files\\obs\\obs64.exe", true},
        {"a full path stored", "C:\\Tools\\obs64.exe", "obs64.exe", true},
        {"the start of another name", "obs.exe", "obs64.exe", false},
        {"another name that starts with it", "obs64.exe", "obs64.exe.old", false},
        {"without its extension", "obs64", "obs64.exe", false},
        {"letters beyond ASCII, the same", "Pr\xC3\xA4sentation.exe", "Pr\xC3\xA4sentation.exe",
         true},
        {"a folder stored, no file name", "C:\\Tools\\", "obs64.exe", false},
        {"a control character", "obs\t64.exe", "obs\t64.exe", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RuleNames(ProgramRule{c.stored, ProgramAction::Front}, c.reported), c.names)
            << c.what;
}

// A rule of each action for "obs64.exe" over what the system reports of the programs: the
// foreground one, the running ones, and the program of a window over the whole monitor
// (or of the shell's full-screen report, which names none).
TEST(PauseRulesTest, EachProgramRulePausesForItsOwnProgramOnly) {
    using A = ProgramAction;
    struct Case {
        const char* what;
        ProgramAction action;
        const char* foreground;
        const char* running;
        const char* fullScreen; // the program of the window over the monitor; null: none
        bool notified;          // the shell reports a full-screen program
        uint32_t reasons;
    };
    const Case cases[] = {
        {"front: in front", A::Front, "obs64.exe", "", nullptr, false, kPauseProgramInFront},
        {"front: another in front", A::Front, "obs.exe", "", nullptr, false, 0},
        {"front: running behind", A::Front, "", "obs64.exe", nullptr, false, 0},
        {"running: running behind", A::Running, "", "obs64.exe", nullptr, false,
         kPauseProgramRunning},
        {"ignore: its window", A::Ignore, "", "", "OBS64.exe", false, 0},
        {"ignore: the shell's report, it in front", A::Ignore, "obs64.exe", "", nullptr, true, 0},
        {"ignore: another's window", A::Ignore, "", "", "game.exe", false, kPauseFullScreen},
        {"ignore: the shell's report, another in front", A::Ignore, "game.exe", "", nullptr, true,
         kPauseFullScreen},
    };
    for (const Case& c : cases) {
        SystemState state = StateWith({});
        state.foregroundProgram = c.foreground;
        state.runningPrograms = {"explorer.exe", c.running};
        state.fullScreenNotification = c.notified;
        if (c.fullScreen)
            state.windows = {
                With(Borderless(kMonitor), [&c](TopWindow& w) { w.program = c.fullScreen; })};
        PauseOptions options;
        options.programs = {{"obs64.exe", c.action}};
        EXPECT_EQ(PauseReasons(state, options, TimedPause{}, 0), c.reasons) << c.what;
        EXPECT_EQ(PausedMonitors(state, options)[0], c.reasons == kPauseFullScreen && c.fullScreen)
            << c.what << ": the band";
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

TEST(PauseRulesTest, TheNoteNamesTheUsersPauseFirstThenTheRulesThenTheSystemsReason) {
    const TimedPause hour{1, 9, 5};
    struct Case {
        uint32_t reasons;
        uint32_t named;
        const char* program; // the note's program
    };
    const Case cases[] = {
        {0, 0, ""},
        {kPauseForHour | kPauseProgramInFront, kPauseForHour, ""},
        {kPauseProgramInFront | kPauseProgramRunning, kPauseProgramInFront, "obs64.exe"},
        {kPauseProgramRunning | kPauseFullScreen, kPauseProgramRunning, "obs64.exe"},
        {kPauseDisplayOff | kPauseRemoteSession, kPauseDisplayOff, ""},
        {kPauseRemoteSession | kPauseCamera, kPauseRemoteSession, ""},
        {kPauseCamera | kPauseBatterySaver, kPauseCamera, ""},
        {kPauseOnBattery | kPauseAnimationsOff, kPauseOnBattery, ""},
    };
    for (const Case& c : cases) {
        const PauseNote note = NotePause(c.reasons, hour, "obs64.exe");
        EXPECT_EQ(note.reason, c.named) << c.reasons;
        EXPECT_EQ(note.program, c.program) << c.reasons;
    }
    const PauseNote note = NotePause(kPauseForHour, hour, "");
    EXPECT_EQ(note.untilHour * 100 + note.untilMinute, 905) << "the hour's end";
}

TEST(PauseRulesTest, EachLookRunsOnlyWhereItCanChangeSomething) {
    const auto rule = [](ProgramAction action) {
        return OptionsWith([action](PauseOptions& o) { o.programs = {{"obs64.exe", action}}; });
    };
    const PauseOptions defaults;
    const PauseOptions front = rule(ProgramAction::Front);
    const PauseOptions running = rule(ProgramAction::Running);
    const PauseOptions camera = OptionsWith([](PauseOptions& o) { o.pauseCamera = true; });
    // The watch as "windows, camera, foreground program, window programs, running programs,
    // running look", each 0 or 1.
    struct Case {
        const char* what;
        bool runWanted;
        PauseOptions options;
        uint32_t reasons;
        const char* watch;
    };
    const Case cases[] = {
        {"waiting for full screen to end", true, defaults, kPauseFullScreen, "100000"},
        {"stopped", false, camera, 0, "000000"},
        {"full screen off", true, Flags(false, false), 0, "000000"},
        {"locked: no look can resume it", true, front, kPauseProgramInFront | kPauseSessionLocked,
         "001000"},
        {"waiting for a band to be uncovered", true, Flags(false, false, true),
         kPauseCoveredByWindows, "100000"},
        {"waiting for the program to leave the front", true, front, kPauseProgramInFront, "101000"},
        {"a running rule", true, running, 0, "100011"},
        {"running and full screen: the program's end comes first", true, running,
         kPauseProgramRunning | kPauseFullScreen, "000011"},
        {"a running rule, on battery: nothing to look for", true, running,
         kPauseProgramRunning | kPauseOnBattery, "000010"},
        {"an ignore rule", true, rule(ProgramAction::Ignore), 0, "101100"},
        {"the camera, remote: notified, never looked at", true, camera, kPauseRemoteSession,
         "010000"},
    };
    for (const Case& c : cases) {
        const SystemWatch w = WatchWanted(c.runWanted, c.options, c.reasons);
        const bool flags[] = {w.windows,        w.camera,          w.foregroundProgram,
                              w.windowPrograms, w.runningPrograms, w.runningLook};
        std::string shown;
        for (bool flag : flags)
            shown += flag ? '1' : '0';
        EXPECT_EQ(shown, c.watch) << c.what;
    }
}

} // namespace
