#pragma once

#include "app/CApp.h"
#include "app/CMainDlg.h"
#include "app/CStartStopHotKey.h"
#include "effects/engine/CEffectHost.h"
#include "effects/engine/CSet.h"
#include "params/CCollector.h"
#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "resources/resource.h"
#include "system/CPauseController.h"
#include "system/CWin32SystemState_win.h"
#include "system/MonitorLayout.h"
#include "ui/CWin32Desktop.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// The program's application object, one per process in static storage. On top of the
// layers below it owns the desktop the effects decorate (the overlay window and its
// presentation resources), the effect sets in the order fire, northern lights, water with
// the render state, and the main dialog. The members are declared so that each outlives
// what uses it: the desktop outlives the render state that presents through it, and the
// host stops the workers before any set goes, also when the process ends without Exit.
class CWpp : public CApp {
public:
    static constexpr UINT kTrayMessage = WM_APP + 3; // 32771, the tray icon's callback
    static constexpr int kTrayIcon = IDI_EMBRA;
    static constexpr int kMainDialogTemplate = IDD_MAIN;

    CWpp();
    // Stops the effect if it still runs, before the sets go.
    ~CWpp() override;

    // The whole start-up: window classes, the generator, the layers below, the sets, the
    // active set from "current" under "Sets", every parameter, the main dialog with its
    // hotkey, then the start command. A hotkey that another program holds is only noted
    // (the settings page shows it). False when a layer refuses (another instance runs) or
    // the main dialog cannot be made.
    bool Init() override;
    // Lets the hotkey go, saves (unless the ending session saved already), then the layers
    // below.
    bool Exit() override;
    // The layers below, every set, then the copy of "transBG".
    bool Load() override;
    // Every set, "current" under "Sets", then the layers below. The parameters that an
    // open dialog edits are stored with the values of the moment it opened.
    bool Save() override;
    // The taskbar may have moved: the active set places the overlay anew.
    void OnSettingChange() override;
    HWND CreateMainDialog(HWND parent) override;
    CDialog* MainDialog() override { return &mainDlg; }
    HWND MainDialogHandle() override { return mainDlg.Handle(); }
    UINT TrayCallbackMessage() override { return kTrayMessage; }
    int TrayIconId() override { return kTrayIcon; }

    // The requests below go through the effect control: one made while another is under
    // way is carried out after that one.
    // The active set and the render workers; false when the effect does not run (yet). A
    // set that failed for want of a taskbar stays active, and starts when a taskbar is
    // created.
    [[nodiscard]] bool StartEffect();
    // Stops the workers (answering the messages they send meanwhile) and rendering.
    void StopEffect();
    // The screen changed: a running effect starts afresh.
    void RestartEffect();
    // The display or the work area changed (`mustPlace`), or some setting did and the
    // monitors or the taskbars may have moved: where they did, a running or paused effect
    // starts afresh once they have settled, kSettleMs after the last such change, since
    // Windows reports a stale taskbar rectangle right after one. A burst of changes
    // restarts it once.
    void OnLayoutChange(bool mustPlace);
    // The layout has settled: the effect starts afresh.
    void OnLayoutSettled();
    // The monitors with their taskbars, only the primary while "EveryMonitor" is 0.
    std::vector<MonitorArea> Monitors();
    // The "every monitor" option after the settings window: a change restarts the effect.
    void ApplyMonitorOption();
    bool IsEffectRunning() const { return effects.control.Running(); }
    // The shell made a new taskbar: the tray icon comes back, the overlay goes behind the
    // new taskbar, and an effect that could not start for want of one starts now.
    void OnTaskbarCreated();
    // The session ends: everything is saved now, once, while the effect goes on.
    void OnSessionEnding();
    // The end of the session was called off: the next exit saves again, and the running
    // instance can be found again.
    void OnSessionEndCancelled();
    bool SavedForSessionEnd() const { return sessionSaved; }

    // The tray tip: the title and why the effect is paused, else the title and version.
    tstr TrayTip();
    // The tray icon's menu: start or stop, "Pause for 1 hour", settings, About, exit.
    HMENU TrayMenu() override;
    // The pause options into the pause controller, which decides again.
    void ApplyPauseOptions();
    // Starts "Pause for 1 hour", or ends the one that runs.
    void TogglePauseForHour();
    // The hour's timer came: the pause ends, or the timer waits for the rest of it.
    void OnHourTimer();

    CEdges<CParam<int>, int> opaque;  // neither stored nor read
    CEdges<CParam<int>, int> transBG; // never loaded: always 1
    int32_t transparentMode;          // copy of "transBG", read by the effects
    CWin32Desktop desktop;            // the overlay and its presentation resources
    CEffectHost effects;              // the sets and the render state, which stops first
    CMainDlg mainDlg;
    CStartStopHotKey hotKey;     // "HotKey", registered for the main dialog
    CParamRegSet optionsSet;     // "*prof*Options": "opaque", "transBG"; never loaded or saved
    CParam<int> pauseFullScreen; // "PauseFullScreen": a full-screen program pauses the effect
    CParam<int> pauseOnBattery;  // "PauseOnBattery": running on battery pauses the effect
    CParam<int> everyMonitor;    // "EveryMonitor": a band on every monitor (1) or the primary's
                                 // only (0)
    CWin32SystemState systemState;
    CPauseController pause; // reads pause.system, the Windows adapter unless a test swaps it

private:
    static constexpr UINT kSettleMs = 500;

    static void RegisterWindowClasses();
    // Notes the layout and the option the bands are placed after.
    void NotePlacement();
    // The three sets in the order fire, northern lights, water, each with its dialog.
    void CreateSets();
    // The first set, or the first whose Key equals "current" under "Sets".
    void SelectActiveSet();

    // The controller decides again and the tray tip follows.
    void UpdatePause();
    // Hooks the controller up to the system's state and the effect.
    void StartPauseController();

    bool sessionSaved = false;
    std::vector<MonitorArea> placedLayout; // the monitors and taskbars at the last start
    int placedEveryMonitor = 1;            // "EveryMonitor" at the last start
};
