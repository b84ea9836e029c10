#include "params/CSettingsStore.h"
#include "settings/HotKeyWord.h"

#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace {

constexpr int kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

TEST(HotKeyWord, AStoredValueKeepsOnlyWordsTheControlGives) {
    struct Case {
        const char* text; // as "HotKey" stores it
        int kept;
    };
    const Case cases[] = {
        {"0", 0},
        {"1606", MAKEWORD('F', kCtrlAlt)},
        {"891", MAKEWORD(VK_F12, HOTKEYF_CONTROL | HOTKEYF_SHIFT)},
        {"3108", MAKEWORD(VK_HOME, HOTKEYF_ALT | HOTKEYF_EXT) /* the extended-key flag */},
        {"5702", 0},  // 0x1646: an unknown modifier bit
        {"1536", 0},  // Ctrl+Alt without a key
        {"70", 0},    // F alone, taken from every program's typing
        {"326", 0},   // Shift+F
        {"1552", 0},  // Ctrl+Alt and Shift as the key
        {"67142", 0}, // beyond the word
        {"-1", 0},
        {"Ctrl+Alt+F", 0},
    };
    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
    for (const Case& c : cases) {
        CHotKeyParam hotKey;
        hotKey.SetName("HotKey");
        hotKey.Set(MAKEWORD('Q', kCtrlAlt));
        store.WriteString("Options\\Common", "HotKey", c.text);
        hotKey.Load(&store, "Options\\Common");
        EXPECT_EQ(*hotKey.Get(), c.kept) << c.text;
    }
    DeleteTestKey(TestKeyPath());
}

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
    EXPECT_STREQ(HotKeyName(MAKEWORD('F', kCtrlAlt)).str(), "Ctrl+Alt+F");
    EXPECT_STREQ(HotKeyName(MAKEWORD(VK_F12, HOTKEYF_CONTROL | HOTKEYF_SHIFT)).str(),
                 "Ctrl+Shift+F12");
}

} // namespace
