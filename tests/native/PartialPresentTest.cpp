// Worker 0 presents only the part of the band that may have changed since the last
// presented frame; what the overlay shows stays exactly what presenting every whole band
// shows.

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"
#include "support/CTestSet.h"
#include "support/EffectSetByName.h"
#include "support/ExpectRect.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A headless desktop that also keeps every whole band it is given, and compares what the
// overlay shows after each Present with it.
class CWholeBandDesktop : public CHeadlessDesktop {
public:
    CWholeBandDesktop(int32_t width, int32_t height) : CHeadlessDesktop(width, height) {
        onPresent = [this](const CBmp& shown, int32_t, int32_t) { Compare(shown); };
    }
    void CopyBand(std::size_t overlay, const CBmp& band, const DesktopRect& dirty) override {
        whole.Copy(band);
        CHeadlessDesktop::CopyBand(overlay, band, dirty);
    }

    std::atomic<int32_t> frames{0};
    std::atomic<int32_t> mismatches{0};
    std::atomic<int64_t> shownPixels{0}; // pixels the presentations showed anew, all frames

private:
    // The band covers the surface here (both are the screen's width and 200 rows).
    void Compare(const CBmp& shown) {
        frames.fetch_add(1);
        const DesktopRect part = LastShownPart();
        shownPixels.fetch_add(int64_t{part.right - part.left} * (part.bottom - part.top));
        if (shown.width != whole.width || shown.height != whole.height ||
            std::memcmp(shown.pixels, whole.pixels, static_cast<std::size_t>(shown.byteSize)) != 0)
            mismatches.fetch_add(1);
    }

    CBmp whole; // worker 0 only
};

// A set that fills, in frame k, rectangle script[k] of the band (nothing when it has no
// area or the script has ended) with one colour.
class CScriptedSet : public CFrameSet {
public:
    explicit CScriptedSet(CRenderState* renderState) : CFrameSet(nullptr, renderState, "Script") {}
    ~CScriptedSet() override { Stop(); }

    bool Start() override {
        if (!AllocateFrame() || !AllocateItems<CTestItem>(1))
            return Fail();
        PlaceBands();
        return true;
    }
    bool Stop() override {
        ReleaseFrame();
        FreeItems();
        return true;
    }
    bool Load() override { return true; }
    bool Save() override { return true; }
    void ShowSettings(void*) override {}
    void PlaceBands() override {
        DesktopRect overlay;
        if (desktop->OverlayRect(0, &overlay))
            SetDestination(overlay.left, overlay.top);
    }

    static constexpr uint32_t kColour = 0xC0608040u;
    std::vector<DesktopRect> script;
    size_t frame = 0;

protected:
    void StepAndDraw(int, CItem*) override {
        const DesktopRect rect = frame < script.size() ? script[frame] : DesktopRect{};
        for (int32_t y = rect.top; y < rect.bottom; ++y)
            for (int32_t x = rect.left; x < rect.right; ++x)
                frameBuffer.SetPixel(x, BandTop() + y, kColour);
    }
    void AfterPresent() override { ++frame; }
};

} // namespace

// The first frame shows the whole surface; later ones what this frame and the last one
// drew; a frame that drew nothing after one that drew shows the cleared part; two empty
// frames in a row show nothing; a new destination shows everything again. After each,
// the overlay shows exactly the band of that frame.
TEST(PartialPresent, ShowsWhatChangedSinceTheLastFrame) {
    CWholeBandDesktop desktop(320, 480);
    CRenderState renderState(&desktop);
    renderState.processorCount = 1;
    CScriptedSet set(&renderState);
    const DesktopRect a{10, 20, 30, 40};
    const DesktopRect b{100, 50, 120, 60};
    set.script = {a, b, {}, {}, a, a};
    renderState.activeSet = &set;
    ASSERT_TRUE(renderState.StartRendering());
    std::atomic<int32_t> run{1};
    const DesktopRect whole{0, 0, 320, 200};
    const DesktopRect expected[] = {whole, {10, 20, 120, 60}, b, {}, a};
    for (const DesktopRect& part : expected) {
        set.Render(0, &run);
        ExpectRect(desktop.LastShownPart(), part, "frame " + std::to_string(set.frame));
    }
    set.SetDestination(5, 6);
    set.Render(0, &run);
    ExpectRect(desktop.LastShownPart(), whole, "moved");
    EXPECT_EQ(desktop.frames.load(), 6);
    EXPECT_EQ(desktop.mismatches.load(), 0);

    // Shown again (as after a pause), the overlay gets the whole band once more.
    desktop.ShowOverlay(0);
    set.Render(0, &run);
    ExpectRect(desktop.LastShownPart(), whole, "shown again");
    renderState.StopRendering();
    renderState.activeSet = nullptr;
}

// Every effect, at full and at a low opacity, with one worker and with two (each clears,
// scales and boxes its own rows): after each of many frames the overlay shows byte for
// byte the band a whole presentation would show, while the frames show anew less than the
// whole band in all.
TEST(PartialPresent, EveryEffectShowsWhatWholeBandsShow) {
    for (const char* effect : {"fire", "lights", "water"}) {
        for (const int opacity : {100, 35}) {
            for (const int32_t workers : {1, 2}) {
                const std::string name = std::string(effect) + " at " + std::to_string(opacity) +
                                         " %, workers " + std::to_string(workers);
                CWholeBandDesktop desktop(1280, 720);
                desktop.SetTaskbar(TaskbarSide::Bottom, 40);
                CRenderState renderState(&desktop);
                renderState.processorCount = workers;
                renderState.frameSleepMs = 0;
                constexpr int32_t kFrames = 150;
                renderState.frameLimit = kFrames;
                std::unique_ptr<CFrameSet> set = MakeEffectSet(effect, &renderState);
                set->vis.Set(opacity);
                CRandom::Seed(7);
                renderState.activeSet = set.get();
                ASSERT_TRUE(renderState.StartEffect()) << name;
                renderState.WaitForWorkers();
                renderState.StopEffect();
                renderState.activeSet = nullptr;
                EXPECT_EQ(desktop.frames.load(), kFrames) << name;
                EXPECT_EQ(desktop.mismatches.load(), 0) << name;
                EXPECT_LT(desktop.shownPixels.load(), int64_t{kFrames} * 1280 * 200) << name;
            }
        }
    }
}
