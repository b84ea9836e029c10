#include "system/ProgramNames_win.h"

#include "params/ProgramRule.h"
#include "params/Utf16_win.h"
#include "system/SystemOwners_win.h"

#include <tlhelp32.h>

#include <algorithm>

namespace {

// Long paths as the system may report them: up to 32767 characters.
constexpr DWORD kPathChars = 32768;
constexpr DWORD kShortPathChars = 520;

DWORD WindowProcess(HWND window) {
    DWORD process = 0;
    if (window)
        GetWindowThreadProcessId(window, &process);
    return process;
}

void AddOnce(std::vector<std::string>* names, const std::string& name) {
    if (!name.empty() &&
        std::none_of(names->begin(), names->end(),
                     [&name](const std::string& each) { return SameName(each, name); }))
        names->push_back(name);
}

BOOL CALLBACK AddWindowProgram(HWND window, LPARAM data) noexcept {
    if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && !IsOwnOrShellWindow(window))
        AddOnce(reinterpret_cast<std::vector<std::string>*>(data), WindowProgram(window));
    return TRUE;
}

} // namespace

std::string ProcessProgram(DWORD process) {
    if (process == 0)
        return "";
    const CKernelHandle opened(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!opened)
        return "";
    // Most paths fit the first buffer; a longer one is read again into the largest.
    for (const DWORD chars : {kShortPathChars, kPathChars}) {
        std::wstring path(chars, L'\0');
        DWORD length = chars;
        if (QueryFullProcessImageNameW(opened.Get(), 0, path.data(), &length))
            return ProgramFileName(Utf8(std::wstring(path.c_str(), length)).str());
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    return "";
}

std::string WindowProgram(HWND window) {
    return ProcessProgram(WindowProcess(window));
}

std::vector<std::string> RunningPrograms() {
    std::vector<std::string> names;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return names;
    const CKernelHandle owner(snapshot);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        AddOnce(&names, ProgramFileName(Utf8(entry.szExeFile).str()));
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

bool IsOwnOrShellWindow(HWND window) {
    const DWORD process = WindowProcess(window);
    return process == GetCurrentProcessId() || process == WindowProcess(GetShellWindow()) ||
           window == GetDesktopWindow();
}

std::vector<std::string> ProgramsWithWindows() {
    std::vector<std::string> names;
    EnumWindows(AddWindowProgram, reinterpret_cast<LPARAM>(&names));
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}
