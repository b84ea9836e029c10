#pragma once

#include "app/CAppBase.h"
#include "app/CStartStopHotKey.h"
#include "system/CEfficiencyMode_win.h"
#include "system/IAppPlatform.h"
#include "system/MonitorLayout_win.h"
#include "ui/CWin32Desktop.h"

#include <functional>
#include <utility>

// What the application controller has Windows do: the monitors from the system, the
// overlays behind their taskbars or under the windows, the hotkey, the start-up shortcut,
// the efficiency mode and the language of the texts (which the application object shows).
class CAppPlatform : public IAppPlatform {
public:
    CAppPlatform(CAppBase& app, CWin32Desktop& desktop, CStartStopHotKey& hotKey,
                 CEfficiencyMode& efficiency, std::function<void()> applyLanguage)
        : app(app), desktop(desktop), hotKey(hotKey), efficiency(efficiency),
          applyLanguage(std::move(applyLanguage)) {}

    std::vector<MonitorArea> ReadMonitors(bool everyMonitor) override {
        return ::ReadMonitors(everyMonitor);
    }
    void PutOverlaysBehindTaskbars() override { desktop.PutOverlaysBehindTaskbars(); }
    bool ApplyHotKey() override { return hotKey.Apply(); }
    void ApplyStartWithWindows() override { app.ApplyStartWithWindows(); }
    void ApplyHideFromCapture() override { desktop.ApplyCaptureExclusion(); }
    void ApplyPlacement() override { desktop.ApplyPlacement(); }
    void ApplyEfficiency() override { efficiency.Apply(); }
    void SaveOptions() override { app.CAppBase::Save(); }
    void ApplyLanguage() override { applyLanguage(); }

private:
    CAppBase& app;
    CWin32Desktop& desktop;
    CStartStopHotKey& hotKey;
    CEfficiencyMode& efficiency;
    std::function<void()> applyLanguage;
};
