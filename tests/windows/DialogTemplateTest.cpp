#include "app/CAboutDlg.h"
#include "app/CMainDlg.h"
#include "app/CWpp.h"
#include "embra_version.h"
#include "resources/resource.h"
#include "settings/CAddProgramDlg.h"
#include "settings/CSettingsDlg.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A control that the program addresses by its id; text null: not compared.
struct Control {
    int id;
    const char* className;
    const char* text = nullptr;
};

// One row of an effect dialog: an edit box, the spin control set into it and a slider.
struct Row {
    int edit;
    int spin;
    int slider;
};

// What the program and its users rely on in a template; positions and sizes are the
// template's own business, so long as the layout rules below hold.
struct Template {
    int id;
    const char* caption; // the end-to-end driver finds the windows by these titles
    DWORD style;         // style bits that must be set
    DWORD noStyle;       // style bits that must be clear
    std::vector<Row> rows;
    std::vector<Control> controls;
    std::vector<int> tabStops; // met by Tab in this order, after the rows' edit boxes and sliders
    std::vector<int> hidden;   // present for the stored layout, never shown
};

// Style bits every control of a class needs, in every template.
struct ClassRule {
    const char* className;
    DWORD style;
    DWORD noStyle;
};

constexpr DWORD kSpinStyle =
    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
const ClassRule kClassRules[] = {
    {"Edit", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, 0}, // digits only
    {"msctls_updown32", kSpinStyle, WS_TABSTOP},
    {"msctls_trackbar32", TBS_NOTICKS | WS_TABSTOP, TBS_VERT},
};

constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// The effect dialogs are modal popups that their owners show themselves.
constexpr DWORD kEffectDialog = kPopup | DS_MODALFRAME;
constexpr DWORD kHiddenTopLevel = WS_VISIBLE | WS_CHILD;
// The pages are borderless children laid into the settings window's tab control.
constexpr DWORD kPage = WS_CHILD | DS_CONTROL;
constexpr DWORD kPageNoStyle = WS_VISIBLE | WS_CAPTION;

const Row kOpaque{IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER};
const Row kItems{IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER};
const Row kColourChange{IDC_COLOR_CHANGE_EDIT, IDC_COLOR_CHANGE_SPIN, IDC_COLOR_CHANGE_SLIDER};
const Row kSize{IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER};
const Row kDuration{IDC_DURATION_EDIT, IDC_DURATION_SPIN, IDC_DURATION_SLIDER};

const Template kTemplates[] = {
    {CAboutDlg::kTemplate,
     "About ",
     kPopup | DS_MODALFRAME,
     WS_VISIBLE,
     {},
     {{IDC_ABOUT_ICON, "Static"},
      {IDC_ABOUT_TITLE, "Static", "Embra Desktop Fire Emulation, Version " EMBRA_VERSION_TEXT},
      {IDC_ABOUT_NOTE, "Static", "Copyright (C) Lumavist"}},
     {IDOK},
     {}},
    {CWpp::kMainDialogTemplate,
     "Embra",
     kPopup | WS_MINIMIZEBOX,
     WS_VISIBLE | WS_MAXIMIZEBOX | WS_THICKFRAME,
     {},
     {{CMainDlg::kStart, "DX_ButtonWnd"}, {CMainDlg::kSettings, "DX_ButtonWnd"}},
     {CMainDlg::kStart, CMainDlg::kSettings},
     {}},
    {CSettingsDlg::kTemplate,
     "Settings",
     kPopup | WS_THICKFRAME,
     WS_VISIBLE,
     {},
     {{CSettingsDlg::kTab, "SysTabControl32"}},
     {CSettingsDlg::kTab, IDOK, IDCANCEL},
     {}},
    {CSettingsCommonDlg::kTemplate,
     "",
     kPage,
     kPageNoStyle,
     {},
     {{IDC_GROUP_STARTING, "Button", "Starting"},
      {IDC_START_WITH_WINDOWS, "Button", "Start with Windows"},
      {IDC_START_MINIMIZED, "Button", "Start minimized"},
      {IDC_HOTKEY, "msctls_hotkey32"},
      {IDC_GROUP_PAUSING, "Button", "Pausing"},
      {IDC_PAUSE_FULL_SCREEN, "Button", "Pause while a full-screen program is in front"},
      {IDC_PAUSE_ON_BATTERY, "Button", "Pause on battery"},
      {IDC_PAUSE_REMOTE, "Button", "Pause during a remote desktop session"},
      {IDC_PAUSE_CAMERA, "Button", "Pause while the camera is on"},
      {IDC_ANIMATIONS_FOLLOW, "Button", "Follow Windows"},
      {IDC_ANIMATIONS_ALWAYS, "Button", "Always animate"},
      {IDC_GROUP_SHOWING, "Button", "Showing"},
      {IDC_EVERY_MONITOR, "Button", "Show on every monitor"},
      {IDC_HIDE_FROM_CAPTURE, "Button", "Hide the effect from screen sharing and screenshots"},
      {IDC_GROUP_LANGUAGE, "Button", "Language"},
      {IDC_LANGUAGE, "ComboBox"}},
     {IDC_START_WITH_WINDOWS, IDC_START_MINIMIZED, IDC_HOTKEY, IDC_PAUSE_FULL_SCREEN,
      IDC_PAUSE_ON_BATTERY, IDC_PAUSE_REMOTE, IDC_PAUSE_CAMERA, IDC_ANIMATIONS_FOLLOW,
      IDC_EVERY_MONITOR, IDC_HIDE_FROM_CAPTURE, IDC_LANGUAGE},
     {IDC_HOTKEY_NOTE, IDC_CAPTURE_NOTE}},
    {CSettingsProgramsDlg::kTemplate,
     "",
     kPage,
     kPageNoStyle,
     {},
     {{CSettingsProgramsDlg::kList, "SysListView32"},
      {CSettingsProgramsDlg::kAction, "ComboBox"},
      {IDC_ADD_PROGRAM, "Button", "&Add..."},
      {IDC_REMOVE_PROGRAM, "Button", "&Remove"}},
     {CSettingsProgramsDlg::kList, CSettingsProgramsDlg::kAction, IDC_ADD_PROGRAM,
      IDC_REMOVE_PROGRAM},
     {}},
    {CAddProgramDlg::kTemplate,
     "Add a program",
     kPopup | DS_MODALFRAME,
     WS_VISIBLE,
     {},
     {{CAddProgramDlg::kList, "SysListView32"}, {IDC_BROWSE_PROGRAM, "Button", "&Browse..."}},
     {CAddProgramDlg::kList, IDC_BROWSE_PROGRAM, IDOK, IDCANCEL},
     {}},
    {CSettingsListDlg::kTemplate,
     "",
     kPage,
     kPageNoStyle,
     {},
     {{CSettingsListDlg::kPane, "LV_NavigatePane"}},
     {CSettingsListDlg::kPane},
     {}},
    {IDD_EMBRA_SETTINGS,
     "Embra settings",
     kEffectDialog,
     kHiddenTopLevel,
     {kOpaque, kItems},
     {},
     {IDOK, IDCANCEL},
     {IDC_FLAME_FORM}},
    {IDD_GLIMRA_SETTINGS,
     "Northern Lights settings",
     kEffectDialog,
     kHiddenTopLevel,
     {kOpaque, kItems, kColourChange, kSize, kDuration},
     {},
     {IDOK, IDCANCEL},
     {}},
    {IDD_RIPLA_SETTINGS,
     "Ripla settings",
     kEffectDialog,
     kHiddenTopLevel,
     {kOpaque, kItems, kSize, kDuration},
     {},
     {IDOK, IDCANCEL},
     {IDC_FLAME_FORM}},
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ClassOf(HWND window) {
    char name[128] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}

// Shown once the dialog shows: the control's own visibility, whatever the dialog's.
bool IsShown(HWND control) {
    return (StyleOf(control) & WS_VISIBLE) != 0;
}

void PrintTo(const Template& dialog, std::ostream* out) {
    *out << "template " << dialog.id;
}

// The program's own controls, registered as plain windows for the length of the suite
// when no real class is registered yet, so that the templates naming them can be created.
class DialogTemplate : public ::testing::TestWithParam<Template> {
public:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                            ICC_TAB_CLASSES | ICC_HOTKEY_CLASS |
                                                            ICC_LISTVIEW_CLASSES};
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
    // Creates the template as its owners in the program do: a child page inside a top-level
    // window, every other template without a parent.
    void SetUp() override {
        if (GetParam().style & WS_CHILD)
            host = CreateWindowExA(0, "Static", "host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                   nullptr, nullptr, nullptr, nullptr);
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().id),
                                    host, PlainDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
    }

    void TearDown() override {
        if (dialog)
            DestroyWindow(dialog);
        if (host)
            DestroyWindow(host);
    }

    std::vector<HWND> Children() const {
        std::vector<HWND> children;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    // A group box and a control wholly inside it.
    bool IsInGroup(HWND a, HWND b) const {
        const auto isGroup = [](HWND window) {
            return ClassOf(window) == "Button" && (StyleOf(window) & 0x0F) == BS_GROUPBOX;
        };
        const RECT first = RectIn(a, dialog);
        const RECT second = RectIn(b, dialog);
        RECT overlap{};
        IntersectRect(&overlap, &first, &second);
        return (isGroup(a) && EqualRect(&overlap, &second)) ||
               (isGroup(b) && EqualRect(&overlap, &first));
    }
    // A spin control and the edit box it is set into.
    bool IsSpinOnBuddy(HWND a, HWND b) const {
        auto buddyOf = [](HWND spin) {
            return reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0));
        };
        return (ClassOf(a) == "msctls_updown32" && buddyOf(a) == b) ||
               (ClassOf(b) == "msctls_updown32" && buddyOf(b) == a);
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

// The frame, the caption, every control the program addresses with its class and text,
// and the controls that stay hidden.
TEST_P(DialogTemplate, HoldsTheControlsTheProgramAddresses) {
    const Template& expected = GetParam();
    EXPECT_EQ(StyleOf(dialog) & expected.style, expected.style);
    EXPECT_EQ(StyleOf(dialog) & expected.noStyle, 0u);
    EXPECT_EQ(WindowText(dialog), expected.caption);

    std::vector<Control> controls = expected.controls;
    for (const Row& row : expected.rows) {
        controls.push_back({row.edit, "Edit"});
        controls.push_back({row.spin, "msctls_updown32"});
        controls.push_back({row.slider, "msctls_trackbar32"});
    }
    for (const Control& want : controls) {
        SCOPED_TRACE(want.id);
        HWND control = GetDlgItem(dialog, want.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), want.className);
        if (want.text) {
            EXPECT_EQ(WindowText(control), want.text);
        }
        EXPECT_TRUE(IsShown(control));
    }
    for (int id : expected.hidden) {
        SCOPED_TRACE(id);
        ASSERT_NE(GetDlgItem(dialog, id), nullptr);
        EXPECT_FALSE(IsShown(GetDlgItem(dialog, id)));
    }
    if (HWND ok = GetDlgItem(dialog, IDOK)) { // Enter is OK
        EXPECT_EQ(StyleOf(ok) & 0x0F, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    }
}

// Each spin control takes the edit box of its row as its buddy (the window before it) and
// sits in the box's right end, so the box ends where the arrows begin.
TEST_P(DialogTemplate, SpinControlsSitInTheirRowsEditBoxes) {
    for (const Row& row : GetParam().rows) {
        SCOPED_TRACE(row.spin);
        HWND spin = GetDlgItem(dialog, row.spin);
        HWND edit = reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0));
        ASSERT_EQ(edit, GetDlgItem(dialog, row.edit));
        const RECT box = RectIn(edit, dialog);
        const RECT arrows = RectIn(spin, dialog);
        EXPECT_LE(std::abs(box.right - arrows.left), 2);
        EXPECT_GT(arrows.left, box.left);
        EXPECT_LT(arrows.top, box.bottom);
        EXPECT_GT(arrows.bottom, box.top);
    }
}

// Tab walks each row's edit box and slider from the top down, then the template's other
// tab stops in order; the spin controls are reached through their boxes' arrow keys.
TEST_P(DialogTemplate, TabMeetsTheControlsInOrder) {
    std::vector<int> expected;
    for (const Row& row : GetParam().rows) {
        expected.push_back(row.edit);
        expected.push_back(row.slider);
    }
    expected.insert(expected.end(), GetParam().tabStops.begin(), GetParam().tabStops.end());
    std::vector<int> met;
    for (HWND child : Children())
        if ((StyleOf(child) & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE))
            met.push_back(GetDlgCtrlID(child));
    // Other tab stops may lie between; these keep their order.
    std::size_t next = 0;
    for (int id : met)
        if (next < expected.size() && id == expected[next])
            ++next;
    EXPECT_EQ(next, expected.size()) << "tab stop " << (next < expected.size() ? expected[next] : 0)
                                     << " missing or out of order";
}

// Every shown control lies inside the dialog and clear of the others (a spin control lies
// on its own edit box), and carries its class's style bits.
TEST_P(DialogTemplate, ShownControlsFitWithoutOverlapAndFollowTheirClassRules) {
    RECT client{};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child : Children()) {
        SCOPED_TRACE(GetDlgCtrlID(child));
        for (const ClassRule& rule : kClassRules) {
            if (ClassOf(child) == rule.className) {
                EXPECT_EQ(StyleOf(child) & rule.style, rule.style);
                EXPECT_EQ(StyleOf(child) & rule.noStyle, 0u);
            }
        }
        if (!IsShown(child))
            continue;
        const RECT rect = RectIn(child, dialog);
        RECT inside{};
        IntersectRect(&inside, &rect, &client);
        EXPECT_TRUE(EqualRect(&inside, &rect)) << "reaches outside the dialog";
        for (HWND other : shown) {
            const RECT otherRect = RectIn(other, dialog);
            RECT overlap{};
            if (!IsSpinOnBuddy(child, other) && !IsInGroup(child, other)) {
                EXPECT_FALSE(IntersectRect(&overlap, &rect, &otherRect))
                    << "overlaps control " << GetDlgCtrlID(other);
            }
        }
        shown.push_back(child);
    }
}

// Every dialog is laid out in 8-point "MS Sans Serif".
TEST_P(DialogTemplate, UsesTheDialogFont) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA face{};
    ASSERT_NE(GetObjectA(font, sizeof(face), &face), 0);
    EXPECT_STREQ(face.lfFaceName, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(face.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplate, ::testing::ValuesIn(kTemplates),
                         [](const ::testing::TestParamInfo<Template>& info) {
                             return std::to_string(info.param.id);
                         });

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
