#include "settings/CDialogParam.h"
#include "params/ControlKind.h"

#include "windows/BindingTestDlg.h"
#include "windows/BindingTestIds.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Two parameters, each bound to an edit box and a slider.
class DialogParam : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog); }

    // Several changes through typing, the slider and a change by the effect itself.
    void ChangeEverything() {
        TypeInto(dialog, IDC_BIND_EDIT, "250");
        ASSERT_TRUE(DragSliderTo(dialog, IDC_BIND_SLIDER, 60));
        ReleaseSlider(dialog, IDC_BIND_SLIDER);
        TypeInto(dialog, IDC_BIND_EDIT2, "");
        SetFocus(GetDlgItem(dialog, IDC_BIND_SLIDER)); // commits the emptied box
        ASSERT_EQ(*vis.Get(), 60);
        ASSERT_EQ(*items.Get(), 30);
    }

    CBoundedParam vis{10, 100, 50};
    CBoundedParam items{30, 100, 100};
    CBindingTestDlg dlg{[this](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT));
        EXPECT_TRUE(d.BindControl(&vis, kSlider, IDC_BIND_SLIDER));
        EXPECT_TRUE(d.BindControl(&items, kEditBox, IDC_BIND_EDIT2));
    }};
    HWND dialog = dlg.Open();
};

TEST_F(DialogParam, CancelRestoresEveryValueAndTheControlsShowItBeforeClosing) {
    ChangeEverything();
    PressButton(dialog, IDCANCEL);
    EXPECT_EQ(*vis.Get(), 50);
    EXPECT_EQ(*items.Get(), 100);
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "50");
    EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), 50);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), "100");
    EXPECT_EQ(vis.BindingCount(), 0);
    EXPECT_EQ(items.BindingCount(), 0);
    EXPECT_EQ(dlg.BindingCount(), 0);
}

TEST_F(DialogParam, TheCloseBoxTakesTheCancelPath) {
    ChangeEverything();
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_EQ(*vis.Get(), 50);
    EXPECT_EQ(*items.Get(), 100);
    EXPECT_FALSE(IsWindowVisible(dialog));
}

TEST_F(DialogParam, OkKeepsTheValuesAndALaterChangeNeverReachesTheControls) {
    ChangeEverything();
    PressButton(dialog, IDOK);
    EXPECT_EQ(*vis.Get(), 60);
    EXPECT_EQ(*items.Get(), 30);
    EXPECT_EQ(vis.BindingCount(), 0);
    ASSERT_TRUE(IsWindow(dialog));

    vis.Set(20);
    items.Set(90);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "60");
    EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), 60);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), "30");
    // Typing into the closed dialog's boxes changes no parameter.
    TypeInto(dialog, IDC_BIND_EDIT, "7");
    EXPECT_EQ(*vis.Get(), 20);
}

TEST_F(DialogParam, ACancelWithANotificationCodeIsNotTheCancelButton) {
    TypeInto(dialog, IDC_BIND_EDIT, "25");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_SETFOCUS), 0);
    EXPECT_EQ(*vis.Get(), 25);
    EXPECT_EQ(vis.BindingCount(), 2);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST(CDialogParamTest, TheDialogLetsGoOfItsParametersWhenDestroyed) {
    CBoundedParam vis{10, 100, 50};
    {
        CBindingTestDlg dlg([&](CBindingTestDlg& d) {
            EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT));
            EXPECT_FALSE(
                d.BindControl(static_cast<CParam<int>*>(nullptr), kEditBox, IDC_BIND_EDIT));
        });
        ASSERT_TRUE(dlg.Open());
        EXPECT_EQ(vis.BindingCount(), 1);
        EXPECT_EQ(dlg.BindingCount(), 1);
    }
    EXPECT_EQ(vis.BindingCount(), 0);
    vis.Set(70); // reaches no destroyed binding
    EXPECT_EQ(*vis.Get(), 70);
}

TEST(CDialogParamTest, OpeningSnapshotsTheValueThatCancelRestores) {
    CBoundedParam vis{10, 100, 50};
    vis.Set(40);
    CBindingTestDlg dlg(
        [&](CBindingTestDlg& d) { EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT)); });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    vis.Set(90); // the effect or another window changes the value meanwhile
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "90");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(*vis.Get(), 40);
}

} // namespace
