#include "effects/engine/CEffectControl.h"
#include "effects/engine/ScreenSize.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "support/CStoreRig.h"
#include "support/ExpectRect.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The primary monitor of every layout: 800 x 600 with a 40-pixel taskbar at the bottom.
constexpr DesktopRect kPrimary{0, 0, 800, 600};
const DesktopRect kFireOnPrimary{0, 360, 800, 560};

// A second monitor and what its taskbar is; the expected overlay rectangles of the fire
// (and water) and of the lights, and where the lights are presented.
struct Layout {
    const char* what;
    DesktopRect second;
    std::function<void(CHeadlessDesktop&)> taskbar;
    DesktopRect fire;
    DesktopRect lights;
    int32_t lightsTop; // the lights' destination row
};

const Layout kLayouts[] = {
    {"right of it, taskbar on the right",
     {800, 0, 1440, 480},
     [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Right, 60); },
     {800, 280, 1440, 480},
     {800, 280, 1440, 480},
     0},
    {"right of it, taskbar at the bottom",
     {800, 0, 1440, 480},
     [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Bottom, 40); },
     {800, 240, 1440, 440},
     {800, 0, 1440, 200},
     0},
    {"above it, taskbar at the top",
     {0, -480, 640, 0},
     [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Top, 40); },
     {0, -200, 640, 0},
     {0, -440, 640, -240},
     -440},
    // The band right of the taskbar ends at the monitor's right edge, not on the primary.
    {"left of it (negative coordinates), taskbar on the left",
     {-640, 0, 0, 480},
     [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Left, 60); },
     {-580, 280, 0, 480},
     {-580, 280, 0, 480},
     0},
    {"right of it, no taskbar",
     {800, 0, 1440, 480},
     [](CHeadlessDesktop& d) { d.RemoveTaskbar(1); },
     {800, 280, 1440, 480},
     {800, 0, 1440, 200},
     0},
    {"right of it, auto-hidden taskbar at the bottom",
     {800, 0, 1440, 480},
     [](CHeadlessDesktop& d) { d.SetAutoHiddenTaskbar(1, TaskbarSide::Bottom); },
     {800, 280, 1440, 480},
     {800, 0, 1440, 200},
     0},
    {"below it, taskbar hidden",
     {100, 600, 740, 1080},
     [](CHeadlessDesktop& d) { d.HideTaskbar(1); },
     {100, 880, 740, 1080},
     {100, 600, 740, 800},
     600},
};

template <class TSet> struct MonitorRig : CStoreRig<TSet, CHeadlessDesktop> {
    explicit MonitorRig(const Layout& layout, int32_t workers = 1)
        : CStoreRig<TSet, CHeadlessDesktop>(kPrimary.right, kPrimary.bottom, workers) {
        this->desktop.SetMonitors({kPrimary, layout.second});
        layout.taskbar(this->desktop);
    }
};

DesktopRect Overlay(CHeadlessDesktop& desktop, std::size_t index) {
    DesktopRect rect;
    EXPECT_TRUE(desktop.OverlayRect(index, &rect)) << index;
    return rect;
}

// Starts TSet on every layout and checks both overlays and what one frame presents.
template <class TSet> void ExpectPlacement(DesktopRect Layout::*expected, bool lights) {
    for (const Layout& layout : kLayouts) {
        MonitorRig<TSet> rig(layout);
        ASSERT_TRUE(rig.renderState.StartRendering()) << layout.what;
        ExpectRect(Overlay(rig.desktop, 0), lights ? DesktopRect{0, 0, 800, 200} : kFireOnPrimary,
                   layout.what);
        const DesktopRect overlay = Overlay(rig.desktop, 1);
        ExpectRect(overlay, layout.*expected, layout.what);
        EXPECT_TRUE(rig.desktop.OverlayVisible(1)) << layout.what;
        std::atomic<int32_t> run{1};
        rig.set.Render(0, &run);
        const DesktopRect shown = rig.desktop.LastDestination(1);
        EXPECT_EQ(shown.left, overlay.left) << layout.what;
        EXPECT_EQ(shown.top, lights ? layout.lightsTop : overlay.top) << layout.what;
        EXPECT_EQ(shown.right - shown.left, overlay.right - overlay.left) << layout.what;
        EXPECT_EQ(rig.desktop.OffScreenPresents(), 0) << layout.what;
        EXPECT_EQ(rig.desktop.CanvasLeft(1), 800) << layout.what;
    }
}

// Expects every overlay to show its slice of the band `set` presented last, pixel for
// pixel; returns the number of non-zero pixels shown.
int64_t ExpectOverlaysShowTheBand(CHeadlessDesktop& desktop, const CFrameSet& set,
                                  const std::string& what) {
    int64_t lit = 0;
    for (std::size_t i = 0; i < set.SliceCount(); ++i) {
        CBmp shown;
        desktop.CopyLastPresented(i, &shown);
        EXPECT_EQ(shown.height, 200) << what;
        const int32_t left = desktop.CanvasLeft(i);
        for (int32_t y = 0; y < shown.height; ++y)
            for (int32_t x = 0; x < shown.width; ++x) {
                const uint32_t want = set.frameBuffer.Pixel(left + x, set.BandTop() + y);
                lit += want != 0;
                if (shown.Pixel(x, y) != want) {
                    ADD_FAILURE() << what << ": overlay " << i << " at " << x << "," << y;
                    return lit;
                }
            }
    }
    return lit;
}

// A set that draws one pixel at the band's column `spot` (none while it is negative).
class CSpotSet : public CFrameSet {
public:
    explicit CSpotSet(CRenderState* renderState) : CFrameSet(nullptr, renderState, "Spot") {}
    ~CSpotSet() override { Stop(); }
    bool Start() override {
        Stop();
        if (!AllocateFrame())
            return Fail();
        PlaceBands();
        return true;
    }
    bool Stop() override {
        ReleaseFrame();
        return true;
    }
    void ShowSettings(void*) override {}

    int32_t spot = -1;

protected:
    void StepAndDraw(int, CItem*) override {
        if (spot >= 0)
            frameBuffer.SetPixel(spot, BandTop() + 10, 0xFF203040u);
    }
};

} // namespace

// The canvas is the monitors side by side, the primary first, as wide as all of them and as
// high as the primary; each monitor's slice starts where the one before ends.
TEST(Monitors, SlicesCoverTheCanvas) {
    CHeadlessDesktop desktop(1920, 1080);
    desktop.SetMonitors({{0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {1920, 0, 3200, 1024}});
    ReadScreenSize(desktop);
    EXPECT_EQ(screenWidth, 1920 + 1280 + 1280);
    EXPECT_EQ(screenHeight, 1080);
    ASSERT_EQ(canvasSlices.size(), 3u);
    int32_t left = 0;
    for (const CanvasSlice& slice : canvasSlices) {
        EXPECT_EQ(slice.canvasLeft, left);
        EXPECT_EQ(slice.width, slice.monitor.screen.right - slice.monitor.screen.left);
        left += slice.width;
    }
    EXPECT_EQ(canvasSlices[1].monitor.screen.left, -1280);
    EXPECT_EQ(left, screenWidth);
}

TEST(Monitors, FireBandAlongEachMonitorsTaskbar) {
    ExpectPlacement<CSetEmbra>(&Layout::fire, false);
}

TEST(Monitors, WaterBandAlongEachMonitorsTaskbar) {
    ExpectPlacement<CSetRipla>(&Layout::fire, false);
}

TEST(Monitors, LightsAtTheTopOfEachMonitor) {
    ExpectPlacement<CSetGlimra>(&Layout::lights, true);
}

// Every overlay shows exactly its own columns of the presented band, frame after frame,
// although each is sent only its dirty part; the narrowed overlay of a left taskbar shows
// its slice's first columns.
TEST(Monitors, EachOverlayShowsItsSliceOfTheBand) {
    for (const Layout& layout : {kLayouts[0], kLayouts[3]}) {
        MonitorRig<CSetEmbra> rig(layout);
        ASSERT_TRUE(rig.renderState.StartRendering());
        std::atomic<int32_t> run{1};
        for (int32_t frame = 0; frame < 12; ++frame)
            rig.set.Render(0, &run);
        const int64_t lit = ExpectOverlaysShowTheBand(rig.desktop, rig.set, layout.what);
        EXPECT_GT(lit, 0) << "the fire burns on the band";
    }
}

// The overlay narrowed to its monitor keeps its window, and it stays hidden while paused.
TEST(Monitors, NarrowedOverlayKeepsThePause) {
    MonitorRig<CSetEmbra> rig(kLayouts[3]);
    rig.renderState.SetPaused(true);
    ASSERT_TRUE(rig.renderState.StartRendering());
    EXPECT_EQ(rig.desktop.OverlayCount(), 2);
    EXPECT_FALSE(rig.desktop.OverlayVisible(1));
    rig.renderState.SetPaused(false);
    EXPECT_TRUE(rig.desktop.OverlayVisible(1));
}

// What a slice shows is what changed in its own columns: a spot moving from one monitor's
// slice to the other and away is drawn and wiped on each.
TEST(Monitors, EachSliceIsToldOfItsOwnChanges) {
    CHeadlessDesktop desktop(800, 600);
    desktop.SetTaskbar(TaskbarSide::Bottom, 40);
    desktop.SetMonitors({kPrimary, {800, 0, 1440, 480}});
    CRenderState renderState(&desktop);
    renderState.processorCount = 1;
    CSpotSet set(&renderState);
    renderState.activeSet = &set;
    ASSERT_TRUE(renderState.StartRendering());
    std::atomic<int32_t> run{1};
    for (const int32_t spot : {1000, -1, 300, 1000, 1439, -1, 0}) {
        set.spot = spot;
        set.Render(0, &run);
        ExpectOverlaysShowTheBand(desktop, set, "spot " + std::to_string(spot));
    }
    renderState.StopRendering();
}

// A monitor unplugged while the effect runs: its overlay stays until the restart that the
// display change asks for, which leaves one overlay on the monitor that is left and draws
// nowhere else.
TEST(Monitors, RestartAfterAMonitorWentAway) {
    MonitorRig<CSetEmbra> rig(kLayouts[3], 2);
    rig.renderState.frameSleepMs = 1;
    CEffectControl control(&rig.renderState);
    control.Start();
    ASSERT_TRUE(control.Running());
    WaitUntil([&] { return rig.desktop.PresentCount(1) >= 2; });
    rig.desktop.SetMonitors({kPrimary});
    control.Restart();
    EXPECT_EQ(rig.desktop.LiveOverlays(), 1);
    EXPECT_FALSE(rig.desktop.OverlayExists(1));
    const int32_t offScreen = rig.desktop.OffScreenPresents();
    const int32_t gone = rig.desktop.PresentCount(1);
    const int32_t shown = rig.desktop.PresentCount(0);
    WaitUntil([&] { return rig.desktop.PresentCount(0) >= shown + 3; });
    control.Stop();
    EXPECT_EQ(rig.desktop.OffScreenPresents(), offScreen);
    EXPECT_EQ(rig.desktop.PresentCount(1), gone);
    EXPECT_EQ(rig.desktop.LiveOverlays(), 0);
    EXPECT_EQ(screenWidth, 800);
}

// One monitor's band paused: its overlay hides and is presented nothing while the other
// goes on; with both paused no frame is drawn (worker 0 parks), and the wish for a monitor
// goes with the monitor list it was made for.
TEST(Monitors, PausingOneMonitorsBand) {
    MonitorRig<CSetEmbra> rig(kLayouts[0], 2);
    rig.renderState.frameSleepMs = 1;
    CEffectControl control(&rig.renderState);
    control.Start();
    WaitUntil([&] { return rig.desktop.PresentCount(1) >= 1; });
    control.SetMonitorPaused(1, true);
    EXPECT_FALSE(rig.desktop.OverlayVisible(1));
    EXPECT_TRUE(rig.desktop.OverlayVisible(0));
    // A frame under way may still present; the one after it no more.
    int32_t first = rig.desktop.PresentCount(0);
    WaitUntil([&] { return rig.desktop.PresentCount(0) >= first + 2; });
    const int32_t paused = rig.desktop.PresentCount(1);
    first = rig.desktop.PresentCount(0);
    WaitUntil([&] { return rig.desktop.PresentCount(0) >= first + 5; });
    EXPECT_EQ(rig.desktop.PresentCount(1), paused);

    control.SetMonitorPaused(0, true);
    ASSERT_TRUE(
        WaitUntilWithin([&] { return rig.renderState.parked.load(); }, std::chrono::seconds(5)));
    const int32_t parked = rig.desktop.PresentCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(rig.desktop.PresentCount(), parked);

    control.SetMonitorPaused(1, false);
    EXPECT_TRUE(rig.desktop.OverlayVisible(1));
    WaitUntil([&] { return rig.desktop.PresentCount(1) > paused; });
    EXPECT_FALSE(rig.desktop.OverlayVisible(0));

    control.Restart(); // the same monitors: the wish for monitor 0 stays
    EXPECT_TRUE(control.MonitorPaused(0));
    EXPECT_FALSE(rig.desktop.OverlayVisible(0));
    rig.desktop.SetMonitors({kPrimary, {800, 0, 1600, 600}});
    control.Restart();
    EXPECT_FALSE(control.MonitorPaused(0));
    EXPECT_TRUE(rig.desktop.OverlayVisible(0));
    control.Stop();
}

// The headless desktop's monitors keep their taskbars when they move, and a monitor new to
// the list has none.
TEST(Monitors, HeadlessMonitorsAndTaskbars) {
    CHeadlessDesktop desktop(800, 600);
    desktop.SetTaskbar(TaskbarSide::Bottom, 40);
    desktop.SetMonitors({{-800, -600, 0, 0}, {0, 0, 640, 480}});
    std::vector<MonitorArea> monitors = desktop.Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    ASSERT_EQ(monitors[0].taskbarState, TaskbarState::Visible);
    ExpectRect(monitors[0].taskbar, {-800, -40, 0, 0});
    EXPECT_EQ(monitors[1].taskbarState, TaskbarState::None);
    desktop.SetAutoHiddenTaskbar(1, TaskbarSide::Left);
    monitors = desktop.Monitors();
    ExpectRect(monitors[1].taskbar, {-38, 0, 2, 480});
}
