#pragma once

// The driver's long-run commands: many start/stop cycles, many openings of the settings
// window and the About box, the pointer hovering over a picture button, and what the
// program's process holds meanwhile.
#include <windows.h>

#include <string>

// "usage <label> handles <n> gdi <n> user <n> memory <KiB of private bytes>" of the process
// that owns the main window; counts Wine does not report show as 0.
std::string UsageLine(HWND main, const char* label);
// Stops and starts the effect `count` times through the main window's start/stop command;
// "cycles <done>".
std::string StartStopCycles(HWND main, int count);
// Opens and closes the settings window and the About box `count` times each; "windows <done>".
std::string OpenCloseWindows(HWND main, int count);
// Holds the pointer over the settings button for `seconds`, moving it a little twice a
// second; "hovered <seconds>".
std::string HoverSettingsButton(HWND main, int seconds);
