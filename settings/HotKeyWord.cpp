#include "settings/HotKeyWord.h"

#include <commctrl.h>

#include <cstdio>

namespace {

constexpr int kKnownModifiers = HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT;

bool IsModifierKey(UINT key) {
    switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
        return true;
    default:
        return false;
    }
}

// Letters, digits and function keys by their caps; any other key by the keyboard's name.
tstr KeyName(UINT key, bool extended) {
    char name[64] = {};
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        name[0] = static_cast<char>(key);
        return name;
    }
    if (key >= VK_F1 && key <= VK_F24) {
        std::snprintf(name, sizeof(name), "F%u", key - VK_F1 + 1);
        return name;
    }
    const LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    if (scan != 0 &&
        GetKeyNameTextA((scan << 16) | (extended ? 1L << 24 : 0), name, sizeof(name)) > 0)
        return name;
    std::snprintf(name, sizeof(name), "key %u", key);
    return name;
}

} // namespace

int ValidHotKey(int word) {
    const int modifiers = HIBYTE(word);
    if ((word & ~0xFFFF) != 0 || (modifiers & ~kKnownModifiers) != 0)
        return 0;
    if ((modifiers & (HOTKEYF_CONTROL | HOTKEYF_ALT)) == 0)
        return 0;
    const UINT key = LOBYTE(word);
    return key != 0 && !IsModifierKey(key) ? word : 0;
}

UINT HotKeyModifiers(int word) {
    const int modifiers = HIBYTE(word);
    UINT result = MOD_NOREPEAT;
    if (modifiers & HOTKEYF_SHIFT)
        result |= MOD_SHIFT;
    if (modifiers & HOTKEYF_CONTROL)
        result |= MOD_CONTROL;
    if (modifiers & HOTKEYF_ALT)
        result |= MOD_ALT;
    return result;
}

UINT HotKeyVirtualKey(int word) {
    return LOBYTE(word);
}

tstr HotKeyName(int word) {
    const int modifiers = HIBYTE(word);
    tstr name("");
    if (modifiers & HOTKEYF_CONTROL)
        name += "Ctrl+";
    if (modifiers & HOTKEYF_SHIFT)
        name += "Shift+";
    if (modifiers & HOTKEYF_ALT)
        name += "Alt+";
    return name + KeyName(HotKeyVirtualKey(word), (modifiers & HOTKEYF_EXT) != 0);
}
