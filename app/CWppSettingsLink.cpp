#include "app/CWppSettingsLink.h"

#include "app/CWpp.h"

const std::vector<CSet*>& CWppSettingsLink::EffectSets() {
    return app->effects.sets.Items();
}

CSet* CWppSettingsLink::ActiveSet() {
    return app->effects.renderState.activeSet;
}

void CWppSettingsLink::SetActiveSet(CSet* set) {
    app->effects.control.Choose(set);
}

void CWppSettingsLink::StopEffect() {
    SendMessageA(app->MainDialogHandle(), WM_COMMAND, CMainDlg::kStop, 0);
}

void CWppSettingsLink::StartEffect() {
    SendMessageA(app->MainDialogHandle(), WM_COMMAND, CMainDlg::kStart, 0);
}

CParam<bool>& CWppSettingsLink::StartWithWindows() {
    return app->startWithWindows;
}

void CWppSettingsLink::ReadStartWithWindows() {
    app->ReadStartWithWindows();
}

void CWppSettingsLink::ApplyStartWithWindows() {
    app->ApplyStartWithWindows();
}

CParam<int>& CWppSettingsLink::StartMinimize() {
    return app->startMinimize;
}

CParam<int>& CWppSettingsLink::HotKey() {
    return app->hotKey.value;
}

bool CWppSettingsLink::ApplyHotKey() {
    return app->hotKey.Apply();
}

bool CWppSettingsLink::HotKeyTaken() {
    return app->hotKey.Taken();
}

CParam<int>& CWppSettingsLink::PauseFullScreen() {
    return app->pauseFullScreen;
}

CParam<int>& CWppSettingsLink::PauseOnBattery() {
    return app->pauseOnBattery;
}

CParam<int>& CWppSettingsLink::EveryMonitor() {
    return app->everyMonitor;
}

void CWppSettingsLink::SaveSettings() {
    app->CAppBase::Save();
    if (app->effects.renderState.activeSet)
        app->store.WriteString("Sets", "current", app->effects.renderState.activeSet->Key());
}
