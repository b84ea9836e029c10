#pragma once

#include "params/CParam.h"
#include "params/tstr.h"

#include <windows.h>

// A hotkey as the hot-key control gives it and "HotKey" stores it: one word, the virtual
// key in the low byte and the HOTKEYF_ modifiers (Shift 1, Ctrl 2, Alt 4, extended key 8)
// in the high byte; 0 is none.

// The word when it is one the settings page's control gives: a key that is no modifier
// itself, with Ctrl or Alt (a plain or shifted key would be taken from every program's
// typing) and no unknown bit; else 0.
int ValidHotKey(int word);
// The word's modifiers as RegisterHotKey takes them (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT
// 4), with MOD_NOREPEAT: a key held down counts once.
UINT HotKeyModifiers(int word);
UINT HotKeyVirtualKey(int word);
// "Ctrl+Shift+Alt+F": the modifiers in the order the hot-key control shows them, then the
// key's name.
tstr HotKeyName(int word);

// A parameter that holds only valid hotkeys: whatever it is given, from the store or a
// control, goes through ValidHotKey.
class CHotKeyParam : public CParam<int> {
public:
    const int* Set(const int& v) override { return CParam<int>::Set(ValidHotKey(v)); }
};
