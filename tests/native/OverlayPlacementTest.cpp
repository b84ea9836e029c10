#include "effects/engine/CEffectControl.h"
#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

// Placing the bands anew (the taskbar moved: WM_SETTINGCHANGE, a new taskbar) while the
// effect runs, while it stops and while it is stopped, on two monitors with two workers.
// A surface made anew or freed while worker 0 copies to it or presents it would be
// written after it was freed on Windows; the headless desktop counts it as an overlap.
namespace {

constexpr DesktopRect kPrimary{0, 0, 800, 600};
constexpr DesktopRect kSecond{800, 0, 1440, 480};

// The headless desktop that counts the reads of its monitor list and, from read
// `unplugAt` on, lists the primary only, as if the other monitor were unplugged then.
class CUnpluggingDesktop : public CHeadlessDesktop {
public:
    CUnpluggingDesktop() : CHeadlessDesktop(kPrimary.right, kPrimary.bottom) {}
    std::vector<MonitorArea> Monitors() override {
        std::vector<MonitorArea> monitors = CHeadlessDesktop::Monitors();
        if (++reads >= unplugAt)
            monitors.resize(1);
        return monitors;
    }

    int32_t reads = 0; // main thread only
    int32_t unplugAt = INT_MAX;
};

template <class TSet> std::unique_ptr<CFrameSet> Make(CSettingsStore* store, CRenderState* state) {
    return std::make_unique<TSet>(store, state);
}

const struct Effect {
    const char* name;
    std::unique_ptr<CFrameSet> (*make)(CSettingsStore* store, CRenderState* state);
} kEffects[] = {
    {"fire", Make<CSetEmbra>}, {"northern lights", Make<CSetGlimra>}, {"water", Make<CSetRipla>}};

// Moves of the second monitor's taskbar, each of which changes the width of its band.
void (*const kMoves[])(CHeadlessDesktop& desktop) = {
    [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Left, 60); },
    [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Left, 100); }, // band from 900 on
    [](CHeadlessDesktop& d) { d.SetAutoHiddenTaskbar(1, TaskbarSide::Left); },
    [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarSide::Bottom, 40); },
};
constexpr std::size_t kMoveCount = sizeof kMoves / sizeof kMoves[0];

// An effect on both monitors, each with a taskbar along its bottom, rendered by two
// workers; nothing is started. While `hold` is set, worker 0 stays in its presentation of
// the second monitor's overlay, as a presentation that waits for the main thread does.
struct Rig {
    explicit Rig(const Effect& effect)
        : store(true, "Lumavist", "Embra"), state(&desktop), control(&state),
          set(effect.make(&store, &state)) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarSide::Bottom, 40);
        desktop.SetMonitors({kPrimary, kSecond});
        desktop.SetTaskbar(1, TaskbarSide::Bottom, 40);
        desktop.onPresent = [this](const CBmp&, int32_t x, int32_t) {
            if (x < kSecond.left)
                return;
            held.store(hold.load());
            while (hold.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        state.processorCount = 2;
        state.frameSleepMs = 0;
        state.activeSet = set.get();
    }
    ~Rig() {
        control.Stop();
        state.activeSet = nullptr;
    }
    void Move(std::size_t move) {
        kMoves[move % kMoveCount](desktop);
        set->UpdatePlacement();
    }
    void Hold() {
        hold.store(true);
        WaitUntil([this] { return held.load(); });
    }

    CUnpluggingDesktop desktop;
    CSettingsStore store;
    CRenderState state;
    CEffectControl control;
    std::unique_ptr<CFrameSet> set;
    std::atomic<bool> hold{false};
    std::atomic<bool> held{false};
};

} // namespace

// A move while worker 0 presents to the overlay, a stream of moves between frames, one in
// every pause of a stop (which answers the messages meanwhile) and more after it: no
// surface is made anew or freed under a copy or presentation, the narrowed band reaches
// the screen, and nothing is made once the workers are told to leave.
TEST(OverlayPlacement, TaskbarMovesNeverRemakeASurfaceWorkerZeroUses) {
    for (const Effect& effect : kEffects) {
        Rig rig(effect);
        rig.control.Start();
        ASSERT_TRUE(rig.control.Running()) << effect.name;
        rig.Hold();
        rig.Move(0);
        rig.hold.store(false);
        for (std::size_t move = 0; move < 200; ++move)
            rig.Move(move);
        rig.Move(1);
        WaitUntil([&] {
            const DesktopRect shown = rig.desktop.LastDestination(1);
            return shown.left == 900 && shown.right == kSecond.right;
        });
        EXPECT_EQ(rig.desktop.OverlayCount(), 2) << effect.name << ": none made anew";

        rig.Hold();
        std::size_t moves = 0;
        rig.desktop.whileStopping = [&] {
            rig.Move(moves++);
            rig.hold.store(false);
        };
        rig.control.Stop();
        EXPECT_GT(moves, 0u) << effect.name;
        for (std::size_t move = 0; move < kMoveCount; ++move)
            rig.Move(move);
        EXPECT_EQ(rig.desktop.Overlaps(), 0) << effect.name;
        EXPECT_EQ(rig.desktop.OverlayCount(), 2) << effect.name;
        EXPECT_EQ(rig.desktop.LiveOverlays(), 0) << effect.name;
    }
}

// A placement while nothing runs makes no overlay, whatever came before it.
TEST(OverlayPlacement, NothingIsMadeWhileStopped) {
    const struct {
        const char* what;
        bool start;
        bool refused; // the set refuses the start: no taskbar on the primary
    } cases[] = {{"before the first start", false, false},
                 {"after a stop", true, false},
                 {"after a start the set refused", true, true}};
    for (const auto& test : cases) {
        Rig rig(kEffects[0]);
        if (test.refused)
            rig.desktop.RemoveTaskbar(0);
        if (test.start)
            rig.control.Start();
        rig.control.Stop();
        const int32_t made = rig.desktop.OverlayCount();
        for (std::size_t move = 0; move < kMoveCount; ++move)
            rig.Move(move);
        EXPECT_EQ(rig.desktop.OverlayCount(), made) << test.what;
        EXPECT_EQ(rig.desktop.LiveOverlays(), 0) << test.what;
    }
}

// A monitor unplugged in the middle of a start: the start reads the monitor list once,
// so the overlays, the canvas and the set's slices agree, and every overlay shown is
// presented.
TEST(OverlayPlacement, AStartReadsTheMonitorsOnce) {
    for (const Effect& effect : kEffects) {
        Rig rig(effect);
        rig.state.processorCount = 1; // this thread is worker 0
        rig.desktop.unplugAt = 2;
        ASSERT_TRUE(rig.state.StartRendering()) << effect.name;
        EXPECT_EQ(rig.desktop.reads, 1) << effect.name;
        EXPECT_EQ(rig.set->SliceCount(), 2u) << effect.name;
        std::atomic<int32_t> run{1};
        rig.set->Render(0, &run);
        for (std::size_t i = 0; i < 2; ++i)
            EXPECT_EQ(rig.desktop.PresentCount(i), 1) << effect.name << " " << i;
        rig.state.StopRendering();
    }
}
