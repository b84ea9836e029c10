#pragma once

#include <windows.h>

// The tray icon's menu after the application's state: "Start effect" or "Stop effect",
// "Pause for 1 hour" (checked while it runs), "Settings...", "About..." and "Exit" (greyed
// while `dialogsAllowed` is false: a dialog of the program is open), in the language of
// the texts. Its commands are the main dialog's. The caller owns the menu.
HMENU BuildTrayMenu(HINSTANCE module, bool running, bool hourPause, bool dialogsAllowed);
