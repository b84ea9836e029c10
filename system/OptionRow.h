#pragma once

#include "params/CParam.h"
#include "params/ControlKind.h"
#include "params/tstr.h"

#include <variant>

// What applying an option after the settings window's OK does.
enum class OptionEffect {
    None,            // read where it is used, nothing to apply
    Pause,           // the pause rules decide again
    Monitors,        // a running effect starts afresh on the monitors it now wants
    HotKey,          // the start/stop hotkey is registered anew
    StartupShortcut, // the start-up shortcut is made or deleted
    Capture,         // the overlays are hidden from screen capture, or shown to it again
    Language,        // the windows opened from now on show the chosen language
    Placement,       // the overlays go over or under the other windows; the pause rules decide
    Efficiency,      // Windows' efficiency mode and the workers' priority follow the option
};

// One option of the settings window: where it is stored, its parameter (which holds its
// default and its validation), the control on the "Common" page that shows it and what
// applying it does.
struct OptionRow {
    const char* name; // its value (or key) under "Options\Common"; null: stored by no row
    std::variant<CParam<int>*, CParam<bool>*, CParam<tstr>*> param;
    int control;      // its control on the "Common" page (resource.h), 0 none
    ControlKind kind; // how that control shows the value
    OptionEffect effect;
};
