#pragma once

#include "params/CParam.h"

#include <windows.h>

// The global hotkey that starts and stops the effect: "HotKey" under "Options\Common",
// registered for the main window, which receives WM_HOTKEY with kId. A combination that
// another program holds stays stored but inactive.
class CStartStopHotKey {
public:
    static constexpr int kId = 1;

    // `value`: the "HotKey" option, the combination to register.
    explicit CStartStopHotKey(const CParam<int>& value) : value(value) {}
    CStartStopHotKey(const CStartStopHotKey&) = delete;
    CStartStopHotKey& operator=(const CStartStopHotKey&) = delete;
    ~CStartStopHotKey() { Deactivate(); }

    // Registers the stored combination for the window; false when one is stored and
    // another program holds it.
    bool Activate(HWND window);
    // The value in place of the registered combination: true when it is registered or
    // none; false when another program holds it, and the one registered before stays.
    bool Apply();
    // Lets the combination go.
    void Deactivate();
    // A combination is stored that is not registered: another program holds it.
    bool Taken() const { return *value.Get() != 0 && *value.Get() != registered; }

private:
    bool Register(int word);

    const CParam<int>& value;
    HWND window = nullptr;
    int registered = 0; // the combination registered for the window, 0 none
};
