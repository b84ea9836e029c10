#include "app/CStartStopHotKey.h"
#include "params/CSettingsStore.h"
#include "settings/HotKeyWord.h"

#include "windows/HotKeyProbe.h"
#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

constexpr int kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

int Word(int modifiers, UINT key) {
    return MAKEWORD(key, modifiers);
}

TEST(HotKeyWord, OnlyCombinationsTheControlGivesAreValid) {
    struct Case {
        const char* what;
        int word;
        int valid; // what ValidHotKey gives
    };
    const Case cases[] = {
        {"none", 0, 0},
        {"Ctrl+Alt+F", Word(kCtrlAlt, 'F'), Word(kCtrlAlt, 'F')},
        {"Ctrl+Shift+F12", Word(HOTKEYF_CONTROL | HOTKEYF_SHIFT, VK_F12),
         Word(HOTKEYF_CONTROL | HOTKEYF_SHIFT, VK_F12)},
        {"Alt and an extended key", Word(HOTKEYF_ALT | HOTKEYF_EXT, VK_HOME),
         Word(HOTKEYF_ALT | HOTKEYF_EXT, VK_HOME)},
        {"an unknown modifier bit", Word(kCtrlAlt | 0x10, 'F'), 0},
        {"modifiers without a key", Word(kCtrlAlt, 0), 0},
        {"a plain key, taken from every program's typing", Word(0, 'F'), 0},
        {"Shift alone", Word(HOTKEYF_SHIFT, 'F'), 0},
        {"a modifier as the key", Word(kCtrlAlt, VK_SHIFT), 0},
        {"beyond the word", 0x10000 | Word(kCtrlAlt, 'F'), 0},
        {"negative", -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValidHotKey(c.word), c.valid) << c.what;
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
        {HOTKEYF_CONTROL, MOD_CONTROL},
        {HOTKEYF_SHIFT | HOTKEYF_ALT, MOD_SHIFT | MOD_ALT},
        {HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT, MOD_CONTROL | MOD_ALT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HotKeyModifiers(Word(c.modifiers, 'F')), c.expected | MOD_NOREPEAT)
            << "HOTKEYF_ " << c.modifiers;
        EXPECT_EQ(HotKeyVirtualKey(Word(c.modifiers, 'F')), static_cast<UINT>('F'));
    }
}

TEST(HotKeyWord, NamesTheCombinationAsTheControlShowsIt) {
    EXPECT_STREQ(HotKeyName(Word(kCtrlAlt, 'F')).str(), "Ctrl+Alt+F");
    EXPECT_STREQ(HotKeyName(Word(HOTKEYF_CONTROL | HOTKEYF_SHIFT, VK_F12)).str(), "Ctrl+Shift+F12");
    EXPECT_STREQ(HotKeyName(Word(HOTKEYF_SHIFT | HOTKEYF_ALT, '5')).str(), "Shift+Alt+5");
    const std::string home = HotKeyName(Word(HOTKEYF_ALT | HOTKEYF_EXT, VK_HOME)).str();
    EXPECT_EQ(home.rfind("Alt+", 0), 0u) << home;
    EXPECT_GT(home.size(), 4u) << "the key has a name";
}

TEST(HotKeyWord, AStoredValueThatNoControlGivesLoadsAsNone) {
    const tstr key = TestKeyPath();
    DeleteTestKey(key);
    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
    struct Case {
        const char* text;
        int loaded;
    };
    const Case cases[] = {
        {"1606", Word(kCtrlAlt, 'F')}, // 0x0646
        {"70", 0},                     // F without a modifier
        {"-1", 0},
        {"5638", 0}, // 0x1606: an unknown modifier bit
        {"Ctrl+Alt+F", 0},
        {"99999999999", 0},
    };
    for (const Case& c : cases) {
        CHotKeyParam hotKey;
        hotKey.SetName("HotKey");
        hotKey.Set(Word(kCtrlAlt, 'Q'));
        store.WriteString("Options\\Common", "HotKey", c.text);
        hotKey.Load(&store, "Options\\Common");
        EXPECT_EQ(*hotKey.Get(), c.loaded) << c.text;
    }
    DeleteTestKey(key);
}

class StartStopHotKey : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "hotkey", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        hotKey.Deactivate();
        DestroyWindow(window);
    }

    HWND window = nullptr;
    CStartStopHotKey hotKey;
};

TEST_F(StartStopHotKey, RegistersTheCombinationWithTheMappedModifiers) {
    hotKey.value.Set(Word(HOTKEYF_CONTROL | HOTKEYF_SHIFT, 'F'));
    ASSERT_TRUE(hotKey.Activate(window));
    EXPECT_FALSE(hotKey.Taken());
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL | MOD_SHIFT, 'F'));
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'F')) << "HOTKEYF_SHIFT is not MOD_ALT";
    hotKey.value.Set(0);
    ASSERT_TRUE(hotKey.Apply());
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_SHIFT, 'F')) << "none lets it go";
    hotKey.value.Set(Word(kCtrlAlt, 'G'));
    ASSERT_TRUE(hotKey.Apply());
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'G'));
    hotKey.Deactivate();
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'G'));
}

TEST_F(StartStopHotKey, ACombinationHeldElsewhereIsNotedAtStartAndRefusedLater) {
    const CHeldHotKey other(MOD_CONTROL | MOD_ALT, 'J');
    ASSERT_TRUE(other.Held());
    hotKey.value.Set(Word(kCtrlAlt, 'J'));
    EXPECT_FALSE(hotKey.Activate(window));
    EXPECT_TRUE(hotKey.Taken()) << "stored, not working";
    EXPECT_EQ(*hotKey.value.Get(), Word(kCtrlAlt, 'J')) << "kept for a later start";

    hotKey.value.Set(Word(kCtrlAlt, 'K'));
    ASSERT_TRUE(hotKey.Apply());
    EXPECT_FALSE(hotKey.Taken());
    hotKey.value.Set(Word(kCtrlAlt, 'J'));
    EXPECT_FALSE(hotKey.Apply());
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'K')) << "the one before still works";
    hotKey.value.Set(Word(kCtrlAlt, 'K'));
    EXPECT_TRUE(hotKey.Apply());
    EXPECT_FALSE(hotKey.Taken());
}

} // namespace
