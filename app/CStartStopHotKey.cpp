#include "app/CStartStopHotKey.h"

#include "settings/HotKeyWord.h"

bool CStartStopHotKey::Activate(HWND target) {
    Deactivate();
    window = target;
    return Apply();
}

bool CStartStopHotKey::Apply() {
    const int wanted = *value.Get();
    if (wanted == registered)
        return true;
    const int before = registered;
    Deactivate();
    if (wanted == 0 || Register(wanted))
        return true;
    if (before != 0)
        Register(before);
    return false;
}

void CStartStopHotKey::Deactivate() {
    if (registered != 0)
        UnregisterHotKey(window, kId);
    registered = 0;
}

bool CStartStopHotKey::Register(int word) {
    if (!window || !RegisterHotKey(window, kId, HotKeyModifiers(word), HotKeyVirtualKey(word)))
        return false;
    registered = word;
    return true;
}
