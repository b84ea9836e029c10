#include "params/CParam.h"
#include "support/CRecordingParamDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Log = std::vector<std::string>;

TEST(CParam, ConstructionDefaults) {
    CParam<int> i;
    CParam<bool> b;
    CParam<unsigned long> u;
    CParam<tstr> s;
    EXPECT_EQ(*i.Get(), 0);
    EXPECT_FALSE(*b.Get());
    EXPECT_EQ(*u.Get(), 0UL);
    EXPECT_STREQ(s.Get()->c_str(), "0"); // a text parameter never set holds "0"
    EXPECT_FALSE(s.IsChanged());
    EXPECT_TRUE(i.GetName().IsEmpty());
    EXPECT_STREQ(CParam<tstr>(tstr("Embra")).Get()->c_str(), "Embra");
}

TEST(CParam, SetMirrorsAndNotifiesInListOrder) {
    Log log;
    CParam<int> p;
    CRecordingParamDlg<int> first(&p, &log, "first");
    CRecordingParamDlg<int> second(&p, &log, "second");
    ASSERT_TRUE(p.AddBinding(&first));
    ASSERT_TRUE(p.AddBinding(&second));
    int mirror = -7;
    p.SetMirror(&mirror);
    EXPECT_EQ(mirror, 0); // takes the current value at once
    EXPECT_EQ(p.Set(5), p.Get());
    EXPECT_EQ(mirror, 5);
    EXPECT_EQ(log, (Log{"first:update=5", "second:update=5"}));
    p.RemoveAllBindings();
}

TEST(CParam, SetWithCurrentValueIsSilent) {
    Log log;
    CParam<tstr> p;
    CRecordingParamDlg<tstr> binding(&p, &log);
    p.AddBinding(&binding);
    tstr mirror("untouched");
    p.Set("x");
    p.SetMirror(&mirror);
    mirror = "untouched";
    log.clear();
    p.Set(tstr("x"));
    EXPECT_TRUE(log.empty());
    EXPECT_STREQ(mirror.c_str(), "untouched");
    p.RemoveAllBindings();
}

TEST(CParam, AddBindingRefusesDuplicatesNullAndOtherTypes) {
    Log log;
    CParam<int> p;
    CParam<bool> flag;
    CRecordingParamDlg<int> binding(&p, &log);
    CRecordingParamDlg<bool> wrongType(&flag, &log);
    EXPECT_TRUE(p.AddBinding(&binding));
    EXPECT_FALSE(p.AddBinding(&binding));
    EXPECT_FALSE(p.AddBinding(nullptr));
    EXPECT_FALSE(p.AddBinding(&wrongType)); // its ranges would arrive in the wrong type
    EXPECT_EQ(p.BindingCount(), 1);
    EXPECT_TRUE(p.RemoveBinding(&binding));
    EXPECT_FALSE(p.RemoveBinding(&binding));
}

TEST(CParam, DestructorDestroysOnlyItsOwnBindings) {
    Log log;
    int destroyed = 0;
    CParam<int> other;
    auto* own = new CRecordingParamDlg<int>(nullptr, &log);
    CRecordingParamDlg<int> foreign(&other, &log);
    own->destroyed = &destroyed;
    foreign.destroyed = &destroyed;
    {
        CParam<int> p;
        own->param = &p;
        own->reported = &p;
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
    EXPECT_EQ(p.BindingCount(), 1);
    p.RemoveAllBindings();
}

TEST(CParam, SnapshotRestoreAndFromText) {
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
    EXPECT_EQ(*p.Get(), 3);
    EXPECT_EQ(log, (Log{"b:update=3"})); // Restore goes through Set
    log.clear();
    p.FromText("  42x");
    EXPECT_EQ(*p.Get(), 42);
    EXPECT_EQ(mirror, 3); // FromText neither mirrors nor notifies
    EXPECT_TRUE(log.empty());
    EXPECT_STREQ(p.ToText().c_str(), "42");
    p.RemoveAllBindings();
}

TEST(CParam, TextIsChangedFollowsTstrEquality) {
    CParam<tstr> p;
    p.Set("a");
    p.Store();
    EXPECT_FALSE(p.IsChanged());
    p.FromText(tstr());
    p.Store();
    EXPECT_TRUE(p.IsChanged()); // two null texts never compare equal
}

TEST(CParam, ClearSetsTheEmptyValue) {
    CParam<tstr> s;
    s.Clear();
    EXPECT_FALSE(s.Get()->IsNull());
    EXPECT_STREQ(s.Get()->c_str(), "");
    CParam<int> i;
    i.Set(4);
    i.Clear();
    EXPECT_EQ(*i.Get(), 0);
    CParam<bool> b;
    b.Set(true);
    b.Clear();
    EXPECT_FALSE(*b.Get());
}

TEST(CParam, ResetToImplicitOnlyWhenDeclared) {
    CParam<int> p;
    p.Set(5);
    p.ResetToImplicit();
    EXPECT_EQ(*p.Get(), 5);
    p.SetImplicit(1);
    p.ResetToImplicit();
    EXPECT_EQ(*p.Get(), 1);
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
    p.AddSteps({10, 20, 30});
    struct Row {
        int start;
        bool up;
        int wrap;
        int expected;
    } rows[] = {
        {20, true, 0, 30},  // next step above
        {30, true, 0, 30},  // top, no wrap: unchanged
        {30, true, 1, 10},  // top, wrap: first step
        {10, false, 1, 30}, // bottom, wrap: last step
        {10, false, 0, 10}, // bottom, no wrap
        {25, false, 0, 20}, // between steps: nearest below
        {-5, true, 0, 10},  // below all steps
    };
    for (const Row& r : rows) {
        p.Set(r.start);
        p.SetStepWrap(r.wrap);
        r.up ? p.StepUp() : p.StepDown();
        EXPECT_EQ(*p.Get(), r.expected) << r.start << (r.up ? " up" : " down") << r.wrap;
    }
}

TEST(CParamSteps, SentinelEndsTheListAndClearEmptiesIt) {
    CParam<int> p;
    p.AddSteps({1, 2, -1, 3}); // -1 ends the list
    p.Set(2);
    p.SetStepWrap(1);
    p.StepUp();
    EXPECT_EQ(*p.Get(), 1);
    p.ClearSteps();
    p.StepUp();
    p.StepDown();
    EXPECT_EQ(*p.Get(), 1); // no steps: nothing happens even with wrap
}

TEST(CParamSteps, OtherTypesUseTheirOwnOrder) {
    CParam<unsigned long> u;
    u.AddSteps({5UL, 3000000000UL}); // above 2^31: unsigned order, not signed
    u.Set(5UL);
    u.StepUp();
    EXPECT_EQ(*u.Get(), 3000000000UL);

    CParam<tstr> s; // every step counts as beyond the value
    s.AddSteps({tstr("b"), tstr("c"), tstr("-1"), tstr("d")});
    s.Set("c");
    s.StepUp();
    EXPECT_STREQ(s.Get()->c_str(), "b");
    s.StepDown();
    EXPECT_STREQ(s.Get()->c_str(), "c");

    CParam<bool> b; // true is the sentinel, so only false can be a step
    b.AddSteps({false, true});
    b.Set(true);
    b.StepDown();
    EXPECT_FALSE(*b.Get());
}
