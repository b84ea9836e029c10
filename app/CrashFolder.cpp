#include "app/CrashFolder.h"

#include "app/ComOwners.h"
#include "params/Utf16_win.h"
#include "system/SystemOwners_win.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace {

// The files of `folder` that match `pattern`, with their last write times.
std::vector<CrashReport> FilesMatching(const std::wstring& folder, const wchar_t* pattern) {
    std::vector<CrashReport> files;
    WIN32_FIND_DATAW found{};
    HANDLE first = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (first == INVALID_HANDLE_VALUE)
        return files;
    const CFindHandle search(first);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const uint64_t written = (uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) |
                                 found.ftLastWriteTime.dwLowDateTime;
        files.push_back(CrashReport{Utf8(found.cFileName).str(), written});
    } while (FindNextFileW(search.Get(), &found));
    return files;
}

} // namespace

std::wstring CrashReportFolder() {
    CCoTaskMem<wchar_t> local;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr,
                                    local.Receive())) ||
        !local.Get())
        return std::wstring();
    return std::wstring(local.Get()) + L"\\Embra\\CrashDumps";
}

bool MakeCrashReportFolder(const std::wstring& folder) {
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

std::vector<CrashReport> ListCrashReports(const std::wstring& folder) {
    return FilesMatching(folder, L"*.dmp");
}

void TrimCrashReports(const std::wstring& folder) {
    std::vector<std::string> doomed = ReportsToDelete(ListCrashReports(folder));
    for (const CrashReport& leftover : FilesMatching(folder, L"*.tmp"))
        doomed.push_back(leftover.name);
    for (const std::string& name : doomed)
        DeleteFileW((folder + L"\\" + Utf16(name.c_str())).c_str());
}
