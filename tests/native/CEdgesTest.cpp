#include "params/CEdges.h"
#include "support/CRecordingParamDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Log = std::vector<std::string>;
using Bounded = CEdges<CParam<int>, int>;

namespace {

// A bounded parameter 10..100 at 50 with one recording binding and a mirror.
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

TEST(CEdges, ConstructionBoundsAreZeroAndOne) {
    Bounded p;
    EXPECT_EQ(p.GetMin(), 0);
    EXPECT_EQ(p.GetMax(), 1);
    p.Set(5);
    EXPECT_EQ(*p.Get(), 1);
}

TEST(CEdges, SetRangeOnNewParameterTakesTheLowerBound) {
    Log log;
    Bounded p;
    CRecordingParamDlg<int> binding(&p, &log);
    p.AddBinding(&binding);
    p.SetRange(10, 100);
    EXPECT_EQ(*p.Get(), 10);
    // Validate moves the value first, then the bounds go to the bindings.
    EXPECT_EQ(log, (Log{"b:update=10", "b:range=10..100"}));
    p.RemoveAllBindings();
}

TEST_F(BoundedFixture, SetAboveTheRangeNotifiesValueThenBound) {
    param.Set(150);
    EXPECT_EQ(log, (Log{"b:update=150", "b:update=100"}));
    EXPECT_EQ(*param.Get(), 100);
    EXPECT_EQ(mirror, 100);
}

TEST_F(BoundedFixture, SetBelowTheRangeEndsAtLowerBound) {
    param.Set(-3);
    EXPECT_EQ(log, (Log{"b:update=-3", "b:update=10"}));
    EXPECT_EQ(mirror, 10);
}

TEST_F(BoundedFixture, SetClampedNotifiesOnceWithTheBound) {
    param.SetClamped(150);
    EXPECT_EQ(log, (Log{"b:update=100"}));
    log.clear();
    param.SetClamped(100); // already there: silent
    EXPECT_TRUE(log.empty());
}

TEST_F(BoundedFixture, SetMinAndSetMaxMoveBoundsOnly) {
    param.SetMin(120);
    EXPECT_EQ(param.GetMin(), 120);
    EXPECT_EQ(param.GetMax(), 120);
    EXPECT_EQ(*param.Get(), 50); // left alone until the next Validate
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(param.Validate());
    EXPECT_EQ(*param.Get(), 120);
    param.SetMax(5);
    EXPECT_EQ(param.GetMin(), 5);
    EXPECT_EQ(param.GetMax(), 5);
    EXPECT_EQ(*param.Get(), 120);
}

TEST_F(BoundedFixture, ClampAndValidateResults) {
    struct Row {
        int in;
        int out;
        bool within;
    } rows[] = {
        {9, 10, false},                                  // below
        {10, 10, true},                                  // lower bound itself
        {100, 100, true},                                // upper bound itself
        {101, 100, false}, {-2147483647 - 1, 10, false}, // extreme values
    };
    for (const Row& r : rows) {
        int v = r.in;
        EXPECT_EQ(param.Clamp(v), r.within) << r.in;
        EXPECT_EQ(v, r.out) << r.in;
    }
    EXPECT_TRUE(param.Validate());
    EXPECT_TRUE(log.empty());
}

TEST_F(BoundedFixture, RefreshRangeRestoresBoundsAndTellsBindingsTwice) {
    param.SetMax(40); // the value 50 is now outside
    EXPECT_EQ(param.RefreshRange(0), 0);
    EXPECT_EQ(*param.Get(), 40);
    EXPECT_EQ(log, (Log{"b:update=40", "b:range=10..40", "b:range=10..40"}));
}

TEST_F(BoundedFixture, ApplyRangeAnnouncesTheBounds) {
    param.ApplyRange();
    EXPECT_EQ(log, (Log{"b:range=10..100"}));
}

TEST_F(BoundedFixture, StepsAndRestoreGoThroughTheBounds) {
    param.AddSteps({5, 60, 200});
    param.StepUp();
    EXPECT_EQ(*param.Get(), 60);
    param.StepUp();
    EXPECT_EQ(*param.Get(), 100); // 200 clamped
    param.Store();
    param.SetMax(20);
    param.SetMin(20);
    param.Restore(); // the snapshot 100 is clamped by the new bounds
    EXPECT_EQ(*param.Get(), 20);
}

TEST(CEdges, InvertedBoundsSettleWithoutLooping) {
    Bounded p;
    p.SetRange(100, 10); // not checked against each other
    EXPECT_EQ(p.GetMin(), 100);
    EXPECT_EQ(p.GetMax(), 10);
    EXPECT_EQ(*p.Get(), 10); // raised to 100 by Validate, then lowered to 10 by Set's clamp
    p.Set(50);
    EXPECT_EQ(*p.Get(), 100); // Clamp tests the lower bound first
}

TEST(CEdges, UsableThroughItsInterfaces) {
    Bounded p;
    p.SetRange(2, 90);
    IParam& asParam = p;
    asParam.FromText("500"); // direct assignment, not clamped
    EXPECT_EQ(*p.Get(), 500);
    asParam.RefreshRange(0);
    EXPECT_EQ(*p.Get(), 90);
    CParam<int>& plain = p;
    plain.Set(1); // the override runs
    EXPECT_EQ(*p.Get(), 2);
}
