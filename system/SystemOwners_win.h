#pragma once

#include "params/CHandleOwner.h"
#include "system/SystemLibrary_win.h"

#include <windows.h>

// Owners of what the program registers with the system to hear of its changes, so that no
// path leaves a hook, a notification or a window behind.

// Removes a window-event hook (SetWinEventHook).
struct CUnhookWinEvent {
    void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};
using CWinEventHook = CHandleOwner<HWINEVENTHOOK, CUnhookWinEvent>;

// Ends a power setting's notifications (RegisterPowerSettingNotification).
struct CUnregisterPowerSetting {
    void operator()(HPOWERNOTIFY notification) const {
        UnregisterPowerSettingNotification(notification);
    }
};
using CPowerSettingNotification = CHandleOwner<HPOWERNOTIFY, CUnregisterPowerSetting>;

// Ends the session notifications of a window (WTSRegisterSessionNotification, looked up in
// the system folder's "wtsapi32.dll").
struct CUnregisterSession {
    void operator()(HWND window) const {
        using Unregister = BOOL(WINAPI*)(HWND);
        static const auto unregister =
            SystemFunction<Unregister>("wtsapi32.dll", "WTSUnRegisterSessionNotification");
        if (unregister)
            unregister(window);
    }
};
// Held by the window registered: null when the registration failed or is missing.
class CSessionNotification : public CHandleOwner<HWND, CUnregisterSession> {
public:
    // Registers `window` for this session's notifications; false where the system refuses.
    bool Register(HWND window, DWORD flags) {
        using RegisterFunction = BOOL(WINAPI*)(HWND, DWORD);
        static const auto registerSession =
            SystemFunction<RegisterFunction>("wtsapi32.dll", "WTSRegisterSessionNotification");
        Reset(registerSession && registerSession(window, flags) ? window : nullptr);
        return Get() != nullptr;
    }
};

// Destroys a window the program created without a window class object of its own.
struct CDestroyWindow {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using CWindowOwner = CHandleOwner<HWND, CDestroyWindow>;

// Closes a kernel object's handle (a process, a thread, an event, a file).
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

// Ends a wait of the thread pool (RegisterWaitForSingleObject) and waits for a callback of
// it that runs, so that none runs after the owner let go.
struct CUnregisterWait {
    void operator()(HANDLE wait) const { UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); }
};
using CThreadPoolWait = CHandleOwner<HANDLE, CUnregisterWait>;
