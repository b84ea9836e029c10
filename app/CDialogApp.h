#pragma once

#include "params/CParam.h"
#include "params/StorePaths.h"
#include "params/tstr.h"
#include "system/SystemOwners_win.h"
#include "ui/CDialog.h"
#include "ui/WindowHelpers.h"

#include <windows.h>

#include <cstdint>

// The layer whose main window is a modeless dialog: how it shows at start
// ("StartMinimize"), and one running instance, found through the dialog handle stored as
// "Handle" under "Options\Windows\Main" and the window text equal to the title.
template <class TBase> class CDialogApp : public TBase {
public:
    CDialogApp() : startMinimize(2), closeMinimize(false) {}
    ~CDialogApp() override = default;

    // Registers "StartMinimize" and "CloseMinimize", then the layer below; false when
    // that fails or another instance was found and brought to the front.
    bool Init() override {
        this->rootSet.Add(&startMinimize, "StartMinimize");
        this->rootSet.Add(&closeMinimize, "CloseMinimize");
        const bool result = TBase::Init();
        if (singleInstance && BringRunningInstanceForward())
            return false;
        return result;
    }
    // Ends the main dialog with code 2, then the layer below.
    bool Exit() override {
        HWND dialog = MainWindowHandle();
        if (IsWindow(dialog))
            EndDialog(dialog, 2);
        return TBase::Exit();
    }
    // Clears "Handle", then the layer below.
    bool Save() override {
        if (singleInstance)
            this->store.WriteString(kMainWindowPath, "Handle", "");
        return TBase::Save();
    }
    HWND MainWindowHandle() override {
        CDialog* dialog = MainDialog();
        return dialog ? dialog->Handle() : nullptr;
    }

    // Creates the main dialog, hidden; its handle, null on failure.
    virtual HWND CreateMainDialog(HWND parent) = 0;
    // Creates the main dialog and shows it as the first run and "StartMinimize" say;
    // records its handle for the single-instance check at once, on the first run too, so
    // that a second start finds it and a run ended by force is not taken for a first run
    // again. Whether the dialog exists.
    virtual bool ShowMainWindow() {
        CreateMainDialog(nullptr);
        HWND dialog = MainWindowHandle();
        if (this->firstRun)
            ShowFirstRun(dialog);
        const int mode = *startMinimize.Get();
        if (mode == 1)
            StartMinimized(dialog);
        else if (mode == 0) {
            ShowWindow(dialog, SW_SHOWNORMAL);
            SetForegroundWindow(dialog);
        }
        RecordRunningInstance();
        return dialog != nullptr;
    }
    // Writes the main dialog's handle as "Handle" for the single-instance check.
    void RecordRunningInstance() {
        HWND dialog = MainWindowHandle();
        if (singleInstance && dialog)
            this->store.WriteInt(kMainWindowPath, "Handle",
                                 static_cast<int>(reinterpret_cast<intptr_t>(dialog)));
    }
    virtual CDialog* MainDialog() = 0;
    // The main window of the instance that runs already: the stored "Handle" when it names
    // a window whose text is the title; null when there is none. Usable before Init.
    HWND RunningInstance() {
        tstr stored;
        if (!this->store.ReadString(kMainWindowPath, "Handle", stored))
            return nullptr;
        HWND other = reinterpret_cast<HWND>(static_cast<intptr_t>(stored.ToInt()));
        if (!other || !IsWindow(other))
            return nullptr;
        char text[256] = {};
        if (GetWindowTextA(other, text, sizeof(text)) == 0 || !(tstr(text) == this->title))
            return nullptr;
        return other;
    }

    bool singleInstance = true;
    CParam<int> startMinimize;  // 0 shown, 1 minimised, anything else hidden at start
    CParam<bool> closeMinimize; // stored and restored only

private:
    void ShowFirstRun(HWND dialog) {
        if (this->centerOnFirstRun)
            CenterWindow(dialog, nullptr);
        if (this->showOnFirstRun)
            ShowWindow(dialog, SW_SHOWNORMAL);
    }
    // Gives the memory of the start back, then minimises the dialog.
    static void StartMinimized(HWND dialog) {
        // The start-up opens its own process with this access (0x000F0000).
        static_assert(STANDARD_RIGHTS_REQUIRED == 0x000F0000, "the start-up's access");
        const CKernelHandle process(
            OpenProcess(STANDARD_RIGHTS_REQUIRED, FALSE, GetCurrentProcessId()));
        if (process)
            SetProcessWorkingSetSize(process.Get(), static_cast<SIZE_T>(-1),
                                     static_cast<SIZE_T>(-1));
        if (SendMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0) != 0)
            ShowWindow(dialog, SW_MINIMIZE);
        SendMessageA(dialog, WM_ACTIVATEAPP, 0, 0);
    }
    // The running instance's window is shown and brought to the front; false when none runs.
    bool BringRunningInstanceForward() {
        HWND other = RunningInstance();
        if (!other)
            return false;
        ShowWindow(other, SW_SHOWNORMAL);
        SetForegroundWindow(other);
        return true;
    }
};
