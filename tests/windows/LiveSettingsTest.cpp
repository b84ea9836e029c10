#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "graphics/CBmp.h"
#include "graphics/PixelMath.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "resources/resource.h"
#include "settings/SettingsDialogs.h"
#include "ui/CWin32Desktop.h"

#include "windows/DialogDriver.h"
#include "windows/ScreenCapture.h"
#include "windows/StandInTaskbar.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// The alpha of one band that the desktop presented: its highest and its mean alpha byte.
struct PresentedAlpha {
    int64_t frame = 0; // how many bands had been copied, this one included
    int max = 0;
    double mean = 0;
};

// The real desktop, noting the alpha of every band it copies into the overlay's
// presentation bitmap before UpdateLayeredWindow shows it. Worker 0 presents; the test
// thread reads.
class CAlphaRecordingDesktop : public CWin32Desktop {
public:
    void CopyBand(std::size_t overlay, const CBmp& band, const DesktopRect& dirty) override {
        PresentedAlpha alpha = Measure(band);
        {
            std::lock_guard<std::mutex> hold(lock);
            alpha.frame = last.frame + 1;
            last = alpha;
        }
        CWin32Desktop::CopyBand(overlay, band, dirty);
    }
    PresentedAlpha Last() {
        std::lock_guard<std::mutex> hold(lock);
        return last;
    }

private:
    static PresentedAlpha Measure(const CBmp& band) {
        PresentedAlpha alpha;
        int64_t sum = 0;
        for (int32_t y = 0; y < band.height; ++y)
            for (int32_t x = 0; x < band.width; ++x) {
                const int value = static_cast<int>(band.Pixel(x, y) >> 24);
                sum += value;
                alpha.max = std::max(alpha.max, value);
            }
        const int64_t count = int64_t{band.width} * band.height;
        alpha.mean = count ? static_cast<double>(sum) / static_cast<double>(count) : 0;
        return alpha;
    }

    std::mutex lock;
    PresentedAlpha last;
};

// The band copied two bands after `frame`, so that its opacity was read after anything done
// before the call; pumps this thread's messages while it waits, at most five seconds.
// A band of frame 0 when none came.
PresentedAlpha BandAfter(CAlphaRecordingDesktop& desktop, int64_t frame) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        const PresentedAlpha last = desktop.Last();
        if (last.frame >= frame + 2)
            return last;
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return {};
}

// The brightest colour byte that the screen shows within the overlay's rectangle; -1 when
// the screen cannot be read.
int BrightestShown(HWND overlay) {
    RECT rect{};
    if (!GetWindowRect(overlay, &rect))
        return -1;
    const std::vector<uint32_t> pixels = CaptureScreen(rect);
    if (pixels.empty())
        return -1;
    uint32_t brightest = 0;
    for (const uint32_t pixel : pixels)
        for (const int shift : {0, 8, 16})
            brightest = std::max(brightest, pixel >> shift & 0xFFu);
    return static_cast<int>(brightest);
}

// What the running fire presents from now on: the alpha of a band rendered after anything
// done before the call, and the brightest colour that the screen shows once that band has
// been presented.
struct Reading {
    PresentedAlpha band;
    int shown = -1;
};

Reading ReadNextFrames(CAlphaRecordingDesktop& desktop) {
    Reading reading;
    reading.band = BandAfter(desktop, desktop.Last().frame);
    // The next band is copied only after this one was presented.
    if (reading.band.frame > 0 && BandAfter(desktop, reading.band.frame - 1).frame > 0)
        reading.shown = BrightestShown(desktop.OverlayWindow());
    return reading;
}

// The highest alpha a band can have at `percent` opacity.
int MaxAlphaAt(int percent) {
    return static_cast<int>(PixelMath::ScaleByFactor(PixelMath::OpacityFactor(percent), 255));
}

// A black window over the whole screen.
HWND CreateBackdrop() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "LiveSettingsBackdrop";
    RegisterClassA(&windowClass);
    HWND backdrop = CreateWindowExA(0, "LiveSettingsBackdrop", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (backdrop)
        UpdateWindow(backdrop);
    return backdrop;
}

// The fire running with its render workers on the real desktop over a black backdrop, its
// settings dialog installed, and a window to open the dialog over. Over black the screen
// shows the band's premultiplied colours as they are, whether the window manager blends
// them or not.
class LiveSettings : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        InstallSettingsDialog(fire);
        backdrop = CreateBackdrop();
        ASSERT_TRUE(backdrop);
        taskbar = CreateBottomTaskbar(40);
        ASSERT_TRUE(taskbar);
        parent = CreateWindowExA(0, "STATIC", "Settings", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        renderState.processorCount = 2;
        renderState.activeSet = &fire;
        ASSERT_TRUE(renderState.StartEffect());
    }
    void TearDown() override {
        renderState.StopEffect();
        DestroyWindow(parent);
        DestroyWindow(taskbar);
        DestroyWindow(backdrop);
    }

    CSettingsStore store{true, "EmbraTests", "LiveSettings"};
    CAlphaRecordingDesktop desktop;
    CRenderState renderState{&desktop};
    CSetEmbra fire{&store, &renderState};
    HWND backdrop = nullptr;
    HWND taskbar = nullptr;
    HWND parent = nullptr;
};

// Typing into the opacity box and moving its slider change the band that the running fire
// presents in the next frames; Cancel brings the opacity and the band back. The highest
// alpha of a band tells its opacity: the flames' cores are opaque, so at 100 % it exceeds
// what 50 % allows, at 50 % what 10 % allows. The screen shows premultiplied colours, never
// above their alpha, and the brightest follows the same bounds. Each mean alpha is compared
// with the band of a moment before, as the flames' mean drifts while they grow.
TEST_F(LiveSettings, TheOpacityRowReachesThePresentedFireAndCancelRestoresIt) {
    ASSERT_GT(BandAfter(desktop, 0).frame, 0) << "no band was presented";
    Reading half;
    Reading full;
    Reading faint;
    RunModalScript([&] { fire.ShowSettings(parent); },
                   [&](HWND dialog) {
                       EXPECT_EQ(SliderPos(dialog, IDC_OPAQUE_SLIDER), 50);
                       half = ReadNextFrames(desktop);
                       TypeInto(dialog, IDC_OPAQUE_EDIT, "100");
                       EXPECT_EQ(SliderPos(dialog, IDC_OPAQUE_SLIDER), 100);
                       full = ReadNextFrames(desktop);
                       PressSliderKey(dialog, IDC_OPAQUE_SLIDER, VK_HOME);
                       EXPECT_EQ(ControlText(dialog, IDC_OPAQUE_EDIT), "10");
                       faint = ReadNextFrames(desktop);
                       ClickButton(dialog, IDCANCEL);
                   });
    EXPECT_EQ(*fire.vis.Get(), 50);
    const Reading restored = ReadNextFrames(desktop);
    const struct {
        const char* name;
        const Reading& reading;
        int above;
        int atMost;
    } cases[] = {
        {"50 at opening", half, MaxAlphaAt(10), MaxAlphaAt(50)},
        {"100", full, MaxAlphaAt(50), MaxAlphaAt(100)},
        {"10", faint, 0, MaxAlphaAt(10)},
        {"50 after Cancel", restored, MaxAlphaAt(10), MaxAlphaAt(50)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GT(c.reading.band.frame, 0) << "no band was presented";
        EXPECT_GT(c.reading.band.max, c.above);
        EXPECT_LE(c.reading.band.max, c.atMost);
        EXPECT_GT(c.reading.shown, c.above);
        EXPECT_LE(c.reading.shown, c.atMost);
    }
    EXPECT_GT(full.band.mean, half.band.mean);
    EXPECT_LT(faint.band.mean, full.band.mean);
    EXPECT_GT(restored.band.mean, faint.band.mean);
}

} // namespace
