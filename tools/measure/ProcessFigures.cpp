#include "tools/measure/ProcessFigures.h"

#include <psapi.h>
#include <tlhelp32.h>

namespace {

uint64_t Join(const FILETIME& time) {
    return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// A count the system gives as 0 where it does not know it: a running program always has
// handles, GDI objects and private bytes.
template <class T> std::optional<T> Known(T value) {
    return value != 0 ? std::optional<T>(value) : std::nullopt;
}

} // namespace

std::string WineVersion() {
    using VersionFunction = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    FARPROC address = ntdll ? GetProcAddress(ntdll, "wine_get_version") : nullptr;
    return address ? reinterpret_cast<VersionFunction>(reinterpret_cast<void (*)()>(address))()
                   : std::string();
}

bool UnderWine() {
    return !WineVersion().empty();
}

DWORD FindProcess(const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
        DWORD itsSession = session;
        ProcessIdToSessionId(entry.th32ProcessID, &itsSession);
        if (lstrcmpiW(entry.szExeFile, name) == 0 && itsSession == session)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

ProcessFigures ReadFigures(HANDLE process) {
    ProcessFigures figures;
    FILETIME created{}, ended{}, kernel{}, user{};
    if (!UnderWine() && GetProcessTimes(process, &created, &ended, &kernel, &user))
        figures.cpuTime = Join(kernel) + Join(user);
    ULONG64 cycles = 0;
    if (!UnderWine() && QueryProcessCycleTime(process, &cycles))
        figures.cycles = cycles;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory))) {
        figures.workingSet = Known<uint64_t>(memory.WorkingSetSize);
        figures.privateBytes = Known<uint64_t>(memory.PrivateUsage);
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles))
        figures.handles = Known<uint32_t>(handles);
    figures.gdiObjects = Known<uint32_t>(GetGuiResources(process, GR_GDIOBJECTS));
    return figures;
}
