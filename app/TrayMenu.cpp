#include "app/TrayMenu.h"

#include "params/Utf16_win.h"
#include "resources/resource.h"
#include "ui/WindowHelpers.h"

namespace {

// The name with every "&" doubled, so that the menu shows it and takes no access key from it.
std::string MenuName(const std::string& name) {
    std::string shown;
    for (char c : name)
        shown += c == '&' ? std::string("&&") : std::string(1, c);
    return shown;
}

} // namespace

HMENU BuildTrayMenu(HINSTANCE module, bool running, bool hourPause, bool dialogsAllowed,
                    const std::string& inFront, bool inFrontRuled) {
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
    if (!inFront.empty()) {
        const tstr text = FillResourceString(module, IDS_PAUSE_IN_FRONT, MenuName(inFront).c_str());
        AppendMenuW(menu, MF_STRING | modal | (inFrontRuled ? MF_CHECKED : MF_UNCHECKED),
                    IDM_PAUSE_IN_FRONT, ToUtf16(text.str()).c_str());
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | modal, IDC_SETTINGS, "Settings...");
    AppendMenuA(menu, MF_STRING | modal, IDM_ABOUT, about.str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | modal, IDM_EXIT, exit.str());
    return menu;
}
