#include <windows.h>

#include <gtest/gtest.h>

// Proves the suite runs inside Wine and not on the build host.
TEST(WineHost, RunsUnderWindowsApi) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_NE(GetModuleHandleA("kernel32.dll"), nullptr);
    EXPECT_NE(GetVersionExA(&info), 0);
}
