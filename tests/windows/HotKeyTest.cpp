#include "settings/HotKeyWord.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace {

constexpr int kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

TEST(HotKeyWord, TheControlsModifiersBecomeThoseOfRegisterHotKey) {
    struct Case {
        int modifiers; // HOTKEYF_
        UINT expected; // MOD_
    };
    // The two sets give Shift and Alt the opposite bits; the extended-key flag has no MOD_.
    const Case cases[] = {
        {HOTKEYF_SHIFT | HOTKEYF_CONTROL, MOD_SHIFT | MOD_CONTROL},
        {HOTKEYF_ALT, MOD_ALT},
        {HOTKEYF_SHIFT | HOTKEYF_ALT, MOD_SHIFT | MOD_ALT},
        {HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT, MOD_CONTROL | MOD_ALT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HotKeyModifiers(MAKEWORD('F', c.modifiers)), c.expected | MOD_NOREPEAT)
            << "HOTKEYF_ " << c.modifiers;
        EXPECT_EQ(HotKeyVirtualKey(MAKEWORD('F', c.modifiers)), static_cast<UINT>('F'));
    }
    EXPECT_STREQ(HotKeyName(GetModuleHandleA(nullptr), MAKEWORD('F', kCtrlAlt)).str(),
                 "Ctrl+Alt+F");
    EXPECT_STREQ(
        HotKeyName(GetModuleHandleA(nullptr), MAKEWORD(VK_F12, HOTKEYF_CONTROL | HOTKEYF_SHIFT))
            .str(),
        "Ctrl+Shift+F12");
}

} // namespace
