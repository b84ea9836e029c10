#include "system/COptions.h"

#include "resources/resource.h"

COptions::COptions(CParam<bool>& startWithWindows, CParam<int>& startMinimize)
    : rows{
          {nullptr, &startWithWindows, IDC_START_WITH_WINDOWS, kCheckBox,
           OptionEffect::StartupShortcut},
          {nullptr, &startMinimize, IDC_START_MINIMIZED, kCheckBox, OptionEffect::None},
          {"PauseFullScreen", &pauseFullScreen, IDC_PAUSE_FULL_SCREEN, kCheckBox,
           OptionEffect::Pause},
          {"PauseOnBattery", &pauseOnBattery, IDC_PAUSE_ON_BATTERY, kCheckBox, OptionEffect::Pause},
          {"PauseRemote", &pauseRemote, IDC_PAUSE_REMOTE, kCheckBox, OptionEffect::Pause},
          {"PauseCamera", &pauseCamera, IDC_PAUSE_CAMERA, kCheckBox, OptionEffect::Pause},
          {"Animations", &animations, IDC_ANIMATIONS_FOLLOW, kRadioByIndex, OptionEffect::Pause},
          {"EveryMonitor", &everyMonitor, IDC_EVERY_MONITOR, kCheckBox, OptionEffect::Monitors},
          {"HideFromCapture", &hideFromCapture, IDC_HIDE_FROM_CAPTURE, kCheckBox,
           OptionEffect::Capture},
          {"Placement", &placement, IDC_PLACEMENT_OVER, kRadioByIndex, OptionEffect::Placement},
          {"Efficiency", &efficiency, IDC_EFFICIENCY, kCheckBox, OptionEffect::Efficiency},
          {"HotKey", &hotKey, IDC_HOTKEY, kHotKey, OptionEffect::HotKey},
          {"Programs", &programs, 0, kNoControl, OptionEffect::Pause},
          {"Language", &language, IDC_LANGUAGE, kComboByData, OptionEffect::Language},
      } {}

void COptions::Register(CParamRegSet& set) const {
    for (const OptionRow& row : rows)
        if (row.name)
            std::visit([&set, &row](auto* param) { set.Add(param, row.name); }, row.param);
}

PauseOptions COptions::Pause() const {
    PauseOptions options;
    options.pauseFullScreen = pauseFullScreen.On();
    options.pauseOnBattery = pauseOnBattery.On();
    options.pauseRemote = pauseRemote.On();
    options.pauseCamera = pauseCamera.On();
    options.followAnimations = *animations.Get() == 0;
    options.underWindows = UnderWindows();
    options.programs = programs.Rules();
    return options;
}
