#include "tools/measure/EmbraCopy.h"

#include "app/RemoteMessages.h"
#include "resources/resource.h"
#include "tools/measure/ProcessFigures.h"

namespace {

constexpr DWORD kCommandWaitMs = 30000;
constexpr UINT kAnswerWaitMs = 2000;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// The top-level window of the process that holds the settings button.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !GetDlgItem(window, IDC_SETTINGS))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

bool CEmbraCopy::Find() {
    const DWORD id = FindProcess(L"embra.exe");
    if (!id)
        return false;
    process.Reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process.Get())
        process.Reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    WindowSearch search{id, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    window = search.found;
    wchar_t path[MAX_PATH * 4] = {};
    DWORD length = sizeof(path) / sizeof(path[0]);
    if (process.Get() && QueryFullProcessImageNameW(process.Get(), 0, path, &length))
        program.assign(path, length);
    return process.Get() && window && !program.empty();
}

bool CEmbraCopy::Running() const {
    return GetDlgItem(window, IDC_STOP) != nullptr;
}

long CEmbraCopy::Command(const std::wstring& arguments) const {
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return -1;
    const CKernelHandle thread(started.hThread);
    const CKernelHandle child(started.hProcess);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(child.Get(), kCommandWaitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(child.Get(), &code);
    return static_cast<long>(code);
}

std::optional<int64_t> CEmbraCopy::Frames() const {
    static const UINT asked = RegisterWindowMessageW(kFramesMessageName);
    DWORD_PTR frames = 0;
    if (!asked ||
        !SendMessageTimeoutW(window, asked, 0, 0, SMTO_ABORTIFHUNG, kAnswerWaitMs, &frames))
        return std::nullopt;
    return static_cast<int64_t>(frames);
}

std::wstring CurrentEffect() {
    wchar_t text[64] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Lumavist\\Embra\\Sets", L"current",
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS ||
        text[0] == L'\0')
        return L"Embra";
    return text;
}
