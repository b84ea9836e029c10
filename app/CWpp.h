#pragma once

#include "app/CApp.h"
#include "app/CAppPlatform.h"
#include "app/CMainDlg.h"
#include "app/CStartStopHotKey.h"
#include "effects/engine/CEffectHost.h"
#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "resources/resource.h"
#include "system/CAppController.h"
#include "system/CEfficiencyMode_win.h"
#include "system/COptions.h"
#include "system/CWin32Clock_win.h"
#include "system/CWin32SystemState_win.h"
#include "system/CommandLine.h"
#include "ui/CWin32Desktop.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CWppSettingsLink;

// The program's application object, one per process in static storage, and the place
// where the program is put together: on top of the layers below it builds the desktop the
// effects decorate, the effect sets with the render state, the options, the system's
// state, the application controller that decides, and the main dialog that shows it, and
// wires them. The members are declared so that each outlives what uses it: the desktop
// outlives the render state that presents through it, and the host stops the workers
// before any set goes, also when the process ends without Exit.
class CWpp : public CApp {
public:
    static constexpr UINT kTrayMessage = WM_APP + 3; // 32771, the tray icon's callback
    static constexpr int kTrayIcon = IDI_EMBRA;
    static constexpr int kMainDialogTemplate = IDD_MAIN;

    // `system`: where the system's state comes from; null, the Windows adapter (tests hand
    // in a stand-in).
    explicit CWpp(ISystemState* system = nullptr);
    // Stops the effect if it still runs, before the sets go.
    ~CWpp() override;

    // The whole start-up: window classes, the generator, the layers below, the active set
    // from "current" under "Sets", every parameter, the main dialog with its hotkey, then
    // the start of the effect. A hotkey that another program holds is only noted (the
    // settings page shows it). False when a layer refuses (another instance runs) or the
    // main dialog cannot be made.
    bool Init() override;
    // Lets the hotkey go, saves (unless the ending session saved already), then the layers
    // below.
    bool Exit() override;
    // The layers below, every set, then the copy of "transBG".
    bool Load() override;
    // Every set, "current" under "Sets", then the layers below. The parameters that an
    // open dialog edits are stored with the values of the moment it opened.
    bool Save() override;
    // A setting changed: the running effect's bands follow their taskbars.
    void OnSettingChange() override;
    HWND CreateMainDialog(HWND parent) override;
    CDialog* MainDialog() override { return &mainDlg; }
    HWND MainDialogHandle() override { return mainDlg.Handle(); }
    UINT TrayCallbackMessage() override { return kTrayMessage; }
    int TrayIconId() override { return kTrayIcon; }
    // The tray icon's menu, after the controller's state.
    HMENU TrayMenu() override;

    // The decisions the main dialog and the settings window forward the user's requests to.
    CAppController& Controller() { return controller; }
    // The effects' keys in the order of their sets ("Embra", "Glimra", "Ripla"): the sets
    // exist from construction on.
    std::vector<std::string> EffectKeys();
    // Before Init: the start shows the set with `key`, stored as "current" as the settings
    // window's OK stores it.
    void ChooseAtStart(const std::string& key);
    // Another start of the program handed over a command of its command line (WM_COPYDATA's
    // id and data, untrusted): carried out when it is one. Whether it was.
    bool OnCommandData(std::uintptr_t id, const void* data, std::size_t size);
    // The program is about to end after a failure on another thread: everything is saved as
    // at the end of the session, without counting as that save.
    void SaveForCrash();
    // The frames the effect has rendered since the program started.
    int64_t FramesRendered() const { return effects.renderState.framesRendered.load(); }
    // The shell made a new taskbar: the tray icon comes back, and the controller decides
    // about the effect.
    void OnTaskbarCreated();
    // The session ends: everything is saved now, once, while the effect goes on.
    void OnSessionEnding();
    // The end of the session was called off: the next exit saves again, and the running
    // instance can be found again.
    void OnSessionEndCancelled();
    bool SavedForSessionEnd() const { return sessionSaved; }
    // The tray tip: the title and why the effect is paused, else the title and version.
    tstr TrayTip();
    // The tray menu's "Pause while <program> is in front" for the program the menu named.
    void TogglePauseInFront();
    // The texts from now on in the language the "Language" option chooses (else Windows'
    // display language's, else English); the main window's names and menu and the tray
    // tip follow at once.
    void ApplyLanguage();

private:
    // The settings window's view of the application reads the sets and the options.
    friend class CWppSettingsLink;

    static void RegisterWindowClasses();
    // The three sets in the order fire, northern lights, water, each with its dialog.
    void CreateSets();
    // The first set, or the first whose Key equals "current" under "Sets".
    void SelectActiveSet();
    // The active set's key as "current" under "Sets".
    void SaveActiveSet();
    void RunCommand(const Command& command);
    // "/effect": the set with `key` is shown as the settings window's OK shows it.
    void ShowEffect(const std::string& key);

    CEdges<CParam<int>, int> opaque;  // neither stored nor read
    CEdges<CParam<int>, int> transBG; // never loaded: always 1
    int32_t transparentMode;          // copy of "transBG", read by the effects
    CParamRegSet optionsSet;          // "*prof*Options": "opaque", "transBG"; never loaded or saved
    CWin32Desktop desktop;            // the overlays and their presentation resources
    CEfficiencyMode efficiency;       // the workers' priority: outlives them
    CEffectHost effects;              // the sets and the render state, which stops first
    COptions options;
    CStartStopHotKey hotKey{options.hotKey}; // registered for the main dialog
    CWin32SystemState systemState;
    CWin32Clock clock;
    CAppPlatform platform{*this, desktop, hotKey, efficiency, [this] { ApplyLanguage(); }};
    CAppController controller;
    CMainDlg mainDlg;
    bool sessionSaved = false;
    std::string menuProgram; // the program in front that the tray menu names, if any
};
