#pragma once

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

// Hotkeys as another program sees them, and typing into a hot-key control.

// Whether someone holds the combination: another registration of it is refused.
inline bool HotKeyHeld(UINT modifiers, UINT key) {
    constexpr int kProbeId = 0xBFFF;
    if (!RegisterHotKey(nullptr, kProbeId, modifiers, key))
        return true;
    UnregisterHotKey(nullptr, kProbeId);
    return false;
}

// Another program's hold on a combination, for the thread, while it lives.
class CHeldHotKey {
public:
    CHeldHotKey(UINT modifiers, UINT key)
        : held(RegisterHotKey(nullptr, kId, modifiers, key) != FALSE) {}
    ~CHeldHotKey() {
        if (held)
            UnregisterHotKey(nullptr, kId);
    }
    CHeldHotKey(const CHeldHotKey&) = delete;
    CHeldHotKey& operator=(const CHeldHotKey&) = delete;

    bool Held() const { return held; }

private:
    static constexpr int kId = 0xBFFE;
    bool held;
};

// The key messages a user's keys send to the focused hot-key control: the modifiers go
// down in order, then the key, and all come up again.
inline void TypeHotKey(HWND control, std::initializer_list<UINT> modifiers, UINT key) {
    SetFocus(control);
    auto down = [control](UINT virtualKey) {
        SendMessageA(control, virtualKey == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, 1);
    };
    auto up = [control](UINT virtualKey) {
        SendMessageA(control, virtualKey == VK_MENU ? WM_SYSKEYUP : WM_KEYUP, virtualKey,
                     0xC0000001);
    };
    for (UINT modifier : modifiers)
        down(modifier);
    down(key);
    up(key);
    for (UINT modifier : modifiers)
        up(modifier);
}
