#include "params/CParam.h"
#include "support/CRecordingParamDlg.h"

#include <gtest/gtest.h>

using Log = std::vector<std::string>;

TEST(CParam, DefaultsAndEmptyValues) {
    CParam<tstr> s;
    EXPECT_STREQ(s.Get()->c_str(), "0"); // a text parameter never set holds "0"
    s.Clear();
    EXPECT_STREQ(s.Get()->c_str(), ""); // Clear gives the empty text, not null
    CParam<unsigned long> u;
    u.Set(9UL);
    u.Clear();
    EXPECT_EQ(*u.Get(), 0UL);
    EXPECT_STREQ(CParam<tstr>(tstr("Embra")).Get()->c_str(), "Embra");
}

TEST(CParam, SetMirrorsThenNotifiesOnlyOnChange) {
    Log log;
    CParam<int> p;
    CRecordingParamDlg<int> first(&p, &log, "first"), second(&p, &log, "second");
    p.AddBinding(&first);
    p.AddBinding(&second);
    int mirror = -7;
    p.SetMirror(&mirror);
    EXPECT_EQ(mirror, 0); // takes the current value at once
    EXPECT_EQ(p.Set(5), p.Get());
    EXPECT_EQ(log, (Log{"first:update=5", "second:update=5"}));
    mirror = 0;
    p.Set(5); // same value: no binding told, mirror untouched
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(mirror, 0);
    p.RemoveAllBindings();
}

TEST(CParam, AddBindingRefusesDuplicatesNullAndOtherTypes) {
    CParam<int> p;
    CParam<bool> flag;
    CRecordingParamDlg<int> binding(&p, nullptr);
    CRecordingParamDlg<bool> wrongType(&flag, nullptr);
    EXPECT_TRUE(p.AddBinding(&binding));
    EXPECT_FALSE(p.AddBinding(&binding));
    EXPECT_FALSE(p.AddBinding(nullptr));
    EXPECT_FALSE(p.AddBinding(&wrongType)); // its ranges would arrive in the wrong type
    EXPECT_TRUE(p.RemoveBinding(&binding));
    EXPECT_FALSE(p.RemoveBinding(&binding));
}

TEST(CParam, DestructorDestroysOnlyItsOwnBindings) {
    int destroyed = 0;
    CParam<int> other;
    CRecordingParamDlg<int> foreign(&other, nullptr);
    foreign.destroyed = &destroyed;
    {
        CParam<int> p;
        auto* own = new CRecordingParamDlg<int>(&p, nullptr);
        own->destroyed = &destroyed;
        p.AddBinding(own);
        p.AddBinding(&foreign); // reports another parameter: only forgotten
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(CParam, BindingMayLeaveTheListWhileNotified) {
    struct Leaving : CRecordingParamDlg<int> {
        using CRecordingParamDlg<int>::CRecordingParamDlg;
        int Update() override {
            param->RemoveBinding(this);
            return CRecordingParamDlg<int>::Update();
        }
    };
    Log log;
    CParam<int> p;
    Leaving leaving(&p, &log, "leaving");
    CRecordingParamDlg<int> staying(&p, &log, "staying");
    p.AddBinding(&leaving);
    p.AddBinding(&staying);
    p.Set(1);
    EXPECT_EQ(log, (Log{"leaving:update=1", "staying:update=1"}));
    p.RemoveAllBindings();
}

TEST(CParam, RestoreNotifiesFromTextDoesNot) {
    Log log;
    CParam<int> p;
    CRecordingParamDlg<int> binding(&p, &log);
    int mirror = 0;
    p.SetMirror(&mirror);
    p.Set(3);
    p.Store();
    p.Set(9);
    EXPECT_TRUE(p.IsChanged());
    p.AddBinding(&binding);
    p.Restore();
    EXPECT_EQ(log, (Log{"b:update=3"}));
    p.FromText("  42x");
    EXPECT_EQ(*p.Get(), 42);
    EXPECT_EQ(mirror, 3);
    EXPECT_EQ(log.size(), 1u);
    p.SetImplicit(1);
    p.ResetToImplicit();
    EXPECT_EQ(*p.Get(), 1);
    p.RemoveAllBindings();
}

TEST(CParam, UnboundedRangesAnnounceZeros) {
    Log log;
    CParam<tstr> text;
    CParam<int> number;
    CRecordingParamDlg<tstr> textBinding(&text, &log, "t");
    CRecordingParamDlg<int> numberBinding(&number, &log, "n");
    text.AddBinding(&textBinding);
    number.AddBinding(&numberBinding);
    text.ApplyRange();
    EXPECT_EQ(number.RefreshRange(99), 0);
    number.SetRange(3, 7); // passed on, not kept
    EXPECT_EQ(number.GetMax(), 0);
    EXPECT_EQ(log, (Log{"t:range=0..0", "n:range=0..0", "n:range=3..7"}));
    text.RemoveAllBindings();
    number.RemoveAllBindings();
}

TEST(CParamSteps, IntStepsWithAndWithoutWrap) {
    CParam<int> p;
    p.AddSteps({10, 20, 30, -1, 40}); // -1 ends the list
    struct Row {
        int start;
        bool up;
        int wrap;
        int expected;
    } rows[] = {
        {20, true, 0, 30},  // next step above
        {30, true, 0, 30},  // top, no wrap: unchanged (40 lies after the sentinel)
        {30, true, 1, 10},  // top, wrap: first step
        {10, false, 1, 30}, // bottom, wrap: last step
        {10, false, 0, 10}, // bottom, no wrap
        {25, false, 0, 20}, // between steps: nearest below
    };
    for (const Row& r : rows) {
        p.Set(r.start);
        p.SetStepWrap(r.wrap);
        r.up ? p.StepUp() : p.StepDown();
        EXPECT_EQ(*p.Get(), r.expected) << r.start << (r.up ? " up" : " down") << r.wrap;
    }
    p.ClearSteps();
    p.StepUp(); // no steps: nothing, even with wrap
    EXPECT_EQ(*p.Get(), 20);
}

TEST(CParamSteps, OtherTypesUseTheirOwnOrder) {
    CParam<unsigned long> u;
    u.AddSteps({5UL, 3000000000UL}); // above 2^31: unsigned order, not signed
    u.Set(5UL);
    u.StepUp();
    EXPECT_EQ(*u.Get(), 3000000000UL);
    CParam<tstr> s; // every step counts as beyond the value
    s.AddSteps({tstr("b"), tstr("c")});
    s.Set("c");
    s.StepUp();
    EXPECT_STREQ(s.Get()->c_str(), "b");
    s.StepDown();
    EXPECT_STREQ(s.Get()->c_str(), "c");
}
