#include "graphics/CBmp.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CButtonWnd.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kSize = 96;
constexpr int kRepaints = 200;
constexpr int kProbeBrushes = 64;

// Where the system counts GDI objects, that count. Wine does not count them (0); it reuses
// freed handle slots first, so there the highest slot a burst of new brushes gets only grows
// when objects stay alive.
long GdiMeasure() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
    std::vector<CGdiObject<HBRUSH>> brushes; // all alive until the count is taken
    long highest = 0;
    for (int i = 0; i < kProbeBrushes; ++i) {
        brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
        const auto slot = LOWORD(reinterpret_cast<UINT_PTR>(brushes.back().Get()));
        highest = std::max(highest, static_cast<long>(slot));
    }
    return highest;
}

void BuildFace(CBmp& image) {
    image.Create(kSize, kSize);
    image.Fill(0x80406080);
    for (int s = 0; s < 3; ++s) {
        image.AddStack("stack");
        for (int l = 0; l < 3; ++l)
            image.AddLayerCopy(s);
    }
}

} // namespace

TEST(ButtonGdi, RepaintsKeepNoObjects) {
    CButtonWnd::RegisterFactory();
    const HINSTANCE module = GetModuleHandleA(nullptr);
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                        module, nullptr);
    const HWND window = CreateWindowExA(0, CButtonWnd::kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0,
                                        kSize, kSize, parent, nullptr, module, nullptr);
    CButtonWnd* button = ObjectOf<CButtonWnd>(window);
    ASSERT_NE(button, nullptr);
    BuildFace(button->Image());
    // Warm up: first use of the system's drawing objects and the hot state's snapshot.
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(70, 20));
    SendMessageA(window, WM_PAINT, 0, 0);
    SendMessageA(window, WM_TIMER, CButtonWnd::kHoverTimer, 0);
    const long before = GdiMeasure();
    for (int i = 0; i < kRepaints; ++i) {
        SendMessageA(window, WM_PAINT, 0, 0);
        SendMessageA(window, WM_TIMER, CButtonWnd::kHoverTimer, 0);
        if (i % 10 == 0) {
            SendMessageA(window, WM_MOUSELEAVE, 0, 0);
            SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(70, 20));
        }
    }
    const long after = GdiMeasure();
    EXPECT_LE(after, before + 8) << before << " -> " << after;
    DestroyWindow(parent);
    PumpMessages();
}
