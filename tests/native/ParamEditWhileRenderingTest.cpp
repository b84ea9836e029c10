// Values far outside their bounds typed into every bounded parameter of an effect while
// real render workers draw it: no thread ever reads a value outside the bounds, and
// no item count passes the end of its array. The sanitizer builds run these too, where
// a read of an unclamped value or a step past an item array is reported as such.

#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bounded = CEdges<CParam<int>, int>;

// A value that a render thread reads, with the bounds it must stay within.
struct ReadValue {
    const char* what;
    std::function<int()> read;
    int min, max;
};

// Outside and inside values, in the order they are typed.
const int kTyped[] = {999, -999, INT_MAX, INT_MIN, 101, 0, 401, 29, 100, 30, 50};

// An effect on a small headless screen with `workers` render workers that render frames
// back to back.
template <class TSet> struct EditRig {
    explicit EditRig(int32_t workers)
        : desktop(320, 360), renderState(&desktop), set(nullptr, &renderState) {
        desktop.SetTaskbar(TaskbarSide::Bottom, 40);
        renderState.processorCount = workers;
        renderState.frameSleepMs = 0;
        renderState.activeSet = &set;
    }
    ~EditRig() { renderState.StopEffect(); }

    CHeadlessDesktop desktop;
    CRenderState renderState;
    TSet set;
};

std::vector<ReadValue> BoundedReads(const std::vector<Bounded*>& params) {
    std::vector<ReadValue> reads;
    for (Bounded* param : params)
        reads.push_back({param->GetName().c_str(), [param] { return param->Bounded(); },
                         param->GetMin(), param->GetMax()});
    return reads;
}

// Until `frames` more frames were presented: this thread types every value into every
// parameter the way a dialog does (snapshot, sets, range refresh, cancel, direct text),
// while a watcher thread reads what the workers read. Returns the first reads seen
// outside the bounds, as "what=value".
template <class TSet>
std::vector<std::string> EditWhileRendering(EditRig<TSet>& rig, const std::vector<Bounded*>& params,
                                            const std::vector<ReadValue>& reads, int32_t frames) {
    std::atomic<bool> editing{true};
    std::vector<std::string> outside; // the watcher's own until it is joined
    std::thread watcher([&] {
        while (editing.load())
            for (const ReadValue& value : reads) {
                const int v = value.read();
                if ((v < value.min || v > value.max) && outside.size() < 10)
                    outside.push_back(std::string(value.what) + "=" + std::to_string(v));
            }
    });
    const int32_t until = rig.desktop.PresentCount() + frames;
    while (rig.desktop.PresentCount() < until)
        for (Bounded* param : params) {
            param->Store();
            for (const int typed : kTyped)
                param->Set(typed);
            param->RefreshRange(0);
            static_cast<IParam*>(param)->FromText("999");
            param->Restore();
        }
    editing.store(false);
    watcher.join();
    return outside;
}

} // namespace

TEST(ParamEditWhileRendering, FireReadsOnlyValuesWithinTheBounds) {
    EditRig<CSetEmbra> rig(4);
    ASSERT_TRUE(rig.renderState.StartEffect());
    const std::vector<Bounded*> params = {&rig.set.vis, &rig.set.items};
    EXPECT_EQ(EditWhileRendering(rig, params, BoundedReads(params), 20),
              std::vector<std::string>{});
}

TEST(ParamEditWhileRendering, NorthernLightsReadOnlyValuesWithinTheBounds) {
    EditRig<CSetGlimra> rig(4);
    ASSERT_TRUE(rig.renderState.StartEffect());
    const std::vector<Bounded*> params = {&rig.set.vis, &rig.set.items, &rig.set.clrChange,
                                          &rig.set.flmSize, &rig.set.flmDuration};
    std::vector<ReadValue> reads = BoundedReads(params);
    reads.push_back({"curtain length", [&] { return rig.set.curtain.length.load(); }, 50, 400});
    EXPECT_EQ(EditWhileRendering(rig, params, reads, 20), std::vector<std::string>{});
}

TEST(ParamEditWhileRendering, WaterReadsOnlyValuesWithinTheBounds) {
    EditRig<CSetRipla> rig(4);
    ASSERT_TRUE(rig.renderState.StartEffect());
    const std::vector<Bounded*> params = {&rig.set.vis, &rig.set.items, &rig.set.waveSize,
                                          &rig.set.waveDuration};
    std::vector<ReadValue> reads = BoundedReads(params);
    reads.push_back({"wave size", [&] { return rig.set.wave.size.load(); }, 1, 40});
    EXPECT_EQ(EditWhileRendering(rig, params, reads, 20), std::vector<std::string>{});
}
