// Keeps the test run's Wine prefix up while its Win32 suites start and end one after
// another. Started once with its output closed, it starts Wine's services and desktop
// process, which would otherwise start again for each suite (a second or more each) and
// hold that suite's output open, and so keep CTest waiting on it, until they end. Once they
// are up it makes the file named by its argument. The prefix's shutdown ends it; it ends by
// itself after an hour in case no shutdown comes.
// Usage: embra_prefix_keeper.exe <ready file>
#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    constexpr DWORD kHourMs = 60 * 60 * 1000;
    GetDesktopWindow();
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments && count == 2) {
        HANDLE ready = CreateFileW(arguments[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (ready != INVALID_HANDLE_VALUE)
            CloseHandle(ready);
    }
    LocalFree(arguments);
    Sleep(kHourMs);
    return 0;
}
