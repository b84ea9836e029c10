// Brings up the test prefix's Wine services and desktop process, started once with its
// output closed, and keeps them up: a suite that started them itself would wait for them
// to end, as they hold its output. Makes <ready file> once they are up; ends at the
// prefix's shutdown or after an hour. Usage: embra_prefix_keeper.exe <ready file>
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
