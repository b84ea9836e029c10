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
          {"EveryMonitor", &everyMonitor, IDC_EVERY_MONITOR, kCheckBox, OptionEffect::Monitors},
          {"HotKey", &hotKey, IDC_HOTKEY, kHotKey, OptionEffect::HotKey},
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
    return options;
}
