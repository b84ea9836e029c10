#include "LanguageResources.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kStringsPerBlock = 16;
constexpr WORD kExtendedSignature = 0xFFFF;

const wchar_t* Type(LPSTR type) {
    return reinterpret_cast<const wchar_t*>(type);
}

// Exactly `language`'s resource; null when it has none (FindResourceEx may hand another).
const void* ResourceIn(HMODULE module, const wchar_t* type, const wchar_t* name, LANGID language,
                       DWORD* size) {
    const std::vector<LANGID> languages = ResourceLanguages(module, type, name);
    if (std::find(languages.begin(), languages.end(), language) == languages.end())
        return nullptr;
    HRSRC found = FindResourceExW(module, type, name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (size)
        *size = found ? SizeofResource(module, found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) noexcept {
    reinterpret_cast<std::vector<LANGID>*>(list)->push_back(language);
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) noexcept {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(list)->push_back(
            static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

std::vector<int> NamesIn(HMODULE module, const wchar_t* type, LANGID language) {
    std::vector<int> names;
    EnumResourceNamesW(module, type, AddName, reinterpret_cast<LONG_PTR>(&names));
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](int name) {
                                   return !ResourceIn(module, type, MAKEINTRESOURCEW(name),
                                                      language, nullptr);
                               }),
                names.end());
    return names;
}

// Reads the template's words in order.
class CWords {
public:
    explicit CWords(const BYTE* at) : at(at) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    std::wstring Text() {
        std::wstring text;
        for (WORD c = Word(); c != 0; c = Word())
            text += static_cast<wchar_t>(c);
        return text;
    }
    // A string, or after 0xFFFF an ordinal: `ordinal` is then its number, else 0.
    std::wstring TextOrOrdinal(WORD& ordinal) {
        ordinal = 0;
        WORD first = Word();
        if (first == 0xFFFF) {
            ordinal = Word();
            return L"";
        }
        std::wstring text;
        for (; first != 0; first = Word())
            text += static_cast<wchar_t>(first);
        return text;
    }
    void AlignToDword(const BYTE* base) {
        while ((at - base) % 4 != 0)
            ++at;
    }
    void Skip(std::size_t bytes) { at += bytes; }

private:
    template <class T> T Take() {
        T value;
        std::memcpy(&value, at, sizeof value);
        at += sizeof value;
        return value;
    }
    const BYTE* at;
};

// The class of a name or of one of the system's ordinals.
std::wstring ClassName(const std::wstring& name, WORD ordinal) {
    static const wchar_t* const kOrdinals[] = {L"Button",  L"Edit",      L"Static",
                                               L"ListBox", L"ScrollBar", L"ComboBox"};
    return ordinal >= 0x80 && ordinal <= 0x85 ? kOrdinals[ordinal - 0x80] : name;
}

RECT DluRect(CWords& words) {
    const short x = words.Short();
    const short y = words.Short();
    const short cx = words.Short();
    const short cy = words.Short();
    return RECT{x, y, x + cx, y + cy};
}

} // namespace

std::vector<LANGID> ResourceLanguages(HMODULE module, const wchar_t* type, const wchar_t* name) {
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(module, type, name, AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::vector<int> DialogIds(HMODULE module, LANGID language) {
    return NamesIn(module, Type(RT_DIALOG), language);
}

std::vector<UINT> StringIds(HMODULE module, LANGID language) {
    std::vector<UINT> ids;
    for (int block : NamesIn(module, Type(RT_STRING), language))
        for (UINT i = 0; i < kStringsPerBlock; ++i) {
            const UINT id = (static_cast<UINT>(block) - 1) * kStringsPerBlock + i;
            if (!StringIn(module, id, language).empty())
                ids.push_back(id);
        }
    return ids;
}

std::wstring StringIn(HMODULE module, UINT id, LANGID language) {
    DWORD size = 0;
    const auto* words = static_cast<const WCHAR*>(ResourceIn(
        module, Type(RT_STRING), MAKEINTRESOURCEW(id / kStringsPerBlock + 1), language, &size));
    if (!words)
        return L"";
    size /= sizeof(WCHAR);
    DWORD at = 0;
    for (UINT skip = id % kStringsPerBlock; skip > 0 && at < size; --skip)
        at += 1 + words[at];
    if (at >= size || at + 1 + words[at] > size)
        return L"";
    return std::wstring(words + at + 1, words[at]);
}

bool ReadDialog(HMODULE module, int id, LANGID language, DialogTemplate& dialog) {
    const auto* base = static_cast<const BYTE*>(
        ResourceIn(module, Type(RT_DIALOG), MAKEINTRESOURCEW(id), language, nullptr));
    if (!base)
        return false;
    CWords words(base);
    words.Word(); // version
    if (words.Word() != kExtendedSignature)
        return false;
    words.Dword(); // help id
    words.Dword(); // extended style
    dialog.style = words.Dword();
    const WORD count = words.Word();
    dialog.dlu = DluRect(words);
    WORD ordinal = 0;
    words.TextOrOrdinal(ordinal); // menu
    words.TextOrOrdinal(ordinal); // class
    dialog.caption = words.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = words.Word();
        dialog.weight = words.Word();
        dialog.italic = words.Byte() != 0;
        dialog.charset = words.Byte();
        dialog.face = words.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        words.AlignToDword(base);
        TemplateControl control;
        words.Dword(); // help id
        words.Dword(); // extended style
        control.style = words.Dword();
        control.dlu = DluRect(words);
        control.id = static_cast<int>(words.Dword());
        const std::wstring name = words.TextOrOrdinal(ordinal);
        control.className = ClassName(name, ordinal);
        control.text = words.TextOrOrdinal(ordinal);
        words.Skip(words.Word());
        dialog.controls.push_back(control);
    }
    return true;
}
