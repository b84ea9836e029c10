#include "app/CCrashReporter.h"

#include "app/CrashFolder.h"
#include "system/SystemLibrary_win.h"

#include <dbghelp.h>

#include <csignal>
#include <cwchar>

namespace {

// What the dump holds besides the threads' stacks and the modules: the memory the stacks
// point at, the threads' times and the modules unloaded already.
constexpr MINIDUMP_TYPE kDumpType = static_cast<MINIDUMP_TYPE>(
    MiniDumpWithIndirectlyReferencedMemory | MiniDumpWithThreadInfo | MiniDumpWithUnloadedModules);
// GetProcessUserModeExceptionPolicy's flag under which 64-bit Windows swallows an exception
// that leaves a window procedure called back from the kernel.
constexpr DWORD kCallbackFilterEnabled = 0x1;

// The exceptions that are a fault of the code that raised them.
constexpr DWORD kFaults[] = {
    EXCEPTION_ACCESS_VIOLATION,   EXCEPTION_ILLEGAL_INSTRUCTION,   EXCEPTION_PRIV_INSTRUCTION,
    EXCEPTION_INT_DIVIDE_BY_ZERO, EXCEPTION_INT_OVERFLOW,          EXCEPTION_STACK_OVERFLOW,
    EXCEPTION_IN_PAGE_ERROR,      EXCEPTION_ARRAY_BOUNDS_EXCEEDED, EXCEPTION_DATATYPE_MISALIGNMENT};

std::atomic<CCrashReporter*> active{nullptr};
std::atomic<bool> reporting{false};

using WriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                        PMINIDUMP_EXCEPTION_INFORMATION,
                                        PMINIDUMP_USER_STREAM_INFORMATION,
                                        PMINIDUMP_CALLBACK_INFORMATION);

// Windows lets some failures pass silently by default: those in a timer's callback and, on
// 64-bit Windows, those in a window procedure that the kernel called. They are to crash
// and be reported like any other. Systems without these settings refuse them.
void StopSwallowingFailures() {
    BOOL suppress = FALSE;
    SetUserObjectInformationW(GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppress,
                              sizeof(suppress));
    using GetPolicy = BOOL(WINAPI*)(LPDWORD);
    using SetPolicy = BOOL(WINAPI*)(DWORD);
    const auto getPolicy =
        SystemFunction<GetPolicy>("kernel32.dll", "GetProcessUserModeExceptionPolicy");
    const auto setPolicy =
        SystemFunction<SetPolicy>("kernel32.dll", "SetProcessUserModeExceptionPolicy");
    DWORD flags = 0;
    if (getPolicy && setPolicy && getPolicy(&flags))
        setPolicy(flags & ~kCallbackFilterEnabled);
}

bool IsFault(DWORD code) {
    for (DWORD fault : kFaults)
        if (code == fault)
            return true;
    return false;
}

// The size of the module's image in memory, from its headers.
std::size_t ImageSize(HMODULE module) {
    const auto* base = reinterpret_cast<const char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->OptionalHeader.SizeOfImage;
}

} // namespace

CCrashReporter::~CCrashReporter() {
    CCrashReporter* self = this;
    if (active.compare_exchange_strong(self, nullptr)) {
        SetUnhandledExceptionFilter(previousFilter);
        RemoveVectoredExceptionHandler(firstChance);
        std::set_terminate(previousTerminate);
        std::signal(SIGABRT, SIG_DFL);
    }
    if (thread.Get()) {
        SetEvent(stop.Get());
        WaitForSingleObject(thread.Get(), INFINITE);
    }
}

bool CCrashReporter::Install(const std::wstring& reportFolder, const std::wstring& programVersion) {
    HMODULE dbghelp = LoadSystemLibrary("dbghelp.dll");
    writeDump = dbghelp ? GetProcAddress(dbghelp, "MiniDumpWriteDump") : nullptr;
    if (active.load() || !writeDump || reportFolder.empty() || !MakeCrashReportFolder(reportFolder))
        return false;
    folder = reportFolder;
    version = programVersion;
    failed.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    written.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    stop.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!failed.Get() || !written.Get() || !stop.Get())
        return false;
    thread.Reset(CreateThread(nullptr, 0, &ReportingThread, this, 0, &reportingThreadId));
    if (!thread.Get())
        return false;
    TrimCrashReports(folder);
    active = this;
    const HMODULE program = GetModuleHandleW(nullptr);
    imageStart = reinterpret_cast<const char*>(program);
    imageEnd = imageStart + ImageSize(program);
    previousFilter = SetUnhandledExceptionFilter(&OnUnhandled);
    firstChance = AddVectoredExceptionHandler(1, &OnFirstChance);
    previousTerminate = std::set_terminate(&OnTerminate);
    std::signal(SIGABRT, &OnAbort);
    StopSwallowingFailures();
    return true;
}

void CCrashReporter::SaveThrough(HWND window, UINT message, DWORD thread) {
    saveMessage = message;
    mainThread = thread;
    saveWindow = window;
}

LONG WINAPI CCrashReporter::OnUnhandled(EXCEPTION_POINTERS* pointers) noexcept {
    CCrashReporter* self = active.load();
    if (!self)
        return EXCEPTION_CONTINUE_SEARCH;
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (reporting.exchange(true)) {
        // A second failure while the first is reported: the first report ends the process,
        // unless the reporting thread itself failed.
        if (GetCurrentThreadId() == self->reportingThreadId)
            TerminateProcess(GetCurrentProcess(), code);
        for (;;)
            Sleep(INFINITE);
    }
    self->failure = pointers;
    self->failingThread = GetCurrentThreadId();
    SetEvent(self->failed.Get());
    WaitForSingleObject(self->written.Get(), kReportWaitMs);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

LONG WINAPI CCrashReporter::OnFirstChance(EXCEPTION_POINTERS* pointers) noexcept {
    CCrashReporter* self = active.load();
    const auto* where = static_cast<const char*>(pointers->ExceptionRecord->ExceptionAddress);
    if (!self || !IsFault(pointers->ExceptionRecord->ExceptionCode) || where < self->imageStart ||
        where >= self->imageEnd)
        return EXCEPTION_CONTINUE_SEARCH;
    return OnUnhandled(pointers);
}

void CCrashReporter::OnTerminate() noexcept {
    ReportHere();
}

void CCrashReporter::OnAbort(int) noexcept {
    ReportHere();
}

void CCrashReporter::ReportHere() noexcept {
    CONTEXT context{};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = kTerminateCode;
    record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};
    OnUnhandled(&pointers);
    TerminateProcess(GetCurrentProcess(), kTerminateCode);
    for (;;)
        Sleep(INFINITE);
}

DWORD WINAPI CCrashReporter::ReportingThread(void* reporter) noexcept {
    auto* self = static_cast<CCrashReporter*>(reporter);
    const HANDLE events[] = {self->failed.Get(), self->stop.Get()};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0)
        self->Report();
    return 0;
}

void CCrashReporter::Report() {
    SaveSettings();
    WriteDump();
    TrimCrashReports(folder);
    SetEvent(written.Get());
}

void CCrashReporter::SaveSettings() {
    const HWND window = saveWindow;
    if (!window || failingThread == mainThread)
        return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, saveMessage, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, kSaveWaitMs,
                        &ignored);
}

void CCrashReporter::WriteDump() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t name[96];
    std::swprintf(name, sizeof(name) / sizeof(name[0]),
                  L"\\Embra-%ls-%04u%02u%02u-%02u%02u%02u-%lu.dmp", version.c_str(), now.wYear,
                  now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, GetCurrentProcessId());
    const std::wstring path = folder + name;
    const std::wstring partial = path + L".tmp";
    HANDLE opened = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return;
    CKernelHandle file(opened);
    MINIDUMP_EXCEPTION_INFORMATION exception{failingThread, failure, FALSE};
    const auto write = reinterpret_cast<WriteDumpFunction>(reinterpret_cast<void (*)()>(writeDump));
    const bool whole = write(GetCurrentProcess(), GetCurrentProcessId(), file.Get(), kDumpType,
                             &exception, nullptr, nullptr) != FALSE;
    file.Reset();
    if (!whole || !MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        DeleteFileW(partial.c_str());
}
