#pragma once

#include "params/CHandleOwner.h"

#include <windows.h>

// Owners of the kernel's objects the program opens: processes, threads, events, files, and
// the searches of a folder.

// Closes a kernel object's handle.
struct CCloseHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// Null when it holds nothing; a file that did not open (INVALID_HANDLE_VALUE) is stored as
// null by the callers.
using CKernelHandle = CHandleOwner<HANDLE, CCloseHandle>;

// Ends a search of a folder (FindFirstFileW).
struct CFindClose {
    void operator()(HANDLE search) const { FindClose(search); }
};
using CFindHandle = CHandleOwner<HANDLE, CFindClose>;
