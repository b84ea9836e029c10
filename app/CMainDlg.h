#pragma once

#include "graphics/ButtonFace.h"
#include "resources/resource.h"
#include "settings/CDialogParam.h"
#include "system/IAppStateListener.h"
#include "ui/UserOwners.h"

#include <windows.h>

class CWpp;

// The main window: a small modeless dialog (template 129) with the start/stop and the
// settings picture buttons, "About..." and "E&xit" in its system menu, and the tray
// icon's messages. A view of the application controller: it forwards the user's requests
// and the system's messages to it and redraws its start button and the tray tip when told
// that the state changed. The start button carries the stop command's id while the effect
// runs. Its text is the application title, which the single-instance check looks for.
// Other programs reach the running copy through it (app/RemoteMessages.h): the command
// line's commands and the frame count.
class CMainDlg : public CDialogParam, public IAppStateListener {
public:
    static constexpr UINT kToggle = 1;
    static constexpr UINT kClose = 2;
    static constexpr UINT kStop = IDC_STOP;
    static constexpr UINT kSettings = IDC_SETTINGS;
    static constexpr UINT kExit = IDM_EXIT;
    static constexpr UINT kQuit = IDM_QUIT;
    static constexpr UINT kStart = IDC_START;
    static constexpr UINT kAbout = IDM_ABOUT;
    static constexpr UINT kPauseHour = IDM_PAUSE_HOUR;
    static constexpr UINT kPauseInFront = IDM_PAUSE_IN_FRONT;
    // Sent by the crash reporter's thread after a failure on another thread: the settings
    // are saved on the main thread, the one that owns them.
    static constexpr UINT kSaveForCrash = WM_APP + 4;
    // The timer that minimises the window on the first run (its id and time are part of
    // the main window's fixed behaviour).
    static constexpr UINT_PTR kFirstRunTimer = 6;
    static constexpr UINT kFirstRunMs = 5000;

    explicit CMainDlg(CWpp* app) : app(app) {}

    // The main dialog's own messages, then the dialog base's dispatch.
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnSysCommand(UINT command, int x, int y) override;
    int OnInitDialog() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;

    // The button and the tray tip show the controller's state.
    void OnAppStateChanged() override;
    // The buttons' names and the system menu's items in the language of the texts now.
    void ShowTexts();

    // Keeps the window placement under "Options\Windows\Main".
    void SavePlacement();
    // On the first run the window minimises itself once, kFirstRunMs after the start.
    void StartFirstRunTimer();

private:
    // A message's answer to a program that sent it: a dialog procedure hands it over
    // through DWLP_MSGRESULT.
    INT_PTR Answer(LONG_PTR result);
    // The start button's id and face after whether the effect runs.
    void ShowEffectState();
    // Runs the settings window modally over the main dialog.
    void OnSettings();
    // Esc or the close box: the effect pauses while the application decides.
    int OnClose(UINT code, HWND control);
    void OnWindowPosChanged();
    void SetIcons();
    // The stored placement at the dialog's own size, without showing the window (the
    // start-up decides that); false when none is stored.
    bool RestorePlacement();
    void AppendSystemMenu();
    // Rebuilds the face of the button with control id `id` from scratch.
    void SetFace(int id, const ButtonFaceBitmaps& face);

    CWpp* const app;
    CIconOwner smallIcon, bigIcon; // the window's icons, destroyed with the dialog object
};
