#include "ui/CEmbraDrawWnd.h"
#include "ui/CWin32Desktop.h"
#include "ui/WindowFactory.h"

#include <gtest/gtest.h>

#include <windows.h>

// The desktop's overlay is a CEmbraDrawWnd that owns its window; a window of the class
// made without an object (as a dialog template makes one) gets one from the factory.
TEST(EmbraDrawWnd, OverlayAndFactoryWindowsHaveTheirObject) {
    ASSERT_TRUE(CEmbraDrawWnd::RegisterFactory());
    WindowFactory factory{};
    EXPECT_TRUE(FindWindowFactory("LV_EmbraDrawWnd", factory));

    CWin32Desktop desktop;
    ASSERT_TRUE(desktop.CreateOverlay(0, {0, 0, 64, 32}, 0));
    auto* overlay = ObjectOf<CEmbraDrawWnd>(desktop.OverlayWindow());
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(overlay->IsAttached());
    EXPECT_EQ(overlay->Handle(), desktop.OverlayWindow());
    desktop.DestroyOverlays();

    HWND window =
        CreateWindowExA(CEmbraDrawWnd::kExStyle, "LV_EmbraDrawWnd", "", CEmbraDrawWnd::kStyle, 0, 0,
                        64, 32, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto* made = ObjectOf<CEmbraDrawWnd>(window);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsCreatedByFactory());
    EXPECT_TRUE(made->IsAttached());
    DestroyWindow(window);
    EXPECT_EQ(CWnd::FromHandle(window), nullptr);
    UnregisterWindowFactory("LV_EmbraDrawWnd");
}
