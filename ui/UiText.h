#pragma once

#include "params/Utf16_win.h"
#include "params/tstr.h"

#include <windows.h>

#include <string>

// The texts a user sees. The program keeps its texts in UTF-8 and hands them to Windows as
// UTF-16, so that every language's letters pass whatever the system's ANSI code page;
// dialogs and strings come from the resources of the language chosen here, whatever
// language Windows itself shows. Main thread only.

// The language the texts loaded from now on are taken from (a Windows language id the
// module has resources in); en-US until set.
void SetUiLanguage(LANGID language);
LANGID UiLanguageId();

// String `id` of `module` in `language`, in English where that language lacks it; empty
// when neither has it.
std::wstring LoadUiString(HINSTANCE module, UINT id, LANGID language);
// The same in the chosen language, as UTF-8.
tstr UiText(HINSTANCE module, UINT id);
// Dialog template `name` (a string or MAKEINTRESOURCE number) of `module` in the chosen
// language, else in English, else in any; null when the module has none such. It lives as
// long as the module.
const DLGTEMPLATE* FindUiDialog(HINSTANCE module, const char* name);

// SetWindowTextW of a UTF-8 text.
bool SetWindowUiText(HWND window, const tstr& text);
// MessageBoxW of UTF-8 texts.
int ShowUiMessage(HWND owner, const tstr& text, const tstr& title, UINT type);
