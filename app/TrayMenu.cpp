#include "app/TrayMenu.h"

#include "params/TextTemplate.h"
#include "resources/resource.h"
#include "ui/UiText.h"

namespace {

void AppendItem(HMENU menu, UINT flags, UINT_PTR command, HINSTANCE module, UINT text) {
    AppendMenuW(menu, MF_STRING | flags, command, Utf16(UiText(module, text)).c_str());
}

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
    const UINT modal = dialogsAllowed ? MF_ENABLED : MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, 0, running ? IDC_STOP : IDC_START, module,
               running ? IDS_STOP_EFFECT : IDS_START_EFFECT);
    AppendItem(menu, hourPause ? MF_CHECKED : MF_UNCHECKED, IDM_PAUSE_HOUR, module, IDS_PAUSE_HOUR);
    if (!inFront.empty()) {
        const std::string text =
            FillTemplate(UiText(module, IDS_PAUSE_IN_FRONT).str(), {MenuName(inFront)});
        AppendMenuW(menu, MF_STRING | modal | (inFrontRuled ? MF_CHECKED : MF_UNCHECKED),
                    IDM_PAUSE_IN_FRONT, Utf16(text.c_str()).c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, modal, IDC_SETTINGS, module, IDS_SETTINGS_MENU);
    AppendItem(menu, modal, IDM_ABOUT, module, IDS_ABOUT);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, modal, IDM_EXIT, module, IDS_EXIT);
    return menu;
}
