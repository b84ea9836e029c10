#include "ScreenCapture.h"

#include "effects/engine/CRenderState.h"
#include "graphics/CBmp.h"
#include "support/EffectSetByName.h"
#include "ui/CWin32Desktop.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

// The real overlay shows, after many frames each presented only where it changed, exactly
// what presenting the last frame's whole band shows.
namespace {

// The real desktop, keeping a copy of the last whole band it was given.
class CBandKeepingDesktop : public CWin32Desktop {
public:
    void CopyBand(std::size_t overlay, const CBmp& band, const DesktopRect& dirty) override {
        {
            std::lock_guard<std::mutex> hold(lock);
            last.Copy(band);
        }
        CWin32Desktop::CopyBand(overlay, band, dirty);
    }
    void CopyLast(CBmp* out) {
        std::lock_guard<std::mutex> hold(lock);
        out->Copy(last);
    }

private:
    std::mutex lock;
    CBmp last;
};

// Answers this thread's messages until the workers dropped the run flag, at most 60 s (a
// shaped layered window of Wine's on Xvfb takes up to some 200 ms a frame).
bool WaitForTheLastFrame(CRenderState& state) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (state.runFlag.load() != 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

// Each effect, one worker, 30 frames as fast as they come: what the screen shows in the
// overlay's rectangle equals what it shows once the last band is presented whole.
TEST(OverlayPartialPresent, ScreenShowsWhatAWholePresentationShows) {
    for (const char* effect : {"fire", "lights", "water"}) {
        CBandKeepingDesktop desktop;
        CRenderState state(&desktop);
        state.processorCount = 1;
        state.frameSleepMs = 0;
        state.frameLimit = 30;
        std::unique_ptr<CFrameSet> set = MakeEffectSet(effect, &state);
        state.activeSet = set.get();
        ASSERT_TRUE(state.StartEffect()) << effect;
        if (!WaitForTheLastFrame(state)) {
            ADD_FAILURE() << effect << ": the frames did not end";
            state.StopEffect();
            return;
        }
        RECT rect{};
        ASSERT_TRUE(GetWindowRect(desktop.OverlayWindow(), &rect)) << effect;
        const std::vector<uint32_t> partly = CaptureScreen(rect);

        CBmp band;
        desktop.CopyLast(&band);
        const DesktopRect whole{0, 0, band.width, band.height};
        desktop.CopyBand(0, band, whole);
        ASSERT_TRUE(desktop.Present(0, rect.left, rect.top, whole)) << effect;
        const std::vector<uint32_t> wholly = CaptureScreen(rect);
        ASSERT_FALSE(wholly.empty()) << effect;
        EXPECT_TRUE(partly == wholly) << effect;
        state.StopEffect();
        state.activeSet = nullptr;
    }
}
