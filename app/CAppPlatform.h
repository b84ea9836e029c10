#pragma once

#include "app/CAppBase.h"
#include "app/CStartStopHotKey.h"
#include "system/IAppPlatform.h"
#include "system/MonitorLayout_win.h"
#include "ui/CWin32Desktop.h"

#include <functional>
#include <utility>

// What the application controller has Windows do: the monitors from the system, the
// overlays behind their taskbars, the hotkey, the start-up shortcut and the language of
// the texts (which the application object shows).
class CAppPlatform : public IAppPlatform {
public:
    CAppPlatform(CAppBase& app, CWin32Desktop& desktop, CStartStopHotKey& hotKey,
                 std::function<void()> applyLanguage)
        : app(app), desktop(desktop), hotKey(hotKey), applyLanguage(std::move(applyLanguage)) {}

    std::vector<MonitorArea> ReadMonitors(bool everyMonitor) override {
        return ::ReadMonitors(everyMonitor);
    }
    void PutOverlaysBehindTaskbars() override { desktop.PutOverlaysBehindTaskbars(); }
    bool ApplyHotKey() override { return hotKey.Apply(); }
    void ApplyStartWithWindows() override { app.ApplyStartWithWindows(); }
    void ApplyHideFromCapture() override { desktop.ApplyCaptureExclusion(); }
    void SaveOptions() override { app.CAppBase::Save(); }
    void ApplyLanguage() override { applyLanguage(); }

private:
    CAppBase& app;
    CWin32Desktop& desktop;
    CStartStopHotKey& hotKey;
    std::function<void()> applyLanguage;
};
