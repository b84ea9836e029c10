#pragma once

#include "params/CParam.h"

#include <cstdint>

// A hotkey as the hot-key control gives it and "HotKey" stores it: one word, the virtual
// key in the low byte and the hot-key control's modifiers in the high byte; 0 is none. The
// values are Windows' own (HOTKEYF_*, VK_*), written here so that the rule is portable.
namespace hotkey {
constexpr int kShift = 0x01;    // HOTKEYF_SHIFT
constexpr int kControl = 0x02;  // HOTKEYF_CONTROL
constexpr int kAlt = 0x04;      // HOTKEYF_ALT
constexpr int kExtended = 0x08; // HOTKEYF_EXT
} // namespace hotkey

// The word when it is one the settings page's control gives: a key that is no modifier
// itself, with Ctrl or Alt (a plain or shifted key would be taken from every program's
// typing) and no unknown bit; else 0.
int ValidHotKey(int word);

// A parameter that holds only valid hotkeys: whatever it is given, from the store or a
// control, goes through ValidHotKey.
class CHotKeyParam : public CParam<int> {
public:
    const int* Set(const int& v) override { return CParam<int>::Set(ValidHotKey(v)); }
};
