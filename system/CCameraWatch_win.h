#pragma once

#include "params/RegistryKey_win.h"
#include "system/SystemOwners_win.h"

#include <windows.h>

// Whether some program uses the camera, as Windows' privacy settings record it: below
// HKCU\Software\Microsoft\Windows\CurrentVersion\CapabilityAccessManager\ConsentStore\webcam
// each program that used the camera has a subkey (a packaged app's directly, a desktop
// program's under "NonPackaged") whose "LastUsedTimeStop" is 0 while it uses it. Nothing is
// polled: RegNotifyChangeKeyValue signals an event on any change below the key, a wait of
// the thread pool posts `message` to `window` on it, and OnChanged, on the window's thread,
// reads the key again. Created, started, stopped and asked on that thread only.
class CCameraWatch {
public:
    static constexpr const wchar_t* kKeyPath =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\"
        L"webcam";

    CCameraWatch() = default;
    CCameraWatch(const CCameraWatch&) = delete;
    CCameraWatch& operator=(const CCameraWatch&) = delete;
    ~CCameraWatch() { Stop(); }

    // Opens the key, reads it and waits for its changes; false, and never in use, where the
    // key is missing or cannot be watched.
    bool Start(HWND window, UINT message);
    void Stop();
    // The key changed: waits for its next change, then reads it; whether the use changed.
    bool OnChanged();
    bool InUse() const { return inUse; }

private:
    static void CALLBACK OnSignalled(void* self, BOOLEAN timedOut) noexcept;
    // Asks for the next change's notification.
    bool Arm();

    CRegistryKey key;
    CKernelHandle changed; // signalled by the registry, reset by the wait
    CThreadPoolWait wait;
    HWND window = nullptr;
    UINT message = 0;
    bool inUse = false;
};
