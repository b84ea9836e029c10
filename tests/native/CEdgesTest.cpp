#include "params/CEdges.h"
#include "support/CRecordingParamDlg.h"

#include <gtest/gtest.h>

using Log = std::vector<std::string>;
using Bounded = CEdges<CParam<int>, int>;

namespace {

// "vis" as an effect set makes it: 10..100 at 50, with one recording binding and a mirror.
struct BoundedFixture : ::testing::Test {
    BoundedFixture() : binding(&param, &log) {
        param.SetRange(10, 100);
        param.Set(50);
        param.SetMirror(&mirror);
        param.AddBinding(&binding);
    }
    ~BoundedFixture() override { param.RemoveAllBindings(); }

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

TEST_F(BoundedFixture, SetOutsideNotifiesValueThenBound) {
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

TEST_F(BoundedFixture, SetMinAndSetMaxMoveBoundsOnly) {
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

TEST_F(BoundedFixture, RefreshRangeValidatesAndTellsBindingsTwice) {
    param.SetMax(40); // the value 50 is now outside
    EXPECT_EQ(param.RefreshRange(0), 0);
    EXPECT_EQ(log, (Log{"b:update=40", "b:range=10..40", "b:range=10..40"}));
}

TEST_F(BoundedFixture, StepsRestoreAndFromTextThroughTheInterfaces) {
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
