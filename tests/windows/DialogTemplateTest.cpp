#include "embra_version.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// How a control's window rectangle is held to its template rectangle.
enum class Fit {
    Exact,   // the whole rectangle
    Buddy,   // an edit box that gives up its right end to the spin control after it
    Spin,    // a spin control set into the right end of the edit box before it
    NoHeight // a combo box: its window is only as high as its closed face
};

struct Control {
    int id;
    const char* className;
    const char* text; // null: not compared (the icon)
    RECT units;       // x, y, width, height in dialog units
    DWORD styleMask;  // the style bits that must equal styleBits
    DWORD styleBits;
    bool visible = true;
    Fit fit = Fit::Exact;
    DWORD exStyle = 0; // extended style bits that must be set
};

struct Template {
    int id;
    const char* caption;
    int width, height; // dialog units
    DWORD style;       // style bits that must be set
    DWORD noStyle;     // style bits that must be clear
    std::vector<Control> controls;
};

// An edit box's border becomes a sunken client edge when the box is created.
constexpr DWORD kEditStyle = WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;
constexpr DWORD kSpinStyle =
    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kSliderStyle = TBS_BOTH | TBS_NOTICKS | TBS_VERT | WS_TABSTOP;
constexpr DWORD kSliderBits = TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
constexpr DWORD kButtonType = 0x0F;
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kEffectDialog = kPopup | DS_MODALFRAME;
// Top-level dialogs that their owners show themselves.
constexpr DWORD kHiddenTopLevel = WS_VISIBLE | WS_CHILD;

Control Label(const char* text, LONG y, LONG width) {
    return {-1, "Static", text, {7, y, width, 10}, SS_TYPEMASK, SS_LEFT};
}

// One bound row of an effect dialog: label, edit box, spin control and slider.
void AddRow(std::vector<Control>& controls, const char* label, LONG labelY, LONG labelWidth,
            int editId, int spinId, int sliderId, LONG editY) {
    controls.push_back(Label(label, labelY, labelWidth));
    controls.push_back(
        {editId, "Edit", "", {7, editY, 33, 14}, kEditStyle, kEditStyle, true, Fit::Buddy});
    controls.push_back({spinId,
                        "msctls_updown32",
                        "",
                        {32, editY + 1, 11, 18},
                        kSpinStyle,
                        kSpinStyle,
                        true,
                        Fit::Spin});
    controls.push_back(
        {sliderId, "msctls_trackbar32", "", {46, editY - 1, 211, 15}, kSliderStyle, kSliderBits});
}

Control Ok(LONG x, LONG y) {
    return {IDOK, "Button", "OK", {x, y, 50, 14}, kButtonType, BS_DEFPUSHBUTTON};
}

Control Cancel(LONG x, LONG y) {
    return {IDCANCEL, "Button", "Cancel", {x, y, 50, 14}, kButtonType, BS_PUSHBUTTON};
}

// The hidden flame-form label and list of the fire and water dialogs.
void AddFlameForm(std::vector<Control>& controls, LONG labelY, LONG listY) {
    Control label = Label("Form of flames", labelY, 92);
    label.visible = false;
    controls.push_back(label);
    // The combo box hands its scroll bar style on to its list.
    constexpr DWORD list = CBS_DROPDOWNLIST | WS_TABSTOP;
    controls.push_back(
        {IDC_FLAME_FORM, "ComboBox", "", {7, listY, 124, 68}, list, list, false, Fit::NoHeight});
}

Template About() {
    return {IDD_ABOUT,
            "About ",
            264,
            132,
            kPopup | DS_MODALFRAME,
            WS_VISIBLE,
            {{IDC_ABOUT_ICON, "Static", nullptr, {148, 14, 0, 0}, SS_TYPEMASK, SS_ICON},
             {IDC_ABOUT_TITLE,
              "Static",
              "Embra Desktop Fire Emulation, Version " EMBRA_VERSION_TEXT,
              {148, 42, 109, 20},
              SS_TYPEMASK,
              SS_LEFT},
             {IDC_ABOUT_NOTE,
              "Static",
              "Copyright (C) Lumavist",
              {148, 68, 109, 10},
              SS_TYPEMASK,
              SS_LEFT},
             Ok(207, 111)}};
}

Template Main() {
    return {IDD_MAIN,
            "Embra",
            160,
            75,
            kPopup | WS_MINIMIZEBOX,
            WS_VISIBLE | WS_MAXIMIZEBOX | WS_THICKFRAME,
            {{IDC_START, "DX_ButtonWnd", "", {7, 3, 69, 69}, WS_TABSTOP, WS_TABSTOP},
             {IDC_SETTINGS, "DX_ButtonWnd", "", {77, 3, 69, 69}, WS_TABSTOP, WS_TABSTOP}}};
}

Template Settings() {
    return {
        IDD_SETTINGS,
        "Settings",
        309,
        234,
        kPopup | WS_THICKFRAME,
        WS_VISIBLE,
        {{IDC_SETTINGS_TAB, "SysTabControl32", "Tab1", {7, 7, 295, 202}, WS_TABSTOP, WS_TABSTOP},
         Ok(193, 213),
         Cancel(252, 213)}};
}

Template CommonPage() {
    const DWORD checkBox = kButtonType | WS_TABSTOP;
    return {IDD_SETTINGS_COMMON,
            "",
            148,
            88,
            WS_CHILD | DS_CONTROL,
            WS_VISIBLE | WS_CAPTION,
            {{IDC_START_WITH_WINDOWS,
              "Button",
              "Start with Windows",
              {7, 7, 134, 12},
              checkBox,
              BS_AUTOCHECKBOX | WS_TABSTOP},
             {IDC_START_MINIMIZED,
              "Button",
              "Start minimized",
              {7, 23, 134, 12},
              checkBox,
              BS_AUTOCHECKBOX | WS_TABSTOP},
             {IDC_PAUSE_FULL_SCREEN,
              "Button",
              "Pause while a full-screen program is in front",
              {7, 39, 200, 12},
              checkBox,
              BS_AUTOCHECKBOX | WS_TABSTOP},
             {IDC_PAUSE_ON_BATTERY,
              "Button",
              "Pause on battery",
              {7, 55, 134, 12},
              checkBox,
              BS_AUTOCHECKBOX | WS_TABSTOP}}};
}

Template ListPage() {
    return {IDD_SETTINGS_LIST,
            "",
            300,
            206,
            WS_CHILD | DS_CONTROL,
            WS_VISIBLE | WS_CAPTION,
            {{IDC_EFFECT_LIST,
              "LV_NavigatePane",
              "Views",
              {7, 7, 286, 192},
              WS_TABSTOP,
              WS_TABSTOP,
              true,
              Fit::Exact,
              WS_EX_CLIENTEDGE | WS_EX_STATICEDGE}}};
}

Template EmbraSettings() {
    Template dialog{IDD_EMBRA_SETTINGS, "Embra settings", 264, 119,
                    kEffectDialog,      kHiddenTopLevel,  {}};
    AddRow(dialog.controls, "Opaque (%)", 7, 92, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN,
           IDC_OPAQUE_SLIDER, 23);
    AddRow(dialog.controls, "Number of flames (%)", 46, 92, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN,
           IDC_ITEMS_SLIDER, 57);
    AddFlameForm(dialog.controls, 81, 95);
    dialog.controls.push_back(Ok(152, 98));
    dialog.controls.push_back(Cancel(207, 98));
    return dialog;
}

Template GlimraSettings() {
    Template dialog{IDD_GLIMRA_SETTINGS,
                    "Northern Lights settings",
                    264,
                    209,
                    kEffectDialog,
                    kHiddenTopLevel,
                    {}};
    auto& controls = dialog.controls;
    AddRow(controls, "Opaque (%)", 7, 250, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 23);
    AddRow(controls, "Number of lights (%)", 46, 250, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN,
           IDC_ITEMS_SLIDER, 57);
    AddRow(controls, "Color changing (0 - never)", 77, 250, IDC_COLOR_CHANGE_EDIT,
           IDC_COLOR_CHANGE_SPIN, IDC_COLOR_CHANGE_SLIDER, 88);
    AddRow(controls, "Shines size", 110, 250, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER, 121);
    AddRow(controls, "Shines duration", 141, 250, IDC_DURATION_EDIT, IDC_DURATION_SPIN,
           IDC_DURATION_SLIDER, 152);
    controls.push_back(Ok(152, 188));
    controls.push_back(Cancel(207, 188));
    return dialog;
}

Template RiplaSettings() {
    Template dialog{IDD_RIPLA_SETTINGS, "Ripla settings", 264, 176,
                    kEffectDialog,      kHiddenTopLevel,  {}};
    auto& controls = dialog.controls;
    AddRow(controls, "Opaque (%)", 7, 92, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 23);
    AddRow(controls, "Number of splashes (%)", 46, 92, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN,
           IDC_ITEMS_SLIDER, 57);
    AddRow(controls, "Wave size (in splashes)", 78, 250, IDC_SIZE_EDIT, IDC_SIZE_SPIN,
           IDC_SIZE_SLIDER, 89);
    AddRow(controls, "Wave duration", 109, 250, IDC_DURATION_EDIT, IDC_DURATION_SPIN,
           IDC_DURATION_SLIDER, 120);
    AddFlameForm(controls, 145, 157);
    controls.push_back(Ok(152, 155));
    controls.push_back(Cancel(207, 155));
    return dialog;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// The program's own controls, registered as plain windows for the length of the suite
// when no real class is registered yet, so that the templates naming them can be created.
class DialogTemplate : public ::testing::TestWithParam<Template (*)()> {
public:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        for (const char* name : kOwnClasses) {
            WNDCLASSEXA info{};
            info.cbSize = sizeof(info);
            if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &info))
                continue;
            info.lpfnWndProc = StandInProc;
            info.hInstance = GetModuleHandleA(nullptr);
            info.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            info.lpszClassName = name;
            if (RegisterClassExA(&info))
                standIns().push_back(name);
        }
    }

    static void TearDownTestSuite() {
        for (const char* name : standIns())
            UnregisterClassA(name, GetModuleHandleA(nullptr));
        standIns().clear();
    }

protected:
    void TearDown() override {
        if (dialog)
            DestroyWindow(dialog);
        if (host)
            DestroyWindow(host);
    }

    // Creates the template as its owners in the program do: a child page inside a top-level
    // window, every other template without a parent.
    HWND Create(const Template& expected) {
        if (expected.style & WS_CHILD)
            host = CreateWindowExA(0, "Static", "host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                   nullptr, nullptr, nullptr, nullptr);
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id), host,
                                    PlainDialogProc, 0);
        return dialog;
    }

    RECT ToPixels(const RECT& units) const {
        RECT pixels{units.left, units.top, units.left + units.right, units.top + units.bottom};
        MapDialogRect(dialog, &pixels);
        return pixels;
    }

    RECT ClientRectOf(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND host = nullptr;
    HWND dialog = nullptr;

private:
    static constexpr const char* kOwnClasses[] = {"DX_ButtonWnd", "LV_NavigatePane"};
    static std::vector<const char*>& standIns() {
        static std::vector<const char*> names;
        return names;
    }
};

std::string ClassOf(HWND window) {
    char name[128] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

void ExpectNear(const RECT& actual, const RECT& expected, const char* what, int tolerance = 1) {
    SCOPED_TRACE(what);
    EXPECT_LE(std::abs(actual.left - expected.left), tolerance);
    EXPECT_LE(std::abs(actual.top - expected.top), tolerance);
    EXPECT_LE(std::abs(actual.right - expected.right), tolerance);
    EXPECT_LE(std::abs(actual.bottom - expected.bottom), tolerance);
}

// Every template creates as a dialog whose frame, caption and controls, in tab order,
// are those of the template's table: ids, classes, texts, styles and rectangles.
TEST_P(DialogTemplate, CreatesWithItsControls) {
    const Template expected = GetParam()();
    SCOPED_TRACE(expected.id);
    ASSERT_NE(Create(expected), nullptr);

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    EXPECT_EQ(style & expected.style, expected.style);
    EXPECT_EQ(style & expected.noStyle, 0u);
    EXPECT_EQ(TextOf(dialog), expected.caption);
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT size = ToPixels({0, 0, expected.width, expected.height});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    HWND control = GetWindow(dialog, GW_CHILD);
    RECT buddy{};
    for (const Control& want : expected.controls) {
        SCOPED_TRACE(want.text ? want.text : "(icon)");
        SCOPED_TRACE(want.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        EXPECT_EQ(ClassOf(control), want.className);
        if (want.text) {
            EXPECT_EQ(TextOf(control), want.text);
        }
        const DWORD controlStyle = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        EXPECT_EQ(controlStyle & want.styleMask, want.styleBits);
        EXPECT_EQ((controlStyle & WS_VISIBLE) != 0, want.visible);
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE));
        EXPECT_EQ(exStyle & want.exStyle, want.exStyle);

        const RECT actual = ClientRectOf(control);
        const RECT wanted = ToPixels(want.units);
        switch (want.fit) {
        case Fit::Exact:
            if (want.units.right == 0) // sized by its picture: only the corner counts
                ExpectNear({actual.left, actual.top, 0, 0}, {wanted.left, wanted.top, 0, 0},
                           "corner");
            else
                ExpectNear(actual, wanted, "rectangle");
            break;
        case Fit::Buddy:
            ExpectNear({actual.left, actual.top, 0, actual.bottom},
                       {wanted.left, wanted.top, 0, wanted.bottom}, "edit box");
            buddy = wanted;
            break;
        case Fit::Spin:
            // Right-aligned on the edit box: its right end and height are the box's, give or
            // take the box's border, which the arrows may cover.
            ExpectNear({0, actual.top, actual.right, actual.bottom},
                       {0, buddy.top, buddy.right, buddy.bottom}, "spin control", 2);
            EXPECT_GT(actual.left, buddy.left);
            break;
        case Fit::NoHeight:
            ExpectNear({actual.left, actual.top, actual.right, 0},
                       {wanted.left, wanted.top, wanted.right, 0}, "combo box");
            break;
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "a control beyond the table";
}

// The spin controls give the edit box before them its right end, so the box ends where
// the spin control begins and the digits are not hidden under the arrows.
TEST_P(DialogTemplate, SpinControlsSitInTheirEditBoxes) {
    const Template expected = GetParam()();
    ASSERT_NE(Create(expected), nullptr);
    for (const Control& want : expected.controls) {
        if (want.fit != Fit::Spin)
            continue;
        SCOPED_TRACE(want.id);
        HWND spin = GetDlgItem(dialog, want.id);
        HWND edit = reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(ClassOf(edit), "Edit");
        const RECT box = ClientRectOf(edit);
        const RECT arrows = ClientRectOf(spin);
        EXPECT_LE(std::abs(box.right - arrows.left), 2);
    }
}

// Every dialog is laid out in 8-point "MS Sans Serif".
TEST_P(DialogTemplate, UsesTheDialogFont) {
    ASSERT_NE(Create(GetParam()()), nullptr);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA face{};
    ASSERT_NE(GetObjectA(font, sizeof(face), &face), 0);
    EXPECT_STREQ(face.lfFaceName, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(face.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplate,
                         ::testing::Values(About, Main, Settings, CommonPage, ListPage,
                                           EmbraSettings, GlimraSettings, RiplaSettings));

TEST(StringTable, HoldsTheSystemMenuTexts) {
    struct Entry {
        UINT id;
        const char* text;
    };
    for (const Entry& entry : {Entry{IDS_EXIT, "E&xit"}, Entry{IDS_ABOUT, "About..."}}) {
        char text[64] = "";
        EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), entry.id, text, sizeof(text)), 0);
        EXPECT_STREQ(text, entry.text);
    }
}

} // namespace
