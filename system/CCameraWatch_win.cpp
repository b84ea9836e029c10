#include "system/CCameraWatch_win.h"

namespace {

// Subkey names the enumeration returns: up to 255 characters and the terminator.
constexpr DWORD kSubkeyChars = 256;

// Whether a subkey of `parent` records a use of the camera that has not stopped.
bool AnyInUse(HKEY parent) {
    wchar_t name[kSubkeyChars];
    for (DWORD index = 0;; ++index) {
        DWORD length = kSubkeyChars;
        if (RegEnumKeyExW(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return false;
        ULONGLONG stop = 1;
        DWORD size = sizeof(stop);
        if (RegGetValueW(parent, name, L"LastUsedTimeStop", RRF_RT_REG_QWORD, nullptr, &stop,
                         &size) == ERROR_SUCCESS &&
            stop == 0)
            return true;
    }
}

bool ReadInUse(HKEY webcam) {
    if (AnyInUse(webcam))
        return true;
    CRegistryKey desktopPrograms;
    return RegOpenKeyExW(webcam, L"NonPackaged", 0, KEY_READ, desktopPrograms.Receive()) ==
               ERROR_SUCCESS &&
           AnyInUse(desktopPrograms.Get());
}

} // namespace

bool CCameraWatch::Start(HWND target, UINT notice) {
    Stop();
    window = target;
    message = notice;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return false;
    // Auto-reset: each signal wakes the wait once.
    changed.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    HANDLE registered = nullptr;
    if (!changed || !Arm() ||
        !RegisterWaitForSingleObject(&registered, changed.Get(), OnSignalled, this, INFINITE,
                                     WT_EXECUTEDEFAULT)) {
        Stop();
        return false;
    }
    wait.Reset(registered);
    inUse = ReadInUse(key.Get());
    return true;
}

void CCameraWatch::Stop() {
    wait.Reset();
    changed.Reset();
    key.Reset();
    inUse = false;
}

bool CCameraWatch::OnChanged() {
    if (!key)
        return false;
    // Armed before the read, so that no change after it goes unnoticed.
    Arm();
    const bool now = ReadInUse(key.Get());
    const bool differs = now != inUse;
    inUse = now;
    return differs;
}

void CALLBACK CCameraWatch::OnSignalled(void* self, BOOLEAN) noexcept {
    const auto* watch = static_cast<const CCameraWatch*>(self);
    PostMessageW(watch->window, watch->message, 0, 0);
}

bool CCameraWatch::Arm() {
    return RegNotifyChangeKeyValue(key.Get(), TRUE,
                                   REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                   changed.Get(), TRUE) == ERROR_SUCCESS;
}
