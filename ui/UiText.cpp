#include "ui/UiText.h"

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr UINT kStringsPerBlock = 16;

LANGID& ChosenLanguage() {
    static LANGID language = kEnglish;
    return language;
}

// The resource of `language`, else English's; null without either.
HRSRC FindInLanguage(HINSTANCE module, const wchar_t* type, const wchar_t* name, LANGID language) {
    if (HRSRC found = FindResourceExW(module, type, name, language))
        return found;
    return language == kEnglish ? nullptr : FindResourceExW(module, type, name, kEnglish);
}

// String `id` of one language's string table; empty when its block or the string is
// missing. A block holds 16 strings, each a length word and that many UTF-16 units.
std::wstring StringOfLanguage(HINSTANCE module, UINT id, LANGID language) {
    const HRSRC block = FindResourceExW(module, reinterpret_cast<const wchar_t*>(RT_STRING),
                                        MAKEINTRESOURCEW(id / kStringsPerBlock + 1), language);
    const HGLOBAL loaded = block ? LoadResource(module, block) : nullptr;
    const auto* words = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
    if (!words)
        return L"";
    const DWORD size = SizeofResource(module, block) / sizeof(WCHAR);
    DWORD at = 0;
    for (UINT skip = id % kStringsPerBlock; skip > 0 && at < size; --skip)
        at += 1 + words[at];
    if (at >= size || at + 1 + words[at] > size)
        return L"";
    return std::wstring(words + at + 1, words[at]);
}

} // namespace

void SetUiLanguage(LANGID language) {
    ChosenLanguage() = language;
}

LANGID UiLanguageId() {
    return ChosenLanguage();
}

std::wstring LoadUiString(HINSTANCE module, UINT id, LANGID language) {
    std::wstring text = StringOfLanguage(module, id, language);
    if (text.empty() && language != kEnglish)
        text = StringOfLanguage(module, id, kEnglish);
    return text;
}

tstr UiText(HINSTANCE module, UINT id) {
    return Utf8(LoadUiString(module, id, UiLanguageId()));
}

const DLGTEMPLATE* FindUiDialog(HINSTANCE module, const char* name) {
    const std::wstring wideName = IS_INTRESOURCE(name) ? L"" : Utf16(tstr(name));
    const wchar_t* resourceName = IS_INTRESOURCE(name)
                                      ? MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(name))
                                      : wideName.c_str();
    const auto* type = reinterpret_cast<const wchar_t*>(RT_DIALOG);
    HRSRC found = FindInLanguage(module, type, resourceName, UiLanguageId());
    if (!found)
        found = FindResourceW(module, resourceName, type);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return static_cast<const DLGTEMPLATE*>(loaded ? LockResource(loaded) : nullptr);
}

bool SetWindowUiText(HWND window, const tstr& text) {
    return SetWindowTextW(window, Utf16(text).c_str()) != FALSE;
}

int ShowUiMessage(HWND owner, const tstr& text, const tstr& title, UINT type) {
    return MessageBoxW(owner, Utf16(text).c_str(), Utf16(title).c_str(), type);
}
