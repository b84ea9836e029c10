#include "app/TrayMenu.h"

#include "resources/resource.h"
#include "ui/WindowHelpers.h"

HMENU BuildTrayMenu(HINSTANCE module, bool running, bool hourPause, bool dialogsAllowed) {
    tstr toggle(running ? "Stop effect" : "Start effect");
    LoadResourceString(toggle, module, running ? IDS_STOP_EFFECT : IDS_START_EFFECT);
    tstr about("About...");
    LoadResourceString(about, module, IDS_ABOUT);
    tstr exit("E&xit");
    LoadResourceString(exit, module, IDS_EXIT);
    const UINT modal = dialogsAllowed ? MF_ENABLED : MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, running ? IDC_STOP : IDC_START, toggle.str());
    AppendMenuA(menu, MF_STRING | (hourPause ? MF_CHECKED : MF_UNCHECKED), IDM_PAUSE_HOUR,
                "Pause for 1 hour");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | modal, IDC_SETTINGS, "Settings...");
    AppendMenuA(menu, MF_STRING | modal, IDM_ABOUT, about.str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | modal, IDM_EXIT, exit.str());
    return menu;
}
