#pragma once

#include "system/SystemOwners_win.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <string>

// Leaves a report when the program crashes: when an exception goes unhandled on any thread
// (the main thread, a render worker, a window procedure), a fault (an access violation, an
// illegal instruction, a division by zero, a stack overflow...) happens in the program's
// own code, or std::terminate or abort is called, a thread made at the start for the purpose (not
// the failing one, whose stack may be spent) has the main thread save the settings when another
// thread failed, writes a minidump of the process into the reports' folder through dbghelp's
// MiniDumpWriteDump, keeps the newest reports there and ends the process with the failure's code. A
// report is written under a temporary name and renamed once whole, so that a report is never half a
// file. A fault in the program's own code is taken when it happens, before any handler: the
// program handles no fault, and Windows and Wine let those in a window procedure called
// back from the system, or in a timer's callback, pass silently otherwise. One per process,
// from the start of the program to its end.
class CCrashReporter {
public:
    // How long the failing thread waits for its report before the process ends anyway.
    static constexpr DWORD kReportWaitMs = 60000;
    // How long the main thread is given to save the settings.
    static constexpr DWORD kSaveWaitMs = 5000;
    // The code a report made for std::terminate or abort carries.
    static constexpr DWORD kTerminateCode = 0xE0454D42;

    CCrashReporter() = default;
    CCrashReporter(const CCrashReporter&) = delete;
    CCrashReporter& operator=(const CCrashReporter&) = delete;
    // Hands the failures back to the system and ends the reporting thread.
    ~CCrashReporter();

    // Takes over the failures from now on, the report's names carrying `version`; the
    // folder is made where missing and trimmed to the newest reports. False, and nothing
    // taken over, when dbghelp, the folder or the thread cannot be had.
    bool Install(const std::wstring& folder, const std::wstring& version);
    // From now on a failure on a thread other than `mainThread` first sends `window` the
    // message `message`, whose handler saves the settings; a failure of the main thread
    // saves nothing, since what it was changing may be half changed.
    void SaveThrough(HWND window, UINT message, DWORD mainThread);

private:
    static LONG WINAPI OnUnhandled(EXCEPTION_POINTERS* failure) noexcept;
    static LONG WINAPI OnFirstChance(EXCEPTION_POINTERS* failure) noexcept;
    [[noreturn]] static void OnTerminate() noexcept;
    static void OnAbort(int signal) noexcept;
    // Reports a failure that raised no exception (std::terminate, abort) as one with
    // kTerminateCode at the caller's place.
    [[noreturn]] static void ReportHere() noexcept;
    static DWORD WINAPI ReportingThread(void* reporter) noexcept;
    // The reporting thread's work after a failure.
    void Report();
    void SaveSettings();
    void WriteDump();

    std::wstring folder;
    std::wstring version;
    FARPROC writeDump = nullptr; // MiniDumpWriteDump
    CKernelHandle failed;        // set by the failing thread
    CKernelHandle written;       // set by the reporting thread once the report is written
    CKernelHandle stop;          // set when the program ends without a failure
    CKernelHandle thread;
    DWORD reportingThreadId = 0;
    std::atomic<HWND> saveWindow{nullptr}; // set on the main thread, read by the reporting one
    std::atomic<UINT> saveMessage{0};
    std::atomic<DWORD> mainThread{0};
    EXCEPTION_POINTERS* failure = nullptr;
    DWORD failingThread = 0;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
    void* firstChance = nullptr;      // the vectored handler, removed with the reporter
    const char* imageStart = nullptr; // the program's image, whose faults are taken at once
    const char* imageEnd = nullptr;
    std::terminate_handler previousTerminate = nullptr;
};
