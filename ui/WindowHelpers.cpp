#include "ui/WindowHelpers.h"

#include "system/DesktopRect_win.h"
#include "system/SystemLibrary_win.h"
#include "ui/UiText.h"

#include <vector>

namespace {

constexpr int kResourceStringChars = 1024;
constexpr const char* kTaskbarClass = "Shell_TrayWnd";
constexpr COLORREF kOpacityColourKey = 0xFFFFFF;
static_assert(LWA_ALPHA == 2, "the opacity is set with alpha blending, flag 2");

using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up once; null when the system has none.
SetLayeredWindowAttributesFunction LayeredAttributesFunction() {
    static const auto function = SystemFunction<SetLayeredWindowAttributesFunction>(
        "User32.dll", "SetLayeredWindowAttributes");
    return function;
}

// The first visible window of the taskbar's class; `exists` tells whether there is any.
HWND FindVisibleTaskbar(bool& exists) {
    HWND taskbar = FindWindowA(kTaskbarClass, nullptr);
    exists = taskbar != nullptr;
    while (taskbar && !IsWindowVisible(taskbar))
        taskbar = FindWindowExA(nullptr, taskbar, kTaskbarClass, nullptr);
    return taskbar;
}

} // namespace

bool LoadResourceString(tstr& string, HINSTANCE module, UINT id) {
    std::wstring text = LoadUiString(module, id, UiLanguageId());
    if (text.empty())
        return false;
    if (text.size() >= kResourceStringChars)
        text.resize(kResourceStringChars - 1);
    string = Utf8(text);
    return true;
}

int GetWindowTextString(HWND window, tstr& string) {
    string = "";
    if (!window || !IsWindow(window))
        return 0;
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return 0;
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    string = text.data();
    return copied;
}

int GetComboItemText(HWND comboBox, int index, tstr& string) {
    string = "";
    const LRESULT length = SendMessageA(comboBox, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0)
        return 0;
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0)
        return 0;
    string = text.data();
    return static_cast<int>(copied);
}

bool CenterWindow(HWND window, HWND over) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT area{};
    RECT rect{};
    if (!GetWindowRect(over ? over : GetDesktopWindow(), &area) || !GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int left = (area.left + area.right - width) / 2;
    int top = (area.top + area.bottom - height) / 2;
    if (left + width > screenWidth)
        left -= left + width - screenWidth;
    if (top + height > screenHeight)
        top -= top + height - screenHeight;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    return SetWindowPos(window, nullptr, left, top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

bool SetWindowOpacity(HWND window, BYTE alpha) {
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const LONG layered = alpha == 255 ? exStyle & ~WS_EX_LAYERED : exStyle | WS_EX_LAYERED;
    SetWindowLongA(window, GWL_EXSTYLE, layered);
    const SetLayeredWindowAttributesFunction setAttributes = LayeredAttributesFunction();
    if (!setAttributes)
        return false;
    setAttributes(window, kOpacityColourKey, alpha, LWA_ALPHA);
    return true;
}

TaskbarSide GetTaskbarEdge(RECT* rect) {
    bool exists = false;
    HWND taskbar = FindVisibleTaskbar(exists);
    if (!exists)
        return TaskbarSide::Top;
    if (!taskbar)
        return TaskbarSide::Unknown;
    RECT bounds{};
    GetWindowRect(taskbar, &bounds);
    if (rect)
        *rect = bounds;
    return ClassifyTaskbar(ToDesktopRect(bounds), GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN));
}
