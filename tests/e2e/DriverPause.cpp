#include "DriverPause.h"

#include "E2eHelpers.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr DWORD kPollMs = 50;
constexpr int kPolls = 400;        // 20 s
constexpr int kTrayIconWidth = 20; // a small icon and its border in the shell's tray

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT rect{};
        GetClientRect(window, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect,
                 static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

WORD KeyOf(const std::string& name) {
    if (name == "down")
        return VK_DOWN;
    if (name == "up")
        return VK_UP;
    if (name == "return")
        return VK_RETURN;
    if (name == "escape")
        return VK_ESCAPE;
    return 0;
}

} // namespace

std::string CoverScreen(const char* report, int milliseconds, bool maximised) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CoverProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "EmbraE2eCover";
    RegisterClassA(&windowClass);
    // Maximised, its own size is the screen's top-left quarter: restored, it leaves the band.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND cover = CreateWindowExA(0, "EmbraE2eCover", "cover",
                                 maximised ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_VISIBLE, 0, 0,
                                 maximised ? width / 2 : width, maximised ? height / 2 : height,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!cover)
        return "uncovered none";
    if (maximised)
        ShowWindow(cover, SW_SHOWMAXIMIZED);
    SetForegroundWindow(cover);
    ReportLine(report, "a", "covered");
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - GetTickCount(), QS_ALLINPUT);
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    if (maximised) {
        ShowWindow(cover, SW_RESTORE);
        ReportLine(report, "a", "uncovered");
        Sleep(3000); // restored, it stays while the band shows again
    }
    DestroyWindow(cover);
    return maximised ? "closed" : "uncovered";
}

std::string WaitOverlay(const char* state) {
    const bool shown = std::strcmp(state, "1") == 0;
    const DWORD start = GetTickCount();
    bool visible = false;
    for (int poll = 0; poll < kPolls; ++poll) {
        HWND overlay = FindWindowA("LV_EmbraDrawWnd", nullptr);
        visible = overlay && IsWindowVisible(overlay);
        if (visible == shown)
            break;
        Sleep(kPollMs);
    }
    return "overlay-shown " + std::to_string(visible ? 1 : 0) + " " +
           std::to_string(GetTickCount() - start);
}

// The middle of the program's tray icon, the rightmost of the notification area; false
// without a taskbar.
bool TrayIconPoint(POINT& icon) {
    HWND taskbar = VisibleTaskbar();
    if (!taskbar)
        return false;
    RECT client{};
    GetClientRect(taskbar, &client);
    icon = POINT{client.right - kTrayIconWidth / 2, client.bottom / 2};
    ClientToScreen(taskbar, &icon);
    return true;
}

std::string HoverTrayIcon() {
    POINT icon{};
    if (!TrayIconPoint(icon))
        return "tray-tip none";
    // The shell's tips show over the taskbar while it is the active window.
    MouseAt(icon.x - 60, icon.y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    MovePointer(icon.x - 2, icon.y - 2);
    MovePointer(icon.x, icon.y);
    for (int poll = 0; poll < kPolls; ++poll) {
        HWND tip = FindWindowA("tooltips_class32", nullptr);
        for (; tip; tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) {
            RECT rect{};
            if (IsWindowVisible(tip) && GetWindowRect(tip, &rect))
                return "tray-tip " + RectText(rect);
        }
        Sleep(kPollMs);
    }
    return "tray-tip none";
}

std::string OpenTrayMenu() {
    POINT icon{};
    if (!TrayIconPoint(icon))
        return "tray-menu none";
    MouseAt(icon.x, icon.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    for (int poll = 0; poll < kPolls; ++poll) {
        HWND menu = FindWindowA("#32768", nullptr);
        RECT rect{};
        if (menu && IsWindowVisible(menu) && GetWindowRect(menu, &rect)) {
            // The pointer leaves the icon, and the icon's tip goes, without touching the menu.
            MovePointer(rect.left - 30, rect.top - 30);
            return "tray-menu " + RectText(rect);
        }
        Sleep(kPollMs);
    }
    return "tray-menu none";
}

std::string PressKeys(const char* names) {
    int count = 0;
    std::string rest(names);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const WORD key = KeyOf(rest.substr(0, comma));
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        if (!key)
            continue;
        TapKey(key);
        Sleep(150);
        ++count;
    }
    Sleep(300);
    return "keys " + std::to_string(count);
}
