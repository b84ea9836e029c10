#pragma once

#include "params/CHotKeyParam.h"
#include "params/tstr.h"

#include <windows.h>

// What Windows makes of a hotkey word (params/CHotKeyParam.h).

// The word's modifiers as RegisterHotKey takes them (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT
// 4), with MOD_NOREPEAT: a key held down counts once.
UINT HotKeyModifiers(int word);
UINT HotKeyVirtualKey(int word);
// "Ctrl+Shift+Alt+F": the modifiers in the order the hot-key control shows them, named in
// the language of the texts (the strings of `module`), then the key's name, the keyboard's
// own for a key that is no letter, digit or function key.
tstr HotKeyName(HINSTANCE module, int word);
