#include "windows/DialogDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

std::function<void(HWND)>& PendingScript() {
    static std::function<void(HWND)> script;
    return script;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) &&
        IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindModalDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK RunPendingScript(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindModalDialog();
    if (!dialog)
        return; // the loop has not shown it yet
    KillTimer(nullptr, timer);
    std::function<void(HWND)> script = std::move(PendingScript());
    PendingScript() = nullptr;
    script(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

} // namespace

std::string ControlText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

void TypeInto(HWND dialog, int editId, const std::string& text) {
    HWND edit = GetDlgItem(dialog, editId);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
}

void PasteInto(HWND dialog, int editId, const std::string& text) {
    HWND edit = GetDlgItem(dialog, editId);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressDialogKey(HWND dialog, UINT key) {
    MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!IsDialogMessageA(dialog, &down)) {
        TranslateMessage(&down);
        DispatchMessageA(&down);
    }
    PumpMessages(); // the WM_CHAR that TranslateMessage posted
    if (!IsWindow(dialog))
        return;
    MSG up{GetFocus(), WM_KEYUP, key, 0xC0000001, 0, {}};
    if (!IsDialogMessageA(dialog, &up))
        DispatchMessageA(&up);
}

bool PumpUntil(const std::function<bool()>& done, double seconds) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(seconds * 1000))
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

int SliderPos(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
}

std::pair<int, int> SliderRange(HWND dialog, int id) {
    return {static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMIN, 0, 0)),
            static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0))};
}

std::pair<int, int> SpinRange(HWND dialog, int id) {
    int low = -1;
    int high = -1;
    SendDlgItemMessageA(dialog, id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                        reinterpret_cast<LPARAM>(&high));
    return {low, high};
}

void PressSliderKey(HWND dialog, int id, UINT key) {
    HWND slider = GetDlgItem(dialog, id);
    SetFocus(slider);
    SendMessageA(slider, WM_KEYDOWN, key, 1);
    SendMessageA(slider, WM_KEYUP, key, 1);
    UpdateWindow(slider);
}

bool DragSliderTo(HWND dialog, int id, int position) {
    HWND slider = GetDlgItem(dialog, id);
    SetFocus(slider);
    RECT thumb{};
    SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT client{};
    GetClientRect(slider, &client);
    const int y = (thumb.top + thumb.bottom) / 2;
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam((thumb.left + thumb.right) / 2, y));
    const int step = SliderPos(dialog, id) < position ? 1 : -1;
    for (int x = (thumb.left + thumb.right) / 2; x >= client.left && x < client.right; x += step) {
        SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(x, y));
        UpdateWindow(slider);
        if (SliderPos(dialog, id) == position)
            return true;
    }
    return false;
}

void ReleaseSlider(HWND dialog, int id) {
    HWND slider = GetDlgItem(dialog, id);
    RECT thumb{};
    SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageA(slider, WM_LBUTTONUP, 0,
                 PointParam((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2));
    UpdateWindow(slider);
}

void ClickSpin(HWND dialog, int id, bool up) {
    HWND spin = GetDlgItem(dialog, id);
    RECT client{};
    GetClientRect(spin, &client);
    const int x = (client.left + client.right) / 2;
    ClickAt(spin, x, up ? client.top + 2 : client.bottom - 3);
}

RECT RectIn(HWND window, HWND container) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickAt(HWND control, int x, int y) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    SendMessageA(control, WM_LBUTTONUP, 0, PointParam(x, y));
}

void SetKeyDown(int key, bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void ClickButton(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

void PressButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void RunModalScript(const std::function<void()>& open, std::function<void(HWND dialog)> script) {
    PendingScript() = std::move(script);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, RunPendingScript);
    open();
    if (!PendingScript())
        return;
    // The loop ended without showing a dialog: the script must not run in a later one.
    KillTimer(nullptr, timer);
    PendingScript() = nullptr;
    ADD_FAILURE() << "the modal dialog never showed, so its script did not run";
}

void PumpMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        PumpMessages();
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

bool ClickSettingsBox(HWND mainDialog, int settingsButton, int box, int command) {
    bool clicked = false;
    RunModalScript(
        [&] {
            ClickAt(GetDlgItem(mainDialog, settingsButton), 10, 10);
            PumpMessages();
        },
        [&](HWND settings) {
            for (HWND page = FindWindowExA(settings, nullptr, "#32770", nullptr); page;
                 page = FindWindowExA(settings, page, "#32770", nullptr)) {
                if (HWND found = GetDlgItem(page, box)) {
                    SendMessageA(found, BM_CLICK, 0, 0);
                    clicked = true;
                }
            }
            SendMessageA(settings, WM_COMMAND, command, 0);
        });
    return clicked;
}
