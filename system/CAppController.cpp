#include "system/CAppController.h"

#include "effects/engine/CEffectControl.h"
#include "system/COptions.h"
#include "system/IAppPlatform.h"
#include "system/ISystemState.h"
#include "system/MonitorLayout.h"

#include <algorithm>
#include <optional>

CAppController::CAppController(CEffectControl& effect, COptions& options, ISystemState& system,
                               IAppClock& clock, IAppPlatform& platform)
    : effect(effect), options(options), system(system), clock(clock), platform(platform),
      pause(&system) {
    pause.clock = [this] { return this->clock.Now(); };
    pause.runWanted = [this] { return Running(); };
    pause.setPaused = [this](bool paused) { this->effect.SetPaused(paused); };
    pause.setMonitorPaused = [this](std::size_t monitor, bool paused) {
        this->effect.SetMonitorPaused(monitor, paused);
    };
    pause.onReasonsChanged = [this] { Notify(); };
    pause.onResumedFromSleep = [this] { Restart(); };
    // Under windows another window raised may have taken an overlay along (Wine raises a
    // window where the X server shows it): each report of a change puts them back.
    pause.onSystemChanged = [this] {
        if (this->options.UnderWindows() && Running())
            this->platform.PutOverlaysBehindTaskbars();
    };
}

void CAppController::Attach() {
    attached = true;
    system.SetListener(&pause);
    pause.options = options.Pause();
    Refresh();
}

void CAppController::Detach() {
    system.SetListener(nullptr);
    attached = false;
}

void CAppController::AddListener(IAppStateListener* listener) {
    listeners.push_back(listener);
}

void CAppController::Start() {
    effect.Start();
    NotePlacement();
    pause.ForgetMonitors();
    Refresh();
}

void CAppController::Stop() {
    effect.Stop();
    Refresh();
}

void CAppController::Toggle() {
    if (Running())
        Stop();
    else
        Start();
}

void CAppController::Restart() {
    effect.Restart();
    NotePlacement();
    pause.ForgetMonitors();
    Refresh();
}

void CAppController::Choose(CSet* set) {
    effect.Choose(set);
    Refresh();
}

void CAppController::OnLayoutChange(bool mustPlace) {
    if (!mustPlace && !LayoutMoved(placedLayout, platform.ReadMonitors(options.everyMonitor.On())))
        return;
    clock.Arm(AppTimer::Settle, kSettleMs);
}

void CAppController::OnSettingChange() {
    effect.FollowTaskbars();
}

void CAppController::OnTaskbarCreated() {
    if (Running()) {
        // Moving an overlay may raise it: each goes behind its taskbar afterwards.
        effect.FollowTaskbars();
        platform.PutOverlaysBehindTaskbars();
    } else if (effect.StartFailed()) {
        Start();
    }
}

void CAppController::OnOverlayLost() {
    clock.Arm(AppTimer::OverlayLost, 0);
}

void CAppController::ToggleHourPause() {
    PauseFor(pause.TimedPauseRuns() ? 0 : 60);
}

void CAppController::PauseFor(int minutes) {
    const int end = clock.MinuteOfDay() + minutes;
    pause.PauseFor(minutes, end / 60 % 24, end % 60);
    ArmPauseTimer();
}

void CAppController::TogglePauseInFront(const std::string& program) {
    if (PausesInFront(program))
        options.programs.RemoveRule(program);
    else
        options.programs.SetRule(ProgramRule{program, ProgramAction::Front});
    Apply(OptionEffect::Pause);
    platform.SaveOptions();
}

bool CAppController::PausesInFront(const std::string& program) const {
    const std::optional<ProgramRule> rule = options.programs.Find(program);
    return rule && rule->action == ProgramAction::Front;
}

void CAppController::OnTimer(AppTimer timer) {
    switch (timer) {
    case AppTimer::Settle:
        Restart();
        break;
    case AppTimer::HourPause:
        ArmPauseTimer();
        Refresh();
        break;
    case AppTimer::OverlayLost:
        Stop();
        break;
    }
}

void CAppController::ApplyChangedOptions() {
    std::vector<OptionEffect> effects;
    for (const OptionRow& row : options.Rows()) {
        const bool changed = std::visit([](auto* param) { return param->IsChanged(); }, row.param);
        if (changed && std::find(effects.begin(), effects.end(), row.effect) == effects.end())
            effects.push_back(row.effect);
    }
    for (OptionEffect each : effects)
        Apply(each);
}

EffectState CAppController::State() const {
    if (!Running())
        return EffectState::Stopped;
    return pause.Reasons() != 0 ? EffectState::Paused : EffectState::Running;
}

bool CAppController::Running() const {
    return effect.Running();
}

void CAppController::Refresh() {
    // A request made inside another is told by the outer one once all are done.
    if (!attached || effect.Busy())
        return;
    pause.Update();
    Notify();
}

void CAppController::Notify() {
    if (!attached)
        return;
    const EffectState state = State();
    const PauseNote note = Note();
    if (state == toldState && note == toldNote)
        return;
    toldState = state;
    toldNote = note;
    for (IAppStateListener* listener : listeners)
        listener->OnAppStateChanged();
}

void CAppController::NotePlacement() {
    // A request inside another is noted by the outer one, once its start has read them.
    if (effect.Busy())
        return;
    placedEveryMonitor = options.everyMonitor.On();
    placedLayout = effect.Monitors();
}

void CAppController::ArmPauseTimer() {
    clock.Cancel(AppTimer::HourPause);
    // A timer may come a little early: it waits for the rest, a millisecond at least.
    if (pause.TimedPauseRuns())
        clock.Arm(AppTimer::HourPause, static_cast<uint32_t>(pause.TimedPauseLeft()) + 1);
}

void CAppController::Apply(OptionEffect each) {
    switch (each) {
    case OptionEffect::None:
        break;
    case OptionEffect::Pause:
        pause.options = options.Pause();
        Refresh();
        break;
    case OptionEffect::Monitors:
        if (options.everyMonitor.On() != placedEveryMonitor)
            Restart();
        break;
    case OptionEffect::HotKey:
        // The settings window refused an OK with a combination another program holds.
        static_cast<void>(platform.ApplyHotKey());
        break;
    case OptionEffect::StartupShortcut:
        platform.ApplyStartWithWindows();
        break;
    case OptionEffect::Capture:
        platform.ApplyHideFromCapture();
        break;
    case OptionEffect::Language:
        platform.ApplyLanguage();
        break;
    case OptionEffect::Placement:
        platform.ApplyPlacement();
        Apply(OptionEffect::Pause);
        break;
    case OptionEffect::Efficiency:
        platform.ApplyEfficiency();
        break;
    }
}
