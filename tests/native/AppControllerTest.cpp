#include "effects/engine/CEffectControl.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "support/CStandInSystem.h"
#include "support/CTestSet.h"
#include "system/CAppController.h"
#include "system/COptions.h"
#include "system/IAppPlatform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The application's decisions over a test set on the headless desktop, a stand-in system
// and a clock the test moves by hand: when the effect starts afresh after the monitors
// changed, the hour's pause, what OK applies and what the views are told.
namespace {

class CTestClock : public IAppClock {
public:
    uint64_t Now() override { return now; }
    int MinuteOfDay() override { return minuteOfDay; }
    void Arm(AppTimer timer, uint32_t milliseconds) override { due[timer] = now + milliseconds; }
    void Cancel(AppTimer timer) override { due.erase(timer); }
    // The time moves on by `milliseconds`, firing each timer that falls due meanwhile.
    void Pass(uint64_t milliseconds, CAppController& controller) {
        const uint64_t until = now + milliseconds;
        for (;;) {
            auto next = due.end();
            for (auto it = due.begin(); it != due.end(); ++it)
                if (it->second <= until && (next == due.end() || it->second < next->second))
                    next = it;
            if (next == due.end())
                break;
            const AppTimer timer = next->first;
            now = next->second;
            due.erase(next);
            controller.OnTimer(timer);
        }
        now = until;
    }

    uint64_t now = 1000;
    int minuteOfDay = 14 * 60 + 20;
    std::map<AppTimer, uint64_t> due;
};

class CTestPlatform : public IAppPlatform {
public:
    explicit CTestPlatform(CHeadlessDesktop& desktop) : desktop(desktop) {}
    std::vector<MonitorArea> ReadMonitors(bool) override { return desktop.Monitors(); }
    void PutOverlaysBehindTaskbars() override { ++putBehind; }
    bool ApplyHotKey() override {
        ++hotKeyApplied;
        return true;
    }
    void ApplyStartWithWindows() override { ++shortcutApplied; }
    void ApplyHideFromCapture() override { ++captureApplied; }
    void ApplyPlacement() override { ++placementApplied; }
    void ApplyEfficiency() override { ++efficiencyApplied; }
    void SaveOptions() override { ++optionsSaved; }
    void ApplyLanguage() override { ++languageApplied; }

    CHeadlessDesktop& desktop;
    int putBehind = 0;
    int hotKeyApplied = 0;
    int shortcutApplied = 0;
    int captureApplied = 0;
    int placementApplied = 0;
    int efficiencyApplied = 0;
    int optionsSaved = 0;
    int languageApplied = 0;
};

struct Rig : IAppStateListener {
    Rig() {
        desktop.SetTaskbar(TaskbarSide::Bottom, 40);
        state.processorCount = 1;
        state.activeSet = &set;
        system.state.overlayMonitors = {{0, 0, 1280, 720}};
        controller.AddListener(this);
        controller.Attach();
    }
    ~Rig() override {
        controller.Detach();
        control.Stop();
        state.activeSet = nullptr;
    }
    void OnAppStateChanged() override { told.push_back(controller.State()); }
    // A full-screen window in front of the monitor, or none.
    void FullScreen(bool inFront) {
        system.state.windows.clear();
        if (inFront) {
            TopWindow program;
            program.visible = true;
            program.rect = {0, 0, 1280, 720};
            system.state.windows.push_back(program);
        }
        system.Change();
    }
    // The settings window opened, the user changed `param` to `value`, then OK.
    template <class TParam, class T> void ChangeByOk(TParam& param, T value) {
        for (const OptionRow& row : options.Rows())
            std::visit([](auto* p) { p->Store(); }, row.param);
        param.Set(value);
        controller.ApplyChangedOptions();
    }

    CHeadlessDesktop desktop{1280, 720};
    CRenderState state{&desktop};
    CEffectControl control{&state};
    CTestSet set{&state};
    CParam<bool> startWithWindows;
    CParam<int> startMinimize;
    COptions options{startWithWindows, startMinimize};
    CStandInSystem system;
    CTestClock clock;
    CTestPlatform platform{desktop};
    CAppController controller{control, options, system, clock, platform};
    std::vector<EffectState> told;
};

TEST(AppControllerTest, TheViewsAreToldOnceForEachChangeOfState) {
    Rig rig;
    rig.controller.Start();
    rig.FullScreen(true);
    rig.FullScreen(true);
    rig.FullScreen(false);
    rig.controller.Toggle();
    rig.controller.Stop();
    using S = EffectState;
    EXPECT_EQ(rig.told, std::vector<S>({S::Running, S::Paused, S::Running, S::Stopped}));
}

TEST(AppControllerTest, ALayoutChangeStartsTheEffectAfreshOnceItHasSettled) {
    struct Case {
        const char* label;
        bool running;
        bool mustPlace;        // the display or the work area changed
        bool taskbarMoved;     // the taskbar went to the top edge
        int changes;           // messages, 150 ms apart
        int startsAfterSettle; // the set's starts once the time has passed
    };
    const Case cases[] = {
        {"a display change", true, true, false, 1, 1},
        {"a burst of five", true, true, false, 5, 1},
        {"a taskbar moved to another edge", true, false, true, 1, 1},
        {"some unrelated setting", true, false, false, 3, 0},
        {"stopped: nothing starts", false, true, false, 1, 0},
    };
    for (const Case& c : cases) {
        Rig rig;
        if (c.running)
            rig.controller.Start();
        const int before = rig.set.starts.load();
        if (c.taskbarMoved)
            rig.desktop.SetTaskbar(TaskbarSide::Top, 40);
        for (int i = 0; i < c.changes; ++i) {
            rig.controller.OnLayoutChange(c.mustPlace);
            rig.clock.Pass(150, rig.controller);
        }
        EXPECT_EQ(rig.set.starts.load(), before) << c.label << ": not before it settled";
        rig.clock.Pass(CAppController::kSettleMs, rig.controller);
        EXPECT_EQ(rig.set.starts.load() - before, c.startsAfterSettle) << c.label;
        EXPECT_EQ(rig.controller.Running(), c.running) << c.label;
    }
}

TEST(AppControllerTest, APausedEffectStaysPausedWhenItStartsAfresh) {
    Rig rig;
    rig.controller.Start();
    rig.FullScreen(true);
    rig.controller.OnLayoutChange(true);
    rig.clock.Pass(CAppController::kSettleMs, rig.controller);
    EXPECT_EQ(rig.controller.State(), EffectState::Paused);
    EXPECT_TRUE(rig.control.Paused());
}

TEST(AppControllerTest, TimedPausesEndByThemselvesAndNameTheirEnd) {
    constexpr int kMenu = -1; // the tray menu's "Pause for 1 hour", chosen
    constexpr int kNone = -2;
    struct Case {
        const char* label;
        int minuteOfDay; // when the first is asked for
        int first;       // kMenu, or "/pause" with these minutes
        uint64_t passed; // milliseconds later
        int then;        // kNone, kMenu or "/pause" again
        PauseNote note;  // what the tray tip says then
        EffectState state;
    };
    constexpr uint64_t kHour = CPauseController::kHourMs;
    const Case cases[] = {
        {"a minute before its end",
         14 * 60 + 20,
         kMenu,
         kHour - 60'000,
         kNone,
         {kPauseForHour, 15, 20, 60, ""},
         EffectState::Paused},
        {"at its end", 14 * 60 + 20, kMenu, kHour + 1, kNone, {}, EffectState::Running},
        {"across midnight",
         23 * 60 + 30,
         kMenu,
         1000,
         kNone,
         {kPauseForHour, 0, 30, 60, ""},
         EffectState::Paused},
        {"chosen again", 9 * 60, kMenu, 1000, kMenu, {}, EffectState::Running},
        {"/pause 60 is the hour's",
         9 * 60,
         60,
         0,
         kNone,
         {kPauseForHour, 10, 0, 60, ""},
         EffectState::Paused},
        {"/pause 30 at its end",
         14 * 60 + 20,
         30,
         30 * 60'000 + 1,
         kNone,
         {},
         EffectState::Running},
        {"/pause 1440 a minute before its end",
         8 * 60,
         1440,
         24 * kHour - 60'000,
         kNone,
         {kPauseForHour, 8, 0, 1440, ""},
         EffectState::Paused},
        {"/pause 0 ends the hour's", 9 * 60, kMenu, 1000, 0, {}, EffectState::Running},
        {"/pause 0 alone changes nothing", 9 * 60, 0, 0, kNone, {}, EffectState::Running},
        {"/pause 5 in place of the hour's",
         9 * 60,
         kMenu,
         0,
         5,
         {kPauseForHour, 9, 5, 5, ""},
         EffectState::Paused},
        {"the menu ends a /pause", 9 * 60, 90, 1000, kMenu, {}, EffectState::Running},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.controller.Start();
        rig.clock.minuteOfDay = c.minuteOfDay;
        const auto ask = [&rig](int what) {
            if (what == kMenu)
                rig.controller.ToggleHourPause();
            else if (what != kNone)
                rig.controller.PauseFor(what);
        };
        ask(c.first);
        rig.clock.Pass(c.passed, rig.controller);
        ask(c.then);
        EXPECT_TRUE(rig.controller.Note() == c.note) << c.label;
        EXPECT_EQ(rig.controller.State(), c.state) << c.label;
        EXPECT_EQ(rig.controller.TimedPauseRuns(), c.state == EffectState::Paused) << c.label;
        EXPECT_EQ(rig.clock.due.count(AppTimer::HourPause) != 0, c.state == EffectState::Paused)
            << c.label << ": the timer waits only while the pause runs";
    }
}

TEST(AppControllerTest, OkAppliesWhatEachChangedOptionsRowSays) {
    Rig rig;
    rig.controller.Start();
    const int starts = rig.set.starts.load();
    rig.FullScreen(true);
    rig.ChangeByOk(rig.options.pauseFullScreen, 0);
    EXPECT_EQ(rig.controller.State(), EffectState::Running) << "full screen no longer pauses";
    rig.ChangeByOk(rig.options.pauseOnBattery, 1);
    EXPECT_EQ(rig.set.starts.load(), starts) << "a pause option starts nothing afresh";
    rig.ChangeByOk(rig.options.everyMonitor, 0);
    EXPECT_EQ(rig.set.starts.load(), starts + 1) << "the bands go to the primary only";
    rig.ChangeByOk(rig.options.hotKey, 'K' | (hotkey::kControl | hotkey::kAlt) << 8);
    rig.ChangeByOk(rig.startWithWindows, true);
    rig.ChangeByOk(rig.startMinimize, 0);
    rig.ChangeByOk(rig.options.hideFromCapture, 0);
    rig.ChangeByOk(rig.options.language, tstr("ja-JP"));
    EXPECT_EQ(rig.platform.hotKeyApplied, 1);
    EXPECT_EQ(rig.platform.shortcutApplied, 1);
    EXPECT_EQ(rig.platform.captureApplied, 1);
    EXPECT_EQ(rig.platform.languageApplied, 1);
    rig.ChangeByOk(rig.options.everyMonitor, 0);
    rig.ChangeByOk(rig.options.language, tstr("ja-JP"));
    EXPECT_EQ(rig.set.starts.load(), starts + 1) << "unchanged: nothing is applied";
    EXPECT_EQ(rig.platform.hotKeyApplied + rig.platform.shortcutApplied +
                  rig.platform.languageApplied,
              3);
    rig.ChangeByOk(rig.options.efficiency, 0);
    EXPECT_EQ(rig.platform.efficiencyApplied, 1);
    TopWindow covering, band; // a maximised window over the band
    covering.visible = band.visible = band.seeThrough = true;
    covering.rect = {-8, -8, 1288, 688};
    band.rect = {0, 480, 1280, 680};
    band.band = 0;
    rig.system.state.windows = {covering, band};
    rig.system.Change();
    EXPECT_EQ(rig.controller.State(), EffectState::Running) << "over all windows";
    rig.ChangeByOk(rig.options.placement, 1);
    EXPECT_EQ(rig.platform.placementApplied, 1);
    EXPECT_EQ(rig.controller.State(), EffectState::Paused) << "under them, the band is covered";
    rig.system.state.windows.clear();
    rig.ChangeByOk(rig.options.programs, tstr("obs64.exe\tfront\n"));
    rig.system.state.foregroundProgram = "obs64.exe";
    rig.system.Change();
    EXPECT_EQ(rig.controller.State(), EffectState::Paused) << "a rule added on the page";
}

// A remote session that is there before the start: the effect starts paused, its overlay
// never shown, and the tip names the session.
TEST(AppControllerTest, InARemoteSessionTheEffectStartsPaused) {
    Rig rig;
    rig.system.state.remoteSession = true;
    rig.system.Change();
    rig.controller.Start();
    EXPECT_EQ(rig.told, std::vector<EffectState>({EffectState::Paused}));
    EXPECT_EQ(rig.controller.Note().reason, uint32_t{kPauseRemoteSession});
    EXPECT_FALSE(rig.desktop.OverlayVisible());
    EXPECT_EQ(rig.desktop.PresentCount(), 0);
    rig.system.state.remoteSession = false;
    rig.system.Change();
    EXPECT_EQ(rig.controller.State(), EffectState::Running) << "back at the console";
}

// The tray menu's "Pause while <program> is in front" puts that rule in place of the
// program's other one, stores it and decides at once; chosen again it takes the rule away.
TEST(AppControllerTest, PausingWhileAProgramIsInFrontIsARuleAddedAtOnce) {
    Rig rig;
    rig.options.programs.SetRule({"obs64.exe", ProgramAction::Running});
    rig.controller.Start();
    rig.system.state.foregroundProgram = "OBS64.EXE";
    rig.controller.TogglePauseInFront("obs64.exe");
    EXPECT_EQ(rig.options.programs.Rules(),
              std::vector<ProgramRule>({{"obs64.exe", ProgramAction::Front}}));
    EXPECT_EQ(rig.controller.Note().program, "OBS64.EXE") << "paused, as the system names it";
    rig.controller.TogglePauseInFront("obs64.exe");
    EXPECT_TRUE(rig.options.programs.Rules().empty());
    EXPECT_EQ(rig.controller.State(), EffectState::Running);
    EXPECT_EQ(rig.platform.optionsSaved, 2);
}

TEST(AppControllerTest, ATaskbarMadeAnewPlacesTheBandsOrStartsAFailedEffect) {
    Rig rig;
    rig.set.failStart = true;
    rig.controller.Start();
    EXPECT_EQ(rig.controller.State(), EffectState::Stopped);
    rig.set.failStart = false;
    rig.controller.OnTaskbarCreated();
    EXPECT_EQ(rig.controller.State(), EffectState::Running) << "it had failed for want of one";
    rig.controller.OnTaskbarCreated();
    EXPECT_EQ(rig.platform.putBehind, 1);
    rig.controller.OnOverlayLost();
    EXPECT_TRUE(rig.controller.Running()) << "not while the overlay is being destroyed";
    rig.clock.Pass(0, rig.controller);
    EXPECT_FALSE(rig.controller.Running());
}

} // namespace
