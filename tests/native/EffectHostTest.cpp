#include "effects/engine/CEffectHost.h"
#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "params/CSettingsStore.h"
#include "support/CTestSet.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <memory>

// The ownership of the application object: the store, the desktop, then the host of the
// sets and the render state. The tests destroy it while the workers run, as a process
// that ends without the application's Exit does; under AddressSanitizer any use of a set
// or of the desktop after it went fails the test.
namespace {

struct AppShape {
    AppShape() : store(true, "Lumavist", "Embra"), desktop(640, 480), effects(&desktop) {
        desktop.SetTaskbar(TaskbarSide::Bottom, 40);
        effects.renderState.processorCount = 3;
        effects.renderState.frameSleepMs = 0;
    }

    CSettingsStore store;
    CHeadlessDesktop desktop;
    CEffectHost effects;
};

// A set that notes, as it is destroyed, whether anything still used it.
class CWitnessSet : public CTestSet {
public:
    struct Seen {
        int32_t runningWorkers = -1;
        bool overlayExisted = true;
        int32_t stops = 0; // Stop calls before the set's destruction
    };

    CWitnessSet(CRenderState* renderState, CHeadlessDesktop* desktop, Seen* seen)
        : CTestSet(renderState), headless(desktop), seen(seen) {}
    ~CWitnessSet() override {
        seen->runningWorkers = renderState->runningWorkers.load();
        seen->overlayExisted = headless->OverlayExists();
        seen->stops = stops.load();
    }

private:
    CHeadlessDesktop* headless;
    Seen* seen;
};

} // namespace

// Every effect, rendered by three workers, then the whole object destroyed mid-run.
TEST(EffectHost, DestroyedWhileEveryEffectRuns) {
    for (int active = 0; active < 3; ++active) {
        auto app = std::make_unique<AppShape>();
        CEffectHost& effects = app->effects;
        effects.sets.Add(new CSetEmbra(&app->store, &effects.renderState));
        effects.sets.Add(new CSetGlimra(&app->store, &effects.renderState));
        effects.sets.Add(new CSetRipla(&app->store, &effects.renderState));
        effects.renderState.activeSet = effects.sets.GetAt(active);
        CRandom::Seed(7);
        ASSERT_TRUE(effects.renderState.StartEffect()) << active;
        WaitUntil([&] { return app->desktop.PresentCount() >= 3; });
        app.reset();
    }
}

// By the time a set is destroyed the workers have left, the active set was stopped and
// the overlay is gone; the desktop outlives the host.
TEST(EffectHost, SetsGoOnlyAfterTheWorkersStopped) {
    CHeadlessDesktop desktop(320, 480);
    CWitnessSet::Seen active;
    CWitnessSet::Seen idle;
    {
        CEffectHost effects(&desktop);
        effects.renderState.processorCount = 4;
        effects.renderState.frameSleepMs = 0;
        auto* running = new CWitnessSet(&effects.renderState, &desktop, &active);
        effects.sets.Add(running);
        effects.sets.Add(new CWitnessSet(&effects.renderState, &desktop, &idle));
        effects.renderState.activeSet = running;
        ASSERT_TRUE(effects.renderState.StartEffect());
        WaitUntil([&] { return desktop.PresentCount() >= 2; });
    }
    EXPECT_EQ(active.runningWorkers, 0);
    EXPECT_FALSE(active.overlayExisted);
    EXPECT_EQ(active.stops, 2); // at its start, then by the render state
    EXPECT_EQ(idle.runningWorkers, 0);
    EXPECT_EQ(idle.stops, 0);
}

// The application's Exit already stopped everything: the host's end changes nothing more.
TEST(EffectHost, DestroyedAfterAStopStopsNothingTwice) {
    CHeadlessDesktop desktop(320, 480);
    CWitnessSet::Seen seen;
    {
        CEffectHost effects(&desktop);
        effects.renderState.processorCount = 2;
        auto* set = new CWitnessSet(&effects.renderState, &desktop, &seen);
        effects.sets.Add(set);
        effects.renderState.activeSet = set;
        ASSERT_TRUE(effects.renderState.StartEffect());
        effects.renderState.StopEffect();
        EXPECT_EQ(desktop.OverlayCount(), 1);
    }
    EXPECT_EQ(seen.stops, 2); // at its start, then by the stop: none by the host
    EXPECT_EQ(desktop.OverlayCount(), 1);
}
