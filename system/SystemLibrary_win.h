#pragma once

#include <windows.h>

#include <string>

// Optional libraries of the system (themes, desktop composition, layered windows) are
// loaded from the system folder only: a library of the same name in the program's folder
// or in the current folder is never picked up. A library loaded here stays loaded for the
// life of the process, so the addresses looked up in it stay valid.

// Loads `name` from the system folder: LoadLibraryExA with LOAD_LIBRARY_SEARCH_SYSTEM32,
// or, where that flag is unsupported, LoadFromSystemFolder. Null when it is not there.
HMODULE LoadSystemLibrary(const char* name);

// Loads `name` by its full path in the system folder (GetSystemDirectoryA), with the
// libraries it needs searched from that folder too. Null when it is not there.
HMODULE LoadFromSystemFolder(const char* name);

// The system folder, "\" and `name`; false when it does not fit in MAX_PATH characters
// with its terminator or the folder is unknown.
bool SystemLibraryPath(const char* name, std::string* path);

// The address of `function` in the system library `library`, as the function pointer
// type `Function`; null when either is missing.
template <class Function> Function SystemFunction(const char* library, const char* function) {
    HMODULE module = LoadSystemLibrary(library);
    FARPROC address = module ? GetProcAddress(module, function) : nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}
