#include "params/CEdges.h"
#include "support/CRecordingParamDlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

using Log = std::vector<std::string>;
using Bounded = CEdges<CParam<int>, int>;

namespace {

// "vis" as an effect set makes it: 10..100 at 50, with one recording binding and a mirror.
struct CEdgesVis : ::testing::Test {
    CEdgesVis() : binding(&param, &log) {
        param.SetRange(10, 100);
        param.Set(50);
        param.SetMirror(&mirror);
        param.AddBinding(&binding);
    }
    ~CEdgesVis() override { param.RemoveAllBindings(); }

    Log log;
    Bounded param;
    CRecordingParamDlg<int> binding;
    int mirror = 0;
};

} // namespace

TEST(CEdges, SetRangeOnNewParameterTakesTheLowerBound) {
    Log log;
    Bounded p;
    EXPECT_EQ(p.GetMax(), 1); // construction bounds 0..1
    CRecordingParamDlg<int> binding(&p, &log);
    p.AddBinding(&binding);
    p.SetRange(10, 100);
    EXPECT_EQ(*p.Get(), 10);
    EXPECT_EQ(log, (Log{"b:update=10", "b:range=10..100"})); // validated, then announced
    p.RemoveAllBindings();
}

TEST_F(CEdgesVis, SetOutsideNotifiesValueThenBound) {
    param.Set(150);
    EXPECT_EQ(log, (Log{"b:update=150", "b:update=100"}));
    EXPECT_EQ(mirror, 100);
    log.clear();
    param.Set(-3);
    EXPECT_EQ(log, (Log{"b:update=-3", "b:update=10"}));
    log.clear();
    param.SetClamped(150); // clamped first: one change only
    EXPECT_EQ(log, (Log{"b:update=100"}));
}

TEST_F(CEdgesVis, SetMinAndSetMaxMoveBoundsOnly) {
    int v = 100;
    EXPECT_TRUE(param.Clamp(v)); // a bound itself is within
    v = 9;
    EXPECT_FALSE(param.Clamp(v));
    EXPECT_EQ(v, 10);
    param.SetMin(120);
    EXPECT_EQ(param.GetMax(), 120);
    EXPECT_EQ(*param.Get(), 50); // left alone until the next Validate
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(param.Validate());
    EXPECT_EQ(*param.Get(), 120);
    param.SetMax(5);
    EXPECT_EQ(param.GetMin(), 5);
}

TEST_F(CEdgesVis, RefreshRangeValidatesAndTellsBindingsTwice) {
    param.SetMax(40); // the value 50 is now outside
    EXPECT_EQ(param.RefreshRange(0), 0);
    EXPECT_EQ(log, (Log{"b:update=40", "b:range=10..40", "b:range=10..40"}));
}

TEST_F(CEdgesVis, StepsRestoreAndFromTextThroughTheInterfaces) {
    param.AddSteps({60, 200});
    param.StepUp();
    param.StepUp();
    EXPECT_EQ(*param.Get(), 100); // 200 clamped
    IParam& asParam = param;
    asParam.FromText("500"); // direct assignment, not clamped
    EXPECT_EQ(*param.Get(), 500);
    asParam.Restore(); // snapshot 0 from construction, clamped by the override
    EXPECT_EQ(*param.Get(), 10);
}

TEST(CEdges, InvertedBoundsSettleWithoutLooping) {
    Bounded p;
    p.SetRange(100, 10);     // not checked against each other
    EXPECT_EQ(*p.Get(), 10); // raised to 100 by Validate, then lowered to 10 by the clamp
    p.Set(50);
    EXPECT_EQ(*p.Get(), 100); // Clamp tests the lower bound first
}

namespace {

// A binding that also notes, at every notification, what a render thread reads: the
// bounded value and the bounded mirror.
class CReaderProbe : public CRecordingParamDlg<int> {
public:
    CReaderProbe(Bounded* param, Log* log, std::atomic<int>* mirror)
        : CRecordingParamDlg<int>(param, log), bounded(param), mirror(mirror) {}
    int Update() override {
        read.push_back(bounded->Bounded());
        read.push_back(mirror->load());
        return CRecordingParamDlg<int>::Update();
    }

    Bounded* bounded;
    std::atomic<int>* mirror;
    std::vector<int> read;
};

} // namespace

TEST(CEdges, OutsideValuesReachTheBindingsButNeverWhatRenderThreadsRead) {
    struct Case {
        const char* what;
        int before;
        int typed;
        Log told;        // what the binding is told, in order
        int shownAfter;  // the value the binding reads last
        int readBetween; // what Bounded and the bounded mirror held meanwhile
    } cases[] = {
        {"above the maximum", 50, 250, {"b:update=250", "b:update=100"}, 100, 50},
        // Already at the maximum: the binding still sees 250 and then 100, so a control
        // that shows the typed 250 is set back to 100.
        {"above the maximum, at it", 100, 250, {"b:update=250", "b:update=100"}, 100, 100},
        {"below the minimum", 50, -3, {"b:update=-3", "b:update=10"}, 10, 50},
        {"far outside", 10, 2147483647, {"b:update=2147483647", "b:update=100"}, 100, 10},
        {"inside", 50, 70, {"b:update=70"}, 70, 50},
    };
    for (const Case& test : cases) {
        Log log;
        Bounded param;
        param.SetRange(10, 100);
        param.Set(test.before);
        std::atomic<int> mirror{-1};
        param.SetBoundedMirror(&mirror);
        EXPECT_EQ(mirror.load(), test.before) << test.what;
        CReaderProbe probe(&param, &log, &mirror);
        param.AddBinding(&probe);
        param.Set(test.typed);
        EXPECT_EQ(log, test.told) << test.what;
        EXPECT_EQ(*param.Get(), test.shownAfter) << test.what;
        // While the binding was told the outside value, readers saw the old inside one;
        // then the bound.
        ASSERT_EQ(probe.read.size(), 2 * test.told.size()) << test.what;
        EXPECT_EQ(probe.read[0], test.readBetween) << test.what;
        EXPECT_EQ(probe.read[1], test.readBetween) << test.what;
        EXPECT_EQ(param.Bounded(), test.shownAfter) << test.what;
        EXPECT_EQ(mirror.load(), test.shownAfter) << test.what;
        param.RemoveAllBindings();
    }
}

TEST_F(CEdgesVis, BoundedFollowsDirectAssignmentsAndBoundsMovedInside) {
    IParam& asParam = param;
    asParam.FromText("500"); // not clamped, not notified
    EXPECT_EQ(*param.Get(), 500);
    EXPECT_EQ(param.Bounded(), 100);
    asParam.FromText("-20");
    EXPECT_EQ(param.Bounded(), 10);
    param.Set(50);
    param.SetMax(40); // the value is left alone, what readers see is not
    EXPECT_EQ(*param.Get(), 50);
    EXPECT_EQ(param.Bounded(), 40);
    param.SetMin(45);
    EXPECT_EQ(param.Bounded(), 45);
    param.SetRange(10, 100);
    EXPECT_EQ(param.Bounded(), 50); // the value left alone lies inside again
    asParam.Restore();              // the snapshot 0 of construction: clamped
    EXPECT_EQ(param.Bounded(), 10);
}
