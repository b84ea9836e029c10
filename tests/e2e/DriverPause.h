#pragma once

// The driver's commands around pausing: a borderless window over the whole screen in
// front, the overlay's visibility, and the tray icon's menu by real input.
#include <string>

// Shows a borderless (or maximised) window over the whole screen in front for `milliseconds`,
// reporting "covered" once it is in front; "uncovered" when it is gone (or restored).
std::string CoverScreen(const char* report, int milliseconds, bool maximised);
// Waits up to 20 s until the overlay is shown ("1") or hidden or gone ("0");
// "overlay-shown <0|1> <milliseconds waited>".
std::string WaitOverlay(const char* state);
// A real right click on the program's tray icon (the rightmost icon of the taskbar's
// notification area); "tray-menu <rectangle of the menu>", "tray-menu none" without one.
std::string OpenTrayMenu();
// The pointer over the program's tray icon until its tip shows; "tray-tip <rectangle of the
// tip>", "tray-tip none" without one within 20 s.
std::string HoverTrayIcon();
// Real key presses, comma-separated names: down, up, return, escape; "keys <count>".
std::string PressKeys(const char* names);
