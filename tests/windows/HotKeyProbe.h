#pragma once

#include <windows.h>

#include <initializer_list>

// Hotkeys as another program sees them, and a user's keys in a hot-key control.

// Whether someone holds the combination: another registration of it is refused.
inline bool HotKeyHeld(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0xBFFF, modifiers, key))
        return true;
    UnregisterHotKey(nullptr, 0xBFFF);
    return false;
}

// Another program's hold on a combination while it lives.
class CHeldHotKey {
public:
    CHeldHotKey(UINT modifiers, UINT key) { RegisterHotKey(nullptr, 0xBFFE, modifiers, key); }
    ~CHeldHotKey() { UnregisterHotKey(nullptr, 0xBFFE); }
    CHeldHotKey(const CHeldHotKey&) = delete;
    CHeldHotKey& operator=(const CHeldHotKey&) = delete;
};

// The modifiers go down in order, then the key; all come up again.
inline void TypeHotKey(HWND control, std::initializer_list<UINT> modifiers, UINT key) {
    SetFocus(control);
    auto send = [control](UINT virtualKey, bool down) {
        const bool alt = virtualKey == VK_MENU;
        SendMessageA(control,
                     down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP),
                     virtualKey, down ? 1 : 0xC0000001);
    };
    for (UINT modifier : modifiers)
        send(modifier, true);
    send(key, true);
    send(key, false);
    for (UINT modifier : modifiers)
        send(modifier, false);
}
