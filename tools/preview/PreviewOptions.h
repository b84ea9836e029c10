#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct PreviewEffect;

enum class PreviewTaskbar { Bottom, Top, Left, Right, Hidden, None };

// A monitor of --monitors: its rectangle on the virtual screen.
struct PreviewMonitor {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// What one run of the preview renders and where it writes the result.
struct PreviewOptions {
    const PreviewEffect* effect = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t workers = 0;
    uint32_t seed = 0;
    int32_t frames = 0;
    std::vector<std::pair<std::string, std::string>> settings; // --set NAME=VALUE, in order
    PreviewTaskbar taskbar = PreviewTaskbar::Bottom;
    int32_t taskbarSize = 40;
    std::string pngPath;
    std::string rawPath; // empty: no raw output
    // --monitors, the primary first; empty: one screen of --screen and only the band is
    // written.
    std::vector<PreviewMonitor> monitors;
    bool help = false;
};

// Parses the command line. False, with a message naming the bad argument in `error`, when
// an option is unknown, a value is missing or malformed or out of range, or a required
// option is absent.
bool ParsePreviewOptions(int argc, const char* const* argv, PreviewOptions* options,
                         std::string* error);

const char* PreviewUsage();
