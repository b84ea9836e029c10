#pragma once

#include "app/CAppBase.h"
#include "app/CStartStopHotKey.h"
#include "system/IAppPlatform.h"
#include "system/MonitorLayout_win.h"
#include "ui/CWin32Desktop.h"

// What the application controller has Windows do: the monitors from the system, the
// overlays behind their taskbars, the hotkey and the start-up shortcut.
class CAppPlatform : public IAppPlatform {
public:
    CAppPlatform(CAppBase& app, CWin32Desktop& desktop, CStartStopHotKey& hotKey)
        : app(app), desktop(desktop), hotKey(hotKey) {}

    std::vector<MonitorArea> ReadMonitors(bool everyMonitor) override {
        return ::ReadMonitors(everyMonitor);
    }
    void PutOverlaysBehindTaskbars() override { desktop.PutOverlaysBehindTaskbars(); }
    bool ApplyHotKey() override { return hotKey.Apply(); }
    void ApplyStartWithWindows() override { app.ApplyStartWithWindows(); }

private:
    CAppBase& app;
    CWin32Desktop& desktop;
    CStartStopHotKey& hotKey;
};
