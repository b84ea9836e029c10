#pragma once

#include <windows.h>

#include <string>

// The tray icon's menu after the application's state: "Start effect" or "Stop effect",
// "Pause for 1 hour" (checked while it runs), "Pause while <program> is in front" for the
// program that was in front when the menu was asked for (none when `inFront` is empty;
// checked while that rule is there), "Settings...", "About..." and "Exit" (these and the
// program's rule greyed while `dialogsAllowed` is false: a dialog of the program is open),
// in the language of the texts. Its commands are the main dialog's. The caller owns the
// menu.
HMENU BuildTrayMenu(HINSTANCE module, bool running, bool hourPause, bool dialogsAllowed,
                    const std::string& inFront = "", bool inFrontRuled = false);
