#include "app/CWpp.h"

#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "settings/SettingsDialogs.h"
#include "ui/CButtonWnd.h"
#include "ui/CEmbraDrawWnd.h"
#include "ui/WindowFactory.h"

namespace {

constexpr DWORD kStopPollMs = 10;

} // namespace

CWpp::CWpp() : renderState(&desktop), mainWnd(this) {
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
    renderState.processorCount = static_cast<int32_t>(processorCount);
    // A set that cannot start leaves the program running without an effect.
    renderState.StartEffect();
    return true;
}

bool CWpp::Exit() {
    StopEffect();
    Save();
    return CApp::Exit();
}

bool CWpp::Load() {
    CApp::Load();
    for (CSet* set : sets.Items())
        set->Load();
    return true;
}

bool CWpp::Save() {
    for (CSet* set : sets.Items())
        set->Save();
    if (renderState.activeSet)
        store.WriteString("Sets", "current", renderState.activeSet->Key());
    return CApp::Save();
}

void CWpp::OnSettingChange() {
    if (renderState.activeSet)
        renderState.activeSet->UpdatePlacement();
}

void CWpp::Shutdown() {
    if (!HasExited())
        Quit();
    UnregisterWindowFactory(CEmbraDrawWnd::kClassName);
}

void CWpp::StopEffect() {
    renderState.runFlag.store(0, std::memory_order_release);
    while (renderState.runningWorkers.load(std::memory_order_acquire) != 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kStopPollMs, QS_SENDMESSAGE);
        MSG message;
        // Peeking answers the messages sent to this thread; posted ones stay queued.
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    renderState.StopEffect();
}

void CWpp::CreateSets() {
    auto* fire = new CSetEmbra(&store, &renderState);
    auto* lights = new CSetGlimra(&store, &renderState);
    auto* water = new CSetRipla(&store, &renderState);
    InstallSettingsDialog(*fire);
    InstallSettingsDialog(*lights);
    InstallSettingsDialog(*water);
    sets.Add(fire);
    sets.Add(lights);
    sets.Add(water);
}

void CWpp::SelectActiveSet() {
    renderState.activeSet = sets.GetAt(0);
    tstr current;
    if (!store.ReadString("Sets", "current", current))
        return;
    for (CSet* set : sets.Items()) {
        if (set->Key() == current) {
            renderState.activeSet = set;
            return;
        }
    }
}
