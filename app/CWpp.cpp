#include "app/CWpp.h"

#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "settings/CConfirmedValues.h"
#include "settings/SettingsDialogs.h"
#include "ui/CButtonWnd.h"
#include "ui/CEmbraDrawWnd.h"
#include "ui/CNavPaneWnd.h"

namespace {

constexpr UINT kFirstRunMs = 5000;
constexpr UINT kStartCommand = IDC_START;

} // namespace

CWpp::CWpp() : transparentMode(0), effects(&desktop), mainDlg(this), optionsSet(&store) {
    opaque.SetName("opaque");
    opaque.SetRange(2, 90);
    opaque.Set(10);
    transBG.SetName("transBG");
    transBG.Set(1);
    transparentMode = *transBG.Get();
    optionsSet.SetPath("*prof*Options");
    optionsSet.Add(&opaque);
    optionsSet.Add(&transBG);
    store.SetRegistryMode(true);
    store.SetFirmAndApp("Lumavist", "Embra");
    store.SetRoot("Software\\Lumavist\\Embra");
    title = "Embra desktop decoration";
    startMinimize.Set(1);
    // An overlay destroyed from outside stops the effect, from the message loop.
    desktop.onOverlayLost = [this] {
        if (mainDlg.Handle())
            PostMessageA(mainDlg.Handle(), WM_COMMAND, CMainDlg::kStop, 0);
    };
    // The animation yields to the user's work.
    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
}

CWpp::~CWpp() {
    StopEffect();
}

bool CWpp::Init() {
    RegisterWindowClasses();
    // The items that the sets spawn at their start draw from the main thread's generator.
    CRandom::Seed(GetTickCount());
    if (!CApp::Init())
        return false;
    effects.renderState.processorCount = static_cast<int32_t>(processorCount);
    CreateSets();
    SelectActiveSet();
    rootSet.Add(&hotKey.value, "HotKey");
    Load();
    if (firstRun)
        startMinimize.Set(0);
    if (!ShowMainWindow())
        return false;
    HWND dialog = mainDlg.Handle();
    hotKey.Activate(dialog);
    if (firstRun)
        SetTimer(dialog, CMainDlg::kFirstRunTimer, kFirstRunMs, nullptr);
    SendMessageA(dialog, WM_COMMAND, kStartCommand, 0);
    if (firstRun) {
        startWithWindows.Set(true);
        ApplyStartWithWindows();
    }
    return true;
}

bool CWpp::Exit() {
    hotKey.Deactivate();
    if (!sessionSaved)
        Save();
    return CApp::Exit();
}

bool CWpp::Load() {
    CApp::Load();
    for (CSet* set : effects.sets.Items())
        set->Load();
    transparentMode = *transBG.Get();
    return true;
}

bool CWpp::Save() {
    const CConfirmedValues confirmed;
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

HWND CWpp::CreateMainDialog(HWND parent) {
    return mainDlg.CreateModeless(instance, kMainDialogTemplate, parent);
}

bool CWpp::StartEffect() {
    effects.control.Start();
    return IsEffectRunning();
}

void CWpp::StopEffect() {
    effects.control.Stop();
}

void CWpp::RestartEffect() {
    effects.control.Restart();
}

void CWpp::OnTaskbarCreated() {
    CApp::OnTaskbarCreated();
    if (IsEffectRunning()) {
        // Moving the overlay may raise it: it goes behind the taskbar afterwards.
        OnSettingChange();
        desktop.PutOverlayBehindTaskbar();
    } else if (effects.control.StartFailed()) {
        SendMessageA(mainDlg.Handle(), WM_COMMAND, kStartCommand, 0);
    }
}

void CWpp::OnSessionEnding() {
    if (sessionSaved)
        return;
    sessionSaved = true;
    Save();
    mainDlg.SavePlacement();
}

void CWpp::OnSessionEndCancelled() {
    sessionSaved = false;
    RecordRunningInstance();
}

void CWpp::RegisterWindowClasses() {
    CEmbraDrawWnd::RegisterFactory();
    CButtonWnd::RegisterFactory();
    CNavPaneWnd::RegisterFactory();
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
