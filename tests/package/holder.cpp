// Test helper: holds a file open as another program may (to read it, letting no one else
// write it), so that the setup program finds it in use although no Embra runs from it.
// Usage: embra_package_holder.exe <file> <release file>
// Writes "<release file>.held" once it holds the file, then lets the file go when the
// release file appears (or after ten minutes). Exit code 0, 1 when the file cannot be
// opened, 2 on bad arguments.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr int kPolls = 6000; // of 100 ms each
constexpr DWORD kPollMs = 100;

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3)
        return 2;
    const std::wstring file = arguments[1], release = arguments[2];
    LocalFree(arguments);
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE marker = CreateFileW((release + L".held").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    for (int poll = 0; poll < kPolls && !Exists(release); ++poll)
        Sleep(kPollMs);
    CloseHandle(held);
    return 0;
}
