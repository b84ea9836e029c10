#include "settings/CParamDlg.h"
#include "params/ControlKind.h"

#include "windows/BindingTestDlg.h"
#include "windows/BindingTestIds.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

namespace {

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

// Presses an arrow key in a closed drop-down list, which moves its selection.
void PressComboKey(HWND dialog, int id, UINT key) {
    HWND combo = GetDlgItem(dialog, id);
    SetFocus(combo);
    SendMessageA(combo, WM_KEYDOWN, key, 1);
}

// A parameter of 10..100 at 50 bound to the edit box, its spin control, the slider and a
// second edit box.
class ParamDlgRow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog); }

    CBoundedParam vis{10, 100, 50};
    CBindingTestDlg dlg{[this](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT));
        EXPECT_TRUE(d.BindControl(&vis, kSpin, IDC_BIND_SPIN));
        EXPECT_TRUE(d.BindControl(&vis, kSlider, IDC_BIND_SLIDER));
        EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT2));
    }};
    HWND dialog = dlg.Open();
};

TEST_F(ParamDlgRow, OpensWithTheValueAndTheBoundsInEveryControl) {
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "50");
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), "50");
    EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), 50);
    EXPECT_EQ(SliderRange(dialog, IDC_BIND_SLIDER), std::make_pair(10, 100));
    EXPECT_EQ(SpinRange(dialog, IDC_BIND_SPIN), std::make_pair(10, 100));
    EXPECT_EQ(vis.BindingCount(), 4);
}

TEST_F(ParamDlgRow, TypingFollowsAWholeNumberInRangeAndFocusLossCommitsTheRest) {
    struct Case {
        const char* what;
        int start;
        const char* typed;
        int whileTyping; // the parameter before the commit; the box shows the typed text
        const char* committed;
    };
    const Case cases[] = {
        {"two digits, not the first digit clamped", 50, "45", 45, "45"},
        {"the second box's old trap", 50, "80", 80, "80"},
        {"below the minimum", 50, "5", 50, "10"},
        {"above the maximum, after passing 25", 50, "250", 25, "100"},
        {"above the maximum while at the maximum", 100, "250", 25, "100"},
        {"emptied", 50, "", 50, "10"},
        {"emptied while at the minimum", 10, "", 10, "10"},
        {"the maximum itself", 40, "100", 100, "100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        vis.Set(c.start);
        ASSERT_EQ(ControlText(dialog, IDC_BIND_EDIT), std::to_string(c.start));
        TypeInto(dialog, IDC_BIND_EDIT, c.typed);
        EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), c.typed);
        EXPECT_EQ(*vis.Get(), c.whileTyping);
        EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), c.whileTyping);
        EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), std::to_string(c.whileTyping));

        SetFocus(GetDlgItem(dialog, IDC_BIND_SLIDER));
        const int committed = std::stoi(c.committed);
        EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), c.committed);
        EXPECT_EQ(*vis.Get(), committed);
        EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), committed);
        EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), c.committed);
    }
}

TEST_F(ParamDlgRow, TabAndAboutASecondWithoutTypingCommitToo) {
    TypeInto(dialog, IDC_BIND_EDIT, "5");
    PressDialogKey(dialog, VK_TAB);
    EXPECT_NE(GetFocus(), GetDlgItem(dialog, IDC_BIND_EDIT));
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "10");
    EXPECT_EQ(*vis.Get(), 10);

    TypeInto(dialog, IDC_BIND_EDIT2, "250");
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), "250");
    EXPECT_TRUE(PumpUntil([&] { return ControlText(dialog, IDC_BIND_EDIT2) == "100"; }, 5));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_BIND_EDIT2)); // the focus stays
    EXPECT_EQ(*vis.Get(), 100);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "100");
}

TEST_F(ParamDlgRow, PastedJunkEndsAsAValidNumber) {
    struct Case {
        std::string pasted;
        const char* committed;
    };
    const Case cases[] = {{"50abc", "50"}, {std::string(300, '7'), "100"}, {"abc", "10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted.substr(0, 8));
        vis.Set(60);
        PasteInto(dialog, IDC_BIND_EDIT, c.pasted);
        EXPECT_EQ(*vis.Get(), 60);
        SetFocus(GetDlgItem(dialog, IDC_BIND_SLIDER));
        EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), c.committed);
        EXPECT_EQ(*vis.Get(), std::stoi(c.committed));
    }
}

TEST_F(ParamDlgRow, OkCommitsTheTypedTextBeforeTheBindingsLetGo) {
    TypeInto(dialog, IDC_BIND_EDIT, "7");
    PressDialogKey(dialog, VK_RETURN); // Enter is the dialog's OK
    EXPECT_EQ(*vis.Get(), 10);
    EXPECT_EQ(vis.BindingCount(), 0);
}

TEST_F(ParamDlgRow, ArrowKeysInTheBoxStepTheValueThroughTheSpin) {
    SetFocus(GetDlgItem(dialog, IDC_BIND_EDIT));
    PressDialogKey(dialog, VK_UP);
    EXPECT_EQ(*vis.Get(), 51);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "51");
    PressDialogKey(dialog, VK_DOWN);
    PressDialogKey(dialog, VK_DOWN);
    EXPECT_EQ(*vis.Get(), 49);
    EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), 49);
}

TEST_F(ParamDlgRow, AnUpdateKeepsCaretAndSelection) {
    HWND edit = GetDlgItem(dialog, IDC_BIND_EDIT);
    SendMessageA(edit, EM_SETSEL, 1, 2);
    vis.Set(64);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "64");
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 2u);
}

TEST_F(ParamDlgRow, TheFocusedSliderSetsTheParameterFromKeysAndDragging) {
    PressSliderKey(dialog, IDC_BIND_SLIDER, VK_RIGHT);
    EXPECT_EQ(*vis.Get(), 51);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "51");

    ASSERT_TRUE(DragSliderTo(dialog, IDC_BIND_SLIDER, 70));
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "70"); // while the button is still down
    EXPECT_EQ(*vis.Get(), 70);
    ReleaseSlider(dialog, IDC_BIND_SLIDER);
    EXPECT_EQ(*vis.Get(), 70);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT2), "70");
}

TEST_F(ParamDlgRow, ASliderRepaintedWithoutTheFocusIsNotRead) {
    SetFocus(GetDlgItem(dialog, IDC_BIND_EDIT));
    HWND slider = GetDlgItem(dialog, IDC_BIND_SLIDER);
    SendMessageA(slider, TBM_SETPOS, TRUE, 90);
    UpdateWindow(slider);
    EXPECT_EQ(*vis.Get(), 50);
    // A focused slider that repaints is read.
    SetFocus(slider);
    InvalidateRect(slider, nullptr, TRUE);
    UpdateWindow(slider);
    EXPECT_EQ(*vis.Get(), 90);
}

TEST_F(ParamDlgRow, SpinClicksStepTheValueAndStopAtTheBounds) {
    struct Case {
        int start;
        bool up;
        const char* shown;
    };
    const Case cases[] = {
        {99, true, "100"}, {100, true, "100"}, {11, false, "10"}, {10, false, "10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        vis.Set(c.start);
        ClickSpin(dialog, IDC_BIND_SPIN, c.up);
        EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), c.shown);
        EXPECT_EQ(*vis.Get(), std::stoi(c.shown));
    }
}

// A bounded parameter whose value never leaves its bounds, not even for a moment: a value
// outside them is replaced by the nearest bound before it is stored, so setting the bound
// it already holds tells no binding.
struct CClampFirstParam : CBoundedParam {
    using CBoundedParam::CBoundedParam;
    const int* Set(const int& v) override {
        int bounded = v;
        Clamp(bounded);
        return CParam<int>::Set(bounded);
    }
};

TEST(CParamDlgTest, TheCommitShowsTheBoundWhenTheParameterKeepsItsValue) {
    CClampFirstParam vis{10, 100, 100};
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT));
        EXPECT_TRUE(d.BindControl(&vis, kSlider, IDC_BIND_SLIDER));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    HWND slider = GetDlgItem(dialog, IDC_BIND_SLIDER);
    TypeInto(dialog, IDC_BIND_EDIT, "250");
    SetFocus(slider);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "100");
    vis.Set(10);
    TypeInto(dialog, IDC_BIND_EDIT, "");
    SetFocus(slider);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "10");
    TypeInto(dialog, IDC_BIND_EDIT, "5");
    SetFocus(slider);
    EXPECT_EQ(ControlText(dialog, IDC_BIND_EDIT), "10");
    EXPECT_EQ(SliderPos(dialog, IDC_BIND_SLIDER), 10);
}

TEST(CParamDlgTest, CheckBoxesReadAndWriteTheCheckState) {
    CParam<bool> flag;
    CParam<int> state;
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&flag, kCheckBox, IDC_BIND_CHECK));
        EXPECT_TRUE(d.BindControl(&state, kCheckBox, IDC_BIND_CHECK3));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsChecked(dialog, IDC_BIND_CHECK));
    ClickButton(dialog, IDC_BIND_CHECK);
    EXPECT_TRUE(*flag.Get());
    flag.Set(false);
    EXPECT_FALSE(IsChecked(dialog, IDC_BIND_CHECK));

    // The three-state box goes 0, 1, 2 and back to 0; an int parameter keeps each state.
    for (int expected : {1, 2, 0}) {
        ClickButton(dialog, IDC_BIND_CHECK3);
        EXPECT_EQ(*state.Get(), expected);
    }
    state.Set(2);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BIND_CHECK3), static_cast<UINT>(BST_INDETERMINATE));
}

TEST(CParamDlgTest, CombosSelectByItemDataAndByItemText) {
    CParam<int> byData;
    CParam<int> byText;
    byData.Set(20);
    byText.Set(15);
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&byData, kComboByData, IDC_BIND_COMBO_DATA));
        EXPECT_TRUE(d.BindControl(&byText, kComboByText, IDC_BIND_COMBO_TEXT));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ComboSelection(dialog, IDC_BIND_COMBO_DATA), 1);
    EXPECT_EQ(ComboSelection(dialog, IDC_BIND_COMBO_TEXT), 1);

    PressComboKey(dialog, IDC_BIND_COMBO_DATA, VK_DOWN);
    EXPECT_EQ(*byData.Get(), 30);
    PressComboKey(dialog, IDC_BIND_COMBO_TEXT, VK_UP);
    EXPECT_EQ(*byText.Get(), 5);

    // A value without an item leaves the box without a selection.
    byData.Set(25);
    byText.Set(25);
    EXPECT_EQ(ComboSelection(dialog, IDC_BIND_COMBO_DATA), CB_ERR);
    EXPECT_EQ(ComboSelection(dialog, IDC_BIND_COMBO_TEXT), 2);
}

TEST(CParamDlgTest, RadioGroupsByPositionAndByProperty) {
    CParam<int> position;
    CParam<int> data;
    position.Set(1);
    data.Set(8);
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&position, kRadioByIndex, IDC_BIND_RADIO_A));
        EXPECT_TRUE(d.BindControl(&data, kRadioByData, IDC_BIND_PROP_A));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsChecked(dialog, IDC_BIND_RADIO_B));
    EXPECT_FALSE(IsChecked(dialog, IDC_BIND_RADIO_A) || IsChecked(dialog, IDC_BIND_RADIO_C));
    EXPECT_TRUE(IsChecked(dialog, IDC_BIND_PROP_B));

    ClickButton(dialog, IDC_BIND_RADIO_C);
    EXPECT_EQ(*position.Get(), 2);
    ClickButton(dialog, IDC_BIND_PROP_C);
    EXPECT_EQ(*data.Get(), 9);

    // The walk ends at the check box after the group: position 3 checks nothing.
    position.Set(3);
    EXPECT_FALSE(IsChecked(dialog, IDC_BIND_RADIO_A) || IsChecked(dialog, IDC_BIND_RADIO_B) ||
                 IsChecked(dialog, IDC_BIND_RADIO_C));
    EXPECT_FALSE(IsChecked(dialog, IDC_BIND_AFTER_RADIOS));
    data.Set(7);
    EXPECT_TRUE(IsChecked(dialog, IDC_BIND_PROP_A));
    EXPECT_FALSE(IsChecked(dialog, IDC_BIND_PROP_C));
}

TEST(CParamDlgTest, ABoolRadioGroupHasFalseFirstAndTrueAfter) {
    CParam<bool> flag;
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&flag, kRadioByIndex, IDC_BIND_RADIO_A));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsChecked(dialog, IDC_BIND_RADIO_A));
    ClickButton(dialog, IDC_BIND_RADIO_C);
    EXPECT_TRUE(*flag.Get());
    flag.Set(false);
    EXPECT_TRUE(IsChecked(dialog, IDC_BIND_RADIO_A));
    flag.Set(true);
    EXPECT_TRUE(IsChecked(dialog, IDC_BIND_RADIO_B));
}

TEST(CParamDlgTest, HotKeyControlReadsTheKeyAndShowsTheValue) {
    CParam<int> key;
    CBindingTestDlg dlg(
        [&](CBindingTestDlg& d) { EXPECT_TRUE(d.BindControl(&key, kHotKey, IDC_BIND_HOTKEY)); });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    HWND hotKey = GetDlgItem(dialog, IDC_BIND_HOTKEY);
    SetFocus(hotKey);
    SendMessageA(hotKey, WM_KEYDOWN, 'K', 1);
    SendMessageA(hotKey, WM_KEYUP, 'K', 1);
    const int typed = static_cast<int>(SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0));
    EXPECT_EQ(LOBYTE(typed), 'K');
    EXPECT_EQ(*key.Get(), typed);

    key.Set(MAKEWORD('Q', HOTKEYF_CONTROL));
    EXPECT_EQ(SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0), MAKEWORD('Q', HOTKEYF_CONTROL));
}

// The colour dialog's red, green and blue boxes.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;

TEST(CParamDlgTest, ColourButtonPicksInTheColourDialog) {
    CParam<int> colour;
    colour.Set(0x0000FF);
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.BindControl(&colour, kColourButton, IDC_BIND_COLOUR));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    PumpMessages();
    ValidateRect(dialog, nullptr);

    std::string startRed;
    RunModalScript([&] { ClickButton(dialog, IDC_BIND_COLOUR); },
                   [&](HWND picker) {
                       startRed = ControlText(picker, kRedBox);
                       SetDlgItemTextA(picker, kRedBox, "10");
                       SetDlgItemTextA(picker, kGreenBox, "20");
                       SetDlgItemTextA(picker, kBlueBox, "30");
                       ClickButton(picker, IDOK);
                   });
    EXPECT_EQ(startRed, "255"); // the dialog starts at the current colour
    EXPECT_EQ(*colour.Get(), static_cast<int>(RGB(10, 20, 30)));
    EXPECT_TRUE(GetUpdateRect(dialog, nullptr, FALSE)); // the swatch is redrawn

    // Cancelled, the colour dialog changes nothing.
    RunModalScript([&] { ClickButton(dialog, IDC_BIND_COLOUR); },
                   [&](HWND picker) {
                       SetDlgItemTextA(picker, kRedBox, "99");
                       ClickButton(picker, IDCANCEL);
                   });
    EXPECT_EQ(*colour.Get(), static_cast<int>(RGB(10, 20, 30)));
}

// A colour binding that counts its command handlers on the stack. Its destructor notes
// a deletion while one runs and poisons the count, so that a handler going on with the
// freed binding is seen as well.
class CCountingColour : public CParamDlg<int> {
public:
    CCountingColour() { Setup(kColourButton, IDC_BIND_COLOUR); }
    ~CCountingColour() override {
        if (depth != 0)
            deletedInHandler = true;
        depth = -1000;
    }
    void OnCommand(HWND dialog, UINT id, UINT code, HWND control) override {
        ++depth;
        CParamDlg<int>::OnCommand(dialog, id, code, control);
        if (--depth < 0)
            deletedInHandler = true;
    }

    static inline bool deletedInHandler = false;

private:
    int depth = 0;
};

TEST(CParamDlgTest,
     TheDialogCancelledWhileTheColourDialogRunsKeepsItsBindingsUntilTheClickReturns) {
    CParam<int> colour;
    colour.Set(0x0000FF);
    CBoundedParam vis{10, 100, 50};
    CBindingTestDlg dlg([&](CBindingTestDlg& d) {
        EXPECT_TRUE(d.Bind(&colour, std::make_unique<CCountingColour>()));
        EXPECT_TRUE(d.BindControl(&vis, kEditBox, IDC_BIND_EDIT));
    });
    HWND dialog = dlg.Open();
    ASSERT_TRUE(dialog);
    SetDlgItemTextA(dialog, IDC_BIND_EDIT, "70");
    ASSERT_EQ(*vis.Get(), 70);
    bool pickerOpened = false;
    RunModalScript([&] { ClickButton(dialog, IDC_BIND_COLOUR); },
                   [&](HWND picker) {
                       pickerOpened = true;
                       // Cancel reaches the dialog from outside (WM_CLOSE, a script) and
                       // releases its bindings; then the user confirms a colour.
                       PressButton(dialog, IDCANCEL);
                       SetDlgItemTextA(picker, kRedBox, "10");
                       ClickButton(picker, IDOK);
                   });
    EXPECT_TRUE(pickerOpened);
    EXPECT_FALSE(CCountingColour::deletedInHandler);
    EXPECT_EQ(dlg.BindingCount(), 0);
    EXPECT_EQ(*vis.Get(), 50) << "Cancel put back the value of the opening";
    EXPECT_EQ(*colour.Get(), 0x0000FF) << "a colour picked after Cancel reaches no parameter";
}

TEST(CParamDlgTest, WithoutControlOrParameterNothingHappens) {
    CParam<int> value;
    value.Set(5);
    CParamDlg<int> binding;
    binding.Setup(kEditBox, 4711);
    binding.SetParam(&value);
    binding.Connect(nullptr);
    EXPECT_EQ(binding.Control(), nullptr);
    EXPECT_EQ(binding.Update(), 0);
    binding.SetParam(nullptr);
    EXPECT_EQ(binding.GetParam(), nullptr);
    // A parameter of another type is refused.
    CParam<bool> flag;
    binding.SetParam(&flag);
    EXPECT_EQ(binding.GetParam(), nullptr);
}

} // namespace
