#pragma once

#include "system/SystemOwners_win.h"
#include "windows/DialogDriver.h"

#include <windows.h>

// Wine's notepad.exe for the length of a test: a window of another program.
class CStartedNotepad {
public:
    CStartedNotepad() {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        wchar_t command[] = L"notepad.exe";
        if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &started))
            return;
        process.Reset(started.hProcess);
        thread.Reset(started.hThread);
        PumpUntil([this] { return (window = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 10);
    }
    ~CStartedNotepad() {
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 10000);
    }
    CStartedNotepad(const CStartedNotepad&) = delete;
    CStartedNotepad& operator=(const CStartedNotepad&) = delete;

    // Its main window; null when it did not start.
    HWND Window() const { return window; }

private:
    CKernelHandle process;
    CKernelHandle thread;
    HWND window = nullptr;
};
