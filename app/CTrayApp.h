#pragma once

#include "app/TrayIcon.h"
#include "params/CParam.h"
#include "params/tstr.h"
#include "ui/UserOwners.h"

#include <windows.h>

// The layer with the notification-area icon: the main window minimises into it and comes
// back from it; "EscMin" turns a close request into minimising.
template <class TBase> class CTrayApp : public TBase {
public:
    CTrayApp() : minimizeToTray(1), hideInTray(0), keepInTray(1), escMin(0) {}
    ~CTrayApp() override = default;

    // Registers the tray options, then the layer below; adds the icon when "KeepInTray"
    // is set and the main dialog exists already.
    bool Init() override {
        this->rootSet.Add(&minimizeToTray, "MinimizeToTray");
        this->rootSet.Add(&hideInTray, "HideInTray");
        this->rootSet.Add(&keepInTray, "KeepInTray");
        this->rootSet.Add(&escMin, "EscMin");
        const bool result = TBase::Init();
        HWND dialog = MainDialogHandle();
        if (*keepInTray.Get() != 0 && dialog)
            AddIcon(dialog, TrayCallbackMessage(), TrayIconId(), DefaultTip());
        return result;
    }
    // Deletes the icon, then the layer below.
    bool Exit() override {
        DeleteIcon(this->MainWindowHandle());
        return TBase::Exit();
    }
    void Reset(bool deleteSettings) override {
        DeleteIcon(this->MainWindowHandle());
        TBase::Reset(deleteSettings);
    }
    // With "EscMin" set the main window minimises instead: 0.
    int OnCloseRequest() override {
        if (*escMin.Get() == 0)
            return this->RequestExit();
        SendMessageA(this->MainWindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0xFFFF0000);
        return 0;
    }

    virtual HWND MainDialogHandle() = 0;
    virtual UINT TrayCallbackMessage() = 0;
    virtual int TrayIconId() = 0;
    // The main window moved or changed its state: minimised with "MinimizeToTray" set it
    // goes into the tray; shown normally with "KeepInTray" 0 the icon goes.
    virtual void OnMainWindowPosChanged(UINT message, int iconId, const tstr& tip) {
        HWND window = MainOrDialogHandle();
        if (!window)
            return;
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        if (placement.showCmd == SW_SHOWMINIMIZED && *minimizeToTray.Get() != 0) {
            // Without an icon (no notification area yet) the window stays minimised on the
            // taskbar, the only way back to it; it goes into the tray when the icon comes.
            if (HasTrayIcon() || AddIcon(window, message, iconId, tip))
                ShowWindow(window, SW_HIDE);
            else
                wantsTray = true;
        } else if (placement.showCmd == SW_SHOWNORMAL && *keepInTray.Get() == 0) {
            DeleteIcon(window);
        }
    }
    // A mouse message over the icon: iconId is the icon's identifier, mouseMessage the
    // WM_ message. The keyboard's context-menu key on the icon comes as a right click (or as
    // WM_CONTEXTMENU from a shell that speaks a newer version).
    virtual void OnTrayNotify(UINT iconId, UINT mouseMessage) {
        HWND window = MainOrDialogHandle();
        if (iconId != 0 || !window)
            return;
        if (mouseMessage == WM_MOUSEMOVE)
            lastForeground = GetForegroundWindow();
        else if (mouseMessage == WM_LBUTTONUP)
            ToggleMainWindow(window);
        else if (mouseMessage == WM_RBUTTONUP || mouseMessage == WM_CONTEXTMENU)
            RunTrayMenu(window);
    }
    // The popup menu of a right click, owned by the caller; none here.
    virtual HMENU TrayMenu() { return nullptr; }
    virtual void OnTrayMenuClosed() {}

    // "<title>\n<version> ver." of the running program, in the language of the texts.
    tstr DefaultTip() const {
        return FormatTrayTip(this->title, TipVersionLine(this->instance, ProgramVersion()));
    }
    // Adds the icon and remembers it for a new taskbar; whether it was added. The first
    // run's balloon shows once, with the first icon that exists.
    bool AddIcon(HWND window, UINT message, int iconId, const tstr& tip) {
        iconMessage = message;
        iconResource = iconId;
        iconTip = tip;
        if (!AddTrayIcon(window, message, this->instance, iconId, tip))
            return false;
        iconWindow = window;
        if (this->firstRun && !balloonShown)
            balloonShown = ShowTrayBalloon(window, tip);
        return true;
    }
    void DeleteIcon(HWND window) {
        DeleteTrayIcon(window);
        if (window == iconWindow)
            iconWindow = nullptr;
        wantsTray = false;
    }
    // The taskbar was created anew (the shell started or restarted): the icon shown
    // before comes back, and a window that waited minimised for the notification area
    // goes into it now.
    void OnTaskbarCreated() {
        HWND window = MainOrDialogHandle();
        if (!window || !IsWindow(window) || !(iconWindow || wantsTray))
            return;
        iconWindow = nullptr;
        if (AddIcon(window, iconMessage, iconResource, iconTip)) {
            if (wantsTray && IsIconic(window))
                ShowWindow(window, SW_HIDE);
            wantsTray = false;
        } else if (!IsWindowVisible(window)) {
            // The icon went with the old taskbar: the window waits on the taskbar.
            wantsTray = true;
            ShowWindow(window, SW_SHOWMINNOACTIVE);
        }
    }
    // Whether the icon is shown.
    bool HasTrayIcon() const { return iconWindow != nullptr; }
    // The icon's tip from now on, also for an icon added again later.
    void ChangeTrayTip(const tstr& tip) {
        if (tip == iconTip)
            return;
        iconTip = tip;
        if (iconWindow)
            SetTrayTip(iconWindow, tip);
    }

    CParam<int> minimizeToTray;
    CParam<int> hideInTray; // stored and restored only
    CParam<int> keepInTray;
    CParam<int> escMin;
    HWND lastForeground = nullptr; // the foreground window when the mouse came over the icon

private:
    HWND MainOrDialogHandle() {
        HWND window = this->MainWindowHandle();
        return window ? window : MainDialogHandle();
    }
    void ToggleMainWindow(HWND window) {
        if (!IsWindowVisible(window)) {
            Restore(window);
            SetForegroundWindow(window);
        } else if (window == lastForeground) {
            ShowWindow(window, SW_HIDE);
        } else {
            Restore(window);
            SetForegroundWindow(window);
            lastForeground = window;
        }
    }
    static void Restore(HWND window) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        ShowWindow(window, placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : SW_RESTORE);
    }
    void RunTrayMenu(HWND window) {
        const CMenuOwner menu(TrayMenu());
        if (!menu.Get())
            return;
        SetForegroundWindow(window);
        POINT cursor{};
        GetCursorPos(&cursor);
        const int command =
            TrackPopupMenu(menu.Get(), TPM_RETURNCMD, cursor.x, cursor.y, 0, window, nullptr);
        // Without it the menu may not close when the user clicks elsewhere the next time.
        PostMessageA(window, WM_NULL, 0, 0);
        if (command > 0)
            SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
        OnTrayMenuClosed();
    }

    HWND iconWindow = nullptr; // the window whose icon is shown, null when none
    bool wantsTray = false;    // minimised into a tray that was missing
    bool balloonShown = false; // the first run's balloon
    UINT iconMessage = 0;
    int iconResource = 0;
    tstr iconTip{""};
};
