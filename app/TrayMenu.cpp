#include "app/TrayMenu.h"

#include "resources/resource.h"
#include "ui/UiText.h"

namespace {

void AppendItem(HMENU menu, UINT flags, UINT_PTR command, HINSTANCE module, UINT text) {
    AppendMenuW(menu, MF_STRING | flags, command, Utf16(UiText(module, text)).c_str());
}

} // namespace

HMENU BuildTrayMenu(HINSTANCE module, bool running, bool hourPause, bool dialogsAllowed) {
    const UINT modal = dialogsAllowed ? MF_ENABLED : MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, 0, running ? IDC_STOP : IDC_START, module,
               running ? IDS_STOP_EFFECT : IDS_START_EFFECT);
    AppendItem(menu, hourPause ? MF_CHECKED : MF_UNCHECKED, IDM_PAUSE_HOUR, module, IDS_PAUSE_HOUR);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, modal, IDC_SETTINGS, module, IDS_SETTINGS_MENU);
    AppendItem(menu, modal, IDM_ABOUT, module, IDS_ABOUT);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, modal, IDM_EXIT, module, IDS_EXIT);
    return menu;
}
