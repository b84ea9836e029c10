#include "app/CWpp.h"

#include "app/RemoteMessages.h"
#include "app/TrayMenu.h"
#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "params/StorePaths.h"
#include "settings/CConfirmedValues.h"
#include "settings/SettingsDialogs.h"
#include "system/ProgramNames_win.h"
#include "system/UiLanguage.h"
#include "ui/CButtonWnd.h"
#include "ui/CEmbraDrawWnd.h"
#include "ui/CNavPaneWnd.h"
#include "ui/UiText.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

CWpp::CWpp(ISystemState* system)
    : transparentMode(0), optionsSet(&store), effects(&desktop),
      options(startWithWindows, startMinimize),
      clock([this](AppTimer timer) { controller.OnTimer(timer); }),
      controller(effects.control, options, system ? *system : systemState, clock, platform),
      mainDlg(this) {
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
    desktop.everyMonitor = [this] { return options.everyMonitor.On(); };
    desktop.onOverlayLost = [this] { controller.OnOverlayLost(); };
    desktop.hideFromCapture = [this] { return options.hideFromCapture.On(); };
    desktop.underWindows = [this] { return options.UnderWindows(); };
    efficiency.wanted = [this] { return options.efficiency.On(); };
    effects.renderState.makeThread = [this](std::function<void()> work) {
        return efficiency.MakeWorker(std::move(work));
    };
    systemState.overlayRects = [this] {
        std::vector<DesktopRect> rects(desktop.OverlayCount());
        for (std::size_t i = 0; i < rects.size(); ++i)
            static_cast<void>(desktop.OverlayRect(i, &rects[i]));
        return rects;
    };
    systemState.overlayWindows = [this] {
        std::vector<HWND> windows(desktop.OverlayCount());
        for (std::size_t i = 0; i < windows.size(); ++i)
            windows[i] = desktop.OverlayWindow(i);
        return windows;
    };
    // The animation yields to the user's work.
    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
    CreateSets();
}

CWpp::~CWpp() {
    controller.Detach();
    systemState.Stop();
    effects.control.Stop();
}

bool CWpp::Init() {
    RegisterWindowClasses();
    // The items that the sets spawn at their start draw from the main thread's generator.
    CRandom::Seed(GetTickCount());
    options.Register(rootSet);
    if (!CApp::Init())
        return false;
    effects.renderState.processorCount = static_cast<int32_t>(processorCount);
    SelectActiveSet();
    Load();
    efficiency.Apply();
    ApplyLanguage();
    if (firstRun)
        startMinimize.Set(0);
    if (!ShowMainWindow())
        return false;
    hotKey.Activate(mainDlg.Handle());
    if (firstRun)
        mainDlg.StartFirstRunTimer();
    // Without its window the system's changes go unnoticed; the hour's pause still works.
    static_cast<void>(systemState.Start(instance));
    controller.AddListener(&mainDlg);
    controller.Attach();
    // Where the start-up sends the main dialog its start command (1014): the controller
    // starts the effect, and the dialog shows it when told.
    controller.Start();
    if (firstRun) {
        startWithWindows.Set(true);
        ApplyStartWithWindows();
    }
    return true;
}

bool CWpp::Exit() {
    hotKey.Deactivate();
    controller.Detach();
    systemState.Stop();
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
    SaveActiveSet();
    return CApp::Save();
}

void CWpp::OnSettingChange() {
    controller.OnSettingChange();
}

HWND CWpp::CreateMainDialog(HWND parent) {
    return mainDlg.CreateModeless(instance, kMainDialogTemplate, parent);
}

HMENU CWpp::TrayMenu() {
    // While a dialog of the program is open the main window is disabled: no second one
    // opens over it, and the program does not end under it.
    // The window in front when the mouse came over the icon, unless it is this program's
    // or the shell's (the taskbar holds the icon).
    const bool named =
        lastForeground && IsWindow(lastForeground) && !IsOwnOrShellWindow(lastForeground);
    menuProgram = named ? WindowProgram(lastForeground) : "";
    return BuildTrayMenu(instance, controller.Running(), controller.TimedPauseRuns(),
                         IsWindowEnabled(mainDlg.Handle()) != FALSE, menuProgram,
                         controller.PausesInFront(menuProgram));
}

void CWpp::TogglePauseInFront() {
    if (!menuProgram.empty())
        controller.TogglePauseInFront(menuProgram);
}

void CWpp::OnTaskbarCreated() {
    CApp::OnTaskbarCreated();
    controller.OnTaskbarCreated();
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

std::vector<std::string> CWpp::EffectKeys() {
    std::vector<std::string> keys;
    for (CSet* set : effects.sets.Items())
        keys.push_back(set->Key().str());
    return keys;
}

void CWpp::ChooseAtStart(const std::string& key) {
    store.WriteString(kSetsPath, kCurrentSetName, key.c_str());
}

bool CWpp::OnCommandData(std::uintptr_t id, const void* data, std::size_t size) {
    Command command;
    if (id != kCommandDataId ||
        !DecodeCommand(static_cast<const char*>(data), size, EffectKeys(), &command))
        return false;
    RunCommand(command);
    return true;
}

void CWpp::SaveForCrash() {
    Save();
    mainDlg.SavePlacement();
}

tstr CWpp::TrayTip() {
    const PauseNote note = controller.Note();
    return note.reason == 0 ? DefaultTip()
                            : FormatTrayTip(title, PauseNoteText(instance, note), kPausedTipLimit);
}

void CWpp::ApplyLanguage() {
    SetUiLanguage(
        ChooseUiLanguage(options.language.Get()->str(), GetUserDefaultUILanguage()).langId);
    if (!mainDlg.Handle())
        return;
    mainDlg.ShowTexts();
    ChangeTrayTip(TrayTip());
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
    if (!store.ReadString(kSetsPath, kCurrentSetName, current))
        return;
    for (CSet* set : effects.sets.Items()) {
        if (set->Key() == current) {
            effects.renderState.activeSet = set;
            return;
        }
    }
}

void CWpp::RunCommand(const Command& command) {
    switch (command.kind) {
    case CommandKind::None:
        break;
    case CommandKind::Start:
        controller.Start();
        break;
    case CommandKind::Stop:
        controller.Stop();
        break;
    case CommandKind::Toggle:
        controller.Toggle();
        break;
    case CommandKind::Pause:
        controller.PauseFor(command.minutes);
        break;
    case CommandKind::Effect:
        ShowEffect(command.effect);
        break;
    case CommandKind::Exit:
        // After the answer: the copy that asked is told first, then this one ends.
        PostMessageA(mainDlg.Handle(), WM_COMMAND, CMainDlg::kQuit, 0);
        break;
    }
}

void CWpp::ShowEffect(const std::string& key) {
    for (CSet* set : effects.sets.Items()) {
        if (std::string(set->Key().str()) != key)
            continue;
        if (set != effects.renderState.activeSet) {
            controller.Stop();
            controller.Choose(set);
        }
        controller.Start();
        SaveActiveSet();
        return;
    }
}

void CWpp::SaveActiveSet() {
    if (effects.renderState.activeSet)
        store.WriteString(kSetsPath, kCurrentSetName, effects.renderState.activeSet->Key());
}
