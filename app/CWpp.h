#pragma once

#include "app/CApp.h"
#include "app/CMainWnd.h"
#include "effects/engine/CRenderState.h"
#include "effects/engine/CSet.h"
#include "params/CCollector.h"
#include "ui/CWin32Desktop.h"

// The program's application object, one per process in static storage. It owns the
// settings store (through the layers below), the desktop the effects decorate, the
// render state, the effect sets in the order fire, northern lights, water, and the main
// window.
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
    CRenderState renderState; // holds activeSet and the render workers
    CCollector<CSet*> sets;   // owning
    CMainWnd mainWnd;

private:
    // Stops the render workers and rendering. Worker 0 presents through the overlay,
    // which belongs to this thread, and moving it from the worker sends this thread a
    // message and waits for the answer: so the wait for the workers answers sent
    // messages instead of only sleeping, or the two threads would wait for each other.
    void StopEffect();
    // The three sets in the order fire, northern lights, water, each with its dialog.
    void CreateSets();
    // The first set, or the first whose Key equals "current" under "Sets".
    void SelectActiveSet();
};
