#include "settings/RadioGroup.h"

#include <cstring>

namespace {

bool IsChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsRadioButton(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::strncmp(className, "Button", 6) != 0)
        return false;
    const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

} // namespace

HWND FindCheckedSibling(HWND first, int* position) {
    int index = 0;
    for (HWND button = first; button; button = GetWindow(button, GW_HWNDNEXT), ++index) {
        if (IsChecked(button)) {
            *position = index;
            return button;
        }
    }
    *position = -1;
    return nullptr;
}

void CheckRadioGroup(HWND first, const std::function<bool(int, HWND)>& checked) {
    int index = 0;
    for (HWND button = first; button && IsRadioButton(button);
         button = GetWindow(button, GW_HWNDNEXT), ++index) {
        const WPARAM state = checked(index, button) ? BST_CHECKED : BST_UNCHECKED;
        SendMessageA(button, BM_SETCHECK, state, 0);
    }
}
