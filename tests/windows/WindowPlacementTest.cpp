#include "TestPlaces.h"

#include "params/CSettingsStore.h"
#include "ui/PlacementRecord.h"
#include "ui/WindowHelpers.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kKey = "Options\\Windows\\Main";

// A registry store rooted at the test's own key, removed again at the end.
class WindowPlacement : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKey(TestKeyPath()); }
    void TearDown() override {
        for (HWND window : windows)
            DestroyWindow(window);
        DeleteTestKey(TestKeyPath());
    }

    HWND CreateWindowAt(int x, int y, int width, int height, bool topmost = false) {
        HWND window = CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, "STATIC", "Placement",
                                      WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        windows.push_back(window);
        return window;
    }
    tstr MainKeyPath() const { return TestKeyPath() + "\\" + kKey; }

    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
    std::vector<HWND> windows;
};

bool IsTopmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

} // namespace

// "topmost" is "1" for a topmost window and deleted for another; "plmnt" is the 44-byte
// binary record of the window's placement.
TEST_F(WindowPlacement, SaveWritesTopmostAndTheRecord) {
    HWND topmost = CreateWindowAt(40, 50, 300, 200, true);
    ASSERT_TRUE(SaveWindowPlacement(&store, topmost, kKey));
    EXPECT_EQ(RawValue(MainKeyPath(), "topmost"), std::string("1:1") + '\0');
    const std::string raw = RawValue(MainKeyPath(), "plmnt");
    ASSERT_EQ(raw.size(), 2 + sizeof(PlacementRecord));
    EXPECT_EQ(raw.substr(0, 2), "3:"); // REG_BINARY
    PlacementRecord record{};
    raw.copy(reinterpret_cast<char*>(&record), sizeof record, 2);
    EXPECT_EQ(record.length, 44u);
    EXPECT_EQ(record.showCommand, static_cast<uint32_t>(SW_SHOWNORMAL));
    EXPECT_EQ(record.normalLeft, 40);
    EXPECT_EQ(record.normalTop, 50);
    EXPECT_EQ(record.normalRight, 340);
    EXPECT_EQ(record.normalBottom, 250);

    HWND plain = CreateWindowAt(60, 70, 300, 200);
    ASSERT_TRUE(SaveWindowPlacement(&store, plain, kKey));
    EXPECT_EQ(RawValue(MainKeyPath(), "topmost"), "<none>");
    HWND restored = CreateWindowAt(0, 0, 100, 100);
    EXPECT_TRUE(RestoreWindowPlacement(&store, restored, kKey, false));
    EXPECT_FALSE(IsTopmost(restored));

    ASSERT_TRUE(SaveWindowPlacement(&store, topmost, kKey));
    EXPECT_TRUE(RestoreWindowPlacement(&store, restored, kKey, false));
    EXPECT_TRUE(IsTopmost(restored));
}

// Restoring moves the window to the stored rectangle, or with keepSize to the stored
// position at its current size, and shows it.
TEST_F(WindowPlacement, RestoreRectangleOrPositionOnly) {
    HWND saved = CreateWindowAt(120, 80, 320, 240);
    ASSERT_TRUE(SaveWindowPlacement(&store, saved, kKey));
    struct Case {
        bool keepSize;
        RECT expected;
    };
    const Case cases[] = {
        {false, {120, 80, 440, 320}},
        {true, {120, 80, 270, 180}},
    };
    for (const Case& c : cases) {
        HWND window = CreateWindowAt(10, 20, 150, 100);
        EXPECT_TRUE(RestoreWindowPlacement(&store, window, kKey, c.keepSize));
        const RECT rect = RectIn(window, nullptr);
        EXPECT_EQ(rect.left, c.expected.left) << c.keepSize;
        EXPECT_EQ(rect.top, c.expected.top) << c.keepSize;
        EXPECT_EQ(rect.right, c.expected.right) << c.keepSize;
        EXPECT_EQ(rect.bottom, c.expected.bottom) << c.keepSize;
        EXPECT_TRUE(IsWindowVisible(window)) << c.keepSize;
    }
}

// A stored minimised or maximised state comes back after the normal placement, which is
// kept for when the window is restored.
TEST_F(WindowPlacement, StoredStateIsReapplied) {
    struct Case {
        int show;
        bool iconic;
        bool zoomed;
    };
    const Case cases[] = {
        {SW_SHOWMINIMIZED, true, false},
        {SW_SHOWMAXIMIZED, false, true},
    };
    for (const Case& c : cases) {
        HWND saved = CreateWindowAt(100, 90, 300, 200);
        ShowWindow(saved, c.show);
        ASSERT_TRUE(SaveWindowPlacement(&store, saved, kKey));
        HWND window = CreateWindowAt(10, 20, 150, 100);
        EXPECT_TRUE(RestoreWindowPlacement(&store, window, kKey, false));
        EXPECT_EQ(IsIconic(window) != 0, c.iconic) << c.show;
        EXPECT_EQ(IsZoomed(window) != 0, c.zoomed) << c.show;
        ShowWindow(window, SW_RESTORE);
        const RECT rect = RectIn(window, nullptr);
        EXPECT_EQ(rect.left, 100) << c.show;
        EXPECT_EQ(rect.right, 400) << c.show;
    }
}

// Without a whole record the window is shown normally where it is and the result is
// false, so that the caller can centre it.
TEST_F(WindowPlacement, MissingOrDamagedRecordIsAbsent) {
    PlacementRecord whole{};
    whole.length = 44;
    whole.showCommand = SW_SHOWNORMAL;
    whole.normalLeft = 200;
    whole.normalTop = 200;
    whole.normalRight = 500;
    whole.normalBottom = 400;
    PlacementRecord zeroLength = whole;
    zeroLength.length = 0;
    PlacementRecord badShow = whole;
    badShow.showCommand = 99;
    std::vector<char> longer(reinterpret_cast<const char*>(&whole),
                             reinterpret_cast<const char*>(&whole) + sizeof whole);
    longer.resize(48);
    const DWORD fortyFour = 44;
    const char text[] = "a text value of forty-three characters ....";
    static_assert(sizeof text == 44, "as long as the record");
    struct Case {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    };
    const Case cases[] = {
        {"missing", REG_NONE, nullptr, 0},
        {"short", REG_BINARY, &whole, 20},
        {"longer", REG_BINARY, longer.data(), 48},
        {"a number", REG_DWORD, &fortyFour, sizeof fortyFour},
        {"a text of 44 bytes", REG_SZ, text, sizeof text},
        {"length field not 44", REG_BINARY, &zeroLength, sizeof zeroLength},
        {"unknown show command", REG_BINARY, &badShow, sizeof badShow},
    };
    for (const Case& c : cases) {
        DeleteTestKey(TestKeyPath());
        if (c.data) {
            ASSERT_TRUE(WriteRawValue(MainKeyPath(), "plmnt", c.type, c.data, c.size)) << c.what;
        }
        HWND window = CreateWindowAt(10, 20, 150, 100);
        EXPECT_FALSE(RestoreWindowPlacement(&store, window, kKey, false)) << c.what;
        EXPECT_TRUE(IsWindowVisible(window)) << c.what;
        EXPECT_FALSE(IsIconic(window)) << c.what;
        EXPECT_EQ(RectIn(window, nullptr).left, 10) << c.what;
    }
    ASSERT_TRUE(WriteRawValue(MainKeyPath(), "plmnt", REG_BINARY, &whole, sizeof whole));
    HWND window = CreateWindowAt(10, 20, 150, 100);
    EXPECT_TRUE(RestoreWindowPlacement(&store, window, kKey, false));
    EXPECT_EQ(RectIn(window, nullptr).left, 200);
    EXPECT_FALSE(RestoreWindowPlacement(nullptr, window, kKey, false));
    EXPECT_FALSE(SaveWindowPlacement(nullptr, window, kKey));
}
