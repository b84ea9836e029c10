#include "params/CHotKeyParam.h"

namespace {

constexpr int kKnownModifiers =
    hotkey::kShift | hotkey::kControl | hotkey::kAlt | hotkey::kExtended;

// Shift, Ctrl, Alt (VK_SHIFT, VK_CONTROL, VK_MENU), their left and right keys (VK_LSHIFT to
// VK_RMENU) and the Windows keys (VK_LWIN, VK_RWIN).
bool IsModifierKey(int key) {
    return (key >= 0x10 && key <= 0x12) || (key >= 0xA0 && key <= 0xA5) || key == 0x5B ||
           key == 0x5C;
}

} // namespace

int ValidHotKey(int word) {
    const int modifiers = (word >> 8) & 0xFF;
    if ((word & ~0xFFFF) != 0 || (modifiers & ~kKnownModifiers) != 0)
        return 0;
    if ((modifiers & (hotkey::kControl | hotkey::kAlt)) == 0)
        return 0;
    const int key = word & 0xFF;
    return key != 0 && !IsModifierKey(key) ? word : 0;
}
