#include "SizerIds.h"

#include "resources/resource.h"
#include "ui/CDialogSize.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace {

void ExpectShifted(const RECT& after, const RECT& before, const RECT& shift, const char* what) {
    EXPECT_EQ(after.left, before.left + shift.left) << what;
    EXPECT_EQ(after.top, before.top + shift.top) << what;
    EXPECT_EQ(after.right, before.right + shift.right) << what;
    EXPECT_EQ(after.bottom, before.bottom + shift.bottom) << what;
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// The tab control's class, and a plain stand-in for the navigation pane that the list
// page's template names.
bool RegisterPageClasses() {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    if (GetClassInfoExA(GetModuleHandleA(nullptr), "LV_NavigatePane", &info))
        return true;
    info.lpfnWndProc = StandInProc;
    info.hInstance = GetModuleHandleA(nullptr);
    info.lpszClassName = "LV_NavigatePane";
    return RegisterClassExA(&info) != 0;
}

// The settings window's layout: the list page is added where it is created, with the tab
// control, OK and Cancel, all with automatic flags (the page's own controls follow through
// recursion); then the page moves onto the tab's display area and one layout fits it there.
class CTabbedDialog : public CDialogSize {
public:
    int OnInitDialog() override {
        if (!CDialogSize::OnInitDialog())
            return 0;
        HWND tab = GetDlgItem(Handle(), IDC_SETTINGS_TAB);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("Items list");
        SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        area = RectIn(tab, Handle());
        TabCtrl_AdjustRect(tab, FALSE, &area);
        page.CreateModeless(nullptr, IDD_SETTINGS_LIST, Handle());
        for (HWND window :
             {page.Handle(), tab, GetDlgItem(Handle(), IDOK), GetDlgItem(Handle(), IDCANCEL)})
            Sizer()->AddWindow(window, CSizer::kAutomatic);
        SetWindowPos(page.Handle(), nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client{};
        GetClientRect(Handle(), &client);
        Sizer()->Layout(client.right, client.bottom);
        return 1;
    }

    RECT area{}; // the tab's display area at the start
    CDialog page;
};

} // namespace

// Growing the settings window keeps OK and Cancel at the bottom right, stretches the tab
// control and the page, and stretches the page's pane against the page's own client area.
TEST(DialogSize, TabbedDialogLaysOutItsPage) {
    ASSERT_TRUE(RegisterPageClasses());
    CTabbedDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, IDD_SETTINGS, nullptr);
    ASSERT_NE(window, nullptr);
    HWND page = dialog.page.Handle();
    ASSERT_NE(page, nullptr);
    HWND pane = GetDlgItem(page, IDC_EFFECT_LIST);
    ASSERT_NE(pane, nullptr);
    // The first layout puts the page on the display area (within the few pixels the
    // template's margins leave) and the pane inside the page.
    const RECT onArea = RectIn(page, window);
    EXPECT_EQ(onArea.left, dialog.area.left);
    EXPECT_EQ(onArea.top, dialog.area.top);
    EXPECT_NEAR(onArea.right, dialog.area.right, 4);
    EXPECT_NEAR(onArea.bottom, dialog.area.bottom, 4);
    RECT pageClient{};
    GetClientRect(page, &pageClient);
    const RECT inPage = RectIn(pane, page);
    EXPECT_GT(inPage.left, 0);
    EXPECT_LT(inPage.right, pageClient.right);
    EXPECT_LT(inPage.bottom, pageClient.bottom);

    struct Watched {
        const char* what;
        HWND window;
        HWND container;
        DWORD flags;
        RECT shift; // per edge: 1 follows the growth
    };
    const Watched watched[] = {
        {"OK", GetDlgItem(window, IDOK), window, 15, {1, 1, 1, 1}},
        {"Cancel", GetDlgItem(window, IDCANCEL), window, 15, {1, 1, 1, 1}},
        {"tab control", GetDlgItem(window, IDC_SETTINGS_TAB), window, 10, {0, 0, 1, 1}},
        {"page", page, window, 10, {0, 0, 1, 1}},
        {"pane on the page", pane, page, 10, {0, 0, 1, 1}},
    };
    RECT before[std::size(watched)];
    for (size_t i = 0; i < std::size(watched); ++i) {
        EXPECT_EQ(dialog.Sizer()->FlagsOf(watched[i].window), watched[i].flags) << watched[i].what;
        before[i] = RectIn(watched[i].window, watched[i].container);
    }
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDOK), GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDCANCEL), GWL_STYLE) & WS_CLIPSIBLINGS);

    const int dx = 120;
    const int dy = 64;
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + dx,
                 frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (size_t i = 0; i < std::size(watched); ++i) {
        const RECT& s = watched[i].shift;
        ExpectShifted(RectIn(watched[i].window, watched[i].container), before[i],
                      {s.left * dx, s.top * dy, s.right * dx, s.bottom * dy}, watched[i].what);
    }

    // Destroying records the last window rectangle and drops the sizer.
    GetWindowRect(window, &frame);
    DestroyWindow(window);
    EXPECT_EQ(dialog.Sizer(), nullptr);
    EXPECT_EQ(dialog.LastLeft(), frame.left);
    EXPECT_EQ(dialog.LastTop(), frame.top);
    EXPECT_EQ(dialog.LastWidth(), frame.right - frame.left);
    EXPECT_EQ(dialog.LastHeight(), frame.bottom - frame.top);
}

// WM_SIZING keeps the dragged edge within the limits; the opposite edge stays put.
TEST(DialogSize, SizingKeepsTheLimits) {
    struct Case {
        const char* what;
        UINT limits[4]; // minimum width, maximum width, minimum height, maximum height
        UINT edge;
        RECT rect;
        RECT expected;
    };
    const Case cases[] = {
        {"no limits", {0, 0, 0, 0}, WMSZ_BOTTOMRIGHT, {10, 20, 30, 25}, {10, 20, 30, 25}},
        {"minimum, bottom right",
         {200, 0, 150, 0},
         WMSZ_BOTTOMRIGHT,
         {10, 20, 110, 70},
         {10, 20, 210, 170}},
        {"minimum, top left",
         {200, 0, 150, 0},
         WMSZ_TOPLEFT,
         {10, 20, 110, 70},
         {-90, -80, 110, 70}},
        {"minimum, top edge only",
         {200, 0, 150, 0},
         WMSZ_TOP,
         {10, 20, 110, 70},
         {10, -80, 110, 70}},
        {"maximum, right edge", {0, 300, 0, 250}, WMSZ_RIGHT, {0, 0, 400, 400}, {0, 0, 300, 400}},
        {"maximum, bottom left",
         {0, 300, 0, 250},
         WMSZ_BOTTOMLEFT,
         {0, 0, 400, 400},
         {100, 0, 400, 250}},
        {"within the limits",
         {100, 300, 100, 300},
         WMSZ_BOTTOMRIGHT,
         {0, 0, 200, 200},
         {0, 0, 200, 200}},
        {"a maximum below the minimum lowers it",
         {200, 150, 0, 0},
         WMSZ_RIGHT,
         {0, 0, 100, 50},
         {0, 0, 150, 50}},
    };
    CDialogSize dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr, IDD_SIZER_TEST, nullptr), nullptr);
    for (const Case& c : cases) {
        dialog.Sizer()->SetLimits(c.limits[0], c.limits[1], c.limits[2], c.limits[3]);
        RECT rect = c.rect;
        SendMessageA(dialog.Handle(), WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&rect));
        ExpectShifted(rect, c.expected, {}, c.what);
    }
}
