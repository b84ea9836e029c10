#include "app/CWppSettingsLink.h"

#include "app/CWpp.h"

const std::vector<CSet*>& CWppSettingsLink::EffectSets() {
    return app->effects.sets.Items();
}

CSet* CWppSettingsLink::ActiveSet() {
    return app->effects.renderState.activeSet;
}

void CWppSettingsLink::SetActiveSet(CSet* set) {
    app->controller.Choose(set);
}

void CWppSettingsLink::StopEffect() {
    app->controller.Stop();
}

void CWppSettingsLink::StartEffect() {
    app->controller.Start();
}

const std::vector<OptionRow>& CWppSettingsLink::Options() {
    return app->options.Rows();
}

void CWppSettingsLink::ReadOptions() {
    app->ReadStartWithWindows();
}

void CWppSettingsLink::ApplyOptions() {
    app->controller.ApplyChangedOptions();
}

bool CWppSettingsLink::ApplyHotKey() {
    return app->hotKey.Apply();
}

bool CWppSettingsLink::HotKeyTaken() {
    return app->hotKey.Taken();
}

void CWppSettingsLink::SaveSettings() {
    app->CAppBase::Save();
    app->SaveActiveSet();
}
