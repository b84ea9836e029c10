#include "system/SystemLibrary_win.h"

bool SystemLibraryPath(const char* name, std::string* path) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    std::string joined(folder, length);
    if (joined.back() != '\\')
        joined += '\\';
    joined += name;
    if (joined.size() + 1 > MAX_PATH)
        return false;
    *path = joined;
    return true;
}

HMODULE LoadFromSystemFolder(const char* name) {
    std::string path;
    if (!SystemLibraryPath(name, &path))
        return nullptr;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadSystemLibrary(const char* name) {
    HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems without the search flags refuse it as an invalid parameter.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
        module = LoadFromSystemFolder(name);
    return module;
}
