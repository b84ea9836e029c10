#pragma once

#include "effects/engine/IDesktop.h"

#include <vector>

// What the application controller has the system do or tell, beyond the effect and the
// clock: the monitors, and the options whose effect lies outside the program.
class IAppPlatform {
public:
    virtual ~IAppPlatform() = default;
    // The monitors with their taskbars now, only the primary unless `everyMonitor`.
    virtual std::vector<MonitorArea> ReadMonitors(bool everyMonitor) = 0;
    // Every overlay directly behind its monitor's taskbar; under windows, just above the
    // desktop.
    virtual void PutOverlaysBehindTaskbars() = 0;
    // Registers the "HotKey" option's combination in place of the one registered; false
    // when another program holds it (the one before stays).
    [[nodiscard]] virtual bool ApplyHotKey() = 0;
    // Makes or deletes the start-up shortcut after the start-with-Windows flag.
    virtual void ApplyStartWithWindows() = 0;
    // Hides every overlay from screen capture, or shows it again, after the
    // "HideFromCapture" option.
    virtual void ApplyHideFromCapture() = 0;
    // Puts every overlay over all windows or under them, after the "Placement" option.
    virtual void ApplyPlacement() = 0;
    // Asks for Windows' efficiency mode and the render workers' lower priority, or ends
    // both, after the "Efficiency" option.
    virtual void ApplyEfficiency() = 0;
    // Writes the options to the store now.
    virtual void SaveOptions() = 0;
    // Shows the texts in the language the "Language" option now chooses.
    virtual void ApplyLanguage() = 0;
};
