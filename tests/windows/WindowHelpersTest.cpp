#include "StandInTaskbar.h"
#include "WindowBaseIds.h"

#include "ui/WindowHelpers.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

HWND CreateTopLevel(int x, int y, int width, int height, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, "STATIC", "Helper test", WS_POPUP, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(WindowHelpers, LoadResourceString) {
    tstr text = "unchanged";
    EXPECT_TRUE(LoadResourceString(text, GetModuleHandleA(nullptr), IDS_WINDOW_BASE_TEST));
    EXPECT_STREQ(text.c_str(), "Window base test string");
    text = "unchanged";
    EXPECT_FALSE(LoadResourceString(text, GetModuleHandleA(nullptr), IDS_WINDOW_BASE_TEST + 1));
    EXPECT_STREQ(text.c_str(), "unchanged");
}

TEST(WindowHelpers, WindowAndComboTexts) {
    HWND window = CreateTopLevel(0, 0, 100, 50);
    tstr text = "old";
    EXPECT_EQ(GetWindowTextString(window, text), 11);
    EXPECT_STREQ(text.c_str(), "Helper test");
    SetWindowTextA(window, "");
    text = "old";
    EXPECT_EQ(GetWindowTextString(window, text), 0);
    EXPECT_STREQ(text.c_str(), "");
    DestroyWindow(window);
    text = "old";
    EXPECT_EQ(GetWindowTextString(window, text), 0);
    EXPECT_STREQ(text.c_str(), "");

    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Fire"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Northern lights"));
    EXPECT_EQ(GetComboItemText(combo, 1, text), 15);
    EXPECT_STREQ(text.c_str(), "Northern lights");
    EXPECT_EQ(GetComboItemText(combo, 5, text), 0);
    EXPECT_STREQ(text.c_str(), "");
    DestroyWindow(combo);
}

// Centring over a window or the desktop, kept on the screen.
TEST(WindowHelpers, CenterWindow) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND over = CreateTopLevel(100, 100, 400, 300);
    struct Case {
        const char* what;
        SIZE size;
        bool overWindow;
        POINT expected;
    };
    const Case cases[] = {
        {"over a window", {200, 100}, true, {200, 200}},
        {"odd difference rounds toward zero", {201, 101}, true, {199, 199}},
        {"over the desktop",
         {200, 100},
         false,
         {(screenWidth - 200) / 2, (screenHeight - 100) / 2}},
        {"larger than the screen", {screenWidth + 300, screenHeight + 200}, false, {0, 0}},
    };
    for (const Case& c : cases) {
        HWND window = CreateTopLevel(5, 5, c.size.cx, c.size.cy);
        EXPECT_TRUE(CenterWindow(window, c.overWindow ? over : nullptr)) << c.what;
        const RECT rect = RectIn(window, nullptr);
        EXPECT_EQ(rect.left, c.expected.x) << c.what;
        EXPECT_EQ(rect.top, c.expected.y) << c.what;
        EXPECT_EQ(rect.right - rect.left, c.size.cx) << c.what;
        DestroyWindow(window);
    }
    // Over a window at the bottom-right corner: pushed back inside the screen.
    SetWindowPos(over, nullptr, screenWidth - 100, screenHeight - 50, 400, 300, SWP_NOZORDER);
    HWND window = CreateTopLevel(5, 5, 300, 200);
    EXPECT_TRUE(CenterWindow(window, over));
    const RECT rect = RectIn(window, nullptr);
    EXPECT_EQ(rect.right, screenWidth);
    EXPECT_EQ(rect.bottom, screenHeight);
    DestroyWindow(window);
    DestroyWindow(over);
}

TEST(WindowHelpers, SetWindowOpacity) {
    HWND window = CreateTopLevel(0, 0, 100, 50);
    ASSERT_TRUE(SetWindowOpacity(window, 128));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_TRUE(SetWindowOpacity(window, 255));
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    DestroyWindow(window);
}

// The edge of the first visible taskbar window, -1 while every one is hidden.
TEST(WindowHelpers, GetTaskbarEdge) {
    for (HWND w = FindWindowA("Shell_TrayWnd", nullptr); w;
         w = FindWindowExA(nullptr, w, "Shell_TrayWnd", nullptr)) {
        if (IsWindowVisible(w)) {
            GTEST_SKIP() << "a visible taskbar is present";
        }
    }
    RECT rect{1, 2, 3, 4};
    if (!FindWindowA("Shell_TrayWnd", nullptr)) {
        EXPECT_EQ(GetTaskbarEdge(&rect), TaskbarSide::Top);
    }
    HWND hidden = CreateTaskbar({0, 0, 300, 30}, false);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(GetTaskbarEdge(&rect), TaskbarSide::Unknown);
    EXPECT_EQ(rect.left, 1); // untouched without a visible taskbar

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* what;
        RECT rect;
        TaskbarSide edge;
    };
    const Case cases[] = {
        {"top", {0, 0, width, 40}, TaskbarSide::Top},
        {"bottom", {0, height - 40, width, height}, TaskbarSide::Bottom},
        {"left", {0, 0, 60, height}, TaskbarSide::Left},
        {"right", {width - 60, 0, width, height}, TaskbarSide::Right},
        {"across the middle", {0, height / 2 - 20, width, height / 2 + 20}, TaskbarSide::Unknown},
    };
    for (const Case& c : cases) {
        HWND visible = CreateTaskbar(c.rect, true);
        RECT found{};
        EXPECT_EQ(GetTaskbarEdge(&found), c.edge) << c.what;
        EXPECT_EQ(found.top, c.rect.top) << c.what;
        EXPECT_EQ(found.right, c.rect.right) << c.what;
        EXPECT_EQ(GetTaskbarEdge(nullptr), c.edge) << c.what;
        DestroyWindow(visible);
    }
    DestroyWindow(hidden);
}
