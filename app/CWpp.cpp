#include "app/CWpp.h"

#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "settings/CConfirmedValues.h"
#include "settings/SettingsDialogs.h"
#include "system/MonitorLayout_win.h"
#include "ui/CButtonWnd.h"
#include "ui/CEmbraDrawWnd.h"
#include "ui/CNavPaneWnd.h"
#include "ui/WindowHelpers.h"

namespace {

constexpr UINT kFirstRunMs = 5000;
constexpr UINT kStartCommand = IDC_START;
constexpr const char* kCommonOptions = "Options\\Common";

// A stored pause option: 0 or 1, anything else (a malformed or missing value) the default.
int StoredFlag(CSettingsStore& store, const char* name, int fallback) {
    tstr text;
    if (!store.ReadString(kCommonOptions, name, text))
        return fallback;
    const tstr off("0");
    const tstr on("1");
    return text == on ? 1 : text == off ? 0 : fallback;
}

} // namespace

CWpp::CWpp()
    : transparentMode(0), effects(&desktop), mainDlg(this), optionsSet(&store), pauseFullScreen(1),
      pauseOnBattery(0), everyMonitor(1), pause(&systemState) {
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
    desktop.everyMonitor = [this] { return *everyMonitor.Get() != 0; };
    // An overlay destroyed from outside stops the effect, from the message loop.
    desktop.onOverlayLost = [this] {
        if (mainDlg.Handle())
            PostMessageA(mainDlg.Handle(), WM_COMMAND, CMainDlg::kStop, 0);
    };
    // The animation yields to the user's work.
    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
}

CWpp::~CWpp() {
    pause.system->SetListener(nullptr);
    systemState.Stop();
    StopEffect();
}

bool CWpp::Init() {
    RegisterWindowClasses();
    // The items that the sets spawn at their start draw from the main thread's generator.
    CRandom::Seed(GetTickCount());
    rootSet.Add(&pauseFullScreen, "PauseFullScreen");
    rootSet.Add(&pauseOnBattery, "PauseOnBattery");
    rootSet.Add(&everyMonitor, "EveryMonitor");
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
    StartPauseController();
    SendMessageA(dialog, WM_COMMAND, kStartCommand, 0);
    if (firstRun) {
        startWithWindows.Set(true);
        ApplyStartWithWindows();
    }
    return true;
}

bool CWpp::Exit() {
    hotKey.Deactivate();
    pause.system->SetListener(nullptr);
    systemState.Stop();
    // The stops from here on leave the controller and the tray tip alone.
    pause.setPaused = nullptr;
    if (!sessionSaved)
        Save();
    return CApp::Exit();
}

bool CWpp::Load() {
    CApp::Load();
    pauseFullScreen.Set(StoredFlag(store, "PauseFullScreen", 1));
    pauseOnBattery.Set(StoredFlag(store, "PauseOnBattery", 0));
    everyMonitor.Set(StoredFlag(store, "EveryMonitor", 1));
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
    NotePlacement();
    effects.control.Start();
    pause.ForgetMonitors();
    UpdatePause();
    return IsEffectRunning();
}

void CWpp::StopEffect() {
    effects.control.Stop();
    UpdatePause();
}

void CWpp::RestartEffect() {
    NotePlacement();
    effects.control.Restart();
    pause.ForgetMonitors();
    UpdatePause();
}

void CWpp::OnLayoutChange(bool mustPlace) {
    if (!mustPlace && !LayoutMoved(placedLayout, Monitors()))
        return;
    // Setting the timer again starts its time afresh.
    SetTimer(mainDlg.Handle(), CMainDlg::kSettleTimer, kSettleMs, nullptr);
}

void CWpp::OnLayoutSettled() {
    KillTimer(mainDlg.Handle(), CMainDlg::kSettleTimer);
    RestartEffect();
}

std::vector<MonitorArea> CWpp::Monitors() {
    return ReadMonitors(*everyMonitor.Get() != 0);
}

void CWpp::ApplyMonitorOption() {
    if (*everyMonitor.Get() != placedEveryMonitor)
        RestartEffect();
}

void CWpp::NotePlacement() {
    placedEveryMonitor = *everyMonitor.Get();
    placedLayout = Monitors();
}

void CWpp::OnTaskbarCreated() {
    CApp::OnTaskbarCreated();
    if (IsEffectRunning()) {
        // Moving the overlay may raise it: it goes behind the taskbar afterwards.
        OnSettingChange();
        desktop.PutOverlaysBehindTaskbars();
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

tstr CWpp::TrayTip() {
    const std::string reason = pause.ReasonText();
    return reason.empty() ? DefaultTip() : FormatPausedTip(title, tstr(reason.c_str()));
}

HMENU CWpp::TrayMenu() {
    const bool running = IsEffectRunning();
    tstr toggle(running ? "Stop effect" : "Start effect");
    LoadResourceString(toggle, instance, running ? IDS_STOP_EFFECT : IDS_START_EFFECT);
    tstr about("About...");
    LoadResourceString(about, instance, IDS_ABOUT);
    tstr exit("E&xit");
    LoadResourceString(exit, instance, IDS_EXIT);
    // While a dialog of the program is open the main window is disabled: no second one
    // opens over it, and the program does not end under it.
    const UINT modal = IsWindowEnabled(mainDlg.Handle()) ? MF_ENABLED : MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, running ? CMainDlg::kStop : CMainDlg::kStart, toggle.str());
    AppendMenuA(menu, MF_STRING | (pause.HourPauseRuns() ? MF_CHECKED : MF_UNCHECKED),
                CMainDlg::kPauseHour, "Pause for 1 hour");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | modal, CMainDlg::kSettings, "Settings...");
    AppendMenuA(menu, MF_STRING | modal, CMainDlg::kAbout, about.str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | modal, CMainDlg::kExit, exit.str());
    return menu;
}

void CWpp::ApplyPauseOptions() {
    pause.options.pauseFullScreen = *pauseFullScreen.Get() != 0;
    pause.options.pauseOnBattery = *pauseOnBattery.Get() != 0;
    UpdatePause();
}

void CWpp::TogglePauseForHour() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    pause.ToggleHourPause((now.wHour + 1) % 24, now.wMinute);
    OnHourTimer();
}

void CWpp::OnHourTimer() {
    HWND dialog = mainDlg.Handle();
    KillTimer(dialog, CMainDlg::kHourTimer);
    // A timer may come a little early: it waits for the rest, a millisecond at least.
    if (pause.HourPauseRuns())
        SetTimer(dialog, CMainDlg::kHourTimer, static_cast<UINT>(pause.HourPauseLeft()) + 1,
                 nullptr);
    UpdatePause();
}

void CWpp::UpdatePause() {
    if (!pause.setPaused)
        return;
    pause.Update();
    ChangeTrayTip(TrayTip());
}

void CWpp::StartPauseController() {
    pause.clock = [] { return static_cast<uint64_t>(GetTickCount64()); };
    pause.runWanted = [this] { return IsEffectRunning(); };
    pause.setPaused = [this](bool paused) { effects.control.SetPaused(paused); };
    pause.setMonitorPaused = [this](std::size_t monitor, bool paused) {
        effects.control.SetMonitorPaused(monitor, paused);
    };
    pause.onReasonsChanged = [this] { ChangeTrayTip(TrayTip()); };
    pause.onResumedFromSleep = [this] { RestartEffect(); };
    if (pause.system == &systemState) {
        systemState.overlayRects = [this] {
            std::vector<DesktopRect> rects(desktop.OverlayCount());
            for (std::size_t i = 0; i < rects.size(); ++i)
                static_cast<void>(desktop.OverlayRect(i, &rects[i]));
            return rects;
        };
        // Without its window the system's changes go unnoticed; the hour's pause still works.
        static_cast<void>(systemState.Start(instance));
    }
    pause.system->SetListener(&pause);
    ApplyPauseOptions();
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
