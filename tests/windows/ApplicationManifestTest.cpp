#include <gtest/gtest.h>

#include <windows.h>

#include <shlwapi.h>

// The program's manifest is embedded in this test executable as well; these tests read
// back what it makes the system do for the process.

// The dialogs get the common controls of version 6, which come from the side-by-side
// store instead of the system folder.
TEST(ApplicationManifest, SelectsCommonControls6) {
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = "";
    ASSERT_NE(GetModuleFileNameA(controls, path, MAX_PATH), 0u);
    CharLowerA(path);
    EXPECT_NE(StrStrA(path, "\\winsxs\\"), nullptr) << path;
    EXPECT_NE(StrStrA(path, "common-controls_6595b64144ccf1df_6."), nullptr) << path;
}

// The process is aware of each monitor's resolution, so the system does not stretch its
// windows into a blur.
TEST(ApplicationManifest, DeclaresPerMonitorDpiAwareness) {
    const DPI_AWARENESS_CONTEXT context = GetThreadDpiAwarenessContext();
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(context), DPI_AWARENESS_PER_MONITOR_AWARE);
}
