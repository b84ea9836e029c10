#pragma once

#include "app/CApp.h"
#include "app/CMainWnd.h"
#include "effects/engine/CEffectHost.h"
#include "ui/CWin32Desktop.h"

// The program's application object, one per process in static storage. It owns the
// settings store (through the layers below), the desktop the effects decorate, the
// effect sets in the order fire, northern lights, water with the render state, and the
// main window. The members are declared so that each outlives what uses it: the desktop
// outlives the render state that presents through it, and the host stops the workers
// before any set goes, also when the process ends without Exit.
class CWpp : public CApp {
public:
    CWpp();

    // The whole start-up: the layers below, the sets, the active set from "current"
    // under "Sets", every parameter, the main window, then the effect starts.
    bool Init() override;
    // Stops the effect and saves everything before the layers below end the run.
    bool Exit() override;
    // The layers below, then every set's parameters.
    bool Load() override;
    // Every set's parameters and the active set's key as "current" under "Sets", then
    // the layers below.
    bool Save() override;
    // The taskbar may have moved: the active set places the overlay anew.
    void OnSettingChange() override;
    HWND MainWindowHandle() override { return mainWnd.Handle(); }

    // After the message loop: when the loop ended without the program being asked to
    // end (a quit message from elsewhere), quits now so that the settings are saved.
    void Shutdown();

    CWin32Desktop desktop;
    CEffectHost effects; // the sets and the render state
    CMainWnd mainWnd;

private:
    // The three sets in the order fire, northern lights, water, each with its dialog.
    void CreateSets();
    // The first set, or the first whose Key equals "current" under "Sets".
    void SelectActiveSet();
};
