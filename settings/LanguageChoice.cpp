#include "settings/LanguageChoice.h"

#include "resources/resource.h"
#include "system/UiLanguage.h"
#include "ui/UiText.h"

#include <string>

namespace {

void AddItem(HWND combo, const std::wstring& name, const char* tag) {
    const LRESULT index =
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index >= 0)
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(tag));
}

} // namespace

void FillLanguageChoice(HWND combo, HINSTANCE module) {
    if (!combo)
        return;
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    AddItem(combo, LoadUiString(module, IDS_LANGUAGE_WINDOWS, UiLanguageId()), "");
    for (const UiLanguage& language : UiLanguages())
        AddItem(combo, LoadUiString(module, IDS_LANGUAGE_NAME, language.langId), language.tag);
}
