#include "settings/HotKeyWord.h"

#include "params/TextTemplate.h"
#include "resources/resource.h"
#include "ui/UiText.h"

#include <commctrl.h>

#include <cstdio>

static_assert(hotkey::kShift == HOTKEYF_SHIFT && hotkey::kControl == HOTKEYF_CONTROL &&
                  hotkey::kAlt == HOTKEYF_ALT && hotkey::kExtended == HOTKEYF_EXT,
              "a hotkey word holds the hot-key control's modifiers");
static_assert(VK_SHIFT == 0x10 && VK_MENU == 0x12 && VK_LSHIFT == 0xA0 && VK_RMENU == 0xA5 &&
                  VK_LWIN == 0x5B && VK_RWIN == 0x5C,
              "the modifier keys a hotkey may not be made of");

namespace {

// Letters, digits and function keys by their caps; any other key by the keyboard's name,
// else by its number.
tstr KeyName(HINSTANCE module, UINT key, bool extended) {
    char name[16] = {};
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        name[0] = static_cast<char>(key);
        return name;
    }
    if (key >= VK_F1 && key <= VK_F24) {
        std::snprintf(name, sizeof(name), "F%u", key - VK_F1 + 1);
        return name;
    }
    const LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    wchar_t keyboardName[64] = {};
    if (scan != 0 &&
        GetKeyNameTextW((scan << 16) | (extended ? 1L << 24 : 0), keyboardName, 64) > 0)
        return Utf8(keyboardName);
    std::snprintf(name, sizeof(name), "%u", key);
    return FillTemplate(UiText(module, IDS_KEY_NUMBER).str(), {name}).c_str();
}

} // namespace

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

tstr HotKeyName(HINSTANCE module, int word) {
    const int modifiers = HIBYTE(word);
    tstr name("");
    if (modifiers & HOTKEYF_CONTROL)
        name += UiText(module, IDS_KEY_CTRL) + "+";
    if (modifiers & HOTKEYF_SHIFT)
        name += UiText(module, IDS_KEY_SHIFT) + "+";
    if (modifiers & HOTKEYF_ALT)
        name += UiText(module, IDS_KEY_ALT) + "+";
    return name + KeyName(module, HotKeyVirtualKey(word), (modifiers & HOTKEYF_EXT) != 0);
}
