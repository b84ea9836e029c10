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
#include <functional>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

// Placing the bands anew (the taskbar moved: WM_SETTINGCHANGE, a new taskbar) while the
// effect runs, while it stops and while it is stopped, on two monitors with two workers.
// Worker 0 copies to the overlays' surfaces and presents them; a surface made anew or
// freed meanwhile would be written after it was freed on Windows, which the headless
// desktop counts as an overlap.
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

struct Effect {
    const char* name;
    std::unique_ptr<CFrameSet> (*make)(CSettingsStore* store, CRenderState* state);
};

template <class TSet> std::unique_ptr<CFrameSet> Make(CSettingsStore* store, CRenderState* state) {
    return std::make_unique<TSet>(store, state);
}

const Effect kEffects[] = {
    {"fire", Make<CSetEmbra>}, {"northern lights", Make<CSetGlimra>}, {"water", Make<CSetRipla>}};

// Moves of the second monitor's taskbar, each of which changes the width of its band,
// and the band's first column on the screen after it.
struct TaskbarMove {
    const char* what;
    void (*apply)(CHeadlessDesktop& desktop);
    int32_t bandLeft;
};

const TaskbarMove kMoves[] = {
    {"to the left edge", [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarEdge::Left, 60); }, 860},
    {"wider on the left", [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarEdge::Left, 100); },
     900},
    {"auto-hidden on the left",
     [](CHeadlessDesktop& d) { d.SetAutoHiddenTaskbar(1, TaskbarEdge::Left); }, 800},
    {"back to the bottom", [](CHeadlessDesktop& d) { d.SetTaskbar(1, TaskbarEdge::Bottom, 40); },
     800},
};

// An effect on both monitors, each with a taskbar along its bottom, rendered by two
// workers; nothing is started.
struct Rig {
    explicit Rig(const Effect& effect)
        : store(true, "Lumavist", "Embra"), state(&desktop), control(&state),
          set(effect.make(&store, &state)) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarEdge::Bottom, 40);
        desktop.SetMonitors({kPrimary, kSecond});
        desktop.SetTaskbar(1, TaskbarEdge::Bottom, 40);
        state.processorCount = 2;
        state.frameSleepMs = 0;
        state.activeSet = set.get();
    }
    ~Rig() {
        control.Stop();
        state.activeSet = nullptr;
    }
    void Move(const TaskbarMove& move) {
        move.apply(desktop);
        set->UpdatePlacement();
    }

    CUnpluggingDesktop desktop;
    CSettingsStore store;
    CRenderState state;
    CEffectControl control;
    std::unique_ptr<CFrameSet> set;
};

// Worker 0 stays in its presentation of the second monitor's overlay while `hold` is
// set, as a presentation that waits for the main thread does.
struct PresentHold {
    explicit PresentHold(CHeadlessDesktop& desktop) {
        desktop.onPresent = [this](const CBmp&, int32_t x, int32_t) {
            if (x < kSecond.left)
                return;
            held.store(hold.load());
            while (hold.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
    }
    // Holds worker 0 and waits until it is held.
    void Hold() {
        hold.store(true);
        WaitUntil([this] { return held.load(); });
    }

    std::atomic<bool> hold{false};
    std::atomic<bool> held{false};
};

} // namespace

// Each move while worker 0 presents to the overlay, in a stream of moves between frames,
// in every pause of a stop (which answers the messages meanwhile) and after the stop: no
// surface is made anew or freed under a copy or presentation, the narrowed band reaches
// the screen, and nothing is made after the workers were told to leave.
TEST(OverlayPlacement, TaskbarMovesNeverRemakeASurfaceWorkerZeroUses) {
    for (const Effect& effect : kEffects) {
        Rig rig(effect);
        PresentHold present(rig.desktop);
        rig.control.Start();
        ASSERT_TRUE(rig.control.Running()) << effect.name;
        present.Hold();
        rig.Move(kMoves[0]);
        present.hold.store(false);
        for (int32_t round = 0; round < 50; ++round)
            for (const TaskbarMove& move : kMoves)
                rig.Move(move);
        rig.Move(kMoves[1]);
        WaitUntil([&] {
            const DesktopRect shown = rig.desktop.LastDestination(1);
            return shown.left == kMoves[1].bandLeft && shown.right == kSecond.right;
        });
        EXPECT_EQ(rig.desktop.OverlayCount(), 2) << effect.name << ": none made anew";

        present.Hold();
        std::size_t moves = 0;
        rig.desktop.whileStopping = [&] {
            rig.Move(kMoves[moves++ % std::size(kMoves)]);
            present.hold.store(false);
        };
        rig.control.Stop();
        EXPECT_GT(moves, 0u) << effect.name;
        rig.desktop.whileStopping = nullptr;
        for (const TaskbarMove& move : kMoves)
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
        void (*before)(Rig& rig);
    } cases[] = {
        {"before the first start", [](Rig&) {}},
        {"after a stop",
         [](Rig& rig) {
             rig.control.Start();
             rig.control.Stop();
         }},
        {"after a start the set refused",
         [](Rig& rig) {
             rig.desktop.RemoveTaskbar(0);
             rig.control.Start();
             EXPECT_TRUE(rig.control.StartFailed());
         }},
    };
    for (const auto& test : cases) {
        Rig rig(kEffects[0]);
        test.before(rig);
        const int32_t made = rig.desktop.OverlayCount();
        for (const TaskbarMove& move : kMoves)
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
