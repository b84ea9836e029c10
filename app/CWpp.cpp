#include "app/CWpp.h"

#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "settings/SettingsDialogs.h"
#include "ui/CButtonWnd.h"
#include "ui/CEmbraDrawWnd.h"
#include "ui/WindowFactory.h"

CWpp::CWpp() : effects(&desktop), mainWnd(this) {
    store.SetRegistryMode(true);
    store.SetFirmAndApp("Lumavist", "Embra");
    store.SetRoot("Software\\Lumavist\\Embra");
    title = "Embra desktop decoration";
    // The animation yields to the user's work.
    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
}

bool CWpp::Init() {
    // The items that the sets spawn at their start draw from the main thread's generator.
    CRandom::Seed(GetTickCount());
    CEmbraDrawWnd::RegisterFactory();
    CButtonWnd::RegisterFactory();
    if (!CApp::Init())
        return false;
    CreateSets();
    SelectActiveSet();
    Load();
    if (!mainWnd.Create(title))
        return false;
    effects.renderState.processorCount = static_cast<int32_t>(processorCount);
    // A set that cannot start leaves the program running without an effect.
    effects.renderState.StartEffect();
    return true;
}

bool CWpp::Exit() {
    effects.renderState.StopEffect();
    Save();
    return CApp::Exit();
}

bool CWpp::Load() {
    CApp::Load();
    for (CSet* set : effects.sets.Items())
        set->Load();
    return true;
}

bool CWpp::Save() {
    for (CSet* set : effects.sets.Items())
        set->Save();
    if (effects.renderState.activeSet)
        store.WriteString("Sets", "current", effects.renderState.activeSet->Key());
    return CApp::Save();
}

void CWpp::OnSettingChange() {
    if (effects.renderState.activeSet)
        effects.renderState.activeSet->UpdatePlacement();
}

void CWpp::Shutdown() {
    if (!HasExited())
        Quit();
    UnregisterWindowFactory(CEmbraDrawWnd::kClassName);
}

void CWpp::CreateSets() {
    auto* fire = new CSetEmbra(&store, &effects.renderState);
    auto* lights = new CSetGlimra(&store, &effects.renderState);
    auto* water = new CSetRipla(&store, &effects.renderState);
    InstallSettingsDialog(*fire);
    InstallSettingsDialog(*lights);
    InstallSettingsDialog(*water);
    effects.sets.Add(fire);
    effects.sets.Add(lights);
    effects.sets.Add(water);
}

void CWpp::SelectActiveSet() {
    effects.renderState.activeSet = effects.sets.GetAt(0);
    tstr current;
    if (!store.ReadString("Sets", "current", current))
        return;
    for (CSet* set : effects.sets.Items()) {
        if (set->Key() == current) {
            effects.renderState.activeSet = set;
            return;
        }
    }
}
