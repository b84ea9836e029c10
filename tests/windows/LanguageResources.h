#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The program's resources read language by language, as the layout and completeness
// checks need them: exactly the given language's, never another's in its place.

// One control of a dialog template.
struct TemplateControl {
    int id = 0;
    DWORD style = 0;
    std::wstring className; // "Button", "Static", "ComboBox"... or the registered name
    std::wstring text;      // empty for an ordinal (an icon's resource number)
    RECT dlu{};             // left, top, right, bottom in dialog units
};

// A DIALOGEX template.
struct DialogTemplate {
    DWORD style = 0;
    RECT dlu{};
    std::wstring caption;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    BYTE charset = 0;
    std::wstring face;
    std::vector<TemplateControl> controls;
};

// The languages a resource of the module exists in.
std::vector<LANGID> ResourceLanguages(HMODULE module, const wchar_t* type, const wchar_t* name);
// The numbers of the module's dialogs, and of its string table blocks, that exist in
// `language`.
std::vector<int> DialogIds(HMODULE module, LANGID language);
// The ids of the non-empty strings of `language`.
std::vector<UINT> StringIds(HMODULE module, LANGID language);
// String `id` of exactly `language`; empty when missing.
std::wstring StringIn(HMODULE module, UINT id, LANGID language);
// Dialog `id` of exactly `language`, parsed; false when it is missing or no DIALOGEX.
bool ReadDialog(HMODULE module, int id, LANGID language, DialogTemplate& dialog);
